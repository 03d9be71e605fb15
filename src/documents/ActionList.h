#pragma once
// TActionList: the main window's commands as QActions, made from the command table.
//
// Work on the editor attaches behaviour by command name:
//   Actions().OnExecute("SaveAct", [this] { SaveActExecute(); });
//   Actions().OnUpdate("SaveAct", [this](QAction& a) { a.setEnabled(...); });
// Update handlers run whenever the program is idle: each time the event loop is about to wait for
// new events, and once the events of a user's key press, click or command have been handled.
// Commands never call them themselves. A command without an execute handler is
// disabled by that same idle pass, so commands whose behaviour is not there yet exist, with their
// menu items and shortcuts, but cannot be chosen. Exceptions thrown by an execute handler are
// reported through the error handler (the application's error box).

#include <QAction>
#include <QHash>
#include <QObject>
#include <functional>
#include <vector>

#include "documents/CommandTable.h"
#include "editor/EditorServices.h"

class TActionList : public QObject, public ICommandList {
  Q_OBJECT
 public:
  // Creates one action per command row, owned by and added to `owner` (so shortcuts work).
  explicit TActionList(QWidget* owner);

  QAction* Find(const QString& name) const;
  // The action of a command that must exist (aborts on a wrong name: a programming error).
  QAction& operator[](const QString& name) const override;
  const TCommandDef* Definition(const QString& name) const;
  const std::vector<QAction*>& All() const { return actions_; }

  void OnExecute(const QString& name, TExecute handler) override;
  void OnUpdate(const QString& name, TUpdate handler) override;
  bool HasExecute(const QString& name) const;
  // Calls the execute handler directly (whatever the enabled state); false without one.
  bool Run(const QString& name) override;

  // The idle pass: runs every update handler and disables commands without behaviour.
  void UpdateAll();
  void SetErrorHandler(std::function<void(const QString&)> handler) {
    onError_ = std::move(handler);
  }

  // Hint text for display: the table writes line breaks as "\r\n".
  static QString DisplayHint(const char* hint);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct THandlers {
    const TCommandDef* Def = nullptr;
    TExecute Execute;
    TUpdate Update;
  };

  QAction* Create(QWidget* owner, const TCommandDef& def);
  void Triggered(const QString& name);
  void ScheduleUpdate();
  THandlers& Handlers(const QString& name);

  std::vector<QAction*> actions_;
  QHash<QString, QAction*> byName_;
  QHash<QString, THandlers> handlers_;
  std::function<void(const QString&)> onError_;
  bool updating_ = false;
  bool scheduled_ = false;
};
