// The properties panel reloads ("Reset") while it shows, whenever what it shows may have changed
// outside it.

#include "documents/ActionList.h"
#include "editor/ToolFixture.h"

namespace {

class PropertiesTest : public ToolTest {
 protected:
  // Counts the runs of "Reset"; the panel's own handler arrives with the panel.
  void CountResets(TMainForm& form) {
    form.Actions().OnExecute("CancelAct", [this] { ++resets_; });
  }

  int resets_ = 0;
};

TEST_F(PropertiesTest, AShownPanelReloadsWhenTheImageOrItsPropertiesChange) {
  auto form = OpenWhite(6, 6);
  const QString other = MakeBitmap("other.bmp", 3, 3);
  CountResets(*form);
  // Hidden, the panel is left alone.
  ASSERT_TRUE(form->Files().TryOpenFile(other));
  EXPECT_EQ(resets_, 0);
  Trigger(*form, "PropEditAct");
  EXPECT_TRUE(form->Properties().Shown());
  form->Navigator->Select(Node(*form, 0));
  EXPECT_GE(resets_, 1);  // another image became current
  resets_ = 0;
  Trigger(*form, "Settransparentcolor1");
  Click(*form, {1, 1});
  EXPECT_EQ(resets_, 1);  // its transparency changed
  Trigger(*form, "UndoAct");
  EXPECT_EQ(resets_, 2);  // the history step brought the old transparency back
  EXPECT_FALSE(form->Editor().Session().CurrentImage()->GetTransparent());
}

}  // namespace
