#include "core/output/column_mask.h"

#include <algorithm>

#include "core/output/report_file.h"
#include "core/sys/text.h"

namespace orvo {

namespace {

constexpr int kMaxColumn = 1000000;

int DigitsValue(std::string_view s) {
  int value = 0;
  for (char c : s) {
    if (c < '0' || c > '9') continue;
    value = std::min(value * 10 + (c - '0'), kMaxColumn);
  }
  return value;
}

}  // namespace

std::vector<ColumnRange> ParseMask(std::string_view mask) {
  std::vector<ColumnRange> ranges;
  size_t i = 0;
  while (ranges.size() < static_cast<size_t>(kMaxMaskPairs)) {
    while (i < mask.size() && mask[i] == ' ') ++i;
    if (i >= mask.size()) break;
    size_t slash = mask.find('/', i);
    if (slash == std::string_view::npos) break;
    size_t end = mask.find(' ', slash + 1);
    if (end == std::string_view::npos) end = mask.size();
    ranges.push_back({DigitsValue(mask.substr(i, slash - i)),
                      DigitsValue(mask.substr(slash + 1, end - slash - 1))});
    i = end;
  }
  return ranges;
}

bool MaskWanted(std::string_view mask) { return mask != kDefaultMaskText && !AllBlanks(mask); }

std::string ApplyMask(std::string_view line, const std::vector<ColumnRange>& ranges) {
  if (ranges.empty()) return std::string(line);
  std::string out;
  for (const ColumnRange& r : ranges) {
    const size_t first = static_cast<size_t>(std::max(r.first, 1));
    if (r.last < r.first || first > line.size()) continue;
    const size_t last = std::min(static_cast<size_t>(r.last), line.size());
    if (last < first) continue;
    out.append(line.substr(first - 1, last - first + 1));
  }
  return out;
}

std::vector<std::string> ApplyMaskToReport(const std::vector<std::string>& lines,
                                           const std::vector<ColumnRange>& ranges) {
  std::vector<std::string> out;
  out.reserve(lines.size());
  for (const auto& l : lines) out.push_back(IsPageBoundary(l) ? l : ApplyMask(l, ranges));
  return out;
}

}  // namespace orvo
