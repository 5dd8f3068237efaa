#include "core/shell/period_dialog.h"

#include "core/shell/period.h"
#include "core/shell/period_keys.h"
#include "core/sys/messages.h"
#include "core/sys/numbers.h"
#include "core/sys/text.h"

namespace orvo {

namespace {

bool FieldValid(std::string_view text, int highestMonth) {
  if (text.size() != 4 || !IsDigits(text)) return false;
  return (text[2] - '0') * 10 + (text[3] - '0') <= highestMonth;
}

}  // namespace

void PeriodDialogModel::Show() {
  LoadPeriod(session_);
  field_ = session_.PeriodYear + session_.PeriodMonth;
}

std::string PeriodDialogModel::PathLine() const {
  std::string path = PeriodFileName(session_);
  return path.size() > 47 ? path.substr(path.size() - 47) : path;
}

bool PeriodDialogModel::LeaveField() {
  if (FieldValid(field_, 20)) return true;
  ErrorBox(session_.env, "Chybne zadane obdobie !", "Obdobie: " + field_);
  return false;
}

bool PeriodDialogModel::EnterInField() {
  if (!LeaveField()) return false;
  Close();
  return true;
}

bool PeriodDialogModel::Confirm() { return EnterInField(); }

void PeriodDialogModel::Step(int delta) {
  // The year is what stands before the blank, so that a year that has
  // grown to three digits keeps growing instead of being cut.
  const std::string& p = session_.CurrentPeriod;
  size_t blank = p.find(' ');
  std::string yearText = blank == std::string::npos ? p.substr(0, 2) : p.substr(0, blank);
  std::string monthText =
      blank == std::string::npos ? (p.size() > 2 ? p.substr(2) : std::string()) : p.substr(blank + 1);
  int year = NumberOf(yearText);
  int month = NumberOf(monthText) + delta;
  int lowest = session_.period.monthZeroAllowed ? 0 : 1;
  int highest = session_.period.highestMonth;
  if (month < lowest) {
    month = highest;
    year = year == 0 ? 99 : year - 1;
  } else if (month > highest) {
    month = lowest;
    year += 1;
  }
  field_ = TwoDigits(year) + TwoDigits(month);
  session_.CurrentPeriod = TwoDigits(year) + " " + TwoDigits(month);
  SetPeriodParts(session_);
}

void PeriodDialogModel::Previous() { Step(-1); }

void PeriodDialogModel::Next() { Step(+1); }

bool PeriodDialogModel::Close() {
  std::string period = field_;
  if (period.size() >= 2) period.insert(2, " ");
  session_.CurrentPeriod = period;
  SetPeriodParts(session_);
  return SavePeriod(session_);
}

}  // namespace orvo
