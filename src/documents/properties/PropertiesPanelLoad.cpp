// Filling the properties panel from a document and reading its values back.

#include <QSignalBlocker>
#include <algorithm>
#include <map>

#include "documents/properties/PropertiesPanel.h"
#include "model/Errors.h"
#include "model/GraphUtils.h"
#include "model/Groups.h"
#include "model/WorkImages.h"

namespace {

QString CommentText(const std::vector<std::string>& lines) {
  QStringList text;
  for (const std::string& line : lines) text << QString::fromStdString(line);
  return text.join('\n');
}

std::vector<std::string> CommentLines(const QPlainTextEdit& memo) {
  std::vector<std::string> lines;
  const QString text = memo.toPlainText();
  if (text.isEmpty()) return lines;
  for (const QString& line : text.split('\n')) lines.push_back(line.toStdString());
  return lines;
}

// Loading is not an edit: the controls' change signals stay quiet meanwhile.
class TQuietLoad {
 public:
  explicit TQuietLoad(bool& loading) : loading_(loading) { loading_ = true; }
  ~TQuietLoad() { loading_ = false; }

 private:
  bool& loading_;
};

}  // namespace

int ReadIntegerField(TIntegerEdit& edit, const QString& field, int min, int max) {
  QString digits = edit.text();
  digits.remove(' ');
  bool ok = digits.isEmpty();  // an empty field reads as 0
  const qlonglong value = ok ? 0 : digits.toLongLong(&ok);
  if (!ok || value < min || value > max) {
    edit.setFocus();
    edit.selectAll();
    throw EVelmoraError(QString("%1 must be between %2 and %3.")
                            .arg(field)
                            .arg(min)
                            .arg(max)
                            .toStdString());
  }
  edit.SetValue(int(value));
  return int(value);
}

int TPropertiesPanel::PageOf(const std::string& className) {
  static const std::map<std::string, int> pages = {
      {"TWorkBitmap", BitmapPage},     {"TWorkGifImage", GifImagePage},
      {"TWorkJpeg", JpegPage},         {"TIconGroup", IconGroupPage},
      {"TGifImageGroup", GifGroupPage}, {"TWorkGifFrame", GifFramePage},
      {"TIconFrame", IconFramePage}};
  const auto it = pages.find(className);
  return it == pages.end() ? BitmapPage : it->second;
}

void TPropertiesPanel::FillColorModes(const std::string& modes, int bitCount) {
  cbColorMode->clear();
  cbColorMode->addItems(QString::fromStdString(modes).split('\r', Qt::SkipEmptyParts));
  cbColorMode->setCurrentIndex(cbColorMode->findText(QString::fromStdString(ColorModeName(bitCount))));
}

void TPropertiesPanel::SetTransparentChoice(bool on) {
  chbTransparent->setChecked(on);
  TranspCol->setVisible(on && !chbTransparent->isHidden());
}

TColor TPropertiesPanel::TransparentColorChoice() const {
  const QColor c = TranspCol->Color();
  return MakeColor(c.red(), c.green(), c.blue());
}

void TPropertiesPanel::SetTransparentColorChoice(TColor color) {
  TranspCol->SetColor(QColor(RedOf(color), GreenOf(color), BlueOf(color)));
}

void TPropertiesPanel::ShowPage(int page) {
  // A stack of pages is as large as its largest page; only the shown one should count, so that
  // the panel stays as narrow as what it shows and can be centred.
  for (int i = 0; i < TypePages->count(); ++i)
    TypePages->widget(i)->setSizePolicy(i == page ? QSizePolicy::Preferred : QSizePolicy::Ignored,
                                        i == page ? QSizePolicy::Preferred : QSizePolicy::Ignored);
  TypePages->setCurrentIndex(page);
  TypePages->updateGeometry();
}

void TPropertiesPanel::LoadImageProperties(TWorkImage& image) {
  const TQuietLoad quiet(loading_);
  pnlStandart->show();
  eXSize->SetValue(image.Width());
  eYSize->SetValue(image.Height());
  chbTransparent->show();
  // Sub-icons keep their transparency.
  chbTransparent->setEnabled(!image.IsIconFrame());
  SetTransparentChoice(image.GetTransparent());
  SetTransparentColorChoice(StripHighByte(image.GetTransparentColor()));
  FillColorModes(image.GetColorModes(), image.GetBitCount());
  ShowPage(PageOf(image.ClassName()));
  if (auto* gif = dynamic_cast<TWorkGifImage*>(&image)) {
    GifComment->setPlainText(CommentText(gif->Comments()));
    chbInterlaced->setChecked(gif->Interlaced());
    cbImageCommpress->setCurrentIndex(std::min<int>(gif->Compression(), 1));
  } else if (auto* jpeg = dynamic_cast<TWorkJpeg*>(&image)) {
    QEdit->SetValue(jpeg->Quality);
  } else if (auto* frame = dynamic_cast<TWorkGifFrame*>(&image)) {
    IntervalEdit->SetValue(int(frame->Delay()));
    GifFrameComment->setPlainText(CommentText(frame->Comments()));
    chbInterlacedAni->setChecked(frame->Interlaced());
    cbDisposeMethod->setCurrentIndex(std::min<int>(frame->Disposal, 3));
    chbLocalPalette->setChecked(frame->LocalPalette());
  }
}

void TPropertiesPanel::LoadGroupProperties(TImageGroup& group) {
  const TQuietLoad quiet(loading_);
  const int page = PageOf(group.ClassName());
  pnlStandart->setVisible(page != IconGroupPage);
  eXSize->SetValue(group.Width);
  eYSize->SetValue(group.Height);
  // An animation's transparency belongs to its frames.
  chbTransparent->setVisible(page != GifGroupPage);
  chbTransparent->setEnabled(true);
  SetTransparentChoice(group.Transparent);
  FillColorModes(group.GetColorModes(), group.BitCount);
  ShowPage(page);
  if (auto* gif = dynamic_cast<TGifImageGroup*>(&group)) {
    PlayCntEdit->SetValue(gif->LoopCount & 0xFFFF);
    cbCompression->setCurrentIndex(std::min<int>(gif->Compression(), 1));
  }
}

TPropertyValues TPropertiesPanel::ReadValues(int maxSide) {
  const TQuietLoad quiet(loading_);  // rewriting the fields' texts is no edit
  TPropertyValues v;
  v.Width = ReadIntegerField(*eXSize, "Width", 1, maxSide);
  v.Height = ReadIntegerField(*eYSize, "Height", 1, maxSide);
  v.Transparent = TransparentChoice();
  v.TransparentColor = TransparentColorChoice();
  v.Bits = BitCountOfModeName(cbColorMode->currentText().toStdString());
  switch (Page()) {
    case GifImagePage:
      v.Comments = CommentLines(*GifComment);
      v.Interlaced = chbInterlaced->isChecked();
      v.Compression = cbImageCommpress->currentIndex();
      break;
    case JpegPage:
      v.Quality = ReadIntegerField(*QEdit, "Quality", 1, MaxQuality);
      break;
    case GifGroupPage:
      v.Loops = ReadIntegerField(*PlayCntEdit, "Loops", 0, MaxLoops);
      v.Compression = cbCompression->currentIndex();
      break;
    case GifFramePage:
      v.Delay = uint32_t(ReadIntegerField(*IntervalEdit, "Delay", 0, int(TWorkGifFrame::MaxDelay)));
      v.Comments = CommentLines(*GifFrameComment);
      v.Interlaced = chbInterlacedAni->isChecked();
      v.Disposal = std::max(cbDisposeMethod->currentIndex(), 0);
      v.LocalPalette = chbLocalPalette->isChecked();
      break;
    default:
      break;
  }
  return v;
}
