// What the editor shows: the navigator's selection makes an image or a group current.

#include "documents/ActionList.h"
#include "documents/ImageBrowseFrm.h"
#include "documents/MainForm.h"
#include "model/ImageGroup.h"
#include "model/WorkImage.h"

namespace {

// Whether the working copy holds anything the image does not: a change not yet committed.
bool DiffersFrom(const TSelectBitmap& copy, const TSelectBitmap& image) {
  if (copy.HasLayer() != image.HasLayer()) return true;
  if (copy.LayerLeft != image.LayerLeft || copy.LayerTop != image.LayerTop) return true;
  if (copy.HasLayer() && !(*copy.Layer() == *image.Layer())) return true;
  return !(copy.Image() == image.Image()) || !(copy.Mask() == image.Mask());
}

}  // namespace

void TMainForm::ShowViewMode(bool groupShown, bool imageShown) {
  if (groupShown && imageShown) imageShown = false;
  GroupPanel->setVisible(groupShown);
  BackZoomPanel->setVisible(!groupShown);
  ZoomBox->setVisible(imageShown);
  Splitter1->setVisible(imageShown);
}

void TMainForm::SetCurrentImage(TWorkImage* image) {
  if (image == CurrentImage) return;
  CurrentImage = image;
  // The properties panel reloads from what is now current.
  if (!pnlProperties->isHidden()) Actions().Run("CancelAct");
}

void TMainForm::SetCurrentGroup(TImageGroup* group) {
  if (group == CurrentGroup) return;
  CurrentGroup = group;
  if (!pnlProperties->isHidden()) Actions().Run("CancelAct");
}

void TMainForm::RepaintNavigator() {
  Navigator->PicTree->viewport()->update();
}

void TMainForm::NavigatorPicTreeChange(QTreeWidgetItem* node) {
  TWorkImage* image = NodeImage(node);
  TImageGroup* group = NodeGroup(node);
  if (!image && !group) return;
  // The text tool starts over on the new image: its text goes into the old one first.
  const bool textTool = TextBtn->Down();
  if (textTool) SelectBtn->SetDown(true);
  if (image)
    ShowImageNode(image);
  else
    ShowGroupNode(group);
  ColorGrid->viewport()->update();
  if (textTool) TextBtn->SetDown(true);
}

void TMainForm::ShowImageNode(TWorkImage* image) {
  SetCurrentImage(image);
  SetCurrentGroup(nullptr);
  ShowViewMode(false, true);
  SizeColorGrid(image->GetPalette().Count);
  Panel4Resize();
  if (image->HasLayer() && !SelectBtn->Down() && !WandBtn->Down()) SelectBtn->SetDown(true);
  if (!WorkingCopy) WorkingCopy.reset(new TSelectBitmap);
  WorkingCopy->Assign(*image);
  SizePreview();
  UpdateCaption();
  ApplyLeftColor(image->GetLeftColor());
  ApplyRightColor(image->GetRightColor());
  UpdateMiddleColor();
  UpdateZoomLayout();
  ZoomBoxPaint();
}

void TMainForm::ShowGroupNode(TImageGroup* group) {
  // Changes not yet committed to the image are kept, as one undo step.
  if (CurrentImage && WorkingCopy && CurrentImage->IsModified() &&
      DiffersFrom(*WorkingCopy, *CurrentImage)) {
    CurrentImage->SaveUndo();
    CurrentImage->Assign(*WorkingCopy);
  }
  SetCurrentImage(nullptr);
  WorkingCopy.reset();
  Timer1->stop();
  SetCurrentGroup(group);
  ShowViewMode(true, false);
  // The frame grid shows the group's frames once frame management fills it.
  GroupPreview->PictureList.clear();
  GroupPreview->viewport()->update();
  ZoomBox->resize(0, 0);
  UpdateMiddleColor();
  UpdateZoomLayout();
  SizePreview();
  UpdateCaption();
}
