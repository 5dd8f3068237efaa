#include "core/accounting/konto_names.h"

#include "core/accounting/posting_rewrite.h"
#include "core/data/cds_file.h"
#include "core/shell/archiving.h"
#include "core/shell/file_names.h"
#include "core/shell/period.h"
#include "core/sys/copy.h"
#include "core/sys/files.h"
#include "core/sys/text.h"

namespace orvo {

namespace {

std::string Cut(std::string text, int width) {
  if (width > 0 && static_cast<int>(text.size()) > width) text.resize(static_cast<size_t>(width));
  return TrimRight(text);
}

}  // namespace

KontoNames ReadKontoNames(RunValues& run, bool* complete) {
  Env& env = run.env;
  LoadPeriod(run);
  KontoNames names;
  if (complete != nullptr) *complete = false;
  const std::string konta = AppDir(run, "Cisel") + "\\" + run.PeriodYear + "Konta.Cds";
  const std::string customers = CustomerListFile(run);
  const std::string suppliers = SupplierListFile(run);
  for (const std::string& file : {konta, customers, suppliers}) {
    if (!FileExistsOrSay(env, file)) return names;
  }
  Dataset list(env);
  list.SetReadOnly(true);
  if (!LoadCdsFile(env, konta, list) || list.FieldCount() < 2) return names;
  const int width = list.Field(1).size;
  for (int r = 0; r < list.RecordCount(); ++r) {
    names.emplace(Trim(list.StringAt(r, 0)), TrimRight(list.StringAt(r, 1)));
  }
  Dataset odber(env);
  odber.SetReadOnly(true);
  if (!LoadCdsFile(env, customers, odber)) return names;
  for (int r = 0; r < odber.RecordCount(); ++r) {
    const std::string a = odber.FieldCount() > 4 ? TrimRight(odber.StringAt(r, 4)) : std::string();
    const std::string b = odber.FieldCount() > 5 ? TrimRight(odber.StringAt(r, 5)) : std::string();
    names.emplace(Trim(odber.StringAt(r, 0)), Cut(a + " " + b, width));
  }
  Dataset dodav(env);
  dodav.SetReadOnly(true);
  if (!LoadCdsFile(env, suppliers, dodav)) return names;
  for (int r = 0; r < dodav.RecordCount(); ++r) {
    const std::string a = dodav.FieldCount() > 1 ? dodav.StringAt(r, 1) : std::string();
    names.emplace(Trim(dodav.StringAt(r, 0)), Cut(a, width));
  }
  if (complete != nullptr) *complete = true;
  return names;
}

int FillKontoNames(const KontoNames& names, Dataset& postings) {
  if (names.empty() || postings.FieldCount() <= kKontoNameWord) return 0;
  const int width = postings.Field(kKontoNameWord).size;
  int filled = 0;
  for (postings.First(); !postings.Eof(); postings.Next()) {
    const std::string konto = Trim(postings.AsString(kKontoWord));
    if (konto.empty() || !Trim(postings.AsString(kKontoNameWord)).empty()) continue;
    auto it = names.find(konto);
    if (it == names.end() || it->second.empty()) continue;
    postings.Edit();
    postings.SetAsString(kKontoNameWord, Cut(it->second, width));
    postings.Post();
    ++filled;
  }
  return filled;
}

bool DoplKonto(RunValues& run, std::string_view jmS, int* filled) {
  Env& env = run.env;
  if (filled != nullptr) *filled = 0;
  if (!FileExistsOrSay(env, jmS)) return false;
  const KontoNames names = ReadKontoNames(run);
  Dataset in(env);
  if (!LoadCdsFile(env, jmS, in)) return false;
  std::vector<char> keep(static_cast<size_t>(in.RecordCount()), 1);
  int count = 0;
  const bool ok = ReplacePostingFile(env, jmS, in, keep, {}, [&](Dataset& out) { count = FillKontoNames(names, out); });
  if (filled != nullptr) *filled = count;
  return ok;
}

bool DoplKontoPostings(RunValues& run, int* filled) {
  Env& env = run.env;
  if (filled != nullptr) *filled = 0;
  const std::string posting = PostingFile(run);
  if (!FileExistsOrSay(env, posting)) return false;
  if (ArchiveNeededByTime(env, posting, ArchiveDir(run)) &&
      !ArchiveRotate(env, posting, ArchiveDir(run), kArchiveGenerations)) {
    return false;
  }
  return DoplKonto(run, posting, filled);
}

}  // namespace orvo
