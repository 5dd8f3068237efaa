// GenerSes: a dataset as a paged text report (.Ses) with a column caption
// line, subtotals per group of leading columns, page breaks and empty lines
// between groups and the grand total "Celkem", exactly as the dataset
// browser writes it for "  Sestava I", "  Sestava II", "  Sestava III" and
// "  Word". Also the column layout the framed and graphic reports draw
// their boxes by.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/data/cds_proc.h"
#include "core/data/dataset.h"
#include "core/screens/scr_columns.h"

namespace orvo {

// Work files of the generator.
inline constexpr std::string_view kCdsScrRedDef = "C:\\A_Run\\Work\\CdsScrRed.Def";
inline constexpr std::string_view kCdsScrWDef = "C:\\A_Run\\Work\\CdsScrW_.Def";
inline constexpr std::string_view kCdsScrWBody = "C:\\A_Run\\Work\\CdsScrW1_.Txt";

// XSt: a paged report with a title line on every page, or one heading at
// the top and no paging.
enum class ReportPaging { Unpaged = 0, Paged = 1 };

// What GenerSes reads from the browser.
struct ReportRequest {
  std::string ScrFile;   // names the report and the table in messages
  std::string ScrDef;
  std::string heading1;  // ScrHeading1 as edited on screen
  std::string heading2;  // ScrHeading2; printed under the first when not empty
  bool withTime = false;    // "Cas": date and time after the first heading
  bool allColumns = false;  // "Vsechny sloupce"; else "Pouze neprazdne sloupce"
  ScrOrder order;
  // By output position: of the table as it is, or of the chosen order.
  ScrGroupFlags groupFlags;
};

// Where the printed columns lie in the report: column i starts at
// start[i] (1-based character column) and is width[i] wide.
struct ReportLayout {
  std::string file;     // ScrReportFile
  int topLines = 1;     // heading lines: 1, or 2 with the second heading
  int captionLines = 1;
  std::vector<int> start;
  std::vector<int> width;
  std::string defFile;  // CdsScrW_.Def: the definition lines of the printed columns
};

// C:\A_Run\Sestavy\S + base name of ScrFile + .Ses.
std::string ScrReportFile(std::string_view scrFile);

// Writes the report of `table` (the browser's open table of ScrFile; its
// cursor is left alone) into ScrReportFile. With a chosen order the table is
// first reduced to the chosen columns (RedFVirt on a copy, definition
// CdsScrRed.Def). XNumRow is the page length in lines. Nothing after a
// message when the table does not match its definition or a file cannot be
// written; nothing at all for an empty table. Leaves the engine's loaded
// definition on the one the report was made from.
std::optional<ReportLayout> GenerSes(TCdsProc& cds, Dataset& table, const ReportRequest& request,
                                     ReportPaging XSt, int XNumRow);

}  // namespace orvo
