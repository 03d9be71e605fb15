#include "model/GraphUtils.h"

#include <cstdlib>

TSurfaceFormat SurfaceFormatFor(int bitCount) {
  if (bitCount == 1) return TSurfaceFormat::Bits1;
  if (bitCount >= 2 && bitCount <= 4) return TSurfaceFormat::Bits4;
  if (bitCount >= 5 && bitCount <= 8) return TSurfaceFormat::Bits8;
  if (bitCount >= 9 && bitCount <= 15) return TSurfaceFormat::Bits15;
  if (bitCount == 16) return TSurfaceFormat::Bits16;
  if (bitCount >= 17 && bitCount <= 24) return TSurfaceFormat::Bits24;
  return TSurfaceFormat::Bits32;
}

int BitsOf(TSurfaceFormat format) {
  switch (format) {
    case TSurfaceFormat::Bits1: return 1;
    case TSurfaceFormat::Bits4: return 4;
    case TSurfaceFormat::Bits8: return 8;
    case TSurfaceFormat::Bits15: return 15;
    case TSurfaceFormat::Bits16: return 16;
    case TSurfaceFormat::Bits24: return 24;
    case TSurfaceFormat::Bits32: return 32;
  }
  return 32;
}

std::string ColorModeName(int bitCount) {
  std::string description;
  if (bitCount == 16)
    description = "High color";
  else if (bitCount == 24 || bitCount == 32)
    description = "True color";
  else if (bitCount > 16)
    description = "Custom";
  else
    description = std::to_string(1LL << bitCount) + "colors";
  return std::to_string(bitCount) + " bit (" + description + ")";
}

std::string JoinColorModes(std::initializer_list<int> bitCounts) {
  std::string out;
  for (int n : bitCounts) {
    if (!out.empty()) out += '\r';
    out += ColorModeName(n);
  }
  return out;
}

int BitCountOfModeName(const std::string& name) {
  int n = 0;
  for (char c : name) {
    if (c < '0' || c > '9') break;
    n = n * 10 + (c - '0');
    if (n > 255) return 0;
  }
  return n;
}

namespace {

int HueValue(int m1, int m2, int h) {
  if (h < 0) h += 240;
  if (h > 240) h -= 240;
  if (h < 40) return m1 + ((m2 - m1) * h + 20) / 40;
  if (h < 120) return m2;
  if (h < 160) return m1 + ((m2 - m1) * (160 - h) + 20) / 40;
  return m1;
}

}  // namespace

TColor HlsToRgb(int hue, int luminance, int saturation) {
  if (saturation == 0) {
    const int v = luminance * 255 / 240;
    return MakeColor(v, v, v);
  }
  const int m2 = luminance <= 120
                     ? (luminance * (240 + saturation) + 120) / 240
                     : luminance + saturation - (luminance * saturation + 120) / 240;
  const int m1 = 2 * luminance - m2;
  const int r = (HueValue(m1, m2, hue + 80) * 255 + 120) / 240;
  const int g = (HueValue(m1, m2, hue) * 255 + 120) / 240;
  const int b = (HueValue(m1, m2, hue - 80) * 255 + 120) / 240;
  return MakeColor(r, g, b);
}

void MakeColorMask(TSurface& surface, TColor color, bool inverted) {
  const TPixel key = ColorToPixel(color);
  const TPixel hit = inverted ? 0x000000 : 0xFFFFFF;
  const TPixel miss = hit ^ 0xFFFFFF;
  for (int y = 0; y < surface.Height(); ++y) {
    TPixel* row = surface.Row(y);
    for (int x = 0; x < surface.Width(); ++x) row[x] = (row[x] & 0xFFFFFF) == key ? hit : miss;
  }
}

TMaskSurface SelectColor(const TSurface& surface, TColor color) {
  const TPixel key = ColorToPixel(color);
  TMaskSurface mask(surface.Width(), surface.Height());
  for (int y = 0; y < surface.Height(); ++y) {
    const TPixel* row = surface.Row(y);
    for (int x = 0; x < surface.Width(); ++x)
      if ((row[x] & 0xFFFFFF) == key) mask.SetSelected(x, y, true);
  }
  return mask;
}
