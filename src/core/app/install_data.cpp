#include "core/app/install_data.h"

#include <algorithm>
#include <numeric>

#include "core/shell/file_names.h"
#include "core/sys/file_write.h"
#include "core/shell/period.h"
#include "core/data/cds_proc.h"
#include "core/data/definition.h"
#include "core/data/format_word.h"
#include "core/sys/dates.h"
#include "core/sys/encoding.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "core/sys/text.h"

namespace orvo {

namespace {

// The code list is made through the engine from its definition, which is
// put here for the moment it takes.
constexpr std::string_view kInstallWorkDef = "C:\\A_Run\\Work\\InstallCis.Def";

std::vector<std::string> SplitFields(std::string_view line) {
  std::vector<std::string> fields;
  size_t start = 0;
  while (true) {
    size_t bar = line.find('|', start);
    fields.emplace_back(line.substr(start, bar == std::string_view::npos ? bar : bar - start));
    if (bar == std::string_view::npos) break;
    start = bar + 1;
  }
  return fields;
}

bool IsNote(std::string_view line) {
  std::string t = Trim(line);
  return t.empty() || t[0] == '#';
}

std::string WithoutCr(std::string_view line) {
  std::string s(line);
  if (!s.empty() && s.back() == '\r') s.pop_back();
  return s;
}

bool Fail(InstallFault* fault, std::string_view file, int line, std::string problem) {
  fault->file = std::string(file);
  fault->line = line;
  fault->problem = std::move(problem);
  return false;
}

std::string Num(int n) { return std::to_string(n); }

void ReportFault(Env& env, const InstallSources& sources, const InstallFault& fault) {
  std::string where = Utf8ToCp1250(fault.file);
  if (fault.line > 0) where += ", radek " + Num(fault.line);
  ErrorBox(env, where + ":\r" + fault.problem + "\r\r" + Utf8ToCp1250(sources.origin),
           "Chyba v instalacnich datech");
}

std::string TargetPath(const Session& session, const InstallItem& item, const std::string& year) {
  std::string target = item.target;
  size_t at = target.find("{YY}");
  if (at != std::string::npos) target.replace(at, 4, year);
  return session.DataRoot + "\\" + target;
}

bool WriteCodeList(Session& session, const BuiltCodeList& list, const std::string& target) {
  Env& env = session.env;
  if (!WriteFileOrAsk(env, kInstallWorkDef, list.defText)) return false;
  TCdsProc& cds = session.engine;
  cds.params.DefName = std::string(kInstallWorkDef);
  Dataset table(env);
  cds.MakeTableVirt(table);
  for (const auto& record : list.records) {
    table.Append();
    for (size_t f = 0; f < record.size(); ++f) table.SetAsString(static_cast<int>(f), record[f]);
    table.Post();
  }
  bool saved = table.SaveToFile(target, DataFormat::Binary);
  EraseFile(env, kInstallWorkDef);
  return saved;
}

}  // namespace

bool ParseInstallManifest(std::string_view text, std::vector<InstallItem>* items,
                          InstallFault* fault) {
  items->clear();
  int n = 0;
  for (std::string_view raw : TextLines(text)) {
    ++n;
    if (IsNote(raw)) continue;
    std::vector<std::string> f = SplitFields(WithoutCr(raw));
    if (f.size() != 4) {
      return Fail(fault, kInstallManifest, n, "Radek nema ctyri udaje oddelene znakem |");
    }
    InstallItem item{Trim(f[0]), Trim(f[1]), Trim(f[2]), Trim(f[3]), n};
    if (item.scope != "install" && item.scope != "demo") {
      return Fail(fault, kInstallManifest, n, "Rozsah musi byt install nebo demo");
    }
    if (item.source.empty() || item.target.empty()) {
      return Fail(fault, kInstallManifest, n, "Chybi zdroj nebo cil");
    }
    items->push_back(std::move(item));
  }
  return true;
}

std::string DefinitionBytes(std::string_view utf8) {
  std::string bytes;
  for (std::string_view line : TextLines(utf8)) {
    bytes += Utf8ToCp1250(WithoutCr(line));
    bytes += "\r\n";
  }
  return bytes;
}

bool BuildCodeList(Env& env, std::string_view defSourceName, std::string_view defUtf8,
                   std::string_view listSourceName, std::string_view listUtf8, BuiltCodeList* out,
                   InstallFault* fault) {
  out->records.clear();
  if (!Utf8FitsCp1250(defUtf8)) {
    return Fail(fault, defSourceName, 0, "Definice obsahuje znak mimo kodovou stranku 1250");
  }
  out->defText = DefinitionBytes(defUtf8);
  LoadedDef def;
  DefParse parse = ParseDef(out->defText, def);
  if (parse.problem != DefProblem::None || parse.recLenOver || def.PSl == 0) {
    return Fail(fault, defSourceName, parse.line, "Definici nelze pouzit");
  }

  std::vector<std::string> keys;
  std::vector<int> lines;
  int n = 0;
  for (std::string_view raw : TextLines(listUtf8)) {
    ++n;
    if (IsNote(raw)) continue;
    std::string line = WithoutCr(raw);
    if (!Utf8FitsCp1250(line)) {
      return Fail(fault, listSourceName, n, "Radek obsahuje znak mimo kodovou stranku 1250");
    }
    std::vector<std::string> values = SplitFields(Utf8ToCp1250(line));
    if (static_cast<int>(values.size()) > def.PSl) {
      return Fail(fault, listSourceName, n,
                  "Udaju je vice nez slov definice (" + Num(def.PSl) + ")");
    }
    values.resize(static_cast<size_t>(def.PSl));
    for (int i = 1; i <= def.PSl; ++i) {
      std::string& v = values[static_cast<size_t>(i - 1)];
      v = Trim(v);
      const DefWord& w = def.Word(i);
      if (static_cast<int>(v.size()) > w.TD) {
        return Fail(fault, listSourceName, n,
                    "Udaj " + Num(i) + " je delsi nez " + Num(w.TD) + " znaku");
      }
      if (!FormatWord(env, def, v, i, 'X')) {
        return Fail(fault, listSourceName, n, "Udaj " + Num(i) + " neprosel kontrolou " + w.SP);
      }
    }
    std::string key;
    for (int k = 0; k < def.KeyCount(); ++k) {
      int word = def.KeyList[static_cast<size_t>(k)];
      key += PadRight(values[static_cast<size_t>(word - 1)], def.Word(word).TD);
    }
    if (def.KeyCount() > 0 && AllBlanks(key)) {
      return Fail(fault, listSourceName, n, "Chybi klic");
    }
    keys.push_back(key);
    lines.push_back(n);
    out->records.push_back(std::move(values));
  }

  std::vector<size_t> order(out->records.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return keys[a] < keys[b]; });
  for (size_t i = 1; def.KeyCount() > 0 && i < order.size(); ++i) {
    if (keys[order[i]] == keys[order[i - 1]]) {
      return Fail(fault, listSourceName, lines[order[i]],
                  "Klic se opakuje (radek " + Num(lines[order[i - 1]]) + ")");
    }
  }
  std::vector<std::vector<std::string>> sorted;
  sorted.reserve(order.size());
  for (size_t i : order) sorted.push_back(std::move(out->records[i]));
  out->records = std::move(sorted);
  return true;
}

std::string InstallYear(Session& session) {
  if (FileExistsQuiet(session.env, PeriodFileName(session))) {
    LoadPeriod(session);
    if (PeriodValid(session.CurrentPeriod)) return session.PeriodYear;
  }
  return TodayText(session.env).substr(8, 2);
}

namespace {

struct Planned {
  const InstallItem* item;
  std::string bytes;  // a definition
  BuiltCodeList list;
};

// Every source of the scope converted in memory; the first fault is
// reported.
bool Plan(Env& env, const InstallSources& sources, InstallScope scope,
          std::vector<InstallItem>* items, std::vector<Planned>* plan) {
  auto text = [&](const std::string& name) -> const std::string* {
    auto it = sources.files.find(name);
    return it == sources.files.end() ? nullptr : &it->second;
  };
  InstallFault fault;
  const std::string* manifest = text(std::string(kInstallManifest));
  if (manifest == nullptr) {
    ReportFault(env, sources, {std::string(kInstallManifest), 0, "Soubor chybi"});
    return false;
  }
  if (!ParseInstallManifest(*manifest, items, &fault)) {
    ReportFault(env, sources, fault);
    return false;
  }
  plan->clear();
  for (const InstallItem& item : *items) {
    if (item.scope == "demo" && scope != InstallScope::Demo) continue;
    const std::string* source = text(item.source);
    if (source == nullptr) {
      ReportFault(env, sources, {item.source, 0, "Soubor chybi"});
      return false;
    }
    Planned p{&item, {}, {}};
    if (item.def.empty()) {
      if (!Utf8FitsCp1250(*source)) {
        ReportFault(env, sources,
                    {item.source, 0, "Definice obsahuje znak mimo kodovou stranku 1250"});
        return false;
      }
      p.bytes = DefinitionBytes(*source);
    } else {
      const std::string* def = text(item.def);
      if (def == nullptr) {
        ReportFault(env, sources, {item.def, 0, "Soubor chybi"});
        return false;
      }
      if (!BuildCodeList(env, item.def, *def, item.source, *source, &p.list, &fault)) {
        ReportFault(env, sources, fault);
        return false;
      }
    }
    plan->push_back(std::move(p));
  }
  return true;
}

}  // namespace

bool CheckInstallData(Env& env, const InstallSources& sources, InstallScope scope) {
  std::vector<InstallItem> items;
  std::vector<Planned> plan;
  return Plan(env, sources, scope, &items, &plan);
}

bool InstallData(Session& session, const InstallSources& sources, InstallScope scope,
                 std::vector<std::string>* created) {
  Env& env = session.env;
  created->clear();
  // Everything is checked before anything is written, so that faulty data
  // never leaves half an installation behind.
  std::vector<InstallItem> items;
  std::vector<Planned> plan;
  if (!Plan(env, sources, scope, &items, &plan)) return false;

  std::string year = InstallYear(session);
  for (const Planned& p : plan) {
    std::string target = TargetPath(session, *p.item, year);
    if (FileExistsQuiet(env, target)) continue;
    MakeDirPath(env, DirectoryOf(target));
    bool written = p.item->def.empty() ? WriteFileOrAsk(env, target, p.bytes)
                                       : WriteCodeList(session, p.list, target);
    if (!written) return false;
    created->push_back(target);
  }
  return true;
}

}  // namespace orvo
