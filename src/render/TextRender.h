#pragma once
// The text tool's pixel work: a text of several lines laid out as the text pad shows it and
// rendered into a floating layer and its selection mask. Qt rasterises the glyphs offscreen at a
// fixed 96 dots per inch without smoothing, so the same text gives the same pixels on every
// desktop; row loops then move them into the model's surfaces.

#include <QFont>
#include <QString>
#include <QStringList>

#include "model/Colors.h"
#include "model/Surface.h"

enum class TTextAlign : uint8_t { Left, Right, Center };

// The font style the pad's buttons choose.
struct TTextStyle {
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
};

// Sizes beyond this many points are typing mistakes, not sizes (their glyphs would not fit any
// picture the editor holds).
constexpr int MaxTextPoints = 500;

// The font of `family` at `sizeText` points with `style`. A size that is not a whole number from
// 1 to MaxTextPoints falls back to the desktop's default font at 8 points, keeping the style.
QFont TextFont(const QString& family, const QString& sizeText, TTextStyle style);

// The resolution text is rasterised at: point sizes become pixels as on a 96 dpi screen.
constexpr int TextDotsPerInch = 96;

// Where each line of `lines` starts, from the layer's top-left corner: the lines stack by the
// font's height, and each is placed within the widest by `align` (an empty line counts as one
// blank, as wide and high as a blank).
struct TTextLine {
  QString Text;
  int X = 0;
  int Y = 0;
};
std::vector<TTextLine> LayoutText(const QStringList& lines, const QFont& font, TTextAlign align);

// Clears `mask` (nothing selected) and `layer` (white), then renders the lines: the glyph pixels
// become selected in the mask and `color` in the layer, so merging the layer puts exactly the
// glyphs in that colour. The surfaces have the picture's size; what falls outside is cut off.
void RenderText(const QStringList& lines, const QFont& font, TTextAlign align, TColor color,
                TSurface& layer, TMaskSurface& mask);
