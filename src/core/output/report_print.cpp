#include "core/output/report_print.h"

#include <algorithm>

#include "core/output/report_file.h"

namespace orvo {

namespace {

// Index of the first line of the first page of the range: after
// (first - 1) boundary lines.
size_t SkipToPage(const std::vector<std::string>& lines, int first) {
  int passed = 0;
  size_t i = 0;
  while (i < lines.size() && passed < first - 1) {
    if (IsPageBoundary(lines[i])) ++passed;
    ++i;
  }
  return i;
}

}  // namespace

GraphicPrintPlan PlanGraphicPrint(const std::vector<std::string>& lines, PageRange range,
                                  int leftMargin, int topMargin, const PageMeasure& measure) {
  GraphicPrintPlan plan;
  const std::string margin(static_cast<size_t>(std::max(leftMargin, 0)), ' ');
  int widest = 0;
  for (const auto& l : lines) widest = std::max(widest, measure.textWidth(margin + l + "  "));
  if (widest > measure.pageWidth) {
    plan.tooWide = true;
    return plan;
  }
  plan.range = ClampPageRange(range, CountPages(lines));
  if (plan.range.Empty()) return plan;

  const int x = measure.textWidth("O") * std::max(leftMargin, 0) + 1;
  const int lineHeight = measure.textHeight("O");
  const int top = lineHeight * std::max(topMargin, 0) + 1;
  const int full = measure.pageHeight - 2 * lineHeight - 1;

  int page = plan.range.first;
  int y = top;
  plan.sheets.emplace_back();
  for (size_t i = SkipToPage(lines, plan.range.first); i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (IsPageBoundary(line)) {
      if (page >= plan.range.last || i + 1 >= lines.size()) break;
      ++page;
      plan.sheets.emplace_back();
      y = top;
      continue;
    }
    // A sheet always takes at least one line, so a page too short for the
    // top margin still moves on.
    if (y >= full && !plan.sheets.back().lines.empty()) {
      plan.sheets.emplace_back();
      y = top;
    }
    plan.sheets.back().lines.push_back({x, y, line});
    y += lineHeight + 2;
  }
  return plan;
}

std::string TextPrintBytes(const std::vector<std::string>& lines, PageRange range, int leftMargin) {
  std::string out;
  if (range.Empty()) return out;
  const std::string margin(static_cast<size_t>(std::max(leftMargin, 0)), ' ');
  int page = range.first;
  for (size_t i = SkipToPage(lines, range.first); i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (IsPageBoundary(line)) {
      if (page >= range.last) break;
      ++page;
      out += line;
    } else {
      out += margin;
      out += line;
    }
    out += "\r\n";
  }
  return out;
}

}  // namespace orvo
