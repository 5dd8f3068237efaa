// Printing a report: the graphic print laid out as sheets of placed lines
// (the painter only draws them) and the text print as the bytes a text
// printer receives. Both print a page range of the report.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/output/page_range.h"

namespace orvo {

// The printer canvas as the layout needs it, in device units.
struct PageMeasure {
  int pageWidth = 0;
  int pageHeight = 0;
  std::function<int(std::string_view)> textWidth;
  std::function<int(std::string_view)> textHeight;
};

struct PlacedLine {
  int x = 0;
  int y = 0;  // top of the line
  std::string text;
  bool operator==(const PlacedLine&) const = default;
};

struct PrintSheet {
  std::vector<PlacedLine> lines;
};

struct GraphicPrintPlan {
  bool tooWide = false;  // the widest line does not fit the page: nothing printed
  PageRange range;       // clamped to the report's pages
  std::vector<PrintSheet> sheets;  // empty when the range is empty
};

// Lays out the pages of `range` (clamped here) for the graphic print. Lines
// start at x = width("O") x leftMargin + 1; the first line of a sheet at
// y = height("O") x topMargin + 1; each line moves y down by the line
// height + 2; a sheet is full when y reaches the page height minus two line
// heights minus 1, and a report page longer than a sheet goes on over more
// sheets. A report whose widest line (with the left margin and two blanks)
// is wider than the page is refused as a whole.
GraphicPrintPlan PlanGraphicPrint(const std::vector<std::string>& lines, PageRange range,
                                  int leftMargin, int topMargin, const PageMeasure& measure);

// The text print of `range` (clamped by the caller): each line of the range
// after `leftMargin` blanks, ended by CR LF; a boundary line is sent as it
// is, so the printer ejects the sheet, and the boundary after the last page
// is not sent.
std::string TextPrintBytes(const std::vector<std::string>& lines, PageRange range, int leftMargin);

}  // namespace orvo
