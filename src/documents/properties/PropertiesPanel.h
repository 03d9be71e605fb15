#pragma once
// TPropertiesPanel: the strip across the top of the centre that holds the properties panel
// (pnlProperties). Collapsed to a few pixels until the panel is shown. The panel has a standard
// part (size, transparency, colour mode) and one page per document class (TypePages). Its
// controls are a scratch copy of the document's properties: LoadImageProperties and
// LoadGroupProperties fill them, ReadValues reads them back for "&Apply", and every change the
// user makes raises PropertyChange. The properties commands (properties/PropertiesCommands)
// decide when to load and what to apply.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QToolButton>
#include <QWidget>
#include <string>
#include <vector>

#include "controls/AdvPanel.h"
#include "controls/IntegerEdit.h"
#include "model/Colors.h"

class QAction;
class TImageGroup;
class TWorkImage;

// The pages of TypePages, in order.
enum TPropertyPage {
  BitmapPage = 0,
  GifImagePage = 1,
  JpegPage = 2,
  IconGroupPage = 3,
  GifGroupPage = 4,
  GifFramePage = 5,
  IconFramePage = 6,
};

// What the controls hold, as "&Apply" writes it.
struct TPropertyValues {
  int Width = 1;
  int Height = 1;
  bool Transparent = false;
  TColor TransparentColor = 0;
  int Bits = 0;  // 0: the colour mode has no leading number and is left as it is
  std::vector<std::string> Comments;
  bool Interlaced = false;
  int Compression = 0;
  int Quality = 90;
  int Loops = 0;
  uint32_t Delay = 100;
  int Disposal = 0;
  bool LocalPalette = false;
};

class TPropertiesPanel : public QWidget {
  Q_OBJECT
 public:
  explicit TPropertiesPanel(QWidget* parent = nullptr);

  static constexpr int CollapsedHeight = 8;
  static constexpr int PanelHeight = 50;
  // Limits of the integer fields besides the size.
  static constexpr int MaxQuality = 100;
  static constexpr int MaxLoops = 65535;

  QWidget* pnlProperties;
  QToolButton* ApplyBtn;
  QToolButton* CancelBtn;
  QWidget* pnlStandart;
  TIntegerEdit* eXSize;
  TIntegerEdit* eYSize;
  QCheckBox* chbTransparent;
  TAdvPanel* TranspCol;
  QComboBox* cbColorMode;
  QStackedWidget* TypePages;
  // "TWorkGifImage"
  QPlainTextEdit* GifComment;
  QCheckBox* chbInterlaced;
  QComboBox* cbImageCommpress;
  // "TWorkJpeg"
  TIntegerEdit* QEdit;
  // "TIconGroup"
  QLabel* IconGroupNote;
  // "TGifImageGroup"
  TIntegerEdit* PlayCntEdit;
  QComboBox* cbCompression;
  // "TWorkGifFrame"
  QPlainTextEdit* GifFrameComment;
  QCheckBox* chbInterlacedAni;
  TIntegerEdit* IntervalEdit;
  QComboBox* cbDisposeMethod;
  QCheckBox* chbLocalPalette;

  bool Shown() const { return !pnlProperties->isHidden(); }
  // Shows or hides the panel; the strip grows to hold it.
  void SetShown(bool shown);
  // The buttons run these commands; the transparency check box follows its command.
  void BindCommands(QAction& apply, QAction& reset);

  // The page for a class name; classes without their own page show the empty bitmap page.
  static int PageOf(const std::string& className);
  int Page() const { return TypePages->currentIndex(); }

  void LoadImageProperties(TWorkImage& image);
  void LoadGroupProperties(TImageGroup& group);
  // The values of the controls of the standard part and the current page. A number outside its
  // field's limits (sizes 1 to `maxSide`) throws EVelmoraError naming the field and the limits,
  // and focuses the field.
  TPropertyValues ReadValues(int maxSide);

  bool TransparentChoice() const { return chbTransparent->isChecked(); }
  // Checks or clears the transparency toggle; the swatch shows exactly while it is checked.
  void SetTransparentChoice(bool on);
  TColor TransparentColorChoice() const;
  void SetTransparentColorChoice(TColor color);

  // Re-centres the panel in the strip.
  void AdvPanel3Resize();

 signals:
  // The user changed a control.
  void PropertyChange();
  void TranspColClick();
  // A comment memo was clicked (or activated from the keyboard).
  void GifFrameCommentClick(QPlainTextEdit* memo);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildStandardPart();
  void BuildPages();
  QWidget* BuildGifImagePage();
  QWidget* BuildJpegPage();
  QWidget* BuildGifGroupPage();
  QWidget* BuildGifFramePage();
  QPlainTextEdit* MakeCommentMemo(const char* name, QWidget* parent);
  void WatchChanges();
  void FillColorModes(const std::string& modes, int bitCount);
  void ShowPage(int page);
  void Changed();

  bool loading_ = false;
};

// Reads an integer field: blanks are dropped and the text is rewritten as the plain number. A
// number outside `min` .. `max` (or too long to read) throws EVelmoraError "<field> must be
// between <min> and <max>." and nothing is rewritten.
int ReadIntegerField(TIntegerEdit& edit, const QString& field, int min, int max);
