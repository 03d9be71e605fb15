#pragma once
// Splitting a large render into bands of rows that run side by side: the calling thread takes
// bands itself while a few long-lived helper threads take the others. A render of a full-screen
// view is bound by memory traffic, which one core cannot saturate, so two cores finish it in
// little more than half the time.

#include <functional>

// Calls work(first, last) for consecutive row ranges covering [0, rows), each range starting on a
// multiple of `unit` (a band never splits a group of rows that depend on each other), and returns
// when all have run. Bands may run on other threads, so `work` must only write rows of its own
// band, and must not throw. With `parallel` false, or when no helper is free, everything runs on
// the calling thread as one band.
void RunRowBands(int rows, int unit, bool parallel, const std::function<void(int, int)>& work);

// How many threads a parallel run may use, the calling one included (1 on a single core).
int RowBandThreads();
