#pragma once
// Dialogs that answer from a script, for tests: each kind of interaction takes the next queued
// answer (or a harmless default when the queue is empty: Cancel, No file, no colour, dialog
// rejected) and is recorded in Log.

#include <deque>
#include <functional>
#include <vector>

#include "windows/Dialogs.h"

class TScriptedDialogs : public IDialogs {
 public:
  struct TShown {
    QString Kind;  // "information", "error", "question", "open", "save", "color", "dialog"
    QString Text;  // the message, the dialog title or the dialog's object name
  };

  std::vector<TShown> Log;
  std::deque<TAnswer> Answers;
  std::deque<std::optional<TFileDialogResult>> OpenResults;
  std::deque<std::optional<TFileDialogResult>> SaveResults;
  std::deque<std::optional<QColor>> Colors;
  // Each script gets the dialog while it is shown (not modally) and returns its result code;
  // it may press the dialog's own buttons, which then decide the result.
  std::deque<std::function<int(QDialog&)>> DialogScripts;
  std::vector<TFileDialogRequest> FileRequests;

  // The texts shown with the given kind, in order.
  QStringList Shown(const QString& kind) const;

  void Information(QWidget* parent, const QString& text) override;
  void Error(QWidget* parent, const QString& text) override;
  TAnswer Question(QWidget* parent, const QString& text, TQuestionButtons buttons) override;
  std::optional<TFileDialogResult> OpenFiles(QWidget* parent,
                                             const TFileDialogRequest& request) override;
  std::optional<TFileDialogResult> SaveFile(QWidget* parent,
                                            const TFileDialogRequest& request) override;
  std::optional<QColor> PickColor(QWidget* parent, const QColor& initial) override;
  int Exec(QDialog& dialog) override;
};
