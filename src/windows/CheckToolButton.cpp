#include "windows/CheckToolButton.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace {

class TCheckToolButtonAccessible : public QAccessibleWidget {
 public:
  explicit TCheckToolButtonAccessible(TCheckToolButton* button)
      : QAccessibleWidget(button,
                          button->Exclusive() ? QAccessible::RadioButton : QAccessible::CheckBox) {}

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.checkable = true;
    s.checked = Button()->isChecked();
    return s;
  }
  QStringList actionNames() const override { return {QAccessibleActionInterface::toggleAction()}; }
  void doAction(const QString& action) override {
    if (action == QAccessibleActionInterface::toggleAction() ||
        action == QAccessibleActionInterface::pressAction())
      Button()->click();
  }

 private:
  TCheckToolButton* Button() const { return static_cast<TCheckToolButton*>(widget()); }
};

QAccessibleInterface* CheckToolButtonFactory(const QString& key, QObject* object) {
  if (key != QLatin1String("TCheckToolButton")) return nullptr;
  auto* button = qobject_cast<TCheckToolButton*>(object);
  return button ? new TCheckToolButtonAccessible(button) : nullptr;
}

}  // namespace

TCheckToolButton::TCheckToolButton(const QString& name, bool exclusive, QWidget* parent)
    : QToolButton(parent), exclusive_(exclusive) {
  static const bool installed = (QAccessible::installFactory(CheckToolButtonFactory), true);
  (void)installed;
  setCheckable(true);
  setAutoRaise(true);
  setFocusPolicy(Qt::TabFocus);
  setAccessibleName(name);
  setToolTip(name);
  connect(this, &QToolButton::toggled, this, [this] {
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
  });
}
