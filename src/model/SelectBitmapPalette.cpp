// Palette operations of TSelectBitmap: snapping, remapping and colour depth changes.

#include <algorithm>
#include <vector>

#include "model/Errors.h"
#include "model/GraphUtils.h"
#include "model/SelectBitmap.h"

namespace {

void SetMarked(TSurface& surface, const TMaskSurface& marks, TPixel p) {
  for (int y = 0; y < surface.Height(); ++y) {
    TPixel* row = surface.Row(y);
    for (int x = 0; x < surface.Width(); ++x)
      if (marks.IsSelected(x, y)) row[x] = p;
  }
}

// Pixels with alpha below 128 take `key`, the others lose their alpha. Returns whether any
// pixel took the key.
bool FlattenAlpha(TSurface& surface, TPixel key) {
  bool any = false;
  for (int y = 0; y < surface.Height(); ++y)
    for (TPixel *p = surface.Row(y), *end = p + surface.Width(); p < end; ++p) {
      if (!IsTranslucent(*p)) continue;
      const bool clear = AlphaOf(*p) < 128;
      any |= clear;
      *p = clear ? key : *p & 0xFFFFFF;
    }
  return any;
}

void SetAlphaOfColor(TSurface& surface, TPixel color, int alpha) {
  for (int y = 0; y < surface.Height(); ++y)
    for (TPixel *p = surface.Row(y), *end = p + surface.Width(); p < end; ++p)
      if ((*p & 0xFFFFFF) == color) *p = WithAlpha(*p, alpha);
}

// A colour no opaque pixel of the surfaces has, starting from the sub-icon transparent colour.
TColor UnusedColor(const TSurface& image, const TSurface* layer) {
  std::vector<bool> used(size_t(1) << 24, false);
  for (const TSurface* s : {&image, layer}) {
    if (!s) continue;
    for (int y = 0; y < s->Height(); ++y)
      for (const TPixel *p = s->Row(y), *end = p + s->Width(); p < end; ++p)
        if (AlphaOf(*p) >= 128) used[*p & 0xFFFFFF] = true;
  }
  TColor key = IconTransparentColor;
  while (used[ColorToPixel(key)]) key = (key + 1) & 0xFFFFFF;
  return key;
}

}  // namespace

bool TSelectBitmap::UsesAlpha() const {
  return GetBitCount() == 32 && (AnyTranslucent(Image()) || (Layer() && AnyTranslucent(*Layer())));
}

void TSelectBitmap::MakeColorTransparent(TColor c) {
  if (GetBitCount() != 32) return;
  SetAlphaOfColor(EditImage(), ColorToPixel(c), 0);
  if (TSurface* layer = EditLayer()) SetAlphaOfColor(*layer, ColorToPixel(c), 0);
}

void TSelectBitmap::DropAlpha() {
  if (!UsesAlpha()) return;
  const TColor key = IsIconFrame()    ? IconTransparentColor
                     : GetTransparent() ? GetTransparentColor()
                                        : UnusedColor(Image(), Layer());
  bool any = FlattenAlpha(EditImage(), ColorToPixel(key));
  if (TSurface* layer = EditLayer()) any |= FlattenAlpha(*layer, ColorToPixel(key));
  if (any && !IsIconFrame()) {
    SetTransparent(true);
    SetTransparentColor(key);
  }
}

void TSelectBitmap::KeyToAlpha() {
  if (!GetTransparent() && !IsIconFrame()) return;
  const TPixel key = ColorToPixel(IsIconFrame() ? IconTransparentColor : GetTransparentColor());
  SetAlphaOfColor(EditImage(), key, 0);
  if (TSurface* layer = EditLayer()) SetAlphaOfColor(*layer, key, 0);
  if (!IsIconFrame()) SetTransparent(false);  // alpha says it from now on
}

void ReduceToPalette(TSurface& surface, const TPaletteRecord& palette, TDitherMode dither,
                     TColor& key, bool iconMode, bool keepKey) {
  // Transparent and inverting pixels are remembered first so they never take a dithered colour.
  TMaskSurface keyMarks, invertMarks;
  if (iconMode || keepKey) keyMarks = SelectColor(surface, key);
  if (iconMode) invertMarks = SelectColor(surface, IconInvertColor);
  if (!iconMode) key = NearestPaletteColor(key, palette);

  // Other pixels never take the colours that stand for transparent or inverting pixels, or they
  // would turn transparent themselves.
  const auto reserved = [&](TColor c) {
    return (iconMode || keepKey) && (c == key || (iconMode && c == IconInvertColor));
  };
  TColor colors[MaxPaletteEntries];
  int count = 0;
  for (int i = 0; i < std::clamp<int>(palette.Count, 1, MaxPaletteEntries); ++i)
    if (!reserved(palette.Color(i))) colors[count++] = palette.Color(i);
  if (count == 0) colors[count++] = palette.Color(0);
  MapToPalette(surface, colors, count, dither);

  if (keepKey) SetMarked(surface, keyMarks, ColorToPixel(key));
  if (iconMode) SetMarked(surface, invertMarks, ColorToPixel(IconInvertColor));
}

TPaletteRecord TSelectBitmap::QuantizedPalette(int colors, TDitherMode dither) const {
  // Transparent and inverting pixels take no part: they take the colour of the pixel before them,
  // and an entry is kept for what they need, the transparent colour itself or, in sub-icons,
  // black, which icon files store under transparent pixels.
  const bool icon = IsIconFrame();
  const TPixel key = ColorToPixel(GetTransparentColor());
  const auto special = [&](TPixel p) {
    p &= 0xFFFFFF;
    return (GetTransparent() && p == key) || (icon && p == ColorToPixel(IconInvertColor));
  };
  TSurface opaque = Image();
  TPixel last = 0;
  bool any = false, found = false;
  for (TPixel* p = opaque.Bits(), *end = p + size_t(Width()) * size_t(Height()); p < end; ++p) {
    if (!special(*p)) {
      last = *p;
      found = true;
      continue;
    }
    any = true;
    *p = last;
  }
  const TColor spare = icon ? clBlack : GetTransparentColor();
  std::vector<TColor> chosen;
  if (!any || colors < 3 || !found) {
    chosen = QuantizeColors(found ? opaque : Image(), colors, dither);
  } else {
    chosen = QuantizeColors(opaque, colors - 1, dither);
  }
  if (any && std::find(chosen.begin(), chosen.end(), spare) == chosen.end()) {
    if (int(chosen.size()) >= colors) chosen.pop_back();
    chosen.push_back(spare);
  }
  TPaletteRecord palette;
  palette.Count = uint16_t(colors);
  for (size_t i = 0; i < chosen.size() && i < size_t(colors); ++i) palette.SetColor(int(i), chosen[i]);
  return palette;
}

TColor TSelectBitmap::NearestColor(TColor c) const {
  if (GetBitCount() < 9) return NearestPaletteColor(c, GetPalette());
  return c;
}

void TSelectBitmap::ApplyPalette(const TPaletteRecord& palette, TDitherMode dither) {
  if (&palette != &GetPalette()) GetPalette() = palette;
  if (GetBitCount() > 8) return;
  const TPaletteRecord& pal = GetPalette();
  TColor key = GetTransparentColor();
  ReduceToPalette(EditImage(), pal, dither, key, IsIconFrame(), GetTransparent());
  if (TSurface* layer = EditLayer()) {
    TColor layerKey = GetTransparentColor();
    ReduceToPalette(*layer, pal, dither, layerKey, IsIconFrame(), GetTransparent());
  }
  SetTransparentColor(key);
}

void TSelectBitmap::InitImage(int width, int height, const TPaletteRecord* palette,
                              int bitCount) {
  SetWidth(width);
  SetHeight(height);
  SetBitCount(bitCount);
  if (palette)
    GetPalette() = *palette;
  else
    FillDefaultPalette(GetPalette(), bitCount);
  SetLeftColor(clBlack);
  SetRightColor(clWhite);
}

std::string ReductionPattern(int bitCount) { return "*.plt" + std::to_string(1 << bitCount); }

std::optional<TReductionChoice> TOnceChooser::ChooseReduction(int bitCount,
                                                              const std::string& pattern) {
  if (!asked_) {
    choice_ = chooser_.ChooseReduction(bitCount, pattern);
    asked_ = true;
  }
  return choice_;
}

bool TSelectBitmap::ChangeBitCount(int newBitCount, IReductionChooser& chooser,
                                   const std::string& defaultPaletteFile) {
  if (newBitCount == GetBitCount()) return true;
  if (newBitCount <= 8) {
    if (newBitCount < 1) throw EVelmoraError("Invalid color depth.");
    const int colors = 1 << newBitCount;
    const auto choice = chooser.ChooseReduction(newBitCount, ReductionPattern(newBitCount));
    if (!choice) return false;
    DropAlpha();
    const TPaletteRecord palette =
        choice->Quantize ? QuantizedPalette(colors, choice->Dither) : choice->Palette;
    SetBitCount(newBitCount);
    ApplyPalette(palette, choice->Dither);
    return true;
  }
  // Deeper images keep their pixels; the palette only feeds the palette grid. A damaged
  // default palette file must not block the change, so the generated one stands in for it.
  const TPaletteRecord palette = ReadPaletteOrDefault(defaultPaletteFile);
  if (newBitCount == 32)
    KeyToAlpha();
  else
    DropAlpha();
  SetBitCount(newBitCount);
  GetPalette() = palette;
  return true;
}
