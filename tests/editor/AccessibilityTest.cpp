// What assistive technologies find of the editor's own controls: the tool buttons by name and
// pressed state, the colour swatches as buttons with their colour, the palette as a table.

#include <QAccessible>

#include "controls/ControlAccessibility.h"
#include "editor/ToolFixture.h"

namespace {

// The first interface below `root` with this name (depth first), or null.
QAccessibleInterface* FindByName(QAccessibleInterface* root, const QString& name) {
  if (!root) return nullptr;
  if (root->text(QAccessible::Name) == name) return root;
  for (int i = 0; i < root->childCount(); ++i)
    if (QAccessibleInterface* found = FindByName(root->child(i), name)) return found;
  return nullptr;
}

class AccessibilityTest : public ToolTest {};

TEST(AccessibleNames, HintsLoseTheirShortcutAndFurtherLines) {
  EXPECT_EQ(AccessibleNameFromHint("Pencil tool <Ctrl+P>"), "Pencil tool");
  EXPECT_EQ(AccessibleNameFromHint("Select/Move tool\nLeft button - select\n<ESC>"),
            "Select/Move tool");
  EXPECT_EQ(AccessibleNameFromHint("Color select."), "Color select.");
  EXPECT_EQ(AccessibleNameFromHint(""), "");
}

TEST_F(AccessibilityTest, ToolButtonsAreNamedCheckBoxesThatCanBePressed) {
  auto form = OpenWhite(4, 4, 4);
  QAccessibleInterface* window = QAccessible::queryAccessibleInterface(form.get());
  QAccessibleInterface* pencil = FindByName(window, "Pencil tool");
  ASSERT_NE(pencil, nullptr);
  EXPECT_EQ(pencil->role(), QAccessible::CheckBox);
  EXPECT_TRUE(pencil->state().checkable);
  EXPECT_FALSE(pencil->state().checked);
  ASSERT_NE(pencil->actionInterface(), nullptr);
  pencil->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_TRUE(form->Editor().Tools().PencilBtn->Down());
  EXPECT_TRUE(pencil->state().checked);
  // A button that does not stay down is a push button named after its command's hint.
  QAccessibleInterface* swap = QAccessible::queryAccessibleInterface(
      form->Editor().Colors().SwapColBtn);
  EXPECT_EQ(swap->role(), QAccessible::Button);
  EXPECT_FALSE(swap->text(QAccessible::Name).isEmpty());
}

TEST_F(AccessibilityTest, SwatchesAreButtonsAndThePaletteIsATableOfColours) {
  auto form = OpenWhite(4, 4, 1);
  QAccessibleInterface* window = QAccessible::queryAccessibleInterface(form.get());
  QAccessibleInterface* left = FindByName(window, "Left color");
  ASSERT_NE(left, nullptr);
  EXPECT_EQ(left->role(), QAccessible::Button);
  EXPECT_EQ(left->text(QAccessible::Value), "0, 0, 0");
  QAccessibleInterface* grid = FindByName(window, "Palette");
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(grid->role(), QAccessible::Table);
  QAccessibleTableInterface* table = grid->tableInterface();
  ASSERT_NE(table, nullptr);
  ASSERT_GE(table->rowCount() * table->columnCount(), 2);
  QAccessibleInterface* second = table->cellAt(0, 1);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->role(), QAccessible::Cell);
  EXPECT_EQ(second->text(QAccessible::Name), "Color 1: 255, 255, 255");
  EXPECT_EQ(table->cellAt(0, 1), second);  // the same cell every time
}

}  // namespace
