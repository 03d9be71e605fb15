#include <gtest/gtest.h>

#include <QMainWindow>

#include "documents/ActionList.h"
#include "documents/HelpPages.h"
#include "model/Errors.h"

namespace {

TEST(ActionList, OneActionPerCommandRowWithItsHelpTopic) {
  QMainWindow window;
  TActionList list(&window);
  int rows = 0;
  for (const TCommandDef& def : CommandTable()) rows += IsCommandRow(def) ? 1 : 0;
  EXPECT_EQ(int(list.All().size()), rows);
  EXPECT_EQ(window.actions().size(), rows);  // owned by the window, so shortcuts work everywhere
  EXPECT_EQ(list["SaveAct"].whatsThis(), "18");
  EXPECT_EQ(list.Definition("CloseAct")->HelpTopic, 20);
  EXPECT_EQ(list.Find("NoSuchAct"), nullptr);
  EXPECT_EQ(list["GetTranspColAct"].toolTip(), "Extract transparent \ncolor of the image.");
  EXPECT_EQ(list["GetTranspColAct"].statusTip(), "Extract transparent ");
}

TEST(ActionList, RunCallsTheHandlerWhateverTheEnabledState) {
  QMainWindow window;
  TActionList list(&window);
  EXPECT_FALSE(list.Run("CloseAllAct"));
  int runs = 0;
  list.OnExecute("CloseAllAct", [&] { ++runs; });
  list.OnUpdate("CloseAllAct", [](QAction& a) { a.setEnabled(false); });
  list.UpdateAll();
  EXPECT_FALSE(list["CloseAllAct"].isEnabled());
  EXPECT_TRUE(list.Run("CloseAllAct"));
  list["CloseAllAct"].trigger();  // a disabled action does not trigger
  EXPECT_EQ(runs, 1);
}

TEST(ActionList, FailingUpdateDisablesOnlyItsCommand) {
  QMainWindow window;
  TActionList list(&window);
  list.OnExecute("CopyAct", [] {});
  list.OnUpdate("CopyAct", [](QAction&) { throw EVelmoraError("broken"); });
  list.OnExecute("PasteAct", [] {});
  list["CopyAct"].setEnabled(true);
  list.UpdateAll();
  EXPECT_FALSE(list["CopyAct"].isEnabled());
  EXPECT_TRUE(list["PasteAct"].isEnabled());
}

TEST(ActionList, ErrorsOfCommandsGoToTheErrorHandler) {
  QMainWindow window;
  TActionList list(&window);
  QStringList errors;
  list.SetErrorHandler([&](const QString& message) { errors << message; });
  list.OnExecute("SaveAct", [] { throw EVelmoraError("Cannot write a.bmp: No space left"); });
  list.UpdateAll();
  list["SaveAct"].trigger();
  EXPECT_EQ(errors, QStringList{"Cannot write a.bmp: No space left"});
}

TEST(CommandTable, NamesAndShortcutsAreUnique) {
  QStringList names, keys;
  for (const TCommandDef& def : CommandTable()) {
    if (!IsCommandRow(def)) continue;
    EXPECT_FALSE(names.contains(def.Name)) << def.Name;
    names << def.Name;
    if (!def.Shortcut[0]) continue;
    const QString key = QKeySequence(def.Shortcut).toString();
    EXPECT_FALSE(key.isEmpty()) << def.Name;  // the text is a key sequence Qt understands
    EXPECT_FALSE(keys.contains(key)) << def.Name;
    keys << key;
  }
  EXPECT_NE(FindCommand("Options1"), nullptr);
  EXPECT_EQ(FindCommand("-"), nullptr);
}

TEST(HelpPages, CaptionsLoseTheirAcceleratorsButKeepRealAmpersands) {
  EXPECT_EQ(HelpPages::PlainCaption("Save &As"), "Save As");
  EXPECT_EQ(HelpPages::PlainCaption("Black && white"), "Black & white");
  EXPECT_EQ(HelpPages::PlainCaption("&Make \"disabled\""), "Make \"disabled\"");
}

TEST(HelpPages, TopicsMenusAndIndex) {
  EXPECT_TRUE(HelpPages::Topic(9).contains("File menu"));
  EXPECT_TRUE(HelpPages::Topic(15).contains("Options"));  // both the menu and its command
  EXPECT_TRUE(HelpPages::Topic(4711).contains("There is no help on this topic."));
  const QString index = HelpPages::Index("");
  EXPECT_LT(index.indexOf(">About Velmora<"), index.indexOf(">Vertical mirror<"));
  EXPECT_TRUE(HelpPages::Index("nothing like this").contains("No command matches."));
  EXPECT_TRUE(HelpPages::Topic(64).contains("Fill selection with right color<br>"));
}

}  // namespace
