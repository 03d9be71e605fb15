#pragma once
// Shared by the row writers of the zoomed view (ZoomRender.cpp, AlphaRows.cpp); not part of the
// render layer's interface.

#include "model/Colors.h"
#include "render/ZoomRender.h"

// Functions built once per instruction set and chosen when the program starts (x86-64 only).
#if defined(__x86_64__) && defined(__GNUC__)
#define VectorClones __attribute__((target_clones("avx2", "default")))
#else
#define VectorClones
#endif

// What one magnified row needs besides its source pixels.
struct TRowStyle {
  int Factor;
  bool GridColumns;
  TPixel Grid;
  bool Transparent;
  TPixel Key;  // transparent colour as a pixel word without the high byte
  bool Alpha;
  TPixel Back;
  TPixel BackInverse;
  int HatchPeriod;
};

// One straight-alpha pixel over an opaque view pixel, each channel rounded to the nearest; an
// opaque pixel comes out as itself. Red and blue share one multiply in the two halves of a word
// (no product exceeds 16 bits), and x / 255 is (x + 1 + (x >> 8)) >> 8, exact over that range:
// multiplies, adds and shifts that vectorise where a division does not.
constexpr TPixel BlendOver(TPixel p, TPixel under) {
  const uint32_t a = uint32_t(AlphaOf(p)), b = 255 - a;
  const uint32_t rb = (p & 0xFF00FF) * a + (under & 0xFF00FF) * b + 0x7F007F;
  const uint32_t g = ((p >> 8) & 0xFF) * a + ((under >> 8) & 0xFF) * b + 0x7F;
  const uint32_t rbOut = ((rb + 0x10001 + ((rb >> 8) & 0xFF00FF)) >> 8) & 0xFF00FF;
  const uint32_t gOut = ((g + 1 + (g >> 8)) >> 8) & 0xFF;
  return OpaqueBits | rbOut | (gOut << 8);
}

// Cells of an image with alpha: each pixel blended over the hatch row (or the plain background
// when `hatch` is null). Answers whether any pixel was translucent.
bool ZoomAlphaCells(const TPixel* src, TPixel* dst, int count, const TPixel* hatch,
                    const TRowStyle& s);

// Both view rows of a row of two-pixel cells of an image with alpha, from one blend of the
// source pixels; the rows differ only in the hatch they show.
bool ZoomAlphaCellRows2(const TPixel* src, TPixel* top, TPixel* bottom, int count,
                        const TPixel* hatchTop, const TPixel* hatchBottom, const TRowStyle& s);
