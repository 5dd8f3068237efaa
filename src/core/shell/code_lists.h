// The per-year code lists (chart of accounts, activities, konta): a new
// year starts from a copy of the year before, and every edited list goes to
// the code-list directories of the sibling systems installed on the same
// data root.
#pragma once

#include <string>
#include <string_view>

#include "core/shell/run_values.h"

namespace orvo {

// DataRoot\LOrvo\Cisel\ + PeriodYear + name ("Ucty.Cds", "Cinn.Cds",
// "Konta.Cds") after reloading the period. A missing list is copied from the
// year before (year 00 follows 99); when neither exists, or the copy did
// not arrive, it is reported and the application ends.
std::string CodeListFile(RunValues& session, std::string_view name);

// Copies the source to the Cisel directory of each sibling (LPexo, LRamu,
// LKolo, LVint) that exists, as PeriodYear + stem + ".Cds" with the current
// time. Missing siblings are skipped silently.
void DistributeCodeList(RunValues& session, std::string_view sourceFile, std::string_view stem);

}  // namespace orvo
