#include "editor/SpeedButtons.h"

#include "controls/Pictures.h"

TAdvSpeedButton* MakeSpeedButton(QWidget* parent, const char* name, const char* icon,
                                 const char* hint, int group, bool allowAllUp, QSize size) {
  auto* b = new TAdvSpeedButton(parent);
  b->setObjectName(name);
  b->SetGlyph(Pictures::CommandIcon(icon));
  b->setToolTip(QString::fromUtf8(hint).replace("\r\n", "\n"));
  b->SetGroupIndex(group);
  b->SetAllowAllUp(allowAllUp);
  b->setFixedSize(size);
  return b;
}
