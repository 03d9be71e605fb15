#pragma once
// TEditor: the canvas. It composes the edit session, the zoomed view, the colour panel and the
// tool box, is the tools' environment, and holds the handlers that span them: showing an image
// or a group that became current, undo and redo, and the Ctrl key's picker cursor.
//
// The window that holds the editor places its widgets (View().BackZoomPanel, View().ZoomCombo,
// View().ViewBox, Colors().Panel4, Tools().ToolPanel) and gives it the command list, the status
// bar and, once they exist, the options, the gradient window and the text pad.

#include <QObject>
#include <cstdint>

#include "editor/tools/ToolEnvironment.h"

class ICommandList;
class IEditorOptions;
class IStatusPanels;
class TImageGroup;
class TToolBox;
class TWorkImage;

class TEditor : public QObject, public IToolEnvironment {
  Q_OBJECT
 public:
  TEditor(ICommandList& commands, IStatusPanels& status, QObject* parent = nullptr);
  ~TEditor() override;

  TEditSession& Session() override { return *session_; }
  TZoomView& View() override { return *view_; }
  TColorPanel& Colors() override { return *colors_; }
  TToolBox& Tools() { return *tools_; }
  void SetStatusText(int panel, const QString& text) override;
  TToolOptions Options() const override;
  IGradientForm* GradientForm() const override { return gradientForm_; }
  ITextPad* TextPad() const override { return textPad_; }

  // Not owned; null until the windows exist.
  void SetOptions(const IEditorOptions* options);
  const IEditorOptions* EditorOptions() const { return options_; }
  void SetGradientForm(IGradientForm* form) { gradientForm_ = form; }
  void SetTextPad(ITextPad* pad) { textPad_ = pad; }

  // The start state: no image, grid and outline shown, the first working colours (which take
  // effect once an image is current) and the select tool pressed.
  void Start();
  // Attaches the editor's commands, its mouse and colour handlers, and the key preview of
  // `window`.
  void AttachHandlers(QWidget& window);

  // What the editor shows when the navigator makes an image or a group current. A group shows
  // no canvas: changes of the image left are kept, as one undo step.
  void ShowImage(TWorkImage& image);
  void ShowGroup(TImageGroup& group);
  // Nothing is current any more (the last document was closed).
  void Clear();
  // Lays out and repaints everything that shows the working copy.
  void Refresh();

  // Undo and redo (EditorUndo.cpp).
  void UndoActExecute();
  void RedoActExecute();

  // The Ctrl key (EditorKeys.cpp): while it is held the zoom box shows the colour picker.
  static constexpr int16_t NoSavedCursor = 9999;
  int16_t SavedCursor = NoSavedCursor;
  void FormKeyDown(int key, Qt::KeyboardModifiers shift);
  void FormKeyUp(int key, Qt::KeyboardModifiers shift);

 private:
  // Runs `show`; the text tool starts over on the new picture, its text going into the old one
  // first.
  template <typename F>
  void RestartingTextTool(F show);
  void AttachUndoHandlers();
  void AttachKeyHandlers(QWidget& window);
  void StepHistory(bool redo);

  ICommandList& commands_;
  IStatusPanels& status_;
  TEditSession* session_;
  TZoomView* view_;
  TColorPanel* colors_;
  TToolBox* tools_;
  const IEditorOptions* options_ = nullptr;
  IGradientForm* gradientForm_ = nullptr;
  ITextPad* textPad_ = nullptr;
};
