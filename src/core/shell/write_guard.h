// Who may write which file through the generic data commands of orvo-batch
// (def, cds, sort, sum, reduce, append, restruct, import, report,
// ses-to-pdf): the same rights the menu asks for the same data. A file
// inside the installation's trees (DataRoot\LOrvo, C:\A_Run) needs the right
// "Sprav", except the work files and reports (C:\A_Run\Work, \Sestavy) that
// every menu item writes; the access-rights directory needs "Admin"; a file
// carrying the read-only attribute is never written by them. Outside the
// trees nothing is asked.
#pragma once

#include <string_view>

#include "core/shell/run_values.h"

namespace orvo {

enum class WriteCheck {
  Allowed,
  NoRight,   // the rights check said "Pro tuto oblast nemate opravneni !"
  ReadOnly,  // the file is protected; said with its name
};

// Checks before a command writes `target` (a logical path) and says why
// when it may not.
WriteCheck CheckDataWrite(RunValues& session, std::string_view target);

// Whether a logical path lies inside the installation's trees: C:\A_Run,
// DataRoot\LOrvo, or any application tree (a directory LOrvo) when the
// command does not know its data root.
bool InInstallationTrees(const RunValues& session, std::string_view path);

}  // namespace orvo
