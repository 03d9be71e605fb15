// Ramps, new palettes and runs of colours laid onto a palette grid.

#include <gtest/gtest.h>

#include "model/PaletteEdit.h"

namespace {

TEST(RampColor, SnapsToTheEightStepRaster) {
  const int expected[16] = {0, 16, 34, 51, 68, 85, 102, 120, 136, 152, 170, 187, 204, 221, 238, 255};
  for (int k = 0; k < 16; ++k)
    EXPECT_EQ(RampColor(clBlack, clWhite, 16, k), MakeColor(expected[k], expected[k], expected[k]))
        << "step " << k;
  const TColor redToBlue[5] = {MakeColor(255, 0, 0), MakeColor(192, 0, 64), MakeColor(128, 0, 128),
                               MakeColor(64, 0, 192), MakeColor(0, 0, 255)};
  for (int k = 0; k < 5; ++k)
    EXPECT_EQ(RampColor(MakeColor(255, 0, 0), MakeColor(0, 0, 255), 5, k), redToBlue[k]);
}

TEST(RampColor, OutOfRangeStepsAndIndicesStayOnTheRamp) {
  // Fewer than two steps would divide by zero or less: they count as two.
  for (int steps : {1, 0, -3}) {
    EXPECT_EQ(RampColor(clBlack, clWhite, steps, 0), clBlack);
    EXPECT_EQ(RampColor(clBlack, clWhite, steps, 1), clWhite);
  }
  EXPECT_EQ(RampColor(clBlack, clWhite, 16, 40), clWhite);
  EXPECT_EQ(RampColor(clBlack, clWhite, 16, -2), clBlack);
  // 255 is never pushed past the channel; 7 goes up to 8 only below 255.
  EXPECT_EQ(RampColor(MakeColor(7, 255, 249), MakeColor(7, 255, 249), 2, 1), MakeColor(8, 255, 248));
}

TEST(PaletteEdit, NewPaletteRepeatsThreeGreys) {
  TPaletteRecord pal;
  pal.Version = 7;
  FillNewPalette(pal, 16);
  EXPECT_EQ(pal.Version, PaletteVersion);
  EXPECT_EQ(pal.Count, 16);
  EXPECT_EQ(pal.Color(0), MakeColor(128, 128, 128));
  EXPECT_EQ(pal.Color(1), MakeColor(168, 168, 168));
  EXPECT_EQ(pal.Color(2), MakeColor(192, 192, 192));
  EXPECT_EQ(pal.Color(15), MakeColor(128, 128, 128));
  FillNewPalette(pal, 1000);
  EXPECT_EQ(pal.Count, MaxPaletteEntries);
}

TEST(PaletteEdit, RunsWrapRoundTheGridInEitherDirection) {
  TPaletteRecord pal;
  pal.Count = 256;
  TPaletteCells cells(pal, 8, 32);
  std::vector<TColor> run;
  for (int i = 1; i <= 16; ++i) run.push_back(MakeColor(i, 0, 0));
  // Row-wise from (6, 2): (6,2), (7,2), then on along row 3 and into row 4 up to (5,4).
  cells.PlaceRun(run, 6, 2, true);
  EXPECT_EQ(cells.CellColor(6, 2), MakeColor(1, 0, 0));
  EXPECT_EQ(cells.CellColor(7, 2), MakeColor(2, 0, 0));
  EXPECT_EQ(cells.CellColor(0, 3), MakeColor(3, 0, 0));
  EXPECT_EQ(cells.CellColor(5, 4), MakeColor(16, 0, 0));
  EXPECT_EQ(cells.CellColor(6, 4), 0u);
  // Column-wise from the last cell: down off the bottom into the top of the first column.
  cells.PlaceRun({clWhite, MakeColor(1, 2, 3), MakeColor(4, 5, 6)}, 7, 31, false);
  EXPECT_EQ(cells.CellColor(7, 31), clWhite);
  EXPECT_EQ(cells.CellColor(0, 0), MakeColor(1, 2, 3));
  EXPECT_EQ(cells.CellColor(0, 1), MakeColor(4, 5, 6));
  EXPECT_EQ(pal.Count, 256);  // dropping never changes the size
}

TEST(PaletteEdit, AWholeStoredPaletteOverwritesItsOwnStartOnASmallGrid) {
  TPaletteRecord pal;
  pal.Count = 16;
  TPaletteCells cells(pal, 2, 8);
  std::vector<TColor> stored;
  for (int i = 0; i < 264; ++i) stored.push_back(MakeColor(i & 0xFF, i >> 8, 0));
  cells.PlaceRun(stored, 0, 0, true);
  for (int p = 0; p < 16; ++p) {
    const int entry = p < 8 ? 256 + p : 240 + p;
    EXPECT_EQ(pal.Color(p), stored[size_t(entry)]) << "cell " << p;
  }
  EXPECT_EQ(pal.Color(16), 0u);
}

TEST(PaletteEdit, CellsOutsideTheGridOrTheRecordAreLeftAlone) {
  TPaletteRecord pal;
  pal.Count = 264;
  const TPaletteRecord before = pal;
  TPaletteCells cells(pal, 8, 40);  // rows past the record's 264 entries
  cells.SetCellColor(clWhite, 8, 0);
  cells.SetCellColor(clWhite, -1, 0);
  cells.SetCellColor(clWhite, 0, 33);
  EXPECT_EQ(pal, before);
  EXPECT_EQ(cells.CellColor(0, 33), 0u);
  cells.SetCellColor(0xFF123456, 1, 0);  // a high byte is not stored
  EXPECT_EQ(pal.Entries[1].Flags, 0);
}

}  // namespace
