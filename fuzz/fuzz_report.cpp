// The report readers on any bytes: the print settings record must decode to
// settings that encode back to a record decoding the same; a report's lines,
// pages, mask and print layout must stay within the report.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/output/column_mask.h"
#include "core/output/print_settings.h"
#include "core/output/report_file.h"
#include "core/output/report_print.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);

  if (auto s = orvo::DecodeNumRowFont(bytes)) {
    if (s->PageRows < 1 || s->PageRows > orvo::kMaxPageRows) std::abort();
    const std::string again = orvo::EncodeNumRowFont(*s);
    if (again.size() != orvo::kNumRowFontSize || orvo::DecodeNumRowFont(again) != s) std::abort();
  }

  // The first line is a mask, the rest a report.
  const size_t cut = bytes.find('\n');
  const std::string_view mask = bytes.substr(0, cut == std::string_view::npos ? 0 : cut);
  const auto ranges = orvo::ParseMask(mask);
  if (ranges.size() > static_cast<size_t>(orvo::kMaxMaskPairs)) std::abort();
  auto lines = orvo::SplitReportLines(cut == std::string_view::npos ? bytes : bytes.substr(cut + 1));
  const int pages = orvo::CountPages(lines);
  const auto masked = orvo::ApplyMaskToReport(lines, ranges);
  if (masked.size() != lines.size() || orvo::CountPages(masked) != pages) std::abort();

  orvo::PageMeasure measure{4000, 600, [](std::string_view s) { return static_cast<int>(s.size()) * 7; },
                            [](std::string_view) { return 10; }};
  auto plan = orvo::PlanGraphicPrint(masked, {1, 3}, 4, 2, measure);
  size_t placed = 0;
  for (const auto& sheet : plan.sheets) placed += sheet.lines.size();
  if (placed > masked.size()) std::abort();
  (void)orvo::TextPrintBytes(masked, orvo::ClampPageRange({2, 99}, pages), 4);
  return 0;
}
