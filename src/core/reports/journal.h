// The accounting journal "Ucetni denik" (PrehUctDenik): the postings of the
// current period in document order (Rok, Mesic, DoklId, CisDokl, Radek,
// Zavod) in C:\A_Run\Work\Orvoork.Cds, shown read-only in the browser.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/data/cds_proc.h"
#include "core/screens/browser_model.h"
#include "core/shell/run_values.h"

namespace orvo {

inline constexpr std::string_view kJournalFile = "C:\\A_Run\\Work\\Orvoork.Cds";

// "Ucetni denik         Obdobi: " + the period.
std::string JournalHeading2(const RunValues& run);

// Sorts the posting file into kJournalFile. False when the posting file is
// missing (reported) or the sort fails.
bool ComputeJournal(RunValues& run, TCdsProc& cds);

// The menu item: the journal computed and, only when that succeeded, shown
// through `showBrowser` over `handOver`.
bool PrehUctDenik(RunValues& run, TCdsProc& cds, ScrHandOver& handOver, const std::function<void()>& showBrowser);

}  // namespace orvo
