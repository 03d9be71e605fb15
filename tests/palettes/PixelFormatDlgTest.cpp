#include "palettes/PixelFormatDlg.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QTemporaryDir>
#include <QTest>

#include "PaletteTestFolder.h"
#include "model/IniFile.h"
#include "windows/ScriptedDialogs.h"

namespace {

class PixelFormatTest : public ::testing::Test {
 protected:
  TIniFile& Settings() { return settings_; }

  // Asks for a reduction to `bits` through the dialog; `script` plays the user.
  std::optional<TReductionChoice> Ask(int bits, std::function<int(TfrmPixelFormat&)> script) {
    dialogs_.DialogScripts.push_back(
        [script](QDialog& d) { return script(static_cast<TfrmPixelFormat&>(d)); });
    TPixelFormatChooser chooser(settings_, dialogs_, [this] { return warnings_; }, nullptr);
    return chooser.ChooseReduction(bits, "*.plt" + std::to_string(1 << bits));
  }

  int Stored(const char* key) { return settings_.ReadInteger(TfrmPixelFormat::Section, key, -1); }

  TPaletteTestFolder folder_;
  QTemporaryDir dir_;
  TIniFile settings_{QFile::encodeName(dir_.filePath("Velmora.ini")).toStdString()};
  TScriptedDialogs dialogs_;
  bool warnings_ = true;
};

TEST_F(PixelFormatTest, TheFirstStoredPaletteOfTheSizeIsPreselectedAndApplied) {
  folder_.Write("Warm.plt16", TPaletteTestFolder::Ramp(16));
  TPaletteRecord gray;
  gray.Count = 16;
  for (int i = 0; i < 16; ++i) gray.SetColor(i, MakeColor(i * 17, i * 17, i * 17));
  folder_.Write("Gray.plt16", gray);
  folder_.Write("Other.plt4", TPaletteTestFolder::Ramp(4));
  bool listShown = false;
  const auto choice = Ask(4, [&](TfrmPixelFormat& d) {
    EXPECT_EQ(d.PalChoice->lbPalettes->FileNames(), QStringList({"Gray.plt16", "Warm.plt16"}));
    EXPECT_EQ(d.ColorReductionIndex(), TfrmPixelFormat::Custom);  // the default
    listShown = d.PalChoice->isVisible();
    d.DitherButtons->button(3)->click();
    d.btnOK->click();
    return d.result();
  });
  ASSERT_TRUE(choice);
  EXPECT_TRUE(listShown);
  EXPECT_FALSE(choice->Quantize);
  EXPECT_EQ(choice->Dither, TDitherMode::Sierra);
  EXPECT_TRUE(SameEntries(choice->Palette, gray));
  EXPECT_EQ(Stored("rgDitherMode.ItemIndex"), 3);
}

TEST_F(PixelFormatTest, ARememberedCustomWithoutPalettesStartsOnOptimal) {
  folder_.Write("Warm.plt256", TPaletteTestFolder::Ramp(256));
  Settings().WriteInteger(TfrmPixelFormat::Section, "rgColorReduction.ItemIndex", 1);
  const auto choice = Ask(4, [&](TfrmPixelFormat& d) {
    EXPECT_EQ(d.ColorReductionIndex(), TfrmPixelFormat::Optimal);
    EXPECT_FALSE(d.PalChoice->isVisible());
    // Picking "Custom" is refused with the notice and falls back.
    d.rbCustom->click();
    EXPECT_EQ(d.ColorReductionIndex(), TfrmPixelFormat::Optimal);
    return int(QDialog::Accepted);
  });
  ASSERT_TRUE(choice);
  EXPECT_TRUE(choice->Quantize);
  EXPECT_EQ(dialogs_.Shown("information"), QStringList({TfrmPixelFormat::NoPalettesMessage}));
  warnings_ = false;  // without warning messages the refusal is silent
  Ask(4, [](TfrmPixelFormat& d) {
    d.rbCustom->click();
    EXPECT_EQ(d.ColorReductionIndex(), TfrmPixelFormat::Optimal);
    return int(QDialog::Rejected);
  });
  EXPECT_EQ(dialogs_.Shown("information").size(), 1);
}

TEST_F(PixelFormatTest, ChoicesAreKeptWhetherConfirmedOrNot) {
  EXPECT_FALSE(Ask(2, [](TfrmPixelFormat& d) {
    d.rbOptimal->click();
    d.DitherButtons->button(6)->click();
    d.btnCancel->click();
    return d.result();
  }));
  EXPECT_EQ(Stored("rgColorReduction.ItemIndex"), 0);
  EXPECT_EQ(Stored("rgDitherMode.ItemIndex"), 6);
  // Damaged values give the defaults.
  Settings().WriteInteger(TfrmPixelFormat::Section, "rgDitherMode.ItemIndex", 42);
  Settings().WriteInteger(TfrmPixelFormat::Section, "rgColorReduction.ItemIndex", -3);
  folder_.Write("Warm.plt4", TPaletteTestFolder::Ramp(4));
  Ask(2, [](TfrmPixelFormat& d) {
    EXPECT_EQ(d.DitherModeIndex(), 0);
    EXPECT_EQ(d.ColorReductionIndex(), TfrmPixelFormat::Custom);
    return int(QDialog::Rejected);
  });
}

TEST_F(PixelFormatTest, ChoicesAreNamedForAssistiveTechnology) {
  TfrmPixelFormat d(Settings(), dialogs_, {});
  const auto name = [](QWidget* w) {
    return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
  };
  EXPECT_EQ(d.windowTitle(), "Color reduction method");
  EXPECT_EQ(name(d.rbOptimal), "Optimal");
  EXPECT_EQ(name(d.DitherButtons->button(4)), "Jarvis, Judice & Ninke");
  EXPECT_EQ(name(d.DitherButtons->button(5)), "Stevenson & Arche");
  EXPECT_EQ(QAccessible::queryAccessibleInterface(d.rbCustom)->role(), QAccessible::RadioButton);
  EXPECT_EQ(d.rgDitherMode->title(), "Dither mode");
}

}  // namespace
