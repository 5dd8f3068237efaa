#include "core/sys/text_lines.h"

namespace orvo {

std::vector<std::string> SplitLines(std::string_view bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  const size_t n = bytes.size();
  for (size_t i = 0; i < n; ++i) {
    char c = bytes[i];
    if (c != '\r' && c != '\n') continue;
    lines.emplace_back(bytes.substr(start, i - start));
    if (c == '\r' && i + 1 < n && bytes[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < n) lines.emplace_back(bytes.substr(start));
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  size_t total = 0;
  for (const auto& l : lines) total += l.size() + 2;
  std::string out;
  out.reserve(total);
  for (const auto& l : lines) {
    out += l;
    out += "\r\n";
  }
  return out;
}

}  // namespace orvo
