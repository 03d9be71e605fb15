#include <QApplication>
#include <QMenu>

#include "documents/ActionList.h"
#include "documents/MainFormFixture.h"
#include "model/MruList.h"

namespace {

QStringList MenuTexts(const QMenu* menu) {
  QStringList texts;
  for (const QAction* a : menu->actions()) texts << (a->isSeparator() ? "-" : a->text());
  return texts;
}

TEST_F(MainFormTest, ReopenMenuListsNewestFirstBehindTheFixedItems) {
  auto form = Start();
  const QString a = MakeFile("a.bmp"), b = MakeFile("b&w.gif");
  form->Files().AddToMru(a);
  form->Files().AddToMru(b);
  EXPECT_EQ(
      MenuTexts(form->MRUPopup),
      (QStringList{"Cleanup &MRU list", "-", "&0 " + QString(b).replace("&", "&&"), "&1 " + a}));
  EXPECT_EQ(form->OpenBtn->menu(), form->MRUPopup);
  EXPECT_EQ(form->MRUPopup->title(), "&Reopen");
}

TEST_F(MainFormTest, SeventeenFilesLeaveSixteenAndTheFirstIsGone) {
  auto form = Start();
  QStringList files;
  for (int i = 0; i < 17; ++i)
    form->Files().AddToMru(files.emplace_back(MakeFile(QString("f%1.bmp").arg(i))));
  EXPECT_EQ(form->MruList().Count(), 16);
  EXPECT_EQ(form->MRUPopup->actions().size(), 18);
  ASSERT_TRUE(Close(*form));
  const TIniFile ini = Ini();
  EXPECT_EQ(ini.ReadString("MRU files", "Item_0", ""), files[16].toStdString());
  EXPECT_EQ(ini.ReadString("MRU files", "Item_15", ""), files[1].toStdString());
  EXPECT_FALSE(ini.ValueExists("MRU files", "Item_16"));
}

TEST_F(MainFormTest, ChosenEntryOpensAndMovesToTop) {
  auto form = Start();
  const QString a = MakeFile("a.bmp"), b = MakeFile("b.bmp");
  form->Files().AddToMru(a);
  form->Files().AddToMru(b);
  Openable.insert(a);
  form->MRUPopup->actions().at(3)->trigger();  // "&1 a.bmp"
  EXPECT_EQ(Opened, QStringList{a});
  EXPECT_EQ(form->MruList().Entries().front().Path, a.toStdString());
  EXPECT_EQ(form->Files().OpenDlgInitialDir, dir_.path());
}

TEST_F(MainFormTest, DeletedFileShowsTheErrorAndCleanupRemovesIt) {
  auto form = Start();
  const QString a = MakeFile("a.bmp"), gone = MakeFile("gone.bmp");
  form->Files().AddToMru(a);
  form->Files().AddToMru(gone);
  QFile::remove(gone);
  form->Files().MRUFilesClick(gone);
  EXPECT_EQ(dialogs_.Shown("error"), QStringList{"Cannot open " + gone});
  EXPECT_EQ(form->MruList().Count(), 2);  // left as it was until the clean-up
  form->UpdateActions();
  ASSERT_TRUE(form->Act("CleanupMRUAct").isEnabled());
  form->Act("CleanupMRUAct").trigger();
  EXPECT_EQ(form->MruList().Count(), 1);
  EXPECT_EQ(Ini().ReadString("MRU files", "Item_0", ""), a.toStdString());
}

TEST_F(MainFormTest, StartUpDropsFilesThatNoLongerExist) {
  const QString kept = MakeFile("kept.bmp");
  {
    TIniFile ini(IniPath().toStdString());
    ini.WriteString("MRU files", "Item_0", FilePath("missing.bmp").toStdString());
    ini.WriteString("MRU files", "Item_1", kept.toStdString());
  }
  auto form = Start();
  ASSERT_EQ(form->MruList().Count(), 1);
  EXPECT_EQ(form->MruList().Entries().front().Path, kept.toStdString());
  EXPECT_EQ(Ini().ReadString("MRU files", "Item_0", ""), kept.toStdString());
}

TEST_F(MainFormTest, EveryArgumentOpensAfterShowingAndAFailureIsNamed) {
  const QString first = MakeFile("first.bmp"), broken = MakeFile("broken.ico"),
                third = MakeFile("third.gif");
  auto form = Start({first, broken, third});
  Openable = {first, third};
  EXPECT_TRUE(Opened.isEmpty());
  form->show();
  EXPECT_TRUE(WaitUntil([&] { return Opened.size() == 3; }));
  QTest::qWait(20);
  EXPECT_EQ(Opened, (QStringList{first, broken, third}));
  EXPECT_EQ(form->OpenDocumentCount(), 2);
  // The box names the file that failed; the others went to the recently-used list.
  ASSERT_EQ(dialogs_.Shown("error").size(), 1);
  EXPECT_TRUE(dialogs_.Shown("error").front().contains("broken.ico"));
  EXPECT_EQ(form->MruList().Count(), 2);
  EXPECT_EQ(form->MruList().Entries().front().Path, third.toStdString());
}

TEST_F(MainFormTest, FailingArgumentShowsTheErrorAndStartsEmpty) {
  auto form = Start({FilePath("broken.gif")});
  form->show();
  EXPECT_TRUE(WaitUntil([&] { return dialogs_.Shown("error").size() == 1; }));
  EXPECT_TRUE(form->MruList().Empty());
}

TEST_F(MainFormTest, PlainOpenFileShowsTheReadErrorAndAddsNothing) {
  TMainFormContext context;
  context.SettingsPath = IniPath();
  context.Dialogs = &dialogs_;
  TMainForm form(context);
  EXPECT_FALSE(form.Files().TryOpenFile(MakeFile("x.bmp")));
  EXPECT_EQ(dialogs_.Shown("error").size(), 1);
  EXPECT_EQ(form.OpenDocumentCount(), 0);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace

namespace {

TEST_F(MainFormTest, EntriesBeyondTheTenthHaveNoAccelerator) {
  auto form = Start();
  for (int i = 0; i < 12; ++i) form->Files().AddToMru(MakeFile(QString("f%1.bmp").arg(i)));
  const auto items = form->MRUPopup->actions();
  EXPECT_TRUE(items[2 + 9]->text().startsWith("&9 "));
  EXPECT_TRUE(items[2 + 10]->text().startsWith("10 "));
}

TEST_F(MainFormTest, ConfirmedFileDialogRemembersItsFolder) {
  auto form = Start();
  form->Files().OpenDlgCanClose("/srv/pictures/new/logo.bmp");
  EXPECT_EQ(form->Files().OpenDlgInitialDir, "/srv/pictures/new");
  form->Files().OpenDlgCanClose("");
  EXPECT_EQ(form->Files().OpenDlgInitialDir, "/srv/pictures/new");
  ASSERT_TRUE(Close(*form));
  EXPECT_EQ(Ini().ReadString("Main form settings", "OpenDlg.InitialDir", ""), "/srv/pictures/new");
}

}  // namespace
