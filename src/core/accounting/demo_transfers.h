// The demo's transfer files of the sibling systems for the working month,
// in the layouts the accumulations read, so that every item of "Prevody" >
// "Kumulace" has a file to work on: the finance transfer (the month's
// finance postings and a bank fee per unit), fixed and small assets as
// separated text, stock and forestry (by plant and by cost centre) as
// datasets, and the wages as separated text.
#pragma once

#include <string>
#include <vector>

#include "core/accounting/demo_year.h"

namespace orvo {

// The files written, in order; an existing file is left as it is.
std::vector<std::string> WriteDemoTransfers(RunValues& run, TCdsProc& cds, const std::vector<DemoUnit>& units);

}  // namespace orvo
