#include "core/accounting/tables.h"

#include "core/accounting/progress_scope.h"
#include "core/shell/file_names.h"
#include "core/shell/period.h"
#include "core/shell/table_viewer.h"
#include "core/sys/files.h"

namespace orvo {

TableView ComputeTable(RunValues& run, TCdsProc& cds, BooksTable which, std::string_view from,
                       std::string_view to) {
  TUctProc proc(run, cds);
  TableView view;
  const std::string work(kTablesWorkFile);
  switch (which) {
    case BooksTable::Stavy:
      view.file = BalanceFile(run);
      view.def = proc.DefFile("UctS.Def");
      view.heading = "Prehled stavu";
      view.ok = FileExistsQuiet(run.env, view.file);
      return view;
    case BooksTable::Obraty:
      view.file = PostingFile(run);
      view.def = proc.DefFile("UctO.Def");
      view.heading = "Prehled obratu";
      view.ok = FileExistsQuiet(run.env, view.file);
      return view;
    case BooksTable::ObratyOdDo: {
      view.file = work;
      view.def = proc.DefFile("UctO.Def");
      view.heading = "Prehled obratu za obdobi " + std::string(from) + "-" + std::string(to);
      ComputingProgress progress(run.env);
      view.ok = proc.ObOdDo(from, to, work);
      return view;
    }
    case BooksTable::StavyObraty: {
      const std::string bal = BalanceFile(run);
      const std::string post = PostingFile(run);
      view.file = work;
      view.def = proc.DefFile("UctO.Def");
      view.heading = "Prehled stavu a obratu za obdobi " + run.CurrentPeriod;
      ComputingProgress progress(run.env);
      view.ok = proc.StObSpoj(bal, post, work);
      return view;
    }
    case BooksTable::AktStavy: {
      const std::string bal = BalanceFile(run);
      const std::string post = PostingFile(run);
      view.file = work;
      view.def = proc.DefFile("UctSS.Def");
      view.heading = "Prehled aktualnich stavu v obdobi " + run.CurrentPeriod;
      ComputingProgress progress(run.env);
      view.ok = proc.StSNove(bal, post, work);
      return view;
    }
  }
  return view;
}

void ShowTable(RunValues& run, TCdsProc& cds, BooksTable which, std::string_view from, std::string_view to) {
  TableView view = ComputeTable(run, cds, which, from, to);
  const bool stored = which == BooksTable::Stavy || which == BooksTable::Obraty;
  // A stored file that is missing is reported by the copy to the viewer.
  if (!view.ok && !stored) return;
  ShowInTableViewer(run, view.file, view.def, "Orvo", view.heading);
}

bool DataStavy(RunValues& run, TCdsProc& cds, ScrHandOver& handOver,
               const std::function<void()>& showBrowser) {
  TUctProc proc(run, cds);
  const std::string bal = BalanceFile(run);
  const std::string def = proc.DefFile("UctS.Def");
  if (!FileExistsOrSay(run.env, bal)) proc.MakeCdsFile(bal, def);
  const std::string work(kTablesWorkFile);
  {
    ComputingProgress progress(run.env);
    if (!proc.SortCds2(bal, def, work, 8)) return false;
  }
  handOver.ScrFile = work;
  handOver.ScrDef = def;
  handOver.ScrEditAllowed = 'A';
  handOver.ScrChanged = false;
  showBrowser();
  if (!handOver.ScrChanged) return false;
  handOver.ScrChanged = false;
  return proc.Oprava(work, bal);
}

}  // namespace orvo
