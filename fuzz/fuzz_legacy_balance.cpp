// The reader of the DOS version's balance files on any bytes, and each text
// it gives taken apart by the shipped legacy balance layout. A file it
// accepts has a record length of at least 50 and one text per whole record
// after the header, each of 75 characters whose amounts fit their columns;
// a refused file names the record (or the length) and gives no texts.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/accounting/legacy_balance_reader.h"
#include "core/data/foreign_records.h"
#include "core/sys/numbers.h"

namespace {

constexpr std::string_view kDosUceS =
    "  2 1. Zavod                            Zavod                         PM\r\n"
    "  2 2. Sprava                           Sprava                        PM\r\n"
    "  2 3. Stredisko                        Stredisko                     PM\r\n"
    "  6 4. Ucet                             Ucet                          PMC\r\n"
    "  5 5. Cinnost                          Cinnost                       PMC\r\n"
    " 15 6. MD                               Ma dati                       N2\r\n"
    " 15 7. Dal                              Dal                           N2\r\n"
    " 14 8. MDMin                            Ma dati min. rok              N2\r\n"
    " 14 9. DalMin                           Dal min. rok                  N2\r\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view file(reinterpret_cast<const char*>(data), size);
  static orvo::LoadedDef def;
  static bool parsed = orvo::ParseDef(kDosUceS, def).problem == orvo::DefProblem::None;
  if (!parsed) std::abort();
  orvo::LegacyBalanceRead read = orvo::ReadLegacyBalances(file);
  if (!read.problem.empty()) {
    if (!read.texts.empty()) std::abort();
    if (read.recordLength >= orvo::kLegacyBalanceMinRecord && read.record < 1) std::abort();
    return 0;
  }
  const size_t len = static_cast<size_t>(read.recordLength);
  if (len < static_cast<size_t>(orvo::kLegacyBalanceMinRecord)) std::abort();
  const size_t whole = size > len ? (size - len) / len : 0;
  if (read.texts.size() != whole) std::abort();
  for (const std::string& text : read.texts) {
    if (text.size() != static_cast<size_t>(orvo::kLegacyBalanceTextLength)) std::abort();
    std::vector<std::string> values = orvo::LdbRecord(def, text, 3);
    if (values.size() != 9) std::abort();
    for (size_t i = 5; i < 9; ++i) {
      if (values[i].size() != 15) std::abort();  // amounts never widen past their word
    }
    for (const std::string& v : values) {
      for (char c : v) {
        if (static_cast<unsigned char>(c) < 32) std::abort();
      }
    }
  }
  return 0;
}
