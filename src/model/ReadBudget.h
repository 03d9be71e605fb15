#pragma once
// One memory budget for a document while it is read.
//
// A small file can ask for far more memory than it holds: a huge screen, thousands of frames,
// one picture used by hundreds of icon entries. While a TReadBudget is alive on a thread, every
// surface made on that thread and the bigger buffers of the readers are counted against it,
// copies included, and released again when they go; asking for more than the budget allows
// raises EVelmoraError naming the sizes, before the memory is taken. Readers also check their
// own estimate up front with RequireReadBudget, so a file that cannot fit fails at once.
//
// Outside a read nothing is counted: editing is not limited here.

#include <cstdint>
#include <string>

// About 1 GiB for everything one document holds while it is read.
inline constexpr int64_t DefaultReadBudget = int64_t(1) << 30;

class TReadBudget {
 public:
  // Becomes the thread's budget until it is destroyed. Made while another budget is active, it
  // joins that one: the outer budget keeps counting (so callers can set a smaller limit around
  // code that opens its own).
  explicit TReadBudget(int64_t limit = DefaultReadBudget);
  ~TReadBudget();
  TReadBudget(const TReadBudget&) = delete;
  TReadBudget& operator=(const TReadBudget&) = delete;

  int64_t Limit() const;
  int64_t Used() const;
  int64_t Peak() const;

  // The budget of this thread, or null outside a read.
  static TReadBudget* Active();

 private:
  friend class TBudgetTicket;
  friend void ChargeReadBudget(int64_t);
  void Take(int64_t bytes);
  void Give(int64_t bytes);

  TReadBudget* previous_;
  bool owner_;  // false when joined to an outer budget
  uint64_t serial_;
  int64_t limit_;
  int64_t used_ = 0;
  int64_t peak_ = 0;
};

// Throws EVelmoraError when `bytes` more would not fit the active budget (or, outside a read,
// the default budget). Charges nothing: the allocations themselves do that.
void RequireReadBudget(int64_t bytes);
// Counts `bytes` against the active budget for the rest of the read (nothing outside a read).
void ChargeReadBudget(int64_t bytes);
// "1.03 GiB", "1 GiB", "268 MiB", "12 KiB": memory sizes for messages.
std::string FormatMemorySize(int64_t bytes);

// The memory one buffer holds, counted against the budget that was active when it was taken.
// Copies count again, moves carry the count along, and destroying gives it back to that budget
// if it is still the active one. Surfaces keep one beside their pixels.
class TBudgetTicket {
 public:
  TBudgetTicket() = default;
  explicit TBudgetTicket(int64_t bytes);
  TBudgetTicket(const TBudgetTicket& other) : TBudgetTicket(other.bytes_) {}
  TBudgetTicket(TBudgetTicket&& other) noexcept;
  TBudgetTicket& operator=(const TBudgetTicket& other);
  TBudgetTicket& operator=(TBudgetTicket&& other) noexcept;
  ~TBudgetTicket() { Return(); }

  int64_t Bytes() const { return bytes_; }
  // Counts `bytes` more, for a buffer that grows (or several that live and go together).
  void Add(int64_t bytes);
  // Tickets never make two buffers differ.
  friend bool operator==(const TBudgetTicket&, const TBudgetTicket&) { return true; }

 private:
  void Return() noexcept;

  uint64_t serial_ = 0;  // the budget charged, 0 for none
  int64_t bytes_ = 0;
};
