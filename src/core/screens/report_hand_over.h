// What the dataset browser hands to the report windows of its "  Sestava II"
// and "  Sestava III" after writing its report: the report file and its
// column layout.
#pragma once

#include "core/output/framed_report.h"
#include "core/output/graphic_report.h"
#include "core/output/print_settings.h"
#include "core/screens/report_gen.h"

namespace orvo {

// The framed report's hand-over for a report written by GenerSes: the top
// lines, one caption line, the printed columns' starts and widths.
RamHandOver RamHandOverOf(const ReportLayout& layout, bool frames = true);

// The graphic report's hand-over: the same columns, the definition of the
// printed columns, "Courier New" in the report font's size, style and
// colour (bold for the titles), blue frame lines, the page length.
ImaHandOver ImaHandOverOf(const ReportLayout& layout, const PrintSettings& settings);

}  // namespace orvo
