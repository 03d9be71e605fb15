#include <gtest/gtest.h>

#include "TestRasters.h"
#include "model/Clipboard.h"
#include "model/GraphUtils.h"
#include "model/SelectBitmap.h"

namespace {

constexpr TColor A = MakeColor(200, 10, 10);
constexpr TColor B = MakeColor(10, 200, 10);
constexpr TColor C = MakeColor(10, 10, 200);

// A 4x3 true-colour raster with distinct columns.
void Fill(TSelectBitmap& r) {
  r.InitImage(4, 3, nullptr, 24);
  r.EditImage() = SurfaceFromArt({"ABCA", "ABCA", "ABCA"}, {{'A', A}, {'B', B}, {'C', C}});
  r.ClearSelection();
}

}  // namespace

TEST(SelectBitmap, StartsAsOneWhitePixelWithNothingSelected) {
  TSelectBitmap r;
  EXPECT_EQ(r.Width(), 1);
  EXPECT_EQ(r.Height(), 1);
  EXPECT_FALSE(r.HasLayer());
  EXPECT_FALSE(r.HasSelection());
  EXPECT_EQ(r.GetPalette().Version, 0x0300);
  EXPECT_EQ(r.GetPalette().Count, 0);
  EXPECT_FALSE(r.IsModified());
}

TEST(SelectBitmap, SettingTheSameWidthChangesNothing) {
  TSelectBitmap r;
  r.SetWidth(1);
  r.SetHeight(1);
  EXPECT_FALSE(r.IsModified());
  r.SetWidth(5);
  EXPECT_TRUE(r.IsModified());
  EXPECT_EQ(r.Image().Width(), 5);
  EXPECT_EQ(r.Mask().Width(), 5);
}

TEST(SelectBitmap, AssignCopiesEverythingButTheDrawingColours) {
  TSelectBitmap a, b;
  Fill(a);
  a.EditMask().SetSelected(1, 1, true);
  a.LiftSelection(false, clBlack);
  a.LayerLeft = 2;
  a.SetTransparent(true);
  a.SetTransparentColor(B);
  a.SetLeftColor(A);
  b.InitImage(1, 1, nullptr, 24);
  b.SetLeftColor(C);
  b.Assign(a);
  EXPECT_EQ(b.Image(), a.Image());
  EXPECT_EQ(b.Mask(), a.Mask());
  ASSERT_TRUE(b.HasLayer());
  EXPECT_NE(b.Layer(), a.Layer());  // a copy, not a shared surface
  EXPECT_EQ(*b.Layer(), *a.Layer());
  EXPECT_EQ(b.LayerLeft, 2);
  EXPECT_TRUE(b.GetTransparent());
  EXPECT_EQ(b.GetTransparentColor(), B);
  EXPECT_EQ(b.GetBitCount(), 24);
  EXPECT_EQ(b.GetPalette(), a.GetPalette());
  EXPECT_EQ(b.GetLeftColor(), C);
}

TEST(SelectBitmap, AssignPictureTakesBitCountPaletteAndBottomLeftKey) {
  TDecodedPicture pic;
  pic.Kind = TPictureKind::Bitmap;
  pic.Image = SurfaceFromArt({"AB", "CA"}, {{'A', A}, {'B', B}, {'C', C}});
  pic.BitCount = 4;
  pic.Palette = {A, B, C};
  TSelectBitmap r;
  r.EditMask().SetSelected(0, 0, true);
  r.AssignPicture(pic);
  EXPECT_EQ(r.Width(), 2);
  EXPECT_EQ(r.GetBitCount(), 4);
  EXPECT_EQ(r.GetPalette().Count, 3);  // the entries actually read
  EXPECT_EQ(r.GetTransparentColor(), C);
  EXPECT_FALSE(r.HasSelection());

  pic.BitCount = 2;  // a format the bitmap class has no name for
  r.AssignPicture(pic);
  EXPECT_EQ(r.GetBitCount(), 24);
  EXPECT_EQ(r.GetPalette().Count, 264);
  pic.Kind = TPictureKind::Gif;
  r.AssignPicture(pic);
  EXPECT_EQ(r.GetBitCount(), 2);
}

TEST(SelectBitmap, DropLayerAfterAMoveMovesTheSelection) {
  for (bool cut : {false, true}) {
    TSelectBitmap r;
    r.InitImage(8, 6, nullptr, 24);
    r.EditImage().Fill(ColorToPixel(B));
    r.EditImage().SetPixel(1, 1, ColorToPixel(A));
    r.EditMask().SetSelected(1, 1, true);
    r.LiftSelection(cut, C);
    r.LayerLeft = 3;
    r.LayerTop = 2;
    r.DropLayer();
    EXPECT_FALSE(r.HasLayer());
    EXPECT_EQ(r.LayerLeft, 0);
    EXPECT_TRUE(r.Mask().IsSelected(4, 3));
    EXPECT_FALSE(r.Mask().IsSelected(1, 1));
    EXPECT_EQ(ColorAt(r.Image(), 4, 3), A);
    EXPECT_EQ(ColorAt(r.Image(), 1, 1), cut ? C : A) << "cut " << cut;
  }
}

TEST(SelectBitmap, DropLayerClipsALayerMovedPartlyOutside) {
  TSelectBitmap r;
  Fill(r);
  r.EditMask().FillRect({0, 0, 4, 3}, TMaskPen::Black);
  r.LiftSelection(false, clBlack);
  r.LayerLeft = 3;
  r.LayerTop = -1;
  r.DropLayer();
  EXPECT_EQ(ColorAt(r.Image(), 3, 0), A);  // layer pixel (0, 1)
  EXPECT_EQ(MaskArt(r.Mask()), (std::vector<std::string>{"...#", "...#", "...."}));
}

TEST(SelectBitmap, CopyAndPasteAnLShapeKeepsItsShape) {
  TSelectBitmap r;
  Fill(r);
  r.EditMask() = MaskFromArt({"....", ".#..", ".##."});
  TMemoryClipboard clip;
  r.CopySelection(clip, false, clWhite);
  ASSERT_TRUE(clip.HasBitmap());
  const TSurface bmp = *clip.GetBitmap();
  EXPECT_EQ(bmp.Width(), 2);
  EXPECT_EQ(bmp.Height(), 2);
  EXPECT_EQ(ColorAt(bmp, 0, 0), B);
  EXPECT_EQ(ColorAt(bmp, 1, 0), ClipboardKeyColor);
  EXPECT_EQ(ColorAt(bmp, 1, 1), C);
  EXPECT_FALSE(r.HasLayer());
  EXPECT_EQ(MaskArt(r.Mask()), (std::vector<std::string>{"....", ".#..", ".##."}));

  r.PasteSelection(clip, TDitherMode::Nearest);
  ASSERT_TRUE(r.HasLayer());
  EXPECT_EQ(MaskArt(r.Mask()), (std::vector<std::string>{"#...", "##..", "...."}));
  EXPECT_EQ(ColorAt(*r.Layer(), 1, 1), C);
  EXPECT_EQ(ColorAt(*r.Layer(), 1, 0), clWhite);
}

TEST(SelectBitmap, CopyOfAPastedLayerOnAPaletteWithoutWhiteKeepsItsShape) {
  TSelectBitmap r;
  TPaletteRecord noWhite;
  noWhite.Count = 2;
  noWhite.SetColor(0, clBlack);
  noWhite.SetColor(1, MakeColor(200, 200, 200));
  r.InitImage(4, 4, &noWhite, 1);
  TMemoryClipboard clip;
  clip.SetBitmap(SurfaceFromArt({"A..", "A..", "AAA"}, {{'A', clBlack}, {'.', ClipboardKeyColor}}));
  r.PasteSelection(clip, TDitherMode::Nearest);
  ASSERT_TRUE(r.HasLayer());
  TMemoryClipboard again;
  r.CopySelection(again, false, clBlack);
  r.PasteSelection(again, TDitherMode::Nearest);
  EXPECT_EQ(MaskArt(r.Mask()), (std::vector<std::string>{"#...", "#...", "###.", "...."}));
}

TEST(SelectBitmap, CutFillsTheSelectionAndCopyOfNothingKeepsTheClipboard) {
  TSelectBitmap r;
  Fill(r);
  TMemoryClipboard clip;
  r.CopySelection(clip, true, C);
  EXPECT_FALSE(clip.HasBitmap());
  r.EditMask().SetSelected(0, 0, true);
  r.CopySelection(clip, true, C);
  EXPECT_EQ(ColorAt(r.Image(), 0, 0), C);
  const TSurface first = *clip.GetBitmap();
  r.ClearSelection();
  r.CopySelection(clip, false, C);
  EXPECT_EQ(*clip.GetBitmap(), first);
}

TEST(SelectBitmap, CuttingAFloatingLayerDropsIt) {
  TSelectBitmap r;
  Fill(r);
  r.EditMask().SetSelected(2, 0, true);
  r.LiftSelection(false, clBlack);
  r.LayerLeft = 1;
  TMemoryClipboard clip;
  r.CopySelection(clip, true, clBlack);
  EXPECT_FALSE(r.HasLayer());
  EXPECT_FALSE(r.HasSelection());
  EXPECT_EQ(r.LayerLeft, 0);
  EXPECT_EQ(ColorAt(*clip.GetBitmap(), 0, 0), C);
}

TEST(SelectBitmap, APixelOfTheKeyColourPastesAsNotSelected) {
  TSelectBitmap r;
  Fill(r);
  r.EditImage().SetPixel(1, 0, ColorToPixel(ClipboardKeyColor));
  r.EditMask() = MaskFromArt({"###.", "....", "...."});
  TMemoryClipboard clip;
  r.CopySelection(clip, false, clWhite);
  r.PasteSelection(clip, TDitherMode::Nearest);
  EXPECT_EQ(MaskArt(r.Mask())[0], "#.#.");
}

TEST(SelectBitmap, AForeignBitmapPastesAsASelectedRectangle) {
  TSelectBitmap r;
  Fill(r);
  TMemoryClipboard clip;
  clip.SetBitmap(TSurface(2, 2, ColorToPixel(A)));
  r.PasteSelection(clip, TDitherMode::Nearest);
  EXPECT_EQ(MaskArt(r.Mask()), (std::vector<std::string>{"##..", "##..", "...."}));
  TMemoryClipboard big;
  big.SetBitmap(TSurface(10, 10, ColorToPixel(B)));  // larger than the image: clipped
  r.PasteSelection(big, TDitherMode::Nearest);
  EXPECT_EQ(MaskArt(r.Mask())[2], "####");
}

struct TIconLike : TSelectBitmap {
  bool IsIconFrame() const override { return true; }
};

TEST(SelectBitmap, PasteIntoAPaletteImageSnapsTheLayerToThePalette) {
  TMemoryClipboard clip;
  TSurface bmp(2, 1, ColorToPixel(MakeColor(30, 30, 30)));
  bmp.SetPixel(1, 0, ColorToPixel(IconTransparentColor));
  clip.SetBitmap(bmp);
  TSelectBitmap plain;
  plain.InitImage(2, 2, nullptr, 1);
  plain.PasteSelection(clip, TDitherMode::Nearest);
  EXPECT_EQ(ColorAt(*plain.Layer(), 0, 0), clBlack);
  EXPECT_EQ(ColorAt(*plain.Layer(), 1, 0), clWhite);  // snapped like any colour
  TIconLike icon;  // a sub-icon keeps its transparent colour
  icon.InitImage(2, 2, nullptr, 1);
  icon.PasteSelection(clip, TDitherMode::Nearest);
  EXPECT_EQ(ColorAt(*icon.Layer(), 1, 0), IconTransparentColor);
}

TEST(SelectBitmap, ApplyPaletteKeepsTransparentPixelsExact) {
  TSelectBitmap r;
  r.InitImage(16, 16, nullptr, 8);
  const TColor key = MakeColor(100, 100, 101);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      r.EditImage().SetPixel(x, y, ColorToPixel((x + y) % 3 ? MakeColor(x * 16, y * 16, 90) : key));
  r.SetTransparent(true);
  r.SetTransparentColor(key);
  TPaletteRecord pal;
  FillDefaultPalette(pal, 4);
  r.ApplyPalette(pal, TDitherMode::FloydSteinberg);
  const TColor newKey = NearestPaletteColor(key, pal);
  EXPECT_EQ(r.GetTransparentColor(), newKey);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const TColor c = ColorAt(r.Image(), x, y);
      // Transparent pixels keep the key; no other pixel takes it, or it would turn transparent.
      EXPECT_EQ(c == newKey, (x + y) % 3 == 0) << x << "," << y;
      EXPECT_EQ(NearestPaletteColor(c, pal), c) << "not a palette colour";
    }
}

TEST(SelectBitmap, IconFramesKeepInvertingPixels) {
  TIconLike r;
  r.InitImage(2, 1, nullptr, 1);
  r.EditImage().SetPixel(0, 0, ColorToPixel(IconInvertColor));
  r.EditImage().SetPixel(1, 0, ColorToPixel(IconTransparentColor));
  r.SetTransparent(true);
  r.SetTransparentColor(IconTransparentColor);
  r.ApplyPalette(r.GetPalette(), TDitherMode::Nearest);
  EXPECT_EQ(ColorAt(r.Image(), 0, 0), IconInvertColor);
  EXPECT_EQ(ColorAt(r.Image(), 1, 0), IconTransparentColor);
  EXPECT_EQ(r.GetTransparentColor(), IconTransparentColor);  // not snapped in icon mode
}

namespace {

struct TScriptedChooser : IReductionChooser {
  std::optional<TReductionChoice> answer;
  std::string pattern;
  std::optional<TReductionChoice> ChooseReduction(int, const std::string& p) override {
    pattern = p;
    return answer;
  }
};

}  // namespace

TEST(SelectBitmap, ChangeBitCountUpLeavesPixelsAndLoadsTheDefaultPalette) {
  TSelectBitmap r;
  Fill(r);
  r.SetBitCount(8);
  FillDefaultPalette(r.GetPalette(), 8);
  const TSurface before = r.Image();
  TScriptedChooser chooser;
  EXPECT_TRUE(r.ChangeBitCount(24, chooser, ""));
  EXPECT_EQ(r.Image(), before);
  EXPECT_EQ(r.GetBitCount(), 24);
  EXPECT_EQ(r.GetPalette().Count, 264);
  EXPECT_TRUE(chooser.pattern.empty());  // nothing was asked
}

TEST(SelectBitmap, ChangeBitCountDownAsksAndCanBeCancelled) {
  TSelectBitmap r;
  Fill(r);
  const TSurface before = r.Image();
  TScriptedChooser chooser;
  EXPECT_FALSE(r.ChangeBitCount(4, chooser, ""));
  EXPECT_EQ(chooser.pattern, "*.plt16");
  EXPECT_EQ(r.GetBitCount(), 24);
  EXPECT_EQ(r.Image(), before);

  chooser.answer = TReductionChoice{};  // quantize
  EXPECT_TRUE(r.ChangeBitCount(1, chooser, ""));
  EXPECT_EQ(r.GetBitCount(), 1);
  EXPECT_EQ(r.GetPalette().Count, 2);
  for (int x = 0; x < 4; ++x) {
    const TColor c = ColorAt(r.Image(), x, 0);
    EXPECT_TRUE(c == r.GetPalette().Color(0) || c == r.GetPalette().Color(1));
  }
}

// Reducing a sub-icon with transparent and inverting pixels: they stay exact, no other pixel turns
// into one of them (some are close to the transparent colour), and the palette holds black, which
// icon files store under transparent pixels.
TEST(SelectBitmap, ReducingASubIconReservesBlackAndKeepsItsKeys) {
  for (int bits : {1, 4, 8}) {
    SCOPED_TRACE(bits);
    TIconLike r;
    r.InitImage(16, 16, nullptr, 24);
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        const TColor near = MakeColor(136 + x % 4, 167 - y % 4, 135);  // next to the key colour
        const TColor c = x < 4 ? IconTransparentColor : x == 15 ? IconInvertColor
                         : y < 8 ? near : MakeColor(255, x * 16, y * 16);
        r.EditImage().SetPixel(x, y, ColorToPixel(c));
      }
    r.SetTransparent(true);
    r.SetTransparentColor(IconTransparentColor);
    TScriptedChooser chooser;
    chooser.answer = TReductionChoice{};
    ASSERT_TRUE(r.ChangeBitCount(bits, chooser, ""));
    bool black = false;
    for (int i = 0; i < r.GetPalette().Count; ++i) black |= r.GetPalette().Color(i) == clBlack;
    EXPECT_TRUE(black);
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        const TColor c = ColorAt(r.Image(), x, y);
        EXPECT_EQ(c == IconTransparentColor, x < 4) << x << "," << y;
        EXPECT_EQ(c == IconInvertColor, x == 15) << x << "," << y;
      }
  }
}

TEST(SelectBitmap, DrawingColoursSnapToThePaletteOfPaletteImages) {
  TSelectBitmap r;
  r.InitImage(2, 2, nullptr, 4);
  EXPECT_EQ(r.GetLeftColor(), clBlack);
  EXPECT_EQ(r.GetRightColor(), clWhite);
  r.SetLeftColor(MakeColor(250, 5, 5));
  EXPECT_EQ(r.GetLeftColor(), MakeColor(255, 0, 0));
  r.InitImage(2, 2, nullptr, 24);
  r.SetLeftColor(MakeColor(250, 5, 5));
  EXPECT_EQ(r.GetLeftColor(), MakeColor(250, 5, 5));
}
