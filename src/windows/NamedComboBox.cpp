#include "windows/NamedComboBox.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>

namespace {

class TNamedComboBoxAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  explicit TNamedComboBoxAccessible(TNamedComboBox* box)
      : QAccessibleWidget(box, QAccessible::ComboBox) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return Box()->currentText();
    return QAccessibleWidget::text(t);
  }
  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.editable = Box()->isEditable();
    s.expandable = true;
    s.expanded = Box()->view() && Box()->view()->isVisible();
    return s;
  }
  QStringList actionNames() const override {
    return QStringList{showMenuAction()} + QAccessibleWidget::actionNames();
  }
  void doAction(const QString& action) override {
    if (action == showMenuAction() || action == pressAction())
      Box()->showPopup();
    else
      QAccessibleWidget::doAction(action);
  }

  // The value is the current text; assistive tools may choose an entry by its text.
  QVariant currentValue() const override { return Box()->currentText(); }
  void setCurrentValue(const QVariant& value) override { Box()->setCurrentText(value.toString()); }
  QVariant maximumValue() const override { return {}; }
  QVariant minimumValue() const override { return {}; }
  QVariant minimumStepSize() const override { return {}; }

 private:
  TNamedComboBox* Box() const { return static_cast<TNamedComboBox*>(widget()); }
};

QAccessibleInterface* NamedComboBoxFactory(const QString& key, QObject* object) {
  if (key != QLatin1String("TNamedComboBox")) return nullptr;
  auto* box = qobject_cast<TNamedComboBox*>(object);
  return box ? new TNamedComboBoxAccessible(box) : nullptr;
}

}  // namespace

TNamedComboBox::TNamedComboBox(const QString& name, QWidget* parent) : QComboBox(parent) {
  static const bool installed = (QAccessible::installFactory(NamedComboBoxFactory), true);
  (void)installed;
  setAccessibleName(name);
  setToolTip(name);
  connect(this, &QComboBox::currentTextChanged, this, [this] {
    QAccessibleValueChangeEvent event(this, currentText());
    QAccessible::updateAccessibility(&event);
  });
}
