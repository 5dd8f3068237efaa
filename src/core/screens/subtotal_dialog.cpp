#include "core/screens/subtotal_dialog.h"

#include <algorithm>

#include "core/sys/messages.h"
#include "core/sys/numbers.h"
#include "core/sys/text.h"

namespace orvo {

namespace {

constexpr std::array<std::string_view, CdsScrTModel::kColumnCount> kCaptions = {
    "Nazev sloupce", "Sum", "Str", "Rad", "Por"};

std::string PositionText(int n) { return IntTextPadded(n, 3); }

}  // namespace

CdsScrTModel::CdsScrTModel() {
  for (int c = 0; c < kColumnCount; ++c) cells_[0][static_cast<size_t>(c)] = kCaptions[static_cast<size_t>(c)];
}

void CdsScrTModel::SetRowCount(int rows) { rowCount_ = std::clamp(rows, 1, kMaxRows); }

const std::string& CdsScrTModel::Cell(int row, int col) const {
  return cells_.at(static_cast<size_t>(row)).at(static_cast<size_t>(col));
}

void CdsScrTModel::SetCell(int row, int col, std::string text) {
  if (row < 1 || row >= rowCount_ || col < kSum || col > kPor) return;
  cells_[static_cast<size_t>(row)][static_cast<size_t>(col)] = std::move(text);
  Touch(row);
}

void CdsScrTModel::Select(int row, int col) {
  row_ = std::clamp(row, 1, std::max(1, rowCount_ - 1));
  col_ = std::clamp(col, 0, kColumnCount - 1);
}

void CdsScrTModel::Touch(int row) { touched_ = std::max(touched_, row); }

int CdsScrTModel::Position(int row) const {
  if (row < 1 || row >= kMaxRows) return 0;
  const std::string& text = cells_[static_cast<size_t>(row)][kPor];
  return AllBlanks(text) ? 0 : static_cast<int>(std::max<int64_t>(0, TextToInt(text)));
}

int CdsScrTModel::HighestPosition() const {
  int highest = 0;
  for (int r = 1; r < rowCount_; ++r) highest = std::max(highest, Position(r));
  return highest;
}

void CdsScrTModel::Click(int row, int col) {
  Select(row, col);
  Enter();
}

void CdsScrTModel::Enter() {
  if (row_ < 1 || row_ >= rowCount_) return;
  std::string& cell = cells_[static_cast<size_t>(row_)][static_cast<size_t>(col_)];
  if (col_ >= kSum && col_ <= kRad) {
    cell = cell.empty() ? std::string(kCaptions[static_cast<size_t>(col_)]) : std::string();
    Touch(row_);
  } else if (col_ == kPor && AllBlanks(cell)) {
    cell = PositionText(HighestPosition() + 1);
    Touch(row_);
  }
}

void CdsScrTModel::Delete() {
  if (col_ != kPor || row_ < 1 || row_ >= rowCount_) return;
  const int removed = Position(row_);
  if (removed == 0) return;
  cells_[static_cast<size_t>(row_)][kPor].clear();
  for (int r = 1; r < rowCount_; ++r) {
    const int p = Position(r);
    if (p > removed) cells_[static_cast<size_t>(r)][kPor] = PositionText(p - 1);
  }
  Touch(row_);
}

void CdsScrTModel::NewSelection() {
  for (auto& row : cells_) row[kPor].clear();
  cells_[0][kPor] = kCaptions[kPor];
  Select(row_, kPor);
}

void CdsScrTModel::OriginalState() {
  NumberAllRows();
  Select(row_, kPor);
}

void CdsScrTModel::NumberAllRows() {
  for (int r = 1; r < kMaxRows; ++r) {
    cells_[static_cast<size_t>(r)][kPor] = r < rowCount_ ? PositionText(r) : std::string();
  }
}

bool CdsScrTModel::CanClose(Env& env) const {
  const int highest = HighestPosition();
  std::vector<bool> given(static_cast<size_t>(highest) + 1, false);
  for (int r = 1; r < rowCount_; ++r) given[static_cast<size_t>(Position(r))] = true;
  for (int n = 1; n <= highest; ++n) {
    if (!given[static_cast<size_t>(n)]) {
      ErrorBox(env, kOrderGapText);
      return false;
    }
  }
  return true;
}

void CdsScrTModel::ClearFlagColumns() {
  for (int r = 1; r < kMaxRows; ++r) {
    for (int c = kName; c <= kRad; ++c) cells_[static_cast<size_t>(r)][static_cast<size_t>(c)].clear();
  }
}

void CdsScrTModel::PrepareForOpening(const LoadedDef& def, const ScrColumnFlags& sum,
                                     const ScrColumnFlags& page, const ScrColumnFlags& line,
                                     ScrGroupFlags* groupFlags, ScrOrder* order) {
  ClearFlagColumns();
  for (int r = 1; r < kMaxRows; ++r) {
    auto& row = cells_[static_cast<size_t>(r)];
    const size_t j = static_cast<size_t>(r - 1);
    if (sum[j] == 'A') row[kSum] = kCaptions[kSum];
    if (page[j] == 'A') row[kStr] = kCaptions[kStr];
    if (line[j] == 'A') row[kRad] = kCaptions[kRad];
  }
  SetRowCount(std::min(def.PSl, kScrMaxColumns) + 1);
  NumberAllRows();
  touched_ = 0;
  *order = ScrOrder{};
  *groupFlags = GroupFlagsInFileOrder(sum, page, line);
}

void CdsScrTModel::LoadForParam(const LoadedDef& def, const ScrColumnFlags& sum,
                                const ScrColumnFlags& page, const ScrColumnFlags& line) {
  ClearFlagColumns();
  SetRowCount(std::min(def.PSl, kScrMaxColumns) + 1);
  for (int r = 1; r < rowCount_; ++r) {
    auto& row = cells_[static_cast<size_t>(r)];
    const size_t j = static_cast<size_t>(r - 1);
    row[kName] = def.Word(r).FieldName;
    if (sum[j] == 'A') row[kSum] = kCaptions[kSum];
    if (page[j] == 'A') row[kStr] = kCaptions[kStr];
    if (line[j] == 'A') row[kRad] = kCaptions[kRad];
  }
  Select(1, kSum);
}

ScrOrder CdsScrTModel::OrderFromPositions() const {
  // Positions are gap-free once the dialog closes; a position typed twice
  // counts once (its first row), so every listed column is a real one.
  ScrOrder order;
  const int highest = std::min(HighestPosition(), kScrMaxColumns);
  for (int n = 1; n <= highest; ++n) {
    for (int r = 1; r < rowCount_; ++r) {
      if (Position(r) == n) {
        order.rows[static_cast<size_t>(order.count++)] = r;
        break;
      }
    }
  }
  return order;
}

ScrGroupFlags CdsScrTModel::FlagsByPosition(const ScrOrder& order) const {
  ScrGroupFlags flags;
  for (int p = 1; p <= order.count; ++p) {
    const auto& row = cells_[static_cast<size_t>(order.rows[static_cast<size_t>(p - 1)])];
    flags[static_cast<size_t>(p - 1)] =
        ScrGroupFlag{row[kSum].empty() ? 'N' : 'A', row[kStr].empty() ? 'N' : 'A',
                     row[kRad].empty() ? 'N' : 'A'};
  }
  return flags;
}

void CdsScrTModel::ReadBack(ScrColumnFlags* sum, ScrColumnFlags* page, ScrColumnFlags* line,
                            ScrOrder* order, ScrGroupFlags* groupFlags) const {
  for (int r = 1; r < rowCount_; ++r) {
    const auto& row = cells_[static_cast<size_t>(r)];
    const size_t j = static_cast<size_t>(r - 1);
    (*sum)[j] = row[kSum].empty() ? 'N' : 'A';
    (*page)[j] = row[kStr].empty() ? 'N' : 'A';
    (*line)[j] = row[kRad].empty() ? 'N' : 'A';
  }
  *order = OrderFromPositions();
  // Without any position the report prints the table as it is, so the
  // flags stay with the table's columns.
  *groupFlags = order->count > 0 ? FlagsByPosition(*order) : GroupFlagsInFileOrder(*sum, *page, *line);
}

}  // namespace orvo
