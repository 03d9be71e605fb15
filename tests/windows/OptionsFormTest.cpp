#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "model/IniFile.h"
#include "windows/OptionsForm.h"
#include "windows/ScriptedDialogs.h"

namespace {

class OptionsFormTest : public ::testing::Test {
 protected:
  std::unique_ptr<TOptionsForm> Create() {
    ini_ = std::make_unique<TIniFile>(dir_.filePath("Velmora.ini").toStdString());
    return std::make_unique<TOptionsForm>(*ini_, dialogs_);
  }
  // Changes every setting away from its default.
  static void ChangeAll(TOptionsForm& f) {
    f.WarnBoxes->setChecked(false);
    f.LayerCutCheck->setChecked(false);
    f.cbPasteDither->setCurrentIndex(2);
    f.cbCompression->setCurrentIndex(1);
    f.BackGroundCol->SetColor(QColor(1, 2, 3));
    f.cbGridColor->setCurrentIndex(9);
  }
  int Show(TOptionsForm& f, QPushButton*(TOptionsForm::*button)) {
    dialogs_.DialogScripts.push_back([&f, button](QDialog&) {
      ChangeAll(f);
      QTest::mouseClick(f.*button, Qt::LeftButton);
      return f.result();
    });
    return dialogs_.Exec(f);
  }

  QTemporaryDir dir_;
  TScriptedDialogs dialogs_;
  std::unique_ptr<TIniFile> ini_;
};

TEST_F(OptionsFormTest, DefaultsOnFirstStart) {
  auto f = Create();
  EXPECT_EQ(f->windowTitle(), "Options");
  EXPECT_EQ(f->GridColor(), MakeColor(128, 128, 128));
  EXPECT_EQ(f->BackgroundColor(), MakeColor(192, 192, 192));
  EXPECT_TRUE(f->WarningsOn());
  EXPECT_TRUE(f->ClearUnderSelection());
  EXPECT_EQ(f->PasteDither(), 0);
  EXPECT_EQ(f->cbPasteDither->itemText(6), "Burkes ");
  EXPECT_EQ(f->DefaultGifCompression(), 0);
  EXPECT_EQ(f->cbGridColor->count(), 17);
}

TEST_F(OptionsFormTest, OkStoresAndTheNextRunHasTheChoicesButAGrayGrid) {
  {
    auto f = Create();
    EXPECT_EQ(Show(*f, &TOptionsForm::OKBtn), QDialog::Accepted);
    EXPECT_EQ(f->DefaultGifCompression(), 1);
    EXPECT_EQ(f->GridColor(), MakeColor(255, 0, 0));
  }
  for (const char* key : {"BackGroundCol.Color", "cbCompression.ItemIndex", "cbGridColor.Color",
                          "cbPasteDither.ItemIndex", "LayerCutCheck.Checked", "WarnBoxes.Checked"})
    EXPECT_TRUE(TIniFile(ini_->FileName()).ValueExists("Options", key)) << key;
  auto f = Create();
  EXPECT_FALSE(f->WarningsOn());
  EXPECT_FALSE(f->ClearUnderSelection());
  EXPECT_EQ(f->PasteDither(), 2);
  EXPECT_EQ(f->DefaultGifCompression(), 1);
  EXPECT_EQ(f->BackgroundColor(), MakeColor(1, 2, 3));
  EXPECT_EQ(f->GridColor(), MakeColor(128, 128, 128));
}

TEST_F(OptionsFormTest, CancelKeepsChangesForTheRunOnly) {
  {
    auto f = Create();
    EXPECT_EQ(Show(*f, &TOptionsForm::CancelBtn), QDialog::Rejected);
    EXPECT_FALSE(f->WarningsOn());  // the rest of the program sees the change at once
    EXPECT_EQ(f->PasteDither(), 2);
    EXPECT_EQ(f->DefaultGifCompression(), 0);  // but the GIF default waits for OK
  }
  auto f = Create();
  EXPECT_TRUE(f->WarningsOn());
  EXPECT_EQ(f->PasteDither(), 0);
  EXPECT_EQ(f->BackgroundColor(), MakeColor(192, 192, 192));
}

TEST_F(OptionsFormTest, ColourPickerForBackgroundAndCustomGrid) {
  auto f = Create();
  dialogs_.Colors.push_back(QColor(10, 20, 30));
  QTest::mouseClick(f->SpeedButton1, Qt::LeftButton);
  EXPECT_EQ(f->BackgroundColor(), MakeColor(10, 20, 30));
  EXPECT_EQ(dialogs_.Shown("color"), QStringList{"#c0c0c0"});
  dialogs_.Colors.push_back(QColor(1, 1, 1));
  f->cbGridColor->setCurrentIndex(16);
  emit f->cbGridColor->activated(16);
  EXPECT_EQ(f->GridColor(), MakeColor(1, 1, 1));
  f->cbGridColor->setCurrentIndex(16);
  emit f->cbGridColor->activated(16);  // cancelled picker: the grid colour stays
  EXPECT_EQ(f->GridColor(), MakeColor(1, 1, 1));
  EXPECT_EQ(f->cbGridColor->currentIndex(), 16);
}

TEST_F(OptionsFormTest, OddStoredValuesGiveDefaults) {
  {
    TIniFile ini(dir_.filePath("Velmora.ini").toStdString());
    ini.WriteString("Options", "cbPasteDither.ItemIndex", "17");
    ini.WriteString("Options", "cbCompression.ItemIndex", "banana");
    ini.WriteString("Options", "BackGroundCol.Color", "-5");
    ini.WriteString("Options", "WarnBoxes.Checked", "sometimes");
  }
  auto f = Create();
  EXPECT_EQ(f->PasteDither(), 0);
  EXPECT_EQ(f->DefaultGifCompression(), 0);
  EXPECT_EQ(f->BackgroundColor(), MakeColor(192, 192, 192));
  EXPECT_TRUE(f->WarningsOn());
}

}  // namespace
