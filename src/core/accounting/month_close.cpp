#include "core/accounting/month_close.h"

#include "core/accounting/progress_scope.h"
#include "core/shell/file_names.h"
#include "core/shell/init_file.h"
#include "core/shell/period.h"
#include "core/shell/period_keys.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "core/sys/numbers.h"

namespace orvo {

namespace {

constexpr int kHighestMonth = 15;

std::string WithoutBlanks(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c != ' ') out += c;
  }
  return out;
}

}  // namespace

bool MayClose(const RunValues& run) { return run.UserRole == "Admin" || run.UserRole == "Sprav"; }

std::string ProposedNextPeriod(std::string_view key) {
  std::string next = NextPeriodKey(key);
  if (next.size() == 4 && NumberOf(next.substr(2, 2)) > kHighestMonth) {
    const int year = NumberOf(next.substr(0, 2));
    next = TwoDigits(year == 99 ? 0 : year + 1) + "01";
  }
  return next;
}

bool ClosePeriodValid(std::string_view key) {
  if (key.size() != 4) return false;
  for (char c : key) {
    if (c < '0' || c > '9') return false;
  }
  const int month = NumberOf(key.substr(2, 2));
  return month >= 1 && month <= kHighestMonth;
}

bool ConfirmMonthClose(RunValues& run) {
  LoadPeriod(run);
  return AskYesNo(run.env, "Skutecne chceme uzavrit mesic ?", "Aktualni obdobi:  " + run.CurrentPeriod);
}

void TUctMesU::FormShow() {
  ReadInitFile(run_);
  LoadPeriod(run_);
  Edit1 = WithoutBlanks(run_.CurrentPeriod);
  Edit2 = ProposedNextPeriod(Edit1);
}

std::string TUctMesU::TargetFile() const { return BalanceFile(run_, Edit2); }

bool TUctMesU::Proved() {
  Env& env = run_.env;
  Edit2 = WithoutBlanks(Edit2);
  if (!ClosePeriodValid(Edit2)) {
    ErrorBox(env, "Chybne zadane obdobi !", "Obdobi: " + Edit2);
    return false;
  }
  // A target at or before the closed period would overwrite an earlier
  // balance file with later totals. Periods compare as text; only the step
  // from year 99 to year 00 goes forward against it.
  const bool forward = Edit2 > Edit1 || (Edit1.substr(0, 2) == "99" && Edit2.substr(0, 2) == "00");
  if (!forward &&
      !AskYesNo(env,
                "Budouci obdobi " + Edit2 + " neni po soucasnem obdobi " + Edit1 +
                    " !\r\rSoubor stavu:  " + TargetFile() + "\r\rbude prepsan. Pokracovat ?",
                "Mesicni uzaverka")) {
    return false;
  }
  // Postings of periods between the two would not reach any balance file.
  if (forward) {
    std::string skipped;
    std::string key = NextPeriodKey(Edit1);
    for (int guard = 0; guard < 2100 && key != Edit2; ++guard) {
      const std::string file = PostingFile(run_, key);
      if (FileExistsQuiet(env, file)) skipped += "\r" + file;
      key = NextPeriodKey(key);
    }
    if (!skipped.empty() &&
        !AskYesNo(env,
                  "Obraty techto obdobi nebudou do stavu zahrnuty:" + skipped +
                      "\r\rPokracovat v uzaverce ?",
                  "Mesicni uzaverka")) {
      return false;
    }
  }
  {
    ComputingProgress progress(env);
    if (!proc_.StNove(BalanceFile(run_, Edit1), PostingFile(run_, Edit1), TargetFile())) return false;
    run_.CurrentPeriod = Edit2.substr(0, 2) + " " + Edit2.substr(2, 2);
    if (!SavePeriod(run_)) return false;
  }
  if (periodChanged) periodChanged(run_.CurrentPeriod);
  FormShow();
  return true;
}

bool RocUzav(RunValues& run, TCdsProc& cds) {
  if (!MayClose(run)) return false;
  LoadPeriod(run);
  if (run.PeriodMonth != "01") return false;
  if (!AskYesNo(run.env, "Skutecne chceme operaci prevest ?", "Aktualni obdobi:  " + run.CurrentPeriod)) {
    return false;
  }
  ComputingProgress progress(run.env);
  TUctProc proc(run, cds);
  return proc.RocniUzav();
}

}  // namespace orvo
