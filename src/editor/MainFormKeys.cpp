// The keyboard: the window sees every key before the focused control does, so that holding Ctrl
// shows the colour picker over the zoom box (a Ctrl press there picks instead of drawing) and
// releasing it brings back the tool's cursor. The shortcuts themselves belong to the commands.

#include <QApplication>
#include <QKeyEvent>

#include "controls/Pictures.h"
#include "documents/MainForm.h"

namespace {

// Watches the application's key events for one main window and hands those meant for it to its
// key handlers first; the events then go on as usual.
class TKeyPreview : public QObject {
 public:
  explicit TKeyPreview(TMainForm& form) : QObject(&form), form_(form) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type == QEvent::WindowDeactivate && watched == &form_) {
      // The release of a Ctrl held while the window is left goes elsewhere.
      form_.FormKeyUp(Qt::Key_Control, Qt::NoModifier);
    } else if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) && ForForm(watched)) {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (type == QEvent::KeyPress)
        form_.FormKeyDown(key->key(), key->modifiers());
      else
        form_.FormKeyUp(key->key(), key->modifiers());
    }
    return false;
  }

 private:
  bool ForForm(QObject* watched) const {
    return watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == &form_;
  }

  TMainForm& form_;
};

}  // namespace

void TMainForm::AttachKeyHandlers() {
  qApp->installEventFilter(new TKeyPreview(*this));
}

void TMainForm::FormKeyDown(int key, Qt::KeyboardModifiers) {
  // Auto-repeated presses find a cursor saved already and change nothing.
  if (!CurrentImage || key != Qt::Key_Control || SavedCursor != NoSavedCursor) return;
  SavedCursor = ZoomCursor();
  // Qt shows a widget's new cursor at once, so the pointer need not be moved to show it.
  SetZoomCursor(Pictures::crPick);
}

void TMainForm::FormKeyUp(int key, Qt::KeyboardModifiers) {
  if (key != Qt::Key_Control) return;
  // A tool chosen meanwhile has set its own cursor, which stays.
  if (SavedCursor != NoSavedCursor && ZoomCursor() == Pictures::crPick) SetZoomCursor(SavedCursor);
  SavedCursor = NoSavedCursor;
}
