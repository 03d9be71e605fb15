// The keyboard: the window sees every key before the focused control does, so that holding Ctrl
// shows the colour picker over the zoom box (a Ctrl press there picks instead of drawing) and
// releasing it brings back the tool's cursor. The shortcuts themselves belong to the commands.

#include <QApplication>
#include <QAbstractSpinBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include "controls/Pictures.h"
#include "editor/EditSession.h"
#include "editor/Editor.h"
#include "editor/ZoomView.h"

namespace {

// Page Up and Page Down are the zoom commands' keys. A key press only arrives here when its
// command did not take it (at the largest or smallest zoom, or without an image); it must not
// go on to the focused control then, or the navigator would page to another document and the
// user would go on painting the wrong image. Text fields keep their own use of the keys.
bool IsSwallowedZoomKey(const QKeyEvent& key, QObject* target) {
  if (key.key() != Qt::Key_PageUp && key.key() != Qt::Key_PageDown) return false;
  if (key.modifiers() & ~Qt::KeypadModifier) return false;
  return !qobject_cast<QLineEdit*>(target) && !qobject_cast<QAbstractSpinBox*>(target) &&
         !qobject_cast<QTextEdit*>(target) && !qobject_cast<QPlainTextEdit*>(target);
}

// Watches the application's key events for one window and hands those meant for it to the
// editor's key handlers first; the events then go on as usual.
class TKeyPreview : public QObject {
 public:
  TKeyPreview(TEditor& editor, QWidget& window)
      : QObject(&editor), editor_(editor), window_(window) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type == QEvent::WindowDeactivate && watched == &window_) {
      // The release of a Ctrl held while the window is left goes elsewhere.
      editor_.FormKeyUp(Qt::Key_Control, Qt::NoModifier);
    } else if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) && ForWindow(watched)) {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (type == QEvent::KeyPress)
        editor_.FormKeyDown(key->key(), key->modifiers());
      else
        editor_.FormKeyUp(key->key(), key->modifiers());
      return IsSwallowedZoomKey(*key, watched);
    }
    return false;
  }

 private:
  bool ForWindow(QObject* watched) const {
    return watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == &window_;
  }

  TEditor& editor_;
  QWidget& window_;
};

}  // namespace

void TEditor::AttachKeyHandlers(QWidget& window) {
  qApp->installEventFilter(new TKeyPreview(*this, window));
}

void TEditor::FormKeyDown(int key, Qt::KeyboardModifiers) {
  // Auto-repeated presses find a cursor saved already and change nothing.
  if (!session_->CurrentImage() || key != Qt::Key_Control || SavedCursor != NoSavedCursor) return;
  SavedCursor = view_->ZoomCursor();
  // Qt shows a widget's new cursor at once, so the pointer need not be moved to show it.
  view_->SetZoomCursor(Pictures::crPick);
}

void TEditor::FormKeyUp(int key, Qt::KeyboardModifiers) {
  if (key != Qt::Key_Control) return;
  // A tool chosen meanwhile has set its own cursor, which stays.
  if (SavedCursor != NoSavedCursor && view_->ZoomCursor() == Pictures::crPick)
    view_->SetZoomCursor(SavedCursor);
  SavedCursor = NoSavedCursor;
}
