#pragma once
// TOptionsForm: the program-wide preferences. One instance lives for the whole run; other parts
// of the editor read its controls whenever they need a value, so a change acts at once. OK stores
// the settings (section "Options") and takes the GIF compression as the new default; Cancel keeps
// the changed controls for this run but stores nothing.

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QPushButton>

#include "controls/AdvPanel.h"
#include "controls/AdvSpeedButton.h"
#include "editor/EditorServices.h"
#include "model/Colors.h"

class IDialogs;
class TIniFile;

class TOptionsForm : public QDialog, public IEditorOptions {
  Q_OBJECT
 public:
  TOptionsForm(TIniFile& settings, IDialogs& dialogs, QWidget* parent = nullptr);

  static constexpr const char* Section = "Options";

  // The values as the rest of the editor reads them.
  TColor GridColor() const override;
  TColor BackgroundColor() const override;
  bool WarningsOn() const override { return WarnBoxes->isChecked(); }
  bool ClearUnderSelection() const override { return LayerCutCheck->isChecked(); }
  int PasteDither() const override { return cbPasteDither->currentIndex(); }
  // The compression new GIF pictures get: 0 LZW, 1 RLE. Changes only with OK (and at start-up).
  int DefaultGifCompression() const { return defaultCompression_; }

  // Stores the settings and takes the default compression, then closes with OK.
  void OKBtnClick();
  // Opens the colour picker for the background swatch.
  void SpeedButton1Click();

  QGroupBox* ViewGroup;
  QComboBox* cbGridColor;
  TAdvPanel* BackGroundCol;
  TAdvSpeedButton* SpeedButton1;
  QGroupBox* BehaviourGroup;
  QCheckBox* WarnBoxes;
  QCheckBox* LayerCutCheck;
  QComboBox* cbPasteDither;
  QGroupBox* GifGroup;
  QComboBox* cbCompression;
  QPushButton* OKBtn;
  QPushButton* CancelBtn;

 signals:
  // The default GIF compression changed (start-up and OK).
  void DefaultGifCompressionChanged(int compression);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildViewGroup();
  void BuildBehaviourGroup();
  void BuildGifGroup();
  void BuildLayout();
  void GridColorActivated(int index);
  void SetGridColor(TColor color);
  void LoadSettings();
  void SaveSettings();

  TIniFile& settings_;
  IDialogs& dialogs_;
  int defaultCompression_ = 0;
  int lastGridIndex_ = 7;
};

// The 16 standard colours of the grid colour list, in list order.
extern const TColor StandardColors[16];
