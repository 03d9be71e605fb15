#include "render/TextRender.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <algorithm>

namespace {

constexpr int DefaultPoints = 8;

// An offscreen canvas at the fixed text resolution, white.
QImage TextCanvas(int width, int height) {
  QImage canvas(width, height, QImage::Format_RGB32);
  const int dotsPerMeter = qRound(TextDotsPerInch / 0.0254);
  canvas.setDotsPerMeterX(dotsPerMeter);
  canvas.setDotsPerMeterY(dotsPerMeter);
  canvas.fill(Qt::white);
  return canvas;
}

void ApplyStyle(QFont& font, TTextStyle style) {
  font.setBold(style.Bold);
  font.setItalic(style.Italic);
  font.setUnderline(style.Underline);
  font.setStrikeOut(style.StrikeOut);
  // The mask is one bit deep: a glyph pixel is in or out, never half.
  font.setStyleStrategy(QFont::NoAntialias);
}

}  // namespace

QFont TextFont(const QString& family, const QString& sizeText, TTextStyle style) {
  bool isNumber = false;
  const int points = sizeText.trimmed().toInt(&isNumber);
  QFont font;
  if (isNumber && points >= 1 && points <= MaxTextPoints) {
    font = QFont(family);
    font.setPointSize(points);
  } else {
    font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSize(DefaultPoints);
  }
  ApplyStyle(font, style);
  return font;
}

std::vector<TTextLine> LayoutText(const QStringList& lines, const QFont& font, TTextAlign align) {
  const QImage device = TextCanvas(1, 1);
  const QFontMetrics metrics(font, &device);
  std::vector<TTextLine> laid;
  std::vector<int> widths;
  int widest = 0;
  for (const QString& line : lines) {
    // An empty line is as wide and as high as a blank.
    const QString text = line.isEmpty() ? QStringLiteral(" ") : line;
    widths.push_back(metrics.horizontalAdvance(text));
    widest = std::max(widest, widths.back());
    laid.push_back({text, 0, 0});
  }
  int y = 0;
  for (size_t i = 0; i < laid.size(); ++i) {
    const int room = widest - widths[i];
    laid[i].X = align == TTextAlign::Right ? room : align == TTextAlign::Center ? room / 2 : 0;
    laid[i].Y = y;
    y += metrics.height();
  }
  return laid;
}

void RenderText(const QStringList& lines, const QFont& font, TTextAlign align, TColor color,
                TSurface& layer, TMaskSurface& mask) {
  mask.Fill(true);
  layer.Fill(0xFFFFFF);
  const std::vector<TTextLine> laid = LayoutText(lines, font, align);
  if (laid.empty()) return;
  // The canvas covers the text, with room for slanted glyphs reaching past their advance and
  // underlines below the last line, but never more than the picture.
  const QImage device = TextCanvas(1, 1);
  const QFontMetrics metrics(font, &device);
  int right = 0;
  for (const TTextLine& line : laid)
    right = std::max(right, line.X + metrics.horizontalAdvance(line.Text));
  const int width = std::min({layer.Width(), mask.Width(), right + metrics.maxWidth()});
  const int height = std::min(
      {layer.Height(), mask.Height(), laid.back().Y + metrics.height() + metrics.descent()});
  if (width <= 0 || height <= 0) return;
  QImage canvas = TextCanvas(width, height);
  {
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(font);
    painter.setPen(Qt::black);
    for (const TTextLine& line : laid)
      painter.drawText(QPoint(line.X, line.Y + metrics.ascent()), line.Text);
  }
  const TPixel ink = ColorToPixel(color);
  for (int y = 0; y < height; ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
    TPixel* out = layer.Row(y);
    for (int x = 0; x < width; ++x) {
      if (qGray(in[x]) >= 128) continue;
      out[x] = ink;
      mask.SetSelected(x, y, true);
    }
  }
}
