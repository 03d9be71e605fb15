#include "render/RowBands.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

// Runs bands over `rows` and answers how often each row was visited; checks that every band
// starts on a multiple of `unit`.
std::vector<int> Visits(int rows, int unit, bool parallel) {
  std::vector<std::atomic<int>> seen(static_cast<size_t>(rows));
  RunRowBands(rows, unit, parallel, [&](int first, int last) {
    EXPECT_EQ(first % unit, 0) << first;
    EXPECT_LT(first, last);
    for (int r = first; r < last; ++r) seen[size_t(r)].fetch_add(1);
  });
  std::vector<int> out;
  for (auto& s : seen) out.push_back(s.load());
  return out;
}

}  // namespace

TEST(RowBands, EveryRowRunsOnceInBandsThatStartOnTheUnit) {
  for (int rows : {1, 2, 7, 64, 1081})
    for (int unit : {1, 2, 16, 100})
      for (bool parallel : {false, true})
        EXPECT_EQ(Visits(rows, unit, parallel), std::vector<int>(size_t(rows), 1))
            << rows << " rows, unit " << unit << " parallel " << parallel;
}

TEST(RowBands, CallersOnTwoThreadsBothFinishWithTheirOwnRows) {
  // A second caller finds the helpers busy and works alone; neither may lose or share a band.
  std::atomic<bool> failed{false};
  auto caller = [&] {
    for (int round = 0; round < 300; ++round)
      if (Visits(257, 3, true) != std::vector<int>(257, 1)) failed = true;
  };
  std::thread other(caller);
  caller();
  other.join();
  EXPECT_FALSE(failed);
}

TEST(RowBands, WithoutParallelTheWholeRangeIsOneCallOnTheCallingThread) {
  int calls = 0;
  const auto me = std::this_thread::get_id();
  RunRowBands(1000, 4, false, [&](int first, int last) {
    ++calls;
    EXPECT_EQ(std::this_thread::get_id(), me);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(last, 1000);
  });
  EXPECT_EQ(calls, 1);
  EXPECT_GE(RowBandThreads(), 1);
}
