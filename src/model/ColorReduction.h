#pragma once
// Colour reduction: choosing a small palette for a 32-bit surface and mapping a surface onto a
// palette, either to the nearest colour or with one of six error-diffusion kernels.

#include <cstdint>
#include <vector>

#include "model/Colors.h"
#include "model/Surface.h"

// The ways of mapping pixels onto a palette, numbered as the colour reduction dialog and the
// paste option store them.
enum class TDitherMode : uint8_t {
  Nearest = 0,
  FloydSteinberg = 1,
  Stucki = 2,
  Sierra = 3,
  JarvisJudiceNinke = 4,
  StevensonArce = 5,
  Burkes = 6
};

constexpr int DitherModeCount = 7;

// The dither mode stored as `index`. The index usually comes from the settings file, so a value
// outside 0..6 (a damaged or foreign file) gives Nearest instead of failing the whole operation.
TDitherMode DitherModeFromIndex(int index);

// At most `maxColors` colours (2..256, otherwise EVelmoraError) that represent the surface, with
// high byte 0. When the surface holds no more distinct colours than that, these are returned
// exactly, in the order of their first occurrence (row by row), so that mapping the surface
// onto them loses nothing. Otherwise the colours are computed for the way the pixels will be
// mapped onto them (`mode`): for Nearest they keep each pixel's own error small; for the
// error-diffusion modes they spread wider over the picture's colours, so that the diffused
// pixels keep the local averages of the original. An empty surface gives no colours.
std::vector<TColor> QuantizeColors(const TSurface& s, int maxColors,
                                   TDitherMode mode = TDitherMode::Nearest);

// Replaces every pixel by one of the `count` palette colours (as a pixel word with high byte 0).
// A count below 1 uses entry 0 alone. Nearest takes the nearest colour (ties to the lower
// index); the other modes scan the rows alternately from left to right and from right to left
// and spread the difference between the wanted and the chosen colour over the pixels not yet
// visited with the kernel of their name (mirrored on the rows scanned to the left).
// A surface made only of palette colours keeps its colours in every mode, since no pixel then
// has an error to spread; only a high byte is cleared.
void MapToPalette(TSurface& s, const TColor* palette, int count, TDitherMode mode);
inline void MapToPalette(TSurface& s, const std::vector<TColor>& palette, TDitherMode mode) {
  MapToPalette(s, palette.empty() ? nullptr : palette.data(), int(palette.size()), mode);
}
