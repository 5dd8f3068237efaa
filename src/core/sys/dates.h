// Today's date and the time as text, and parsing and checking of dates in
// the form dd.mm.yyyy.
#pragma once

#include <string>
#include <string_view>

#include "core/sys/env.h"

namespace orvo {

struct ParsedDate {
  int day = 0;
  int month = 0;
  int year = 3000;
};

// dd.mm.yyyy from the system's short date; a date that cannot be brought to
// that form is reported and ends the application.
std::string TodayText(Env& env);
std::string NowText(Env& env);
ParsedDate ParseDate(std::string_view text);
bool DateValid(Env& env, int year, int month, int day);
std::string DateText(int year, int month, int day);
std::string CompleteDate(Env& env, std::string_view text);
bool CheckDate(Env& env, std::string_view text);
bool CheckStartDate(Env& env);

}  // namespace orvo
