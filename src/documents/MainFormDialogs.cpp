// The main window's connections to the dialogs that other parts of the editor own.

#include "documents/MainForm.h"
#include "documents/NewImageForm.h"
#include "documents/files/FileCommands.h"
#include "documents/properties/PropertiesCommands.h"
#include "editor/ColorPanel.h"
#include "editor/Editor.h"
#include "model/WorkImages.h"
#include "palettes/ColorChoiceDlg.h"
#include "windows/Dialogs.h"
#include "windows/OptionsForm.h"

void TMainForm::ConnectDialogs() {
  files_->NewImageDialogHook = [this]() -> std::optional<TNewImageChoice> {
    TNewImageForm& form = NewImageForm();
    if (Dialogs().Exec(form) != QDialog::Accepted) return std::nullopt;
    return TNewImageChoice{form.TypeNumber(), form.ImageWidth(), form.ImageHeight(), form.Bits(),
                           form.ChosenPalette()};
  };
  editor_->Colors().PickPaletteColorHook = [this](const TPaletteRecord& palette, TColor initial,
                                                  bool allowMore) {
    return PickPaletteColor(Dialogs(), this, palette, initial, allowMore);
  };
  editor_->SetOptions(optionsForm_);
  properties_->WarningsOn = [this] { return OptionsForm().WarningsOn(); };
  // New GIF documents take their coding from the options.
  SetDefaultGifCompression(uint8_t(OptionsForm().DefaultGifCompression()));
  connect(&OptionsForm(), &TOptionsForm::DefaultGifCompressionChanged, this,
          [](int value) { SetDefaultGifCompression(uint8_t(value)); });
}
