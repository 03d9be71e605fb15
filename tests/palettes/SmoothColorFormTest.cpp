// The gradient colour window: the step colours, their snapping to the palette, the step
// commands, the pages that follow the tools, and the gradient direction of the closed shapes.

#include "palettes/SmoothColorForm.h"

#include <QAccessible>
#include <set>

#include "editor/ColorPanel.h"
#include "editor/ToolFixture.h"

namespace {

constexpr TColor Gray(int v) {
  return MakeColor(v, v, v);
}

TEST(StepColor, WalksInEqualStepsRoundingHalvesAwayFromZero) {
  for (int k = 0; k < 16; ++k) EXPECT_EQ(StepColor(clBlack, clWhite, k, 16), Gray(17 * k)) << k;
  // Half a step rounds away from the start upwards and downwards alike.
  EXPECT_EQ(StepColor(Gray(0), Gray(1), 1, 3), Gray(1));
  EXPECT_EQ(StepColor(Gray(1), Gray(0), 1, 3), Gray(0));
  EXPECT_EQ(StepColor(MakeColor(10, 200, 0), MakeColor(20, 100, 255), 1, 4),
            MakeColor(13, 167, 85));
  // Fewer than two steps count as two instead of dividing by nothing.
  EXPECT_EQ(StepColor(Gray(3), Gray(9), 1, 1), Gray(9));
  EXPECT_EQ(StepColor(Gray(3), Gray(9), 0, 0), Gray(3));
}

class SmoothColorTest : public ToolTest {
 protected:
  static TSmoothColorForm& Gradient(TMainForm& form) { return form.SmoothColorForm(); }
  static void SetColors(TMainForm& form, TColor left, TColor right) {
    form.Editor().Colors().ApplyLeftColor(left);
    form.Editor().Colors().ApplyRightColor(right);
  }
  static void TurnOn(TMainForm& form) {
    Trigger(form, "ToggleSmoothAct");
    ASSERT_TRUE(Gradient(form).isVisible());
  }
};

TEST_F(SmoothColorTest, TwentyPencilStrokesWalkFromBlackToWhiteAndStayThere) {
  auto form = OpenWhite(20, 2);
  SetColors(*form, clBlack, clWhite);
  TurnOn(*form);
  EXPECT_EQ(Gradient(*form).CurrentColor(), clBlack);
  Trigger(*form, "Pencil1");
  EXPECT_EQ(Gradient(*form).Page(), "Pixel");
  for (int i = 0; i < 20; ++i) Click(*form, {i, 0});
  for (int i = 0; i < 20; ++i) EXPECT_EQ(ImagePixel(*form, i, 0), Gray(17 * std::min(i, 15))) << i;
  EXPECT_EQ(Gradient(*form).CurentStepEdit->value(), 15);
  // Without Auto Inc the step stays.
  Gradient(*form).ResetAct->trigger();
  Gradient(*form).AIncCheck->setChecked(false);
  Click(*form, {0, 1});
  Click(*form, {1, 1});
  EXPECT_EQ(ImagePixel(*form, 1, 1), clBlack);
  EXPECT_EQ(Gradient(*form).CurentStepEdit->value(), 0);
}

TEST_F(SmoothColorTest, APaletteImagePaintsOnlyItsOwnColours) {
  auto form = OpenWhite(16, 16, 4);
  const TPaletteRecord& palette = form->Editor().Session().CurrentImage()->GetPalette();
  std::set<TColor> colours;
  for (int i = 0; i < palette.Count; ++i) colours.insert(palette.Color(i));
  SetColors(*form, clBlack, clWhite);
  TurnOn(*form);
  std::vector<TColor> steps;
  for (int k = 0; k < 16; ++k) {
    EXPECT_EQ(Gradient(*form).CurentStepEdit->value(), k);
    steps.push_back(Gradient(*form).CurrentColor());
    EXPECT_TRUE(colours.count(steps.back())) << k;
    Trigger(*form, "NextColAct");
  }
  EXPECT_EQ(steps.front(), clBlack);
  EXPECT_EQ(steps.back(), clWhite);
  // Sixteen grey steps on sixteen colours of which only a few are grey: neighbours repeat.
  EXPECT_LT(std::set<TColor>(steps.begin(), steps.end()).size(), steps.size());
}

TEST_F(SmoothColorTest, FewerStepsTakeEffectAtTheNextRecomputation) {
  auto form = OpenWhite();
  SetColors(*form, Red, Blue);
  TurnOn(*form);
  TSmoothColorForm& gradient = Gradient(*form);
  gradient.StepCountEdit->setValue(4);
  gradient.CurentStepEdit->setValue(2);
  EXPECT_EQ(gradient.CurrentColor(), MakeColor(85, 0, 170));
  gradient.StepCountEdit->setValue(2);
  EXPECT_EQ(gradient.CurrentColor(), MakeColor(85, 0, 170));
  EXPECT_EQ(gradient.CurentStepEdit->value(), 2);
  // A colour set another way (the colour dialog) waits for a recomputation too.
  form->Editor().Colors().ApplyLeftColor(Green);
  EXPECT_EQ(gradient.CurrentColor(), MakeColor(85, 0, 170));
  form->Editor().Colors().ApplyLeftColor(Red);
  Trigger(*form, "SwapColors");
  EXPECT_EQ(gradient.CurentStepEdit->value(), 1);
  EXPECT_EQ(gradient.CurrentColor(), Red);  // the right colour after the swap
  Trigger(*form, "SwapColors");
  EXPECT_EQ(gradient.CurrentColor(), Blue);
}

TEST_F(SmoothColorTest, NextAndPrevExistOnlyInTheModeAndStopAtTheEnds) {
  auto form = OpenWhite();
  SetColors(*form, clBlack, clWhite);
  form->UpdateActions();
  EXPECT_FALSE(form->Act("NextColAct").isVisible());
  EXPECT_FALSE(form->Act("ToggleSmoothAct").isChecked());
  TurnOn(*form);
  form->UpdateActions();
  EXPECT_TRUE(form->Act("NextColAct").isVisible());
  EXPECT_TRUE(form->Act("PrevColAct").isVisible());
  TSmoothColorForm& gradient = Gradient(*form);
  Trigger(*form, "PrevColAct");
  EXPECT_EQ(gradient.CurentStepEdit->value(), 0);
  EXPECT_EQ(gradient.CurrentColor(), clBlack);
  Trigger(*form, "NextColAct");
  gradient.IncColorAct->trigger();
  EXPECT_EQ(gradient.CurrentColor(), Gray(34));
  gradient.DecColorAct->trigger();
  EXPECT_EQ(gradient.CurrentColor(), Gray(17));
  gradient.CurentStepEdit->setValue(300);  // typed beyond the range: clamped
  EXPECT_EQ(gradient.CurentStepEdit->value(), 15);
  gradient.ResetBtn->click();
  EXPECT_EQ(gradient.CurentStepEdit->value(), 0);
  // The close box leaves the mode.
  gradient.close();
  EXPECT_FALSE(gradient.isVisible());
  EXPECT_FALSE(form->Act("ToggleSmoothAct").isChecked());
  form->UpdateActions();
  EXPECT_FALSE(form->Act("NextColAct").isVisible());
  TurnOn(*form);
  Trigger(*form, "ToggleSmoothAct");
  EXPECT_FALSE(gradient.isVisible());
}

TEST_F(SmoothColorTest, ThePageFollowsTheToolAndTheWindowSitsAtTheViewsCorner) {
  auto form = OpenWhite();
  TSmoothColorForm& gradient = Gradient(*form);
  EXPECT_EQ(gradient.Page(), "None");
  const std::pair<const char*, const char*> tools[] = {
      {"Pencil1", "Pixel"}, {"Rectangle1", "Closed"},
      {"Text1", "None"},    {"Centerellipse1", "Closed"},
      {"Fill1", "Pixel"},   {"Magicwand1", "None"},
      {"Line1", "Pixel"},   {"Settransparentcolor1", "None"}};
  for (const auto& [command, page] : tools) {
    Trigger(*form, command);
    EXPECT_EQ(gradient.Page(), page) << command;
  }
  TurnOn(*form);
  const QWidget* panel = form->Editor().View().ZoomPanel;
  const QPoint corner = panel->mapToGlobal(QPoint(panel->width(), 0));
  EXPECT_EQ(gradient.frameGeometry().right() + 1, corner.x());
  EXPECT_EQ(gradient.frameGeometry().top(), corner.y());
}

TEST_F(SmoothColorTest, ClosedShapesRunTheGradientInTheChosenDirection) {
  auto form = OpenWhite();
  SetColors(*form, Red, Blue);
  TurnOn(*form);
  Trigger(*form, "Rectangle1");
  form->Editor().Tools().ctFillOnlyBtn->SetDown(true);
  Drag(*form, {0, 0}, {9, 9});
  EXPECT_EQ(ImagePixel(*form, 0, 5), Red);
  EXPECT_EQ(ImagePixel(*form, 9, 5), Blue);
  EXPECT_EQ(ImagePixel(*form, 9, 0), ImagePixel(*form, 9, 9));
  Gradient(*form).rbVgradient->setChecked(true);
  Drag(*form, {10, 0}, {19, 9});
  EXPECT_EQ(ImagePixel(*form, 15, 0), Red);
  EXPECT_EQ(ImagePixel(*form, 15, 9), Blue);
  EXPECT_EQ(ImagePixel(*form, 10, 4), ImagePixel(*form, 19, 4));
  EXPECT_FALSE(Gradient(*form).Horizontal());
}

TEST_F(SmoothColorTest, EveryControlHasAnAccessibleNameAndRole) {
  auto form = OpenWhite();
  TSmoothColorForm& g = Gradient(*form);
  const std::tuple<QWidget*, const char*, QAccessible::Role> controls[] = {
      {g.rbHgradient, "Horizontal", QAccessible::RadioButton},
      {g.rbVgradient, "Vertical", QAccessible::RadioButton},
      {g.AIncCheck, "Auto Inc", QAccessible::CheckBox},
      {g.StepCountEdit, "Steps", QAccessible::SpinBox},
      {g.CurentStepEdit, "Step", QAccessible::SpinBox},
      {g.ResetBtn, "Reset", QAccessible::Button},
      {g.DecBtn, "Prev", QAccessible::Button},
      {g.IncBtn, "Next", QAccessible::Button}};
  for (const auto& [widget, name, role] : controls) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    ASSERT_TRUE(face) << name;
    EXPECT_EQ(face->text(QAccessible::Name), name);
    EXPECT_EQ(face->role(), role) << name;
  }
  QAccessibleInterface* swatch = QAccessible::queryAccessibleInterface(g.NextColor);
  ASSERT_TRUE(swatch);
  EXPECT_EQ(swatch->text(QAccessible::Name), "Next color");
  SetColors(*form, Red, Blue);
  TurnOn(*form);
  EXPECT_EQ(swatch->text(QAccessible::Description), ColorReadoutText(Red));
  EXPECT_EQ(g.windowTitle(), "Auto color change");
}

}  // namespace
