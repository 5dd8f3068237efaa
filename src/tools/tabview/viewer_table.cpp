#include "tools/tabview/viewer_table.h"

#include <algorithm>
#include <numeric>

#include "core/sys/text_lines.h"
#include "core/data/cds_file.h"
#include "core/data/format_word.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "core/sys/numbers.h"
#include "core/sys/text.h"

namespace orvo {

namespace {

constexpr std::string_view kViewOnlyWord = "ZOBRAZENI";
constexpr std::string_view kCaption = "TabView";

bool NumericField(FieldType type) {
  return type == FieldType::Float || type == FieldType::Integer || type == FieldType::SmallInt ||
         type == FieldType::Word;
}

std::string CsvValue(const std::string& value) {
  if (value.find_first_of(";\"\r\n") == std::string::npos) return value;
  std::string quoted = "\"";
  for (char c : value) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

}  // namespace

std::optional<ViewerRequest> ViewerRequestFromArgs(Env& env,
                                                   const std::vector<std::string>& args) {
  ViewerRequest request;
  if (args.size() == 1) {
    const std::string& handOver = args[0];
    if (!FileExistsOrSay(env, handOver)) return std::nullopt;
    int io = 0;
    auto text = env.fs.ReadWhole(handOver, &io);
    std::vector<std::string> lines = text ? SplitLines(*text) : std::vector<std::string>();
    if (lines.size() < 2 || Trim(lines[0]).empty() || Trim(lines[1]).empty()) {
      ErrorBox(env, "Predavaci soubor:\r\r" + handOver + "\r\rneobsahuje soubor dat a definice !",
               kCaption);
      return std::nullopt;
    }
    lines.resize(std::max<size_t>(lines.size(), 5));
    request.dataFile = Trim(lines[0]);
    request.defFile = Trim(lines[1]);
    request.title = lines[2];
    request.heading = lines[3];
    request.viewOnly = UpperCz(Trim(lines[4])) == kViewOnlyWord;
    return request;
  }
  if (args.size() == 2 || args.size() == 3) {
    request.dataFile = args[0];
    request.defFile = args[1];
    request.viewOnly = args.size() == 3 && UpperCz(Trim(args[2])) == kViewOnlyWord;
    return request;
  }
  ErrorBox(env,
           "Chybne parametry !\r\rTabView.Exe  DATA.Cds  DEFINICE.Def  [Zobrazeni]\r"
           "TabView.Exe  PREDAVACI_SOUBOR.Ldb",
           kCaption);
  return std::nullopt;
}

ViewerTable::ViewerTable(Env& env) : env_(env) {}

bool ViewerTable::Load(const ViewerRequest& request) {
  request_ = request;
  columns_.clear();
  order_.clear();
  sortColumn_ = -1;
  modified_ = false;
  // Without its definition the table still shows, by the dataset's own
  // fields; ReadDef has said what is wrong with the definition.
  haveDef_ = !request.defFile.empty() && ReadDef(env_, def_, request.defFile);
  data_ = std::make_unique<Dataset>(env_);
  if (!LoadCdsFile(env_, request.dataFile, *data_)) return false;
  data_->SetReadOnly(request.viewOnly);
  BuildColumns();
  order_.resize(static_cast<size_t>(data_->RecordCount()));
  std::iota(order_.begin(), order_.end(), 0);
  return true;
}

void ViewerTable::BuildColumns() {
  if (haveDef_) {
    const bool byPosition = data_->FieldCount() == def_.PSl;
    for (int i = 1; i <= def_.PSl; ++i) {
      const DefWord& w = def_.Word(i);
      int field = byPosition ? i - 1 : data_->FieldIndex(w.FieldName);
      if (field < 0) continue;
      ViewerColumn c;
      c.caption = Trim(w.Heading);
      if (c.caption.empty()) c.caption = w.FieldName;
      c.width = w.TD;
      c.numeric = !w.TMS.empty() && w.TMS[0] == 'N';
      c.field = field;
      c.word = i;
      columns_.push_back(std::move(c));
    }
  }
  if (!columns_.empty()) return;
  for (int f = 0; f < data_->FieldCount(); ++f) {
    const FieldDef& fd = data_->Field(f);
    ViewerColumn c;
    c.caption = fd.name;
    c.width = fd.type == FieldType::Text ? std::min(fd.size, 60) : 12;
    c.numeric = NumericField(fd.type);
    c.field = f;
    columns_.push_back(std::move(c));
  }
}

std::string ViewerTable::Cell(int row, int column) const {
  const ViewerColumn& c = Column(column);
  std::string value = data_->StringAt(RecordOf(row), c.field);
  return c.numeric ? Trim(value) : TrimRight(value);
}

void ViewerTable::Sort(int column, bool ascending) {
  sortColumn_ = column;
  if (column < 0) {
    std::iota(order_.begin(), order_.end(), 0);
    return;
  }
  // Sorting the shown order keeps the previous sort among equal values, so
  // two clicks give a sort by two columns.
  const ViewerColumn& c = Column(column);
  const size_t n = static_cast<size_t>(data_->RecordCount());
  if (c.numeric) {
    std::vector<double> keys(n);
    for (size_t r = 0; r < n; ++r) keys[r] = TextToReal(data_->StringAt(static_cast<int>(r), c.field));
    std::stable_sort(order_.begin(), order_.end(), [&](int a, int b) {
      return ascending ? keys[a] < keys[b] : keys[b] < keys[a];
    });
  } else {
    std::vector<std::string> keys(n);
    for (size_t r = 0; r < n; ++r) keys[r] = data_->StringAt(static_cast<int>(r), c.field);
    std::stable_sort(order_.begin(), order_.end(), [&](int a, int b) {
      return ascending ? keys[a] < keys[b] : keys[b] < keys[a];
    });
  }
}

std::pair<int, int> ViewerTable::Find(std::string_view text, int row, int column) const {
  const int rows = RowCount();
  const int cols = ColumnCount();
  if (text.empty() || rows == 0 || cols == 0) return {-1, -1};
  const std::string wanted = UpperCz(text);
  const long long cells = static_cast<long long>(rows) * cols;
  long long start = (row < 0 || column < 0) ? -1 : static_cast<long long>(row) * cols + column;
  for (long long k = 1; k <= cells; ++k) {
    long long at = ((start + k) % cells + cells) % cells;
    int r = static_cast<int>(at / cols);
    int c = static_cast<int>(at % cols);
    if (UpperCz(Cell(r, c)).find(wanted) != std::string::npos) return {r, c};
  }
  return {-1, -1};
}

std::string ViewerTable::CopyText(const std::vector<int>& rows,
                                  const std::vector<int>& columns) const {
  std::string text;
  for (int r : rows) {
    for (size_t i = 0; i < columns.size(); ++i) {
      if (i > 0) text += '\t';
      text += Cell(r, columns[i]);
    }
    text += "\r\n";
  }
  return text;
}

std::string ViewerTable::CsvText() const {
  std::string text;
  for (int c = 0; c < ColumnCount(); ++c) {
    if (c > 0) text += ';';
    text += CsvValue(Column(c).caption);
  }
  text += "\r\n";
  for (int r = 0; r < RowCount(); ++r) {
    for (int c = 0; c < ColumnCount(); ++c) {
      if (c > 0) text += ';';
      text += CsvValue(Cell(r, c));
    }
    text += "\r\n";
  }
  return text;
}

bool ViewerTable::SaveCsv(std::string_view logicalPath) {
  int io = env_.fs.WriteWhole(logicalPath, CsvText());
  if (io == kIoOk) return true;
  ErrorBox(env_, "Soubor:\r\r" + std::string(logicalPath) + "\r\rse nepodarilo zapsat !", kCaption);
  return false;
}

bool ViewerTable::SetCell(int row, int column, std::string_view value) {
  if (request_.viewOnly || data_->ReadOnly()) return false;
  const ViewerColumn& c = Column(column);
  std::string normalised(value);
  if (haveDef_ && c.word > 0 && !FormatWord(env_, def_, normalised, c.word, 'X')) return false;
  data_->First();
  data_->MoveBy(RecordOf(row));
  data_->SetAsString(c.field, normalised);
  data_->Post();
  modified_ = true;
  return true;
}

bool ViewerTable::Save() {
  if (!SaveCdsFile(env_, request_.dataFile, *data_)) return false;
  modified_ = false;
  return true;
}

}  // namespace orvo
