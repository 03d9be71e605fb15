#include "controls/Pictures.h"

#include <QHash>

#include "controls/PicturesTable.h"

namespace Pictures::Detail {

const TIconTable& CommandIcons() {
  static const TIconTable table = [] {
    TIconTable t;
    AddFileIcons(t);
    AddEditIcons(t);
    AddImageIcons(t);
    AddToolIcons(t);
    AddFrameIcons(t);
    return t;
  }();
  return table;
}

}  // namespace Pictures::Detail

namespace Pictures {

QIcon CommandIcon(const QString& name) {
  static QHash<QString, QIcon> cache;
  const auto cached = cache.find(name);
  if (cached != cache.end()) return *cached;
  const auto& table = Detail::CommandIcons();
  const auto it = table.find(name);
  const QIcon icon = it == table.end() ? QIcon() : MakePictureIcon(it->second);
  cache.insert(name, icon);
  return icon;
}

QStringList CommandIconNames() {
  QStringList names;
  for (const auto& [name, draw] : Detail::CommandIcons()) names << name;
  return names;
}

QImage CommandImage(const QString& name, int scale) {
  const auto& table = Detail::CommandIcons();
  const auto it = table.find(name);
  return it == table.end() ? QImage() : RenderPicture(it->second, {16, 16}, scale);
}

}  // namespace Pictures
