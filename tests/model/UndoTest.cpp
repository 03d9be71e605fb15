#include <gtest/gtest.h>

#include "model/Groups.h"
#include "model/WorkImage.h"

namespace {

// Each edit stamps the edit number into pixel (0, 0).
void Edit(TWorkImage& w, int n) {
  ASSERT_TRUE(w.SaveUndo());
  w.EditImage().SetPixel(0, 0, TPixel(n));
}

TPixel Stamp(const TWorkImage& w) { return w.Image().Pixel(0, 0); }

}  // namespace

TEST(Undo, KeepsOnlyTheEightMostRecentSteps) {
  TWorkImage w;
  w.InitImage(2, 2, nullptr, 24);
  w.EditImage().SetPixel(0, 0, 0);
  for (int n = 1; n <= 9; ++n) Edit(w, n);
  EXPECT_EQ(w.UndoStack.Count(), 8);
  int undone = 0;
  while (w.CanUndo()) {
    w.Undo();
    ++undone;
  }
  EXPECT_EQ(undone, 8);
  EXPECT_EQ(Stamp(w), 1u);  // the state before edit 1 is gone
  EXPECT_EQ(w.RedoStack.Count(), 8);
}

TEST(Undo, ANewEditKeepsRedo) {
  TWorkImage w;
  Edit(w, 1);
  Edit(w, 2);
  w.Undo();
  EXPECT_EQ(Stamp(w), 1u);
  Edit(w, 3);
  EXPECT_TRUE(w.CanRedo());
  w.Redo();
  EXPECT_EQ(Stamp(w), 2u);
  w.Undo();
  EXPECT_EQ(Stamp(w), 3u);
}

TEST(Undo, RestoresAFloatingLayerAndTheModifiedFlag) {
  TWorkImage w;
  w.InitImage(3, 3, nullptr, 24);
  w.EditMask().SetSelected(1, 1, true);
  w.LiftSelection(true, clBlack);
  w.LayerLeft = 1;
  w.SetModified(false);
  ASSERT_TRUE(w.SaveUndo());
  w.DropLayer();
  w.SetModified(true);
  w.Undo();
  ASSERT_TRUE(w.HasLayer());
  EXPECT_EQ(w.LayerLeft, 1);
  EXPECT_FALSE(w.IsModified());
  w.ClearUndo();
  EXPECT_FALSE(w.CanUndo());
  EXPECT_FALSE(w.CanRedo());
}

TEST(Undo, UndoAndRedoOnEmptyStacksDoNothing) {
  TWorkImage w;
  w.Undo();
  w.Redo();
  EXPECT_FALSE(w.CanRedo());
  EXPECT_FALSE(w.CanUndo());
}

// Whether the image is in step with its file follows the state, not the snapshot's flag.
TEST(Undo, OnlyTheSavedStateCountsAsSaved) {
  TWorkImage w;
  w.InitImage(2, 2, nullptr, 24);
  w.EditImage().SetPixel(0, 0, 0);
  w.MarkSaved();
  Edit(w, 1);
  w.SetModified(true);
  Edit(w, 2);
  w.SetModified(true);
  w.MarkSaved();  // saved with both edits
  w.Undo();
  EXPECT_TRUE(w.IsModified());
  w.Undo();
  EXPECT_TRUE(w.IsModified()) << "two steps away from the file is still a change";
  w.Redo();
  EXPECT_TRUE(w.IsModified());
  w.Redo();
  EXPECT_FALSE(w.IsModified()) << "back at the saved state";
  EXPECT_EQ(Stamp(w), 2u);
}

TEST(Undo, AnEditWithoutSnapshotIsNotTakenForTheSavedState) {
  TWorkImage w;
  w.InitImage(2, 2, nullptr, 24);
  Edit(w, 1);
  w.MarkSaved();
  // A change that records no step (a property, a deleted frame) leaves the image modified.
  w.EditImage().SetPixel(0, 0, 7);
  w.SetModified(true);
  w.Undo();
  EXPECT_TRUE(w.IsModified());
  w.Redo();
  EXPECT_EQ(Stamp(w), 7u);
  EXPECT_TRUE(w.IsModified()) << "the redone picture is not the one on disk";
}

namespace {

// A 4-bit animation of two 5x4 frames on the default 16-colour palette.
void MakeTwoFrames(TGifImageGroup& g) {
  g.SetBitCount(4);
  FillDefaultPalette(g.Palette, 4);
  for (int i = 0; i < 2; ++i) g.AddFrame();
  g.SetWidth(5);
  g.SetHeight(4);
}

TWorkGifFrame& Gif(TImageGroup& g, int i) { return static_cast<TWorkGifFrame&>(*g.GetFrame(i)); }

}  // namespace

TEST(FrameUndo, StepsBringBackTheFrameValuesWithThePixels) {
  TGifImageGroup g;
  MakeTwoFrames(g);
  TWorkGifFrame& f = Gif(g, 1);
  f.SetComments({"old"});
  f.MarkSaved();
  ASSERT_TRUE(f.SaveUndo());
  f.SetDelay(250);
  f.Disposal = DisposePrevious;
  f.SetInterlaced(true);
  f.SetComments({"new", "lines"});
  f.HasControlExtension = false;
  f.SetTransparent(true);
  f.EditImage().SetPixel(0, 0, TPixel(3));

  f.Undo();
  EXPECT_EQ(f.Delay(), 100u);
  EXPECT_EQ(f.Disposal, DisposeNone);
  EXPECT_FALSE(f.Interlaced());
  EXPECT_EQ(f.Comments(), std::vector<std::string>{"old"});
  EXPECT_TRUE(f.HasControlExtension);
  EXPECT_FALSE(f.GetTransparent());
  EXPECT_FALSE(f.IsModified());  // back at the saved state
  EXPECT_EQ(f.Group(), &g);      // the frame stays in its group

  f.Redo();
  EXPECT_EQ(f.Delay(), 250u);
  EXPECT_EQ(f.Disposal, DisposePrevious);
  EXPECT_TRUE(f.Interlaced());
  EXPECT_EQ(f.Comments(), (std::vector<std::string>{"new", "lines"}));
  EXPECT_FALSE(f.HasControlExtension);
  EXPECT_TRUE(f.GetTransparent());
  EXPECT_EQ(f.Image().Pixel(0, 0), TPixel(3));
  EXPECT_TRUE(f.IsModified());
}

TEST(FrameUndo, TheLocalPaletteFlagComesBackWithThePaletteInTheRightRecord) {
  TGifImageGroup g;
  MakeTwoFrames(g);
  TWorkGifFrame& f = Gif(g, 0);
  const TPaletteRecord shared = g.Palette;
  // Giving the frame its own palette and changing that must leave the group's alone on undo.
  ASSERT_TRUE(f.SaveUndo());
  f.SetLocalPalette(true);
  f.GetPalette().SetColor(1, MakeColor(1, 2, 3));
  ASSERT_TRUE(f.SaveUndo());
  f.GetPalette().SetColor(1, MakeColor(4, 5, 6));
  f.Undo();
  EXPECT_TRUE(f.LocalPalette());
  EXPECT_EQ(f.GetPalette().Color(1), MakeColor(1, 2, 3));
  EXPECT_EQ(g.Palette, shared);
  f.Undo();
  EXPECT_FALSE(f.LocalPalette());
  EXPECT_EQ(f.GetPalette(), shared);
  f.Redo();
  EXPECT_TRUE(f.LocalPalette());
  EXPECT_EQ(f.GetPalette().Color(1), MakeColor(1, 2, 3));
  EXPECT_EQ(g.Palette, shared);
  // The other frame still paints with the group palette.
  EXPECT_FALSE(Gif(g, 1).LocalPalette());
  EXPECT_EQ(Gif(g, 1).GetPalette(), shared);
}
