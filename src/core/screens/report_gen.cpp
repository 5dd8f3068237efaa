#include "core/screens/report_gen.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "core/data/cds_file.h"
#include "core/data/dataset_ops.h"
#include "core/output/report_file.h"
#include "core/sys/dates.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "core/sys/numbers.h"
#include "core/sys/text.h"

namespace orvo {

namespace {

constexpr double kZero = 0.00005;
constexpr int kMaxPrintedWidth = 50;

class Hourglass {
 public:
  explicit Hourglass(Env& env) : env_(env) { env_.ui.SetHourglass(true); }
  ~Hourglass() { env_.ui.SetHourglass(false); }
  Hourglass(const Hourglass&) = delete;
  Hourglass& operator=(const Hourglass&) = delete;

 private:
  Env& env_;
};

bool IsNumericType(std::string_view tms) { return !tms.empty() && tms[0] == 'N'; }

int Decimals(std::string_view tms) {
  return tms.size() >= 2 && tms[1] >= '0' && tms[1] <= '9' ? tms[1] - '0' : 0;
}

struct Column {
  int field = 0;  // 0-based field of the source table
  int width = 0;  // TD
  bool numeric = false;
  int decimals = 0;
  std::string heading;  // TD + 1 characters, at most 51
};

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
std::vector<bool> ColumnsWithContent(const Dataset& table, const std::vector<Column>& candidates) {
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

// The report body line by line, with the page headings it needs.
class BodyWriter {
 public:
  BodyWriter(ReportPaging paging, int pageRows, std::string title, std::string heading2,
             std::string captionLine)
      : paging_(paging),
        limit_(pageRows),
        title_(std::move(title)),
        heading2_(std::move(heading2)),
        caption_(std::move(captionLine)) {}

  // A pending page break opens a page only while the report is paged (or
  // before its first page); either way the line written ends it.
  void Write(std::string_view line) {
    ++counter_;
    const bool open = openPage_ && (paging_ == ReportPaging::Paged || page_ == 0);
    if (open || counter_ > limit_) Heading();
    openPage_ = false;
    Put(line);
  }
  void BreakPage() { openPage_ = true; }
  bool PageBreakPending() const { return openPage_; }
  std::string& Body() { return body_; }

 private:
  void Put(std::string_view line) {
    body_.append(line);
    body_.append("\r\n");
  }
  // The counter alone cannot be trusted to open a page when a page is
  // longer than the counter's start; the explicit flag always does.
  void Heading() {
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

std::string CaptionLine(const std::vector<Column>& printed) {
  std::string line;
  for (const Column& c : printed) {
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

// A subtotal or total line of `sums` (by printed column), which it resets.
// `nonZero` tells whether any sum was worth printing.
std::string SumLine(const std::vector<Column>& printed, std::vector<double>& sums, bool* nonZero) {
  std::string line;
  bool any = false;
  for (size_t i = 0; i < printed.size(); ++i) {
    const Column& c = printed[i];
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
std::string SubtotalLabel(const std::vector<Column>& printed, int groupField,
                          const std::string& groupHeading, int groupWidth) {
  size_t run = 0;
  for (const Column& c : printed) {
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

std::string ScrReportFile(std::string_view scrFile) {
  return std::string(kReportDir) + "\\S" + BaseName(scrFile) + ".Ses";
}

std::optional<ReportLayout> GenerSes(TCdsProc& cds, Dataset& table, const ReportRequest& request,
                                     ReportPaging XSt, int XNumRow) {
  Env& env = cds.Environment();
  LoadedDef& def = cds.Def();
  if (!table.Active() || table.RecordCount() == 0) return std::nullopt;
  if (table.Editing()) table.Post();
  Hourglass hourglass(env);

  // 1. The source: the table itself, or its reduction to the chosen order.
  // The reduction closes its input, so it works on a copy and the browser's
  // table stays open.
  const Dataset* source = &table;
  Dataset reduced(env);
  if (request.order.count > 0) {
    Dataset copy(env);
    std::string detail;
    if (!ReadCdsBinary(EncodeCdsBinary(table), copy, &detail)) return std::nullopt;
    copy.SetFileName(request.ScrFile);
    copy.SetReadOnly(true);
    CdsParams& p = cds.params;
    p.InDef = request.ScrDef;
    p.OutDef = std::string(kCdsScrRedDef);
    p.PocSlov = std::min(request.order.count, kScrMaxColumns);
    std::copy(request.order.rows.begin(), request.order.rows.begin() + p.PocSlov, p.SezSlov.begin());
    if (!RedFVirt(cds, copy, reduced)) return std::nullopt;
    if (!ReadDef(env, def, kCdsScrRedDef)) return std::nullopt;
    source = &reduced;
  } else if (!ReadDef(env, def, request.ScrDef)) {
    return std::nullopt;
  }

  // 2. The source against its definition.
  if (!MatchesDefinition(env, *source, def, request)) return std::nullopt;

  // 3. The printed columns.
  std::vector<Column> columns;
  for (int i = 1; i <= def.PSl; ++i) {
    const DefWord& w = def.Word(i);
    columns.push_back(Column{i - 1, w.TD, IsNumericType(w.TMS), Decimals(w.TMS), w.Heading});
  }
  std::vector<Column> candidates;
  for (const Column& c : columns) {
    if (def.Word(c.field + 1).TMS != "ME") candidates.push_back(c);
  }
  std::vector<Column> printed;
  std::vector<bool> isPrinted(columns.size(), false);
  const std::vector<bool> keep = request.allColumns
                                     ? std::vector<bool>(candidates.size(), true)
                                     : ColumnsWithContent(*source, candidates);
  for (size_t i = 0; i < candidates.size(); ++i) {
    if (!keep[i]) continue;
    printed.push_back(candidates[i]);
    isPrinted[static_cast<size_t>(candidates[i].field)] = true;
  }

  // 4. The definition lines of the printed columns, for the graphic report.
  std::string defLines;
  for (const Column& c : printed) {
    const int line = def.Word(c.field + 1).LineNo;
    if (line >= 1 && line <= static_cast<int>(def.DefLines.size())) {
      defLines += def.DefLines[static_cast<size_t>(line - 1)];
    }
    defLines += "\r\n";
  }
  if (int io = env.fs.WriteWhole(kCdsScrWDef, defLines); io != kIoOk) {
    ErrorBox(env, UnwritableFileText(kCdsScrWDef, io));
    return std::nullopt;
  }

  // Group levels: flags beyond the table's columns have nothing to group.
  int lastGroup = 0;
  for (int s = std::min(def.PSl, kScrMaxColumns); s >= 1; --s) {
    if (request.groupFlags[static_cast<size_t>(s - 1)].Any()) {
      lastGroup = s;
      break;
    }
  }

  std::string title = request.heading1;
  if (request.withTime) title += "    " + TodayText(env) + "  " + NowText(env);
  BodyWriter out(XSt, XNumRow, title, request.heading2, CaptionLine(printed));

  const size_t nPrinted = printed.size();
  std::vector<double> grand(nPrinted, 0.0);
  std::vector<std::vector<double>> levelSums(static_cast<size_t>(lastGroup) + 1);
  for (int s = 1; s <= lastGroup; ++s) {
    if (request.groupFlags[static_cast<size_t>(s - 1)].sum == 'A') {
      levelSums[static_cast<size_t>(s)].assign(nPrinted, 0.0);
    }
  }
  auto subtotal = [&](int s, bool* nonZero) {
    const Column& g = columns[static_cast<size_t>(s - 1)];
    std::string line = SumLine(printed, levelSums[static_cast<size_t>(s)], nonZero);
    return Overlay(SubtotalLabel(printed, g.field, g.heading, g.width), line);
  };

  // 5. The records, in file order.
  const int fieldCount = source->FieldCount();
  const int count = source->RecordCount();
  std::vector<std::string> values(static_cast<size_t>(fieldCount));
  std::vector<std::string> previousKey(static_cast<size_t>(lastGroup));
  std::string line;
  for (int r = 0; r < count; ++r) {
    for (int f = 0; f < fieldCount; ++f) values[static_cast<size_t>(f)] = source->StringAt(r, f);

    // The first level whose part of the key text changed.
    int changed = lastGroup + 1;
    for (int s = 1; s <= lastGroup; ++s) {
      const Column& c = columns[static_cast<size_t>(s - 1)];
      std::string key = PadRight(values[static_cast<size_t>(s - 1)], c.width)
                            .substr(0, static_cast<size_t>(c.width));
      std::string& before = previousKey[static_cast<size_t>(s - 1)];
      if (r > 0 && changed > lastGroup && key != before) changed = s;
      before = std::move(key);
    }
    for (int s = lastGroup; s >= changed; --s) {
      const ScrGroupFlag& flag = request.groupFlags[static_cast<size_t>(s - 1)];
      if (flag.sum == 'A') {
        bool nonZero = false;
        std::string sumLine = subtotal(s, &nonZero);
        if (isPrinted[static_cast<size_t>(s - 1)]) {
          if (nonZero) out.Write(sumLine);
          if (flag.page != 'A') out.Write("");
        }
      }
      if (flag.page == 'A') out.BreakPage();
      if (flag.line == 'A' && !out.PageBreakPending()) out.Write("");
    }

    if (Summed(values)) {
      for (size_t i = 0; i < nPrinted; ++i) {
        if (!printed[i].numeric) continue;
        const double v = TextToReal(values[static_cast<size_t>(printed[i].field)]);
        grand[i] += v;
        for (int s = 1; s <= lastGroup; ++s) {
          std::vector<double>& sums = levelSums[static_cast<size_t>(s)];
          if (!sums.empty()) sums[i] += v;
        }
      }
    }

    line.clear();
    for (const Column& c : printed) {
      const std::string& v = values[static_cast<size_t>(c.field)];
      const size_t cell = static_cast<size_t>(std::min(c.width, kMaxPrintedWidth));
      const size_t take = std::min(v.size(), cell);
      line.append(v, 0, take);
      line.append(cell - take, ' ');
      line += "  ";
    }
    if (line.size() >= 2) line.resize(line.size() - 2);
    out.Write(line);
  }

  // 6. The subtotals of the last groups.
  for (int s = lastGroup; s >= 1; --s) {
    if (request.groupFlags[static_cast<size_t>(s - 1)].sum != 'A') continue;
    bool nonZero = false;
    std::string sumLine = subtotal(s, &nonZero);
    if (isPrinted[static_cast<size_t>(s - 1)] && nonZero) {
      out.Write(sumLine);
      out.Write("");
    }
  }

  // 7. The grand total. Its label never overwrites a figure: when the first
  // six characters carry one, the label goes on the line above instead.
  std::string total = SumLine(printed, grand, nullptr);
  if (!AllBlanks(total)) {
    if (AllBlanks(total.substr(0, 6))) {
      out.Write("");
      out.Write(Overlay("Celkem", total));
    } else {
      out.Write("Celkem");
      out.Write(total);
    }
  }

  // 8. The body as written, and the report without its control bytes.
  const std::string report = ScrReportFile(request.ScrFile);
  if (int io = env.fs.WriteWhole(kCdsScrWBody, out.Body()); io != kIoOk) {
    ErrorBox(env, UnwritableFileText(kCdsScrWBody, io));
    return std::nullopt;
  }
  if (env.fs.WriteWhole(report, BlankControlChars(out.Body())) != kIoOk) {
    ErrorBox(env, "Vstupni soubor:    " + std::string(kCdsScrWBody) + "\r" + "Vystupni soubor:  " +
                      report + "\r\r" + "Normalizace se nepodarila !");
    return std::nullopt;
  }

  ReportLayout layout;
  layout.file = report;
  layout.topLines = request.heading2.empty() ? 1 : 2;
  layout.defFile = std::string(kCdsScrWDef);
  int start = 1;
  for (const Column& c : printed) {
    const int w = std::min(c.width, kMaxPrintedWidth);
    layout.start.push_back(start);
    layout.width.push_back(w + 1);
    start += w + 2;
  }
  return layout;
}

}  // namespace orvo
