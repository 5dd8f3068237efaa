#include "core/reports/general_ledger_window.h"

#include "core/accounting/progress_scope.h"
#include "core/accounting/uct_proc.h"
#include "core/reports/overview_browser.h"
#include "core/shell/code_lists.h"
#include "core/shell/file_names.h"
#include "core/shell/period.h"
#include "core/shell/table_viewer.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"

namespace orvo {

void TUctHlKn::FormShow() { LoadPeriod(run_); }

std::string TUctHlKn::OpeningFile() {
  LoadPeriod(run_);
  const std::string year = run_.CurrentPeriod.substr(0, 2);
  return CB2 ? BalanceFile(run_, year + "01") : BalanceFile(run_);
}

bool TUctHlKn::Proved() {
  computed_ = false;
  const int digits = CodeDigits(Edit1, 6);
  if (digits == 0) {
    InfoBox(run_.env, "Pocet mist uctu musi byt 1 az 6 !");
    return false;
  }
  TUctProc proc(run_, cds_);
  LedgerRequest rq;
  rq.opening = OpeningFile();
  if (!FileExistsOrSay(run_.env, rq.opening)) return false;
  rq.level = level;
  rq.breakdown = CB1;
  rq.digits = digits;
  rq.nameWidth = 50;
  rq.balanceDef = proc.DefFile("UctS.Def");
  rq.templateDef = proc.DefFile("HlKniha.Def");
  rq.outDef = std::string(kOverviewDef);
  rq.outFile = std::string(kLedgerFile);
  rq.primaryNames = CodeListFile(run_, "Ucty.Cds");
  if (CB1) rq.secondaryNames = CodeListFile(run_, "Cinn.Cds");
  rq.closing = {BalanceFile(run_), PostingFile(run_)};
  ComputingProgress progress(run_.env);
  computed_ = BuildLedger(run_, cds_, rq).ok;
  return computed_;
}

std::string TUctHlKn::Heading2() const { return "Hlavni kniha         Obdobi: " + run_.CurrentPeriod; }

bool TUctHlKn::Zobr() {
  if (!computed_) return false;
  ShowOverview(handOver_, kLedgerFile, kOverviewDef, OverviewHeading1(run_.env), Heading2(), showBrowser);
  return true;
}

bool TUctHlKn::Tab() {
  if (!computed_) return false;
  return ShowInTableViewer(run_, kLedgerFile, kOverviewDef, "Orvo", "Hlavni kniha");
}

}  // namespace orvo
