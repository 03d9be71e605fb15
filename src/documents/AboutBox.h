#pragma once
// The About box: the program's name and version scrolling through a title panel, and "Close".

#include <QDialog>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

// A panel whose text moves one pixel to the left every step and comes round again.
class TScrollingTitle : public QWidget {
  Q_OBJECT
 public:
  explicit TScrollingTitle(const QString& text, QWidget* parent = nullptr);

  static constexpr int StepMs = 40;

  void Start() { timer_.start(StepMs); }
  void Stop() { timer_.stop(); }
  bool Running() const { return timer_.isActive(); }
  int Offset() const { return offset_; }
  // Moves the text by one step.
  void Step();
  QSize sizeHint() const override { return {300, 40}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString text_;
  QTimer timer_;
  int offset_ = 0;
};

class TAboutBox : public QDialog {
  Q_OBJECT
 public:
  explicit TAboutBox(QWidget* parent = nullptr);

  TScrollingTitle* Title;
  QPushButton* CloseBtn;
};
