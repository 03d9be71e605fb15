// The edit session's ways between the image and its working copy, without a window.

#include "editor/EditSession.h"

#include <gtest/gtest.h>

#include "model/WorkImages.h"

namespace {

constexpr TPixel Red = 0x00FF0000u;

class EditSessionTest : public ::testing::Test {
 protected:
  EditSessionTest() {
    image_.InitImage(4, 3, nullptr, 24);
    image_.EditImage().Fill(0xFFFFFF);
    image_.SetModified(false);
    QObject::connect(&session_, &TEditSession::Changed, [this] { ++changed_; });
    QObject::connect(&session_, &TEditSession::PropertiesChanged, [this] { ++properties_; });
    QObject::connect(&session_, &TEditSession::CurrentChanged, [this] { ++current_; });
    session_.SetCurrentImage(&image_);
    session_.LoadWorkingCopy();
  }

  TSelectBitmap& Copy() { return *session_.WorkingCopy(); }
  int UndoDepth() const { return image_.UndoStack.Count(); }

  TWorkBitmap image_;
  TEditSession session_;
  int changed_ = 0;
  int properties_ = 0;
  int current_ = 0;
};

TEST_F(EditSessionTest, CommitTakesOneSnapshotUnlessThePressTookIt) {
  Copy().EditImage().SetPixel(1, 1, Red);
  EXPECT_TRUE(session_.Commit());
  EXPECT_EQ(image_.Image().Pixel(1, 1), Red);
  EXPECT_EQ(UndoDepth(), 1);
  EXPECT_EQ(changed_, 1);
  Copy().EditImage().SetPixel(2, 1, Red);
  EXPECT_TRUE(session_.Commit(TSnapshot::Taken));
  EXPECT_EQ(image_.Image().Pixel(2, 1), Red);
  EXPECT_EQ(UndoDepth(), 1);
  // The undo step holds the state before the first commit.
  image_.Undo();
  EXPECT_EQ(image_.Image().Pixel(1, 1), 0xFFFFFFu);
}

TEST_F(EditSessionTest, PreparedChangesGoInAfterTheSnapshot) {
  Copy().EditMask().SetSelected(1, 1, true);
  Copy().LiftSelection(false, clWhite);
  Copy().LayerLeft = 1;
  ASSERT_TRUE(session_.Commit(TSnapshot::Require, [](TSelectBitmap& c) { c.DropLayer(); }));
  EXPECT_FALSE(image_.HasLayer());
  EXPECT_FALSE(Copy().HasLayer());
  image_.Undo();
  EXPECT_FALSE(image_.HasLayer());  // the snapshot was taken before the layer was merged
}

TEST_F(EditSessionTest, NothingIsCommittedWithoutAnImageOrACopy) {
  session_.DropWorkingCopy();
  EXPECT_FALSE(session_.Commit());
  session_.SetCurrentImage(nullptr);
  session_.LoadWorkingCopy();
  EXPECT_EQ(session_.WorkingCopy(), nullptr);
  EXPECT_FALSE(session_.ChangeImage(TSnapshot::Take, [](TWorkImage&) { FAIL(); }));
  EXPECT_EQ(changed_, 0);
  EXPECT_EQ(UndoDepth(), 0);
}

TEST_F(EditSessionTest, TheMaskAloneLeavesPixelsAndChangedStateAlone) {
  Copy().EditImage().SetPixel(0, 0, Red);
  Copy().EditMask().SetSelected(3, 2, true);
  session_.CommitMask(TSnapshot::Take);
  EXPECT_TRUE(image_.Mask().IsSelected(3, 2));
  EXPECT_NE(image_.Image().Pixel(0, 0), Red);
  EXPECT_FALSE(image_.IsModified());
  EXPECT_EQ(UndoDepth(), 1);
  EXPECT_EQ(changed_, 0);
}

TEST_F(EditSessionTest, PendingChangesAreKeptOnlyWhenTheCopyDiffers) {
  image_.SetModified(true);
  session_.CommitPending();
  EXPECT_EQ(UndoDepth(), 0);  // nothing pending
  Copy().EditImage().SetPixel(3, 0, Red);
  session_.CommitPending();
  EXPECT_EQ(image_.Image().Pixel(3, 0), Red);
  EXPECT_EQ(UndoDepth(), 1);
}

TEST_F(EditSessionTest, ChangesOfTheImageReachTheCopyAndTheListeners) {
  ASSERT_TRUE(session_.ChangeImage(TSnapshot::Take, [](TWorkImage& image) {
    image.SetTransparent(true);
    image.SetTransparentColor(clWhite);
  }));
  EXPECT_TRUE(Copy().GetTransparent());
  EXPECT_EQ(UndoDepth(), 1);
  EXPECT_EQ(properties_, 1);
  EXPECT_EQ(changed_, 1);
  session_.StepHistory(false);
  EXPECT_FALSE(Copy().GetTransparent());
  EXPECT_EQ(properties_, 2);
  EXPECT_EQ(changed_, 2);
}

TEST_F(EditSessionTest, OnlyARealChangeOfWhatIsCurrentIsAnnounced) {
  const int before = current_;
  session_.SetCurrentImage(&image_);
  session_.SetCurrentGroup(nullptr);
  EXPECT_EQ(current_, before);
  session_.SetCurrentImage(nullptr);
  EXPECT_EQ(current_, before + 1);
  EXPECT_TRUE(session_.CurrentFileName().isEmpty());
}

}  // namespace
