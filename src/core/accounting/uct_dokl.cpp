#include "core/accounting/uct_dokl.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>

#include "core/accounting/progress_scope.h"
#include "core/accounting/uct_proc.h"
#include "core/data/cds_file.h"
#include "core/output/report_file.h"
#include "core/shell/code_lists.h"
#include "core/shell/file_names.h"
#include "core/shell/init_file.h"
#include "core/shell/period.h"
#include "core/shell/safety_copy.h"
#include "core/shell/table_viewer.h"
#include "core/sys/copy.h"
#include "core/sys/dates.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "core/sys/numbers.h"
#include "core/sys/text.h"

namespace orvo {

namespace {

constexpr std::string_view kLocalCisel = "C:\\A_Run\\Aplikace\\LOrvo\\Cisel";
constexpr int kMaxNumber = 99999;

std::string Fit(std::string_view s, int width) {
  std::string out(s.substr(0, std::min(s.size(), static_cast<size_t>(std::max(0, width)))));
  out.resize(static_cast<size_t>(std::max(0, width)), ' ');
  return out;
}

// Puts `value` into `line` at 1-based column `at`, widening the line.
void PlaceAt(std::string& line, int at, std::string_view value) {
  const size_t from = static_cast<size_t>(std::max(1, at) - 1);
  if (line.size() < from + value.size()) line.resize(from + value.size(), ' ');
  line.replace(from, value.size(), value);
}

bool OnlyNumberChars(std::string_view value) {
  for (char c : value) {
    if ((c < '0' || c > '9') && std::string_view(".,- ").find(c) == std::string_view::npos) return false;
  }
  return true;
}

}  // namespace

TUctDokl::TUctDokl(RunValues& run, TCdsProc& cds)
    : run_(run), cds_(cds), env_(run.env), grid_(run.env), headerView_(grid_, true), itemView_(grid_, false) {
  headerView_.typed = [this](int, int col) { Type(-1, col, grid_.Header(col)); };
  itemView_.typed = [this](int row, int col) { Type(row, col, grid_.Cell(row, col)); };
}

std::string TUctDokl::Caption() const { return "Ucetni doklady     " + TodayText(env_); }

bool TUctDokl::Open() {
  // Each list must be there; CodeListFile ends the application without one.
  const std::string ucty = CodeListFile(run_, "Ucty.Cds");
  const std::string cinn = CodeListFile(run_, "Cinn.Cds");
  const std::string konta = CodeListFile(run_, "Konta.Cds");
  {
    ComputingProgress progress(env_);
    MakeDirPath(env_, kLocalCisel);
    MakeDirPath(env_, kWorkDir);
    CopyFile(env_, ucty, std::string(kLocalCisel) + "\\Ucty.Cds", false);
    CopyFile(env_, cinn, std::string(kLocalCisel) + "\\Cinn.Cds", false);
    if (FileExistsQuiet(env_, CMFile(run_))) CopyFile(env_, CMFile(run_), std::string(kLocalCisel) + "\\CM.Cds", false);
    bool partial = false;
    if (!BuildKonta(konta, &partial)) return false;
    if (partial && !kontaWarned_) {
      kontaWarned_ = true;
      InfoBox(env_,
              "Seznam odberatelu nebo dodavatelu financniho systemu nebyl nalezen,\r"
              "konta jsou jen z ciselniku kont.",
              "Soubor:  " + CustomerListFile(run_) + "  " + SupplierListFile(run_));
    }
    postingFile_ = PostingFile(run_);
    LocalSafetyCopy(env_, postingFile_);
  }
  return Prepare();
}

bool TUctDokl::BuildKonta(const std::string& konta, bool* partial) {
  Dataset table(env_);
  if (!LoadCdsFile(env_, konta, table)) return false;
  CopyFile(env_, konta, std::string(kWorkDir) + "\\Orvoork1.Cds", false);
  const int nameWidth = table.FieldCount() > 1 ? table.Field(1).size : 0;
  struct Extra {
    std::string key, name;
  };
  std::vector<Extra> extras;
  auto take = [&](const std::string& file, const char* copy, bool customers) {
    if (!FileExistsQuiet(env_, file)) {
      *partial = true;
      return;
    }
    CopyFile(env_, file, std::string(kWorkDir) + "\\" + copy, false);
    Dataset list(env_);
    list.SetReadOnly(true);
    if (!LoadCdsFile(env_, file, list)) {
      *partial = true;
      return;
    }
    for (int r = 0; r < list.RecordCount(); ++r) {
      std::string name = customers ? TrimRight(list.StringAt(r, 4)) + " " + TrimRight(list.StringAt(r, 5))
                                   : list.StringAt(r, 1);
      extras.push_back({list.StringAt(r, 0), name.substr(0, std::min(name.size(), static_cast<size_t>(nameWidth)))});
    }
  };
  take(CustomerListFile(run_), "Orvoork2.Cds", true);
  take(SupplierListFile(run_), "Orvoork3.Cds", false);
  // Sorted by the code; records without one are left out.
  struct Entry {
    std::string key;
    int record;  // of the konta list, or -1 - index into extras
  };
  std::vector<Entry> entries;
  for (int r = 0; r < table.RecordCount(); ++r) {
    if (!Trim(table.StringAt(r, 0)).empty()) entries.push_back({table.StringAt(r, 0), r});
  }
  for (size_t i = 0; i < extras.size(); ++i) {
    if (!Trim(extras[i].key).empty()) entries.push_back({extras[i].key, -1 - static_cast<int>(i)});
  }
  std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.key < b.key; });
  Dataset out(env_);
  for (const FieldDef& f : table.Fields()) out.AddField(f.name, f.type, f.size, f.required);
  if (!out.CreateDataSet()) return false;
  for (const Entry& e : entries) {
    out.Append();
    if (e.record >= 0) {
      for (int f = 0; f < table.FieldCount(); ++f) out.SetAsString(f, table.StringAt(e.record, f));
    } else {
      const Extra& x = extras[static_cast<size_t>(-1 - e.record)];
      out.SetAsString(0, x.key);
      if (out.FieldCount() > 1) out.SetAsString(1, x.name);
    }
    out.Post();
  }
  return SaveCdsFile(env_, std::string(kLocalCisel) + "\\Konta.Cds", out);
}

bool TUctDokl::Prepare() {
  ReadInitFile(run_);
  LoadPeriod(run_);
  postingFile_ = PostingFile(run_);
  defFile_ = AppDir(run_, "DefSoub") + "\\UctO.Def";
  LoadedDef def;
  if (!ReadDef(env_, def, defFile_)) return false;
  if (def.HeaderCount < 1 || def.ItemCount < 2) {
    InfoBox(env_, "Definice nema hlavicku a polozky dokladu", "Soubor:  " + defFile_);
    return false;
  }
  grid_.Layout(def);
  grid_.ForgetCodeLists();
  colMD_ = grid_.ItemColumnOf("MD");
  colDal_ = grid_.ItemColumnOf("Dal");
  colMena_ = grid_.ItemColumnOf("Mena");
  colKurz_ = grid_.ItemColumnOf("Kurz");
  colIntDokl_ = grid_.ItemColumnOf("IntDokl");
  colUcet_ = grid_.ItemColumnOf("Ucet");
  colCinnost_ = grid_.ItemColumnOf("Cinnost");
  colDatZapisu_ = grid_.ItemColumnOf("DatZapisu");
  StartDocument();
  return true;
}

void TUctDokl::StartDocument() {
  grid_.ClearRows();
  grid_.ClearHeader();
  const std::string presets[] = {run_.PeriodYear, run_.PeriodMonth, run_.UnitKey + "0000"};
  for (int c = 0; c < grid_.HeaderCount() && c < 3; ++c) grid_.Header(c) = Fit(presets[c], grid_.Width(c + 1));
  if (grid_.HeaderCount() >= 4) grid_.Header(3) = Fit(NextNumber(), grid_.Width(4));
  present_ = modified_ = readOnly_ = false;
  valid_ = true;
  loadedId_.clear();
  codeLine_.clear();
  codeLineError_ = false;
  typedRow_ = typedCol_ = -1;
  headerView_.readOnly = itemView_.readOnly = false;
  RecomputeTotals();
}

std::string TUctDokl::NextNumber() {
  const int width = grid_.HeaderCount() >= 4 ? grid_.Width(4) : 5;
  if (!FileExistsQuiet(env_, postingFile_)) return IntTextPadded(1, width);
  Dataset ds(env_);
  ds.SetReadOnly(true);
  if (!LoadCdsFile(env_, postingFile_, ds)) return std::string();
  const std::string plant = PlantCode(run_);
  std::string largest = "00000";
  for (int r = 0; r < ds.RecordCount(); ++r) {
    const std::string unit = ds.StringAt(r, 2);
    // Documents of other sources (transfers) carry their code in 7-8.
    if (unit.compare(0, 2, plant) != 0 || unit.size() < 8 || unit.compare(6, 2, "00") != 0) continue;
    std::string number = Trim(ds.StringAt(r, 3));
    if (number > largest) largest = number;
  }
  const int64_t next = TextToInt(largest) + 1;
  if (next > kMaxNumber) {
    InfoBox(env_, "Pro zavod " + plant + " neni volne cislo dokladu (posledni je 99999) !",
            "Soubor:  " + postingFile_);
    return std::string();
  }
  return IntTextPadded(next, width);
}

char TUctDokl::KindOf(int col) const {
  if (col >= 1 && col <= 7) return 'C';
  if (col == colMD_ || col == colDal_) return 'N';
  if (col == colMena_) return 'V';
  return 'X';
}

void TUctDokl::Type(int row, int col, std::string_view text) {
  if (readOnly_) return;
  if (row < 0) {
    grid_.Header(col) = std::string(text);
  } else {
    grid_.Cell(row, col) = std::string(text);
    present_ = true;
    typedRow_ = row;
    typedCol_ = col;
  }
  modified_ = true;
}

void TUctDokl::Put(int row, int col, std::string_view text) {
  if (readOnly_) return;
  if (row < 0) {
    grid_.Header(col) = std::string(text);
  } else {
    grid_.Cell(row, col) = std::string(text);
    present_ = true;
    if (row == typedRow_ && col == typedCol_) typedRow_ = typedCol_ = -1;
  }
  modified_ = true;
}

std::vector<std::string> TUctDokl::HeaderValues() const {
  std::vector<std::string> values;
  for (int c = 0; c < grid_.HeaderCount(); ++c) values.push_back(grid_.Header(c));
  return values;
}

std::string TUctDokl::IdCaption(bool blankBefore) const {
  std::string caption = "Doklad:  ";
  for (const std::string& v : HeaderValues()) caption += blankBefore ? " " + v : v + " ";
  return caption;
}

bool TUctDokl::LeaveHeaderCell(int col, bool* loaded) {
  if (loaded != nullptr) *loaded = false;
  std::string value = grid_.Header(col);
  DoklCheck check = grid_.Check(grid_.HeaderWord(col), value, 'C');
  valid_ = check.ok;
  if (!check.ok) {
    InfoBox(env_, "Chybne zadany udaj",
            TrimRight(grid_.Def().Word(grid_.HeaderWord(col)).Heading) + ":  " + grid_.Header(col));
    return false;
  }
  grid_.Header(col) = value;
  if (!check.line.empty()) {
    codeLine_ = check.line;
    codeLineError_ = false;
  }
  if (col == grid_.HeaderCount() - 1 && !present_ && TextToInt(value) > 0) {
    bool found = Load();
    if (loaded != nullptr) *loaded = found;
  }
  return true;
}

bool TUctDokl::EnterRows() {
  const int last = grid_.HeaderCount() - 1;
  if (Trim(grid_.Header(last)).empty() || TextToInt(grid_.Header(last)) == 0) {
    InfoBox(env_, "Nebylo zadane cislo dokladu !");
    return false;
  }
  return true;
}

bool TUctDokl::ApplyCheck(int row, int col, bool typed) {
  std::string& cell = grid_.Cell(row, col);
  // A typed amount with a currency and a factor is in that currency.
  if (typed && (col == colMD_ || col == colDal_) && colMena_ >= 0 && !Trim(cell).empty()) {
    const std::string mena = Trim(grid_.Cell(row, colMena_));
    const std::string kurz = colKurz_ >= 0 ? Trim(grid_.Cell(row, colKurz_)) : std::string();
    if (!mena.empty() && !kurz.empty() && TextToReal(kurz) != 0 && OnlyNumberChars(cell)) {
      const std::string typedValue = Trim(cell);
      cell = RealTextRounded(15, 2, TextToReal(kurz) * TextToReal(typedValue));
      codeLine_ = typedValue + " x " + kurz + " " + mena;
      codeLineError_ = false;
    } else if (!mena.empty() && kurz.empty()) {
      codeLine_ = "Mena " + mena + " bez kurzu - castka nebyla prepoctena";
      codeLineError_ = true;
    }
  }
  const int word = grid_.ItemWord(col);
  std::string value = cell;
  DoklCheck check;
  if (col == colKurz_) {
    // The factor keeps five decimals, rounded half up.
    check.ok = OnlyNumberChars(value);
    if (check.ok) {
      value = Trim(value).empty() ? std::string(static_cast<size_t>(grid_.Width(word)), ' ')
                                  : RealTextPlain(grid_.Width(word), 5, TextToReal(value));
    } else {
      check.line = Trim(value) + std::string(kDoklNotInList);
      check.lineError = true;
    }
  } else {
    check = grid_.Check(word, value, KindOf(col));
  }
  valid_ = check.ok;
  if (!check.line.empty()) {
    codeLine_ = check.line;
    codeLineError_ = check.lineError;
  }
  if (!check.ok) return false;
  cell = value;
  for (const auto& [w, v] : check.associated) {
    const int c = w - grid_.HeaderCount() - 1;
    if (c > 0 && c < grid_.ItemCount()) grid_.Cell(row, c) = v;
  }
  if (col == colIntDokl_ && Trim(cell).empty()) cell = Fit(Trim(grid_.Header(grid_.HeaderCount() - 1)), grid_.Width(word));
  if (col == colMD_ || col == colDal_) RecomputeTotals();
  return true;
}

bool TUctDokl::LeaveItemCell(int row, int col) {
  const bool typed = row == typedRow_ && col == typedCol_;
  if (typed) typedRow_ = typedCol_ = -1;
  if (readOnly_) return true;
  return ApplyCheck(row, col, typed);
}

int TUctDokl::ClassCheck() {
  if (colUcet_ < 0 || colCinnost_ < 0) return -1;
  for (int r = 0; r < grid_.RowCount(); ++r) {
    const std::string ucet = TrimLeft(grid_.Cell(r, colUcet_));
    if (ucet.empty() || std::string_view("5689").find(ucet[0]) == std::string_view::npos) continue;
    if (!Trim(grid_.Cell(r, colCinnost_)).empty()) continue;
    InfoBox(env_, "Nebyla zadana cinnost !", "Radek:" + IntText(r + 1, 5));
    return r;
  }
  return -1;
}

void TUctDokl::Copy(int row, int col) { grid_.clipboard = grid_.Cell(row, col); }

void TUctDokl::Paste(int row, int col) {
  if (col == 0) return;
  Put(row, col, grid_.clipboard);
}

bool TUctDokl::CopyFromAbove(int row, int col) {
  if (row < 1 || col == 0 || readOnly_) return false;
  Put(row, col, grid_.Cell(row - 1, col));
  return LeaveItemCell(row, col);
}

bool TUctDokl::TakeCalculator(int row, int col) {
  if ((col != colMD_ && col != colDal_) || readOnly_ || !ports.calculatorValue) return false;
  const std::string shown = ports.calculatorValue();
  if (Trim(shown).empty()) return false;
  const DefWord& w = grid_.Def().Word(grid_.ItemWord(col));
  const int decimals = w.TMS.size() > 1 && w.TMS[1] >= '0' && w.TMS[1] <= '9' ? w.TMS[1] - '0' : 2;
  Put(row, col, RealTextRounded(w.TD, decimals, TextToReal(shown)));
  return LeaveItemCell(row, col);
}

bool TUctDokl::InsertRow(int row) {
  if (readOnly_) return false;
  if (!grid_.InsertRow(row)) {
    InfoBox(env_, "Doklad ma obsazeny posledni radek, novy radek nelze vlozit !",
            "Radek:" + IntText(grid_.RowCount(), 5));
    return false;
  }
  modified_ = true;
  return true;
}

bool TUctDokl::DeleteRow(int row) {
  if (readOnly_) return false;
  if (!AskYesNo(env_, "Skutecne chceme radek zrusit ?")) return false;
  grid_.DeleteRow(row);
  modified_ = true;
  RecomputeTotals();
  return true;
}

bool TUctDokl::ChooseValue(int row, int col, std::string_view value) {
  if (readOnly_ || col == 0) return false;
  Put(row, col, value);
  return LeaveItemCell(row, col);
}

void TUctDokl::RecomputeTotals() {
  debit_ = colMD_ >= 0 ? grid_.ColumnSum(colMD_) : 0;
  credit_ = colDal_ >= 0 ? grid_.ColumnSum(colDal_) : 0;
}

std::string TUctDokl::TotalsLine() const {
  return RealTextRounded(15, 2, debit_) + RealTextRounded(15, 2, credit_) + RealTextRounded(15, 2, debit_ - credit_);
}

bool TUctDokl::HeaderComplete() {
  for (int c = 0; c < grid_.HeaderCount(); ++c) {
    if (Trim(grid_.Header(c)).empty()) {
      InfoBox(env_, "Chyba v identifikaci dokladu !!!");
      return false;
    }
  }
  return true;
}

bool TUctDokl::Save() { return SaveInto(postingFile_); }

bool TUctDokl::SaveInto(std::string_view file) {
  const bool posting = file == postingFile_;
  if (posting && !modified_) return true;
  if (posting && readOnly_) {
    InfoBox(env_, "Doklad je otevren jen pro cteni, nebude ulozen !", IdCaption(false));
    return false;
  }
  if (!FileExistsQuiet(env_, file)) {
    TUctProc proc(run_, cds_);
    proc.MakeCdsFile(file, defFile_);
    if (!FileExistsOrSay(env_, file)) return false;
  }
  if (!HeaderComplete()) return false;
  ComputingProgress progress(env_);
  const int k = grid_.HeaderCount();
  const std::vector<std::string> header = HeaderValues();
  const std::string id = DocumentIdOfValues(header, k);
  const bool renumbered = id != loadedId_;
  if (renumbered && !grid_.AnyRowData()) {
    // A typed identification with an empty grid: nothing to write, and the
    // document of that number is not the one that was loaded.
    return true;
  }
  std::unordered_set<std::string> drop{id};
  if (renumbered && !loadedId_.empty() && posting) drop.insert(loadedId_);
  // Another document of this identification is overwritten only on Yes.
  auto overwrite = [&] {
    return AskYesNo(env_, "Doklad s touto identifikaci jiz existuje ! Ma byt prepsan ?", IdCaption(false));
  };
  if (!RewriteDocuments(env_, file, k, drop, DocumentRows(), renumbered ? id : std::string(),
                       renumbered ? std::function<bool()>(overwrite) : std::function<bool()>())) {
    return false;
  }
  if (posting) {
    loadedId_ = id;
    modified_ = false;
  }
  return true;
}

std::vector<DocumentRecord> TUctDokl::DocumentRows() const {
  const std::vector<std::string> header = HeaderValues();
  const int k = grid_.HeaderCount();
  std::vector<DocumentRecord> rows;
  for (int r = 0; r < grid_.RowCount(); ++r) {
    if (!grid_.RowHasData(r)) continue;
    DocumentRecord row = header;
    for (int c = 0; c < grid_.ItemCount(); ++c) {
      std::string cell = grid_.Cell(r, c);
      if (c == colIntDokl_ && Trim(cell).empty()) cell = Fit(Trim(header[static_cast<size_t>(k - 1)]), grid_.Width(grid_.ItemWord(c)));
      row.push_back(cell);
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

bool TUctDokl::LoadDocument(const std::vector<std::string>& id) {
  StartDocument();
  for (int c = 0; c < grid_.HeaderCount() && c < static_cast<int>(id.size()); ++c) {
    std::string value = id[static_cast<size_t>(c)];
    grid_.Check(grid_.HeaderWord(c), value, 'C');
    grid_.Header(c) = Fit(value, grid_.Width(c + 1));
  }
  return Load();
}

bool TUctDokl::SaveAndWarn() {
  const bool wasModified = modified_;
  if (!Save()) return false;
  RecomputeTotals();
  if (wasModified && std::fabs(debit_ - credit_) > 0.005) InfoBox(env_, "Soucty stran uctu se nerovnaji !");
  return true;
}

bool TUctDokl::MakePostingFile() {
  if (FileExistsQuiet(env_, postingFile_)) return true;
  TUctProc proc(run_, cds_);
  proc.MakeCdsFile(postingFile_, defFile_);
  return FileExistsOrSay(env_, postingFile_);
}

bool TUctDokl::Load() {
  if (!HeaderComplete()) return false;
  if (!MakePostingFile()) return false;
  const int k = grid_.HeaderCount();
  const std::string id = DocumentIdOfValues(HeaderValues(), k);
  Dataset ds(env_);
  ds.SetReadOnly(true);
  if (!LoadCdsFile(env_, postingFile_, ds)) return false;
  std::vector<int> records;
  for (int r = 0; r < ds.RecordCount(); ++r) {
    if (DocumentIdOf(ds, r, k) == id) records.push_back(r);
  }
  if (records.empty()) {
    InfoBox(env_, "Doklad s touto identifikaci nebyl nalezen !", IdCaption(true));
    return false;
  }
  grid_.ClearRows();
  std::vector<char> used(static_cast<size_t>(grid_.RowCount()), 0);
  std::vector<int> misplaced;
  std::string badLines;
  for (int r : records) {
    const std::string line = Trim(ds.StringAt(r, k));
    const int64_t n = TextToInt(line);
    const bool digits = !line.empty() && line.find_first_not_of("0123456789") == std::string::npos;
    if (!digits || n < 1 || n > grid_.RowCount() || used[static_cast<size_t>(n - 1)] != 0) {
      misplaced.push_back(r);
      badLines += (badLines.empty() ? "" : ", ") + (line.empty() ? std::string("(prazdny)") : line);
      continue;
    }
    used[static_cast<size_t>(n - 1)] = 1;
    for (int c = 1; c < grid_.ItemCount(); ++c) grid_.Cell(static_cast<int>(n - 1), c) = Fit(ds.StringAt(r, k + c), grid_.Width(grid_.ItemWord(c)));
  }
  // Records whose line cannot be placed are shown in the free rows at the
  // end; saving such a document would lose them, so it stays read-only.
  int free = grid_.RowCount() - 1;
  for (auto it = misplaced.rbegin(); it != misplaced.rend(); ++it) {
    while (free >= 0 && used[static_cast<size_t>(free)] != 0) --free;
    if (free < 0) break;
    used[static_cast<size_t>(free)] = 1;
    for (int c = 1; c < grid_.ItemCount(); ++c) grid_.Cell(free, c) = Fit(ds.StringAt(*it, k + c), grid_.Width(grid_.ItemWord(c)));
  }
  present_ = true;
  modified_ = false;
  valid_ = true;
  loadedId_ = id;
  readOnly_ = !misplaced.empty();
  headerView_.readOnly = itemView_.readOnly = readOnly_;
  RecomputeTotals();
  if (readOnly_) {
    InfoBox(env_,
            "Doklad ma chybna nebo opakovana cisla radku: " + badLines +
                "\rje otevren jen pro cteni, aby se pri ulozeni nic neztratilo.",
            IdCaption(false));
  }
  return true;
}

bool TUctDokl::Delete() {
  if (!present_) return false;
  if (!AskYesNo(env_, "Skutecne chceme doklad zrusit ?")) return false;
  if (FileExistsQuiet(env_, postingFile_)) {
    ComputingProgress progress(env_);
    if (!RewriteDocuments(env_, postingFile_, grid_.HeaderCount(), {DocumentIdOfValues(HeaderValues(), grid_.HeaderCount())}, {})) {
      return false;
    }
  }
  StartDocument();
  return true;
}

bool TUctDokl::NewDocument() {
  if (!valid_) return false;
  if (!SaveAndWarn()) return false;
  return Open();
}

bool TUctDokl::Close() {
  if (!valid_) return false;
  if (!SaveAndWarn()) return false;
  ReadInitFile(run_);
  env_.fs.ChangeDir(AppDir(run_));
  return true;
}

bool TUctDokl::Escape() {
  return AskYesNo(env_, "Ukoncovaci akce nebudou provedeny !!!\r\rSkutecne chceme uzavrit okno ?");
}

std::vector<DoklSummary> TUctDokl::Documents() {
  std::vector<DoklSummary> list;
  if (!FileExistsQuiet(env_, postingFile_)) return list;
  Dataset ds(env_);
  ds.SetReadOnly(true);
  if (!LoadCdsFile(env_, postingFile_, ds)) return list;
  const int k = grid_.HeaderCount();
  std::unordered_map<std::string, size_t> at;
  for (int r = 0; r < ds.RecordCount(); ++r) {
    const std::string id = DocumentIdOf(ds, r, k);
    auto [it, fresh] = at.emplace(id, list.size());
    if (fresh) {
      DoklSummary s;
      for (int c = 0; c < k; ++c) s.id.push_back(ds.StringAt(r, c));
      list.push_back(std::move(s));
    }
    DoklSummary& s = list[it->second];
    ++s.rows;
    if (colMD_ >= 0) s.debit += TextToReal(ds.StringAt(r, k + colMD_));
    if (colDal_ >= 0) s.credit += TextToReal(ds.StringAt(r, k + colDal_));
  }
  std::stable_sort(list.begin(), list.end(), [](const DoklSummary& a, const DoklSummary& b) { return a.id < b.id; });
  return list;
}

bool TUctDokl::ChooseFromList() {
  if (!FileExistsQuiet(env_, postingFile_) || present_ || !ports.chooseDocument) return false;
  std::vector<std::string> id;
  if (!ports.chooseDocument(postingFile_, grid_.HeaderCount(), &id)) return false;
  for (int c = 0; c < grid_.HeaderCount() && c < static_cast<int>(id.size()); ++c) {
    grid_.Header(c) = Fit(id[static_cast<size_t>(c)], grid_.Width(c + 1));
  }
  return Load();
}

bool TUctDokl::ChooseCode(int row, int col) {
  if (readOnly_ || col <= 0 || col >= grid_.ItemCount() || !ports.chooseCode) return false;
  std::string file = Trim(grid_.Def().Word(grid_.ItemWord(col)).JmSCis);
  if (file.empty()) return false;
  if (file.size() >= 8 && UpperCz(file.substr(1, 7)) == ":\\A_RUN") file[0] = 'C';
  const std::string value = ports.chooseCode(file);
  if (Trim(value).empty()) return false;
  return ChooseValue(row, col, value);
}

void ChooseThroughCodeList(UctDoklPorts& ports, TCdsCis& codeList) {
  ports.chooseCode = [&codeList](const std::string& file) {
    CisHandOver& h = codeList.handOver();
    h.CisFileName = file;
    h.CisEditAllowed = 'N';
    h.CisKeyCount = 1;
    h.CisKeyFields.fill(0);
    h.CisKeyFields[0] = 1;
    h.CisResult = 'N';
    if (codeList.Ports().showWindow) codeList.Ports().showWindow();
    return h.CisResult == 'A' ? h.CisValues[1] : std::string();
  };
  ports.chooseDocument = [&codeList](const std::string& postingFile, int idWords, std::vector<std::string>* id) {
    CisHandOver& h = codeList.handOver();
    const int keys = std::min(idWords, kCisMaxKeys);
    h.CisFileName = postingFile;
    h.CisKeyCount = keys;
    h.CisKeyFields.fill(0);
    for (int k = 0; k < keys; ++k) h.CisKeyFields[static_cast<size_t>(k)] = k + 1;
    h.CisListFieldCount = 0;
    codeList.SezDokl();
    h.CisFileName = std::string(kSezDoklFile);
    h.CisEditAllowed = 'N';
    h.CisResult = 'N';
    if (codeList.Ports().showWindow) codeList.Ports().showWindow();
    if (h.CisResult != 'A') return false;
    id->clear();
    for (int k = 1; k <= keys; ++k) id->push_back(h.CisValues[static_cast<size_t>(k)]);
    return true;
  };
}

bool TUctDokl::WritePrint() {
  std::vector<std::string> lines;
  auto titles = [&](int count, bool header) {
    std::string line;
    for (int c = 0; c < count; ++c) {
      const int word = header ? grid_.HeaderWord(c) : grid_.ItemWord(c);
      line += Fit(TrimRight(grid_.Def().Word(word).Heading), grid_.Width(word) + 1) + " ";
    }
    return line;
  };
  lines.emplace_back();
  lines.push_back(titles(grid_.HeaderCount(), true));
  lines.emplace_back();
  std::string values;
  for (const std::string& v : HeaderValues()) values += v + "  ";
  lines.push_back(values);
  lines.emplace_back();
  lines.emplace_back();
  lines.push_back(titles(grid_.ItemCount(), false));
  lines.emplace_back();
  for (int r = 0; r < grid_.RowCount(); ++r) {
    if (!grid_.RowHasData(r)) continue;
    std::string line;
    for (int c = 0; c < grid_.ItemCount(); ++c) line += Fit(grid_.Cell(r, c), grid_.Width(grid_.ItemWord(c))) + "  ";
    lines.push_back(line);
  }
  lines.emplace_back();
  RecomputeTotals();
  lines.push_back("Celkem" + std::string(56, ' ') + RealTextRounded(15, 2, debit_) + RealTextRounded(17, 2, credit_));
  MakeDirPath(env_, DirectoryOf(kDoklPrintFile));
  if (WriteReport(env_, kDoklPrintFile, lines) != kIoOk) {
    InfoBox(env_, "Sestavu nelze zapsat", "Soubor:  " + std::string(kDoklPrintFile));
    return false;
  }
  return true;
}

bool TUctDokl::WriteVoucher() {
  std::vector<std::vector<std::string>> parts;
  for (const char* name : {"LDoklP.Def", "LDokl.Def", "LDoklZ.Def"}) {
    const std::string file = DocumentListDef(run_, name);
    // The application puts the shipped templates there at its start.
    const std::string shipped = AppDir(run_, "DefSoub") + "\\" + name;
    if (!FileExistsQuiet(env_, file) && FileExistsQuiet(env_, shipped)) CopyFile(env_, shipped, file, false);
    if (!FileExistsOrSay(env_, file)) return false;
    auto text = ReadReport(env_, file);
    if (!text) return false;
    parts.push_back(*text);
  }
  // The table template: its caption line, then a line whose groups of
  // dashes give each column's place and width - the running number, the
  // row cells 1 to 9 and the row text.
  const std::vector<std::string>& table = parts[1];
  struct Column {
    int at = 0, width = 0;
  };
  std::vector<Column> columns;
  const std::string dashes = table.size() > 1 ? table[1] : std::string();
  for (size_t i = 0; i < dashes.size();) {
    if (dashes[i] != '-') {
      ++i;
      continue;
    }
    size_t end = i;
    while (end < dashes.size() && dashes[end] == '-') ++end;
    columns.push_back({static_cast<int>(i) + 1, static_cast<int>(end - i)});
    i = end;
  }
  if (columns.size() < 11) {
    InfoBox(env_, "Sablona likvidacniho dokladu nema 11 sloupcu", "Soubor:  " + DocumentListDef(run_, "LDokl.Def"));
    return false;
  }
  std::vector<std::string> lines = parts[0];
  std::string head;
  const int places[] = {85, 89, 93, 104};
  for (int c = 0; c < grid_.HeaderCount() && c < 4; ++c) PlaceAt(head, places[c], TrimRight(grid_.Header(c)));
  lines.push_back(head);
  lines.emplace_back();
  lines.insert(lines.end(), table.begin(), table.end());
  const int colText = grid_.ItemColumnOf("Text");
  int number = 0;
  for (int r = 0; r < grid_.RowCount(); ++r) {
    if (!grid_.RowHasData(r)) continue;
    std::string line;
    PlaceAt(line, columns[0].at, IntTextPadded(++number, 3));
    for (int c = 1; c <= 9 && c < grid_.ItemCount(); ++c) {
      PlaceAt(line, columns[static_cast<size_t>(c)].at, Fit(grid_.Cell(r, c), columns[static_cast<size_t>(c)].width));
    }
    if (colText >= 0) PlaceAt(line, columns[10].at, Fit(grid_.Cell(r, colText), std::min(20, columns[10].width)));
    lines.push_back(TrimRight(line));
  }
  RecomputeTotals();
  std::string total = Fit("Celkem", 76);
  PlaceAt(total, columns[8].at + columns[8].width - 15, RealTextRounded(15, 2, debit_));
  PlaceAt(total, columns[9].at + columns[9].width - 15, RealTextRounded(15, 2, credit_));
  lines.push_back(total);
  lines.push_back(" " + std::string(76, '-'));
  lines.insert(lines.end(), parts[2].begin(), parts[2].end());
  MakeDirPath(env_, DirectoryOf(kDoklVoucherFile));
  if (WriteReport(env_, kDoklVoucherFile, lines) != kIoOk) {
    InfoBox(env_, "Sestavu nelze zapsat", "Soubor:  " + std::string(kDoklVoucherFile));
    return false;
  }
  return true;
}

void TUctDokl::Print() {
  if (WritePrint() && ports.showReport) ports.showReport(std::string(kDoklPrintFile), 6);
}

void TUctDokl::Voucher() {
  if (WriteVoucher() && ports.showReport) ports.showReport(std::string(kDoklVoucherFile), 0);
}

void TUctDokl::ShowDocumentTable() {
  EraseFile(env_, kDoklWorkFile);
  if (!SaveInto(kDoklWorkFile)) return;
  if (ports.showBrowser) ports.showBrowser(std::string(kDoklWorkFile), defFile_, "Orvo", "Ucetni doklad", "");
}

void TUctDokl::ShowDocumentInViewer() {
  EraseFile(env_, kDoklWorkFile);
  if (!SaveInto(kDoklWorkFile)) return;
  StartTableViewer(run_, kDoklWorkFile, defFile_);
}

void TUctDokl::ShowWholeFile() {
  if (!Save()) return;
  if (!FileExistsOrSay(env_, postingFile_)) return;
  if (ports.showBrowser) ports.showBrowser(postingFile_, defFile_, "Orvo", "Ucetni doklady - prehled", "A");
}

void TUctDokl::ShowWholeFileInViewer() {
  if (!FileExistsOrSay(env_, postingFile_)) return;
  StartTableViewer(run_, postingFile_, defFile_);
}

void TUctDokl::Help() {
  if (ports.help) ports.help(kDoklHelpTopic);
  else InfoBox(env_, "Napoveda neni k dispozici", std::string(kDoklHelpTopic));
}

void TUctDokl::Desk(DeskTool tool) {
  if (ports.deskTool) ports.deskTool(tool);
  else InfoBox(env_, "Tento nastroj neni k dispozici");
}

}  // namespace orvo
