// The separated-text reader on any bytes: the first three bytes choose the
// code page, the separator and the quote; every line must give one value per
// word, text words filled to their width, numbers in their widened form.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/data/foreign_records.h"
#include "foreign_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  if (input.size() < 3) return 0;
  const int konv = static_cast<unsigned char>(input[0]) % 4;
  const char oddel = input[1];
  const char zn = input[2];
  input.remove_prefix(3);
  orvo::LoadedDef def;
  if (!orvo::fuzz::TakeDefinition(input, def)) return 0;
  for (std::string_view line : orvo::ForeignLines(input)) {
    std::vector<std::string> values = orvo::CsvRecord(def, line, konv, oddel, zn);
    orvo::fuzz::CheckValues(def, values, true);
    for (int i = 1; i <= def.PSl; ++i) {
      const orvo::DefWord& w = def.Word(i);
      if (w.TMS.empty() || w.TMS[0] != 'N') {
        if (values[static_cast<size_t>(i - 1)].size() < static_cast<size_t>(w.TD)) std::abort();
      }
    }
  }
  return 0;
}
