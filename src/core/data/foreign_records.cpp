#include "core/data/foreign_records.h"

#include <algorithm>

#include "core/data/dat_file.h"
#include "core/data/format_word.h"
#include "core/sys/numbers.h"
#include "core/sys/text.h"

namespace orvo {

namespace {

int DecimalsOf(std::string_view tms) {
  return tms.size() > 1 && tms[1] >= '0' && tms[1] <= '9' ? tms[1] - '0' : 0;
}

bool Numeric(std::string_view tms) { return !tms.empty() && tms[0] == 'N'; }

// Bytes `td` from the 1-based position `tp`, as far as `rec` reaches.
std::string_view Slice(std::string_view rec, int tp, int td) {
  const size_t from = static_cast<size_t>(std::max(tp, 1) - 1);
  if (from >= rec.size()) return {};
  return rec.substr(from, static_cast<size_t>(std::max(td, 0)));
}

}  // namespace

std::vector<std::string_view> ForeignLines(std::string_view text) {
  size_t eof = text.find('\x1A');
  if (eof != std::string_view::npos) text = text.substr(0, eof);
  return TextLines(text);
}

std::vector<std::string> TxRecord(Env& env, const LoadedDef& def, std::string_view line, int konv) {
  std::vector<std::string> values;
  values.reserve(static_cast<size_t>(def.PSl));
  for (int i = 1; i <= def.PSl; ++i) {
    const DefWord& w = def.Word(i);
    std::string value(Slice(line, w.TP, w.TD));
    FormatWord(env, def, value, i, 'X');
    if (Numeric(w.TMS)) {
      const int d = DecimalsOf(w.TMS);
      values.push_back(RealTextBlank(d + 13, d, TextToReal(value)));
    } else {
      values.push_back(ConvertChars(value, konv, 1));
    }
  }
  return values;
}

int LdbRecordLength(std::string_view file) {
  if (file.size() <= 13) return 0;
  return static_cast<unsigned char>(file[12]) | (static_cast<unsigned char>(file[13]) << 8);
}

bool LdbRecordEmpty(std::string_view rec) {
  if (rec.size() <= 14) return true;
  return std::all_of(rec.begin() + 14, rec.end(), [](char c) { return c == '\0'; });
}

std::vector<std::string> LdbRecord(const LoadedDef& def, std::string_view rec, int konv) {
  std::string bytes(rec);
  BlankControlBytes(bytes.data(), bytes.size());
  std::vector<std::string> values;
  values.reserve(static_cast<size_t>(def.PSl));
  for (int i = 1; i <= def.PSl; ++i) {
    const DefWord& w = def.Word(i);
    std::string_view value = Slice(bytes, w.TP, w.TD);
    if (Numeric(w.TMS)) {
      const int d = DecimalsOf(w.TMS);
      values.push_back(RealTextBlank(d == 0 ? 13 : 15, d, TextToReal(value)));
    } else {
      values.push_back(ConvertChars(value, konv, 1));
    }
  }
  return values;
}

std::vector<std::string_view> LdbRecords(std::string_view file) {
  std::vector<std::string_view> records;
  const size_t len = static_cast<size_t>(LdbRecordLength(file));
  // A length of 0 would read nothing forever; the file then holds no records.
  if (len == 0 || file.size() <= len) return records;
  for (size_t at = 0; at + len <= file.size(); at += len) {
    std::string_view rec = file.substr(at, len);
    if (!LdbRecordEmpty(rec)) records.push_back(rec);
  }
  return records;
}

std::vector<std::string> CsvRecord(const LoadedDef& def, std::string_view line, int konv, char oddel, char zn) {
  std::vector<std::string_view> fields;
  size_t at = 0;
  while (at < line.size()) {
    size_t end = line.find(oddel, at);
    if (end == std::string_view::npos) end = line.size();
    fields.push_back(line.substr(at, end - at));
    at = end + 1;
  }
  std::vector<std::string> values;
  values.reserve(static_cast<size_t>(def.PSl));
  for (int i = 1; i <= def.PSl; ++i) {
    const DefWord& w = def.Word(i);
    std::string_view field = static_cast<size_t>(i) <= fields.size() ? fields[static_cast<size_t>(i - 1)] : "";
    if (Numeric(w.TMS)) {
      const int d = DecimalsOf(w.TMS);
      values.push_back(RealTextBlank(d + 13, d, TextToReal(field)));
      continue;
    }
    std::string text = ConvertChars(RemoveChar(zn, field), konv, 1);
    if (w.TMS == "LM" || w.TMS == "LN") {
      values.push_back(PadLeft(text, w.TD));
    } else {
      values.push_back(PadRight(text, w.TD));
    }
  }
  return values;
}

}  // namespace orvo
