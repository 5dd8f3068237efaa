#include "core/accounting/legacy_conversion.h"

#include <algorithm>
#include <map>

#include "core/accounting/legacy_balance_reader.h"
#include "core/accounting/progress_scope.h"
#include "core/accounting/uct_proc.h"
#include "core/data/dataset.h"
#include "core/data/dataset_ops.h"
#include "core/data/foreign_records.h"
#include "core/data/imports.h"
#include "core/shell/archiving.h"
#include "core/shell/file_names.h"
#include "core/shell/init_file.h"
#include "core/shell/period.h"
#include "core/shell/period_keys.h"
#include "core/sys/copy.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "core/sys/numbers.h"
#include "core/sys/text.h"

namespace orvo {

namespace {

struct CodeListKind {
  const char* legacy;  // in LegacyDataDir\PomSoub, with or without the year
  const char* def;
  const char* target;  // in DataRoot\LOrvo\Cisel after the year
};
constexpr CodeListKind kLists[] = {{"Ucet.Cis", "DosUcet.Def", "Ucty.Cds"},
                                   {"Cinn.Cis", "DosCinn.Def", "Cinn.Cds"},
                                   {"Konto.Cis", "DosKonto.Def", "Konta.Cds"}};

constexpr int kHighestLegacyMonth = 15;
constexpr std::string_view kPostingNote = "Prevod z Dosu";

std::vector<std::string> FieldNames(const LoadedDef& def) {
  std::vector<std::string> names;
  for (const DefWord& w : def.words) names.push_back(Trim(w.FieldName));
  return names;
}

// LegacyDataDir without a closing backslash ("D:\\" stays).
std::string LegacyDir(const RunValues& run) {
  std::string dir = run.LegacyDataDir;
  while (dir.size() > 3 && dir.back() == '\\') dir.pop_back();
  return dir;
}

bool Refuse(std::string* reason, std::string text) {
  *reason = std::move(text);
  return false;
}

}  // namespace

std::string ConversionSummary::Text() const {
  // Bare file names, at most kShown lines of each kind, so that the box
  // fits the screen also after a conversion of many years.
  constexpr size_t kShown = 24;
  auto bare = [](const std::string& path) { return path.substr(path.find_last_of('\\') + 1); };
  auto more = [](size_t count) {
    return count > kShown ? "\r... a dalsich " + std::to_string(count - kShown) : std::string();
  };
  std::string text = "Prevedeno souboru: " + std::to_string(converted.size()) +
                     "\rPreskoceno souboru: " + std::to_string(skipped.size());
  if (!converted.empty()) text += "\r";
  for (size_t i = 0; i < converted.size() && i < kShown; ++i) {
    text += "\rPrevedeno: " + bare(converted[i].first) + " -> " + bare(converted[i].second);
  }
  text += more(converted.size());
  if (!skipped.empty()) text += "\r";
  for (size_t i = 0; i < skipped.size() && i < kShown; ++i) {
    text += "\rPreskoceno: " + bare(skipped[i].first) + " (" + skipped[i].second + ")";
  }
  text += more(skipped.size());
  return text;
}

bool LegacyConversion::DefinitionPresent(std::string_view name, std::string* reason) {
  TUctProc proc(run_, cds_);
  if (FileExistsOrSay(run_.env, proc.DefFile(name))) return true;
  return Refuse(reason, "chybi definice " + proc.DefFile(name));
}

bool LegacyConversion::Prepare(const std::vector<Job>& jobs, std::string_view caption,
                               ConversionSummary& summary) {
  Env& env = run_.env;
  if (jobs.empty()) {
    if (summary.skipped.empty()) {
      InfoBox(env, "V adresari " + LegacyDir(run_) + " nebyl nalezen zadny soubor k prevodu !",
              caption);
    }
    return false;
  }
  int existing = 0;
  for (const Job& job : jobs) existing += FileExistsQuiet(env, job.target) ? 1 : 0;
  if (existing > 0 &&
      !AskYesNo(env,
                "Prevod nahradi existujici soubory: " + std::to_string(existing) +
                    "\r\rKazdy bude nejprve ulozen do archivu " + ArchiveDir(run_) + ".\r\rPokracovat v prevodu ?",
                caption)) {
    summary.declined = true;
    return false;
  }
  return true;
}

bool LegacyConversion::Replace(const std::string& target, const std::string& made, std::string* reason) {
  Env& env = run_.env;
  if (FileExistsQuiet(env, target)) {
    const std::string dir = ArchiveDir(run_);
    MakeDirPath(env, dir);
    if (!ArchiveRotate(env, target, dir, kArchiveGenerations)) {
      return Refuse(reason, "puvodni soubor nelze archivovat, zustal beze zmeny");
    }
  }
  if (CopyFile(env, made, target, true) != 0) return Refuse(reason, "soubor " + target + " nelze zapsat");
  return true;
}

void LegacyConversion::Finish(ConversionSummary& summary, std::string_view caption) {
  LoadPeriod(run_);
  // Nothing found was said already; a declined question needs no summary.
  const bool nothing = summary.converted.empty() && summary.skipped.empty();
  if (!quiet && !summary.declined && !nothing) InfoBox(run_.env, summary.Text(), caption);
}

// --- the code lists ------------------------------------------------------------

ConversionSummary LegacyConversion::CodeLists() {
  constexpr std::string_view caption = "Prevod ciselniku";
  Env& env = run_.env;
  ConversionSummary summary;
  LoadPeriod(run_);
  ReadInitFile(run_);
  const std::string yy = run_.PeriodYear;
  const std::string pom = LegacyDir(run_) + "\\PomSoub\\";
  TUctProc proc(run_, cds_);
  std::vector<Job> jobs;
  for (int i = 0; i < 3; ++i) {
    const CodeListKind& kind = kLists[i];
    Job job;
    job.list = i;
    job.source = pom + yy + kind.legacy;
    if (!FileExistsQuiet(env, job.source)) job.source = pom + kind.legacy;
    if (!FileExistsOrSay(env, job.source)) {
      summary.skipped.emplace_back(job.source, "soubor nebyl nalezen");
      continue;
    }
    std::string reason;
    if (!DefinitionPresent(kind.def, &reason)) {
      summary.skipped.emplace_back(job.source, reason);
      continue;
    }
    if (i == 2) {
      // The konto list moves into the layout of Konta.Def by field names:
      // a word of Konta.Def the legacy layout does not name would arrive
      // empty, so the conversion is refused naming those words.
      if (!DefinitionPresent("Konta.Def", &reason)) {
        summary.skipped.emplace_back(job.source, reason);
        continue;
      }
      LoadedDef legacy, target;
      ReadDef(env, legacy, proc.DefFile(kind.def));
      ReadDef(env, target, proc.DefFile("Konta.Def"));
      const std::vector<std::string> have = FieldNames(legacy);
      std::string missing;
      for (const std::string& name : FieldNames(target)) {
        if (std::find(have.begin(), have.end(), name) == have.end()) missing += (missing.empty() ? "" : ", ") + name;
      }
      if (!missing.empty()) {
        InfoBox(env,
                "Definice " + proc.DefFile(kind.def) + " nema slova definice Konta.Def:\r\r" + missing +
                    "\r\rPrevod kont nebyl proveden !",
                caption);
        summary.skipped.emplace_back(job.source, "definice neodpovida Konta.Def: " + missing);
        continue;
      }
    }
    job.target = AppDir(run_, "Cisel") + "\\" + yy + kind.target;
    jobs.push_back(job);
  }
  if (Prepare(jobs, caption, summary)) {
    ComputingProgress progress(env);
    for (const Job& job : jobs) {
      std::string reason;
      if (CodeList(job, &reason)) {
        summary.converted.emplace_back(job.source, job.target);
      } else {
        summary.skipped.emplace_back(job.source, reason);
      }
    }
  }
  Finish(summary, caption);
  return summary;
}

bool LegacyConversion::CodeList(const Job& job, std::string* reason) {
  Env& env = run_.env;
  TUctProc proc(run_, cds_);
  const CodeListKind& kind = kLists[job.list];
  const std::string imported(job.list == 2 ? kOrvoork1 : kOrvoork);
  cds_.params.DatName = job.source;
  cds_.params.DefName = proc.DefFile(kind.def);
  cds_.params.CdsName = imported;
  cds_.params.XDefName.clear();
  if (!KonvTxCds(cds_, 3)) return Refuse(reason, "soubor nelze nacist");
  if (!proc.SortCds1(cis_, imported, kOrvoork2, 1)) return Refuse(reason, "trideni se nezdarilo");
  std::string made(kOrvoork2);
  if (job.list == 2) {
    made = std::string(kOrvoork);
    EraseFile(env, made);
    ReStruktCds(cds_, kOrvoork2, proc.DefFile("Konta.Def"), made);
    if (!FileExistsQuiet(env, made)) return Refuse(reason, "prevod do Konta.Def se nezdaril");
  }
  return Replace(job.target, made, reason);
}

// --- balances and postings -----------------------------------------------------

std::vector<LegacyConversion::Job> LegacyConversion::PeriodJobs(std::string_view prefix, bool balances) {
  Env& env = run_.env;
  std::vector<Job> jobs;
  // One listing of the legacy directory instead of a look per period; names
  // compare case-insensitively, as the file system finds them.
  const std::string dir = LegacyDir(run_);
  std::map<std::string, std::string> present;
  for (const DirEntry& e : env.fs.List(dir + "\\" + std::string(prefix) + "*.Dat")) {
    if ((e.attr & kAttrDirectory) == 0) present.emplace(UpperCz(e.name), e.name);
  }
  for (int year = 0; year <= 99; ++year) {
    for (int month = 0; month <= kHighestLegacyMonth; ++month) {
      const std::string key = TwoDigits(year) + TwoDigits(month);
      const std::string name = std::string(prefix) + key + ".Dat";
      auto found = present.find(UpperCz(name));
      if (found == present.end()) continue;
      Job job;
      job.source = dir + "\\" + found->second;
      job.period = key;
      job.target = balances ? BalanceFile(run_, key) : PostingFile(run_, key);
      jobs.push_back(job);
    }
  }
  return jobs;
}

ConversionSummary LegacyConversion::Balances() {
  constexpr std::string_view caption = "Prevod pocatecnich stavu uctu";
  Env& env = run_.env;
  ConversionSummary summary;
  LoadPeriod(run_);
  ReadInitFile(run_);
  std::string reason;
  if (!DefinitionPresent("DosUceS.Def", &reason) || !DefinitionPresent("UctS.Def", &reason)) {
    summary.skipped.emplace_back(run_.LegacyDataDir, reason);
    Finish(summary, caption);
    return summary;
  }
  const std::vector<Job> jobs = PeriodJobs("UceS", true);
  if (Prepare(jobs, caption, summary)) {
    ComputingProgress progress(env);
    for (const Job& job : jobs) {
      if (Balance(job, &reason)) {
        summary.converted.emplace_back(job.source, job.target);
      } else {
        summary.skipped.emplace_back(job.source, reason);
      }
    }
  }
  Finish(summary, caption);
  return summary;
}

bool LegacyConversion::Balance(const Job& job, std::string* reason) {
  Env& env = run_.env;
  TUctProc proc(run_, cds_);
  cds_.params.DatName = job.source;
  cds_.params.DefName = proc.DefFile("DosUceS.Def");
  cds_.params.CdsName = std::string(kOrvoork1);
  cds_.params.XDefName.clear();
  if (!ReadLegacyBalanceFile(cds_, reason)) {
    ErrorBox(env, "Soubor:\r\r" + QuotedName(job.source) + "\r\r     - " + *reason +
                      "\r\rStavy tohoto obdobi nebyly prevedeny !");
    return false;
  }
  if (!proc.SortCds1(cis_, kOrvoork1, kOrvoork2, 5)) return Refuse(reason, "trideni se nezdarilo");
  Dataset in(env);
  if (!in.LoadFromFile(kOrvoork2)) return Refuse(reason, "pracovni soubor nelze nacist");
  Dataset out(env);
  cds_.params.DefName = proc.DefFile("UctS.Def");
  cds_.MakeTableVirt(out);
  // The balance file of a period holds the state at its start: it carries
  // the period before.
  const std::string p = PrevPeriodKey(job.period);
  const int fields = std::min(in.FieldCount(), 7);
  for (int r = 0; r < in.RecordCount(); ++r) {
    out.Append();
    out.SetAsString(0, p.substr(0, 2));
    out.SetAsString(1, p.substr(2, 2));
    for (int f = 0; f < fields; ++f) out.SetAsString(f < 5 ? f + 2 : f + 3, in.StringAt(r, f));
    out.Post();
  }
  if (!out.SaveToFile(kOrvoork, DataFormat::Binary)) return Refuse(reason, "pracovni soubor nelze zapsat");
  return Replace(job.target, std::string(kOrvoork), reason);
}

ConversionSummary LegacyConversion::Postings() {
  constexpr std::string_view caption = "Prevod obratu uctu";
  Env& env = run_.env;
  ConversionSummary summary;
  LoadPeriod(run_);
  ReadInitFile(run_);
  EraseFile(env, kOrvoork1);
  EraseFile(env, kOrvoork2);
  std::string reason;
  if (!DefinitionPresent("DosUceO.Def", &reason) || !DefinitionPresent("UctO.Def", &reason)) {
    summary.skipped.emplace_back(run_.LegacyDataDir, reason);
    Finish(summary, caption);
    return summary;
  }
  // Files of another record length are no posting files of this layout.
  std::vector<Job> jobs;
  for (Job& job : PeriodJobs("Uce", false)) {
    int io = 0;
    DosFile file = env.fs.Open(job.source, DosFile::Mode::Read, &io);
    std::string head(14, '\0');
    const size_t got = file.IsOpen() ? file.Read(head.data(), head.size()) : 0;
    head.resize(got);
    const int length = LdbRecordLength(head);
    if (!file.IsOpen()) {
      summary.skipped.emplace_back(job.source, "soubor nelze otevrit");
    } else if (length != kLegacyPostingRecord) {
      summary.skipped.emplace_back(job.source, "delka vety " + std::to_string(length) + " misto " +
                                                   std::to_string(kLegacyPostingRecord));
    } else {
      jobs.push_back(std::move(job));
    }
  }
  if (Prepare(jobs, caption, summary)) {
    ComputingProgress progress(env);
    for (const Job& job : jobs) {
      if (Posting(job, &reason)) {
        summary.converted.emplace_back(job.source, job.target);
      } else {
        summary.skipped.emplace_back(job.source, reason);
      }
    }
  }
  Finish(summary, caption);
  return summary;
}

bool LegacyConversion::Posting(const Job& job, std::string* reason) {
  Env& env = run_.env;
  TUctProc proc(run_, cds_);
  cds_.params.DatName = job.source;
  cds_.params.DefName = proc.DefFile("DosUceO.Def");
  cds_.params.CdsName = std::string(kOrvoork1);
  cds_.params.XDefName.clear();
  if (!KonvLdbCds(cds_, 3)) return Refuse(reason, "soubor nelze nacist");
  if (!proc.SortCds1(cis_, kOrvoork1, kOrvoork2, 12)) return Refuse(reason, "trideni se nezdarilo");
  Dataset in(env);
  if (!in.LoadFromFile(kOrvoork2)) return Refuse(reason, "pracovni soubor nelze nacist");
  if (in.FieldCount() < 21) return Refuse(reason, "definice DosUceO.Def nema 21 slov");
  Dataset out(env);
  cds_.params.DefName = proc.DefFile("UctO.Def");
  cds_.MakeTableVirt(out);
  if (out.FieldCount() < 21) return Refuse(reason, "definice UctO.Def nema 21 slov");
  const LoadedDef& def = cds_.Def();
  std::vector<int> decimals(21, -1);
  for (int f = 0; f < 21 && f < def.PSl; ++f) {
    const std::string& tms = def.Word(f + 1).TMS;
    if (!tms.empty() && tms[0] == 'N') decimals[static_cast<size_t>(f)] = tms.size() > 1 ? tms[1] - '0' : 0;
  }
  // Legacy field of each posting position: 0-4 from 1-5, 5 from 0, 6-18
  // alike, 19 from 20.
  static constexpr int kFrom[20] = {1, 2, 3, 4, 5, 0, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 20};
  for (int r = 0; r < in.RecordCount(); ++r) {
    out.Append();
    for (int f = 0; f < 20; ++f) {
      std::string value = in.StringAt(r, kFrom[f]);
      if (f == 2) {
        // The six characters of the legacy document identification, widened
        // to ten.
        value = PadRight(value, 6).substr(0, 6) + "0000";
      } else if (f == 4) {
        value = IntTextPadded(TextToInt(value), 4);
      } else if (decimals[static_cast<size_t>(f)] >= 0) {
        // Numbers in the width of their target word.
        const DefWord& w = def.Word(f + 1);
        value = RealTextBlank(w.TD, decimals[static_cast<size_t>(f)], TextToReal(value));
      }
      out.SetAsString(f, value);
    }
    out.SetAsString(20, kPostingNote);
    out.Post();
  }
  if (!out.SaveToFile(kOrvoork, DataFormat::Binary)) return Refuse(reason, "pracovni soubor nelze zapsat");
  return Replace(job.target, std::string(kOrvoork), reason);
}

// --- the menu ------------------------------------------------------------------

namespace {

bool AdminOnly(RunValues& run) {
  if (run.UserRole == "Admin") return true;
  ErrorBox(run.env, "Pro tuto oblast nemate opravneni !");
  return false;
}

}  // namespace

bool LegacyDataDirUsable(RunValues& run) {
  ReadInitFile(run);
  if (run.LegacyDataDir.empty()) {
    ErrorBox(run.env, "Adresar dat DOS verze neni zadan (4. radek souboru " + InitFileName(run) + ") !");
    return false;
  }
  if (!run.env.fs.DirExists(run.LegacyDataDir)) {
    ErrorBox(run.env, "Adresar dat DOS verze " + run.LegacyDataDir + " nebyl nalezen !");
    return false;
  }
  return true;
}

void DosPrevCis(RunValues& run, TCdsProc& cds, TCdsCis& cis) {
  if (AdminOnly(run) && LegacyDataDirUsable(run)) LegacyConversion(run, cds, cis).CodeLists();
}

void DosPrevStavy(RunValues& run, TCdsProc& cds, TCdsCis& cis) {
  if (AdminOnly(run) && LegacyDataDirUsable(run)) LegacyConversion(run, cds, cis).Balances();
}

void DosPrevObraty(RunValues& run, TCdsProc& cds, TCdsCis& cis) {
  if (AdminOnly(run) && LegacyDataDirUsable(run)) LegacyConversion(run, cds, cis).Postings();
}

}  // namespace orvo
