#include "core/sys/dates.h"

#include "core/sys/messages.h"
#include "core/sys/numbers.h"
#include "core/sys/termination.h"
#include "core/sys/text.h"

namespace orvo {

namespace {

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int MonthLength(int year, int month) {
  constexpr int kLengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  if (month == 2 && IsLeapYear(year)) return 29;
  return kLengths[month - 1];
}

int PartValue(std::string_view part) { return static_cast<int>(TextToInt(part)); }

int CenturyYear(int year) {
  if (year >= 51 && year <= 99) return year + 1900;
  if (year >= 0 && year <= 50) return year + 2000;
  return year;
}

// Brings the platform's short date to dd.mm.yyyy: a one-digit day or month
// gets its zero, anything before the day (a weekday name) is dropped.
std::string NormaliseShortDate(std::string text) {
  text = text.substr(0, 20);
  size_t dot = text.find('.');
  if (dot == std::string::npos) return text;
  if (dot <= 1) {
    text.insert(text.begin(), '0');
  } else {
    text.erase(0, dot - 2);
  }
  dot = text.find('.');
  if (dot + 2 < text.size() && text[dot + 2] == '.') text.insert(dot + 1, "0");
  text = text.substr(0, 10);
  if (!text.empty() && text[0] == ' ') text[0] = '0';
  return text;
}

bool IsTodayForm(const std::string& t) {
  if (t.size() != 10 || t[2] != '.' || t[5] != '.') return false;
  std::string_view v(t);
  std::string_view day = v.substr(0, 2), month = v.substr(3, 2), year = v.substr(6, 4);
  if (!IsDigits(day) || !IsDigits(month) || !IsDigits(year)) return false;
  return PartValue(day) <= 31 && PartValue(month) <= 12 && PartValue(year) >= 1950;
}

}  // namespace

std::string TodayText(Env& env) {
  std::string text = NormaliseShortDate(env.clock.ShortDateText());
  if (!IsTodayForm(text)) {
    ErrorBox(env, "Datum:  " + text + "\r\r" + "Operacni system ma nastaven spatny format Datumu !" +
                      "\r\r" + "Program bude ukoncen.");
    throw Termination("system date format: " + text);
  }
  return text;
}

std::string NowText(Env& env) {
  DateTime now = env.clock.Now();
  return BlanksToZeros(IntText(now.hour, 2) + ":" + IntText(now.minute, 2) + ":" +
                       IntText(now.second, 2));
}

ParsedDate ParseDate(std::string_view text) {
  ParsedDate date;
  if (AllBlanks(text)) return date;
  std::string clean = RemoveBlanks(text);
  for (char& c : clean) {
    if (c == ',') c = '.';
  }
  std::string_view rest(clean);
  // Without a "." the whole text is the day.
  size_t first = rest.find('.');
  std::string_view day = rest.substr(0, first);
  if (day.size() <= 2) date.day = PartValue(day);
  if (first == std::string_view::npos) return date;
  rest.remove_prefix(first + 1);

  size_t second = rest.find('.');
  std::string_view month = rest.substr(0, second);
  if (month.size() <= 2) date.month = PartValue(month);
  if (second == std::string_view::npos) return date;
  rest.remove_prefix(second + 1);

  std::string_view year = rest.substr(0, 4);
  if (!year.empty()) date.year = CenturyYear(PartValue(year));
  return date;
}

bool DateValid(Env& env, int year, int month, int day) {
  // Only the upper bounds matter to the callers (day 0 and month 0 stand for
  // "not given"); a negative part is no date at all.
  bool valid = year >= 1900 && year <= 2050 && month >= 0 && month <= 12 && day >= 0 &&
               day <= MonthLength(year, month);
  if (!valid) ErrorBox(env, DateText(year, month, day) + "\r\r" + "Chybne uvedene Datum !");
  return valid;
}

std::string DateText(int year, int month, int day) {
  return IntTextPadded(day, 2) + "." + IntTextPadded(month, 2) + "." + IntTextPadded(year, 4);
}

std::string CompleteDate(Env& env, std::string_view text) {
  if (AllBlanks(text)) return Blanks(10);
  ParsedDate date = ParseDate(text);
  DateTime now = env.clock.Now();
  if (date.year == 3000) date.year = now.year;
  if (date.day == 0) date.day = now.day;
  if (date.month == 0) date.month = now.month;
  date.year = CenturyYear(date.year);
  if (!DateValid(env, date.year, date.month, date.day)) return Blanks(10);
  return DateText(date.year, date.month, date.day);
}

bool CheckDate(Env& env, std::string_view text) {
  if (text.size() != 10 || text[2] != '.' || text[5] != '.') return false;
  return DateValid(env, PartValue(text.substr(6, 4)), PartValue(text.substr(3, 2)),
                   PartValue(text.substr(0, 2)));
}

bool CheckStartDate(Env& env) { return CheckDate(env, TodayText(env)); }

}  // namespace orvo
