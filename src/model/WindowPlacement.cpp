#include "model/WindowPlacement.h"

#include <algorithm>
#include <cstdint>

namespace {

int64_t Area(const TRect& r) {
  return r.IsEmpty() ? 0 : int64_t(r.Width()) * r.Height();
}

bool ShowsOn(const TRect& window, const TRect& screen) {
  const TRect common = window.Intersect(screen);
  return common.Width() >= MinVisibleWindowWidth && common.Height() >= MinVisibleWindowHeight;
}

// Limits one extent to the screen's and moves it inside.
void FitSpan(int& low, int& high, int screenLow, int screenHigh) {
  const int64_t size = std::min<int64_t>(int64_t(high) - low, int64_t(screenHigh) - screenLow);
  const int64_t start = std::clamp<int64_t>(low, screenLow, screenHigh - size);
  low = int(start);
  high = int(start + size);
}

}  // namespace

std::optional<TRect> FitWindowToScreens(const TRect& stored, const std::vector<TRect>& screens) {
  if (stored.IsEmpty()) return std::nullopt;
  if (screens.empty()) return stored;
  const TRect* best = nullptr;
  for (const TRect& screen : screens)
    if (ShowsOn(stored, screen) &&
        (!best || Area(stored.Intersect(screen)) > Area(stored.Intersect(*best))))
      best = &screen;
  if (!best) return std::nullopt;
  TRect fitted = stored;
  FitSpan(fitted.Left, fitted.Right, best->Left, best->Right);
  FitSpan(fitted.Top, fitted.Bottom, best->Top, best->Bottom);
  return fitted;
}
