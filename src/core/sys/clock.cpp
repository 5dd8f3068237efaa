#include "core/sys/clock.h"

#include <chrono>
#include <cstdlib>
#include <thread>

namespace orvo {

DateTime LocalDateTime(std::time_t t) {
  std::tm tm{};
  localtime_r(&t, &tm);
  return DateTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

std::time_t ToTimeT(const DateTime& dt) {
  std::tm tm{};
  tm.tm_year = dt.year - 1900;
  tm.tm_mon = dt.month - 1;
  tm.tm_mday = dt.day;
  tm.tm_hour = dt.hour;
  tm.tm_min = dt.minute;
  tm.tm_sec = dt.second;
  tm.tm_isdst = -1;
  return std::mktime(&tm);
}

DateTime SystemClock::Now() const { return LocalDateTime(std::time(nullptr)); }

std::string SystemClock::ShortDateText() const {
  const char* format = std::getenv("ORVO_DATE_FORMAT");
  if (format == nullptr || *format == '\0') format = "%d.%m.%Y";
  std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  char buffer[64];
  size_t n = std::strftime(buffer, sizeof buffer, format, &tm);
  return std::string(buffer, n);
}

void SystemClock::Sleep(int milliseconds) {
  if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace orvo
