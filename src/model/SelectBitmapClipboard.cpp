// Copy and paste of the selection through the clipboard. Bitmaps this program puts on the
// clipboard mark their unselected pixels with ClipboardKeyColor, so a paste gives back the
// selection's shape.

#include <algorithm>
#include <utility>

#include "model/Clipboard.h"
#include "model/GraphUtils.h"
#include "model/RasterOps.h"
#include "model/SelectBitmap.h"

namespace {

// The bounding box of the selected mask pixels; empty when nothing is selected.
TRect SelectionBounds(const TMaskSurface& mask) {
  int left = mask.Width(), right = -1, top = mask.Height(), bottom = -1;
  for (int y = 0; y < mask.Height(); ++y)
    for (int x = 0; x < mask.Width(); ++x)
      if (mask.IsSelected(x, y)) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
  if (right < 0) return {};
  return {left, top, right + 1, bottom + 1};
}

}  // namespace

void TSelectBitmap::CopySelection(IClipboard& clipboard, bool cut, TColor fillColor) {
  const TRect box = SelectionBounds(Mask());
  if (box.IsEmpty()) return;  // nothing selected: the clipboard keeps what it held

  // Selected pixels take the content (the floating layer while there is one) and the others
  // the key colour. Only selected pixels are read: a layer reduced to a palette without pure
  // white has no white background left to combine with.
  const TSurface& content = HasLayer() ? *Layer() : Image();
  TSurface result(box.Width(), box.Height());
  for (int y = 0; y < result.Height(); ++y) {
    TPixel* row = result.Row(y);
    const TPixel* in = content.Row(box.Top + y) + box.Left;
    for (int x = 0; x < result.Width(); ++x)
      row[x] = Mask().IsSelected(box.Left + x, box.Top + y) ? in[x] : ClipboardKeyColor;
  }
  if (cut && HasLayer()) {
    ClearSelection();
    LayerLeft = 0;
    LayerTop = 0;
    DiscardLayer();
  } else if (cut) {
    LiftSelection(true, fillColor);
    DiscardLayer();
  }
  clipboard.SetBitmap(result);
}

void TSelectBitmap::PasteSelection(const IClipboard& clipboard, TDitherMode dither) {
  if (!clipboard.HasBitmap()) return;
  std::optional<TSurface> pasted = clipboard.GetBitmap();
  if (pasted) PasteBitmap(std::move(*pasted), dither);
}

void TSelectBitmap::PasteBitmap(TSurface pasted, TDitherMode dither) {
  // Only 32-bit images keep alpha: elsewhere pixels less than half opaque stay unselected and
  // the others become opaque.
  if (GetBitCount() != 32)
    for (int y = 0; y < pasted.Height(); ++y)
      for (TPixel *p = pasted.Row(y), *end = p + pasted.Width(); p < end; ++p)
        if (IsTranslucent(*p)) *p = AlphaOf(*p) < 128 ? ClipboardKeyColor : *p & 0xFFFFFF;
  DropLayer();
  ClearSelection();
  LiftSelection(false, clBlack);  // with nothing selected: an all-white layer
  DrawTransparent(*EditLayer(), 0, 0, pasted, ClipboardKeyColor);
  MakeColorMask(pasted, ClipboardKeyColor, false);
  // The pasted shape becomes the selection: key pixels are white, the rest black.
  for (int y = 0; y < std::min(pasted.Height(), Height()); ++y)
    for (int x = 0; x < std::min(pasted.Width(), Width()); ++x)
      EditMask().SetWhite(x, y, pasted.Pixel(x, y) != 0);
  if (GetBitCount() <= 8) {
    TColor key = IconTransparentColor;
    ReduceToPalette(*EditLayer(), GetPalette(), dither, key, IsIconFrame(), true);
  }
}
