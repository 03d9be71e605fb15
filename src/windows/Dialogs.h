#pragma once
// Every modal interaction of the editor goes through IDialogs: message and question boxes, the
// open and save dialogs, the colour picker and the program's own modal dialogs. The desktop uses
// TQtDialogs; tests plug in TScriptedDialogs, which answers from a script and records what was
// asked, so no test ever blocks on a modal window.

#include <QColor>
#include <QDialog>
#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

enum class TAnswer { Yes, No, Cancel, Ok };
enum class TQuestionButtons { YesNo, YesNoCancel };

struct TFileDialogRequest {
  QString Title;
  // Pairs of description and patterns separated by '|': "Bitmaps (*.bmp)|*.bmp|...".
  QString Filter;
  int FilterIndex = 1;  // 1-based, as the filter pairs are counted
  QString InitialDir;   // empty: the system's default folder
  QString FileName;
  QString DefaultSuffix;  // without the dot
  bool MultiSelect = false;
  // The open dialog shows a preview of the picture under the cursor.
  bool Preview = false;
};

struct TFileDialogResult {
  QStringList Files;
  int FilterIndex = 1;
};

class IDialogs {
 public:
  virtual ~IDialogs() = default;
  // A notice with only an OK button.
  virtual void Information(QWidget* parent, const QString& text) = 0;
  // The application's error box, showing the message of a failed command.
  virtual void Error(QWidget* parent, const QString& text) = 0;
  virtual TAnswer Question(QWidget* parent, const QString& text, TQuestionButtons buttons) = 0;
  virtual std::optional<TFileDialogResult> OpenFiles(QWidget* parent,
                                                     const TFileDialogRequest& request) = 0;
  // Asks before overwriting an existing file.
  virtual std::optional<TFileDialogResult> SaveFile(QWidget* parent,
                                                    const TFileDialogRequest& request) = 0;
  virtual std::optional<QColor> PickColor(QWidget* parent, const QColor& initial) = 0;
  // Shows one of the program's own dialogs modally and returns its result code.
  virtual int Exec(QDialog& dialog) = 0;
};

// Splits "desc|pattern|desc|pattern" into the name filters of a Qt file dialog.
QStringList FileDialogNameFilters(const QString& filter);

class TQtDialogs : public IDialogs {
 public:
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
