#include "core/reports/calculation.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <tuple>

#include "core/accounting/progress_scope.h"
#include "core/accounting/uct_proc.h"
#include "core/data/dataset.h"
#include "core/data/definition.h"
#include "core/output/report_file.h"
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
constexpr size_t kMaxFormula = 1000;

std::string Columns(std::string_view line, size_t from, size_t to) {
  if (line.size() < from) return std::string();
  return std::string(line.substr(from - 1, std::min(line.size(), to) - (from - 1)));
}

std::string Say(const StatementLine& l, std::string_view what) {
  return "Radek " + std::to_string(l.fileLine) + " definice: " + std::string(what);
}

// The unit part u (0-based) of an organisational key.
std::string KeyPart(const std::string& key, int u) {
  const size_t at = static_cast<size_t>(2 * u);
  return at < key.size() ? key.substr(at, 2) : std::string();
}

std::string KeyOf(StatementLevel level, std::string_view zavod, std::string_view sprava, std::string_view stredisko) {
  auto code = [](std::string_view v) { return PadRight(v.substr(0, std::min<size_t>(2, v.size())), 2); };
  std::string key;
  if (level >= StatementLevel::Zavod) key += code(zavod);
  if (level >= StatementLevel::Sprava) key += code(sprava);
  if (level >= StatementLevel::Stredisko) key += code(stredisko);
  return key;
}

double Stored(long double v) {
  const double d = static_cast<double>(v);
  return std::isfinite(d) ? d : 0.0;
}

}  // namespace

StatementDefinition ParseCalculationDefinition(std::string_view text) {
  StatementDefinition def;
  def.headings.assign(1, std::string());
  std::vector<std::string_view> lines = TextLines(text);
  if (!lines.empty()) def.title = TrimRight(lines[0]);
  std::set<int> seen;
  for (size_t n = 2; n < lines.size(); ++n) {
    std::string_view raw = lines[n];
    if (raw.size() <= 70) continue;
    StatementLine l;
    l.fileLine = static_cast<int>(n + 1);
    l.text = Columns(raw, 1, 60);
    const std::string number = Trim(Columns(raw, 61, 63));
    const bool digits = !number.empty() && number.find_first_not_of("0123456789") == std::string::npos;
    l.number = digits ? std::stoi(number) : 0;
    if (!digits || l.number < 1 || l.number > kMaxStatementLine) {
      def.problems.push_back(Say(l, "chybne cislo radku kalkulace \"" + number + "\" (1 az 999)"));
      continue;
    }
    if (!seen.insert(l.number).second) {
      def.problems.push_back(Say(l, "opakovane cislo radku kalkulace " + std::to_string(l.number)));
      continue;
    }
    const char type = raw[70];
    l.type = type >= 'a' && type <= 'z' ? static_cast<char>(type - 'a' + 'A') : type;
    l.formula[0] = Columns(raw, 81, 80 + kMaxFormula);
    def.lines.push_back(std::move(l));
  }
  return def;
}

std::optional<StatementDefinition> ReadCalculationDefinition(Env& env, std::string_view defFile) {
  if (!FileExistsOrSay(env, defFile)) return std::nullopt;
  int io = 0;
  std::optional<std::string> text = env.fs.ReadWhole(defFile, &io);
  if (!text) {
    ErrorBox(env, "Soubor nelze cist:  " + std::string(defFile));
    return std::nullopt;
  }
  return ParseCalculationDefinition(*text);
}

std::string CalculationOutputDefinitionText(std::string_view templateText, StatementLevel level) {
  std::vector<std::string> head;
  std::vector<std::string> fields;
  for (std::string_view line : TextLines(templateText)) {
    if (line.size() < kCountedDefLine) {
      if (fields.empty()) head.emplace_back(line);
    } else {
      fields.emplace_back(line);
    }
  }
  std::string text;
  for (const std::string& h : head) text += h + "\r\n";
  const size_t units = static_cast<size_t>(level);
  for (size_t i = 0; i < units && i < fields.size(); ++i) text += fields[i] + "\r\n";
  for (size_t i = 3; i < fields.size(); ++i) text += fields[i] + "\r\n";
  return text;
}

std::vector<ActivityQuantity> SumQuantities(const std::vector<std::vector<std::string>>& records,
                                            StatementLevel level) {
  std::map<std::tuple<std::string, std::string, std::string>, long double> sums;
  for (const std::vector<std::string>& r : records) {
    if (r.size() < 7) continue;
    const std::string activity = TrimRight(r[4]);
    if (Trim(activity).empty()) continue;
    sums[{KeyOf(level, r[0], r[1], r[2]), activity, Trim(r[5])}] += TextToReal(r[6]);
  }
  std::vector<ActivityQuantity> out;
  out.reserve(sums.size());
  for (const auto& [k, q] : sums) {
    out.push_back({std::get<0>(k), std::get<1>(k), std::get<2>(k), Stored(q)});
  }
  return out;
}

std::vector<CalculationGroup> JoinCalculation(const std::vector<ActivityQuantity>& quantities,
                                              const std::vector<ActivityAccounts>& accounts,
                                              std::vector<std::string>* several) {
  std::vector<CalculationGroup> groups;
  auto less = [](const std::string& k1, const std::string& a1, const std::string& k2, const std::string& a2) {
    return k1 != k2 ? k1 < k2 : a1 < a2;
  };
  size_t a = 0;
  for (size_t q = 0; q < quantities.size(); ++q) {
    const ActivityQuantity& Q = quantities[q];
    while (a < accounts.size() && less(accounts[a].key, accounts[a].activity, Q.key, Q.activity)) ++a;
    if (a == accounts.size() || accounts[a].key != Q.key || accounts[a].activity != Q.activity) continue;
    groups.push_back({Q.key, Q.activity, Q.unit, Q.quantity, &accounts[a].accounts});
    const bool sameAsBefore = q > 0 && quantities[q - 1].key == Q.key && quantities[q - 1].activity == Q.activity;
    const bool sameAsNext = q + 1 < quantities.size() && quantities[q + 1].key == Q.key &&
                            quantities[q + 1].activity == Q.activity;
    if (several != nullptr && sameAsNext && !sameAsBefore) {
      std::string units;
      for (size_t k = q; k < quantities.size() && quantities[k].key == Q.key && quantities[k].activity == Q.activity; ++k) {
        units += (units.empty() ? "" : ", ") + quantities[k].unit;
      }
      several->push_back("Cinnost " + Q.activity + (Q.key.empty() ? "" : " (jednotka " + Q.key + ")") +
                         " ma vice mernych jednotek: " + units + " - kazda ma svou stranu");
    }
  }
  return groups;
}

namespace {

// The balance records with an activity summed per key, activity and account.
bool SumActivityAccounts(Env& env, std::string_view balances, StatementLevel level,
                         std::vector<ActivityAccounts>& out) {
  Dataset ds(env);
  if (!ds.LoadFromFile(balances)) return false;
  const int fZavod = ds.FieldIndex("Zavod"), fSprava = ds.FieldIndex("Sprava"),
            fStredisko = ds.FieldIndex("Stredisko"), fUcet = ds.FieldIndex("Ucet"),
            fCinnost = ds.FieldIndex("Cinnost"), fMD = ds.FieldIndex("MD"), fDal = ds.FieldIndex("Dal");
  if (fZavod < 0 || fSprava < 0 || fStredisko < 0 || fUcet < 0 || fCinnost < 0 || fMD < 0 || fDal < 0) {
    ErrorBox(env, "Soubor:  " + std::string(balances) + "\r\r" + "neni soubor stavu uctu !");
    return false;
  }
  struct Row {
    std::string key, activity, account;
    long double md, dal;
  };
  std::vector<Row> rows;
  rows.reserve(static_cast<size_t>(ds.RecordCount()));
  for (int r = 0; r < ds.RecordCount(); ++r) {
    std::string activity = TrimRight(ds.StringAt(r, fCinnost));
    if (Trim(activity).empty()) continue;
    rows.push_back({KeyOf(level, ds.StringAt(r, fZavod), ds.StringAt(r, fSprava), ds.StringAt(r, fStredisko)),
                    std::move(activity), TrimRight(std::string_view(ds.StringAt(r, fUcet)).substr(0, 6)),
                    static_cast<long double>(TextToReal(ds.StringAt(r, fMD))),
                    static_cast<long double>(TextToReal(ds.StringAt(r, fDal)))});
  }
  std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
    if (a.key != b.key) return a.key < b.key;
    return a.activity != b.activity ? a.activity < b.activity : a.account < b.account;
  });
  for (const Row& row : rows) {
    if (out.empty() || out.back().key != row.key || out.back().activity != row.activity) {
      out.push_back({row.key, row.activity, {}});
    }
    auto& accounts = out.back().accounts;
    if (accounts.empty() || accounts.back().account != row.account) accounts.push_back({row.account, 0, 0});
    accounts.back().md += row.md;
    accounts.back().dal += row.dal;
  }
  return true;
}

// Every record of a file as texts, field by field.
bool RecordsOf(Env& env, std::string_view file, std::vector<std::vector<std::string>>& out) {
  Dataset ds(env);
  if (!ds.LoadFromFile(file)) return false;
  out.reserve(static_cast<size_t>(ds.RecordCount()));
  for (int r = 0; r < ds.RecordCount(); ++r) {
    std::vector<std::string> values;
    for (int f = 0; f < ds.FieldCount(); ++f) values.push_back(ds.StringAt(r, f));
    out.push_back(std::move(values));
  }
  return true;
}

// The names of the activities of the working year's list (code without
// blanks -> name); empty when the list is missing.
std::map<std::string, std::string> ActivityNames(RunValues& run) {
  std::map<std::string, std::string> names;
  const std::string file = AppDir(run, "Cisel") + "\\" + run.PeriodYear + "Cinn.Cds";
  if (!FileExistsQuiet(run.env, file)) return names;
  Dataset ds(run.env);
  if (!ds.LoadFromFile(file) || ds.FieldCount() < 2) return names;
  for (int r = 0; r < ds.RecordCount(); ++r) names[RemoveBlanks(ds.StringAt(r, 0))] = TrimRight(ds.StringAt(r, 1));
  return names;
}

// The joined table for looking into afterwards (KalkDat.Def): key,
// activity, account, MD, Dal, unit of measure, quantity.
bool WriteJoin(RunValues& run, TCdsProc& cds, const std::string& def, const std::vector<CalculationGroup>& groups) {
  Dataset ds(run.env);
  cds.params.DefName = def;
  cds.MakeTableVirt(ds);
  if (ds.FieldCount() < 7) return true;
  for (const CalculationGroup& g : groups) {
    for (const AccountTotals& a : *g.accounts) {
      ds.Append();
      ds.SetAsString(0, g.key);
      ds.SetAsString(1, g.activity);
      ds.SetAsString(2, a.account);
      ds.SetAsString(3, RealTextRounded(ds.Field(3).size, 2, Stored(a.md)));
      ds.SetAsString(4, RealTextRounded(ds.Field(4).size, 2, Stored(a.dal)));
      ds.SetAsString(5, g.unit);
      ds.SetAsString(6, RealTextRounded(ds.Field(6).size, 3, g.quantity));
      ds.Post();
    }
  }
  return ds.SaveToFile(kCalculationJoinFile, DataFormat::Binary);
}

}  // namespace

CalculationResult RunCalculation(RunValues& run, TCdsProc& cds, const CalculationRequest& request) {
  Env& env = run.env;
  CalculationResult result;
  result.reportFile = StatementReportFile(request.defFile);
  result.datasetFile = StatementDatasetFile(request.defFile);
  const std::string defDir = AppDir(run, "DefSoub");
  const std::string quantitiesFile = KalkMnFile(run);
  const std::string templateFile = defDir + "\\Kalkul.Def";
  const std::string joinDef = defDir + "\\KalkDat.Def";
  for (const std::string& f : {quantitiesFile, defDir + "\\KalkMn.Def", templateFile, defDir + "\\KalkCnUc.Def",
                               defDir + "\\KalkCnMn.Def", joinDef, request.defFile}) {
    if (!FileExistsOrSay(env, f)) return result;
  }
  std::optional<StatementDefinition> def = ReadCalculationDefinition(env, request.defFile);
  if (!def) return result;
  if (!def->Usable()) {
    std::string text = "Soubor:  " + request.defFile + "\r\r";
    for (size_t i = 0; i < def->problems.size() && i < 10; ++i) text += def->problems[i] + "\r";
    ErrorBox(env, text + "\r" + "Definici kalkulace nelze pouzit !");
    return result;
  }
  result.title = def->title;
  ComputingProgress progress(env);
  int io = 0;
  std::optional<std::string> templateText = env.fs.ReadWhole(templateFile, &io);
  if (!templateText) {
    ErrorBox(env, "Soubor nelze cist:  " + templateFile);
    return result;
  }
  MakeDirPath(env, DirectoryOf(kCalculationOutputDef));
  if (!WriteFileOrAsk(env, kCalculationOutputDef, CalculationOutputDefinitionText(*templateText, request.level))) {
    return result;
  }
  LoadedDef layout;
  if (!ReadDef(env, layout, kCalculationOutputDef)) return result;
  const int unitFields = static_cast<int>(request.level);
  if (layout.PSl < unitFields + 8) {
    ErrorBox(env, "Soubor:  " + templateFile + "\r\r" + "nema pole kalkulace (jednotky, radek, text, cinnost, nazev, "
                  "hodnota, MJ, mnozstvi, kalkulace) !");
    return result;
  }

  std::vector<std::vector<std::string>> quantityRecords;
  if (!RecordsOf(env, quantitiesFile, quantityRecords)) return result;
  const std::vector<ActivityQuantity> quantities = SumQuantities(quantityRecords, request.level);
  quantityRecords.clear();

  TUctProc proc(run, cds);
  const std::string work1(kCalculationJoinFile);
  EraseFile(env, work1);
  const std::string bal = BalanceFile(run);
  const std::string post = PostingFile(run);
  if (!FileExistsOrSay(env, bal) && !FileExistsOrSay(env, post)) return result;
  if (!proc.StNove(bal, post, work1)) return result;
  std::vector<ActivityAccounts> accounts;
  if (!SumActivityAccounts(env, work1, request.level, accounts)) return result;
  const std::vector<CalculationGroup> groups = JoinCalculation(quantities, accounts, &result.notes);
  EraseFile(env, work1);
  if (!WriteJoin(run, cds, joinDef, groups)) return result;

  MakeDirPath(env, kStatementResultDir);
  if (groups.empty()) {
    EraseFile(env, result.reportFile);
    EraseFile(env, result.datasetFile);
    InfoBox(env, std::string(kNoCalculationResult), "Kalkulace:  " + request.defFile);
    result.ok = true;
    return result;
  }

  Dataset out(env);
  cds.params.DefName = std::string(kCalculationOutputDef);
  cds.MakeTableVirt(out);
  // Fields from the first after the units: line number, text, activity,
  // activity name, value, unit of measure, quantity, per-unit value.
  const int fNumber = unitFields, fText = unitFields + 1, fActivity = unitFields + 2, fName = unitFields + 3,
            fValue = unitFields + 4, fUnit = unitFields + 5, fQuantity = unitFields + 6, fPerUnit = unitFields + 7;
  auto width = [&](int field) { return layout.Word(field + 1).TD; };

  std::string columnHeading;
  for (int u = 0; u < unitFields; ++u) {
    const DefWord& word = layout.Word(u + 1);
    columnHeading += PadRight(std::string_view(word.Heading).substr(0, static_cast<size_t>(word.TD) + 2), word.TD + 2);
  }
  columnHeading += "Rad  Popis                              ";
  columnHeading += "                                Skutecnost     Kalkulace";
  std::string pageHeading =
      "Orvo - Kalkulace  Obdobi:  " + run.CurrentPeriod + "   " + TodayText(env) + "  " + NowText(env);
  pageHeading = PadRight(pageHeading, std::max<int>(0, static_cast<int>(columnHeading.size()) - 8)) + "Str: ";

  const StatementComputation computation(*def);
  const std::map<std::string, std::string> names = ActivityNames(run);
  const int highest = def->HighestNumber();
  const int textWidth = width(fText);
  std::vector<std::string> report;
  std::vector<std::string> composed(static_cast<size_t>(highest) + 1);
  int page = 0;
  for (const CalculationGroup& g : groups) {
    ++page;
    const std::vector<LineValues> values = computation.Compute(*g.accounts);
    auto found = names.find(RemoveBlanks(g.activity));
    const std::string name = found == names.end() ? std::string() : found->second;
    report.insert(report.end(), {"", "", pageHeading + IntTextPadded(page, 3), "", def->title, ""});
    std::string activityLine = "Cinnost: " + g.activity + " - ";
    if (found != names.end()) {
      activityLine += PadRight(std::string_view(name).substr(0, std::min<size_t>(30, name.size())), 30) +
                      std::string(static_cast<size_t>(4 * unitFields), ' ');
    }
    activityLine += "   /   MJ: " + g.unit + "   /   Mnozstvi: " + RealTextRounded(12, 3, g.quantity);
    report.insert(report.end(), {activityLine, "", columnHeading, "", ""});

    std::fill(composed.begin(), composed.end(), std::string());
    std::string prefix;
    for (int u = 0; u < unitFields; ++u) prefix += PadRight(KeyPart(g.key, u), width(u) + 2);
    for (size_t i = 0; i < def->lines.size(); ++i) {
      const StatementLine& l = def->lines[i];
      std::string line = prefix + PadRight(IntTextPadded(l.number, 3), width(fNumber) + 2);
      if (l.type == 'U' || l.type == 'V' || l.type == 'R') {
        const double v = values[i][0];
        // A quantity of 0 has no amount per unit: the column stays blank.
        const bool perUnit = g.quantity != 0;
        const double unitValue = perUnit ? Stored(static_cast<long double>(v) / g.quantity) : 0;
        line += PadRight(std::string_view(l.text).substr(0, static_cast<size_t>(textWidth)), textWidth + 2);
        line += RealTextRounded(width(fValue), 2, v);
        line += perUnit ? RealTextRounded(width(fPerUnit), 3, unitValue) : std::string(static_cast<size_t>(width(fPerUnit)), ' ');
        out.Append();
        for (int u = 0; u < unitFields; ++u) out.SetAsString(u, KeyPart(g.key, u));
        out.SetAsString(fNumber, IntTextPadded(l.number, 3));
        out.SetAsString(fText, l.text);
        out.SetAsString(fActivity, g.activity);
        out.SetAsString(fName, name);
        out.SetAsString(fValue, RealTextRounded(width(fValue), 2, v));
        out.SetAsString(fUnit, g.unit);
        out.SetAsString(fQuantity, RealTextRounded(width(fQuantity), 3, g.quantity));
        if (perUnit) out.SetAsString(fPerUnit, RealTextRounded(width(fPerUnit), 3, unitValue));
        out.Post();
      } else if (l.type == 'Z') {
        line += std::string(static_cast<size_t>(textWidth), l.text.empty() ? ' ' : l.text[0]);
      } else {
        line += TrimRight(l.text);
      }
      composed[static_cast<size_t>(l.number)] = TrimRight(line);
    }
    for (int number = 1; number <= highest; ++number) report.push_back(composed[static_cast<size_t>(number)]);
    report.emplace_back(kPageBreakLine);
  }
  if (WriteReport(env, result.reportFile, report) != 0) return result;
  if (!out.SaveToFile(result.datasetFile, DataFormat::Binary)) return result;
  result.pages = page;
  result.ok = true;
  return result;
}

}  // namespace orvo
