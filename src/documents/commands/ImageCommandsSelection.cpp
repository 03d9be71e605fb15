// The clipboard and selection commands of the Edit menu.

#include "documents/commands/ImageCommands.h"
#include "editor/ColorPanel.h"
#include "editor/EditSession.h"
#include "editor/Editor.h"
#include "editor/EditorServices.h"
#include "editor/ToolBox.h"
#include "editor/ZoomView.h"
#include "model/Clipboard.h"
#include "model/ColorReduction.h"
#include "model/WorkImage.h"

namespace {

// What a copy passes as fill colour: no colour at all (a copy fills nothing).
constexpr TColor NoFillColor = 0x1FFFFFFF;

TDitherMode PasteDitherMode(const IEditorOptions* options) {
  return DitherModeFromIndex(options ? options->PasteDither() : 0);
}

}  // namespace

void TImageCommands::AttachSelectionCommands() {
  using C = TImageCommands;
  Bind("CutAct", &C::CutActExecute, &C::CopyActUpdate);
  Bind("CopyAct", &C::CopyActExecute, &C::CopyActUpdate);
  Bind("PasteAct", &C::PasteActExecute, &C::PasteActUpdate);
  Bind("SelectAllAct", &C::SelectAllActExecute, &C::SelectAllActUpdate);
  Bind("UnselectAct", &C::UnselectActExecute, &C::SelectAllActUpdate);
  Bind("FillSelectionAct", &C::FillSelectionActExecute, &C::CopyActUpdate);
  Bind("DelSelctionAct", &C::DelSelctionActExecute, &C::CopyActUpdate);
}

void TImageCommands::CopyActExecute() {
  // Without a selection the clipboard keeps what it holds.
  if (!Prepare() || !SelectionPresent()) return;
  Session().WorkingCopy()->CopySelection(Clipboard(), false, NoFillColor);
}

void TImageCommands::CutActExecute() {
  if (!Prepare() || !SelectionPresent()) return;
  const TColor fill = Editor().Colors().CurrentRightColor();
  // A floating layer goes with its selection; otherwise the selected pixels take the right
  // colour and the selection stays. Either way the picture that would be saved changes.
  Session().Commit(TSnapshot::Take, [&](TSelectBitmap& copy) {
    copy.CopySelection(Clipboard(), true, fill);
    copy.SetModified(true);
  });
  Editor().View().Redraw(true);
}

void TImageCommands::PasteActExecute() {
  if (!Prepare()) return;
  // Read once: a picture from another program crosses the desktop each time it is asked for.
  std::optional<TSurface> bitmap = Clipboard().GetBitmap();
  if (!bitmap) return;
  // The tool that moves the pasted piece is chosen first, so that leaving the text tool merges
  // its own text, not the pasted layer.
  Editor().Tools().PressLayerTool();
  const TDitherMode dither = PasteDitherMode(Editor().EditorOptions());
  const TRect visible = Editor().View().VisibleRect();
  Session().ChangeImage(TSnapshot::Take, [&](TWorkImage& image) {
    image.PasteBitmap(std::move(*bitmap), dither);
    // The piece lands at the top-left pixel in view.
    image.LayerLeft = visible.Left;
    image.LayerTop = visible.Top;
    image.SetModified(true);
  });
  Editor().View().Redraw(true);
}

void TImageCommands::SelectAllActExecute() {
  if (!Prepare()) return;
  const bool wasModified = Session().CurrentImage()->IsModified();
  Session().Commit(TSnapshot::Take, [&](TSelectBitmap& copy) {
    const bool merged = copy.HasLayer();
    copy.DropLayer();
    copy.EditMask().Fill(false);
    // The selection alone is no change of the picture; merging a moved layer is.
    copy.SetModified(wasModified || merged);
  });
  Editor().View().Redraw();
}

void TImageCommands::UnselectActExecute() {
  if (!Prepare()) return;
  const TSelectBitmap& current = *Session().WorkingCopy();
  // Nothing to drop: no undo step that would change nothing (a click on the grey margin runs
  // this command too, and each would push a real edit out of the history).
  if (!current.HasLayer() && !current.HasSelection()) return;
  const bool wasModified = Session().CurrentImage()->IsModified();
  Session().Commit(TSnapshot::Take, [&](TSelectBitmap& copy) {
    const bool merged = copy.HasLayer();
    copy.DropLayer();
    copy.ClearSelection();
    copy.SetModified(wasModified || merged);
  });
  Editor().View().Redraw(true);
}

void TImageCommands::FillSelectionActExecute() {
  if (!Prepare() || !SelectionPresent()) return;
  const TColor fill = Editor().Colors().CurrentLeftColor();
  Session().ChangeImage(TSnapshot::Take, [&](TWorkImage& image) {
    image.DropLayer();
    image.LiftSelection(true, fill);
    image.DiscardLayer();
  });
  ShowChange();
}

void TImageCommands::DelSelctionActExecute() {
  if (!Prepare() || !SelectionPresent()) return;
  const TColor fill = Editor().Colors().CurrentRightColor();
  Session().ChangeImage(TSnapshot::Take, [&](TWorkImage& image) {
    if (image.HasLayer()) {
      // The floating piece is thrown away; what it was lifted from stays as the lift left it.
      image.ClearSelection();
      image.LayerLeft = 0;
      image.LayerTop = 0;
      image.DiscardLayer();
      image.SetModified(true);
    } else {
      image.LiftSelection(true, fill);
      image.DiscardLayer();
    }
  });
  ShowChange();
}
