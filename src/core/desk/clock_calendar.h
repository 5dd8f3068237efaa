// THodiny and TKalendar, the desk's clock and month calendar: the clock's
// label is the time of the last tick, the calendar opens on today and keeps
// the date chosen last as text.
#pragma once

#include <string>

#include "core/sys/clock.h"

namespace orvo {

class THodiny {
 public:
  // The label before the first tick.
  static constexpr const char* kBeforeFirstTick = "00:00:00 ";
  void Tick(const DateTime& now);
  const std::string& Label() const { return label_; }

 private:
  std::string label_ = kBeforeFirstTick;
};

class TKalendar {
 public:
  // Showing: today's month with today selected.
  void Show(const DateTime& today);
  void Select(int year, int month, int day);
  int Year() const { return year_; }
  int Month() const { return month_; }
  int Day() const { return day_; }
  // The selected date as "dd.mm.yyyy"; empty before the calendar was shown.
  std::string SelectedText() const;

 private:
  int year_ = 0;
  int month_ = 0;
  int day_ = 0;
};

}  // namespace orvo
