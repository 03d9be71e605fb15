#include "model/ReadBudget.h"

#include <gtest/gtest.h>

#include <functional>

#include "ErrorText.h"
#include "model/Errors.h"
#include "model/Surface.h"

namespace {

constexpr int64_t MiB = int64_t(1) << 20;

TEST(ReadBudget, SurfacesAndTheirCopiesCountUntilTheyGo) {
  TReadBudget budget(16 * MiB);
  {
    TSurface a(1024, 1024);  // 4 MiB
    EXPECT_EQ(budget.Used(), 4 * MiB);
    TSurface b = a;  // a copy takes memory of its own
    EXPECT_EQ(budget.Used(), 8 * MiB);
    TSurface c = std::move(b);  // a move does not
    EXPECT_EQ(budget.Used(), 8 * MiB);
    c.SetSize(512, 1024);  // resizing gives back what the old pixels held
    EXPECT_EQ(budget.Used(), 6 * MiB);
    a = TSurface();
    EXPECT_EQ(budget.Used(), 2 * MiB);
    TMaskSurface mask(1024, 1024);  // one bit a pixel
    EXPECT_EQ(budget.Used(), 2 * MiB + 128 * 1024);
  }
  EXPECT_EQ(budget.Used(), 0);
  EXPECT_EQ(budget.Peak(), 10 * MiB);  // while resizing, the old and the new pixels
}

TEST(ReadBudget, RefusesBeforeTakingTheMemoryAndNamesTheSizes) {
  TReadBudget budget(16 * MiB);
  TSurface kept(1024, 1024);
  const std::string message = ErrorText([] { TSurface big(2048, 2048); });  // 16 MiB more
  EXPECT_EQ(message,
            "The file needs at least 20 MiB of memory to open, more than the 16 MiB a document "
            "may take.");
  EXPECT_EQ(budget.Used(), 4 * MiB);  // the refused surface took nothing
  EXPECT_NE(ErrorText([&] { TSurface copy = kept, again = kept, more = kept, full = kept; }), "");
  EXPECT_EQ(budget.Used(), 4 * MiB);
  EXPECT_EQ(ErrorText([] { RequireReadBudget(12 * MiB); }), "");
  EXPECT_NE(ErrorText([] { RequireReadBudget(13 * MiB); }).find("16 MiB"), std::string::npos);
}

TEST(ReadBudget, NestedBudgetsJoinTheOuterOneAndNothingCountsOutsideARead) {
  TSurface before(512, 512);
  {
    TReadBudget outer(8 * MiB);
    {
      TReadBudget inner;  // the default limit, but the outer budget counts
      TSurface a(1024, 1024);
      EXPECT_EQ(inner.Used(), 4 * MiB);
      EXPECT_EQ(inner.Limit(), 8 * MiB);
      EXPECT_THROW(TSurface(1024, 1024 + 1), EVelmoraError);
    }
    EXPECT_EQ(TReadBudget::Active(), &outer);
    before = TSurface();  // made before the read: gives nothing back
    EXPECT_EQ(outer.Used(), 0);
  }
  EXPECT_EQ(TReadBudget::Active(), nullptr);
  TSurface free(4096, 4096);  // editing is not limited here
  EXPECT_EQ(free.Width(), 4096);
  // Outside a read an up-front check still holds the default budget.
  EXPECT_THROW(RequireReadBudget(DefaultReadBudget + 1), EVelmoraError);
}

TEST(ReadBudget, SizesReadAsPeopleWriteThem) {
  EXPECT_EQ(FormatMemorySize(512), "512 bytes");
  EXPECT_EQ(FormatMemorySize(12 * 1024), "12 KiB");
  EXPECT_EQ(FormatMemorySize(268 * MiB), "268 MiB");
  EXPECT_EQ(FormatMemorySize(DefaultReadBudget * 2 + DefaultReadBudget / 10), "2.1 GiB");
  EXPECT_EQ(FormatMemorySize(DefaultReadBudget + 300 * 1024), "1 GiB");
}

}  // namespace
