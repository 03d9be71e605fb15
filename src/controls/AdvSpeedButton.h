#pragma once
// TAdvSpeedButton: the flat tool button of the tool box.
//
// Buttons with the same group index on the same parent form a radio group: pressing one releases
// the others, and the released button raises OnUp before the pressed one raises OnDown, so a tool
// can tidy up before the next one takes over. A pressed button of a group whose AllowAllUp is false
// cannot be released by itself. The button highlights while the pointer is over it.

#include <QAction>
#include <QColor>
#include <QIcon>
#include <QPointer>
#include <QWidget>

class TAdvSpeedButton : public QWidget {
  Q_OBJECT
 public:
  enum class TState { Up, Disabled, Down, Exclusive };
  // 0 never fills the face, 1 fills it only while hovered, 2 always fills it.
  enum TTransparentMode { tmNever = 0, tmHover = 1, tmAlways = 2 };

  explicit TAdvSpeedButton(QWidget* parent = nullptr);
  ~TAdvSpeedButton() override;

  QIcon Glyph() const { return glyph_; }
  void SetGlyph(const QIcon& glyph);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int index) { groupIndex_ = index; }
  bool Down() const { return down_; }
  void SetDown(bool down);
  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool allow) { allowAllUp_ = allow; }
  QString Caption() const { return caption_; }
  void SetCaption(const QString& caption);
  bool ShowCaption() const { return showCaption_; }
  void SetShowCaption(bool show);
  int TransparentMode() const { return transparentMode_; }
  void SetTransparentMode(int mode);
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result) { modalResult_ = result; }
  TState State() const;
  bool Hovered() const { return hovered_ == this; }

  // Colours of the face and frame.
  QColor ColorFocused{235, 234, 225};
  QColor ColorDown{217, 214, 197};
  QColor ColorBorder{160, 150, 131};
  QColor ColorHighLight{Qt::white};
  QColor ColorShadow{Qt::black};

  // Follows the action's enabled and visible state, hint and picture; a click triggers it.
  void SetAction(QAction* action);
  QAction* Action() const { return action_; }

  // Clicks the button as a release of the mouse inside it would, after the group handling.
  void Click();

  QSize sizeHint() const override { return {25, 25}; }

 signals:
  void OnDown();
  void OnUp();
  void Clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void ActionChanged();
  void ReleaseGroupSiblings();
  // Tells assistive technologies that the button went down or up.
  void NotifyChecked();
  QColor FaceColor(TState state) const;
  void PaintFrame(QPainter& p, TState state) const;
  void PaintContent(QPainter& p, TState state) const;

  static TAdvSpeedButton* hovered_;

  QIcon glyph_;
  QIcon actionIcon_;
  QString caption_;
  QPointer<QAction> action_;
  int groupIndex_ = 0;
  int transparentMode_ = tmAlways;
  int modalResult_ = 0;
  int shortcutId_ = 0;
  bool down_ = false;
  bool allowAllUp_ = false;
  bool showCaption_ = true;
  bool pressing_ = false;  // the left button went down on the button and is still held
  bool pressedInside_ = false;
};
