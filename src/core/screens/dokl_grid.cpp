#include "core/screens/dokl_grid.h"

#include <algorithm>

#include "core/data/format_word.h"
#include "core/sys/files.h"
#include "core/sys/numbers.h"
#include "core/sys/text.h"

namespace orvo {

void DoklGrid::Layout(const LoadedDef& def, int rows) {
  def_ = def;
  header_.assign(static_cast<size_t>(std::max(0, def_.HeaderCount)), std::string());
  for (int c = 0; c < HeaderCount(); ++c) header_[static_cast<size_t>(c)] = std::string(static_cast<size_t>(std::max(0, Width(HeaderWord(c)))), ' ');
  rows_.assign(static_cast<size_t>(std::max(0, rows)), BlankRow());
  Renumber();
}

int DoklGrid::ItemColumnOf(std::string_view name) const {
  const std::string wanted = UpperCz(name);
  for (int c = 0; c < ItemCount(); ++c) {
    if (UpperCz(def_.Word(ItemWord(c)).FieldName) == wanted) return c;
  }
  return -1;
}

std::string DoklGrid::Identification(int count) const {
  const int n = count <= 0 ? HeaderCount() : std::min(count, HeaderCount());
  std::string id;
  for (int c = 0; c < n; ++c) id += header_[static_cast<size_t>(c)];
  return id;
}

std::vector<std::string> DoklGrid::BlankRow() const {
  std::vector<std::string> row(static_cast<size_t>(std::max(0, ItemCount())));
  for (int c = 0; c < ItemCount(); ++c) row[static_cast<size_t>(c)] = std::string(static_cast<size_t>(std::max(0, Width(ItemWord(c)))), ' ');
  return row;
}

void DoklGrid::Renumber() {
  if (ItemCount() < 1) return;
  const int width = std::max(1, Width(ItemWord(0)));
  for (size_t r = 0; r < rows_.size(); ++r) rows_[r][0] = IntTextPadded(static_cast<int64_t>(r) + 1, width);
}

bool DoklGrid::RowHasData(int row) const {
  const auto& cells = rows_.at(static_cast<size_t>(row));
  for (size_t c = 1; c < cells.size(); ++c) {
    if (!Trim(cells[c]).empty()) return true;
  }
  return false;
}

bool DoklGrid::AnyRowData() const {
  for (int r = 0; r < RowCount(); ++r) {
    if (RowHasData(r)) return true;
  }
  return false;
}

void DoklGrid::ClearRows() {
  std::fill(rows_.begin(), rows_.end(), BlankRow());
  Renumber();
}

void DoklGrid::ClearHeader() {
  for (int c = 0; c < HeaderCount(); ++c) header_[static_cast<size_t>(c)] = std::string(static_cast<size_t>(std::max(0, Width(HeaderWord(c)))), ' ');
}

bool DoklGrid::InsertRow(int row) {
  if (row < 0 || row >= RowCount()) return false;
  if (RowHasData(RowCount() - 1)) return false;
  rows_.pop_back();
  rows_.insert(rows_.begin() + row, BlankRow());
  Renumber();
  return true;
}

void DoklGrid::DeleteRow(int row) {
  if (row < 0 || row >= RowCount()) return;
  rows_.erase(rows_.begin() + row);
  rows_.push_back(BlankRow());
  Renumber();
}

DoklGrid::CodeList& DoklGrid::ListOf(const std::string& file) {
  auto found = lists_.find(file);
  if (found != lists_.end()) return found->second;
  CodeList& list = lists_[file];
  if (!FileExistsQuiet(env_, file)) return list;
  list.table = std::make_unique<Dataset>(env_);
  list.table->SetReadOnly(true);
  if (!list.table->LoadFromFile(file) || list.table->FieldCount() == 0) return list;
  for (int r = 0; r < list.table->RecordCount(); ++r) {
    list.index.emplace(Trim(list.table->StringAt(r, 0)), r);
  }
  list.usable = true;
  return list;
}

DoklGrid::CodeList& DoklGrid::ListOfWord(int word) {
  std::string file = Trim(def_.Word(word).JmSCis);
  if (file.size() >= 8 && UpperCz(file.substr(1, 7)) == ":\\A_RUN") file[0] = 'C';
  return ListOf(file);
}

void DoklGrid::DescribeRecord(const Dataset& table, int record, DoklCheck* result) const {
  result->line = Trim(table.StringAt(record, 0)) + " -";
  for (int f = 1; f < std::min(table.FieldCount(), 10); ++f) result->line += " " + Trim(table.StringAt(record, f));
}

DoklCheck DoklGrid::Check(int word, std::string& value, char kind) {
  DoklCheck result;
  if (Trim(value).empty()) {
    value = std::string(static_cast<size_t>(std::max(0, Width(word))), ' ');
    return result;
  }
  const std::string typed = value;
  bool ok = FormatWord(env_, def_, value, word, kind);
  const DefWord& w = def_.Word(word);
  if (ok && !Trim(w.JmSCis).empty()) {
    CodeList& list = ListOfWord(word);
    auto at = list.usable ? list.index.find(Trim(value)) : list.index.end();
    if (at == list.index.end()) {
      ok = false;
    } else {
      const Dataset& t = *list.table;
      value = PadRight(t.StringAt(at->second, 0), w.TD);
      DescribeRecord(t, at->second, &result);
      if (w.IP == 'P' || w.IP == 'N' || w.IP == 'K') {
        for (int n = 0; n < w.IndUlozP; ++n) {
          const int from = w.UlozZ + n;  // 1-based field of the code list
          const int to = w.UlozDo + n;   // word of the record
          if (to == word || from < 1 || from > t.FieldCount() || to < 1 || to > def_.PSl) continue;
          result.associated.emplace_back(to, PadRight(t.StringAt(at->second, from - 1), Width(to)));
        }
      }
    }
  }
  result.ok = ok;
  if (!ok) {
    result.line = Trim(typed) + std::string(kDoklNotInList);
    result.lineError = true;
  }
  return result;
}

namespace {

// The parts of a compound key joined so that no two keys run together.
std::string JoinedKey(const std::vector<std::string>& parts) {
  std::string key;
  for (const std::string& part : parts) key += std::to_string(part.size()) + ":" + part;
  return key;
}

}  // namespace

DoklCheck DoklGrid::CheckKey(int word, const std::vector<std::string>& keys, std::string_view shown) {
  DoklCheck result;
  CodeList& list = ListOfWord(word);
  const size_t width = keys.size();
  int found = -1;
  if (list.usable && width >= 1 && width <= static_cast<size_t>(list.table->FieldCount())) {
    const Dataset& t = *list.table;
    auto index = list.compound.find(width);
    if (index == list.compound.end()) {
      index = list.compound.emplace(width, std::unordered_map<std::string, int>()).first;
      index->second.reserve(static_cast<size_t>(t.RecordCount()));
      std::vector<std::string> parts(width);
      for (int r = 0; r < t.RecordCount(); ++r) {
        for (size_t f = 0; f < width; ++f) parts[f] = Trim(t.StringAt(r, static_cast<int>(f)));
        index->second.emplace(JoinedKey(parts), r);
      }
    }
    std::vector<std::string> parts(width);
    for (size_t f = 0; f < width; ++f) parts[f] = Trim(keys[f]);
    auto at = index->second.find(JoinedKey(parts));
    if (at != index->second.end()) found = at->second;
  }
  if (found < 0) {
    result.ok = false;
    result.line = Trim(shown) + std::string(kDoklNotInList);
    result.lineError = true;
    return result;
  }
  DescribeRecord(*list.table, found, &result);
  return result;
}

double DoklGrid::ColumnSum(int col) const {
  double sum = 0;
  for (const auto& row : rows_) sum += TextToReal(row.at(static_cast<size_t>(col)));
  return sum;
}

int DoklGridView::RowCount() const { return header_ ? 1 : grid_.RowCount(); }
int DoklGridView::ColumnCount() const { return header_ ? grid_.HeaderCount() : grid_.ItemCount(); }

std::string DoklGridView::ColumnTitle(int col) const {
  return TrimRight(grid_.Def().Word(header_ ? grid_.HeaderWord(col) : grid_.ItemWord(col)).Heading);
}

int DoklGridView::ColumnChars(int col) const {
  const int word = header_ ? grid_.HeaderWord(col) : grid_.ItemWord(col);
  return std::max(grid_.Width(word), static_cast<int>(TrimRight(grid_.Def().Word(word).Heading).size()));
}

std::string DoklGridView::CellText(int row, int col) const {
  return header_ ? grid_.Header(col) : grid_.Cell(row, col);
}

bool DoklGridView::SetCell(int row, int col, std::string_view text) {
  if (readOnly || (!header_ && col == 0)) return false;
  std::string& cell = header_ ? grid_.Header(col) : grid_.Cell(row, col);
  if (cell == text) return false;
  cell = std::string(text);
  if (typed) typed(row, col);
  return true;
}

bool DoklGridView::RightAligned(int col) const {
  const int word = header_ ? grid_.HeaderWord(col) : grid_.ItemWord(col);
  return !grid_.Def().Word(word).TMS.empty() && grid_.Def().Word(word).TMS[0] == 'N';
}

}  // namespace orvo
