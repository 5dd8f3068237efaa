#include "core/reports/statement.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "core/accounting/progress_scope.h"
#include "core/accounting/uct_proc.h"
#include "core/data/dataset.h"
#include "core/data/definition.h"
#include "core/output/report_file.h"
#include "core/reports/evaluator.h"
#include "core/shell/file_names.h"
#include "core/sys/dates.h"
#include "core/sys/file_write.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "core/sys/numbers.h"
#include "core/sys/text.h"

namespace orvo {

namespace {

constexpr size_t kCountedDefLine = 72;

// A value as a line keeps it: one that a double cannot hold counts as 0,
// as the evaluator's non-finite results do.
double Stored(long double v) {
  const double d = static_cast<double>(v);
  return std::isfinite(d) ? d : 0.0;
}

long double SideValue(const AccountTotals& a, TermSide side) {
  switch (side) {
    case TermSide::Debit: return a.md;
    case TermSide::Credit: return a.dal;
    default: return a.md - a.dal;
  }
}

std::string FileStem(std::string_view defFile) {
  std::string name = FileNameOf(defFile);
  const size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

}  // namespace

long double SumOfPrefix(const std::vector<AccountTotals>& accounts, std::string_view prefix, TermSide side) {
  auto it = std::lower_bound(accounts.begin(), accounts.end(), prefix,
                             [](const AccountTotals& a, std::string_view p) { return a.account < p; });
  long double sum = 0;
  for (; it != accounts.end() && it->account.compare(0, prefix.size(), prefix) == 0; ++it) {
    sum += SideValue(*it, side);
  }
  return sum;
}

StatementComputation::StatementComputation(const StatementDefinition& def)
    : def_(def), indexOf_(kMaxStatementLine + 1, -1) {
  for (size_t i = 0; i < def.lines.size(); ++i) {
    const StatementLine& l = def.lines[i];
    if (l.number >= 1 && l.number <= kMaxStatementLine) indexOf_[static_cast<size_t>(l.number)] = static_cast<int>(i);
    std::array<std::vector<AccountTerm>, 2> terms;
    if (l.type == 'U') {
      terms[0] = ParseAccountTerms(l.formula[0]);
      terms[1] = ParseAccountTerms(l.formula[1]);
    }
    accountTerms_.push_back(std::move(terms));
    lineTerms_.push_back(l.type == 'R' ? ParseLineTerms(l.formula[0]) : std::vector<LineTerm>());
  }
}

std::vector<LineValues> StatementComputation::Compute(const std::vector<AccountTotals>& accounts) const {
  const size_t n = def_.lines.size();
  const int valued = std::min(def_.columns, 2);
  std::vector<LineValues> values(n, LineValues{0, 0, 0});
  auto valueOf = [&](int number, int column) -> double {
    if (number < 1 || number > kMaxStatementLine) return 0;
    const int at = indexOf_[static_cast<size_t>(number)];
    return at < 0 ? 0 : values[static_cast<size_t>(at)][static_cast<size_t>(column)];
  };
  for (size_t i = 0; i < n; ++i) {
    if (def_.lines[i].type != 'U') continue;
    for (int c = 0; c < valued; ++c) {
      long double sum = 0;
      for (const AccountTerm& t : accountTerms_[i][static_cast<size_t>(c)]) {
        sum += t.sign * SumOfPrefix(accounts, t.prefix, t.side);
      }
      values[i][static_cast<size_t>(c)] = Stored(sum);
    }
  }
  const EvalResolver resolver = [&](const std::string& name) -> long double {
    const size_t open = name.find('[');
    if (open == std::string::npos) return 0;
    const std::string head = name.substr(0, open);
    std::string inside = name.substr(open + 1, 10);
    const size_t close = inside.find(']');
    if (close == std::string::npos) return 0;
    inside.resize(close);
    if (head == "SU") {
      TermSide side = TermSide::Balance;
      if (!inside.empty() && inside[0] == 'M') side = TermSide::Debit;
      if (!inside.empty() && inside[0] == 'D') side = TermSide::Credit;
      return SumOfPrefix(accounts, side == TermSide::Balance ? inside : inside.substr(1), side);
    }
    const bool digits = !inside.empty() && inside.size() <= 4 && inside.find_first_not_of("0123456789") == std::string::npos;
    if (!digits) return 0;
    const int number = std::stoi(inside);
    if (head == "R" || head == "R1") return valueOf(number, 0);
    if (head == "R2") return valueOf(number, 1);
    return 0;
  };
  for (size_t i = 0; i < n; ++i) {
    if (def_.lines[i].type != 'V') continue;
    for (int c = 0; c < valued; ++c) {
      values[i][static_cast<size_t>(c)] = Stored(Evaluate(def_.lines[i].formula[static_cast<size_t>(c)], resolver));
    }
  }
  for (size_t i = 0; i < n; ++i) {
    if (def_.lines[i].type != 'R') continue;
    for (int c = 0; c < valued; ++c) {
      long double sum = 0;
      for (const LineTerm& t : lineTerms_[i]) sum += t.sign * valueOf(t.number, c);
      values[i][static_cast<size_t>(c)] = Stored(sum);
    }
  }
  if (def_.columns == 3) {
    for (LineValues& v : values) v[2] = Stored(static_cast<long double>(v[0]) + v[1]);
  }
  return values;
}

int UnitKeyLength(StatementLevel level) { return 2 * static_cast<int>(level); }

std::string OutputDefinitionText(std::string_view templateText, StatementLevel level,
                                 const StatementDefinition& def) {
  std::vector<std::string> head;
  std::vector<std::string> fields;
  for (std::string_view line : TextLines(templateText)) {
    if (line.size() < kCountedDefLine) {
      if (fields.empty()) head.emplace_back(line);
    } else {
      fields.emplace_back(line);
    }
  }
  fields.resize(6, std::string(kCountedDefLine, ' '));
  std::string text;
  for (const std::string& h : head) text += h + "\r\n";
  const int units = static_cast<int>(level);
  for (int i = 0; i < units; ++i) text += fields[static_cast<size_t>(i)] + "\r\n";
  text += fields[3] + "\r\n" + fields[4] + "\r\n";
  if (Trim(def.headingLine).empty()) return text + fields[5] + "\r\n";
  // Field names already taken by the template's fields, compared in upper case.
  std::set<std::string> taken;
  for (int i = 0; i < 5; ++i) taken.insert(UpperCz(FieldNameOf(std::string_view(fields[static_cast<size_t>(i)]).substr(4, 36))));
  static const char* const kLetters[] = {"F", "G", "H"};
  for (int c = 0; c < def.columns; ++c) {
    std::string heading = Trim(std::string_view(def.headings[static_cast<size_t>(c)]).substr(0, 15));
    std::string name = heading;
    if (name.empty() || !taken.insert(UpperCz(name)).second) {
      // A heading may itself be "Sloupec2": the next free number then.
      for (int n = c + 1; !taken.insert(UpperCz(name = "Sloupec" + std::to_string(n))).second; ++n) {
      }
    }
    std::string line = PadRight(" 15  " + std::string(kLetters[c]) + ". " + name, 40);
    line += PadLeft(heading, 15);
    text += PadRight(line, 70) + "N2\r\n";
  }
  return text;
}

std::string StatementReportFile(std::string_view defFile) {
  return std::string(kStatementResultDir) + "\\" + FileStem(defFile) + ".Ses";
}

std::string StatementDatasetFile(std::string_view defFile) {
  return std::string(kStatementResultDir) + "\\" + FileStem(defFile) + ".Cds";
}

std::optional<StatementDefinition> ReadStatementDefinition(Env& env, std::string_view defFile) {
  if (!FileExistsOrSay(env, defFile)) return std::nullopt;
  int io = 0;
  std::optional<std::string> text = env.fs.ReadWhole(defFile, &io);
  if (!text) {
    ErrorBox(env, "Soubor nelze cist:  " + std::string(defFile));
    return std::nullopt;
  }
  return ParseStatementDefinition(*text);
}

namespace {

// One unit's account totals with its key.
struct UnitTotals {
  std::string key;
  std::vector<AccountTotals> accounts;
};

// The balance records summed per unit of the level and account (the first
// six characters), units and accounts in ascending order.
bool SumPerUnit(Env& env, std::string_view balances, StatementLevel level, std::vector<UnitTotals>& units) {
  Dataset ds(env);
  if (!ds.LoadFromFile(balances)) return false;
  const int fZavod = ds.FieldIndex("Zavod"), fSprava = ds.FieldIndex("Sprava"),
            fStredisko = ds.FieldIndex("Stredisko"), fUcet = ds.FieldIndex("Ucet"), fMD = ds.FieldIndex("MD"),
            fDal = ds.FieldIndex("Dal");
  if (fZavod < 0 || fSprava < 0 || fStredisko < 0 || fUcet < 0 || fMD < 0 || fDal < 0) {
    ErrorBox(env, "Soubor:  " + std::string(balances) + "\r\r" + "neni soubor stavu uctu !");
    return false;
  }
  struct Row {
    std::string key;
    std::string account;
    long double md, dal;
  };
  std::vector<Row> rows;
  rows.reserve(static_cast<size_t>(ds.RecordCount()));
  auto code = [&](int r, int f) { return PadRight(std::string_view(ds.StringAt(r, f)).substr(0, 2), 2); };
  for (int r = 0; r < ds.RecordCount(); ++r) {
    std::string key;
    if (level >= StatementLevel::Zavod) key += code(r, fZavod);
    if (level >= StatementLevel::Sprava) key += code(r, fSprava);
    if (level >= StatementLevel::Stredisko) key += code(r, fStredisko);
    rows.push_back({std::move(key), TrimRight(std::string_view(ds.StringAt(r, fUcet)).substr(0, 6)),
                    static_cast<long double>(TextToReal(ds.StringAt(r, fMD))),
                    static_cast<long double>(TextToReal(ds.StringAt(r, fDal)))});
  }
  std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
    return a.key != b.key ? a.key < b.key : a.account < b.account;
  });
  for (const Row& row : rows) {
    if (units.empty() || units.back().key != row.key) units.push_back({row.key, {}});
    auto& accounts = units.back().accounts;
    if (accounts.empty() || accounts.back().account != row.account) accounts.push_back({row.account, 0, 0});
    accounts.back().md += row.md;
    accounts.back().dal += row.dal;
  }
  return true;
}

// The balance source into a balance-layout file; its name, or nothing
// after the message when the source is missing.
std::optional<std::string> BalanceSourceFile(RunValues& run, TCdsProc& cds, const StatementRequest& request) {
  Env& env = run.env;
  TUctProc proc(run, cds);
  const std::string work1 = WorkFile("Orvoork1.Cds");
  const std::string work2 = WorkFile("Orvoork2.Cds");
  EraseFile(env, work1);
  EraseFile(env, work2);
  switch (request.source) {
    case BalanceSource::Current: {
      const std::string bal = BalanceFile(run);
      const std::string post = PostingFile(run);
      if (!FileExistsOrSay(env, bal) && !FileExistsOrSay(env, post)) return std::nullopt;
      if (!proc.StNove(bal, post, work1)) return std::nullopt;
      return work1;
    }
    case BalanceSource::Month: {
      const std::string bal = BalanceFile(run, request.from);
      if (!FileExistsOrSay(env, bal)) return std::nullopt;
      return bal;
    }
    case BalanceSource::Turnovers:
      if (!proc.ObOdDo(request.from, request.to, work2) || !proc.ObSt(work2, work1)) return std::nullopt;
      return work1;
  }
  return std::nullopt;
}

}  // namespace

StatementResult RunStatement(RunValues& run, TCdsProc& cds, const StatementRequest& request) {
  Env& env = run.env;
  StatementResult result;
  result.reportFile = StatementReportFile(request.defFile);
  result.datasetFile = StatementDatasetFile(request.defFile);
  const std::string templateFile = AppDir(run, "DefSoub") + "\\Vykaz.Def";
  const std::string sumsDef = AppDir(run, "DefSoub") + "\\VykUc.Def";
  for (const std::string& f : {templateFile, sumsDef, request.defFile}) {
    if (!FileExistsOrSay(env, f)) return result;
  }
  std::optional<StatementDefinition> def = ReadStatementDefinition(env, request.defFile);
  if (!def) return result;
  if (!def->Usable()) {
    std::string text = "Soubor:  " + request.defFile + "\r\r";
    for (size_t i = 0; i < def->problems.size() && i < 10; ++i) text += def->problems[i] + "\r";
    ErrorBox(env, text + "\r" + "Definice vykazu nelze pouzit !");
    return result;
  }
  result.title = def->title;
  ComputingProgress progress(env);
  int io = 0;
  std::optional<std::string> templateText = env.fs.ReadWhole(templateFile, &io);
  if (!templateText) return result;
  const std::string outputDef = OutputDefinitionText(*templateText, request.level, *def);
  MakeDirPath(env, DirectoryOf(kStatementOutputDef));
  if (!WriteFileOrAsk(env, kStatementOutputDef, outputDef)) return result;
  LoadedDef layout;
  if (!ReadDef(env, layout, kStatementOutputDef)) return result;

  std::optional<std::string> balances = BalanceSourceFile(run, cds, request);
  if (!balances) return result;
  std::vector<UnitTotals> units;
  if (!SumPerUnit(env, *balances, request.level, units)) return result;

  Dataset out(env);
  cds.params.DefName = std::string(kStatementOutputDef);
  cds.MakeTableVirt(out);
  const int unitFields = static_cast<int>(request.level);
  const int textField = unitFields + 1;
  const int firstValue = unitFields + 2;
  const int values = std::max(0, out.FieldCount() - firstValue);

  std::string columnHeading;
  for (int w = 1; w <= layout.PSl; ++w) {
    const DefWord& word = layout.Word(w);
    columnHeading += PadRight(std::string_view(word.Heading).substr(0, static_cast<size_t>(word.TD) + 2), word.TD + 2);
  }
  if (columnHeading.size() >= 2) columnHeading.resize(columnHeading.size() - 2);
  std::string pageHeading = "Orvo - Zakladni vykazy  Obdobi:  " + run.CurrentPeriod + "   " + TodayText(env) + "  " + NowText(env);
  pageHeading = PadRight(pageHeading, std::max<int>(0, static_cast<int>(columnHeading.size()) - 8)) + "Str: ";

  const StatementComputation computation(*def);
  const int highest = def->HighestNumber();
  const int textWidth = layout.PSl > unitFields + 1 ? layout.Word(textField + 1).TD : 60;
  const int numberWidth = layout.PSl > unitFields ? layout.Word(unitFields + 1).TD : 3;
  std::vector<std::string> report;
  int page = 0;
  auto header = [&] {
    report.push_back(pageHeading + IntTextPadded(page, 3));
    report.push_back("");
    report.push_back(def->title);
    report.push_back("");
    report.push_back(columnHeading);
    report.push_back("");
    report.push_back("");
  };
  std::vector<std::string> composed(static_cast<size_t>(highest) + 1);
  std::vector<bool> defined(static_cast<size_t>(highest) + 1);
  for (const UnitTotals& unit : units) {
    ++page;
    const std::vector<LineValues> lineValues = computation.Compute(unit.accounts);
    std::fill(composed.begin(), composed.end(), std::string());
    std::string prefix;
    for (int u = 0; u < unitFields; ++u) prefix += PadRight(unit.key.substr(static_cast<size_t>(2 * u), 2), layout.Word(u + 1).TD + 2);
    for (size_t i = 0; i < def->lines.size(); ++i) {
      const StatementLine& l = def->lines[i];
      std::string line = prefix + PadRight(IntTextPadded(l.number, 3), numberWidth + 2);
      if (l.type == 'U' || l.type == 'V' || l.type == 'R') {
        line += PadRight(std::string_view(l.text).substr(0, static_cast<size_t>(textWidth)), textWidth + 2);
        out.Append();
        for (int u = 0; u < unitFields; ++u) out.SetAsString(u, unit.key.substr(static_cast<size_t>(2 * u), 2));
        out.SetAsString(unitFields, IntTextPadded(l.number, 3));
        out.SetAsString(textField, l.text);
        for (int c = 0; c < values; ++c) {
          const int width = out.Field(firstValue + c).size;
          const double v = lineValues[i][static_cast<size_t>(c)];
          out.SetAsString(firstValue + c, RealTextRounded(width, 2, v));
          line += RealTextRounded(c == 0 ? width : width + 2, 2, v);
        }
        out.Post();
      } else if (l.type == 'Z') {
        line += std::string(static_cast<size_t>(textWidth), l.text.empty() ? ' ' : l.text[0]);
      } else {
        line += TrimRight(l.text);
      }
      composed[static_cast<size_t>(l.number)] = TrimRight(line);
    }
    header();
    int count = 10;
    for (int number = 1; number <= highest; ++number) {
      ++count;
      if (count > request.pageRows) {
        ++page;
        report.emplace_back(kPageBreakLine);
        report.push_back("");
        header();
        count = 11;
      }
      report.push_back(composed[static_cast<size_t>(number)]);
    }
    report.emplace_back(kPageBreakLine);
  }
  MakeDirPath(env, kStatementResultDir);
  if (WriteReport(env, result.reportFile, report) != 0) return result;
  if (!out.SaveToFile(result.datasetFile, DataFormat::Binary)) return result;
  result.units = static_cast<int>(units.size());
  result.ok = true;
  return result;
}

}  // namespace orvo
