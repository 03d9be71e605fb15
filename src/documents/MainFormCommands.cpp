// Menus and tool bars, made from the command table.

#include <QMenuBar>
#include <cstring>

#include "documents/ActionList.h"
#include "documents/CommandTable.h"
#include "documents/MainForm.h"
#include "editor/Editor.h"
#include "editor/ZoomView.h"

namespace {

void AddButtons(QToolBar* bar, TActionList& actions, std::initializer_list<const char*> names) {
  for (const char* name : names) {
    if (name[0] == '-')
      bar->addSeparator();
    else
      bar->addAction(&actions[name]);
  }
}

QToolBar* MakeBar(QMainWindow* window, const char* name, const QString& title) {
  auto* bar = new QToolBar(title, window);
  bar->setObjectName(name);
  bar->setIconSize({16, 16});
  bar->setMovable(true);
  window->addToolBar(Qt::TopToolBarArea, bar);
  return bar;
}

}  // namespace

QMenu* TMainForm::MenuFor(const QString& path) {
  if (QMenu* menu = menus_.value(path)) return menu;
  const qsizetype slash = path.lastIndexOf('/');
  QMenu* menu = slash < 0 ? menuBar()->addMenu(path)
                          : MenuFor(path.left(slash))->addMenu(path.mid(slash + 1));
  for (const TMenuDef& def : MenuTable()) {
    if (QString::fromUtf8(def.Path) != path) continue;
    menu->setObjectName(def.Name);
    menu->menuAction()->setWhatsThis(QString::number(def.HelpTopic));
  }
  menus_.insert(path, menu);
  return menu;
}

void TMainForm::BuildMenus() {
  MRUPopup = new QMenu("&Reopen", this);
  MRUPopup->setObjectName("MRUPopup");
  for (const TCommandDef& def : CommandTable()) {
    if (!def.Menu[0]) continue;
    QMenu* menu = MenuFor(QString::fromUtf8(def.Menu));
    if (std::strcmp(def.Name, SeparatorRow) == 0)
      menu->addSeparator();
    else if (std::strcmp(def.Name, ReopenRow) == 0)
      menu->addMenu(MRUPopup);
    else
      menu->addAction(&Act(def.Name));
  }
}

void TMainForm::BuildToolBars() {
  FileBar = MakeBar(this, "FileBar", "File");
  AddButtons(FileBar, Actions(), {"NewImageAct", "PictureOpen", "SaveAct"});
  OpenBtn = qobject_cast<QToolButton*>(FileBar->widgetForAction(&Act("PictureOpen")));
  OpenBtn->setMenu(MRUPopup);
  OpenBtn->setPopupMode(QToolButton::MenuButtonPopup);
  EditBar = MakeBar(this, "EditBar", "Edit");
  AddButtons(EditBar, Actions(), {"UndoAct", "RedoAct", "-", "CutAct", "CopyAct", "PasteAct"});
  UndoBtn = qobject_cast<QToolButton*>(EditBar->widgetForAction(&Act("UndoAct")));
  RedoBtn = qobject_cast<QToolButton*>(EditBar->widgetForAction(&Act("RedoAct")));
  ViewBar = MakeBar(this, "ViewBar", "View");
  AddButtons(ViewBar, Actions(), {"ToggleGridAct", "ToggleSelectAct", "ToggleSmoothAct", "-"});
  SmoothBtn = qobject_cast<QToolButton*>(ViewBar->widgetForAction(&Act("ToggleSmoothAct")));
  ViewBar->addWidget(editor_->View().ZoomCombo);
  ZoomBar = MakeBar(this, "ZoomBar", "Zoom");
  AddButtons(ZoomBar, Actions(), {"ZoomInAct", "ZoomOutAct", "GoParentAct"});
  TransformBar = MakeBar(this, "TransformBar", "Transforms");
  AddButtons(TransformBar, Actions(),
             {"Rotate90ccwAct", "Rotate90Act", "Rotate180Act", "-", "HMirrorAct", "VMirrorAct"});
}
