#include "windows/ScriptedDialogs.h"

namespace {

template <typename T>
T Next(std::deque<T>& queue, T fallback) {
  if (!queue.empty()) {
    fallback = std::move(queue.front());
    queue.pop_front();
  }
  return fallback;
}

}  // namespace

QStringList TScriptedDialogs::Shown(const QString& kind) const {
  QStringList texts;
  for (const TShown& s : Log)
    if (s.Kind == kind) texts << s.Text;
  return texts;
}

void TScriptedDialogs::Information(QWidget*, const QString& text) {
  Log.push_back({"information", text});
}

void TScriptedDialogs::Error(QWidget*, const QString& text) {
  Log.push_back({"error", text});
}

TAnswer TScriptedDialogs::Question(QWidget*, const QString& text, TQuestionButtons buttons) {
  Log.push_back({"question", text});
  const TAnswer fallback = buttons == TQuestionButtons::YesNo ? TAnswer::No : TAnswer::Cancel;
  return Next(Answers, fallback);
}

std::optional<TFileDialogResult> TScriptedDialogs::OpenFiles(QWidget*,
                                                             const TFileDialogRequest& request) {
  Log.push_back({"open", request.Title});
  FileRequests.push_back(request);
  return Next(OpenResults, std::optional<TFileDialogResult>());
}

std::optional<TFileDialogResult> TScriptedDialogs::SaveFile(QWidget*,
                                                            const TFileDialogRequest& request) {
  Log.push_back({"save", request.Title});
  FileRequests.push_back(request);
  return Next(SaveResults, std::optional<TFileDialogResult>());
}

std::optional<QColor> TScriptedDialogs::PickColor(QWidget*, const QColor& initial) {
  Log.push_back({"color", initial.name()});
  return Next(Colors, std::optional<QColor>());
}

int TScriptedDialogs::Exec(QDialog& dialog) {
  Log.push_back({"dialog", dialog.objectName()});
  auto script = Next(DialogScripts, std::function<int(QDialog&)>());
  if (!script) return QDialog::Rejected;
  dialog.setResult(QDialog::Rejected);
  dialog.show();
  const int result = script(dialog);
  dialog.hide();
  return result;
}
