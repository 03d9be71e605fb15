#include "model/ReadBudget.h"

#include <atomic>
#include <cstdio>
#include <algorithm>
#include <utility>

#include "model/Errors.h"

namespace {

thread_local TReadBudget* activeBudget = nullptr;
std::atomic<uint64_t> lastSerial{0};

[[noreturn]] void Refuse(int64_t needed, int64_t limit) {
  const std::string neededText = FormatMemorySize(needed), limitText = FormatMemorySize(limit);
  if (neededText == limitText)
    throw EVelmoraError("The file needs more than the " + limitText +
                        " of memory a document may take.");
  throw EVelmoraError("The file needs at least " + neededText + " of memory to open, more than the " +
                      limitText + " a document may take.");
}

}  // namespace

TReadBudget::TReadBudget(int64_t limit)
    : previous_(activeBudget), owner_(activeBudget == nullptr), serial_(0), limit_(limit) {
  if (!owner_) return;
  serial_ = ++lastSerial;
  activeBudget = this;
}

TReadBudget::~TReadBudget() {
  if (owner_) activeBudget = previous_;
}

int64_t TReadBudget::Limit() const { return owner_ ? limit_ : previous_->Limit(); }
int64_t TReadBudget::Used() const { return owner_ ? used_ : previous_->Used(); }
int64_t TReadBudget::Peak() const { return owner_ ? peak_ : previous_->Peak(); }

TReadBudget* TReadBudget::Active() { return activeBudget; }

void TReadBudget::Take(int64_t bytes) {
  if (bytes > limit_ - used_) Refuse(used_ + bytes, limit_);
  used_ += bytes;
  if (used_ > peak_) peak_ = used_;
}

void TReadBudget::Give(int64_t bytes) { used_ -= std::min(bytes, used_); }

void RequireReadBudget(int64_t bytes) {
  const TReadBudget* budget = TReadBudget::Active();
  const int64_t used = budget ? budget->Used() : 0;
  const int64_t limit = budget ? budget->Limit() : DefaultReadBudget;
  if (bytes < 0 || bytes > limit - used) Refuse(used + std::max<int64_t>(bytes, 0), limit);
}

void ChargeReadBudget(int64_t bytes) {
  if (activeBudget && bytes > 0) activeBudget->Take(bytes);
}

std::string FormatMemorySize(int64_t bytes) {
  char text[32];
  constexpr double KiB = 1024.0, MiB = KiB * 1024, GiB = MiB * 1024;
  if (bytes >= GiB) {
    std::snprintf(text, sizeof text, "%.2f", double(bytes) / GiB);
    std::string number = text;  // "1.50" reads as "1.5", "1.00" as "1"
    while (number.back() == '0') number.pop_back();
    if (number.back() == '.') number.pop_back();
    return number + " GiB";
  }
  if (bytes >= MiB)
    std::snprintf(text, sizeof text, "%.0f MiB", double(bytes) / MiB);
  else if (bytes >= KiB)
    std::snprintf(text, sizeof text, "%.0f KiB", double(bytes) / KiB);
  else
    std::snprintf(text, sizeof text, "%lld bytes", static_cast<long long>(bytes));
  return text;
}

// ---- TBudgetTicket ----

TBudgetTicket::TBudgetTicket(int64_t bytes) : bytes_(bytes) {
  if (!activeBudget || bytes <= 0) return;
  activeBudget->Take(bytes);
  serial_ = activeBudget->serial_;
}

TBudgetTicket::TBudgetTicket(TBudgetTicket&& other) noexcept
    : serial_(std::exchange(other.serial_, 0)), bytes_(std::exchange(other.bytes_, 0)) {}

TBudgetTicket& TBudgetTicket::operator=(const TBudgetTicket& other) {
  if (this != &other) *this = TBudgetTicket(other.bytes_);
  return *this;
}

TBudgetTicket& TBudgetTicket::operator=(TBudgetTicket&& other) noexcept {
  if (this == &other) return *this;
  Return();
  serial_ = std::exchange(other.serial_, 0);
  bytes_ = std::exchange(other.bytes_, 0);
  return *this;
}

void TBudgetTicket::Add(int64_t bytes) {
  if (bytes <= 0) return;
  if (activeBudget) {
    // What the ticket held before this budget began is counted now as well.
    const bool counted = serial_ == activeBudget->serial_;
    activeBudget->Take(counted ? bytes : bytes_ + bytes);
    serial_ = activeBudget->serial_;
  }
  bytes_ += bytes;
}

void TBudgetTicket::Return() noexcept {
  if (serial_ != 0 && activeBudget && activeBudget->serial_ == serial_) activeBudget->Give(bytes_);
  serial_ = 0;
}
