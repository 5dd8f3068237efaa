// Periods as four-character keys YYMM: the key of the period before and
// after a period. The balance file of a period is named after the period
// before it, so these keys name files; they compare as text.
#pragma once

#include <string>
#include <string_view>

namespace orvo {

// "16 03" or "1603" -> "1602"; month 00 is a year's opening state, so the
// period before "1601" is "1600" and before "1600" is "1512"; year 00 is
// preceded by 99.
std::string PrevPeriodKey(std::string_view period);
// Months run up to 20 before the next year starts: after "1612" comes
// "1613", after "1620" comes "1701"; year 99 is followed by 00.
std::string NextPeriodKey(std::string_view period);

// A number as at least two digits with leading zeros ("7" -> "07"; 100 stays
// "100").
std::string TwoDigits(int value);
// The two-digit year before a two-digit year, "00" -> "99".
std::string YearBefore(std::string_view year);

}  // namespace orvo
