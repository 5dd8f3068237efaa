#include "core/screens/code_list_lookup.h"

#include <algorithm>
#include <vector>

#include "core/data/dataset_ops.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "core/sys/text.h"

namespace orvo {

namespace {

std::string Cut(std::string_view s, size_t n) { return std::string(s.substr(0, std::min(n, s.size()))); }

}  // namespace

int CisFieldOfColumn(const LoadedDef& def, int hp, int sloup) {
  return hp == 2 ? sloup + def.HeaderCount : sloup;
}

const CisColumnList* CisColumnListOf(const CisHandOver& handOver, int field) {
  for (const CisColumnList& entry : handOver.CisColumnLists) {
    if (entry.field == 0) break;
    if (entry.field == field) return &entry;
  }
  return nullptr;
}

bool IsOptionalCodeList(std::string_view file) { return UpperCz(Trim(file)) == UpperCz(kCisOptional); }

CodeListLookup::CodeListLookup(Env& env, TCdsProc& cds, CisHandOver& handOver)
    : env_(env), cds_(cds), h_(handOver), check_(env), list_(env) {}

void CodeListLookup::KCisel(int hp, int sloup) {
  const CisColumnList* entry = CisColumnListOf(h_, CisFieldOfColumn(cds_.Def(), hp, sloup));
  if (entry == nullptr) {
    h_.CisHasList = 'N';
    return;
  }
  h_.CisHasList = 'A';
  if (IsOptionalCodeList(entry->file)) {
    h_.CisResult = 'N';
    ErrorBox(env_, kCisOptionalMissing);
    return;
  }
  h_.CisFileName = entry->file;
  TestEx();
}

void CodeListLookup::ClearValues(int count) {
  for (int i = 1; i <= std::min(count, kCisMaxValues); ++i) h_.CisValues[static_cast<size_t>(i)].clear();
}

bool CodeListLookup::NajdiVCis(Dataset& table, const std::string& key, const std::string& fullPath) {
  std::string joined;
  size_t at = 0;
  int k = 0;
  for (; k < h_.CisKeyCount; ++k) {
    int field = h_.CisKeyFields[static_cast<size_t>(k)];
    int size = table.Field(field - 1).size;
    std::string part = Trim(key.substr(std::min(at, key.size()), static_cast<size_t>(size)));
    at += static_cast<size_t>(size);
    cds_.params.LocateKeys[static_cast<size_t>(k)] = {part, field};
    if (k > 0) joined += "+";
    joined += part;
  }
  if (k < static_cast<int>(cds_.params.LocateKeys.size())) {
    cds_.params.LocateKeys[static_cast<size_t>(k)] = {"", 0};
  }
  if (LocateH(cds_, table).XLocateOk == 1) return true;
  if (h_.CisReportMissing == 'A') ErrorBox(env_, joined + std::string(kCisNotFound), "Ciselnik: " + fullPath);
  return false;
}

void CodeListLookup::TestEx() {
  h_.CisResult = 'N';
  std::string fullPath = env_.fs.FullPath(h_.CisFileName);
  if (!FileExistsOrSay(env_, h_.CisFileName)) return;
  check_.Close();
  check_.SetFileName(std::string());
  check_.SetReadOnly(true);
  if (!check_.LoadFromFile(h_.CisFileName)) return;
  const int fields = check_.FieldCount();
  bool keysValid = h_.CisKeyCount >= 1 && h_.CisKeyCount <= kCisMaxKeys;
  std::string key;
  for (int k = 0; keysValid && k < h_.CisKeyCount; ++k) {
    int field = h_.CisKeyFields[static_cast<size_t>(k)];
    if (field < 1 || field > fields) {
      keysValid = false;
      break;
    }
    key += PadRight(h_.CisValues[static_cast<size_t>(field)], check_.Field(field - 1).size);
  }
  bool accepted = keysValid && NajdiVCis(check_, key, fullPath);
  for (int k = 0; accepted && k < h_.CisKeyCount; ++k) {
    int field = h_.CisKeyFields[static_cast<size_t>(k)];
    accepted = TrimRight(h_.CisValues[static_cast<size_t>(field)]) ==
               TrimRight(check_.AsString(field - 1));
  }
  if (accepted) {
    for (int f = 1; f <= std::min(fields, kCisMaxValues); ++f) {
      h_.CisValues[static_cast<size_t>(f)] = check_.AsString(f - 1);
    }
    h_.CisResult = 'A';
  } else {
    ClearValues(fields);
  }
  check_.Close();
}

void CodeListLookup::GCisel() {
  for (CisColumnList& entry : h_.CisColumnLists) entry = {};
  const LoadedDef& def = cds_.Def();
  size_t n = 0;
  for (int i = 1; i <= def.PSl && n < h_.CisColumnLists.size(); ++i) {
    std::string file = Cut(Trim(def.Word(i).JmSCis), 100);
    if (file.empty()) continue;
    if (file.size() >= 8 && UpperCz(file.substr(1, 7)) == ":\\A_RUN") file[0] = 'C';
    h_.CisColumnLists[n++] = {i, file};
  }
}

void CodeListLookup::SezDokl() {
  EraseFile(env_, kSezDoklFile);
  EraseFile(env_, kCisWorkFile);
  h_.CisFileName = env_.fs.FullPath(h_.CisFileName);
  cds_.params.InCds = h_.CisFileName;
  cds_.params.OutCds = std::string(kCisWorkFile);
  cds_.params.PocSlov = h_.CisKeyCount;
  cds_.params.SezSlov.fill(0);
  for (int k = 0; k < h_.CisKeyCount; ++k) {
    cds_.params.SezSlov[static_cast<size_t>(k)] = h_.CisKeyFields[static_cast<size_t>(k)];
  }
  cds_.params.SortBlock = 2000;
  cds_.params.SortMode = 1;
  if (!SortFND(cds_, false)) return;
  if (h_.CisListFieldCount == 0) {
    h_.CisListFieldCount = h_.CisKeyCount;
    h_.CisListFields.fill(0);
    for (int k = 0; k < h_.CisKeyCount; ++k) h_.CisListFields[static_cast<size_t>(k)] = k + 1;
  }
  check_.Close();
  check_.SetFileName(std::string());
  if (!check_.LoadFromFile(kCisWorkFile)) return;
  list_.Close();
  list_.SetFileName(std::string(kSezDoklFile));
  list_.SetReadOnly(false);
  list_.ClearFields();
  list_.ClearIndexes();
  std::vector<int> listFields;
  for (int k = 0; k < std::min(h_.CisListFieldCount, kCisMaxKeys); ++k) {
    int field = h_.CisListFields[static_cast<size_t>(k)];
    if (field < 1 || field > check_.FieldCount()) continue;
    const FieldDef& fd = check_.Field(field - 1);
    list_.AddField(fd.name, fd.type, fd.size, fd.required);
    listFields.push_back(field - 1);
  }
  if (!list_.CreateDataSet()) {
    check_.Close();
    return;
  }
  const int keys = std::min(h_.CisKeyCount, check_.FieldCount());
  std::string last;
  for (int r = 0; r < check_.RecordCount(); ++r) {
    std::string id;
    for (int f = 0; f < keys; ++f) id += check_.StringAt(r, f);
    if (r > 0 && id == last) continue;
    last = id;
    list_.Append();
    for (size_t i = 0; i < listFields.size(); ++i) {
      list_.SetAsString(static_cast<int>(i), check_.StringAt(r, listFields[i]));
    }
    list_.Post();
  }
  check_.Close();
  list_.Close();
}

void CodeListLookup::DoklPredZa(char xPredZa) {
  h_.CisResult = 'N';
  SezDokl();
  list_.Close();
  list_.SetFileName(std::string());
  list_.SetReadOnly(true);
  if (!list_.LoadFromFile(kSezDoklFile)) return;
  const int keys = std::min(h_.CisKeyCount, list_.FieldCount());
  int found = -1;
  for (int r = 0; r < list_.RecordCount() && found < 0; ++r) {
    bool equal = keys > 0;
    for (int f = 0; equal && f < keys; ++f) {
      equal = TrimRight(list_.StringAt(r, f)) == TrimRight(h_.CisValues[static_cast<size_t>(f + 1)]);
    }
    if (equal) found = r;
  }
  if (found >= 0) {
    if (xPredZa == '-' && found > 0) --found;
    if (xPredZa == '+' && found < list_.RecordCount() - 1) ++found;
    for (int f = 0; f < keys; ++f) h_.CisValues[static_cast<size_t>(f + 1)] = list_.StringAt(found, f);
    h_.CisResult = 'A';
  }
  list_.Close();
}

}  // namespace orvo
