#include "palettes/AccessibleRole.h"

#include <QAccessibleWidget>
#include <QVariant>
#include <QWidget>

namespace {

constexpr const char* RoleProperty = "velmoraAccessibleRole";

QAccessibleInterface* RoleFactory(const QString&, QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  if (!widget) return nullptr;
  const QVariant role = widget->property(RoleProperty);
  if (!role.isValid()) return nullptr;
  return new QAccessibleWidget(widget, QAccessible::Role(role.toInt()));
}

}  // namespace

void SetAccessibleRole(QWidget& widget, QAccessible::Role role, const QString& name) {
  static const bool installed = [] {
    QAccessible::installFactory(RoleFactory);
    return true;
  }();
  (void)installed;
  widget.setProperty(RoleProperty, int(role));
  widget.setAccessibleName(name);
}
