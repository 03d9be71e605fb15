// The options dialog's values, their storage and the colour choices.

#include "model/IniFile.h"
#include "windows/Dialogs.h"
#include "windows/OptionsForm.h"

namespace {

constexpr int CustomIndex = 16;

QColor ToQColor(TColor c) {
  return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}
TColor FromQColor(const QColor& c) {
  return MakeColor(c.red(), c.green(), c.blue());
}

// Reads an item index, falling back to the current one when the stored value is out of range.
void ReadIndex(const TIniFile& ini, const char* key, QComboBox* box) {
  const int index = ini.ReadInteger(TOptionsForm::Section, key, box->currentIndex());
  if (index >= 0 && index < box->count()) box->setCurrentIndex(index);
}

}  // namespace

TColor TOptionsForm::GridColor() const {
  return TColor(cbGridColor->currentData().toUInt());
}

TColor TOptionsForm::BackgroundColor() const {
  return FromQColor(BackGroundCol->Color());
}

void TOptionsForm::SetGridColor(TColor color) {
  for (int i = 0; i < CustomIndex; ++i) {
    if (StandardColors[i] == color) {
      cbGridColor->setCurrentIndex(i);
      lastGridIndex_ = i;
      return;
    }
  }
  cbGridColor->setItemData(CustomIndex, QVariant(uint(color)));
  cbGridColor->setCurrentIndex(CustomIndex);
  lastGridIndex_ = CustomIndex;
}

void TOptionsForm::GridColorActivated(int index) {
  if (index != CustomIndex) {
    lastGridIndex_ = index;
    return;
  }
  const auto picked = dialogs_.PickColor(this, ToQColor(GridColor()));
  if (!picked) {
    cbGridColor->setCurrentIndex(lastGridIndex_);  // the choice is left as it was
    return;
  }
  SetGridColor(FromQColor(*picked));
}

void TOptionsForm::SpeedButton1Click() {
  const auto picked = dialogs_.PickColor(this, BackGroundCol->Color());
  if (picked) BackGroundCol->SetColor(*picked);
}

void TOptionsForm::LoadSettings() {
  const TIniFile& ini = settings_;
  const int background = ini.ReadInteger(Section, "BackGroundCol.Color", int(BackgroundColor()));
  if (background >= 0 && background <= 0xFFFFFF)
    BackGroundCol->SetColor(ToQColor(TColor(background)));
  ReadIndex(ini, "cbCompression.ItemIndex", cbCompression);
  ReadIndex(ini, "cbPasteDither.ItemIndex", cbPasteDither);
  LayerCutCheck->setChecked(ini.ReadBool(Section, "LayerCutCheck.Checked", true));
  WarnBoxes->setChecked(ini.ReadBool(Section, "WarnBoxes.Checked", true));
  // "cbGridColor.Color" is the list's own background, not the chosen grid colour, so every run
  // starts with the gray grid.
}

void TOptionsForm::SaveSettings() {
  TIniFile::TBatch batch(settings_);
  settings_.WriteInteger(Section, "BackGroundCol.Color", int(BackgroundColor()));
  settings_.WriteInteger(Section, "cbCompression.ItemIndex", cbCompression->currentIndex());
  settings_.WriteInteger(Section, "cbGridColor.Color",
                         int(FromQColor(cbGridColor->palette().color(QPalette::Base))));
  settings_.WriteInteger(Section, "cbPasteDither.ItemIndex", cbPasteDither->currentIndex());
  settings_.WriteBool(Section, "LayerCutCheck.Checked", LayerCutCheck->isChecked());
  settings_.WriteBool(Section, "WarnBoxes.Checked", WarnBoxes->isChecked());
}

void TOptionsForm::OKBtnClick() {
  defaultCompression_ = cbCompression->currentIndex();
  emit DefaultGifCompressionChanged(defaultCompression_);
  SaveSettings();
  accept();
}
