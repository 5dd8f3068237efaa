// "Mnozstvi MJ pro kalkulace": the quantities of the activities entered
// through the grid data entry on KalkMn.Cds. The activity list of the
// working year and the units of measure are copied where the layout's
// look-ups find them, the hand-over values are set (this unit preset, 200
// rows, the unit as the document's identification), and the caller shows
// the grid data entry.
#pragma once

#include <functional>

#include "core/screens/cds_dokl.h"
#include "core/shell/run_values.h"

namespace orvo {

inline constexpr std::string_view kQuantitiesHeading = "Mnozstvi MJ pro kalkulace";

// Prepares the grid data entry and calls `showGrid`; false (nothing shown)
// after the file check's message when a list is missing or a copy fails.
bool DataKalk(RunValues& run, DoklHandOver& handOver, const std::function<void()>& showGrid);

}  // namespace orvo
