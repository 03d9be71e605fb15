// Editing 32-bit images with alpha: undo, depth changes, the transparent colour.
#include <gtest/gtest.h>

#include "model/Clipboard.h"
#include "model/Draw.h"
#include "model/Groups.h"
#include "model/WorkImages.h"

namespace {

struct TQuantizeChooser : IReductionChooser {
  std::optional<TReductionChoice> ChooseReduction(int, const std::string&) override {
    return TReductionChoice{};
  }
};

// A 32-bit PNG document: a row of alpha steps over a grey picture.
std::unique_ptr<TWorkPng> AlphaPng() {
  auto png = std::make_unique<TWorkPng>();
  png->InitImage(8, 4, nullptr, 32);
  TSurface& s = png->EditImage();
  s = TSurface(8, 4, 0x808080);
  for (int x = 0; x < 8; ++x) s.SetPixel(x, 0, WithAlpha(0x102030 * (x + 1), x * 36));
  png->SetModified(false);
  return png;
}

}  // namespace

TEST(AlphaEditing, UndoOfAStrokeGivesBackTheAlphaExactly) {
  const auto png = AlphaPng();
  const TSurface before = png->Image();
  ASSERT_TRUE(png->SaveUndo());
  DrawLine(png->EditImage(), 0, 0, 7, 3, ColorToPixel(MakeColor(200, 10, 10)));
  // The stroke paints opaque pixels over translucent ones.
  EXPECT_EQ(AlphaOf(png->Image().Pixel(0, 0)), 255);
  png->Undo();
  EXPECT_EQ(png->Image(), before);
  png->Redo();
  EXPECT_EQ(png->Image().Pixel(0, 0), ColorToPixel(MakeColor(200, 10, 10)));
}

TEST(AlphaEditing, GoingToAPaletteDepthMakesLowAlphaTheKeyColour) {
  const auto png = AlphaPng();
  EXPECT_TRUE(png->UsesAlpha());
  TQuantizeChooser chooser;
  ASSERT_TRUE(png->ChangeBitCount(8, chooser, ""));
  EXPECT_FALSE(png->UsesAlpha());
  ASSERT_TRUE(png->GetTransparent());
  const TPixel key = ColorToPixel(png->GetTransparentColor());
  for (int x = 0; x < 8; ++x) {
    const TPixel p = png->Image().Pixel(x, 0);
    EXPECT_EQ(p >> 24, 0u) << x;
    EXPECT_EQ(p == key, x * 36 < 128) << x;  // alpha below 128 is transparent
  }
  EXPECT_NE(png->Image().Pixel(0, 1), key);  // no opaque pixel took the key
  // Back up to 32 bits, the key colour's pixels become transparent again.
  ASSERT_TRUE(png->ChangeBitCount(32, chooser, ""));
  EXPECT_EQ(AlphaOf(png->Image().Pixel(0, 0)), 0);
  EXPECT_EQ(AlphaOf(png->Image().Pixel(7, 0)), 255);
  EXPECT_FALSE(png->GetTransparent());
}

TEST(AlphaEditing, IconFramesDropAlphaToTheirTransparentColour) {
  TIconGroup icon;
  TWorkFrame* frame = icon.AddFrame();
  frame->EditImage() = TSurface(2, 1, 0);
  frame->EditImage().SetPixel(0, 0, WithAlpha(0x112233, 10));
  frame->EditImage().SetPixel(1, 0, WithAlpha(0x112233, 200));
  frame->SetWidth(2);
  frame->SetHeight(1);
  frame->SetBitCount(32);
  TQuantizeChooser chooser;
  ASSERT_TRUE(frame->ChangeBitCount(24, chooser, ""));
  EXPECT_EQ(frame->Image().Pixel(0, 0), IconTransparentColor);
  EXPECT_EQ(frame->Image().Pixel(1, 0), 0x112233u);
}

TEST(AlphaEditing, SetTransparentColourClearsThatColourOnly) {
  const auto png = AlphaPng();
  png->MakeColorTransparent(PixelToColor(0x808080));
  EXPECT_EQ(png->Image().Pixel(3, 2), WithAlpha(0x808080, 0));
  EXPECT_EQ(png->Image().Pixel(7, 0), WithAlpha(0x102030 * 8, 7 * 36));
  // Other depths keep their pixels: their transparency is the key colour.
  TWorkBitmap bmp;
  bmp.InitImage(2, 2, nullptr, 24);
  bmp.EditImage() = TSurface(2, 2, 0x808080);
  bmp.MakeColorTransparent(PixelToColor(0x808080));
  EXPECT_EQ(bmp.Image().Pixel(0, 0), 0x808080u);
}

TEST(AlphaEditing, PastesKeepAlphaOnlyIn32BitImages) {
  TSurface clip(3, 1, 0x102030);
  clip.SetPixel(1, 0, WithAlpha(0x102030, 127));
  clip.SetPixel(2, 0, ClipboardKeyColor);
  TMemoryClipboard clipboard;
  clipboard.SetBitmap(clip);
  const auto png = AlphaPng();
  png->PasteSelection(clipboard, TDitherMode::Nearest);
  EXPECT_EQ(png->Layer()->Pixel(1, 0), WithAlpha(0x102030, 127));
  EXPECT_TRUE(png->Mask().IsSelected(1, 0));
  EXPECT_FALSE(png->Mask().IsSelected(2, 0));
  // A copy gives back the same words.
  png->CopySelection(clipboard, false, clBlack);
  EXPECT_EQ(clipboard.GetBitmap()->Pixel(1, 0), WithAlpha(0x102030, 127));

  TWorkBitmap bmp;
  bmp.InitImage(4, 2, nullptr, 24);
  clipboard.SetBitmap(clip);
  bmp.PasteSelection(clipboard, TDitherMode::Nearest);
  EXPECT_FALSE(bmp.Mask().IsSelected(1, 0));  // less than half opaque: not pasted
  EXPECT_TRUE(bmp.Mask().IsSelected(0, 0));
  EXPECT_EQ(bmp.Layer()->Pixel(0, 0), 0x102030u);
}
