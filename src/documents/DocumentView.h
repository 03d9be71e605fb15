#pragma once
// TDocumentView: what the main window shows. The navigator's selection decides it: selecting a
// single image or a frame makes it the edited image, selecting a group shows its frame grid. The
// open and new commands add their node quietly and then show it here, so the navigator never
// calls back into the window while a document is being added.

#include <QObject>

class QMainWindow;
class QTreeWidgetItem;
class TEditor;
class TFrameGrid;
class TImageBrowseFrm;

class TDocumentView : public QObject {
  Q_OBJECT
 public:
  // `editorPanels` holds the colour panel and the tool box, shown with the canvas.
  TDocumentView(QMainWindow& window, TEditor& editor, TImageBrowseFrm& navigator,
                TFrameGrid& frames, QWidget& editorPanels);

  // Follows the navigator's selection from now on.
  void AttachHandlers();
  // Makes the node's image or group current and shows it.
  void NavigatorPicTreeChange(QTreeWidgetItem* node);
  // Shows the frame grid or the canvas with the colour panel and tool box.
  void ShowViewMode(bool groupShown, bool imageShown);
  // Shows what is current after the tree lost a document: the canvas, the frame grid or nothing.
  void ShowCurrent();
  // "Velmora: " and the file name of what is shown.
  void UpdateCaption();
  // Repaints the tree, whose icons show floating layers.
  void RepaintNavigator();

 private:
  QMainWindow& window_;
  TEditor& editor_;
  TImageBrowseFrm& navigator_;
  TFrameGrid& frames_;
  QWidget& editorPanels_;
};
