// The drawing tools with the gradient mode on, through a stand-in for the gradient window.

#include <set>

#include "editor/ToolFixture.h"
#include "editor/ToolWindows.h"

namespace {

class TFakeGradientForm : public IGradientForm {
 public:
  bool IsShown() const override { return Shown; }
  TColor CurrentColor() const override { return Steps[size_t(Step)]; }
  QString Page() const override { return CurrentPage; }
  void SetPage(const QString& page) override { CurrentPage = page; }
  bool AutoIncrement() const override { return true; }
  void StepForward() override {
    if (Step < int(Steps.size()) - 1) ++Step;
  }
  bool Horizontal() const override { return true; }

  bool Shown = true;
  QString CurrentPage;
  std::vector<TColor> Steps{Red, Green, Blue};
  int Step = 0;
};

class GradientToolTest : public ToolTest {
 protected:
  void TearDown() override {
    if (form_) form_->Editor().SetGradientForm(nullptr);
  }
  TMainForm& Use(std::unique_ptr<TMainForm> form) {
    form_ = std::move(form);
    form_->Editor().SetGradientForm(&gradient_);
    return *form_;
  }

  TFakeGradientForm gradient_;
  std::unique_ptr<TMainForm> form_;
};

TEST_F(GradientToolTest, PixelToolsPaintWithTheStepsAndAdvanceThem) {
  TMainForm& form = Use(OpenWhite());
  Trigger(form, "Pencil1");
  EXPECT_EQ(gradient_.CurrentPage, "Pixel");
  for (int i = 0; i < 4; ++i) Click(form, {i, 0});
  EXPECT_EQ(ImagePixel(form, 0, 0), Red);
  EXPECT_EQ(ImagePixel(form, 1, 0), Green);
  EXPECT_EQ(ImagePixel(form, 2, 0), Blue);
  EXPECT_EQ(ImagePixel(form, 3, 0), Blue);  // the last step stays
  // The right button paints the right colour.
  form.Editor().Colors().ApplyRightColor(MakeColor(9, 9, 9));
  Click(form, {5, 5}, Qt::RightButton);
  EXPECT_EQ(ImagePixel(form, 5, 5), MakeColor(9, 9, 9));
  Trigger(form, "Select1");
  EXPECT_EQ(gradient_.CurrentPage, "None");
}

TEST_F(GradientToolTest, OutlineOnlyColoursTheOutlineWithTheGradient) {
  TMainForm& form = Use(OpenWhite());
  Trigger(form, "Rectangle1");
  EXPECT_EQ(gradient_.CurrentPage, "Closed");
  form.Editor().Colors().ApplyLeftColor(Red);
  form.Editor().Colors().ApplyRightColor(Blue);
  form.Editor().Tools().ctOutlineBtn->SetDown(true);
  Drag(form, {2, 2}, {11, 6});
  EXPECT_EQ(ImagePixel(form, 2, 4), Red);    // the gradient starts with the left colour
  EXPECT_EQ(ImagePixel(form, 11, 4), Blue);  // and ends with the right one
  EXPECT_EQ(PixelsOf(form, clWhite).size(), 20 * 20 - 26);  // the inside is untouched
  EXPECT_EQ(ImagePixel(form, 5, 4), clWhite);
}

TEST_F(GradientToolTest, FilledShapeKeepsThePenOutlineAndFillsWithTheGradient) {
  TMainForm& form = Use(OpenWhite());
  Trigger(form, "Rectangle1");
  form.Editor().Colors().ApplyLeftColor(Red);
  form.Editor().Colors().ApplyRightColor(Blue);
  Drag(form, {0, 0}, {9, 4});
  EXPECT_EQ(ImagePixel(form, 0, 2), Red);  // the outline in the gradient's first step colour
  EXPECT_EQ(ImagePixel(form, 9, 2), Red);
  // The inside runs from the left to the right colour in one band per column.
  EXPECT_EQ(ImagePixel(form, 1, 2), MakeColor(227, 0, 28));
  EXPECT_EQ(ImagePixel(form, 8, 2), MakeColor(28, 0, 227));
}

TEST_F(GradientToolTest, GradientEllipseOnAPaletteImageEndsInPaletteColours) {
  TMainForm& form = Use(OpenWhite(20, 20, 8));
  Trigger(form, "Ellipse1");
  form.Editor().Colors().ApplyLeftColor(MakeColor(250, 10, 10));
  form.Editor().Colors().ApplyRightColor(MakeColor(10, 10, 250));
  Drag(form, {1, 1}, {18, 12});
  const TPaletteRecord& palette = form.Editor().Session().CurrentImage()->GetPalette();
  std::set<TColor> colours;
  for (int i = 0; i < palette.Count; ++i) colours.insert(palette.Color(i));
  const TSurface& image = form.Editor().Session().CurrentImage()->Image();
  int outside = 0;
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x)
      if (!colours.count(PixelToColor(image.Pixel(x, y)))) ++outside;
  EXPECT_EQ(outside, 0);
  EXPECT_GT(PixelsOf(form, clWhite).size(), 0);
}

}  // namespace
