// `orvo-batch report DATA.Cds DEF.Def OUT.Ses [options]`: the report the
// dataset browser's "  Sestava I" (or, unpaged, its "  Word") would write
// for a table, for scripts. The column flags and the order are given as
// table column numbers, as the caller of the browser and its subtotal
// dialog would set them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/data/cds_proc.h"
#include "core/screens/report_gen.h"

namespace orvo {

inline constexpr std::string_view kReportUsage =
    "report DATA.Cds DEF.Def OUT.Ses [--heading1 T] [--heading2 T] [--time] [--sum-cols 2,3] "
    "[--page-cols ..] [--line-cols ..] [--order 3,1,2] [--all-columns] [--unpaged] [--rows N] "
    "[--framed [--no-frames]]";

struct ReportJob {
  std::string out;         // where the report is copied (logical path)
  ReportRequest request;   // ScrFile = DATA, ScrDef = DEF
  ReportPaging paging = ReportPaging::Paged;
  // Rows per page as the print settings give them; without --rows, read
  // from the print settings file (80 when it is missing or damaged).
  std::optional<int> rows;
  // --framed: the framed report's page files R_<OUT>_nnnn.Rtf beside the
  // report's pages; --no-frames: with rules in place of the box.
  bool framed = false;
  bool frames = true;
};

// The arguments after "report"; false with `error` set on a usage problem.
bool ParseReportArgs(const std::vector<std::string>& args, ReportJob* job, std::string* error);

enum class ReportJobResult { Written, Failed, EmptyTable };

// Loads the table and writes the report as the browser would (paged: rows
// - 4 lines a page; unpaged: the "  Word" form), then copies it to `out`.
// Failed after a message (missing or damaged table, mismatched definition,
// a file that cannot be written); an empty table makes no report, as the
// browser's buttons do nothing then.
// With `layout`, the report's column layout comes back there.
ReportJobResult RunReportJob(TCdsProc& cds, const ReportJob& job, ReportLayout* layout = nullptr);

}  // namespace orvo
