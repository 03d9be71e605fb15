#include "controls/AdvSpeedButton.h"

#include <QAccessible>
#include <QDialog>
#include <QKeySequence>
#include <QMouseEvent>
#include <QShortcutEvent>

#include "controls/ControlAccessibility.h"

TAdvSpeedButton* TAdvSpeedButton::hovered_ = nullptr;

TAdvSpeedButton::TAdvSpeedButton(QWidget* parent) : QWidget(parent) {
  InstallControlAccessibility();
  resize(25, 25);
  setFocusPolicy(Qt::NoFocus);
}

TAdvSpeedButton::~TAdvSpeedButton() {
  if (hovered_ == this) hovered_ = nullptr;
}

void TAdvSpeedButton::SetGlyph(const QIcon& glyph) {
  glyph_ = glyph;
  update();
}

void TAdvSpeedButton::SetCaption(const QString& caption) {
  caption_ = caption;
  if (shortcutId_) releaseShortcut(shortcutId_);
  shortcutId_ = 0;
  const QKeySequence mnemonic = QKeySequence::mnemonic(caption);
  if (!mnemonic.isEmpty()) shortcutId_ = grabShortcut(mnemonic, Qt::WindowShortcut);
  update();
}

void TAdvSpeedButton::SetShowCaption(bool show) {
  showCaption_ = show;
  update();
}

void TAdvSpeedButton::SetTransparentMode(int mode) {
  transparentMode_ = mode;
  update();
}

TAdvSpeedButton::TState TAdvSpeedButton::State() const {
  if (!isEnabled()) return TState::Disabled;
  if (down_) return TState::Exclusive;
  if (pressing_ && pressedInside_) return TState::Down;
  return TState::Up;
}

void TAdvSpeedButton::SetDown(bool down) {
  if (groupIndex_ == 0) down = false;
  if (down == down_) return;
  if (down_ && !allowAllUp_) return;  // a pressed radio button cannot release itself
  down_ = down;
  update();
  NotifyChecked();
  if (!down) return;
  ReleaseGroupSiblings();
  emit OnDown();
}

void TAdvSpeedButton::NotifyChecked() {
  if (!QAccessible::isActive()) return;
  QAccessible::State changed;
  changed.checked = true;
  QAccessibleStateChangeEvent event(this, changed);
  QAccessible::updateAccessibility(&event);
}

void TAdvSpeedButton::ReleaseGroupSiblings() {
  if (!parentWidget()) return;
  const auto siblings = parentWidget()->findChildren<TAdvSpeedButton*>(Qt::FindDirectChildrenOnly);
  for (TAdvSpeedButton* other : siblings) {
    if (other == this || other->groupIndex_ != groupIndex_ || !other->down_) continue;
    other->down_ = false;
    other->update();
    other->NotifyChecked();
    other->allowAllUp_ = allowAllUp_;
    emit other->OnUp();
  }
}

void TAdvSpeedButton::SetAction(QAction* action) {
  if (action_) disconnect(action_, nullptr, this, nullptr);
  action_ = action;
  if (action) connect(action, &QAction::changed, this, &TAdvSpeedButton::ActionChanged);
  ActionChanged();
}

void TAdvSpeedButton::ActionChanged() {
  if (!action_) return;
  setEnabled(action_->isEnabled());
  if (isHidden() == action_->isVisible()) setVisible(action_->isVisible());
  setToolTip(action_->toolTip());
  actionIcon_ = action_->icon();
  update();
}

void TAdvSpeedButton::Click() {
  if (!isEnabled()) return;
  if (modalResult_ != 0) {
    if (auto* dialog = qobject_cast<QDialog*>(window())) dialog->done(modalResult_);
  }
  emit Clicked();
  if (action_) action_->trigger();
}

void TAdvSpeedButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !isEnabled()) return;
  pressing_ = true;
  pressedInside_ = true;
  update();
}

void TAdvSpeedButton::mouseMoveEvent(QMouseEvent* event) {
  if (!pressing_) return;
  const bool inside = rect().contains(event->position().toPoint());
  if (inside == pressedInside_) return;
  pressedInside_ = inside;
  update();
}

void TAdvSpeedButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !pressing_) return;
  pressing_ = false;
  const bool inside = rect().contains(event->position().toPoint());
  update();
  if (!inside) return;
  if (groupIndex_ != 0) SetDown(!down_);
  Click();
}

void TAdvSpeedButton::enterEvent(QEnterEvent* event) {
  QWidget::enterEvent(event);
  if (hovered_ && hovered_ != this) hovered_->update();
  hovered_ = this;  // only one button is highlighted at a time
  update();
}

void TAdvSpeedButton::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  if (hovered_ == this) hovered_ = nullptr;
  update();
}

bool TAdvSpeedButton::event(QEvent* event) {
  if (event->type() == QEvent::Shortcut &&
      static_cast<QShortcutEvent*>(event)->shortcutId() == shortcutId_) {
    if (!isEnabled()) return true;
    if (groupIndex_ != 0) SetDown(!down_);
    Click();
    return true;
  }
  if (event->type() == QEvent::Hide && hovered_ == this) hovered_ = nullptr;
  return QWidget::event(event);
}
