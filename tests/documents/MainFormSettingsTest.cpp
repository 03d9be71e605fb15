#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTreeWidget>

#include "documents/ActionList.h"
#include "documents/ImageBrowseFrm.h"
#include "documents/MainFormFixture.h"
#include "windows/OptionsForm.h"

namespace {

TEST_F(MainFormTest, FirstStartUsesDefaultsAndExitWritesThem) {
  auto form = Start();
  EXPECT_EQ(form->windowTitle(), "Velmora");
  EXPECT_EQ(form->Editor().View().ZoomCombo->currentText(), "800%");
  EXPECT_TRUE(form->Navigator->cbHints->isChecked());
  EXPECT_TRUE(form->Editor().Tools().SelectBtn->Down());
  EXPECT_TRUE(form->Editor().Tools().ctOutFillBtn->Down());
  EXPECT_TRUE(form->Editor().Tools().PoorSelBtn->Down());
  EXPECT_TRUE(form->Act("ToggleGridAct").isChecked());
  EXPECT_TRUE(form->Act("ToggleSelectAct").isChecked());
  EXPECT_EQ(form->Editor().SavedCursor, 9999);
  EXPECT_EQ(form->Editor().View().DashPattern, 0xF0F0F0F0u);
  EXPECT_FALSE(QFile::exists(IniPath()) && Ini().SectionExists("Navigator"));
  ASSERT_TRUE(Close(*form));
  const TIniFile ini = Ini();
  EXPECT_EQ(ini.ReadString("Navigator", "ShowHint", ""), "1");
  EXPECT_EQ(ini.ReadString("Default zoom", "Index", ""), "3");
  for (const char* key : {"FormVersion", "Flags", "ShowCmd", "PixelsPerInch", "MinMaxPos",
                          "NormPos", "OpenDlg.InitialDir", "ctFillOnlyBtn.Down", "XorSelBtn.Down"})
    EXPECT_TRUE(ini.ValueExists("Main form settings", key)) << key;
}

TEST_F(MainFormTest, ZoomPlacementAndToolChoicesComeBack) {
  {
    auto form = Start();
    form->Editor().View().ZoomCombo->setCurrentIndex(1);
    form->Navigator->cbHints->setChecked(false);
    form->setGeometry(40, 50, 700, 500);
    form->Editor().Tools().ctFillOnlyBtn->SetDown(true);
    form->Editor().Tools().XorSelBtn->SetDown(true);
    form->Files().OpenDlgInitialDir = "/tmp/pictures";
    ASSERT_TRUE(Close(*form));
  }
  EXPECT_EQ(Ini().ReadString("Navigator", "ShowHint", ""), "0");
  EXPECT_EQ(Ini().ReadString("Main form settings", "NormPos", ""), "40,50,740,550");
  auto form = Start();
  EXPECT_EQ(form->Editor().View().ZoomCombo->currentIndex(), 1);
  EXPECT_FALSE(form->Navigator->cbHints->isChecked());
  EXPECT_EQ(form->geometry(), QRect(40, 50, 700, 500));
  EXPECT_TRUE(form->Editor().Tools().ctFillOnlyBtn->Down());
  EXPECT_FALSE(form->Editor().Tools().ctOutFillBtn->Down());
  EXPECT_TRUE(form->Editor().Tools().XorSelBtn->Down());
  EXPECT_FALSE(form->Editor().Tools().PoorSelBtn->Down());
  EXPECT_EQ(form->Files().OpenDlgInitialDir, "/tmp/pictures");
}

TEST_F(MainFormTest, OddStoredValuesFallBackToDefaults) {
  for (const char* value : {"banana", "9", "-1", ""}) {
    {
      TIniFile ini(IniPath().toStdString());
      ini.WriteString("Default zoom", "Index", value);
      ini.WriteString("Navigator", "ShowHint", "yes");
      ini.WriteString("Main form settings", "FormVersion", "1");
      ini.WriteString("Main form settings", "NormPos", "10,10,5,5");
      ini.WriteString("Main form settings", "PoorSelBtn.Down", "0");
    }
    auto form = Start();
    EXPECT_EQ(form->Editor().View().ZoomCombo->currentText(), "800%") << value;
    EXPECT_FALSE(form->Navigator->cbHints->isChecked());  // only the text "1" checks it
    const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
    EXPECT_EQ(form->size(), QSize(1000, 720).boundedTo(screen));
    EXPECT_TRUE(form->Editor().Tools().PoorSelBtn->Down());  // one selection mode is always down
  }
}

TEST_F(MainFormTest, UnreadableSettingsFileIsReportedOnceAndLeftAlone) {
  QDir().mkpath(IniPath());  // a folder in the way of the file
  auto form = Start();
  EXPECT_EQ(form->Editor().View().ZoomCombo->currentIndex(), 3);
  ASSERT_EQ(dialogs_.Shown("error").size(), 1);
  EXPECT_TRUE(dialogs_.Shown("error")[0].contains(IniPath() + " cannot be read: Is a directory"));
  form->Editor().View().ZoomCombo->setCurrentIndex(1);
  EXPECT_TRUE(Close(*form));  // nothing is written over it, and nothing more is said
  EXPECT_EQ(dialogs_.Shown("error").size(), 1);
  EXPECT_TRUE(QFileInfo(IniPath()).isDir());
}

TEST_F(MainFormTest, TheFirstWindowFitsTheScreen) {
  // Nothing stored yet: the usual size, unless the screen has less room (the offscreen screen is
  // 800 x 600, as a small screen or a large scale factor would give).
  auto form = Start();
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_TRUE(screen.contains(form->frameGeometry()) || screen.contains(form->geometry()))
      << form->geometry().width() << " x " << form->geometry().height();
  EXPECT_LE(form->width(), 1000);
  // A 1280-pixel screen at twice the scale leaves 640 pixels: the window can be that narrow.
  EXPECT_LE(form->minimumSizeHint().width(), 640);
  ASSERT_TRUE(Close(*form));
}

TEST_F(MainFormTest, AnAbsurdStoredWindowSizeIsLimitedToTheScreen) {
  {
    TIniFile ini = Ini();
    ini.WriteString("Main form settings", "FormVersion", "1");
    ini.WriteString("Main form settings", "NormPos", "0,0,100000,100000");
  }
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  {
    auto form = Start();
    EXPECT_TRUE(screen.contains(form->geometry())) << form->geometry().width();
    ASSERT_TRUE(Close(*form));
  }
  const std::string stored = Ini().ReadString("Main form settings", "NormPos", "");
  EXPECT_EQ(QString::fromStdString(stored).split(',').size(), 4);
  EXPECT_EQ(stored.find("100000"), std::string::npos);  // the bad value is not written back
}

TEST_F(MainFormTest, ClosingIsRefusedWhileDocumentsAreOpen) {
  auto form = Start();
  new QTreeWidgetItem(form->Navigator->PicTree, {"Noname1.bmp"});
  EXPECT_FALSE(Close(*form));
  EXPECT_EQ(dialogs_.Shown("information"), QStringList{"Can't close Velmora with open images."});
  EXPECT_FALSE(QFile::exists(IniPath()) && Ini().SectionExists("Navigator"));
  form->OptionsForm().WarnBoxes->setChecked(false);
  form->Act("ExitAct").trigger();  // Exit takes the same way, now silently
  EXPECT_EQ(dialogs_.Shown("information").size(), 1);
  form->Navigator->PicTree->clear();
  form->Act("ExitAct").trigger();
  EXPECT_TRUE(Ini().SectionExists("Navigator"));
}

TEST_F(MainFormTest, CloseAllRunsBeforeTheDocumentCount) {
  auto form = Start();
  new QTreeWidgetItem(form->Navigator->PicTree, {"a.bmp"});
  int runs = 0;
  form->Actions().OnExecute("CloseAllAct", [&] {
    ++runs;
    form->Navigator->PicTree->clear();
  });
  EXPECT_TRUE(Close(*form));
  EXPECT_EQ(runs, 1);
  EXPECT_TRUE(dialogs_.Shown("information").isEmpty());
}

}  // namespace

namespace {

TEST_F(MainFormTest, OptionsOkSurvivesARestartAndCancelDoesNot) {
  for (const bool ok : {false, true}) {
    {
      auto form = Start();
      form->UpdateActions();
      dialogs_.DialogScripts.push_back([&](QDialog&) {
        form->OptionsForm().WarnBoxes->setChecked(false);
        QTest::mouseClick(ok ? form->OptionsForm().OKBtn : form->OptionsForm().CancelBtn,
                          Qt::LeftButton);
        return form->OptionsForm().result();
      });
      form->Act("Options1").trigger();
      EXPECT_FALSE(form->OptionsForm().WarningsOn());
      ASSERT_TRUE(Close(*form));
    }
    auto form = Start();
    EXPECT_EQ(form->OptionsForm().WarningsOn(), !ok) << ok;
    ASSERT_TRUE(Close(*form));
  }
}

}  // namespace
