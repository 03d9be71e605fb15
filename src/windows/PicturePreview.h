#pragma once
// TPicturePreview: the picture preview beside the open dialog's file list. It reads the file as
// the editor would and shows its (first) picture with its size and depth, so what the user sees
// before opening is what the editor opens.

#include <QLabel>
#include <QTimer>
#include <QWidget>

class TPicturePreview : public QWidget {
  Q_OBJECT
 public:
  static constexpr int Room = 160;  // the picture area is Room x Room pixels
  // Larger files are not read just to preview them.
  static constexpr qint64 MaxFileSize = 16 << 20;

  explicit TPicturePreview(QWidget* parent = nullptr);

  QLabel* Picture;
  QLabel* Caption;

  // The pause after the last change of the chosen file before it is read: the open dialog
  // changes its choice at every keystroke, and reading each would make typing sluggish.
  static constexpr int SettleMs = 250;

  // Shows the picture of the file, or a short reason why there is none.
  void ShowFile(const QString& path);
  // Empties the preview and shows the file once the choice has rested for SettleMs.
  void ShowFileSoon(const QString& path);

 private:
  QTimer settle_;
  QString pending_;
};
