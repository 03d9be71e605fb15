// Depth changes of whole animations and icons: one question, every frame remapped.

#include <gtest/gtest.h>

#include "model/GroupBitCount.h"
#include "model/Groups.h"

namespace {

class TCountingChooser : public IReductionChooser {
 public:
  std::optional<TReductionChoice> answer;
  int asked = 0;
  std::string pattern;
  std::optional<TReductionChoice> ChooseReduction(int, const std::string& p) override {
    ++asked;
    pattern = p;
    return answer;
  }
};

// A 4 x 2 animation on the default 8-bit palette whose frame i is painted in entries
// 10 * i .. 10 * i + 7.
std::unique_ptr<TGifImageGroup> Animation(int frames) {
  auto g = std::make_unique<TGifImageGroup>();
  g->SetBitCount(8);
  FillDefaultPalette(g->Palette, 8);
  for (int i = 0; i < frames; ++i) g->AddFrame();
  g->SetWidth(4);
  g->SetHeight(2);
  for (int i = 0; i < frames; ++i)
    for (int p = 0; p < 8; ++p)
      g->GetFrame(i)->EditImage().SetPixel(p % 4, p / 4, ColorToPixel(g->Palette.Color(10 * i + p)));
  return g;
}

bool UsesOnly(const TSelectBitmap& frame, const TPaletteRecord& pal) {
  for (int y = 0; y < frame.Height(); ++y)
    for (int x = 0; x < frame.Width(); ++x) {
      bool found = false;
      for (int i = 0; i < pal.Count; ++i)
        found = found || pal.Color(i) == PixelToColor(frame.Image().Pixel(x, y));
      if (!found) return false;
    }
  return true;
}

TEST(GroupBitCount, AnimationFramesShareOneComputedPaletteAndOneQuestion) {
  auto g = Animation(3);
  TCountingChooser chooser;
  chooser.answer = TReductionChoice{};  // optimal
  ASSERT_TRUE(ChangeGroupBitCount(*g, 2, chooser, ""));
  EXPECT_EQ(chooser.asked, 1);
  EXPECT_EQ(chooser.pattern, "*.plt4");
  EXPECT_EQ(g->BitCount, 2);
  EXPECT_EQ(g->Palette.Count, 4);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(g->GetFrame(i)->GetBitCount(), 2);
    EXPECT_TRUE(UsesOnly(*g->GetFrame(i), g->Palette)) << "frame " << i;
  }
}

TEST(GroupBitCount, AFrameWithItsOwnPaletteKeepsItApart) {
  auto g = Animation(2);
  auto* own = static_cast<TUniformFrame*>(g->GetFrame(1));
  own->SetLocalPalette(true);
  const TSurface first = g->GetFrame(0)->Image(), second = own->Image();
  TCountingChooser chooser;
  chooser.answer = TReductionChoice{};
  ASSERT_TRUE(ChangeGroupBitCount(*g, 3, chooser, ""));
  EXPECT_TRUE(own->LocalPalette());
  EXPECT_EQ(own->GetPalette().Count, 8);
  // Eight colours each fit exactly: nothing of either frame is lost.
  EXPECT_EQ(g->GetFrame(0)->Image(), first);
  EXPECT_EQ(own->Image(), second);
  EXPECT_TRUE(UsesOnly(*g->GetFrame(0), g->Palette));
  EXPECT_TRUE(UsesOnly(*own, own->GetPalette()));
  EXPECT_FALSE(g->Palette == own->GetPalette());
}

TEST(GroupBitCount, CancellingChangesNothingAndAStoredPaletteServesEveryFrame) {
  auto g = Animation(2);
  const TSurface before = g->GetFrame(1)->Image();
  const TPaletteRecord palette = g->Palette;
  TCountingChooser chooser;
  EXPECT_FALSE(ChangeGroupBitCount(*g, 1, chooser, ""));
  EXPECT_EQ(g->BitCount, 8);
  EXPECT_EQ(g->Palette, palette);
  EXPECT_EQ(g->GetFrame(1)->Image(), before);

  TReductionChoice custom;
  custom.Quantize = false;
  custom.Palette.Count = 2;
  custom.Palette.SetColor(0, clBlack);
  custom.Palette.SetColor(1, clWhite);
  chooser.answer = custom;
  ASSERT_TRUE(ChangeGroupBitCount(*g, 1, chooser, ""));
  EXPECT_EQ(g->Palette.Count, 2);
  for (int i = 0; i < 2; ++i) EXPECT_TRUE(UsesOnly(*g->GetFrame(i), custom.Palette));
}

TEST(GroupBitCount, SubIconsChangeOnTheirOwnWithOneAnswer) {
  TIconGroup icon;
  for (int bits : {24, 8, 4}) {
    TWorkFrame* f = icon.AddFrame();
    f->InitImage(4, 4, nullptr, bits);
    f->EditImage().SetPixel(1, 1, ColorToPixel(MakeColor(200, 30, 30)));
  }
  TCountingChooser chooser;
  chooser.answer = TReductionChoice{};
  ASSERT_TRUE(ChangeGroupBitCount(icon, 4, chooser, ""));
  EXPECT_EQ(chooser.asked, 1);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(icon.GetFrame(i)->GetBitCount(), 4);
  // Each sub-icon got a palette of its own colours.
  EXPECT_EQ(PixelToColor(icon.GetFrame(0)->Image().Pixel(1, 1)), MakeColor(200, 30, 30));
}

}  // namespace
