#include "support/test_clock.h"

#include <cstdio>

namespace orvo::test {

std::string TestClock::ShortDateText() const {
  if (!shortDateOverride.empty()) return shortDateOverride;
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%02d.%02d.%04d", now_.day, now_.month, now_.year);
  return buffer;
}

}  // namespace orvo::test
