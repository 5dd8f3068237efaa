// A clock for tests: a fixed day and time that only moves when told to;
// Sleep advances it instead of waiting.
#pragma once

#include "core/sys/clock.h"

namespace orvo::test {

class TestClock : public Clock {
 public:
  explicit TestClock(DateTime now = {2016, 3, 15, 10, 20, 30}) : now_(now) {}
  DateTime Now() const override { return now_; }
  std::string ShortDateText() const override;
  void Sleep(int milliseconds) override { slept += milliseconds; }

  void Set(DateTime now) { now_ = now; }
  // When set, ShortDateText returns it instead of dd.mm.yyyy of Now().
  std::string shortDateOverride;
  long long slept = 0;

 private:
  DateTime now_;
};

}  // namespace orvo::test
