// The Image menu's rotations and mirrors, and its two filters.

#include "documents/ActionList.h"
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
  TActionList& a = Actions();
  const auto withImage = [this](QAction& act) { SelectAllActUpdate(act); };
  const auto quarterTurn = [this](QAction& act) { act.setEnabled(QuarterTurnAllowed()); };
  const auto filters = [this](QAction& act) { GrayscaleActUpdate(act); };
  a.OnExecute("Rotate90Act", [this] { Rotate90ActExecute(); });
  a.OnUpdate("Rotate90Act", quarterTurn);
  a.OnExecute("Rotate90ccwAct", [this] { Rotate90ccwActExecute(); });
  a.OnUpdate("Rotate90ccwAct", quarterTurn);
  a.OnExecute("Rotate180Act", [this] { Rotate180ActExecute(); });
  a.OnUpdate("Rotate180Act", withImage);
  a.OnExecute("HMirrorAct", [this] { HMirrorActExecute(); });
  a.OnUpdate("HMirrorAct", withImage);
  a.OnExecute("VMirrorAct", [this] { VMirrorActExecute(); });
  a.OnUpdate("VMirrorAct", withImage);
  a.OnExecute("GrayscaleAct", [this] { GrayscaleActExecute(); });
  a.OnUpdate("GrayscaleAct", filters);
  a.OnExecute("GrayAndBlendAct", [this] { GrayAndBlendActExecute(); });
  a.OnUpdate("GrayAndBlendAct", filters);
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
