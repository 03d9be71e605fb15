#include "documents/HelpForm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QUrl>
#include <QVBoxLayout>

#include "documents/HelpPages.h"

THelpForm::THelpForm(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("HelpForm");
  setWindowTitle("Velmora Help");
  resize(640, 520);
  SearchEdit = new QLineEdit(this);
  SearchEdit->setPlaceholderText("Search the index");
  SearchEdit->setClearButtonEnabled(true);
  Browser = new QTextBrowser(this);
  Browser->setOpenLinks(false);
  connect(Browser, &QTextBrowser::anchorClicked, this, &THelpForm::LinkClicked);
  connect(SearchEdit, &QLineEdit::textChanged, this,
          [this](const QString& text) { ShowIndex(text); });
  auto* top = new QHBoxLayout;
  top->addWidget(new QLabel("Find:", this));
  top->addWidget(SearchEdit);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(Browser);
}

void THelpForm::Present() {
  show();
  raise();
  activateWindow();
}

void THelpForm::ShowContents() {
  topic_ = 0;
  Browser->setHtml(HelpPages::Contents());
  Present();
}

void THelpForm::ShowIndex(const QString& keyword) {
  topic_ = -1;
  if (SearchEdit->text() != keyword) {
    const QSignalBlocker block(SearchEdit);
    SearchEdit->setText(keyword);
  }
  Browser->setHtml(HelpPages::Index(keyword));
  Present();
}

void THelpForm::ShowTopic(int topic) {
  topic_ = topic;
  Browser->setHtml(HelpPages::Topic(topic));
  Present();
}

void THelpForm::LinkClicked(const QUrl& url) {
  const QString target = url.toString();
  if (target == "contents")
    ShowContents();
  else if (target == "index")
    ShowIndex();
  else if (target.startsWith("topic:"))
    ShowTopic(target.mid(6).toInt());
}
