#pragma once
// Small palettes (fewer than about a hundred colours) for pictures that will be dithered.
//
// With few colours, error diffusion can only keep a picture's local averages where the palette
// reaches around them: colours outside every mix of palette entries come out too grey, however
// the error is spread. Palettes that follow the density of the colours keep each pixel close but
// leave small saturated groups outside; palettes from a coarse octree reach them but mix more
// noise into the large even areas. Which serves a picture better depends on the picture, so a few
// palettes of both kinds are tried on tiles of it, diffused with the mode that will be used, and
// the one whose result is closest to the original both pixel by pixel and after a small blur
// (which is what the eye compares at a distance) wins.

#include <vector>

#include "model/ColorHistogram.h"
#include "model/ColorReduction.h"
#include "model/Colors.h"
#include "model/Surface.h"

// At most `maxColors` colours for `s` (whose histogram is given) to be mapped with `mode`, an
// error-diffusion mode.
std::vector<TColor> DiffusionPalette(const TSurface& s, const TColorHistogram& histogram,
                                     int maxColors, TDitherMode mode);

// Moves every colour away from the picture's mean colour by `amount` times the spread of the
// pixels nearest to it along that direction, so that the palette reaches further out where the
// picture's colours do. With `recentre` each colour first moves to the mean of those pixels.
// Works on a sample of about 2^16 pixels.
void SpreadPalette(const TSurface& s, std::vector<TColor>& colors, double amount, bool recentre);
