// The reader of the older version's binary record files on any bytes: the
// first byte chooses the code page, the rest is the file. Records must be
// whole, of the length the header gives, and never empty; every record must
// give one value per word with no byte below 32 in it.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/data/foreign_records.h"
#include "foreign_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  if (input.empty()) return 0;
  const int konv = static_cast<unsigned char>(input[0]) % 4;
  input.remove_prefix(1);
  orvo::LoadedDef def;
  if (!orvo::fuzz::TakeDefinition(input, def)) return 0;
  const size_t len = static_cast<size_t>(orvo::LdbRecordLength(input));
  for (std::string_view rec : orvo::LdbRecords(input)) {
    if (rec.size() != len || orvo::LdbRecordEmpty(rec)) std::abort();
    if (rec.data() < input.data() || rec.data() + rec.size() > input.data() + input.size()) std::abort();
    std::vector<std::string> values = orvo::LdbRecord(def, rec, konv);
    orvo::fuzz::CheckValues(def, values, true);
    for (const std::string& v : values) {
      for (char c : v) {
        if (static_cast<unsigned char>(c) < 32) std::abort();
      }
    }
  }
  return 0;
}
