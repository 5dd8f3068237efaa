// Shared by the foreign-file fuzz targets: the definition the reader works
// with (a fixed one of every kind of word, or, for an input that begins with
// "#", the text up to the first NUL byte parsed as a definition) and the
// checks every record of values must pass.
#pragma once

#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/data/definition.h"

namespace orvo::fuzz {

// Words: text, gap, right-aligned blank and zero filled, two numbers, a
// date, a zero-filled text.
inline constexpr std::string_view kForeignDef =
    "  4   1. Nazev                          Nazev                         PM\r\n"
    "  2   2. Mezera                         Mezera                        ZS\r\n"
    "  5   3. Kod                            Kod                           LM\r\n"
    "  6   4. Ucet                           Ucet                          LN\r\n"
    " 10   5. Castka                         Castka                        N2\r\n"
    "  4   6. Pocet                          Pocet                         N0\r\n"
    " 10   7. Datum                          Datum                         DT\r\n"
    "  3   8. Znak                           Znak                          PNV\r\n";

// Splits the input into the definition (loaded into `def`) and the file.
inline bool TakeDefinition(std::string_view& input, LoadedDef& def) {
  std::string_view defText = kForeignDef;
  if (!input.empty() && input.front() == '#') {
    size_t nul = input.find('\0');
    if (nul == std::string_view::npos) return false;
    defText = input.substr(1, nul - 1);
    input.remove_prefix(nul + 1);
  }
  return ParseDef(defText, def).problem == DefProblem::None;
}

// One value per word; a word is at least as wide as its layout says.
inline void CheckValues(const LoadedDef& def, const std::vector<std::string>& values, bool numbersWidened) {
  if (values.size() != static_cast<size_t>(def.PSl)) std::abort();
  for (int i = 1; i <= def.PSl; ++i) {
    const DefWord& w = def.Word(i);
    const std::string& v = values[static_cast<size_t>(i - 1)];
    if (!w.TMS.empty() && w.TMS[0] == 'N') {
      if (numbersWidened && v.size() < 13) std::abort();
    }
  }
}

}  // namespace orvo::fuzz
