// The Image menu's rotations and mirrors, and its two filters.

#include "documents/commands/ImageCommands.h"
#include "editor/EditSession.h"
#include "editor/Editor.h"
#include "editor/EditorServices.h"
#include "editor/ZoomView.h"
#include "model/RasterTransforms.h"
#include "model/WorkImage.h"
#include "palettes/ColorChoiceDlg.h"
#include "windows/Dialogs.h"

void TImageCommands::AttachTransformCommands() {
  using C = TImageCommands;
  Bind("Rotate90Act", &C::Rotate90ActExecute, &C::QuarterTurnUpdate);
  Bind("Rotate90ccwAct", &C::Rotate90ccwActExecute, &C::QuarterTurnUpdate);
  Bind("Rotate180Act", &C::Rotate180ActExecute, &C::SelectAllActUpdate);
  Bind("HMirrorAct", &C::HMirrorActExecute, &C::SelectAllActUpdate);
  Bind("VMirrorAct", &C::VMirrorActExecute, &C::SelectAllActUpdate);
  Bind("GrayscaleAct", &C::GrayscaleActExecute, &C::GrayscaleActUpdate);
  Bind("GrayAndBlendAct", &C::GrayAndBlendActExecute, &C::GrayscaleActUpdate);
}

void TImageCommands::Transform(void (*op)(TSelectBitmap&), bool turnsQuarter) {
  if (!Prepare() || (turnsQuarter && !QuarterTurnAllowed())) return;
  // A turn is an edit like any other: Undo takes back the turn, not the edit before it.
  Session().ChangeImage(TSnapshot::Take, [op](TWorkImage& image) {
    op(image);
    image.SetModified(true);
  });
  ShowChange(turnsQuarter);
}

void TImageCommands::Rotate90ActExecute() {
  Transform(RotateClockwise, true);
}
void TImageCommands::Rotate90ccwActExecute() {
  Transform(RotateCounterClockwise, true);
}
void TImageCommands::Rotate180ActExecute() {
  Transform(Rotate180, false);
}
void TImageCommands::HMirrorActExecute() {
  Transform(MirrorHorizontal, false);
}
void TImageCommands::VMirrorActExecute() {
  Transform(FlipVertical, false);
}

void TImageCommands::Filter(const std::function<void(TSelectBitmap&)>& filter) {
  const bool applied = Session().ChangeImage(TSnapshot::Require, [&](TWorkImage& image) {
    // A floating piece is merged first, so the filter changes what the outline shows.
    image.DropLayer();
    filter(image);
    image.SetModified(true);
  });
  if (applied) {
    ShowChange();
    return;
  }
  const IEditorOptions* options = Editor().EditorOptions();
  if (!options || options->WarningsOn())
    Dialogs().Information(&Window(), "Can't create undo! Cancel action.");
}

void TImageCommands::GrayscaleActExecute() {
  if (!FiltersAllowed() || !Prepare()) return;
  Filter(GrayscaleSelection);
}

void TImageCommands::GrayAndBlendActExecute() {
  if (!FiltersAllowed() || !Prepare()) return;
  // The colour is asked for first: a cancelled choice leaves the history as it was.
  const std::optional<TColor> blend = PickPaletteColor(
      Dialogs(), &Window(), Session().CurrentImage()->GetPalette(), clSilver, true);
  if (!blend) return;
  Filter([color = *blend](TSelectBitmap& image) { BlendSelection(image, color); });
}
