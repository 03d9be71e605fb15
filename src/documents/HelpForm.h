#pragma once
// THelpForm: the help window, showing the pages generated from the command table by topic number.
// It is an ordinary window beside the editor, not a modal dialog.

#include <QLineEdit>
#include <QTextBrowser>
#include <QWidget>

class THelpForm : public QWidget {
  Q_OBJECT
 public:
  explicit THelpForm(QWidget* parent = nullptr);

  void ShowContents();
  // The index with a keyword search; an empty keyword lists every command.
  void ShowIndex(const QString& keyword = {});
  void ShowTopic(int topic);
  // The topic shown last; 0 for the contents, -1 for the index.
  int CurrentTopic() const { return topic_; }

  QLineEdit* SearchEdit;
  QTextBrowser* Browser;

 private:
  void Present();
  void LinkClicked(const QUrl& url);

  int topic_ = 0;
};
