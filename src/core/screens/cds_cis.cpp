#include "core/screens/cds_cis.h"

#include <algorithm>

#include "core/sys/file_write.h"
#include "core/data/cds_file.h"
#include "core/data/dataset_ops.h"
#include "core/data/definition.h"
#include "core/data/safe_file_writer.h"
#include "core/screens/code_list_listing.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "core/sys/text.h"

namespace orvo {

namespace {

constexpr int kDefaultRowsPerPage = 80;
constexpr int kMostRowsPerPage = 150;
std::string Cut(std::string_view s, size_t n) { return std::string(s.substr(0, std::min(n, s.size()))); }

// Replaces `target` by the bytes of `source` without a moment in which
// neither exists, then erases `source`. The message of a failure names the
// target; the target is then untouched.
bool ReplaceByWorkFile(Env& env, std::string_view source, std::string_view target) {
  int io = 0;
  auto bytes = env.fs.ReadWhole(source, &io);
  if (!bytes) {
    ErrorBox(env, UnreadableFileText(source, io));
    return false;
  }
  SafeFileWriter writer(env.fs, target);
  io = writer.Begin();
  if (io == kIoOk && !writer.Write(bytes->data(), bytes->size())) io = writer.LastError();
  if (io == kIoOk) io = writer.Commit();
  if (io != kIoOk) {
    ErrorBox(env, UnwritableFileText(target, io));
    return false;
  }
  EraseFile(env, source);
  return true;
}

}  // namespace

TCdsCis::TCdsCis(Env& env, TCdsProc& cds, CisHandOver& handOver, CisPorts ports)
    : env_(env), cds_(cds), h_(handOver), ports_(std::move(ports)), lookup_(env, cds, handOver),
      table_(env) {}

// --- uses by the callers ------------------------------------------------------

void TCdsCis::ACis(std::string_view jmCis, int num) {
  // The column look-up table belongs to the definition of a data-entry
  // window; the code list edited from the menu has none.
  for (CisColumnList& entry : h_.CisColumnLists) entry = {};
  h_.CisKeyCount = std::clamp(num, 0, kCisMaxKeys);
  h_.CisKeyFields.fill(0);
  for (int k = 0; k < h_.CisKeyCount; ++k) h_.CisKeyFields[static_cast<size_t>(k)] = k + 1;
  h_.CisEditAllowed = 'A';
  h_.CisFileName = std::string(jmCis);
  if (ports_.showWindow) ports_.showWindow();
}

void TCdsCis::VCisel(int hp, int sloup) {
  h_.CisResult = 'N';
  const CisColumnList* entry = CisColumnListOf(h_, CisFieldOfColumn(cds_.Def(), hp, sloup));
  if (entry == nullptr) return;
  if (IsOptionalCodeList(entry->file)) {
    InfoBox(env_, kCisOptionalMissing);
    return;
  }
  h_.CisFileName = entry->file;
  if (ports_.showWindow) ports_.showWindow();
}

bool TCdsCis::SortFile() {
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
  EraseFile(env_, kCisWorkFile);
  // A failed sort must not cost the code list: it is replaced only by a
  // sorted file that was written completely.
  if (!SortFND(cds_, false) || !FileExistsQuiet(env_, kCisWorkFile)) return false;
  return ReplaceByWorkFile(env_, kCisWorkFile, h_.CisFileName);
}

bool TCdsCis::SortCisProc() {
  if (h_.CisKeyCount <= 0) return true;
  if (!FileExistsOrSay(env_, h_.CisFileName)) return false;
  return SortFile();
}

// --- the window -----------------------------------------------------------------

bool TCdsCis::Open() {
  h_.CisEditAllowed = static_cast<char>(UpperCz(std::string(1, h_.CisEditAllowed))[0]);
  open_ = false;
  if (!FileExistsOrSay(env_, h_.CisFileName)) return false;
  env_.fs.SetAttributes(h_.CisFileName, kAttrArchive);
  for (std::string& v : h_.CisValues) v.clear();
  h_.CisResult = 'N';
  search_.clear();
  table_.Close();
  table_.SetFileName(std::string());
  table_.SetReadOnly(true);
  if (!table_.LoadFromFile(h_.CisFileName)) return false;
  table_.First();
  editMode_ = false;
  touched_ = false;
  col_ = 0;
  int rows = ports_.rowsPerPage ? ports_.rowsPerPage() : kDefaultRowsPerPage;
  rowsPerPage_ = rows >= 1 && rows <= kMostRowsPerPage ? rows : kDefaultRowsPerPage;
  open_ = true;
  return true;
}

void TCdsCis::Close() {
  if (!open_) return;
  open_ = false;
  if (h_.CisEditAllowed != 'A') {
    table_.Cancel();
    table_.Close();
    return;
  }
  LeaveRecord();
  // Whatever was edited is kept, sorted or not.
  table_.SetFileName(h_.CisFileName);
  table_.SetReadOnly(false);
  table_.Close();
  table_.SetFileName(std::string());
  if (h_.CisKeyCount > 0) SortFile();
  editMode_ = false;
}

std::string TCdsCis::Caption() const { return std::string(kCisCaption) + h_.CisFileName; }

int TCdsCis::RowCount() const {
  if (!table_.Active()) return 0;
  return table_.RecordCount() + (pendingRow_ >= 0 ? 1 : 0);
}

int TCdsCis::ColCount() const { return table_.Active() ? table_.FieldCount() : 0; }

std::string TCdsCis::ColumnTitle(int col) const {
  return col >= 0 && col < ColCount() ? table_.Field(col).name : std::string();
}

int TCdsCis::ColumnChars(int col) const {
  return col >= 0 && col < ColCount() ? table_.Field(col).size : 0;
}

int TCdsCis::ColumnWidth(int col, int titleTextWidth) const {
  if (col < 0 || col >= ColCount()) return 0;
  int size = ColumnChars(col);
  int width = titleTextWidth + 10;
  if (width < size * 8 + 2) width = size * 8;
  return width + 1;
}

std::string TCdsCis::CellText(int row, int col) const {
  if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount()) return std::string();
  if (row == pendingRow_) return table_.AsString(col);
  int record = pendingRow_ >= 0 && row > pendingRow_ ? row - 1 : row;
  if (pendingRow_ < 0 && table_.Editing() && record == table_.RecNo() - 1) {
    return table_.AsString(col);
  }
  return table_.StringAt(record, col);
}

int TCdsCis::CurrentRow() const {
  if (pendingRow_ >= 0) return pendingRow_;
  return table_.Active() ? std::max(table_.RecNo() - 1, 0) : 0;
}

void TCdsCis::LeaveRecord() {
  if (!table_.Active()) return;
  if (pendingRow_ >= 0 && !touched_) {
    table_.Cancel();
  } else if (table_.Editing()) {
    table_.Post();
  }
  pendingRow_ = -1;
  touched_ = false;
}

void TCdsCis::MoveToRow(int row) {
  LeaveRecord();
  if (table_.RecordCount() == 0) return;
  row = std::clamp(row, 0, table_.RecordCount() - 1);
  table_.MoveBy(row - (table_.RecNo() - 1));
}

void TCdsCis::SelectCell(int row, int col) {
  if (!table_.Active()) return;
  if (row != CurrentRow()) MoveToRow(row);
  SelectCol(col);
}

void TCdsCis::SelectCol(int col) {
  if (ColCount() > 0) col_ = std::clamp(col, 0, ColCount() - 1);
}

void TCdsCis::SetCellText(std::string_view text) {
  if (!editMode_ || !table_.Active() || ColCount() == 0) return;
  table_.SetAsString(col_, text);
  if (pendingRow_ < 0 && table_.RecNo() == 0) pendingRow_ = table_.RecordCount();
  touched_ = true;
}

bool TCdsCis::SetCell(int row, int col, std::string_view text) {
  // A grid's editor closed without a change hands back the shown value;
  // it must not count as typing into a new record.
  if (text == CellText(row, col)) return false;
  const bool takes = editMode_ && table_.Active() && ColCount() > 0;
  SelectCell(row, col);
  SetCellText(text);
  return takes;
}

void TCdsCis::First() {
  LeaveRecord();
  if (table_.Active()) table_.First();
}

void TCdsCis::Prior() { MoveToRow(CurrentRow() - 1); }

void TCdsCis::Next() {
  if (pendingRow_ >= 0) {
    // Leaving a new record moves on from where it stands.
    int row = CurrentRow();
    bool kept = touched_;
    LeaveRecord();
    MoveToRow(kept ? row + 1 : row);
    return;
  }
  MoveToRow(CurrentRow() + 1);
}

void TCdsCis::Last() {
  LeaveRecord();
  if (table_.Active()) table_.Last();
}

void TCdsCis::InsertRecord() {
  if (!editMode_ || !table_.Active()) return;
  LeaveRecord();
  int row = CurrentRow();
  table_.Insert();
  pendingRow_ = table_.RecordCount() == 0 ? 0 : row;
  touched_ = false;
}

void TCdsCis::DeleteRecord() {
  if (!editMode_ || !table_.Active()) return;
  if (pendingRow_ >= 0) {
    table_.Cancel();
    pendingRow_ = -1;
    touched_ = false;
    return;
  }
  if (table_.Editing()) table_.Cancel();
  if (table_.RecordCount() > 0) table_.Delete();
}

void TCdsCis::SaveRecord() {
  if (!editMode_ || !table_.Active()) return;
  if (table_.Editing()) table_.Post();
  pendingRow_ = -1;
  touched_ = false;
}

void TCdsCis::EditCis() {
  if (h_.CisEditAllowed != 'A') {
    InfoBox(env_, "Ciselnik neni v rezimu editace",
            "Soubor:  " + h_.CisFileName + "-operace nebude provedena");
    return;
  }
  LeaveRecord();
  editMode_ = !editMode_;
  table_.SetReadOnly(!editMode_);
}

void TCdsCis::SortCis() {
  if (h_.CisEditAllowed != 'A' || !table_.Active() || h_.CisKeyCount <= 0) return;
  LeaveRecord();
  table_.SetFileName(h_.CisFileName);
  table_.SetReadOnly(false);
  table_.Close();
  table_.SetFileName(std::string());
  SortFile();
  table_.SetReadOnly(true);
  if (!table_.LoadFromFile(h_.CisFileName)) {
    open_ = false;
    return;
  }
  table_.SetReadOnly(!editMode_);
  table_.First();
}

void TCdsCis::Tisk() {
  if (!table_.Active()) return;
  LeaveRecord();
  std::string base = BaseName(h_.CisFileName);
  std::string defName = "C:\\A_Run\\Work\\" + base + ".Def";
  cds_.params.CdsName = h_.CisFileName;
  cds_.params.DefName = defName;
  cds_.CdsDef();
  ReadDef(env_, cds_.Def(), defName);
  std::string report = "C:\\A_Run\\Sestavy\\" + base + ".Ses";
  int remembered = table_.RecNo();
  std::string text = CodeListListing(env_, table_, h_.CisFileName, rowsPerPage_);
  if (!WriteFileOrAsk(env_, report, text)) return;
  if (remembered > 0) table_.MoveBy(remembered - table_.RecNo());
  if (ports_.showReport) ports_.showReport(report);
}

void TCdsCis::Vyhled() {
  if (h_.CisKeyCount < 1 || h_.CisKeyCount > kCisMaxKeys || !table_.Active()) return;
  std::string typed = search_;
  size_t at = 0;
  int k = 0;
  for (; k < h_.CisKeyCount && at < typed.size(); ++k) {
    int field = h_.CisKeyFields[static_cast<size_t>(k)];
    if (field < 1 || field > table_.FieldCount()) return;
    size_t size = static_cast<size_t>(table_.Field(field - 1).size);
    cds_.params.LocateKeys[static_cast<size_t>(k)] = {typed.substr(at, size), field};
    at += size;
  }
  if (k < static_cast<int>(cds_.params.LocateKeys.size())) {
    cds_.params.LocateKeys[static_cast<size_t>(k)] = {"", 0};
  }
  if (k == 0 || table_.RecordCount() == 0) return;
  LeaveRecord();
  LocateH(cds_, table_);
}

void TCdsCis::VyhledKlic() {
  std::string text = TrimLeft(UpperCz(search_));
  if (text.empty() || !table_.Active() || ColCount() == 0) return;
  LeaveRecord();
  while (table_.MoveBy(1) == 1) {
    std::string value = TrimLeft(UpperCz(table_.AsString(col_)));
    if (Cut(value, text.size()) == text) return;
  }
  InfoBox(env_, text + std::string(kCisNotFound), "Soubor:  " + env_.fs.FullPath(h_.CisFileName));
}

void TCdsCis::VyhledRetezec() {
  std::string text = UpperCz(search_);
  if (text.empty() || !table_.Active()) return;
  LeaveRecord();
  bool found = false;
  while (!found && table_.MoveBy(1) == 1) {
    for (int f = 0; f < table_.FieldCount() && !found; ++f) {
      found = UpperCz(table_.AsString(f)).find(text) != std::string::npos;
    }
  }
  if (!found && h_.CisReportMissing == 'A') {
    ErrorBox(env_, "Veta nebyla nalezena !", "Retezec:  " + text);
  }
  col_ = 0;
}

bool TCdsCis::Pick() {
  if (!table_.Active() || table_.RecNo() == 0) return false;
  for (int f = 0; f < std::min(table_.FieldCount(), kCisMaxValues); ++f) {
    h_.CisValues[static_cast<size_t>(f + 1)] = table_.AsString(f);
  }
  h_.CisResult = 'A';
  return true;
}

void TCdsCis::EmptyTable() {
  table_.Cancel();
  pendingRow_ = -1;
  touched_ = false;
  table_.First();
  while (table_.RecordCount() > 0) table_.Delete();
}

void TCdsCis::Enter() {
  if (ColCount() == 0) return;
  if (col_ < ColCount() - 1) {
    if (table_.Editing() && pendingRow_ < 0) table_.Post();
    ++col_;
    return;
  }
  bool onLast = pendingRow_ >= 0 ? pendingRow_ >= table_.RecordCount()
                                 : table_.RecNo() == table_.RecordCount();
  if (onLast && !(pendingRow_ >= 0 && !touched_)) {
    LeaveRecord();
    table_.Append();
    pendingRow_ = table_.RecordCount();
    touched_ = false;
  } else if (!onLast) {
    Next();
  }
  col_ = 0;
}

void TCdsCis::F9() {
  if (ColCount() == 0) return;
  if (pendingRow_ >= 0) {
    // A new record takes its place among the others before it copies.
    int row = pendingRow_;
    table_.Post();
    pendingRow_ = -1;
    touched_ = false;
    table_.MoveBy(row - (table_.RecNo() - 1));
  } else if (table_.Editing()) {
    table_.Post();
  }
  int record = table_.RecNo() - 1;
  std::string above = record > 0 ? table_.StringAt(record - 1, col_) : std::string();
  if (table_.RecNo() == 0) {
    table_.Append();
    pendingRow_ = table_.RecordCount();
  }
  table_.SetAsString(col_, above);
  table_.Post();
  pendingRow_ = -1;
  touched_ = false;
  Enter();
}

bool TCdsCis::Key(const CisKeyEvent& e) {
  if (e.key != CisKey::Digit && !e.shift) search_.clear();
  const bool edit = editMode_ && table_.Active();
  switch (e.key) {
    case CisKey::C:
      if (e.ctrl && edit) h_.CisClipboard = CellText(CurrentRow(), col_);
      return false;
    case CisKey::V:
      if (e.ctrl && edit) {
        SetCellText(h_.CisClipboard);
        SaveRecord();
      }
      return false;
    case CisKey::F9:
      if (edit) F9();
      return false;
    case CisKey::Enter:
      if (PickMode()) return Pick();
      if (edit) Enter();
      return false;
    case CisKey::Digit:
      if (PickMode()) {
        search_ += e.digit;
        Vyhled();
      }
      return false;
    case CisKey::Delete:
      if (!e.alt) return false;
      if (!edit) {
        InfoBox(env_, "Obsah ciselniku lze zrusit pouze v rezimu editace !",
                "Jmeno ciselniku:  " + h_.CisFileName);
      } else if (AskYesNo(env_, "Skutecne chcete zrusit obsah ciselniku ?",
                          "Jmeno ciselniku:  " + h_.CisFileName)) {
        EmptyTable();
      }
      return false;
    case CisKey::Escape:
      return true;
    case CisKey::Other:
      return false;
  }
  return false;
}

bool TCdsCis::DoubleClick() { return PickMode() && Pick(); }

}  // namespace orvo
