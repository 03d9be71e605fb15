#include "render/RowBands.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#if defined(__linux__)
#include <sched.h>
#endif

namespace {

// Cores this process may run on: those of its affinity mask where the system tells, since a
// process confined to fewer cores than the machine has gains nothing from more threads.
unsigned UsableCores() {
#if defined(__linux__)
  cpu_set_t set;
  if (sched_getaffinity(0, sizeof(set), &set) == 0) return unsigned(std::max(CPU_COUNT(&set), 1));
#endif
  return std::max(1u, std::thread::hardware_concurrency());
}

// One run: its own counters, so that a helper still finishing an earlier run can never take a
// band of a later one.
struct TBandJob {
  const std::function<void(int, int)>* Work = nullptr;
  int Rows = 0;
  int BandRows = 0;
  int Bands = 0;
  std::atomic<int> Next{0};
  std::atomic<int> Done{0};
  std::mutex Mutex;
  std::condition_variable Finished;

  // Takes and runs bands until none is left.
  void RunBands() {
    for (int b = Next.fetch_add(1); b < Bands; b = Next.fetch_add(1)) {
      const int first = b * BandRows;
      (*Work)(first, std::min(first + BandRows, Rows));
      if (Done.fetch_add(1) + 1 == Bands) {
        std::lock_guard lock(Mutex);
        Finished.notify_all();
      }
    }
  }
};

// Helper threads that sleep until a run is posted; they wait on a condition variable rather than
// spinning, so an idle editor costs nothing and a busy machine is not fought for.
class TBandPool {
 public:
  TBandPool() {
    const unsigned cores = UsableCores();
    const int helpers = int(std::min(cores, 4u)) - 1;
    // A system out of threads leaves fewer helpers, or none: the renders then run on the caller.
    try {
      for (int i = 0; i < helpers; ++i) threads_.emplace_back([this] { Serve(); });
    } catch (const std::system_error&) {
    }
  }

  ~TBandPool() {
    {
      std::lock_guard lock(mutex_);
      quit_ = true;
    }
    posted_.notify_all();
    for (std::thread& t : threads_) t.join();
  }

  int Threads() const { return int(threads_.size()) + 1; }

  // Posts the job to the helpers and works on it too; false when another run holds the pool.
  bool Run(const std::shared_ptr<TBandJob>& job) {
    std::unique_lock busy(running_, std::try_to_lock);
    if (!busy.owns_lock() || threads_.empty()) return false;
    {
      std::lock_guard lock(mutex_);
      job_ = job;
      ++generation_;
    }
    posted_.notify_all();
    job->RunBands();
    std::unique_lock lock(job->Mutex);
    job->Finished.wait(lock, [&] { return job->Done.load() == job->Bands; });
    return true;
  }

 private:
  void Serve() {
    unsigned seen = 0;
    for (;;) {
      std::shared_ptr<TBandJob> job;
      {
        std::unique_lock lock(mutex_);
        posted_.wait(lock, [&] { return quit_ || generation_ != seen; });
        if (quit_) return;
        seen = generation_;
        job = job_;
      }
      job->RunBands();
    }
  }

  std::vector<std::thread> threads_;
  std::mutex running_;  // one run at a time
  std::mutex mutex_;
  std::condition_variable posted_;
  std::shared_ptr<TBandJob> job_;
  unsigned generation_ = 0;
  bool quit_ = false;
};

TBandPool& Pool() {
  static TBandPool pool;
  return pool;
}

}  // namespace

int RowBandThreads() {
  return Pool().Threads();
}

void RunRowBands(int rows, int unit, bool parallel, const std::function<void(int, int)>& work) {
  if (rows <= 0) return;
  unit = std::max(unit, 1);
  const int threads = parallel ? RowBandThreads() : 1;
  // A few bands per thread, so that a thread the system delays leaves its share to the others.
  const int units = (rows + unit - 1) / unit;
  const int bands = std::min(units, threads * 4);
  if (threads < 2 || bands < 2) {
    work(0, rows);
    return;
  }
  auto job = std::make_shared<TBandJob>();
  job->Work = &work;
  job->Rows = rows;
  job->BandRows = (units + bands - 1) / bands * unit;
  job->Bands = (rows + job->BandRows - 1) / job->BandRows;
  if (!Pool().Run(job)) work(0, rows);
}
