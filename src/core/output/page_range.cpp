#include "core/output/page_range.h"

#include <algorithm>

#include "core/sys/numbers.h"

namespace orvo {

namespace {
constexpr int kMaxPageNumber = 99999;
}

int PageNumberFromText(std::string_view text) {
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') continue;
    value = std::min(value * 10 + (c - '0'), kMaxPageNumber);
  }
  return value;
}

std::string PageFieldText(int page) { return "  " + IntTextPadded(page, 3); }

std::string ClampedPageFieldText(int page) { return " " + IntTextPadded(page, 3); }

PageRange PageRangeFromFields(std::string_view firstText, std::string_view lastText) {
  return {PageNumberFromText(firstText), PageNumberFromText(lastText)};
}

PageRange ClampPageRange(PageRange range, int pages) {
  range.first = std::max(range.first, 1);
  range.last = std::min(range.last, pages);
  return range;
}

}  // namespace orvo
