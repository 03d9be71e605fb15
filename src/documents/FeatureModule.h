#pragma once
// The seam between the main window and its feature modules (files/, frames/, properties/,
// commands/). The window builds the layout and owns the services; a module gets them through its
// context and attaches its own behaviour to the commands of the command table, by name, in
// Attach(), which the window calls once every part exists:
//
//   void TFrameCommands::Attach() {
//     Actions().OnExecute("AddFrameAct", [this] { AddFrameActExecute(); });
//     Actions().OnUpdate("AddFrameAct",
//                        [this](QAction& a) { a.setEnabled(Session().CurrentGroup()); });
//   }
//
// What is edited is reached through Editor() (its session, view, colours and tools), what is open
// through Navigator(), and what the window shows through Documents().

#include <QMainWindow>
#include <QObject>

class IClipboard;
class IDialogs;
class TActionList;
class TDocumentView;
class TEditSession;
class TEditor;
class TImageBrowseFrm;
class TIniFile;
class TMruList;

struct TFeatureContext {
  QMainWindow& Window;  // the parent of the module's dialogs
  TActionList& Actions;
  IDialogs& Dialogs;
  IClipboard& Clipboard;
  TIniFile& Settings;
  TMruList& Mru;
  TEditor& Editor;
  TImageBrowseFrm& Navigator;
  TDocumentView& Documents;
};

class TFeatureModule : public QObject {
 public:
  explicit TFeatureModule(const TFeatureContext& context);

  // Attaches the module's handlers to its commands.
  virtual void Attach() = 0;

 protected:
  QMainWindow& Window() const { return context_.Window; }
  TActionList& Actions() const { return context_.Actions; }
  IDialogs& Dialogs() const { return context_.Dialogs; }
  IClipboard& Clipboard() const { return context_.Clipboard; }
  TIniFile& Settings() const { return context_.Settings; }
  TEditor& Editor() const { return context_.Editor; }
  TEditSession& Session() const;
  TImageBrowseFrm& Navigator() const { return context_.Navigator; }
  TDocumentView& Documents() const { return context_.Documents; }

  const TFeatureContext context_;
};
