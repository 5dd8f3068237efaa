#include "core/reports/balance_development.h"

#include "core/accounting/progress_scope.h"
#include "core/accounting/uct_proc.h"
#include "core/reports/overview_browser.h"
#include "core/shell/code_lists.h"
#include "core/shell/file_names.h"
#include "core/shell/period.h"
#include "core/shell/period_keys.h"
#include "core/shell/table_viewer.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "core/sys/text.h"

namespace orvo {

TUctVyvoj::TUctVyvoj(DevelopmentKind kind, RunValues& run, TCdsProc& cds, ScrHandOver& handOver)
    : kind_(kind),
      run_(run),
      cds_(cds),
      handOver_(handOver),
      outFile_(kind == DevelopmentKind::Accounts ? kLedgerFile : kActivityDevelopmentFile) {
  Edit3 = kind == DevelopmentKind::Accounts ? "6" : "5";
}

std::string TUctVyvoj::Caption() const {
  return kind_ == DevelopmentKind::Accounts ? "  Vyvoj stavu uctu" : "  Vyvoj stavu cinnosti";
}

std::string TUctVyvoj::DigitsLabel() const {
  return kind_ == DevelopmentKind::Accounts ? "Pocet mist uctu:" : "Pocet mist cinnosti:";
}

std::string TUctVyvoj::BreakdownLabel() const {
  return kind_ == DevelopmentKind::Accounts ? "Cleneni podle cinnosti" : "Cleneni podle uctu";
}

int TUctVyvoj::MaxDigits() const { return kind_ == DevelopmentKind::Accounts ? 6 : 5; }

void TUctVyvoj::FormShow() {
  LoadPeriod(run_);
  Edit1 = RemoveBlanks(run_.CurrentPeriod);
  Edit2 = Edit1;
}

bool TUctVyvoj::ClosingOf(const std::string& end, ClosingSet* closing) {
  Env& env = run_.env;
  LoadPeriod(run_);
  const std::string current = RemoveBlanks(run_.CurrentPeriod);
  const std::string after = BalanceFile(run_, NextPeriodKey(end));
  if (FileExistsQuiet(env, after)) {
    *closing = {after, std::string()};
    return true;
  }
  if (end == current) {
    const std::string balances = BalanceFile(run_, end);
    if (!FileExistsOrSay(env, balances)) return false;
    *closing = {balances, PostingFile(run_, end)};
    return true;
  }
  // Any other end period needs its closed state: say that it is missing
  // rather than stop without a word.
  FileExistsOrSay(env, after);
  return false;
}

bool TUctVyvoj::Proved() {
  Env& env = run_.env;
  computed_ = false;
  const std::string from = OverviewPeriodKey(Edit1);
  const std::string to = OverviewPeriodKey(Edit2);
  if (from.empty() || to.empty()) {
    InfoBox(env, "Chybne zadane obdobie: " + (from.empty() ? Edit1 : Edit2));
    return false;
  }
  const int digits = CodeDigits(Edit3, MaxDigits());
  if (digits == 0) {
    InfoBox(env, std::string(kind_ == DevelopmentKind::Accounts ? "Pocet mist uctu" : "Pocet mist cinnosti") +
                     " musi byt 1 az " + std::to_string(MaxDigits()) + " !");
    return false;
  }
  TUctProc proc(run_, cds_);
  LedgerRequest rq;
  rq.opening = BalanceFile(run_, from);
  if (!FileExistsOrSay(env, rq.opening)) return false;
  if (!ClosingOf(to, &rq.closing)) return false;
  const bool accounts = kind_ == DevelopmentKind::Accounts;
  rq.level = level;
  rq.breakdown = CB1;
  rq.digits = digits;
  rq.activityPrimary = !accounts;
  rq.nameWidth = 30;
  rq.balanceDef = proc.DefFile(accounts ? "UctS.Def" : "UctSC.Def");
  rq.templateDef = proc.DefFile(accounts ? "UctCinn.Def" : "CinnUct.Def");
  rq.outDef = std::string(kOverviewDef);
  rq.outFile = outFile_;
  rq.primaryNames = CodeListFile(run_, accounts ? "Ucty.Cds" : "Cinn.Cds");
  if (CB1) rq.secondaryNames = CodeListFile(run_, accounts ? "Cinn.Cds" : "Ucty.Cds");
  ComputingProgress progress(env);
  computed_ = BuildLedger(run_, cds_, rq).ok;
  if (computed_) {
    shownFrom_ = Edit1;
    shownTo_ = Edit2;
  }
  return computed_;
}

std::string TUctVyvoj::Heading2() const {
  return std::string(kind_ == DevelopmentKind::Accounts ? "Vyvoj stavu uctu: " : "Vyvoj stavu cinnosti: ") +
         shownFrom_ + "-" + shownTo_;
}

bool TUctVyvoj::Zobr() {
  if (!computed_) return false;
  ShowOverview(handOver_, outFile_, kOverviewDef, OverviewHeading1(run_.env), Heading2(), showBrowser);
  return true;
}

bool TUctVyvoj::Tab() {
  if (!computed_) return false;
  return ShowInTableViewer(run_, outFile_, kOverviewDef, "Orvo", Heading2());
}

}  // namespace orvo
