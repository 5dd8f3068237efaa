#include "core/screens/cds_dokl.h"

#include <algorithm>
#include <numeric>

#include "core/data/cds_file.h"
#include "core/data/format_word.h"
#include "core/output/report_file.h"
#include "core/sys/copy.h"
#include "core/sys/dates.h"
#include "core/sys/files.h"
#include "core/sys/hourglass.h"
#include "core/sys/messages.h"
#include "core/sys/numbers.h"
#include "core/sys/program.h"
#include "core/sys/temporary_files.h"
#include "core/sys/text.h"

namespace orvo {

namespace {

std::string Fit(std::string_view s, int width) {
  std::string out(s.substr(0, std::min(s.size(), static_cast<size_t>(std::max(0, width)))));
  out.resize(static_cast<size_t>(std::max(0, width)), ' ');
  return out;
}

std::string NoBlanks(std::string_view s) {
  std::string out;
  for (char c : s) {
    if (c != ' ') out += c;
  }
  return out;
}

// The progress window and the hourglass for a scope.
class Busy {
 public:
  explicit Busy(Env& env) : env_(env), hourglass_(env) { env_.ui.ShowProgress("  Probiha vypocet !   ............"); }
  ~Busy() { env_.ui.HideProgress(); }

 private:
  Env& env_;
  Hourglass hourglass_;
};

}  // namespace

TCdsDokl::TCdsDokl(Env& env, TCdsProc& cds, TCdsCis& codeList, DoklHandOver& handOver)
    : env_(env), cds_(cds), codeList_(codeList), h_(handOver), grid_(env), headerView_(grid_, true),
      itemView_(grid_, false) {
  headerView_.typed = [this](int, int col) { Type(-1, col, grid_.Header(col)); };
  itemView_.typed = [this](int row, int col) { Type(row, col, grid_.Cell(row, col)); };
}

std::string TCdsDokl::Caption() const { return "Nahravani dat  " + TodayText(env_); }

int TCdsDokl::IdCount() const {
  const int k = grid_.HeaderCount();
  return h_.DoklIdCount <= 0 || h_.DoklIdCount > k ? k : h_.DoklIdCount;
}

bool TCdsDokl::Open() {
  LoadedDef def;
  if (!ReadDef(env_, def, h_.DoklDef)) return false;
  if (def.HeaderCount < 1 || def.ItemCount < 2) {
    InfoBox(env_, "Definice nema hlavicku a polozky dokladu", "Soubor:  " + h_.DoklDef);
    return false;
  }
  grid_.Layout(def, h_.DoklRows > 1 ? h_.DoklRows - 1 : kDoklRows);
  grid_.ForgetCodeLists();
  for (int c = 0; c < grid_.HeaderCount() && c < 20; ++c) {
    if (!h_.DoklPreset[static_cast<size_t>(c)].empty()) {
      grid_.Header(c) = Fit(h_.DoklPreset[static_cast<size_t>(c)], grid_.Width(c + 1));
    }
  }
  loaded_ = changed_ = readOnly_ = typedItems_ = false;
  valid_ = true;
  loadedId_.clear();
  codeLine_ = "   Udaj z ciselniku";
  codeLineError_ = false;
  headerView_.readOnly = itemView_.readOnly = false;
  return true;
}

void TCdsDokl::Type(int row, int col, std::string_view text) {
  if (readOnly_) return;
  if (row < 0) {
    grid_.Header(col) = std::string(text);
  } else {
    grid_.Cell(row, col) = std::string(text);
    typedItems_ = true;
  }
  changed_ = true;
}

void TCdsDokl::Put(int row, int col, std::string_view text) {
  if (readOnly_) return;
  if (row < 0) grid_.Header(col) = std::string(text);
  else grid_.Cell(row, col) = std::string(text);
  changed_ = true;
}

std::vector<std::string> TCdsDokl::HeaderValues() const {
  // Normalised as leaving the cell would, so that a value typed and not
  // yet left names the same document.
  std::vector<std::string> values;
  for (int c = 0; c < grid_.HeaderCount(); ++c) {
    std::string value = grid_.Header(c);
    if (!Trim(value).empty()) FormatWord(env_, grid_.Def(), value, c + 1, ' ');
    values.push_back(Fit(value, grid_.Width(c + 1)));
  }
  return values;
}

std::string TCdsDokl::CurrentId() const { return DocumentIdOfValues(HeaderValues(), IdCount()); }

std::string TCdsDokl::IdCaption(bool blankBefore) const {
  std::string caption = "Doklad:  ";
  const auto values = HeaderValues();
  for (int c = 0; c < IdCount(); ++c) {
    caption += blankBefore ? " " + values[static_cast<size_t>(c)] : values[static_cast<size_t>(c)] + " ";
  }
  return caption;
}

bool TCdsDokl::IdComplete() const {
  for (int c = 0; c < IdCount(); ++c) {
    if (Trim(grid_.Header(c)).empty()) return false;
  }
  return true;
}

void TCdsDokl::ApplyAssociated(int row, const DoklCheck& check) {
  for (const auto& [word, value] : check.associated) {
    if (row < 0) {
      if (word >= 1 && word <= grid_.HeaderCount()) grid_.Header(word - 1) = value;
    } else {
      const int c = word - grid_.HeaderCount() - 1;
      if (c > 0 && c < grid_.ItemCount()) grid_.Cell(row, c) = value;
    }
  }
}

bool TCdsDokl::LeaveHeaderCell(int col, bool byTab, bool* loaded) {
  if (loaded != nullptr) *loaded = false;
  std::string value = grid_.Header(col);
  const int word = grid_.HeaderWord(col);
  if (!FormatWord(env_, grid_.Def(), value, word, 'X')) {
    codeLine_ = Trim(grid_.Header(col)) + std::string(kDoklNotInList);
    codeLineError_ = true;
    return false;
  }
  grid_.Header(col) = value;
  if (TextToInt(value) > 0 && !Trim(grid_.Def().Word(word).JmSCis).empty()) {
    std::string key = byTab ? NoBlanks(UpperCz(value)) : TrimRight(UpperCz(value));
    DoklCheck check = grid_.Check(word, key, 'X');
    if (!check.ok) {
      codeLine_ = check.line;
      codeLineError_ = true;
      return false;
    }
    codeLine_ = check.line;
    codeLineError_ = false;
    const DefWord& w = grid_.Def().Word(word);
    if (byTab) {
      // Tab fills only the one column UlozDo, from field UlozZ.
      check.associated.erase(std::remove_if(check.associated.begin(), check.associated.end(),
                                            [&](const auto& a) { return a.first != w.UlozDo; }),
                             check.associated.end());
      ApplyAssociated(-1, check);
    } else if (w.IP == 'P' || (w.IP == 'N' && pickingHeader_)) {
      ApplyAssociated(-1, check);
    }
  }
  const bool completing = col == IdCount() - 1 || (IdCount() == grid_.HeaderCount() && byTab && col == IdCount() - 1);
  if (!loaded_ && completing && TextToInt(value) > 0 && IdComplete()) {
    const bool found = Read();
    if (loaded != nullptr) *loaded = found;
  }
  return true;
}

bool TCdsDokl::EnterItems() {
  if (TextToInt(grid_.Header(IdCount() - 1)) == 0) {
    InfoBox(env_, kCdsDoklNoId);
    return false;
  }
  return true;
}

bool TCdsDokl::LeaveItemCell(int row, int col) {
  if (!typedItems_ || readOnly_ || col == 0) return true;
  codeLine_ = "   Udaj z ciselniku";
  codeLineError_ = false;
  std::string& cell = grid_.Cell(row, col);
  if (Trim(cell).empty()) {
    valid_ = true;
    return true;
  }
  const int word = grid_.ItemWord(col);
  const DefWord& w = grid_.Def().Word(word);
  std::string value = cell;
  DoklCheck check;
  if (!Trim(w.JmSCis).empty() && w.IP == 'K' && w.UlozDo > 0 && w.IndUlozP > 0) {
    check = CompoundCheck(row, col, value);
  } else if (!Trim(w.JmSCis).empty()) {
    value = NoBlanks(UpperCz(value));
    check = grid_.Check(word, value, 'X');
  } else {
    check.ok = FormatWord(env_, grid_.Def(), value, word, 'X');
    if (!check.ok) {
      check.line = Trim(cell) + std::string(kDoklNotInList);
      check.lineError = true;
    }
  }
  valid_ = check.ok;
  if (!check.line.empty()) {
    codeLine_ = check.line;
    codeLineError_ = check.lineError;
  }
  if (!check.ok) return false;
  cell = value;
  // Only a look-up column copies its code list's values on the check.
  if (w.IP == 'P') ApplyAssociated(row, check);
  return true;
}

DoklCheck TCdsDokl::CompoundCheck(int row, int col, std::string& value) {
  const int word = grid_.ItemWord(col);
  const DefWord& w = grid_.Def().Word(word);
  const std::string typed = value;
  DoklCheck check;
  if (!FormatWord(env_, grid_.Def(), value, word, 'X')) {
    check.ok = false;
    check.line = Trim(typed) + std::string(kDoklNotInList);
    check.lineError = true;
    return check;
  }
  value = UpperCz(value);
  // The key: the record's values from word UlozDo on, the cell being
  // checked as it was just normalised, header words from the header. A key
  // that runs past the record finds nothing.
  std::vector<std::string> keys;
  bool inRecord = true;
  for (int n = 0; n < w.IndUlozP; ++n) {
    const int kw = w.UlozDo + n;
    const int c = kw - grid_.HeaderCount() - 1;
    if (kw == word) keys.push_back(value);
    else if (kw >= 1 && kw <= grid_.HeaderCount()) keys.push_back(grid_.Header(kw - 1));
    else if (c >= 0 && c < grid_.ItemCount()) keys.push_back(grid_.Cell(row, c));
    else inRecord = false;
  }
  if (!inRecord) keys.clear();
  return grid_.CheckKey(word, keys, typed);
}

bool TCdsDokl::Read() {
  if (!FileExistsQuiet(env_, h_.DoklFile)) {
    cds_.params.CdsName = h_.DoklFile;
    cds_.params.DefName = h_.DoklDef;
    Dataset& t = cds_.Table1();
    cds_.MakeTable(t);
    t.SetReadOnly(false);
    if (t.Open()) t.Close();
  }
  Dataset ds(env_);
  ds.SetReadOnly(true);
  if (!LoadCdsFile(env_, h_.DoklFile, ds)) return false;
  const int k = grid_.HeaderCount();
  const std::string id = CurrentId();
  loadedId_ = id;
  std::vector<char> used(static_cast<size_t>(grid_.RowCount()), 0);
  std::string badLines;
  bool any = false;
  for (int r = 0; r < ds.RecordCount(); ++r) {
    if (DocumentIdOf(ds, r, IdCount()) != id) continue;
    if (!any) grid_.ClearRows();
    any = true;
    for (int c = 0; c < k && c < ds.FieldCount(); ++c) grid_.Header(c) = Fit(ds.StringAt(r, c), grid_.Width(c + 1));
    const std::string line = Trim(ds.StringAt(r, k));
    const int64_t row = TextToInt(line) + h_.DoklLineOffset - 1;
    const bool digits = !line.empty() && line.find_first_not_of("0123456789") == std::string::npos;
    if (!digits || row < 0 || row >= grid_.RowCount() || used[static_cast<size_t>(row)] != 0) {
      badLines += (badLines.empty() ? "" : ", ") + (line.empty() ? std::string("(prazdny)") : line);
      continue;
    }
    used[static_cast<size_t>(row)] = 1;
    for (int c = 1; c < grid_.ItemCount() && k + c < ds.FieldCount(); ++c) {
      grid_.Cell(static_cast<int>(row), c) = Fit(ds.StringAt(r, k + c), grid_.Width(grid_.ItemWord(c)));
    }
  }
  loaded_ = true;
  changed_ = false;
  if (!any) {
    InfoBox(env_, "Doklad s touto identifikaci nebyl nalezen !", IdCaption(true));
    return false;
  }
  if (!badLines.empty()) {
    // Lines that have no row of their own would be lost by the next save.
    readOnly_ = true;
    headerView_.readOnly = itemView_.readOnly = true;
    InfoBox(env_,
            "Doklad ma chybna nebo opakovana cisla radku: " + badLines +
                "\rje otevren jen pro cteni, aby se pri ulozeni nic neztratilo.",
            IdCaption(false));
  }
  return true;
}

bool TCdsDokl::Save() { return SaveInto(h_.DoklFile); }

bool TCdsDokl::SaveInto(std::string_view file) {
  const bool own = file == h_.DoklFile;
  if (own && (!changed_ || readOnly_)) return true;
  Busy busy(env_);
  if (!FileExistsQuiet(env_, file)) {
    cds_.params.CdsName = std::string(file);
    cds_.params.DefName = h_.DoklDef;
    Dataset& t = cds_.Table1();
    cds_.MakeTable(t);
    t.SetReadOnly(false);
    if (t.Open()) t.Close();
    if (!FileExistsOrSay(env_, file)) return false;
  }
  const std::string id = CurrentId();
  const bool differs = id != loadedId_;
  if (own && differs && !grid_.AnyRowData()) {
    // A typed identification and an empty grid: nothing to store, and the
    // document of that identification is not the one on the screen.
    return true;
  }
  const std::vector<std::string> header = HeaderValues();
  std::vector<DocumentRecord> add;
  const int lineWidth = grid_.Width(grid_.ItemWord(0));
  for (int r = 0; r < grid_.RowCount(); ++r) {
    if (!grid_.RowHasData(r)) continue;
    DocumentRecord record = header;
    record.push_back(IntTextPadded(r + 1 - h_.DoklLineOffset, lineWidth));
    for (int c = 1; c < grid_.ItemCount(); ++c) record.push_back(grid_.Cell(r, c));
    add.push_back(std::move(record));
  }
  std::unordered_set<std::string> drop{id};
  if (own && differs && !loadedId_.empty()) drop.insert(loadedId_);
  auto overwrite = [&] {
    return AskYesNo(env_, "Doklad s touto identifikaci jiz existuje ! Ma byt prepsan ?", IdCaption(false));
  };
  const bool ask = differs && grid_.AnyRowData();
  if (!RewriteDocuments(env_, file, IdCount(), drop, add, ask ? id : std::string(),
                        ask ? std::function<bool()>(overwrite) : std::function<bool()>())) {
    return false;
  }
  if (own) {
    loadedId_ = id;
    changed_ = false;
    CisHandOver& cis = codeList_.handOver();
    for (int c = 0; c < IdCount() && c < kCisMaxValues; ++c) cis.CisValues[static_cast<size_t>(c + 1)] = header[static_cast<size_t>(c)];
  }
  return true;
}

bool TCdsDokl::Delete() {
  if (!loaded_) return false;
  if (!AskYesNo(env_, "Skutecne chceme doklad zrusit ?")) return false;
  if (FileExistsQuiet(env_, h_.DoklFile)) {
    Busy busy(env_);
    if (!RewriteDocuments(env_, h_.DoklFile, IdCount(), {CurrentId()}, {})) return false;
  }
  return Open();
}

bool TCdsDokl::NewDocument() {
  if (!valid_) return false;
  if (!Save()) return false;
  return Open();
}

bool TCdsDokl::Close() {
  if (!valid_) {
    ErrorBox(env_, "Chybne zadana data !", "CdsDokl");
    return false;
  }
  if (!Save()) return false;
  h_.Reset();
  return true;
}

bool TCdsDokl::Escape() {
  if (!AskYesNo(env_, "Ukoncovaci akce nebudou provedeny !!!\r\rSkutecne chceme uzavrit okno ?")) return false;
  h_.Reset();
  return true;
}

bool TCdsDokl::Pick(const std::string& file, int keys) {
  CisHandOver& cis = codeList_.handOver();
  cis.CisFileName = file;
  cis.CisEditAllowed = 'N';
  cis.CisKeyCount = keys;
  cis.CisKeyFields.fill(0);
  for (int k = 0; k < keys && k < kCisMaxKeys; ++k) cis.CisKeyFields[static_cast<size_t>(k)] = k + 1;
  cis.CisResult = 'N';
  if (codeList_.Ports().showWindow) codeList_.Ports().showWindow();
  return cis.CisResult == 'A';
}

void TCdsDokl::FillId(const std::vector<std::string>& values) {
  for (int c = 0; c < IdCount() && c < static_cast<int>(values.size()); ++c) {
    grid_.Header(c) = Fit(values[static_cast<size_t>(c)], grid_.Width(c + 1));
  }
}

bool TCdsDokl::ChooseFromList() {
  if (!FileExistsQuiet(env_, h_.DoklFile) || loaded_) return false;
  CisHandOver& cis = codeList_.handOver();
  cis.CisFileName = h_.DoklFile;
  cis.CisKeyCount = IdCount();
  cis.CisKeyFields.fill(0);
  for (int k = 0; k < IdCount() && k < kCisMaxKeys; ++k) cis.CisKeyFields[static_cast<size_t>(k)] = k + 1;
  cis.CisListFieldCount = h_.DoklListCount <= 0 ? grid_.HeaderCount() : h_.DoklListCount;
  for (int k = 0; k < kCisMaxKeys; ++k) cis.CisListFields[static_cast<size_t>(k)] = h_.DoklListFields[static_cast<size_t>(k)];
  codeList_.SezDokl();
  if (!Pick(std::string(kSezDoklFile), IdCount())) return false;
  std::vector<std::string> id;
  for (int k = 1; k <= IdCount(); ++k) id.push_back(cis.CisValues[static_cast<size_t>(k)]);
  FillId(id);
  return Read();
}

bool TCdsDokl::Neighbour(char direction) {
  if (!FileExistsQuiet(env_, h_.DoklFile)) return false;
  // Moving on saves the document, which only a checked one may be.
  if (!valid_) {
    ErrorBox(env_, "Chybne zadana data !", "CdsDokl");
    return false;
  }
  CisHandOver& cis = codeList_.handOver();
  const auto values = HeaderValues();
  cis.CisFileName = h_.DoklFile;
  cis.CisKeyCount = IdCount();
  cis.CisKeyFields.fill(0);
  for (int k = 0; k < IdCount() && k < kCisMaxKeys; ++k) {
    cis.CisKeyFields[static_cast<size_t>(k)] = k + 1;
    cis.CisValues[static_cast<size_t>(k + 1)] = values[static_cast<size_t>(k)];
  }
  cis.CisListFieldCount = IdCount();
  codeList_.DoklPredZa(direction);
  if (cis.CisResult != 'A') return false;
  std::vector<std::string> id;
  for (int k = 1; k <= IdCount(); ++k) id.push_back(cis.CisValues[static_cast<size_t>(k)]);
  if (!Save() || !Open()) return false;
  FillId(id);
  return Read();
}

bool TCdsDokl::LastDocument() {
  if (!FileExistsQuiet(env_, h_.DoklFile)) return false;
  Dataset ds(env_);
  ds.SetReadOnly(true);
  if (!LoadCdsFile(env_, h_.DoklFile, ds) || ds.RecordCount() == 0) return false;
  std::string best;
  int bestRecord = -1;
  for (int r = 0; r < ds.RecordCount(); ++r) {
    std::string joined;
    for (int c = 0; c < IdCount(); ++c) joined += ds.StringAt(r, c);
    if (bestRecord < 0 || joined > best) {
      best = joined;
      bestRecord = r;
    }
  }
  std::vector<std::string> id;
  for (int c = 0; c < IdCount(); ++c) id.push_back(ds.StringAt(bestRecord, c));
  FillId(id);
  loaded_ = false;
  return Read();
}

bool TCdsDokl::TakeItemsOf() {
  if (!FileExistsQuiet(env_, h_.DoklFile)) return false;
  CisHandOver& cis = codeList_.handOver();
  const int k = grid_.HeaderCount();
  cis.CisFileName = h_.DoklFile;
  cis.CisKeyCount = k;
  cis.CisKeyFields.fill(0);
  for (int i = 0; i < k && i < kCisMaxKeys; ++i) cis.CisKeyFields[static_cast<size_t>(i)] = i + 1;
  cis.CisListFieldCount = k;
  for (int i = 0; i < k && i < kCisMaxKeys; ++i) cis.CisListFields[static_cast<size_t>(i)] = i + 1;
  codeList_.SezDokl();
  if (!Pick(std::string(kSezDoklFile), k)) return false;
  std::vector<std::string> chosen;
  for (int i = 1; i <= k; ++i) chosen.push_back(cis.CisValues[static_cast<size_t>(i)]);
  Dataset ds(env_);
  ds.SetReadOnly(true);
  if (!LoadCdsFile(env_, h_.DoklFile, ds)) return false;
  const std::string id = DocumentIdOfValues(chosen, k);
  grid_.ClearRows();
  for (int r = 0; r < ds.RecordCount(); ++r) {
    if (DocumentIdOf(ds, r, k) != id) continue;
    const int64_t row = TextToInt(ds.StringAt(r, k)) + h_.DoklLineOffset - 1;
    if (row < 0 || row >= grid_.RowCount()) continue;
    for (int c = 1; c < grid_.ItemCount() && k + c < ds.FieldCount(); ++c) {
      grid_.Cell(static_cast<int>(row), c) = Fit(ds.StringAt(r, k + c), grid_.Width(grid_.ItemWord(c)));
    }
  }
  changed_ = true;
  return true;
}

int TCdsDokl::ChooseByItem() {
  if (!FileExistsQuiet(env_, h_.DoklFile) || loaded_) return -1;
  Dataset ds(env_);
  ds.SetReadOnly(true);
  if (!LoadCdsFile(env_, h_.DoklFile, ds)) return -1;
  const int k = grid_.HeaderCount();
  std::vector<int> order(static_cast<size_t>(ds.RecordCount()));
  std::iota(order.begin(), order.end(), 0);
  auto key = [&](int r) {
    std::string joined;
    for (int c = 0; c <= k && c < ds.FieldCount(); ++c) joined += ds.StringAt(r, c) + '\x1f';
    return joined;
  };
  std::vector<std::string> keys;
  keys.reserve(order.size());
  for (int r : order) keys.push_back(key(r));
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return keys[static_cast<size_t>(a)] < keys[static_cast<size_t>(b)]; });
  Dataset sorted(env_);
  for (const FieldDef& f : ds.Fields()) sorted.AddField(f.name, f.type, f.size, f.required);
  if (!sorted.CreateDataSet()) return -1;
  for (int r : order) {
    sorted.Append();
    for (int f = 0; f < ds.FieldCount(); ++f) sorted.SetAsString(f, ds.StringAt(r, f));
    sorted.Post();
  }
  EraseFile(env_, kCdsDoklWorkFile);
  if (!SaveCdsFile(env_, kCdsDoklWorkFile, sorted)) return -1;
  CopyFile(env_, h_.DoklDef, kCdsDoklWorkDef, false);
  if (!Pick(std::string(kCdsDoklWorkFile), k)) return -1;
  CisHandOver& cis = codeList_.handOver();
  std::vector<std::string> id;
  for (int c = 1; c <= IdCount(); ++c) id.push_back(cis.CisValues[static_cast<size_t>(c)]);
  FillId(id);
  if (!Read()) return -1;
  for (int r = 0; r < grid_.RowCount(); ++r) {
    bool equal = true;
    for (int c = 1; c < grid_.ItemCount() && equal; ++c) {
      equal = TrimRight(grid_.Cell(r, c)) == TrimRight(cis.CisValues[static_cast<size_t>(k + c + 1)]);
    }
    if (equal) return r;
  }
  return 0;
}

void TCdsDokl::Paste(int row, int col) {
  if (col > 0) Put(row, col, grid_.clipboard);
}

bool TCdsDokl::CopyRowAbove(int row) {
  if (row < 1 || readOnly_) return false;
  for (int c = 1; c < grid_.ItemCount(); ++c) grid_.Cell(row, c) = grid_.Cell(row - 1, c);
  changed_ = true;
  return true;
}

bool TCdsDokl::CopyCellAbove(int row, int col) {
  if (row < 1 || col == 0 || readOnly_) return false;
  Type(row, col, grid_.Cell(row - 1, col));
  return LeaveItemCell(row, col);
}

bool TCdsDokl::TakeCalculator(int row, int col) {
  if (col == 0 || readOnly_ || !ports.calculatorValue) return false;
  const std::string shown = ports.calculatorValue();
  if (Trim(shown).empty()) return false;
  const DefWord& w = grid_.Def().Word(grid_.ItemWord(col));
  const int decimals = w.TMS.size() > 1 && w.TMS[1] >= '0' && w.TMS[1] <= '9' ? w.TMS[1] - '0' : 0;
  Type(row, col, RealTextRounded(w.TD, decimals, TextToReal(shown)));
  return true;
}

int TCdsDokl::FirstEmptyRow() const {
  for (int r = 0; r < grid_.RowCount(); ++r) {
    if (!grid_.RowHasData(r)) return r;
  }
  return -1;
}

int TCdsDokl::Search(int row, int col, std::string_view text) {
  const std::string wanted = UpperCz(Trim(text));
  for (int r = row + 1; r < grid_.RowCount(); ++r) {
    if (UpperCz(Trim(grid_.Cell(r, col))) == wanted) return r;
  }
  ErrorBox(env_, "Udaj: " + std::string(text) + "\r\r" + "     nebol najdeny");
  return -1;
}

bool TCdsDokl::InsertRow(int row) {
  if (readOnly_) return false;
  if (!grid_.InsertRow(row)) {
    InfoBox(env_, "Doklad ma obsazeny posledni radek, novy radek nelze vlozit !",
            "Radek:" + IntText(grid_.RowCount(), 5));
    return false;
  }
  changed_ = true;
  return true;
}

bool TCdsDokl::DeleteRow(int row) {
  if (readOnly_ || !AskYesNo(env_, "Skutecne chceme radek zrusit ?")) return false;
  grid_.DeleteRow(row);
  changed_ = true;
  return true;
}

bool TCdsDokl::ChooseCode(int row, int col) {
  if (readOnly_ || col == 0) return false;
  const DefWord& w = grid_.Def().Word(grid_.ItemWord(col));
  std::string file = Trim(w.JmSCis);
  if (file.empty()) return false;
  if (file.size() >= 8 && UpperCz(file.substr(1, 7)) == ":\\A_RUN") file[0] = 'C';
  if (!Pick(file, 1)) return false;
  const CisHandOver& cis = codeList_.handOver();
  Type(row, col, cis.CisValues[1]);
  // A pick copies the chosen record's values whatever the column's kind.
  if (w.UlozZ > 0 && w.UlozDo > 0) {
    for (int n = 0; n < w.IndUlozP; ++n) {
      const int from = w.UlozZ + n;
      const int c = w.UlozDo + n - grid_.HeaderCount() - 1;
      if (from > kCisMaxValues || c < 1 || c >= grid_.ItemCount()) continue;
      Put(row, c, PadRight(cis.CisValues[static_cast<size_t>(from)], grid_.Width(grid_.ItemWord(c))));
    }
  }
  return LeaveItemCell(row, col);
}

bool TCdsDokl::ChooseHeaderCode(int col) {
  if (readOnly_ || col == 0) return false;
  std::string file = Trim(grid_.Def().Word(grid_.HeaderWord(col)).JmSCis);
  if (file.empty()) return false;
  if (file.size() >= 8 && UpperCz(file.substr(1, 7)) == ":\\A_RUN") file[0] = 'C';
  if (!Pick(file, 1)) return false;
  Put(-1, col, codeList_.handOver().CisValues[1]);
  pickingHeader_ = true;
  const bool ok = LeaveHeaderCell(col, false);
  pickingHeader_ = false;
  return ok;
}

std::string TCdsDokl::OwnFileName() const {
  std::string name = h_.DoklFile;
  const size_t dot = name.rfind('.');
  const size_t slash = name.find_last_of("\\:");
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) name.resize(dot);
  name += "_Dokl";
  // Only letters, digits and "-" of the values go into the name: a "\" or
  // ".." would lead out of the directory.
  for (int c = 0; c < IdCount(); ++c) {
    std::string part;
    for (char ch : Trim(grid_.Header(c))) {
      const unsigned char u = static_cast<unsigned char>(ch);
      part += (std::isalnum(u) != 0 || ch == '-') ? ch : '_';
    }
    name += "_" + part;
  }
  return name + ".Cds";
}

bool TCdsDokl::CopyToOwnFile(bool withDialog) {
  if (!loaded_) return false;
  std::string name = OwnFileName();
  if (withDialog) {
    if (!ports.saveDialog) return false;
    name = ports.saveDialog(name);
    if (name.empty()) return false;
  }
  // The document goes into a fresh file beside the chosen one, which takes
  // its place only once it is whole: a save that fails keeps the old file.
  RemoveStaleTemporaries(env_.fs, name);
  const std::string fresh = TemporaryBeside(env_.fs, name);
  EraseFile(env_, fresh);
  if (!SaveInto(fresh)) {
    EraseFile(env_, fresh);
    return false;
  }
  const int io = env_.fs.Stat(name) ? env_.fs.ReplaceWith(fresh, name) : env_.fs.Rename(fresh, name);
  if (io != kIoOk) {
    EraseFile(env_, fresh);
    ErrorBox(env_, UnwritableFileText(name, io));
    return false;
  }
  InfoBox(env_, "Doklad byl ulozen do souboru:\r\r" + name);
  return true;
}

bool TCdsDokl::WritePrint() {
  LoadedDef def;
  if (!ReadDef(env_, def, h_.DoklDef)) return false;
  const int k = grid_.HeaderCount();
  std::vector<std::string> lines{""};
  std::string captions, values;
  for (int c = 0; c < k; ++c) {
    const DefWord& w = grid_.Def().Word(c + 1);
    captions += Fit(TrimRight(w.Heading), w.TD) + "  ";
    values += Fit(grid_.Header(c), w.TD + 2);
  }
  lines.push_back(captions);
  lines.emplace_back();
  lines.push_back(values);
  lines.emplace_back();
  lines.emplace_back();
  const DefWord& lineWord = grid_.Def().Word(grid_.ItemWord(0));
  int from = 1;
  while (from < grid_.ItemCount()) {
    int to = from;
    int sum = 0;
    while (to < grid_.ItemCount()) {
      sum += grid_.Width(grid_.ItemWord(to)) + 2;
      ++to;
      if (sum > 119) break;
    }
    std::string caption = Fit(TrimRight(lineWord.Heading), lineWord.TD) + "  ";
    for (int c = from; c < to; ++c) {
      const DefWord& w = grid_.Def().Word(grid_.ItemWord(c));
      caption += Fit(TrimRight(w.Heading), w.TD) + "  ";
    }
    lines.push_back(caption.substr(0, caption.size() - 2));
    lines.emplace_back();
    for (int r = 0; r < grid_.RowCount(); ++r) {
      if (Trim(grid_.Cell(r, 1)).empty()) continue;
      std::string line = TrimRight(grid_.Cell(r, 0));
      for (int c = from; c < to; ++c) {
        std::string v = grid_.Cell(r, c);
        FormatWord(env_, grid_.Def(), v, grid_.ItemWord(c), 'X');
        line += "  " + v;
      }
      lines.push_back(line);
    }
    lines.emplace_back();
    lines.emplace_back();
    from = to;
  }
  lines.emplace_back();
  lines.emplace_back(std::string(kPageBreakLine));
  MakeDirPath(env_, DirectoryOf(kCdsDoklPrintFile));
  if (WriteReport(env_, kCdsDoklPrintFile, lines) != kIoOk) {
    InfoBox(env_, "Sestavu nelze zapsat", "Soubor:  " + std::string(kCdsDoklPrintFile));
    return false;
  }
  return true;
}

void TCdsDokl::Print() {
  if (WritePrint() && ports.showReport) ports.showReport(std::string(kCdsDoklPrintFile));
}

void TCdsDokl::ShowDocumentTable() {
  EraseFile(env_, kCdsDoklWorkFile);
  if (!SaveInto(kCdsDoklWorkFile)) return;
  if (ports.showBrowser) ports.showBrowser(std::string(kCdsDoklWorkFile), h_.DoklDef);
}

void TCdsDokl::ShowWholeFile() {
  if (!Save() || !FileExistsOrSay(env_, h_.DoklFile)) return;
  if (ports.showBrowser) ports.showBrowser(h_.DoklFile, h_.DoklDef);
}

void TCdsDokl::RunTool() {
  if (!Save() || !FileExistsOrSay(env_, h_.DoklFile)) return;
  RunProgram(env_, h_.DoklToolDir + "\\TabView.Exe", h_.DoklFile + " " + h_.DoklDef, true);
}

void TCdsDokl::Desk(DeskTool tool) {
  if (ports.deskTool) ports.deskTool(tool);
  else InfoBox(env_, "Tento nastroj neni k dispozici");
}

}  // namespace orvo
