#include "documents/ActionList.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "controls/Pictures.h"

TActionList::TActionList(QWidget* owner) : QObject(owner) {
  for (const TCommandDef& def : CommandTable()) {
    if (!IsCommandRow(def)) continue;
    QAction* action = Create(owner, def);
    actions_.push_back(action);
    byName_.insert(def.Name, action);
    handlers_[def.Name].Def = &def;
  }
  if (auto* dispatcher = QAbstractEventDispatcher::instance())
    connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &TActionList::UpdateAll);
  if (QCoreApplication::instance()) QCoreApplication::instance()->installEventFilter(this);
}

bool TActionList::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::Shortcut:
    case QEvent::WindowActivate:
    case QEvent::Close:
      ScheduleUpdate();
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

void TActionList::ScheduleUpdate() {
  // Once the events now queued are handled: the moment the program is idle again.
  if (scheduled_) return;
  scheduled_ = true;
  QTimer::singleShot(0, this, [this] {
    scheduled_ = false;
    UpdateAll();
  });
}

QString TActionList::DisplayHint(const char* hint) {
  return QString::fromUtf8(hint).replace("\r\n", "\n");
}

QAction* TActionList::Create(QWidget* owner, const TCommandDef& def) {
  auto* action = new QAction(QString::fromUtf8(def.Caption), owner);
  action->setObjectName(def.Name);
  const QString shortcut = QString::fromUtf8(def.Shortcut);
  if (shortcut.contains("Return")) {
    // The keypad's Enter key counts as Enter too.
    action->setShortcuts(
        {QKeySequence(shortcut), QKeySequence(QString(shortcut).replace("Return", "Enter"))});
  } else if (!shortcut.isEmpty()) {
    action->setShortcut(QKeySequence(shortcut));
  }
  const QString hint = DisplayHint(def.Hint);
  action->setToolTip(hint);
  action->setStatusTip(hint.section('\n', 0, 0));
  action->setWhatsThis(QString::number(def.HelpTopic));
  action->setCheckable(def.Kind == TCommandKind::Check);
  action->setIcon(Pictures::CommandIcon(def.Name));
  action->setEnabled(false);
  action->setShortcutContext(Qt::WindowShortcut);
  owner->addAction(action);
  const QString name = def.Name;
  connect(action, &QAction::triggered, this, [this, name] { Triggered(name); });
  return action;
}

QAction* TActionList::Find(const QString& name) const {
  return byName_.value(name, nullptr);
}

QAction& TActionList::operator[](const QString& name) const {
  QAction* action = Find(name);
  if (!action) {
    std::fprintf(stderr, "Velmora: no command named %s\n", qPrintable(name));
    std::abort();
  }
  return *action;
}

const TCommandDef* TActionList::Definition(const QString& name) const {
  const auto it = handlers_.find(name);
  return it == handlers_.end() ? nullptr : it->Def;
}

TActionList::THandlers& TActionList::Handlers(const QString& name) {
  (void)operator[](name);  // a wrong name is a programming error
  return handlers_[name];
}

void TActionList::OnExecute(const QString& name, TExecute handler) {
  Handlers(name).Execute = std::move(handler);
}

void TActionList::OnUpdate(const QString& name, TUpdate handler) {
  Handlers(name).Update = std::move(handler);
}

bool TActionList::HasExecute(const QString& name) const {
  const auto it = handlers_.find(name);
  return it != handlers_.end() && bool(it->Execute);
}

bool TActionList::Run(const QString& name) {
  const auto it = handlers_.find(name);
  if (it == handlers_.end() || !it->Execute) return false;
  const TExecute execute = it->Execute;  // the handler may replace itself
  execute();
  return true;
}

void TActionList::Triggered(const QString& name) {
  ScheduleUpdate();
  try {
    Run(name);
  } catch (const std::exception& e) {
    if (onError_) onError_(QString::fromUtf8(e.what()));
  }
}

void TActionList::UpdateAll() {
  if (updating_) return;
  updating_ = true;
  for (QAction* action : actions_) {
    const THandlers& h = handlers_[action->objectName()];
    try {
      if (!h.Execute)
        action->setEnabled(false);
      else if (h.Update)
        h.Update(*action);
      else
        action->setEnabled(true);
    } catch (const std::exception&) {
      action->setEnabled(false);  // a failing update must not bring the idle loop down
    }
  }
  updating_ = false;
}
