// The canvas's parts put together, and what it shows when another picture becomes current.

#include "editor/Editor.h"

#include "controls/Pictures.h"
#include "editor/ColorPanel.h"
#include "editor/EditSession.h"
#include "editor/EditorServices.h"
#include "editor/ToolBox.h"
#include "editor/ZoomView.h"
#include "model/ImageGroup.h"
#include "model/WorkImage.h"

TEditor::TEditor(ICommandList& commands, IStatusPanels& status, QObject* parent)
    : QObject(parent), commands_(commands), status_(status) {
  session_ = new TEditSession(this);
  view_ = new TZoomView(*session_, commands, this);
  colors_ = new TColorPanel(*session_, commands, status, this);
  tools_ = new TToolBox(*this, commands, this);
}

TEditor::~TEditor() = default;

void TEditor::SetStatusText(int panel, const QString& text) {
  status_.SetStatusText(panel, text);
}

TToolOptions TEditor::Options() const {
  TToolOptions options;
  options.SelectMode = tools_->SelectionMode();
  options.ClosedStyle = tools_->ClosedStyle();
  options.ClearUnderSelection = options_ && options_->ClearUnderSelection();
  return options;
}

void TEditor::SetOptions(const IEditorOptions* options) {
  options_ = options;
  view_->SetOptions(options);
}

void TEditor::Start() {
  session_->SetCurrentImage(nullptr);
  session_->DropWorkingCopy();
  view_->ZoomBox->resize(0, 0);
  view_->ViewImg->resize(0, 0);
  Pictures::LoadCursors();
  view_->ViewBitmap = TSurface();
  commands_["ToggleGridAct"].setChecked(true);
  view_->GridVisible = true;
  commands_["ToggleSelectAct"].setChecked(true);
  view_->OutlineVisible = true;
  view_->UpdateZoomLayout();
  colors_->ApplyLeftColor(MakeColor(0, 128, 128));
  colors_->ApplyRightColor(clWhite);
  colors_->UpdateMiddleColor();
  tools_->SelectBtn->SetDown(true);
}

void TEditor::AttachHandlers(QWidget& window) {
  view_->AttachHandlers();
  connect(view_, &TZoomView::PointerLeft, colors_, &TColorPanel::PanelMouseLeave);
  tools_->AttachHandlers();
  AttachUndoHandlers();
  AttachKeyHandlers(window);
  colors_->AttachHandlers();
}

template <typename F>
void TEditor::RestartingTextTool(F show) {
  const bool textTool = tools_->TextBtn->Down();
  if (textTool) tools_->SelectBtn->SetDown(true);
  show();
  colors_->ColorGrid->viewport()->update();
  if (textTool) tools_->TextBtn->SetDown(true);
}

void TEditor::ShowImage(TWorkImage& image) {
  RestartingTextTool([&] {
    session_->SetCurrentImage(&image);
    session_->SetCurrentGroup(nullptr);
    colors_->SizeColorGrid(image.GetPalette().Count);
    colors_->Panel4Resize();
    if (image.HasLayer()) tools_->PressLayerTool();
    session_->LoadWorkingCopy();
    view_->SizePreview();
    colors_->ApplyLeftColor(image.GetLeftColor());
    colors_->ApplyRightColor(image.GetRightColor());
    colors_->UpdateMiddleColor();
    view_->UpdateZoomLayout();
    view_->ZoomBoxPaint();
  });
}

void TEditor::ShowGroup(TImageGroup& group) {
  RestartingTextTool([&] {
    session_->CommitPending();
    session_->SetCurrentImage(nullptr);
    session_->DropWorkingCopy();
    view_->Timer1->stop();
    session_->SetCurrentGroup(&group);
    view_->ZoomBox->resize(0, 0);
    colors_->UpdateMiddleColor();
    view_->UpdateZoomLayout();
    view_->SizePreview();
  });
}

void TEditor::Clear() {
  session_->DropWorkingCopy();
  session_->SetCurrentImage(nullptr);
  session_->SetCurrentGroup(nullptr);
  view_->Clear();
}

void TEditor::Refresh() {
  view_->UpdateZoomLayout();
  view_->ZoomBoxPaint();
  view_->SizePreview();
  colors_->ColorGrid->viewport()->update();
}
