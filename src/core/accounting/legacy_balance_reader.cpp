#include "core/accounting/legacy_balance_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>

#include "core/data/cds_file.h"
#include "core/data/foreign_records.h"
#include "core/data/output_files.h"
#include "core/sys/numbers.h"

namespace orvo {

namespace {

constexpr int kKeyLength = 17;
constexpr int kAmountWidths[4] = {15, 15, 14, 14};

double DoubleAt(std::string_view rec, size_t at) {
  unsigned char bytes[8];
  std::memcpy(bytes, rec.data() + at, 8);
  uint64_t bits = 0;
  for (int i = 7; i >= 0; --i) bits = (bits << 8) | bytes[i];
  double value = 0;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

}  // namespace

LegacyBalanceRead ReadLegacyBalances(std::string_view file) {
  LegacyBalanceRead read;
  read.recordLength = LdbRecordLength(file);
  const size_t len = static_cast<size_t>(read.recordLength);
  if (read.recordLength < kLegacyBalanceMinRecord) {
    read.problem = "delka vety " + std::to_string(read.recordLength) + " je mensi nez " +
                   std::to_string(kLegacyBalanceMinRecord);
    return read;
  }
  int number = 0;
  for (size_t at = len; at + len <= file.size(); at += len) {
    ++number;
    std::string_view rec = file.substr(at, len);
    std::string text(rec.substr(1, kKeyLength));
    for (int a = 0; a < 4; ++a) {
      const double value = DoubleAt(rec, static_cast<size_t>(1 + kKeyLength + 8 * a));
      const int width = kAmountWidths[a];
      std::string amount;
      if (std::isfinite(value)) amount = RealTextBlank(width, 2, value);
      // RealTextBlank drops decimals rather than widen: an amount that
      // shows fewer than two decimals did not fit its column either.
      const bool blank = !amount.empty() && amount.find_first_not_of(' ') == std::string::npos;
      const bool fits = amount.size() == static_cast<size_t>(width) &&
                        (blank || amount[amount.size() - 3] == ',');
      if (!fits) {
        read.texts.clear();
        read.record = number;
        read.problem = "zaznam " + std::to_string(number) + ": castka " + std::to_string(a + 1) +
                       (std::isfinite(value) ? " se nevejde do " + std::to_string(width) + " znaku"
                                             : " neni cislo");
        return read;
      }
      text += amount;
    }
    read.texts.push_back(std::move(text));
  }
  return read;
}

bool ReadLegacyBalanceFile(TCdsProc& cds, std::string* reason) {
  Env& env = cds.Environment();
  int io = 0;
  std::optional<std::string> file = env.fs.ReadWhole(cds.params.DatName, &io);
  if (!file) {
    *reason = UnreadableFileText(cds.params.DatName, io);
    return false;
  }
  LegacyBalanceRead read = ReadLegacyBalances(*file);
  if (!read.problem.empty()) {
    *reason = read.problem;
    return false;
  }
  Dataset& table = cds.Table1();
  std::string companion;
  cds.MakeTableX(table, &companion);
  const LoadedDef& def = cds.Def();
  for (const std::string& text : read.texts) {
    std::vector<std::string> values = LdbRecord(def, text, 3);
    table.Append();
    const int n = std::min(static_cast<int>(values.size()), table.FieldCount());
    for (int f = 0; f < n; ++f) table.SetAsString(f, values[static_cast<size_t>(f)]);
    table.Post();
  }
  OutputFiles output(env);
  if (!cds.params.XDefName.empty() && !output.WriteDef(cds.params.XDefName, companion)) {
    table.Discard();
    *reason = "nelze zapsat " + cds.params.XDefName;
    return false;
  }
  if (!output.Close(table)) {
    *reason = "nelze zapsat " + cds.params.CdsName;
    return false;
  }
  return true;
}

}  // namespace orvo
