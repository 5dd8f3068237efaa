// The menu "Tabulky": the balance and posting files of the current period
// as stored, the postings of a range of periods, the balances joined with
// the postings and the current balances, each shown in the table viewer;
// and "Data" > "Pocatecni stavy", the opening balances edited in the dataset
// browser and written back into the balance file.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/accounting/uct_proc.h"
#include "core/screens/browser_model.h"

namespace orvo {

// Computed views are written here; the next computed view overwrites it.
inline constexpr std::string_view kTablesWorkFile = "C:\\A_Run\\Work\\Orvoork.Cds";

enum class BooksTable {
  Stavy,        // "Pocatecni mesicni stavy": the balance file as stored
  Obraty,       // "Mesicni obraty": the posting file as stored
  ObratyOdDo,   // "Obraty za zvolene obdobi": ObOdDo of a range
  StavyObraty,  // "Mesicni Stavy+Obraty": StObSpoj
  AktStavy,     // "Aktualni stavy": StSNove
};

struct TableView {
  bool ok = false;
  std::string file;     // the dataset shown
  std::string def;      // its layout
  std::string heading;  // the viewer's heading
};

// The dataset of a view for the current period (the range for ObratyOdDo),
// computed under the progress window where it is computed. A stored file
// that is missing is not ok (the caller reports it).
TableView ComputeTable(RunValues& run, TCdsProc& cds, BooksTable which, std::string_view from = {},
                       std::string_view to = {});

// The menu item: the view in the table viewer ("Orvo" as its title).
void ShowTable(RunValues& run, TCdsProc& cds, BooksTable which, std::string_view from = {},
               std::string_view to = {});

// "Pocatecni stavy": a missing balance file is reported and created empty;
// the file sorted by its eight key words is shown editable through
// `showBrowser` (which shows the browser over `handOver`); when the browser
// reports a change the sorted, edited table replaces the balance file.
// True when the balance file was rewritten.
bool DataStavy(RunValues& run, TCdsProc& cds, ScrHandOver& handOver,
               const std::function<void()>& showBrowser);

}  // namespace orvo
