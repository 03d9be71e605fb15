#pragma once
// Plain nearest-colour mapping; the dithering module replaces this file.
#include <cstdint>
#include <vector>
#include "model/Surface.h"
enum class TDitherMode : uint8_t { Nearest = 0, FloydSteinberg, Stucki, Sierra, JarvisJudiceNinke, StevensonArce, Burkes };
std::vector<TColor> QuantizeColors(const TSurface& s, int maxColors);
void MapToPalette(TSurface& s, const TColor* palette, int count, TDitherMode mode);
