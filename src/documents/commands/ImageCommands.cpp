#include "documents/commands/ImageCommands.h"

#include "documents/ActionList.h"
#include "editor/EditSession.h"
#include "editor/Editor.h"
#include "editor/ToolBox.h"
#include "editor/ZoomView.h"
#include "model/Clipboard.h"
#include "model/ImageGroup.h"
#include "model/WorkFrame.h"
#include "model/WorkImage.h"

void TImageCommands::Attach() {
  AttachSelectionCommands();
  AttachTransformCommands();
}

void TImageCommands::Bind(const char* name, void (TImageCommands::*execute)(),
                          void (TImageCommands::*update)(QAction&) const) {
  Actions().OnExecute(name, [this, execute] { (this->*execute)(); });
  Actions().OnUpdate(name, [this, update](QAction& action) { (this->*update)(action); });
}

bool TImageCommands::Prepare() const {
  if (!Session().CurrentImage() || !Session().WorkingCopy()) return false;
  Editor().Tools().FinishDrag();
  return true;
}

void TImageCommands::CopyActUpdate(QAction& action) const {
  action.setEnabled(SelectionPresent());
}

void TImageCommands::PasteActUpdate(QAction& action) const {
  action.setEnabled(Clipboard().HasBitmap());
}

void TImageCommands::SelectAllActUpdate(QAction& action) const {
  action.setEnabled(Session().CurrentImage());
}

void TImageCommands::QuarterTurnUpdate(QAction& action) const {
  action.setEnabled(QuarterTurnAllowed());
}

void TImageCommands::GrayscaleActUpdate(QAction& action) const {
  action.setEnabled(FiltersAllowed());
}

bool TImageCommands::SelectionPresent() const {
  const TSelectBitmap* copy = Session().WorkingCopy();
  if (!Session().CurrentImage() || !copy) return false;
  // The outline timer runs while an edge is in view; a selection scrolled out of view, or one
  // that covers the whole view, is still there to be copied.
  return Editor().View().SelectionExists() || copy->HasLayer() || copy->HasSelection();
}

bool TImageCommands::QuarterTurnAllowed() const {
  const TWorkImage* image = Session().CurrentImage();
  if (!image) return false;
  const auto* frame = dynamic_cast<const TUniformFrame*>(image);
  if (!frame || !frame->Group() || image->Width() == image->Height()) return true;
  return frame->Group()->Count() < 2;
}

bool TImageCommands::FiltersAllowed() const {
  const TWorkImage* image = Session().CurrentImage();
  return image && image->GetBitCount() > 8;
}

void TImageCommands::ShowChange(bool resized) {
  TZoomView& view = Editor().View();
  view.UpdateZoomLayout();
  if (resized) view.SizePreview();
  view.ZoomBoxPaint();
  view.ViewImg->update();
}
