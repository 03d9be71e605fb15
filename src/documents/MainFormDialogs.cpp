// The main window's connections to the dialogs that other parts of the editor own.

#include "documents/ActionList.h"
#include "documents/MainForm.h"
#include "documents/NewImageForm.h"
#include "documents/files/FileCommands.h"
#include "documents/properties/PropertiesCommands.h"
#include "editor/ColorPanel.h"
#include "editor/Editor.h"
#include "model/WorkImages.h"
#include "palettes/ColorChoiceDlg.h"
#include "palettes/SmoothColorForm.h"
#include "windows/Dialogs.h"
#include "windows/OptionsForm.h"
#include "windows/TextPadForm.h"

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
  smoothColorForm_ = new TSmoothColorForm(*editor_, *actions_, this);
  editor_->SetGradientForm(smoothColorForm_);
  textPadForm_ = new TTextPadForm(*editor_, this);
  editor_->SetTextPad(textPadForm_);
  // While the user types in the pad, the window's shortcuts (Esc, the tools) still work; the
  // text field keeps its own editing keys.
  for (QAction* action : Actions().All()) textPadForm_->addAction(action);
  properties_->WarningsOn = [this] { return OptionsForm().WarningsOn(); };
  // New GIF documents take their coding from the options.
  SetDefaultGifCompression(uint8_t(OptionsForm().DefaultGifCompression()));
  connect(&OptionsForm(), &TOptionsForm::DefaultGifCompressionChanged, this,
          [](int value) { SetDefaultGifCompression(uint8_t(value)); });
}
