// Choosing the colours of a reduced palette for a surface.

#include <algorithm>
#include <memory>
#include <vector>

#include <libimagequant.h>

#include "model/ColorReduction.h"
#include "model/Errors.h"

namespace {

// Collects the distinct colours in the order of their first occurrence; gives up (false) as
// soon as there are more than `limit`. A small open-addressing table keeps this a single cheap
// pass even for large surfaces.
bool CollectFewColors(const TSurface& s, int limit, std::vector<TColor>& colors) {
  constexpr uint32_t Empty = 0xFFFFFFFFu;
  constexpr int SlotBits = 10;  // 1024 slots: at most a quarter full for 257 colours
  std::vector<uint32_t> slots(size_t(1) << SlotBits, Empty);
  const size_t n = size_t(s.Width()) * size_t(s.Height());
  const TPixel* p = s.Bits();
  uint32_t last = Empty;
  for (size_t i = 0; i < n; ++i) {
    const uint32_t key = StripHighByte(p[i]);
    if (key == last) continue;
    last = key;
    uint32_t slot = (key * 2654435761u) >> (32 - SlotBits);
    while (slots[slot] != Empty && slots[slot] != key) slot = (slot + 1) & (slots.size() - 1);
    if (slots[slot] == key) continue;
    if (int(colors.size()) == limit) return false;
    slots[slot] = key;
    colors.push_back(PixelToColor(key));
  }
  return true;
}

void CheckLiq(liq_error status) {
  switch (status) {
    case LIQ_OK:
      return;
    case LIQ_OUT_OF_MEMORY:
      throw EVelmoraError("Not enough memory to reduce the colours.");
    case LIQ_ABORTED:
      throw EVelmoraError("The colour reduction was cancelled.");
    default:
      throw EVelmoraError("The colours could not be reduced.");
  }
}

template <typename T>
T* CheckCreated(T* object) {
  if (object == nullptr) throw EVelmoraError("Not enough memory to reduce the colours.");
  return object;
}

struct TLiqAttrFree {
  void operator()(liq_attr* a) const { liq_attr_destroy(a); }
};
struct TLiqImageFree {
  void operator()(liq_image* i) const { liq_image_destroy(i); }
};
struct TLiqResultFree {
  void operator()(liq_result* r) const { liq_result_destroy(r); }
};

// The quantizer reads red, green, blue and alpha bytes in this order; every pixel is opaque.
std::vector<liq_color> OpaqueRgbaCopy(const TSurface& s) {
  const size_t n = size_t(s.Width()) * size_t(s.Height());
  std::vector<liq_color> rgba(n);
  const TPixel* p = s.Bits();
  for (size_t i = 0; i < n; ++i)
    rgba[i] = {uint8_t(p[i] >> 16), uint8_t(p[i] >> 8), uint8_t(p[i]), 255};
  return rgba;
}

// Speed 1 is the slowest and best. Speed 7 still refines the palette once after the median cut
// and stays near the slow settings' error, at a fraction of their time on large noisy images
// (about 0.2 s for a megapixel photograph on one core); 8 and above skip that refinement.
constexpr int QuantizerSpeed = 7;

std::vector<TColor> QuantizeWithLiq(const TSurface& s, int maxColors) {
  const std::vector<liq_color> rgba = OpaqueRgbaCopy(s);
  std::unique_ptr<liq_attr, TLiqAttrFree> attr(CheckCreated(liq_attr_create()));
  CheckLiq(liq_set_max_colors(attr.get(), maxColors));
  CheckLiq(liq_set_speed(attr.get(), QuantizerSpeed));
  // The image only borrows the pixels, which `rgba` keeps alive until it is destroyed.
  std::unique_ptr<liq_image, TLiqImageFree> image(
      liq_image_create_rgba(attr.get(), rgba.data(), s.Width(), s.Height(), 0));
  if (!image) throw EVelmoraError("The image is too large to reduce its colours.");
  liq_result* raw = nullptr;
  const liq_error status = liq_image_quantize(image.get(), attr.get(), &raw);
  std::unique_ptr<liq_result, TLiqResultFree> result(raw);
  CheckLiq(status);
  CheckCreated(raw);
  const liq_palette* palette = liq_get_palette(result.get());
  if (palette == nullptr) throw EVelmoraError("The colours could not be reduced.");
  std::vector<TColor> colors;
  const int count = std::min(int(palette->count), maxColors);
  for (int i = 0; i < count; ++i)
    colors.push_back(
        MakeColor(palette->entries[i].r, palette->entries[i].g, palette->entries[i].b));
  return colors;
}

}  // namespace

std::vector<TColor> QuantizeColors(const TSurface& s, int maxColors) {
  if (maxColors < 2 || maxColors > 256)
    throw EVelmoraError("A palette must have between 2 and 256 colours.");
  std::vector<TColor> colors;
  if (CollectFewColors(s, maxColors, colors)) return colors;
  return QuantizeWithLiq(s, maxColors);
}
