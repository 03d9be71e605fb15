// "&Apply" of the properties panel and the palette editor command: the two ways the panel's
// module changes the current document.

#include <QTreeWidget>

#include "documents/DocumentView.h"
#include "documents/ImageBrowseFrm.h"
#include "documents/properties/PropertiesCommands.h"
#include "documents/properties/PropertiesPanel.h"
#include "editor/ColorPanel.h"
#include "editor/EditSession.h"
#include "editor/Editor.h"
#include "model/GroupBitCount.h"
#include "model/Groups.h"
#include "model/ImageProperties.h"
#include "model/PaletteStore.h"
#include "model/WorkImages.h"
#include "palettes/PaletteEditor.h"
#include "palettes/PixelFormatDlg.h"
#include "windows/Dialogs.h"

namespace {

void ApplyClassValues(TWorkImage& image, const TPropertyValues& v) {
  if (auto* gif = dynamic_cast<TWorkGifImage*>(&image)) {
    gif->SetComments(v.Comments);
    gif->SetInterlaced(v.Interlaced);
    gif->SetCompression(uint8_t(v.Compression));
  } else if (auto* jpeg = dynamic_cast<TWorkJpeg*>(&image)) {
    jpeg->Quality = uint8_t(v.Quality);
  } else if (auto* frame = dynamic_cast<TWorkGifFrame*>(&image)) {
    frame->SetComments(v.Comments);
    frame->SetDelay(v.Delay);
    frame->SetInterlaced(v.Interlaced);
    frame->Disposal = uint8_t(v.Disposal);
    frame->SetLocalPalette(v.LocalPalette);
  }
}

// The group whose frames all change with `image`: the group of a frame of an animation or an
// image list; none for single images and sub-icons.
TImageGroup* UniformGroupOf(TWorkImage& image) {
  auto* frame = dynamic_cast<TUniformFrame*>(&image);
  return frame ? frame->Group() : nullptr;
}

// Every frame of `group` but `except` gets an undo step, taken before anything changes.
void SaveUndoOfOthers(TImageGroup& group, const TWorkImage* except) {
  for (int i = 0; i < group.Count(); ++i)
    if (group.GetFrame(i) != except) group.GetFrame(i)->SaveUndo();
}

}  // namespace

void TPropertiesCommands::ApplyActExecute() {
  applying_ = true;
  try {
    if (TImageGroup* group = Session().CurrentGroup())
      ApplyGroupProperties(*group);
    else if (TWorkImage* image = Session().CurrentImage())
      ApplyImageProperties(*image);
  } catch (...) {
    applying_ = false;
    // What did change is shown; the error reaches the error box.
    Session().LoadWorkingCopy();
    RefreshShown();
    throw;
  }
  applying_ = false;
}

void TPropertiesCommands::ApplyImageProperties(TWorkImage& image) {
  const TPropertyValues v = panel_.ReadValues(MaxImageSideOf(image.ClassName()));
  CheckSurfaceSize(v.Width, v.Height);
  TImageGroup* group = UniformGroupOf(image);
  const bool newDepth = v.Bits > 0 && v.Bits != image.GetBitCount();
  const bool newSize = v.Width != image.Width() || v.Height != image.Height();
  if (group && (newDepth || newSize)) SaveUndoOfOthers(*group, &image);
  TPixelFormatChooser chooser(Settings(), Dialogs(), WarningsOn, &Window());
  bool depthDone = true;
  const bool dropsAlpha = newDepth && v.Bits != 32 && image.UsesAlpha();
  Session().ChangeImage(TSnapshot::Take, [&](TWorkImage& i) {
    ResizeCanvas(i, v.Width, v.Height);
    i.SetTransparent(v.Transparent);
    i.SetTransparentColor(v.TransparentColor);
    if (newDepth)
      depthDone = group ? ChangeGroupBitCount(*group, v.Bits, chooser, DefaultPaletteFile())
                        : i.ChangeBitCount(v.Bits, chooser, DefaultPaletteFile());
    ApplyClassValues(i, v);
    // Every value applied is one the file must get, even one that does not touch the pixels.
    i.SetModified(true);
  });
  RefreshShown();
  if (dropsAlpha && depthDone)
    Editor().SetStatusText(2, "Pixels less than half opaque became the transparent color.");
  // After a cancelled depth change the user can apply again.
  changed_ = !depthDone;
}

void TPropertiesCommands::ApplyGroupProperties(TImageGroup& group) {
  bool depthDone = true;
  if (!dynamic_cast<TIconGroup*>(&group)) {
    const TPropertyValues v = panel_.ReadValues(MaxImageSideOf(group.ClassName()));
    CheckSurfaceSize(v.Width, v.Height);
    ResizeGroupCanvas(group, v.Width, v.Height);
    group.Transparent = v.Transparent;
    if (v.Bits > 0) {
      TPixelFormatChooser chooser(Settings(), Dialogs(), WarningsOn, &Window());
      depthDone = ChangeGroupBitCount(group, v.Bits, chooser, DefaultPaletteFile());
    }
    if (auto* gif = dynamic_cast<TGifImageGroup*>(&group)) {
      gif->LoopCount = v.Loops;
      gif->SetCompression(uint8_t(v.Compression));
    }
    group.SetModified(true);
  }
  RefreshShown();
  changed_ = !depthDone;
}

void TPropertiesCommands::RefreshShown() {
  if (QTreeWidgetItem* node = Navigator().Selected()) Documents().NavigatorPicTreeChange(node);
  Documents().RepaintNavigator();
}

void TPropertiesCommands::PaletteEditorActExecute() {
  TWorkImage* image = Session().CurrentImage();
  TfrmPaletteEditor editor(Dialogs(), &Window());
  if (image) {
    editor.SetEditPalette(image->GetPalette());
    editor.ImageBitCount = image->GetBitCount();
  } else {
    editor.NewPaletteActExecute();
  }
  if (Dialogs().Exec(editor) != QDialog::Accepted || !Session().CurrentImage()) return;
  ApplyEditedPalette(editor.EditPalette);
  TColorPanel& colors = Editor().Colors();
  colors.ApplyLeftColor(colors.CurrentLeftColor());
  colors.ApplyRightColor(colors.CurrentRightColor());
  colors.UpdateMiddleColor();
  RefreshShown();
}

void TPropertiesCommands::ApplyEditedPalette(const TPaletteRecord& palette) {
  TWorkImage& image = *Session().CurrentImage();
  auto* frame = dynamic_cast<TUniformFrame*>(&image);
  TImageGroup* group = frame && !frame->LocalPalette() ? frame->Group() : nullptr;
  // Every frame that shares the palette gets its own undo step, all taken before the shared
  // palette changes, so that each step holds the frame's pixels with the palette they were on.
  std::vector<TWorkFrame*> sharing;
  for (int i = 0; group && i < group->Count(); ++i) {
    auto* other = dynamic_cast<TUniformFrame*>(group->GetFrame(i));
    if (other && other != frame && !other->LocalPalette()) sharing.push_back(other);
  }
  for (TWorkFrame* other : sharing) other->SaveUndo();
  Session().ChangeImage(TSnapshot::Take, [&](TWorkImage& i) {
    i.ApplyPalette(palette, TDitherMode::Nearest);
    for (TWorkFrame* other : sharing) other->ApplyPalette(palette, TDitherMode::Nearest);
  });
}
