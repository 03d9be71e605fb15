#pragma once
// Raster surfaces of our own: a 32-bit surface (one pixel word per pixel, blue in the low byte)
// and a 1-bit mask (black = 0 = selected, white = 1 = not selected).
//
// Both keep their rows contiguous so that hot loops work on raw rows. Sizes are checked: a
// negative size or one whose pixels cannot be held raises EVelmoraError instead of crashing.
// While a document is read their pixels count against its memory budget (model/ReadBudget.h).

#include <cstdint>
#include <vector>

#include "model/Colors.h"
#include "model/Geometry.h"
#include "model/ReadBudget.h"

// Largest number of pixels one surface may hold (1 GiB of 32-bit pixels).
constexpr int64_t MaxSurfacePixels = int64_t(1) << 28;

// Throws EVelmoraError when a surface of this size cannot or should not be made.
void CheckSurfaceSize(int64_t width, int64_t height);

class TSurface {
 public:
  TSurface() = default;
  TSurface(int width, int height, TPixel fill = 0xFFFFFF);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool IsEmpty() const { return width_ == 0 || height_ == 0; }
  TRect Bounds() const { return {0, 0, width_, height_}; }

  TPixel* Row(int y) { return pixels_.data() + size_t(y) * size_t(width_); }
  const TPixel* Row(int y) const { return pixels_.data() + size_t(y) * size_t(width_); }
  TPixel* Bits() { return pixels_.data(); }
  const TPixel* Bits() const { return pixels_.data(); }

  TPixel Pixel(int x, int y) const { return Row(y)[x]; }
  void SetPixel(int x, int y, TPixel p) { Row(y)[x] = p; }
  // Reads outside the surface give `outside`; writes outside are ignored.
  TPixel PixelOr(int x, int y, TPixel outside) const;
  void SetPixelClipped(int x, int y, TPixel p);

  // Changes the size, keeping the pixels of the common top-left part; new pixels get `fill`.
  void SetSize(int width, int height, TPixel fill = 0xFFFFFF);
  void Fill(TPixel p);
  // Fills the part of `r` inside the surface.
  void FillRect(const TRect& r, TPixel p);
  // Inverts the low 24 bits of every pixel of `r` inside the surface.
  void InvertRect(const TRect& r);

  friend bool operator==(const TSurface&, const TSurface&) = default;

 private:
  // First, so that a copy is counted (and refused) before its pixels are taken.
  TBudgetTicket ticket_;
  int width_ = 0;
  int height_ = 0;
  std::vector<TPixel> pixels_;
};

// Whether any pixel lets something show through (only 32-bit pictures hold alpha).
bool AnyTranslucent(const TSurface& surface);

// Pen modes for drawing onto a mask.
enum class TMaskPen : uint8_t { Black, White, Xor };

class TMaskSurface {
 public:
  TMaskSurface() = default;
  // A new mask is all white (nothing selected) unless `white` is false.
  TMaskSurface(int width, int height, bool white = true);

  int Width() const { return width_; }
  int Height() const { return height_; }
  TRect Bounds() const { return {0, 0, width_, height_}; }
  // Bytes per row; rows are padded to whole 32-bit words like a device-independent bitmap.
  int Stride() const { return stride_; }

  // Bits are stored from the most significant bit of each byte.
  uint8_t* Row(int y) { return bits_.data() + size_t(y) * size_t(stride_); }
  const uint8_t* Row(int y) const { return bits_.data() + size_t(y) * size_t(stride_); }

  bool IsWhite(int x, int y) const { return (Row(y)[x >> 3] >> (7 - (x & 7))) & 1; }
  bool IsSelected(int x, int y) const { return !IsWhite(x, y); }
  void SetWhite(int x, int y, bool white) {
    uint8_t& b = Row(y)[x >> 3];
    const uint8_t bit = uint8_t(0x80 >> (x & 7));
    b = white ? uint8_t(b | bit) : uint8_t(b & ~bit);
  }
  void SetSelected(int x, int y, bool selected) { SetWhite(x, y, !selected); }
  // Outside the mask every pixel counts as white (not selected).
  bool IsSelectedClipped(int x, int y) const {
    return x >= 0 && y >= 0 && x < width_ && y < height_ && IsSelected(x, y);
  }

  void SetSize(int width, int height, bool white = true);
  void Fill(bool white);
  // Applies the pen to every pixel of `r` inside the mask.
  void FillRect(const TRect& r, TMaskPen pen);
  // The mask as a 32-bit surface: black for selected, white for not selected.
  TSurface ToSurface() const;
  bool AnySelected() const;

  friend bool operator==(const TMaskSurface& a, const TMaskSurface& b);

 private:
  TBudgetTicket ticket_;  // first, as in TSurface
  int width_ = 0;
  int height_ = 0;
  int stride_ = 0;
  std::vector<uint8_t> bits_;
};
