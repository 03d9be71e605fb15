#pragma once
// TfrmCommentEditor: the small dialog in which the comment of a GIF image or frame is edited.

#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>

class IDialogs;

class TfrmCommentEditor : public QDialog {
  Q_OBJECT
 public:
  explicit TfrmCommentEditor(QWidget* parent = nullptr);

  QPlainTextEdit* Memo1;
  QPushButton* OKBtn;
  QPushButton* CancelBtn;
};

// Edits `text`; returns the edited text after "&OK" and `text` itself otherwise.
QString EditComment(IDialogs& dialogs, QWidget* parent, const QString& text);
