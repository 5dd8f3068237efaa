// Builders of .Def lines for the data-layer tests: every column where the
// definition format puts it, so a test shows only what matters to it.
#pragma once

#include <string>
#include <string_view>
#include <cstdio>
#include <initializer_list>

namespace orvo::test {

// Writes `text` into `line` from 1-based `column` on, widening with blanks.
inline void At(std::string& line, int column, std::string_view text) {
  size_t at = static_cast<size_t>(column - 1);
  if (line.size() < at + text.size()) line.resize(at + text.size(), ' ');
  line.replace(at, text.size(), text);
}

// A counted line of 72 characters: TD in 1-3, TNS1 from 5, TNS2 from 41, TMS
// in 71-72; `tail` continues from column 73.
inline std::string WordLine(int td, std::string_view tns1, std::string_view tns2,
                            std::string_view tms, std::string_view tail = "") {
  std::string line(72, ' ');
  std::string n = std::to_string(td);
  At(line, 4 - static_cast<int>(n.size()), n);
  At(line, 5, tns1.substr(0, 36));
  At(line, 41, tns2.substr(0, 30));
  At(line, 71, tms);
  return line + std::string(tail);
}

inline std::string KeyLine(int td, std::string_view tns1, std::string_view tms, int pos) {
  std::string line = WordLine(td, tns1, "", tms);
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02d", pos);
  At(line, 78, "I");
  At(line, 79, buf);
  return line;
}

inline std::string Lines(std::initializer_list<std::string> lines) {
  std::string out;
  for (const auto& l : lines) out += l + "\r\n";
  return out;
}

}  // namespace orvo::test
