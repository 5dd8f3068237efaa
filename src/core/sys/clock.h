// Wall-clock time, the system's short date format and waiting, behind one
// interface so that tests can fix the day and skip the waits.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

namespace orvo {

struct DateTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual DateTime Now() const = 0;
  // Today as the operating system's short date format writes it.
  virtual std::string ShortDateText() const = 0;
  virtual void Sleep(int milliseconds) = 0;
};

// The real clock: local time, short date "dd.mm.yyyy" unless ORVO_DATE_FORMAT
// gives another strftime format.
class SystemClock final : public Clock {
 public:
  DateTime Now() const override;
  std::string ShortDateText() const override;
  void Sleep(int milliseconds) override;
};

DateTime LocalDateTime(std::time_t t);
std::time_t ToTimeT(const DateTime& dt);

}  // namespace orvo
