#include "core/desk/clock_calendar.h"

#include <cstdio>

namespace orvo {

void THodiny::Tick(const DateTime& now) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", now.hour % 100, now.minute % 100, now.second % 100);
  label_ = text;
}

void TKalendar::Show(const DateTime& today) { Select(today.year, today.month, today.day); }

void TKalendar::Select(int year, int month, int day) {
  year_ = year;
  month_ = month;
  day_ = day;
}

std::string TKalendar::SelectedText() const {
  if (year_ == 0) return {};
  char text[16];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d", day_ % 100, month_ % 100, year_ % 10000);
  return text;
}

}  // namespace orvo
