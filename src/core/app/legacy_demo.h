// The demo company's legacy installation (orvo-batch demo --legacy): a year
// of the DOS version's data - code lists, balance and posting files of every
// month of the year before the working one - in the directory that line 4 of
// UctInic.TXT names, so that the menu "Dos" has something to convert.
#pragma once

#include <string>
#include <vector>

#include "core/accounting/demo_year.h"
#include "core/app/session.h"

namespace orvo {

// When UctInic.TXT names no legacy directory, DataRoot\LOrvo\PrevDos is
// written into its line 4. Existing legacy files are never replaced: a
// directory that holds any UceS*.Dat, Uce*.Dat or code list already is left
// as it is. Returns the files written (the initialisation file among them
// when it changed).
std::vector<std::string> WriteDemoLegacyData(Session& session, const std::vector<DemoUnit>& units);

}  // namespace orvo
