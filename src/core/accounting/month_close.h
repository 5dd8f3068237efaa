// The closes of the menu "Uzaverka": the month-end close (UzavMes with its
// window model TUctMesU), which computes the next period's balance file from
// the balances and postings of the current period and makes that period
// current, and the year adjustment of the opening balances (RocUzav). Both
// are for the roles "Admin" and "Sprav" only.
#pragma once

#include <functional>
#include <string>

#include "core/accounting/uct_proc.h"

namespace orvo {

inline constexpr std::string_view kMonthCloseCaption = "  Mesicni uzaverka";

// The roles that may close.
bool MayClose(const RunValues& run);

// The proposal for the period after `key` (YYMM): the next month, and after
// month 15 (the highest month of this application) month 01 of the next
// year.
std::string ProposedNextPeriod(std::string_view key);
// A target period typed as YYMM: four digits, any year, month 01 to 15.
bool ClosePeriodValid(std::string_view key);

// UzavMes before the window: the period reloaded and "Skutecne chceme
// uzavrit mesic ?" asked. True on Yes.
bool ConfirmMonthClose(RunValues& run);

// The model of the window "  Mesicni uzaverka".
class TUctMesU {
 public:
  TUctMesU(RunValues& run, TCdsProc& cds) : run_(run), proc_(run, cds) {}

  std::string Edit1;  // "Soucasne obdobi:" the period being closed
  std::string Edit2;  // "Budouci obdobi:" the period to open
  // Told the new period ("YY MM") after a close, for the main window's label.
  std::function<void(const std::string&)> periodChanged;

  // Reloads the period: Edit1 its key, Edit2 the proposal.
  void FormShow();
  // "  Proved": Edit2 cleaned of blanks and checked; the balance file of the
  // Edit2 period computed from the balances and postings of the Edit1 period
  // (after the questions for a target at or before the current period and
  // for posting files that the close would pass over); the Edit2 period made
  // current and saved. True when the books moved; Edit1 and Edit2 then show
  // the next close.
  bool Proved();

  // The balance file the close of Edit1 into Edit2 writes.
  std::string TargetFile() const;

 private:
  RunValues& run_;
  TUctProc proc_;
};

// RocUzav: only in month 01, after "Skutecne chceme operaci prevest ?",
// the year adjustment of the current balance file under the progress
// window. True when it ran.
bool RocUzav(RunValues& run, TCdsProc& cds);

}  // namespace orvo
