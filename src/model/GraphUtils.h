#pragma once
// Stateless colour and raster helpers shared by the model and the editor: colour depths and
// their names, HLS conversion and the two-colour mask builder.

#include <cstdint>
#include <initializer_list>
#include <string>

#include "model/Colors.h"
#include "model/Surface.h"

// The pixel format a file or the clipboard uses for an image of a bit count.
enum class TSurfaceFormat : uint8_t { Bits1, Bits4, Bits8, Bits15, Bits16, Bits24, Bits32 };

TSurfaceFormat SurfaceFormatFor(int bitCount);
int BitsOf(TSurfaceFormat format);

// "8 bit (256colors)", "16 bit (High color)", "32 bit (True color)", "20 bit (Custom)".
std::string ColorModeName(int bitCount);
// Names joined by a carriage return alone, in the given (ascending) order.
std::string JoinColorModes(std::initializer_list<int> bitCounts);
// The leading number of a colour mode name ("16 bit (High color)" gives 16), 0 without one.
int BitCountOfModeName(const std::string& name);

// HLS to RGB on the 0..240 scale of the system colour dialog.
TColor HlsToRgb(int hue, int luminance, int saturation);

// Turns `surface` into a two-colour surface: pixels whose low 24 bits equal `color` (given as a
// colour, compared as a pixel word) become white, all others black; `inverted` swaps the two.
void MakeColorMask(TSurface& surface, TColor color, bool inverted);

// The same test as a 1-bit mask: pixels of exactly `color` are selected (black).
TMaskSurface SelectColor(const TSurface& surface, TColor color);
