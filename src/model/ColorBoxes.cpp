#include "model/ColorBoxes.h"

#include <algorithm>
#include <cmath>

namespace {

// Adds the planes below and beside each cell so that every cell holds the sum of all cells up
// to it on every axis.
void Accumulate(std::vector<double>& t, int side) {
  auto at = [side](int r, int g, int b) { return (r * side + g) * side + b; };
  for (int r = 1; r < side; ++r)
    for (int g = 1; g < side; ++g)
      for (int b = 1; b < side; ++b)
        t[at(r, g, b)] += t[at(r - 1, g, b)] + t[at(r, g - 1, b)] + t[at(r, g, b - 1)] -
                          t[at(r - 1, g - 1, b)] - t[at(r - 1, g, b - 1)] - t[at(r, g - 1, b - 1)] +
                          t[at(r - 1, g - 1, b - 1)];
}

int RoundedMean(double sum, double weight) {
  return std::clamp(int(std::lround(sum / weight)), 0, 255);
}

}  // namespace

TColorBoxes::TColorBoxes(const TColorHistogram& histogram, double countExponent) {
  const size_t cells = size_t(Side) * Side * Side;
  for (auto* t : {&weight_, &red_, &green_, &blue_, &squares_}) t->assign(cells, 0.0);
  for (int r = 0; r < Levels; ++r)
    for (int g = 0; g < Levels; ++g)
      for (int b = 0; b < Levels; ++b) {
        const TColorCell& c = histogram.Cell(r, g, b);
        if (c.Count == 0) continue;
        // Scaling all of a cell's moments alike keeps its mean and spread.
        const double scale =
            countExponent == 1.0 ? 1.0 : std::pow(double(c.Count), countExponent - 1);
        const int i = At(r + 1, g + 1, b + 1);
        weight_[i] = c.Count * scale;
        red_[i] = double(c.Red) * scale;
        green_[i] = double(c.Green) * scale;
        blue_[i] = double(c.Blue) * scale;
        squares_[i] = double(c.Squares) * scale;
      }
  for (auto* t : {&weight_, &red_, &green_, &blue_, &squares_}) Accumulate(*t, Side);
}

TColorBoxes::TMoments TColorBoxes::Sum(const TBox& box) const {
  const int r0 = box.Low[0], g0 = box.Low[1], b0 = box.Low[2];
  const int r1 = box.High[0], g1 = box.High[1], b1 = box.High[2];
  auto volume = [&](const std::vector<double>& t) {
    return t[At(r1, g1, b1)] - t[At(r1, g1, b0)] - t[At(r1, g0, b1)] + t[At(r1, g0, b0)] -
           t[At(r0, g1, b1)] + t[At(r0, g1, b0)] + t[At(r0, g0, b1)] - t[At(r0, g0, b0)];
  };
  return {volume(weight_), volume(red_), volume(green_), volume(blue_), volume(squares_)};
}

double TColorBoxes::Variance(const TBox& box) const {
  const TMoments m = Sum(box);
  if (m.Weight <= 0) return 0;
  return m.Squares - (m.R * m.R + m.G * m.G + m.B * m.B) / m.Weight;
}

// Cuts `box` at the plane that leaves the least variance in its two halves; the upper half goes
// to `other`. False when no plane has pixels on both sides.
bool TColorBoxes::Cut(TBox& box, TBox& other) const {
  const TMoments whole = Sum(box);
  // Minimising the halves' variance is maximising the sum of |channel sums|^2 / weight.
  auto score = [](const TMoments& m) { return (m.R * m.R + m.G * m.G + m.B * m.B) / m.Weight; };
  double best = 0;
  int bestAxis = -1, bestPlane = 0;
  for (int axis = 0; axis < 3; ++axis)
    for (int plane = box.Low[axis] + 1; plane < box.High[axis]; ++plane) {
      TBox lower = box;
      lower.High[axis] = plane;
      const TMoments low = Sum(lower);
      const TMoments high{whole.Weight - low.Weight, whole.R - low.R, whole.G - low.G,
                          whole.B - low.B, 0};
      if (low.Weight <= 0 || high.Weight <= 0) continue;
      const double s = score(low) + score(high);
      if (s > best) {
        best = s;
        bestAxis = axis;
        bestPlane = plane;
      }
    }
  if (bestAxis < 0) return false;
  other = box;
  box.High[bestAxis] = bestPlane;
  other.Low[bestAxis] = bestPlane;
  return true;
}

std::vector<TColor> TColorBoxes::Colors(int maxColors) const {
  std::vector<TBox> boxes{{{0, 0, 0}, {Levels, Levels, Levels}}};
  if (Sum(boxes[0]).Weight <= 0) return {};
  std::vector<double> variance{Variance(boxes[0])};
  while (int(boxes.size()) < maxColors) {
    const size_t next =
        size_t(std::max_element(variance.begin(), variance.end()) - variance.begin());
    if (variance[next] <= 0) break;
    TBox other;
    if (!Cut(boxes[next], other)) {
      variance[next] = 0;
      continue;
    }
    boxes.push_back(other);
    variance[next] = Variance(boxes[next]);
    variance.push_back(Variance(other));
  }
  std::vector<TColor> colors;
  for (const TBox& box : boxes) {
    const TMoments m = Sum(box);
    const TColor c = MakeColor(RoundedMean(m.R, m.Weight), RoundedMean(m.G, m.Weight),
                               RoundedMean(m.B, m.Weight));
    // Two boxes can round to the same colour; one entry serves both.
    if (std::find(colors.begin(), colors.end(), c) == colors.end()) colors.push_back(c);
  }
  return colors;
}
