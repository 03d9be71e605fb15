// "&Apply" of the properties panel and the palette editor command: the two ways the panel's
// module changes the current document.

#include <QTreeWidget>
#include <algorithm>

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

// Whether applying `v` changes anything of `image` besides its colour depth. The panel shows
// some values clamped (compression, disposal), so those are compared as shown.
bool ChangesImage(const TWorkImage& image, const TPropertyValues& v) {
  if (v.Width != image.Width() || v.Height != image.Height() ||
      v.Transparent != image.GetTransparent() ||
      v.TransparentColor != StripHighByte(image.GetTransparentColor()))
    return true;
  if (const auto* gif = dynamic_cast<const TWorkGifImage*>(&image))
    return v.Comments != gif->Comments() || v.Interlaced != gif->Interlaced() ||
           v.Compression != std::min<int>(gif->Compression(), 1);
  if (const auto* jpeg = dynamic_cast<const TWorkJpeg*>(&image)) return v.Quality != jpeg->Quality;
  if (const auto* frame = dynamic_cast<const TWorkGifFrame*>(&image))
    return v.Comments != frame->Comments() || v.Delay != frame->Delay() ||
           v.Interlaced != frame->Interlaced() || v.Disposal != std::min<int>(frame->Disposal, 3) ||
           v.LocalPalette != frame->LocalPalette();
  return false;
}

// The same for a group of uniform frames. The loop count is shown in 16 bits (a file without a
// looping extension shows 65535), so it is compared as shown too.
bool ChangesGroup(const TImageGroup& group, const TPropertyValues& v) {
  if (v.Width != group.Width || v.Height != group.Height || v.Transparent != group.Transparent)
    return true;
  const auto* gif = dynamic_cast<const TGifImageGroup*>(&group);
  return gif && (v.Loops != (gif->LoopCount & 0xFFFF) ||
                 v.Compression != std::min<int>(gif->Compression(), 1));
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
  TPixelFormatChooser dialog(Settings(), Dialogs(), WarningsOn, &Window());
  TOnceChooser chooser(dialog);
  bool cancelled = false;
  const bool newDepth = AskDepthChange(chooser, v.Bits, image.GetBitCount(), cancelled);
  // A cancelled reduction with nothing else to apply is no edit: no undo step, nothing modified.
  if (!newDepth && !ChangesImage(image, v)) {
    changed_ = cancelled;  // after a cancelled depth change the user can apply again
    return;
  }
  TImageGroup* group = UniformGroupOf(image);
  const bool newSize = v.Width != image.Width() || v.Height != image.Height();
  if (group && (newDepth || newSize)) SaveUndoOfOthers(*group, &image);
  const bool dropsAlpha = newDepth && v.Bits != 32 && image.UsesAlpha();
  Session().ChangeImage(TSnapshot::Take, [&](TWorkImage& i) {
    ResizeCanvas(i, v.Width, v.Height);
    i.SetTransparent(v.Transparent);
    i.SetTransparentColor(v.TransparentColor);
    if (newDepth && group)
      ChangeGroupBitCount(*group, v.Bits, chooser, DefaultPaletteFile());
    else if (newDepth)
      i.ChangeBitCount(v.Bits, chooser, DefaultPaletteFile());
    ApplyClassValues(i, v);
    // Every value applied is one the file must get, even one that does not touch the pixels.
    i.SetModified(true);
  });
  RefreshShown();
  if (dropsAlpha)
    Editor().SetStatusText(2, "Pixels less than half opaque became the transparent color.");
  changed_ = cancelled;
}

void TPropertiesCommands::ApplyGroupProperties(TImageGroup& group) {
  if (dynamic_cast<TIconGroup*>(&group)) {
    changed_ = false;  // an icon's panel holds nothing to apply
    return;
  }
  const TPropertyValues v = panel_.ReadValues(MaxImageSideOf(group.ClassName()));
  CheckSurfaceSize(v.Width, v.Height);
  TPixelFormatChooser dialog(Settings(), Dialogs(), WarningsOn, &Window());
  TOnceChooser chooser(dialog);
  bool cancelled = false;
  const bool newDepth = AskDepthChange(chooser, v.Bits, group.BitCount, cancelled);
  if (!newDepth && !ChangesGroup(group, v)) {
    changed_ = cancelled;
    return;
  }
  // The whole group's change is one step of the group's own history; when no step can be taken
  // the change still goes in.
  group.SaveUndo();
  ResizeGroupCanvas(group, v.Width, v.Height);
  group.Transparent = v.Transparent;
  if (newDepth) ChangeGroupBitCount(group, v.Bits, chooser, DefaultPaletteFile());
  if (auto* gif = dynamic_cast<TGifImageGroup*>(&group)) {
    // A file without a looping extension keeps playing once unless the count was changed.
    if (v.Loops != (gif->LoopCount & 0xFFFF)) gif->LoopCount = v.Loops;
    gif->SetCompression(uint8_t(v.Compression));
  }
  group.SetModified(true);
  RefreshShown();
  changed_ = cancelled;
}

bool TPropertiesCommands::AskDepthChange(TOnceChooser& chooser, int bits, int current,
                                         bool& cancelled) {
  if (bits <= 0 || bits == current) return false;
  // The reduction is asked for before anything changes, so that a cancelled one can leave the
  // document as it was.
  cancelled = bits <= 8 && !chooser.Ask(bits);
  return !cancelled;
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
