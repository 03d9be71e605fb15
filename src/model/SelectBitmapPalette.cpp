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

  TColor colors[MaxPaletteEntries];
  const int count = std::clamp<int>(palette.Count, 1, MaxPaletteEntries);
  for (int i = 0; i < count; ++i) colors[i] = palette.Color(i);
  MapToPalette(surface, colors, count, dither);

  if (!iconMode) key = NearestPaletteColor(key, palette);
  if (keepKey) SetMarked(surface, keyMarks, ColorToPixel(key));
  if (iconMode) SetMarked(surface, invertMarks, ColorToPixel(IconInvertColor));
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

bool TSelectBitmap::ChangeBitCount(int newBitCount, IReductionChooser& chooser,
                                   const std::string& defaultPaletteFile) {
  if (newBitCount == GetBitCount()) return true;
  if (newBitCount <= 8) {
    if (newBitCount < 1) throw EVelmoraError("Invalid color depth.");
    const int colors = 1 << newBitCount;
    const auto choice = chooser.ChooseReduction(newBitCount, "*.plt" + std::to_string(colors));
    if (!choice) return false;
    TPaletteRecord palette = choice->Palette;
    if (choice->Quantize) {
      palette = TPaletteRecord{};
      palette.Count = uint16_t(colors);
      const std::vector<TColor> found = QuantizeColors(Image(), colors);
      for (size_t i = 0; i < found.size() && i < size_t(colors); ++i)
        palette.SetColor(int(i), found[i]);
    }
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
