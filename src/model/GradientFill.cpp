// The banded linear gradient of the closed shapes' gradient mode.

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "model/Draw.h"
#include "model/SpanPainters.h"

namespace {

// numerator / denominator rounded half away from zero; denominator > 0.
int64_t DivideRounded(int64_t numerator, int64_t denominator) {
  const int64_t magnitude = (2 * std::llabs(numerator) + denominator) / (2 * denominator);
  return numerator < 0 ? -magnitude : magnitude;
}

// The colours of the bands along an extent of n pixels.
class TBands {
 public:
  TBands(TColor from, TColor to, int64_t extent, int bands)
      : from_(from), to_(to), count_(std::min<int64_t>(std::max(bands, 2), extent)) {
    width_ = extent / count_;
  }

  // The pixel word of position i (0 = the start of the extent).
  TPixel PixelAt(int64_t i) const {
    const int64_t band = std::min(i / width_, count_ - 1);
    return ColorToPixel(MakeColor(Channel(RedOf(from_), RedOf(to_), band),
                                  Channel(GreenOf(from_), GreenOf(to_), band),
                                  Channel(BlueOf(from_), BlueOf(to_), band)));
  }

 private:
  int Channel(int start, int end, int64_t band) const {
    // A one-pixel extent has a single band, which keeps the start colour.
    if (count_ < 2) return start;
    return start + int(DivideRounded(band * (end - start), count_ - 1));
  }

  TColor from_;
  TColor to_;
  int64_t count_;
  int64_t width_ = 1;
};

}  // namespace

void GradientFill(TSurface& surface, const TRect& r, TColor from, TColor to, bool horizontal,
                  int bands) {
  const TBox64 b = TBox64::Normalized(r);
  if (b.IsEmpty()) return;
  const TBands colours(from, to, horizontal ? b.Width() : b.Height(), bands);
  const TRowRange rows = VisibleRows(b, surface.Height());
  const int left = int(std::clamp<int64_t>(b.Left, 0, surface.Width()));
  const int right = int(std::clamp<int64_t>(b.Right, 0, surface.Width()));
  if (left >= right || rows.First >= rows.Last) return;
  if (!horizontal) {
    for (int y = rows.First; y < rows.Last; ++y)
      TPixelPainter(surface, colours.PixelAt(y - b.Top)).Span(y, left, right);
    return;
  }
  std::vector<TPixel> line(size_t(right - left));
  for (int x = left; x < right; ++x) line[size_t(x - left)] = colours.PixelAt(x - b.Left);
  for (int y = rows.First; y < rows.Last; ++y)
    std::copy(line.begin(), line.end(), surface.Row(y) + left);
}
