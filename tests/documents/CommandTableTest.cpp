#include <QMenuBar>
#include <cstring>

#include "documents/ActionList.h"
#include "documents/CommandTable.h"
#include "documents/HelpForm.h"
#include "documents/MainFormFixture.h"

namespace {

QStringList MenuItems(const QMenu* menu) {
  QStringList items;
  for (const QAction* a : menu->actions())
    items << (a->isSeparator() ? "-" : a->menu() ? a->menu()->title() : a->objectName());
  return items;
}

QMenu* TopMenu(TMainForm& form, const QString& title) {
  for (QAction* a : form.menuBar()->actions())
    if (a->text() == title) return a->menu();
  return nullptr;
}

TEST_F(MainFormTest, EveryCommandExistsWithCaptionShortcutAndHint) {
  auto form = Start();
  int commands = 0;
  for (const TCommandDef& def : CommandTable()) {
    if (!IsCommandRow(def)) continue;
    ++commands;
    QAction* action = form->Actions().Find(def.Name);
    ASSERT_NE(action, nullptr) << def.Name;
    EXPECT_EQ(action->text(), QString::fromUtf8(def.Caption)) << def.Name;
    EXPECT_EQ(action->shortcut(), QKeySequence(QString::fromUtf8(def.Shortcut))) << def.Name;
    // Tool commands show the active tool checked, as its button does.
    const bool toolCommand = form->Editor().Tools().IsToolCommand(def.Name);
    EXPECT_EQ(action->isCheckable(), def.Kind == TCommandKind::Check || toolCommand) << def.Name;
    EXPECT_FALSE(action->toolTip().contains('\r')) << def.Name;
  }
  EXPECT_EQ(commands, int(form->Actions().All().size()));
  // A few that users rely on, spelled out.
  EXPECT_EQ(form->Act("SaveAsAct").shortcut(), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_S));
  EXPECT_EQ(form->Act("CloseAllAct").shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F4));
  EXPECT_EQ(form->Act("FillSelectionAct").shortcut(), QKeySequence(Qt::Key_Insert));
  EXPECT_EQ(form->Act("DelFrameAct").shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Delete));
  EXPECT_EQ(form->Act("PropEditAct").shortcuts().size(), 2);  // Return and the keypad's Enter
  EXPECT_EQ(form->Act("GoParentAct").shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Backspace));
  EXPECT_EQ(form->Act("ZoomOutAct").shortcut(), QKeySequence(Qt::Key_PageDown));
}

TEST_F(MainFormTest, MenusHoldTheirCommandsInOrder) {
  auto form = Start();
  QStringList titles;
  for (QAction* a : form->menuBar()->actions()) titles << a->text();
  EXPECT_EQ(titles, (QStringList{"&File", "&Edit", "&View", "&Image", "&Colors", "&Tools",
                                 "C&onfiguration", "&Help"}));
  EXPECT_EQ(MenuItems(TopMenu(*form, "&File")),
            (QStringList{"NewImageAct", "PictureOpen", "&Reopen", "SaveAct", "SaveAsAct",
                         "CloseAct", "CloseAllAct", "-", "ExitAct"}));
  EXPECT_EQ(MenuItems(TopMenu(*form, "&Colors")),
            (QStringList{"GetTranspColAct", "GetInvColorAct", "SwapColors", "-", "PaletteEditorAct",
                         "-", "ToggleSmoothAct", "NextColAct", "PrevColAct"}));
  EXPECT_EQ(MenuItems(TopMenu(*form, "&Help")),
            (QStringList{"Contents1", "Index1", "-", "Welcome1", "-", "About1"}));
  QStringList image = MenuItems(TopMenu(*form, "&Image"));
  EXPECT_EQ(image.last(), "&Filters");
  EXPECT_EQ(TopMenu(*form, "&File")->objectName(), "FileMenu");
  EXPECT_EQ(TopMenu(*form, "&Tools")->menuAction()->whatsThis(), "14");
}

TEST_F(MainFormTest, CommandsWithoutBehaviourStayDisabledAndIdleUpdatesRun) {
  auto form = Start();
  form->UpdateActions();
  EXPECT_FALSE(form->Act("SaveAct").isEnabled());
  EXPECT_FALSE(form->Act("UndoAct").isEnabled());
  EXPECT_TRUE(form->Act("ExitAct").isEnabled());
  EXPECT_TRUE(form->Act("Pencil1").isEnabled());
  bool saveable = false;
  int updates = 0;
  form->Actions().OnExecute("SaveAct", [] {});
  form->Actions().OnUpdate("SaveAct", [&](QAction& a) {
    ++updates;
    a.setEnabled(saveable);
  });
  saveable = true;
  // No direct call: the event loop's idle moment runs the update.
  RunEventLoop(30);
  EXPECT_TRUE(form->Act("SaveAct").isEnabled());
  EXPECT_GT(updates, 0);
  saveable = false;
  updates = 0;
  QTest::qWait(20);  // without user input nothing asks for an update here
  EXPECT_EQ(updates, 0);
  QTest::mouseClick(form->Editor().View().ZoomPanel,
                    Qt::LeftButton);  // a click is followed by an idle pass
  EXPECT_TRUE(WaitUntil([&] { return !form->Act("SaveAct").isEnabled(); }));
}

TEST_F(MainFormTest, FailingCommandShowsItsMessageInTheErrorBox) {
  auto form = Start();
  form->Actions().OnExecute("NewImageAct", [] { throw EVelmoraError("Unknown extension type"); });
  form->UpdateActions();
  form->Act("NewImageAct").trigger();
  EXPECT_EQ(dialogs_.Shown("error"), QStringList{"Unknown extension type"});
}

TEST_F(MainFormTest, ShortcutsReachTheirCommands) {
  auto form = Start();
  form->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  form->activateWindow();
  QTest::keyClick(form.get(), Qt::Key_P, Qt::ControlModifier);
  EXPECT_TRUE(form->Editor().Tools().PencilBtn->Down());
  QTest::keyClick(form.get(), Qt::Key_Escape);
  EXPECT_TRUE(form->Editor().Tools().SelectBtn->Down());
}

TEST_F(MainFormTest, ToolMenuPressesButtonsAndShowsTheirBars) {
  auto form = Start();
  form->UpdateActions();
  EXPECT_TRUE(form->Editor().Tools().SelModeBar->isVisibleTo(form->Editor().Tools().ToolPanel));
  form->Act("Rectangle1").trigger();
  EXPECT_TRUE(form->Editor().Tools().RectBtn->Down());
  EXPECT_FALSE(form->Editor().Tools().SelModeBar->isVisibleTo(form->Editor().Tools().ToolPanel));
  EXPECT_TRUE(form->Editor().Tools().ClosedStyleBar->isVisibleTo(form->Editor().Tools().ToolPanel));
  form->Act("Text1").trigger();
  EXPECT_TRUE(form->Editor().Tools().TextBtn->Down());
  form->Act("Text1").trigger();  // inverting a pressed radio button changes nothing
  EXPECT_TRUE(form->Editor().Tools().TextBtn->Down());
  EXPECT_FALSE(
      form->Editor().Tools().ClosedStyleBar->isVisibleTo(form->Editor().Tools().ToolPanel));
}

TEST_F(MainFormTest, LayoutAsTheUserFindsItAtFirstStart) {
  auto form = Start();
  form->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  EXPECT_FALSE(form->Splitter1->isVisible());  // colour panel and tool box wait for an image
  EXPECT_LE(form->Editor().Colors().Panel4->maximumWidth(), 120);
  EXPECT_LE(form->Editor().Tools().ToolPanel->maximumWidth(), 50);
  EXPECT_EQ(form->Properties().height(), 8);
  EXPECT_FALSE(form->Frames().isVisible());
  EXPECT_TRUE(form->Editor().View().BackZoomPanel->isVisible());
  EXPECT_EQ(form->Editor().View().ZoomBox->size(), QSize(0, 0));
  EXPECT_GE(form->RightSplitter->width(), 64);
  const int widths[] = {220, 150, 220, 50};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(form->StatPanels[i]->width(), widths[i]);
  QStringList zoom;
  for (int i = 0; i < form->Editor().View().ZoomCombo->count(); ++i)
    zoom << form->Editor().View().ZoomCombo->itemText(i);
  EXPECT_EQ(zoom, (QStringList{"100%", "200%", "400%", "800%", "1600%"}));
  form->Documents().ShowViewMode(false, true);
  EXPECT_TRUE(form->Splitter1->isVisible());
  form->Documents().ShowViewMode(true, true);  // a group wins
  EXPECT_TRUE(form->Frames().isVisible());
  EXPECT_FALSE(form->Splitter1->isVisible());
}

TEST_F(MainFormTest, HelpPagesComeFromTheCommandTable) {
  auto form = Start();
  form->UpdateActions();
  form->Act("Welcome1").trigger();
  EXPECT_EQ(form->HelpForm().CurrentTopic(), 3);
  form->HelpForm().ShowTopic(19);
  const QString page = form->HelpForm().Browser->toPlainText();
  EXPECT_TRUE(page.contains("Save As"));
  EXPECT_TRUE(page.contains("Save the image under another name."));
  EXPECT_TRUE(page.contains(QKeySequence("Ctrl+Alt+S").toString(QKeySequence::NativeText)));
  form->HelpForm().ShowTopic(65);  // one topic shared by the four shape tools
  for (const char* caption : {"Rectangle", "Ellipse", "Center rectangle", "Center ellipse"})
    EXPECT_TRUE(form->HelpForm().Browser->toPlainText().contains(caption)) << caption;
  form->Act("Index1").trigger();
  EXPECT_EQ(form->HelpForm().CurrentTopic(), -1);
  form->HelpForm().SearchEdit->setText("mirror");
  const QString index = form->HelpForm().Browser->toPlainText();
  EXPECT_TRUE(index.contains("Horizontal mirror"));
  EXPECT_FALSE(index.contains("Paste"));
  form->Act("Contents1").trigger();
  EXPECT_TRUE(form->HelpForm().Browser->toPlainText().contains("Tools menu"));
  EXPECT_TRUE(Close(*form));
  EXPECT_FALSE(form->HelpForm().isVisible());
}

}  // namespace
