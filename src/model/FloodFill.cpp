// Scanline flood fill with an explicit stack, so that long thin regions such as spirals and mazes
// cannot exhaust the call stack.
//
// A stack entry is a seed pixel. Popping one fills the whole run of matching pixels through it,
// then pushes one seed for every run of matching pixels touching it in the rows above and below.
// Filled pixels no longer match (the fill colour differs from the region's colour), so each pixel
// is filled once and the stack never holds more seeds than twice the pixels of the surface.

#include <algorithm>
#include <vector>

#include "model/Draw.h"

namespace {

class TFloodFill {
 public:
  TFloodFill(TSurface& surface, uint32_t target, TPixel pixel)
      : surface_(surface), width_(surface.Width()), target_(target), pixel_(pixel) {}

  void Run(int x, int y) {
    seeds_.push_back({x, y});
    while (!seeds_.empty()) {
      const TPoint seed = seeds_.back();
      seeds_.pop_back();
      FillRun(seed.X, seed.Y);
    }
  }

 private:
  bool Matches(TPixel p) const { return StripHighByte(p) == target_; }

  void FillRun(int x, int y) {
    TPixel* row = surface_.Row(y);
    if (!Matches(row[x])) return;  // filled since it was pushed
    int left = x;
    while (left > 0 && Matches(row[left - 1])) --left;
    int right = x + 1;
    while (right < width_ && Matches(row[right])) ++right;
    std::fill(row + left, row + right, pixel_);
    if (y > 0) PushRuns(y - 1, left, right);
    if (y + 1 < surface_.Height()) PushRuns(y + 1, left, right);
  }

  // One seed for each run of matching pixels of row y that overlaps [left, right).
  void PushRuns(int y, int left, int right) {
    const TPixel* row = surface_.Row(y);
    bool inRun = false;
    for (int x = left; x < right; ++x) {
      const bool match = Matches(row[x]);
      if (match && !inRun) seeds_.push_back({x, y});
      inRun = match;
    }
  }

  TSurface& surface_;
  const int width_;
  const uint32_t target_;
  const TPixel pixel_;
  std::vector<TPoint> seeds_;
};

}  // namespace

void FloodFill(TSurface& surface, int x, int y, TPixel pixel) {
  if (x < 0 || y < 0 || x >= surface.Width() || y >= surface.Height()) return;
  const uint32_t target = StripHighByte(surface.Pixel(x, y));
  if (target == StripHighByte(pixel)) return;
  TFloodFill(surface, target, pixel).Run(x, y);
}
