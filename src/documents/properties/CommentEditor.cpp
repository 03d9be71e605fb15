#include "documents/properties/CommentEditor.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "windows/Dialogs.h"

TfrmCommentEditor::TfrmCommentEditor(QWidget* parent) : QDialog(parent) {
  setObjectName("frmCommentEditor");
  setWindowTitle("Comments");
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName("Memo1");
  Memo1->setAccessibleName("Comments");
  Memo1->setTabChangesFocus(true);
  OKBtn = new QPushButton("&OK", this);
  OKBtn->setObjectName("OKBtn");
  CancelBtn = new QPushButton("&Cancel", this);
  CancelBtn->setObjectName("CancelBtn");
  connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OKBtn);
  buttons->addWidget(CancelBtn);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Memo1, 1);
  layout->addLayout(buttons);
  resize(360, 240);
}

QString EditComment(IDialogs& dialogs, QWidget* parent, const QString& text) {
  TfrmCommentEditor dlg(parent);
  dlg.Memo1->setPlainText(text);
  if (dialogs.Exec(dlg) != QDialog::Accepted) return text;
  return dlg.Memo1->toPlainText();
}
