// The demo company's year of books: a deterministic generator of the
// postings of every month from January to the working month (documents of
// all three plants: sales to customers, purchases from suppliers, costs on
// activities, wages, depreciation, payments), the opening balances of the
// year, and the real month-end close of every month before the working one,
// so that every balance file of the demo is what the close computes.
#pragma once

#include <string>
#include <vector>

#include "core/data/cds_proc.h"
#include "core/shell/run_values.h"

namespace orvo {

struct DemoUnit {
  std::string zavod;      // two characters each
  std::string sprava;
  std::string stredisko;
};

// Writes the year of the working period for the units (nothing when the
// opening balance file of the year exists already, so that a demo is never
// overwritten). Returns the files written, in order; the working period is
// current again afterwards. Month 00 writes the opening state only.
std::vector<std::string> WriteDemoYear(RunValues& run, TCdsProc& cds, const std::vector<DemoUnit>& units);

}  // namespace orvo
