// How the command-line tool asks for memory.
//
// A conversion allocates planes of the picture's size again and again (a screen per frame, the
// frame's indices, its coded bytes), and on a virtual machine the page faults of memory touched
// for the first time cost more than the work done in it. The tool is a short batch process, so
// it keeps what it frees for the next plane instead of giving it back, and asks the kernel to back
// its heap with huge pages, which take one fault for two megabytes.

#include "CliCommon.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

void TuneMemoryForBatchWork() {
  constexpr uintptr_t kHugePage = uintptr_t(2) << 20;
  mallopt(M_MMAP_THRESHOLD, 32 << 20);  // the largest the allocator takes
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  mallopt(M_TOP_PAD, 256 << 20);
  // The heap grows by the pad at its next extension; a block larger than what is left in it now
  // forces that extension, and the grown part is then advised before anything touches it.
  const auto before = reinterpret_cast<uintptr_t>(sbrk(0));
  void* volatile probe = std::malloc(4 << 20);  // volatile: the pair must not be left out
  std::free(probe);
  const auto after = reinterpret_cast<uintptr_t>(sbrk(0));
  const uintptr_t first = (before + kHugePage - 1) & ~(kHugePage - 1);
  const uintptr_t last = after & ~(kHugePage - 1);
  if (last > first) madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}
