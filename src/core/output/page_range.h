// The page range of the text report window: the "Tisk od strany:" and
// "Tisk do strany:" fields with their formatting, and the clamping of the
// range to the pages a report has.
#pragma once

#include <string>
#include <string_view>

namespace orvo {

struct PageRange {
  int first = 1;
  int last = 999;

  // A range that starts after its end (or after the report's last page
  // once clamped) prints nothing.
  bool Empty() const { return first > last; }
  bool operator==(const PageRange&) const = default;
};

// The number formed by the digits of a field (non-digits ignored, at most
// 99999; no digits give 0).
int PageNumberFromText(std::string_view text);
// A field as shown after leaving it: two blanks and three digits ("  001").
std::string PageFieldText(int page);
// A field as shown after clamping: one blank and three digits (" 007").
std::string ClampedPageFieldText(int page);

// The range read from the two fields.
PageRange PageRangeFromFields(std::string_view firstText, std::string_view lastText);
// The range within a report of `pages` pages: the first page at least 1,
// the last page at most `pages`. A first page beyond the end stays there,
// so that range prints nothing.
PageRange ClampPageRange(PageRange range, int pages);

}  // namespace orvo
