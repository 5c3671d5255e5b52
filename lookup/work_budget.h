// How much work one step may do before the program goes back to its
// messages: until a moment on the clock, or a number of units (tests, and
// callers that want everything done at once).
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>

namespace lookup {

class WorkBudget {
 public:
  using Clock = std::chrono::steady_clock;

  static WorkBudget Until(Clock::time_point deadline) {
    WorkBudget budget;
    budget.timed_ = true;
    budget.deadline_ = deadline;
    return budget;
  }
  static WorkBudget Units(uint64_t units) {
    WorkBudget budget;
    budget.units_ = units;
    return budget;
  }
  static WorkBudget Unlimited() { return Units(UINT64_MAX); }

  // Takes one unit of work; false once the budget is spent, for this call
  // and every later one.
  bool Take() {
    if (spent_) return false;
    if (timed_) {
      // The clock is read now and then: a unit is a row or a line, far cheaper than a look at it.
      if (untilClockRead_-- == 0) {
        untilClockRead_ = kUnitsBetweenClockReads;
        spent_ = Clock::now() >= deadline_;
      }
    } else {
      spent_ = units_ == 0;
      if (!spent_ && units_ != UINT64_MAX) --units_;
    }
    return !spent_;
  }

  // Whether some of the budget is left; reads the clock.
  bool Left() {
    if (!spent_ && timed_) spent_ = Clock::now() >= deadline_;
    return !spent_ && (timed_ || units_ != 0);
  }

 private:
  static constexpr int kUnitsBetweenClockReads = 15;

  bool timed_ = false;
  bool spent_ = false;
  uint64_t units_ = 0;
  Clock::time_point deadline_{};
  int untilClockRead_ = 0;
};

}  // namespace lookup
