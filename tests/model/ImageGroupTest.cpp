#include <gtest/gtest.h>

#include "TestRasters.h"
#include "model/GraphUtils.h"
#include "model/Groups.h"

namespace {

// A group of GIF frames without a file format, so these tests need no codec.
class TTestGifGroup : public TImageGroup {
 public:
  std::string ClassName() const override { return "TTestGifGroup"; }
  std::unique_ptr<TWorkFrame> CreateFrame() override {
    auto frame = std::make_unique<TWorkGifFrame>();
    frame->SetGroup(this);
    return frame;
  }
  std::string GetColorModes() const override { return ""; }
};

TWorkGifFrame* Gif(TImageGroup& g, int i) { return static_cast<TWorkGifFrame*>(g.GetFrame(i)); }

// A 4-bit group of three 5x4 frames on the default 16-colour palette.
void MakeThreeFrames(TImageGroup& g) {
  g.SetBitCount(4);
  FillDefaultPalette(g.Palette, 4);
  for (int i = 0; i < 3; ++i) g.AddFrame();
  g.SetWidth(5);
  g.SetHeight(4);
}

}  // namespace

TEST(ImageGroup, FrameIndexesAreClamped) {
  TTestGifGroup g;
  MakeThreeFrames(g);
  TWorkFrame* first = g.GetFrame(0);
  TWorkFrame* last = g.GetFrame(2);
  g.DeleteFrame(-5);
  EXPECT_EQ(g.Count(), 2);
  EXPECT_EQ(g.IndexOf(first), -1);
  g.DeleteFrame(g.Count() + 3);
  EXPECT_EQ(g.Count(), 1);
  EXPECT_EQ(g.IndexOf(last), -1);
  TWorkFrame* appended = g.InsertFrame(g.Count() + 3);
  EXPECT_EQ(g.IndexOf(appended), 1);
  TWorkFrame* front = g.InsertFrame(-2);
  EXPECT_EQ(g.IndexOf(front), 0);
  g.SetModified(false);
  g.DeleteFrame(0);
  EXPECT_TRUE(g.IsModified());  // every remaining frame is marked
}

TEST(ImageGroup, NewFramesTakeTheGroupShapeAndAreModified) {
  TTestGifGroup g;
  MakeThreeFrames(g);
  TWorkGifFrame* f = Gif(g, 1);
  EXPECT_EQ(f->Width(), 5);
  EXPECT_EQ(f->Height(), 4);
  EXPECT_EQ(f->GetBitCount(), 4);
  EXPECT_EQ(f->Delay(), 100);
  EXPECT_TRUE(f->IsModified());
  EXPECT_EQ(f->GetLeftColor(), clBlack);
  EXPECT_EQ(f->GetRightColor(), clWhite);
}

TEST(ImageGroup, ResizingOneUniformFrameResizesThemAll) {
  TTestGifGroup g;
  MakeThreeFrames(g);
  g.GetFrame(1)->SetWidth(9);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(g.GetFrame(i)->Width(), 9);
    EXPECT_EQ(g.GetFrame(i)->Image().Width(), 9);
    EXPECT_EQ(g.GetFrame(i)->Mask().Width(), 9);
  }
  EXPECT_EQ(g.Width, 9);
  g.SetBitCount(8);
  EXPECT_EQ(g.GetFrame(2)->GetBitCount(), 8);
}

TEST(ImageGroup, LeftColourOfASharedPaletteFrameIsStoredExactlyInTheGroup) {
  TTestGifGroup g;
  MakeThreeFrames(g);
  const TColor odd = MakeColor(1, 2, 3);
  g.GetFrame(0)->SetLeftColor(odd);
  EXPECT_EQ(g.LeftColor, odd);
  EXPECT_EQ(g.GetFrame(2)->GetLeftColor(), odd);
}

TEST(ImageGroup, LocalPaletteOnKeepsPixelsAndOffRemapsThem) {
  TTestGifGroup g;
  MakeThreeFrames(g);
  TWorkGifFrame* f = Gif(g, 0);
  f->EditImage().Fill(ColorToPixel(MakeColor(0, 128, 128)));  // teal, a palette colour
  f->SetLocalPalette(true);
  EXPECT_EQ(ColorAt(f->Image(), 0, 0), MakeColor(0, 128, 128));
  EXPECT_NE(&f->GetPalette(), &g.Palette);
  f->GetPalette().SetColor(6, MakeColor(0, 130, 130));  // its own teal
  f->EditImage().Fill(ColorToPixel(MakeColor(0, 130, 130)));
  f->SetLocalPalette(false);
  EXPECT_EQ(ColorAt(f->Image(), 0, 0), MakeColor(0, 128, 128));
  EXPECT_EQ(&f->GetPalette(), &g.Palette);
}

TEST(ImageGroup, AssigningALocalPaletteFrameLeavesTheGroupPaletteAlone) {
  TTestGifGroup g;
  MakeThreeFrames(g);
  const TPaletteRecord shared = g.Palette;
  TWorkGifFrame* local = Gif(g, 0);
  local->SetLocalPalette(true);
  local->GetPalette().SetColor(0, MakeColor(9, 9, 9));
  local->SetDelay(70);
  local->Disposal = DisposeBackground;
  local->SetComments({"hello"});
  TWorkGifFrame* other = Gif(g, 1);
  other->Assign(*local);
  EXPECT_EQ(g.Palette, shared);
  EXPECT_TRUE(other->LocalPalette());
  EXPECT_EQ(other->GetPalette().Color(0), MakeColor(9, 9, 9));
  EXPECT_EQ(other->Delay(), 70);
  EXPECT_EQ(other->Disposal, DisposeBackground);
  EXPECT_EQ(other->Comments(), std::vector<std::string>{"hello"});
}

TEST(ImageGroup, FramesReportAndLoadThroughTheirGroup) {
  TTestGifGroup g;
  MakeThreeFrames(g);
  g.GetFrame(1)->SetFileName("/tmp/anim.gif");
  EXPECT_EQ(g.FileName, "/tmp/anim.gif");
  EXPECT_EQ(g.GetFrame(2)->GetFileName(), "/tmp/anim.gif");
  g.GetFrame(0)->LoadFromFile("/tmp/other.gif");  // the base group only records the name
  EXPECT_EQ(g.FileName, "/tmp/other.gif");
  EXPECT_FALSE(g.IsModified());
}

TEST(IconFrame, AlwaysTransparentWithTheIconKey) {
  TIconGroup g;
  TWorkFrame* f = g.AddFrame();
  f->InitImage(16, 16, nullptr, 4);
  f->SetTransparent(false);
  f->SetTransparentColor(clWhite);
  EXPECT_TRUE(f->GetTransparent());
  EXPECT_EQ(f->GetTransparentColor(), IconTransparentColor);
  f->SetLeftColor(IconInvertColor);  // special colours are not snapped
  EXPECT_EQ(f->GetLeftColor(), IconInvertColor);
  f->SetLeftColor(MakeColor(250, 0, 0));
  EXPECT_EQ(f->GetLeftColor(), MakeColor(255, 0, 0));
  g.SetWidth(48);  // icon groups do not resize their sub-icons
  EXPECT_EQ(f->Width(), 16);
}

TEST(ImageListGroup, DepthChangesReachEveryFrame) {
  TImageListGroup g;
  g.AddFrame();
  g.AddFrame();
  g.SetBitCount(24);
  EXPECT_EQ(g.GetFrame(0)->GetBitCount(), 24);
  EXPECT_EQ(g.GetFrame(1)->GetBitCount(), 24);
  EXPECT_EQ(g.GetChildName(), "Img");
}

TEST(ImageGroup, ALocalPaletteTakesTheGroupColoursAsTheyAre) {
  TTestGifGroup g;
  MakeThreeFrames(g);
  const TColor odd = MakeColor(1, 2, 3);  // not in the palette
  g.LeftColor = odd;
  g.RightColor = MakeColor(250, 251, 252);
  TWorkGifFrame* f = Gif(g, 0);
  f->SetLocalPalette(true);
  EXPECT_EQ(f->GetLeftColor(), odd);
  EXPECT_EQ(f->GetRightColor(), MakeColor(250, 251, 252));
}

TEST(ImageGroup, UndoAfterSavingTheGroupMarksItChanged) {
  TTestGifGroup g;
  MakeThreeFrames(g);
  TWorkFrame* f = g.GetFrame(1);
  ASSERT_TRUE(f->SaveUndo());
  f->EditImage().SetPixel(0, 0, 0x123456);
  ASSERT_TRUE(f->SaveUndo());
  f->EditImage().SetPixel(1, 0, 0x123456);
  g.SaveToFile("/tmp/anim.gif");  // the base group only records the name and the state
  ASSERT_FALSE(g.IsModified());
  f->Undo();
  f->Undo();
  EXPECT_TRUE(g.IsModified());
  f->Redo();
  f->Redo();
  EXPECT_FALSE(g.IsModified());
}

TEST(GroupUndo, AStepTakesBackTheGroupValuesAndEveryFrameAsOne) {
  TGifImageGroup g;
  MakeThreeFrames(g);
  g.LoopCount = NoLoopExtension;
  g.MarkSaved();
  Gif(g, 2)->SetLocalPalette(true);
  Gif(g, 2)->GetPalette().SetColor(0, MakeColor(9, 9, 9));
  const TPaletteRecord shared = g.Palette, own = Gif(g, 2)->GetPalette();
  ASSERT_TRUE(g.SaveUndo());
  g.LoopCount = 3;
  g.SetCompression(1);
  g.SetWidth(8);
  g.GetFrame(1)->EditImage().SetPixel(7, 0, TPixel(5));
  g.Palette.SetColor(1, MakeColor(1, 1, 1));

  g.Undo();
  EXPECT_EQ(g.LoopCount, NoLoopExtension);
  EXPECT_EQ(g.Compression(), 0);
  EXPECT_EQ(g.Width, 5);
  EXPECT_EQ(g.Palette, shared);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(g.GetFrame(i)->Width(), 5);
  EXPECT_EQ(Gif(g, 2)->GetPalette(), own);  // its own palette stayed its own
  EXPECT_TRUE(Gif(g, 2)->LocalPalette());
  EXPECT_FALSE(g.CanUndo());

  g.Redo();
  EXPECT_EQ(g.LoopCount, 3);
  EXPECT_EQ(g.Compression(), 1);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(g.GetFrame(i)->Width(), 8);
  EXPECT_EQ(g.GetFrame(1)->Image().Pixel(7, 0), TPixel(5));
  EXPECT_EQ(g.Palette.Color(1), MakeColor(1, 1, 1));
  EXPECT_TRUE(g.IsModified());

  // Steps taken before frames came or went no longer fit and are gone.
  ASSERT_TRUE(g.SaveUndo());
  g.DeleteFrame(0);
  EXPECT_FALSE(g.CanUndo());
  EXPECT_FALSE(g.CanRedo());
}
