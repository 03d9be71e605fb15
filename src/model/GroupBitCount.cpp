#include "model/GroupBitCount.h"

#include <algorithm>
#include <vector>

#include "model/Errors.h"
#include "model/Groups.h"

namespace {

// Enough pixels to choose 256 colours well; bigger animations are sampled by rows.
constexpr int64_t MaxSampledPixels = int64_t(1) << 22;

TPaletteRecord PaletteOf(const std::vector<TColor>& colors, int count) {
  TPaletteRecord pal;
  pal.Count = uint16_t(count);
  for (size_t i = 0; i < colors.size() && i < size_t(count); ++i) pal.SetColor(int(i), colors[i]);
  return pal;
}

// The optimal palette for the rows of several frames, every `stride`-th row of each.
TPaletteRecord QuantizeFrames(const std::vector<const TSelectBitmap*>& frames, int count) {
  int64_t pixels = 0;
  for (const TSelectBitmap* f : frames) pixels += int64_t(f->Width()) * f->Height();
  if (frames.empty() || pixels == 0) return PaletteOf({}, count);
  const int stride = int(std::max<int64_t>(1, (pixels + MaxSampledPixels - 1) / MaxSampledPixels));
  int width = 0, rows = 0;
  for (const TSelectBitmap* f : frames) {
    width = std::max(width, f->Width());
    rows += (f->Height() + stride - 1) / stride;
  }
  // Narrower frames (sub-icons) leave white beside them, like their own new pixels.
  TSurface sample(width, rows);
  int top = 0;
  for (const TSelectBitmap* f : frames)
    for (int y = 0; y < f->Height(); y += stride, ++top)
      std::copy_n(f->Image().Row(y), f->Width(), sample.Row(top));
  return PaletteOf(QuantizeColors(sample, count), count);
}

bool ChangeUniformBitCount(TImageGroup& group, int bits, IReductionChooser& chooser) {
  const int colors = 1 << bits;
  const auto choice = chooser.ChooseReduction(bits, ReductionPattern(bits));
  if (!choice) return false;
  std::vector<const TSelectBitmap*> shared;
  for (int i = 0; i < group.Count(); ++i) {
    const auto* frame = dynamic_cast<const TUniformFrame*>(group.GetFrame(i));
    if (!frame || !frame->LocalPalette()) shared.push_back(group.GetFrame(i));
  }
  group.Palette = choice->Quantize ? QuantizeFrames(shared, colors) : choice->Palette;
  group.SetBitCount(bits);
  for (int i = 0; i < group.Count(); ++i) {
    TWorkFrame& frame = *group.GetFrame(i);
    const auto* uniform = dynamic_cast<const TUniformFrame*>(&frame);
    if (uniform && uniform->LocalPalette()) {
      const TPaletteRecord own =
          choice->Quantize ? QuantizeFrames({&frame}, colors) : choice->Palette;
      frame.ApplyPalette(own, choice->Dither);
    } else {
      frame.ApplyPalette(frame.GetPalette(), choice->Dither);
    }
  }
  return true;
}

}  // namespace

bool ChangeGroupBitCount(TImageGroup& group, int bits, IReductionChooser& chooser,
                         const std::string& defaultPaletteFile) {
  if (bits < 1) throw EVelmoraError("Invalid color depth.");
  if (dynamic_cast<TIconGroup*>(&group)) {
    TOnceChooser once(chooser);
    for (int i = 0; i < group.Count(); ++i)
      if (!group.GetFrame(i)->ChangeBitCount(bits, once, defaultPaletteFile)) return false;
    group.SetBitCount(bits);
    return true;
  }
  if (bits == group.BitCount) return true;
  if (bits <= 8) return ChangeUniformBitCount(group, bits, chooser);
  const TPaletteRecord palette = ReadPaletteOrDefault(defaultPaletteFile);
  group.SetBitCount(bits);
  group.Palette = palette;
  for (int i = 0; i < group.Count(); ++i) group.GetFrame(i)->GetPalette() = palette;
  return true;
}
