// What the window shows: the navigator's selection makes an image or a group current.

#include "documents/DocumentView.h"

#include <QMainWindow>
#include <QTreeWidget>

#include "documents/ImageBrowseFrm.h"
#include "documents/frames/FrameGrid.h"
#include "editor/EditSession.h"
#include "editor/Editor.h"
#include "editor/ZoomView.h"

TDocumentView::TDocumentView(QMainWindow& window, TEditor& editor, TImageBrowseFrm& navigator,
                             TFrameGrid& frames, QWidget& editorPanels)
    : window_(window),
      editor_(editor),
      navigator_(navigator),
      frames_(frames),
      editorPanels_(editorPanels) {}

void TDocumentView::AttachHandlers() {
  connect(&navigator_, &TImageBrowseFrm::SelectionChanged, this,
          [this](QTreeWidgetItem* node) { NavigatorPicTreeChange(node); });
  connect(&editor_.Session(), &TEditSession::Changed, this, [this] {
    RepaintNavigator();
    // A group changes as a whole only by undo and redo; its thumbnails are made anew.
    const TEditSession& session = editor_.Session();
    if (TImageGroup* group = session.CurrentGroup(); group && !session.CurrentImage()) {
      const int current = frames_.CurrentFrame();
      frames_.FillFrameGrid(group);
      frames_.SelectFrame(current);
    }
  });
}

void TDocumentView::NavigatorPicTreeChange(QTreeWidgetItem* node) {
  if (TWorkImage* image = NodeImage(node)) {
    ShowViewMode(false, true);
    editor_.ShowImage(*image);
  } else if (TImageGroup* group = NodeGroup(node)) {
    editor_.ShowGroup(*group);
    ShowViewMode(true, false);
    frames_.FillFrameGrid(group);
  } else {
    return;
  }
  UpdateCaption();
}

void TDocumentView::ShowViewMode(bool groupShown, bool imageShown) {
  if (groupShown && imageShown) imageShown = false;
  frames_.setVisible(groupShown);
  TZoomView& view = editor_.View();
  view.BackZoomPanel->setVisible(!groupShown);
  view.ZoomBox->setVisible(imageShown);
  editorPanels_.setVisible(imageShown);
}

void TDocumentView::ShowCurrent() {
  const TEditSession& session = editor_.Session();
  ShowViewMode(session.CurrentGroup() != nullptr, session.CurrentImage() != nullptr);
  UpdateCaption();
  editor_.Refresh();
}

void TDocumentView::UpdateCaption() {
  window_.setWindowTitle("Velmora: " + editor_.Session().CurrentFileName());
}

void TDocumentView::RepaintNavigator() {
  navigator_.PicTree->viewport()->update();
}
