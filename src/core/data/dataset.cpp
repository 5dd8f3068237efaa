#include "core/data/dataset.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <unordered_set>

#include "core/data/cds_file.h"
#include "core/data/little_endian.h"
#include "core/sys/numbers.h"
#include "core/sys/text.h"

namespace orvo {

namespace {

size_t TextLengthBytes(int size) { return size <= 255 ? 1 : 2; }

size_t ValueWidth(FieldType type) {
  switch (type) {
    case FieldType::Float: return 8;
    case FieldType::Integer: return 4;
    case FieldType::SmallInt: return 2;
    case FieldType::Word: return 2;
    case FieldType::Boolean: return 1;
    case FieldType::Date: return 4;
    case FieldType::Text:
    case FieldType::Memo: break;
  }
  return 0;
}

bool SameNameCi(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  return UpperCz(a) == UpperCz(b);
}

// Days from 1899-12-30, the origin of floating-point dates.
long DaysFromCivil(int y, int m, int d) {
  y -= m <= 2;
  const long era = (y >= 0 ? y : y - 399) / 400;
  const long yoe = y - era * 400;
  const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468 + 25569;
}

void CivilFromDays(long z, int* y, int* m, int* d) {
  z += 719468 - 25569;
  const long era = (z >= 0 ? z : z - 146096) / 146097;
  const long doe = z - era * 146097;
  const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long mp = (5 * doy + 2) / 153;
  *d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  *m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  *y = static_cast<int>(yoe + era * 400 + (*m <= 2));
}

bool ValidDate(int y, int m, int d) {
  if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1) return false;
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  int dim = kDays[m - 1];
  if (m == 2 && ((y % 4 == 0 && y % 100 != 0) || y % 400 == 0)) dim = 29;
  return d <= dim;
}

// "dd.mm.yyyy" (day and month of one or two digits) to yyyymmdd; 0 when the
// text is no date.
int32_t ParseDateValue(std::string_view s) {
  std::string t = Trim(s);
  int parts[3] = {0, 0, 0};
  int k = 0;
  int digits = 0;
  for (char c : t) {
    if (c >= '0' && c <= '9') {
      if (++digits > 4) return 0;
      parts[k] = parts[k] * 10 + (c - '0');
    } else if (c == '.' && k < 2 && digits > 0) {
      ++k;
      digits = 0;
    } else {
      return 0;
    }
  }
  if (k != 2 || digits == 0) return 0;
  if (!ValidDate(parts[2], parts[1], parts[0])) return 0;
  return parts[2] * 10000 + parts[1] * 100 + parts[0];
}

std::string DateValueText(int32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", v % 100, v / 100 % 100, v / 10000);
  return buf;
}

// The shortest text that gives back the same double, with a decimal comma,
// as the system writes floating-point values.
std::string FloatText(double v) {
  char buf[40];
  for (int precision = 15; precision <= 17; ++precision) {
    std::snprintf(buf, sizeof buf, "%.*g", precision, v);
    if (std::strtod(buf, nullptr) == v) break;
  }
  std::string s = buf;
  std::replace(s.begin(), s.end(), '.', ',');
  return s;
}

int64_t ParseInteger(std::string_view s, bool* ok) {
  std::string t = Trim(s);
  *ok = false;
  if (t.empty()) return 0;
  size_t i = 0;
  bool neg = false;
  if (t[0] == '-' || t[0] == '+') {
    neg = t[0] == '-';
    i = 1;
  }
  if (i >= t.size()) return 0;
  int64_t v = 0;
  for (; i < t.size(); ++i) {
    if (t[i] < '0' || t[i] > '9') return 0;
    if (v > (INT64_MAX - 9) / 10) return 0;
    v = v * 10 + (t[i] - '0');
  }
  *ok = true;
  return neg ? -v : v;
}

}  // namespace

std::string_view FieldTypeName(FieldType type) {
  switch (type) {
    case FieldType::Text: return "text";
    case FieldType::Memo: return "memo";
    case FieldType::Float: return "float";
    case FieldType::Integer: return "integer";
    case FieldType::SmallInt: return "smallint";
    case FieldType::Word: return "word";
    case FieldType::Boolean: return "boolean";
    case FieldType::Date: return "date";
  }
  return "?";
}

bool FieldTypeFromName(std::string_view name, FieldType* type) {
  for (int t = 1; t <= 8; ++t) {
    auto ft = static_cast<FieldType>(t);
    if (FieldTypeName(ft) == name) {
      *type = ft;
      return true;
    }
  }
  return false;
}

// --- descriptions -----------------------------------------------------------

void Dataset::ClearFields() {
  if (active_) throw std::logic_error("field descriptions of an open table");
  fields_.clear();
  slots_.clear();
  stride_ = 0;
}

void Dataset::AddField(std::string name, FieldType type, int size, bool required) {
  if (active_) throw std::logic_error("field descriptions of an open table");
  fields_.push_back(FieldDef{std::move(name), type, size, required});
}

int Dataset::FieldIndex(std::string_view name) const {
  for (size_t i = 0; i < fields_.size(); ++i) {
    if (SameNameCi(fields_[i].name, name)) return static_cast<int>(i);
  }
  return -1;
}

void Dataset::AddIndex(std::string name, std::string fields, bool primary) {
  indexes_.push_back(IndexDef{std::move(name), std::move(fields), primary});
}

bool Dataset::BuildLayout() {
  if (fields_.empty() || fields_.size() > static_cast<size_t>(kMaxFieldCount)) return false;
  slots_.assign(fields_.size(), Slot{});
  size_t offset = 0;
  hasMemo_ = false;
  // Names are compared case-insensitively: each is upper-cased once and
  // looked up in a hash, so a table of many fields is checked in linear time.
  std::unordered_set<std::string> names;
  names.reserve(fields_.size());
  for (size_t i = 0; i < fields_.size(); ++i) {
    const FieldDef& f = fields_[i];
    if (f.name.empty() || f.name.size() > 255) return false;
    if (!names.insert(UpperCz(f.name)).second) return false;
    size_t size = 0;
    switch (f.type) {
      case FieldType::Text:
        if (f.size < 0 || f.size > kMaxTextSize) return false;
        size = TextLengthBytes(f.size) + static_cast<size_t>(f.size);
        break;
      case FieldType::Memo:
        if (f.size < 0 || f.size > kMaxTextSize) return false;
        size = 4;
        hasMemo_ = true;
        break;
      case FieldType::Float:
      case FieldType::Integer:
      case FieldType::SmallInt:
      case FieldType::Word:
      case FieldType::Boolean:
      case FieldType::Date:
        size = 1 + ValueWidth(f.type);
        break;
      default:
        return false;
    }
    slots_[i] = Slot{offset, size};
    offset += size;
  }
  stride_ = offset;
  return true;
}

// --- state ------------------------------------------------------------------

void Dataset::ResetCursor() {
  state_ = State::Browse;
  current_ = count_ > 0 ? 0 : -1;
  eof_ = count_ == 0;
  bof_ = true;
}

bool Dataset::CreateDataSet() {
  if (active_) Close();
  if (!BuildLayout()) return false;
  data_.clear();
  data_.shrink_to_fit();
  memos_.clear();
  count_ = 0;
  pendingMemo_.assign(fields_.size(), std::string());
  pendingMemoSet_.assign(fields_.size(), false);
  active_ = true;
  ResetCursor();
  return true;
}

bool Dataset::PrepareLoad(uint64_t count) {
  if (active_) {
    active_ = false;
    state_ = State::Browse;
  }
  if (!BuildLayout()) return false;
  memos_.clear();
  data_.clear();
  data_.shrink_to_fit();
  if (stride_ > 0 && count > data_.max_size() / stride_) return false;
  data_.resize(static_cast<size_t>(count) * stride_);
  count_ = static_cast<size_t>(count);
  pendingMemo_.assign(fields_.size(), std::string());
  pendingMemoSet_.assign(fields_.size(), false);
  active_ = true;
  ResetCursor();
  return true;
}

bool Dataset::Open() {
  if (active_) return true;
  if (!fileName_.empty()) return LoadFromFile(fileName_);
  if (slots_.empty() && !BuildLayout()) return false;
  active_ = true;
  ResetCursor();
  return true;
}

bool Dataset::Close() {
  if (!active_) return true;
  if (state_ != State::Browse) Post();
  bool ok = true;
  if (!fileName_.empty()) {
    if (!readOnly_) ok = SaveToFile(fileName_, DataFormat::Binary);
    data_.clear();
    data_.shrink_to_fit();
    memos_.clear();
    count_ = 0;
  }
  active_ = false;
  state_ = State::Browse;
  current_ = -1;
  eof_ = bof_ = true;
  return ok;
}

void Dataset::Discard() {
  data_.clear();
  data_.shrink_to_fit();
  memos_.clear();
  count_ = 0;
  active_ = false;
  state_ = State::Browse;
  current_ = -1;
  eof_ = bof_ = true;
}

void Dataset::RequireActive() const {
  if (!active_) throw std::logic_error("the table is closed");
}

void Dataset::RequireWritable() const {
  RequireActive();
  if (readOnly_) throw std::logic_error("the table is read-only");
}

// --- navigation -------------------------------------------------------------

void Dataset::First() {
  if (state_ != State::Browse) Post();
  ResetCursor();
}

void Dataset::Last() {
  if (state_ != State::Browse) Post();
  current_ = static_cast<long long>(count_) - 1;
  eof_ = true;
  bof_ = count_ == 0;
}

void Dataset::Next() { MoveBy(1); }
void Dataset::Prior() { MoveBy(-1); }

int Dataset::MoveBy(int n) {
  if (state_ != State::Browse) Post();
  if (count_ == 0) {
    eof_ = bof_ = true;
    return 0;
  }
  long long target = current_ + n;
  long long last = static_cast<long long>(count_) - 1;
  eof_ = bof_ = false;
  if (target > last) {
    target = last;
    eof_ = true;
  } else if (target < 0) {
    target = 0;
    bof_ = true;
  }
  int moved = static_cast<int>(target - current_);
  current_ = target;
  return moved;
}

// --- editing ----------------------------------------------------------------

void Dataset::Append() {
  RequireWritable();
  if (state_ != State::Browse) Post();
  pending_.assign(stride_, 0);
  std::fill(pendingMemoSet_.begin(), pendingMemoSet_.end(), false);
  state_ = State::Insert;
  insertAt_ = -1;
}

void Dataset::Insert() {
  Append();
  insertAt_ = current_;
}

void Dataset::Edit() {
  RequireWritable();
  if (state_ != State::Browse) return;
  if (current_ < 0) {
    Append();
    return;
  }
  const char* rec = data_.data() + static_cast<size_t>(current_) * stride_;
  pending_.assign(rec, rec + stride_);
  std::fill(pendingMemoSet_.begin(), pendingMemoSet_.end(), false);
  state_ = State::Edit;
}

void Dataset::Post() {
  if (state_ == State::Browse) return;
  for (size_t f = 0; f < fields_.size(); ++f) {
    if (!pendingMemoSet_[f]) continue;
    PutMemo(pending_.data(), static_cast<int>(f), pendingMemo_[f]);
    pendingMemoSet_[f] = false;
    pendingMemo_[f].clear();
  }
  if (state_ == State::Insert && insertAt_ >= 0 && insertAt_ < static_cast<long long>(count_)) {
    data_.insert(data_.begin() + static_cast<std::ptrdiff_t>(static_cast<size_t>(insertAt_) * stride_),
                 pending_.begin(), pending_.end());
    ++count_;
    current_ = insertAt_;
  } else if (state_ == State::Insert) {
    data_.insert(data_.end(), pending_.begin(), pending_.end());
    ++count_;
    current_ = static_cast<long long>(count_) - 1;
  } else {
    std::memcpy(data_.data() + static_cast<size_t>(current_) * stride_, pending_.data(), stride_);
  }
  eof_ = bof_ = false;
  state_ = State::Browse;
}

void Dataset::Cancel() {
  state_ = State::Browse;
  std::fill(pendingMemoSet_.begin(), pendingMemoSet_.end(), false);
}

void Dataset::Delete() {
  RequireWritable();
  if (state_ == State::Insert) {
    Cancel();
    return;
  }
  state_ = State::Browse;
  if (current_ < 0) return;
  size_t at = static_cast<size_t>(current_) * stride_;
  for (size_t f = 0; f < fields_.size(); ++f) {
    if (fields_[f].type != FieldType::Memo) continue;
    uint32_t k = GetLe<uint32_t>(data_.data() + at + slots_[f].offset);
    if (k > 0 && k <= memos_.size()) {
      memos_[k - 1].clear();
      memos_[k - 1].shrink_to_fit();
    }
  }
  data_.erase(data_.begin() + static_cast<std::ptrdiff_t>(at),
              data_.begin() + static_cast<std::ptrdiff_t>(at + stride_));
  --count_;
  eof_ = bof_ = false;
  if (count_ == 0) {
    current_ = -1;
    eof_ = bof_ = true;
  } else if (current_ >= static_cast<long long>(count_)) {
    current_ = static_cast<long long>(count_) - 1;
    eof_ = true;
  }
}

// --- field access -------------------------------------------------------------

const char* Dataset::CurrentRecord() const {
  if (!active_) return nullptr;
  if (state_ != State::Browse) return pending_.data();
  if (current_ < 0) return nullptr;
  return data_.data() + static_cast<size_t>(current_) * stride_;
}

void Dataset::BeginEditIfBrowsing() {
  RequireWritable();
  if (state_ == State::Browse) Edit();
}

char* Dataset::WritableRecord() {
  BeginEditIfBrowsing();
  return pending_.data();
}

std::string Dataset::SlotText(const char* rec, int f) const {
  const FieldDef& fd = fields_[static_cast<size_t>(f)];
  const char* p = rec + slots_[static_cast<size_t>(f)].offset;
  switch (fd.type) {
    case FieldType::Text: {
      size_t lb = TextLengthBytes(fd.size);
      size_t len = lb == 1 ? static_cast<unsigned char>(*p) : GetLe<uint16_t>(p);
      return std::string(p + lb, len);
    }
    case FieldType::Memo: return MemoOf(rec, f);
    default: break;
  }
  if (*p == 0) return std::string();
  const char* v = p + 1;
  switch (fd.type) {
    case FieldType::Float: return FloatText(GetLe<double>(v));
    case FieldType::Integer: return std::to_string(GetLe<int32_t>(v));
    case FieldType::SmallInt: return std::to_string(GetLe<int16_t>(v));
    case FieldType::Word: return std::to_string(GetLe<uint16_t>(v));
    case FieldType::Boolean: return *v ? "True" : "False";
    case FieldType::Date: return DateValueText(GetLe<int32_t>(v));
    default: break;
  }
  return std::string();
}

std::string Dataset::MemoOf(const char* rec, int f) const {
  if (state_ != State::Browse && rec == pending_.data() && pendingMemoSet_[static_cast<size_t>(f)]) {
    return pendingMemo_[static_cast<size_t>(f)];
  }
  uint32_t k = GetLe<uint32_t>(rec + slots_[static_cast<size_t>(f)].offset);
  if (k == 0 || k > memos_.size()) return std::string();
  return memos_[k - 1];
}

void Dataset::PutText(char* rec, int f, std::string_view value) {
  const FieldDef& fd = fields_[static_cast<size_t>(f)];
  char* p = rec + slots_[static_cast<size_t>(f)].offset;
  size_t size = static_cast<size_t>(fd.size);
  size_t len = std::min(value.size(), size);
  size_t lb = TextLengthBytes(fd.size);
  if (lb == 1) {
    *p = static_cast<char>(len);
  } else {
    PutLe<uint16_t>(p, static_cast<uint16_t>(len));
  }
  if (len > 0) std::memcpy(p + lb, value.data(), len);
  std::memset(p + lb + len, 0, size - len);
}

void Dataset::PutMemo(char* rec, int f, std::string_view value) {
  char* p = rec + slots_[static_cast<size_t>(f)].offset;
  uint32_t k = GetLe<uint32_t>(p);
  if (value.empty()) {
    if (k > 0 && k <= memos_.size()) memos_[k - 1].clear();
    PutLe<uint32_t>(p, 0);
    return;
  }
  // An edited record shares nothing with others, so its memo can be reused;
  // an appended one copies the slot of nothing and gets a new number.
  if (k > 0 && k <= memos_.size() && state_ == State::Edit) {
    memos_[k - 1] = std::string(value);
    return;
  }
  memos_.emplace_back(value);
  PutLe<uint32_t>(p, static_cast<uint32_t>(memos_.size()));
}

std::string Dataset::AsString(int field) const {
  if (field < 0 || field >= FieldCount()) throw std::out_of_range("field number");
  const char* rec = CurrentRecord();
  if (rec == nullptr) return std::string();
  return SlotText(rec, field);
}

bool Dataset::IsNull(int field) const {
  if (field < 0 || field >= FieldCount()) throw std::out_of_range("field number");
  const char* rec = CurrentRecord();
  return rec == nullptr || SlotNull(rec, field);
}

bool Dataset::SlotNull(const char* rec, int f) const {
  const FieldDef& fd = fields_[static_cast<size_t>(f)];
  if (fd.type == FieldType::Text || fd.type == FieldType::Memo) return SlotText(rec, f).empty();
  return rec[slots_[static_cast<size_t>(f)].offset] == 0;
}

const char* Dataset::PostedRecord(int record, int field) const {
  if (field < 0 || field >= FieldCount()) throw std::out_of_range("field number");
  if (record < 0 || static_cast<size_t>(record) >= count_) throw std::out_of_range("record number");
  return data_.data() + static_cast<size_t>(record) * stride_;
}

std::string Dataset::StringAt(int record, int field) const {
  return SlotText(PostedRecord(record, field), field);
}

double Dataset::FloatAt(int record, int field) const {
  return SlotFloat(PostedRecord(record, field), field);
}

bool Dataset::NullAt(int record, int field) const {
  return SlotNull(PostedRecord(record, field), field);
}

void Dataset::SetNull(int field) {
  if (field < 0 || field >= FieldCount()) throw std::out_of_range("field number");
  const FieldDef& fd = fields_[static_cast<size_t>(field)];
  if (fd.type == FieldType::Text || fd.type == FieldType::Memo) {
    SetAsString(field, std::string_view());
    return;
  }
  char* rec = WritableRecord();
  const Slot& s = slots_[static_cast<size_t>(field)];
  std::memset(rec + s.offset, 0, s.size);
}

void Dataset::SetAsString(int field, std::string_view value) {
  if (field < 0 || field >= FieldCount()) throw std::out_of_range("field number");
  char* rec = WritableRecord();
  const FieldDef& fd = fields_[static_cast<size_t>(field)];
  char* p = rec + slots_[static_cast<size_t>(field)].offset;
  switch (fd.type) {
    case FieldType::Text: PutText(rec, field, value); return;
    case FieldType::Memo:
      pendingMemo_[static_cast<size_t>(field)] = std::string(value);
      pendingMemoSet_[static_cast<size_t>(field)] = true;
      return;
    default: break;
  }
  const Slot& s = slots_[static_cast<size_t>(field)];
  std::memset(p, 0, s.size);
  if (AllBlanks(value)) return;
  bool ok = false;
  switch (fd.type) {
    case FieldType::Float:
      SetAsFloat(field, TextToReal(value));
      return;
    case FieldType::Integer: {
      int64_t v = ParseInteger(value, &ok);
      if (ok && v >= INT32_MIN && v <= INT32_MAX) {
        *p = 1;
        PutLe<int32_t>(p + 1, static_cast<int32_t>(v));
      }
      return;
    }
    case FieldType::SmallInt: {
      int64_t v = ParseInteger(value, &ok);
      if (ok && v >= INT16_MIN && v <= INT16_MAX) {
        *p = 1;
        PutLe<int16_t>(p + 1, static_cast<int16_t>(v));
      }
      return;
    }
    case FieldType::Word: {
      int64_t v = ParseInteger(value, &ok);
      if (ok && v >= 0 && v <= UINT16_MAX) {
        *p = 1;
        PutLe<uint16_t>(p + 1, static_cast<uint16_t>(v));
      }
      return;
    }
    case FieldType::Boolean: {
      std::string u = UpperCz(Trim(value));
      if (u == "TRUE" || u == "1" || u == "A") {
        *p = 1;
        p[1] = 1;
      } else if (u == "FALSE" || u == "0" || u == "N") {
        *p = 1;
        p[1] = 0;
      }
      return;
    }
    case FieldType::Date: {
      int32_t v = ParseDateValue(value);
      if (v != 0) {
        *p = 1;
        PutLe<int32_t>(p + 1, v);
      }
      return;
    }
    default: return;
  }
}

double Dataset::AsFloat(int field) const {
  if (field < 0 || field >= FieldCount()) throw std::out_of_range("field number");
  const char* rec = CurrentRecord();
  return rec == nullptr ? 0 : SlotFloat(rec, field);
}

double Dataset::SlotFloat(const char* rec, int field) const {
  const FieldDef& fd = fields_[static_cast<size_t>(field)];
  if (fd.type == FieldType::Text || fd.type == FieldType::Memo) {
    return TextToReal(SlotText(rec, field));
  }
  const char* p = rec + slots_[static_cast<size_t>(field)].offset;
  if (*p == 0) return 0;
  switch (fd.type) {
    case FieldType::Float: return GetLe<double>(p + 1);
    case FieldType::Integer: return GetLe<int32_t>(p + 1);
    case FieldType::SmallInt: return GetLe<int16_t>(p + 1);
    case FieldType::Word: return GetLe<uint16_t>(p + 1);
    case FieldType::Boolean: return p[1] ? 1 : 0;
    case FieldType::Date: {
      int32_t v = GetLe<int32_t>(p + 1);
      return static_cast<double>(DaysFromCivil(v / 10000, v / 100 % 100, v % 100));
    }
    default: return 0;
  }
}

void Dataset::SetAsFloat(int field, double value) {
  if (field < 0 || field >= FieldCount()) throw std::out_of_range("field number");
  const FieldDef& fd = fields_[static_cast<size_t>(field)];
  if (fd.type == FieldType::Text || fd.type == FieldType::Memo) {
    SetAsString(field, FloatText(value));
    return;
  }
  char* rec = WritableRecord();
  char* p = rec + slots_[static_cast<size_t>(field)].offset;
  std::memset(p, 0, slots_[static_cast<size_t>(field)].size);
  double r = std::nearbyint(value);
  switch (fd.type) {
    case FieldType::Float:
      *p = 1;
      PutLe<double>(p + 1, value);
      return;
    case FieldType::Integer:
      if (std::isfinite(r) && r >= INT32_MIN && r <= INT32_MAX) {
        *p = 1;
        PutLe<int32_t>(p + 1, static_cast<int32_t>(r));
      }
      return;
    case FieldType::SmallInt:
      if (std::isfinite(r) && r >= INT16_MIN && r <= INT16_MAX) {
        *p = 1;
        PutLe<int16_t>(p + 1, static_cast<int16_t>(r));
      }
      return;
    case FieldType::Word:
      if (std::isfinite(r) && r >= 0 && r <= UINT16_MAX) {
        *p = 1;
        PutLe<uint16_t>(p + 1, static_cast<uint16_t>(r));
      }
      return;
    case FieldType::Boolean:
      *p = 1;
      p[1] = value != 0 ? 1 : 0;
      return;
    case FieldType::Date:
      if (std::isfinite(value) && value > -693593 && value < 2958466) {
        int y, m, d;
        CivilFromDays(static_cast<long>(std::floor(value)), &y, &m, &d);
        *p = 1;
        PutLe<int32_t>(p + 1, y * 10000 + m * 100 + d);
      }
      return;
    default: return;
  }
}

void Dataset::AssignField(int field, const Dataset& from, int fromField) {
  if (field < 0 || field >= FieldCount()) throw std::out_of_range("field number");
  if (fromField < 0 || fromField >= from.FieldCount()) throw std::out_of_range("field number");
  const FieldDef& to = fields_[static_cast<size_t>(field)];
  const FieldDef& src = from.fields_[static_cast<size_t>(fromField)];
  if (from.IsNull(fromField)) {
    SetNull(field);
    return;
  }
  bool textLike = [](FieldType t) { return t == FieldType::Text || t == FieldType::Memo; }(to.type);
  bool srcText = src.type == FieldType::Text || src.type == FieldType::Memo;
  if (textLike || srcText || src.type == FieldType::Date || to.type == FieldType::Date) {
    SetAsString(field, from.AsString(fromField));
  } else {
    SetAsFloat(field, from.AsFloat(fromField));
  }
}

int Dataset::RecordSize() const {
  int total = 0;
  for (const FieldDef& f : fields_) {
    int width = (f.type == FieldType::Text || f.type == FieldType::Memo)
                    ? f.size
                    : static_cast<int>(ValueWidth(f.type));
    total += width + 2;
  }
  return total;
}

// --- storage helpers ------------------------------------------------------------

void Dataset::CompactMemos() {
  if (!hasMemo_) {
    memos_.clear();
    return;
  }
  std::vector<std::string> fresh;
  for (size_t r = 0; r < count_; ++r) {
    char* rec = data_.data() + r * stride_;
    for (size_t f = 0; f < fields_.size(); ++f) {
      if (fields_[f].type != FieldType::Memo) continue;
      char* p = rec + slots_[f].offset;
      uint32_t k = GetLe<uint32_t>(p);
      if (k == 0 || k > memos_.size() || memos_[k - 1].empty()) {
        PutLe<uint32_t>(p, 0);
        continue;
      }
      fresh.push_back(std::move(memos_[k - 1]));
      memos_[k - 1].clear();
      PutLe<uint32_t>(p, static_cast<uint32_t>(fresh.size()));
    }
  }
  memos_ = std::move(fresh);
}

uint64_t Dataset::FirstBadRecord() const {
  // Each memo value belongs to one record: a second record pointing at the
  // same number would lose its value when memos are renumbered on saving.
  std::vector<bool> memoUsed(hasMemo_ ? memos_.size() + 1 : 0, false);
  for (size_t r = 0; r < count_; ++r) {
    const char* rec = data_.data() + r * stride_;
    for (size_t f = 0; f < fields_.size(); ++f) {
      const FieldDef& fd = fields_[f];
      const char* p = rec + slots_[f].offset;
      bool bad = false;
      switch (fd.type) {
        case FieldType::Text: {
          size_t lb = TextLengthBytes(fd.size);
          size_t len = lb == 1 ? static_cast<unsigned char>(*p) : GetLe<uint16_t>(p);
          bad = len > static_cast<size_t>(fd.size);
          break;
        }
        case FieldType::Memo: {
          const uint32_t k = GetLe<uint32_t>(p);
          bad = k > memos_.size();
          if (!bad && k > 0) {
            bad = memoUsed[k];
            memoUsed[k] = true;
          }
          break;
        }
        case FieldType::Boolean:
          bad = static_cast<unsigned char>(p[0]) > 1 || static_cast<unsigned char>(p[1]) > 1;
          break;
        case FieldType::Date:
          if (p[0] == 1) {
            int32_t v = GetLe<int32_t>(p + 1);
            bad = !ValidDate(v / 10000, v / 100 % 100, v % 100);
          } else {
            bad = p[0] != 0;
          }
          break;
        default:
          bad = static_cast<unsigned char>(p[0]) > 1;
          break;
      }
      if (bad) return r + 1;
    }
  }
  return 0;
}

// --- load and store -------------------------------------------------------------

bool Dataset::LoadFromFile(std::string_view name) {
  if (active_) {
    active_ = false;
    state_ = State::Browse;
  }
  if (LoadCdsFile(*env_, name, *this)) return true;
  Discard();
  return false;
}

bool Dataset::SaveToFile(std::string_view name, DataFormat format) {
  RequireActive();
  if (state_ != State::Browse) Post();
  return SaveCdsFile(*env_, name, *this, format);
}

}  // namespace orvo
