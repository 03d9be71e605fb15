// Palette operations of TSelectBitmap: snapping, remapping and colour depth changes.

#include <algorithm>

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

}  // namespace

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
    const TPaletteRecord palette =
        choice->Quantize ? QuantizedPalette(colors, choice->Dither) : choice->Palette;
    SetBitCount(newBitCount);
    ApplyPalette(palette, choice->Dither);
    return true;
  }
  // Deeper images keep their pixels; the palette only feeds the palette grid. A damaged
  // default palette file must not block the change, so the generated one stands in for it.
  const TPaletteRecord palette = ReadPaletteOrDefault(defaultPaletteFile);
  SetBitCount(newBitCount);
  GetPalette() = palette;
  return true;
}
