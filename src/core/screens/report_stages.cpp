#include "core/screens/report_stages.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "core/data/cds_file.h"
#include "core/data/dataset_ops.h"
#include "core/output/report_file.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "core/sys/numbers.h"
#include "core/sys/text.h"

namespace orvo {

namespace {

constexpr double kZero = 0.00005;
constexpr int kMaxPrintedWidth = 50;

bool IsNumericType(std::string_view tms) { return !tms.empty() && tms[0] == 'N'; }

int Decimals(std::string_view tms) {
  return tms.size() >= 2 && tms[1] >= '0' && tms[1] <= '9' ? tms[1] - '0' : 0;
}

// The table against the definition it is reported with.
bool MatchesDefinition(Env& env, const Dataset& table, const LoadedDef& def,
                       const ReportRequest& request) {
  auto mismatch = [&](int have, int want, std::string_view text) {
    ErrorBox(env, request.ScrFile + ":" + IntTextZero(have, 6) + "\r" + request.ScrDef + ":" +
                      IntTextZero(want, 6) + "\r\r" + std::string(text));
    return false;
  };
  if (table.FieldCount() != def.PSl) {
    return mismatch(table.FieldCount(), def.PSl,
                    "Skutecny pocet slov vety se nerovna poctu slov vypocitanemu !");
  }
  if (!def.HasMemo) {
    const int length = table.RecordSize() - 2 * table.FieldCount();
    if (length != def.RecLen) {
      return mismatch(length, def.RecLen, "Skutecna delka vety se nerovna delce vety vypoctene !");
    }
  }
  return true;
}

// The columns that carry something: numbers beyond rounding noise, texts
// that are not blank. Stops reading as soon as every column has shown some.
std::vector<bool> ColumnsWithContent(const Dataset& table,
                                     const std::vector<ReportColumn>& candidates) {
  std::vector<bool> has(candidates.size(), false);
  size_t missing = candidates.size();
  const int count = table.RecordCount();
  for (int r = 0; r < count && missing > 0; ++r) {
    for (size_t i = 0; i < candidates.size(); ++i) {
      if (has[i]) continue;
      const std::string v = table.StringAt(r, candidates[i].field);
      const bool content =
          candidates[i].numeric ? std::fabs(TextToReal(v)) > kZero : !AllBlanks(v);
      if (content) {
        has[i] = true;
        --missing;
      }
    }
  }
  return has;
}

// A subtotal or total line of `sums` (by printed column), which it resets.
// `nonZero` tells whether any sum was worth printing.
std::string SumLine(const std::vector<ReportColumn>& printed, std::vector<double>& sums,
                    bool* nonZero) {
  std::string line;
  bool any = false;
  for (size_t i = 0; i < printed.size(); ++i) {
    const ReportColumn& c = printed[i];
    if (c.numeric) {
      if (std::fabs(sums[i]) > kZero) any = true;
      line += RealTextPlain(c.width, c.decimals, sums[i]);
      line += "  ";
      sums[i] = 0;
    } else {
      line.append(static_cast<size_t>(std::min(c.width + 2, kMaxPrintedWidth + 2)), ' ');
    }
  }
  if (line.size() >= 2) line.resize(line.size() - 2);
  if (nonZero) *nonZero = any;
  return line;
}

// "S *** " over the printed columns before the group column, then the
// group column's caption.
std::string SubtotalLabel(const std::vector<ReportColumn>& printed, int groupField,
                          const std::string& groupHeading, int groupWidth) {
  size_t run = 0;
  for (const ReportColumn& c : printed) {
    if (c.field < groupField) run += static_cast<size_t>(std::min(c.width, kMaxPrintedWidth) + 2);
  }
  std::string label(run, '*');
  if (run > 1) {
    label[0] = 'S';
    label[1] = ' ';
  }
  if (run >= 1) label[run - 1] = ' ';
  label += groupHeading.substr(0, static_cast<size_t>(groupWidth) + 1);
  return label;
}

std::string Overlay(std::string_view label, const std::string& line) {
  std::string out(label);
  if (line.size() > label.size()) out.append(line, label.size(), std::string::npos);
  return out;
}

// Does a record take part in the sums? "^" anywhere keeps it out, and so
// does "\xFF" (it adds nothing either way).
bool Summed(const std::vector<std::string>& values) {
  for (const std::string& v : values) {
    if (v.find_first_of("^\xFF") != std::string::npos) return false;
  }
  return true;
}

}  // namespace

// --- the source --------------------------------------------------------------

const Dataset* ReportSource(TCdsProc& cds, Dataset& table, const ReportRequest& request,
                            Dataset& reduced) {
  Env& env = cds.Environment();
  LoadedDef& def = cds.Def();
  // The reduction closes its input, so it works on a copy and the
  // browser's table stays open.
  const Dataset* source = &table;
  if (request.order.count > 0) {
    Dataset copy(env);
    std::string detail;
    if (!ReadCdsBinary(EncodeCdsBinary(table), copy, &detail)) return nullptr;
    copy.SetFileName(request.ScrFile);
    copy.SetReadOnly(true);
    CdsParams& p = cds.params;
    p.InDef = request.ScrDef;
    p.OutDef = std::string(kCdsScrRedDef);
    p.PocSlov = std::min(request.order.count, kScrMaxColumns);
    std::copy(request.order.rows.begin(), request.order.rows.begin() + p.PocSlov, p.SezSlov.begin());
    if (!RedFVirt(cds, copy, reduced)) return nullptr;
    if (!ReadDef(env, def, kCdsScrRedDef)) return nullptr;
    source = &reduced;
  } else if (!ReadDef(env, def, request.ScrDef)) {
    return nullptr;
  }
  if (!MatchesDefinition(env, *source, def, request)) return nullptr;
  return source;
}

// --- the printed columns -----------------------------------------------------

PrintedColumns ChoosePrintedColumns(const Dataset& source, const LoadedDef& def, bool allColumns) {
  PrintedColumns out;
  for (int i = 1; i <= def.PSl; ++i) {
    const DefWord& w = def.Word(i);
    out.all.push_back(ReportColumn{i - 1, w.TD, IsNumericType(w.TMS), Decimals(w.TMS), w.Heading});
  }
  std::vector<ReportColumn> candidates;
  for (const ReportColumn& c : out.all) {
    if (def.Word(c.field + 1).TMS != "ME") candidates.push_back(c);
  }
  out.isPrinted.assign(out.all.size(), false);
  const std::vector<bool> keep = allColumns ? std::vector<bool>(candidates.size(), true)
                                            : ColumnsWithContent(source, candidates);
  for (size_t i = 0; i < candidates.size(); ++i) {
    if (!keep[i]) continue;
    out.printed.push_back(candidates[i]);
    out.isPrinted[static_cast<size_t>(candidates[i].field)] = true;
  }
  return out;
}

std::string CaptionLine(const std::vector<ReportColumn>& printed) {
  std::string line;
  for (const ReportColumn& c : printed) {
    if (c.numeric) {
      std::string cap = c.heading.substr(0, static_cast<size_t>(c.width));
      line += PadLeft(TrimRight(cap), static_cast<int>(cap.size()));
      line += "  ";
    } else {
      line += c.heading.substr(0, static_cast<size_t>(c.width) + 1);
      line += ' ';
    }
  }
  if (line.size() >= 2) line.resize(line.size() - 2);
  return line;
}

std::string PrintedDefinitionLines(const LoadedDef& def, const std::vector<ReportColumn>& printed) {
  std::string lines;
  for (const ReportColumn& c : printed) {
    const int line = def.Word(c.field + 1).LineNo;
    if (line >= 1 && line <= static_cast<int>(def.DefLines.size())) {
      lines += def.DefLines[static_cast<size_t>(line - 1)];
    }
    lines += "\r\n";
  }
  return lines;
}

void LayOutColumns(const std::vector<ReportColumn>& printed, ReportLayout& layout) {
  int start = 1;
  for (const ReportColumn& c : printed) {
    const int w = std::min(c.width, kMaxPrintedWidth);
    layout.start.push_back(start);
    layout.width.push_back(w + 1);
    start += w + 2;
  }
}

// --- group breaks and sums ---------------------------------------------------

int LastGroupLevel(int columnCount, const ScrGroupFlags& flags) {
  for (int s = std::min(columnCount, kScrMaxColumns); s >= 1; --s) {
    if (flags[static_cast<size_t>(s - 1)].Any()) return s;
  }
  return 0;
}

GroupSums::GroupSums(const PrintedColumns& columns, const ScrGroupFlags& flags, int lastGroup)
    : columns_(columns),
      lastGroup_(lastGroup),
      grand_(columns.printed.size(), 0.0),
      levelSums_(static_cast<size_t>(lastGroup) + 1),
      previousKey_(static_cast<size_t>(lastGroup)) {
  for (int s = 1; s <= lastGroup; ++s) {
    if (flags[static_cast<size_t>(s - 1)].sum == 'A') {
      levelSums_[static_cast<size_t>(s)].assign(columns.printed.size(), 0.0);
    }
  }
}

int GroupSums::FirstChangedLevel(const std::vector<std::string>& values, bool firstRecord) {
  int changed = lastGroup_ + 1;
  for (int s = 1; s <= lastGroup_; ++s) {
    const ReportColumn& c = columns_.all[static_cast<size_t>(s - 1)];
    std::string key =
        PadRight(values[static_cast<size_t>(s - 1)], c.width).substr(0, static_cast<size_t>(c.width));
    std::string& before = previousKey_[static_cast<size_t>(s - 1)];
    if (!firstRecord && changed > lastGroup_ && key != before) changed = s;
    before = std::move(key);
  }
  return changed;
}

void GroupSums::Add(const std::vector<std::string>& values) {
  if (!Summed(values)) return;
  const std::vector<ReportColumn>& printed = columns_.printed;
  for (size_t i = 0; i < printed.size(); ++i) {
    if (!printed[i].numeric) continue;
    const double v = TextToReal(values[static_cast<size_t>(printed[i].field)]);
    grand_[i] += v;
    for (int s = 1; s <= lastGroup_; ++s) {
      std::vector<double>& sums = levelSums_[static_cast<size_t>(s)];
      if (!sums.empty()) sums[i] += v;
    }
  }
}

std::string GroupSums::Subtotal(int level, bool* nonZero) {
  const ReportColumn& g = columns_.all[static_cast<size_t>(level - 1)];
  std::string line = SumLine(columns_.printed, levelSums_[static_cast<size_t>(level)], nonZero);
  return Overlay(SubtotalLabel(columns_.printed, g.field, g.heading, g.width), line);
}

std::string GroupSums::GrandTotal() { return SumLine(columns_.printed, grand_, nullptr); }

// --- the lines -----------------------------------------------------------------

std::string RecordLine(const std::vector<ReportColumn>& printed,
                       const std::vector<std::string>& values) {
  std::string line;
  for (const ReportColumn& c : printed) {
    const std::string& v = values[static_cast<size_t>(c.field)];
    const size_t cell = static_cast<size_t>(std::min(c.width, kMaxPrintedWidth));
    const size_t take = std::min(v.size(), cell);
    line.append(v, 0, take);
    line.append(cell - take, ' ');
    line += "  ";
  }
  if (line.size() >= 2) line.resize(line.size() - 2);
  return line;
}

BodyWriter::BodyWriter(ReportPaging paging, int pageRows, std::string title, std::string heading2,
                       std::string captionLine)
    : paging_(paging),
      limit_(pageRows),
      title_(std::move(title)),
      heading2_(std::move(heading2)),
      caption_(std::move(captionLine)) {}

void BodyWriter::Write(std::string_view line) {
  ++counter_;
  const bool open = openPage_ && (paging_ == ReportPaging::Paged || page_ == 0);
  if (open || counter_ > limit_) Heading();
  openPage_ = false;
  Put(line);
}

void BodyWriter::Put(std::string_view line) {
  body_.append(line);
  body_.append("\r\n");
}

// The counter alone cannot be trusted to open a page when a page is
// longer than the counter's start; the explicit flag always does.
void BodyWriter::Heading() {
  ++page_;
  Put(page_ == 1 ? std::string_view() : kPageBreakLine);
  if (paging_ == ReportPaging::Paged) {
    Put(PageTitleLine(title_, page_, 5, caption_.size()));
    Put("");
  }
  if (!heading2_.empty()) {
    Put(heading2_);
    Put("");
  }
  Put(caption_);
  Put("");
  Put("");
  counter_ = heading2_.empty() ? 7 : 9;
  if (paging_ == ReportPaging::Unpaged) limit_ = INT_MAX;
  openPage_ = false;
}

std::string ReportBody(const Dataset& source, const PrintedColumns& columns,
                       const ReportRequest& request, ReportPaging paging, int pageRows,
                       const std::string& title) {
  const int lastGroup = LastGroupLevel(static_cast<int>(columns.all.size()), request.groupFlags);
  GroupSums sums(columns, request.groupFlags, lastGroup);
  BodyWriter out(paging, pageRows, title, request.heading2, CaptionLine(columns.printed));

  // The records, in file order; before each, the ends of the groups it
  // begins, from the deepest level up.
  const int fieldCount = source.FieldCount();
  const int count = source.RecordCount();
  std::vector<std::string> values(static_cast<size_t>(fieldCount));
  for (int r = 0; r < count; ++r) {
    for (int f = 0; f < fieldCount; ++f) values[static_cast<size_t>(f)] = source.StringAt(r, f);
    const int changed = sums.FirstChangedLevel(values, r == 0);
    for (int s = lastGroup; s >= changed; --s) {
      const ScrGroupFlag& flag = request.groupFlags[static_cast<size_t>(s - 1)];
      if (flag.sum == 'A') {
        bool nonZero = false;
        std::string sumLine = sums.Subtotal(s, &nonZero);
        if (columns.isPrinted[static_cast<size_t>(s - 1)]) {
          if (nonZero) out.Write(sumLine);
          if (flag.page != 'A') out.Write("");
        }
      }
      if (flag.page == 'A') out.BreakPage();
      if (flag.line == 'A' && !out.PageBreakPending()) out.Write("");
    }
    sums.Add(values);
    out.Write(RecordLine(columns.printed, values));
  }

  // The subtotals of the last groups.
  for (int s = lastGroup; s >= 1; --s) {
    if (request.groupFlags[static_cast<size_t>(s - 1)].sum != 'A') continue;
    bool nonZero = false;
    std::string sumLine = sums.Subtotal(s, &nonZero);
    if (columns.isPrinted[static_cast<size_t>(s - 1)] && nonZero) {
      out.Write(sumLine);
      out.Write("");
    }
  }

  // The grand total. Its label never overwrites a figure: when the first
  // six characters carry one, the label goes on the line above instead.
  std::string total = sums.GrandTotal();
  if (!AllBlanks(total)) {
    if (AllBlanks(total.substr(0, 6))) {
      out.Write("");
      out.Write(Overlay("Celkem", total));
    } else {
      out.Write("Celkem");
      out.Write(total);
    }
  }
  return std::move(out.Body());
}

// --- the writing ---------------------------------------------------------------

bool WriteColumnDefinition(Env& env, const std::string& lines) {
  if (int io = env.fs.WriteWhole(kCdsScrWDef, lines); io != kIoOk) {
    ErrorBox(env, UnwritableFileText(kCdsScrWDef, io));
    return false;
  }
  return true;
}

bool WriteReportFiles(Env& env, const std::string& body, const std::string& reportFile) {
  if (int io = env.fs.WriteWhole(kCdsScrWBody, body); io != kIoOk) {
    ErrorBox(env, UnwritableFileText(kCdsScrWBody, io));
    return false;
  }
  if (env.fs.WriteWhole(reportFile, BlankControlChars(body)) != kIoOk) {
    ErrorBox(env, "Vstupni soubor:    " + std::string(kCdsScrWBody) + "\r" + "Vystupni soubor:  " +
                      reportFile + "\r\r" + "Normalizace se nepodarila !");
    return false;
  }
  return true;
}

}  // namespace orvo
