#include "core/shell/period_keys.h"

#include "core/sys/numbers.h"

namespace orvo {

namespace {

struct YearMonth {
  int year;
  int month;
};

YearMonth SplitKey(std::string_view period) {
  std::string key(period);
  if (key.size() == 5) key.erase(2, 1);
  std::string_view k(key);
  return {NumberOf(k.substr(0, 2)), NumberOf(k.size() > 2 ? k.substr(2, 2) : std::string_view())};
}

}  // namespace

std::string TwoDigits(int value) {
  std::string s = std::to_string(value < 0 ? -value : value);
  if (s.size() < 2) s.insert(0, 2 - s.size(), '0');
  return value < 0 ? "-" + s : s;
}

std::string YearBefore(std::string_view year) {
  int y = NumberOf(year);
  return TwoDigits(y == 0 ? 99 : y - 1);
}

std::string PrevPeriodKey(std::string_view period) {
  YearMonth p = SplitKey(period);
  if (p.month - 1 >= 0) return TwoDigits(p.year) + TwoDigits(p.month - 1);
  return TwoDigits(p.year == 0 ? 99 : p.year - 1) + "12";
}

std::string NextPeriodKey(std::string_view period) {
  YearMonth p = SplitKey(period);
  if (p.month + 1 <= 20) return TwoDigits(p.year) + TwoDigits(p.month + 1);
  return TwoDigits(p.year == 99 ? 0 : p.year + 1) + "01";
}

}  // namespace orvo
