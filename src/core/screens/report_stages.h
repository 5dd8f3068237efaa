// The stages GenerSes is made of, each usable alone: the source (the table
// or its reduction to the chosen order, checked against its definition),
// the printed columns (which, in what order, how wide, under what
// captions), the group breaks and their sums, the lines of the body with
// its page headings, and the writing of the files.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/data/cds_proc.h"
#include "core/data/dataset.h"
#include "core/data/definition.h"
#include "core/screens/report_gen.h"
#include "core/sys/env.h"

namespace orvo {

// --- the source --------------------------------------------------------------

// The records the report reads: `table` itself, or its reduction to the
// chosen order in `reduced` (made from a copy, so `table` stays open). The
// engine's definition is loaded for it (CdsScrRed.Def after a reduction).
// Nothing after a message when the source does not match its definition
// or cannot be made.
const Dataset* ReportSource(TCdsProc& cds, Dataset& table, const ReportRequest& request,
                            Dataset& reduced);

// --- the printed columns -----------------------------------------------------

// A word of the definition as the report prints it.
struct ReportColumn {
  int field = 0;  // 0-based field of the source
  int width = 0;  // TD
  bool numeric = false;
  int decimals = 0;
  std::string heading;
};

struct PrintedColumns {
  std::vector<ReportColumn> all;      // every word of the definition, by field
  std::vector<ReportColumn> printed;  // the printed ones, in the order of the source
  std::vector<bool> isPrinted;        // by field
};

// Every column but memos; without `allColumns` only those with content
// (numbers beyond rounding noise, texts that are not blank).
PrintedColumns ChoosePrintedColumns(const Dataset& source, const LoadedDef& def, bool allColumns);

// The caption line over the printed columns.
std::string CaptionLine(const std::vector<ReportColumn>& printed);

// The definition lines of the printed columns (CdsScrW_.Def), one a line.
std::string PrintedDefinitionLines(const LoadedDef& def, const std::vector<ReportColumn>& printed);

// Where each printed column starts and how wide its box is.
void LayOutColumns(const std::vector<ReportColumn>& printed, ReportLayout& layout);

// --- group breaks and sums ---------------------------------------------------

// The deepest level with a group flag; flags beyond the table's columns
// group nothing.
int LastGroupLevel(int columnCount, const ScrGroupFlags& flags);

// The sums of the printed figures: the grand total and one per level that
// asks for subtotals, and the key of each level, by which a record tells
// which groups it begins.
class GroupSums {
 public:
  GroupSums(const PrintedColumns& columns, const ScrGroupFlags& flags, int lastGroup);

  int LastGroup() const { return lastGroup_; }
  // The first level whose part of the key changed with this record
  // (LastGroup() + 1 when none did, and for the first record); remembers
  // the record's keys.
  int FirstChangedLevel(const std::vector<std::string>& values, bool firstRecord);
  // Adds the record's figures, unless it is kept out of the sums ("^" or
  // "\xFF" in any field).
  void Add(const std::vector<std::string>& values);
  // The subtotal line of a level under its label, which resets the level;
  // `nonZero` tells whether any sum was worth printing.
  std::string Subtotal(int level, bool* nonZero);
  // The grand total line (blank when there is nothing to total).
  std::string GrandTotal();

 private:
  const PrintedColumns& columns_;
  int lastGroup_;
  std::vector<double> grand_;
  std::vector<std::vector<double>> levelSums_;
  std::vector<std::string> previousKey_;
};

// --- the lines -----------------------------------------------------------------

// The values of the printed columns, each cut or filled to its width.
std::string RecordLine(const std::vector<ReportColumn>& printed,
                       const std::vector<std::string>& values);

// The report body line by line, with the page headings it needs.
class BodyWriter {
 public:
  BodyWriter(ReportPaging paging, int pageRows, std::string title, std::string heading2,
             std::string captionLine);

  // A pending page break opens a page only while the report is paged (or
  // before its first page); either way the line written ends it.
  void Write(std::string_view line);
  void BreakPage() { openPage_ = true; }
  bool PageBreakPending() const { return openPage_; }
  std::string& Body() { return body_; }

 private:
  void Put(std::string_view line);
  void Heading();

  ReportPaging paging_;
  int limit_;
  std::string title_;
  std::string heading2_;
  std::string caption_;
  std::string body_;
  int counter_ = 200;
  int page_ = 0;
  bool openPage_ = true;
};

// The whole body: the records in file order with the group breaks, the
// subtotals of the last groups and the grand total "Celkem".
std::string ReportBody(const Dataset& source, const PrintedColumns& columns,
                       const ReportRequest& request, ReportPaging paging, int pageRows,
                       const std::string& title);

// --- the writing ---------------------------------------------------------------

// The definition lines of the printed columns into CdsScrW_.Def, for the
// graphic report. False after a message.
bool WriteColumnDefinition(Env& env, const std::string& lines);

// The body as written (CdsScrW1_.Txt) and the report without its control
// bytes. False after a message.
bool WriteReportFiles(Env& env, const std::string& body, const std::string& reportFile);

}  // namespace orvo
