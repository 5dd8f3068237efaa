#include "core/reports/journal.h"

#include "core/accounting/progress_scope.h"
#include "core/accounting/uct_proc.h"
#include "core/reports/overview_browser.h"
#include "core/shell/file_names.h"
#include "core/shell/period.h"

namespace orvo {

std::string JournalHeading2(const RunValues& run) { return "Ucetni denik         Obdobi: " + run.CurrentPeriod; }

bool ComputeJournal(RunValues& run, TCdsProc& cds) {
  TUctProc proc(run, cds);
  const std::string postings = PostingFile(run);
  ComputingProgress progress(run.env);
  return proc.SortCds2(postings, proc.DefFile("UctO.Def"), kJournalFile, 6);
}

bool PrehUctDenik(RunValues& run, TCdsProc& cds, ScrHandOver& handOver, const std::function<void()>& showBrowser) {
  // A missing posting file is reported by the sort; the browser is not
  // opened on whatever an earlier overview left in the work file.
  if (!ComputeJournal(run, cds)) return false;
  TUctProc proc(run, cds);
  ShowOverview(handOver, kJournalFile, proc.DefFile("UctO.Def"), OverviewHeading1(run.env), JournalHeading2(run),
               showBrowser);
  return true;
}

}  // namespace orvo
