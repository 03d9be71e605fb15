#include "editor/tools/TextTool.h"

#include "editor/EditSession.h"
#include "editor/ToolWindows.h"
#include "editor/ZoomView.h"
#include "editor/tools/ToolEnvironment.h"
#include "model/WorkImage.h"

int16_t TTextTool::Cursor() const {
  return TZoomView::crSizeAll;
}

void TTextTool::Activate() {
  ITextPad* pad = env_.TextPad();
  if (pad) pad->Show();
  TEditSession& session = env_.Session();
  TSelectBitmap* copy = session.WorkingCopy();
  if (!copy || !session.CurrentImage()) return;
  // Pixels still floating land first: the new layer would replace them.
  if (copy->HasLayer()) session.Commit(TSnapshot::Take, [](TSelectBitmap& c) { c.DropLayer(); });
  // The layer starts empty: the selection's pixels are lifted, then nothing stays selected.
  copy->LiftSelection(false, clWhite);
  copy->ClearSelection();
  const TRect visible = env_.View().VisibleRect();
  copy->LayerLeft = visible.Left;
  copy->LayerTop = visible.Top;
  if (pad) pad->TextPadChange();
  env_.View().Redraw(true);
}

void TTextTool::Deactivate() {
  if (ITextPad* pad = env_.TextPad()) pad->Hide();
  TEditSession& session = env_.Session();
  const TSelectBitmap* copy = session.WorkingCopy();
  const TWorkImage* image = session.CurrentImage();
  if (!copy || !image || !copy->HasLayer()) return;
  CommitText(session);  // what the pad rendered last
  if (image->HasLayer())
    session.Commit(TSnapshot::Taken, [](TSelectBitmap& c) { c.DropLayer(); });
  else
    session.LoadWorkingCopy();  // nothing placed: the picture and its selection stay as they were
  env_.View().Redraw(true);
}

void TTextTool::CommitText(TEditSession& session) {
  TSelectBitmap* copy = session.WorkingCopy();
  const TWorkImage* image = session.CurrentImage();
  if (!copy || !image || !copy->HasLayer()) return;
  // The image floats a layer only once this use of the tool has placed a text.
  const bool begun = image->HasLayer();
  if (!begun && !copy->HasSelection()) return;
  copy->SetModified(true);
  session.Commit(begun ? TSnapshot::Taken : TSnapshot::Take);
}

void TTextTool::MouseDown(Qt::MouseButton button, const QPoint& position,
                          Qt::KeyboardModifiers shift) {
  const std::optional<TPoint> press = BeginPress(button, position, shift);
  if (!press || MovingLayer) return;
  // The layer moves before the first letter too, so the text can start where the user wants;
  // the move of a placed text belongs to the undo step its first letter took.
  if (!env_.Session().WorkingCopy()->HasLayer()) return;
  StartLayerMove(*press);
}

void TTextTool::MouseUp() {
  if (!MovingLayer) return;
  const TSelectBitmap* copy = env_.Session().WorkingCopy();
  if (copy && (copy->LayerLeft != LastPoint.X || copy->LayerTop != LastPoint.Y))
    CommitText(env_.Session());
  FinishRelease();
}
