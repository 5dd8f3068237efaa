#include "core/output/report_print.h"

#include <gtest/gtest.h>

namespace orvo::test {
namespace {

using Lines = std::vector<std::string>;

// A canvas of 10 x 10 units per character.
PageMeasure Canvas(int width, int height) {
  return {width, height, [](std::string_view s) { return static_cast<int>(s.size()) * 10; },
          [](std::string_view) { return 10; }};
}

// Three pages: "", "a1", "a2" | "\f", "b1" | "\f", "c1", "c2", "c3".
const Lines kThreePages{"", "a1", "a2", "\f", "b1", "\f", "c1", "c2", "c3"};

std::vector<std::vector<std::string>> SheetTexts(const GraphicPrintPlan& plan) {
  std::vector<std::vector<std::string>> out;
  for (const auto& s : plan.sheets) {
    out.emplace_back();
    for (const auto& l : s.lines) out.back().push_back(l.text);
  }
  return out;
}

TEST(GraphicPrint, PlacesLinesFromTheMargins) {
  GraphicPrintPlan plan = PlanGraphicPrint(kThreePages, {1, 999}, 4, 2, Canvas(1000, 1000));
  ASSERT_FALSE(plan.tooWide);
  EXPECT_EQ(plan.range, (PageRange{1, 3}));
  ASSERT_EQ(plan.sheets.size(), 3u);
  // x = width("O") x 4 + 1, first y = height("O") x 2 + 1, step = height + 2.
  EXPECT_EQ(plan.sheets[0].lines[0], (PlacedLine{41, 21, ""}));
  EXPECT_EQ(plan.sheets[0].lines[1], (PlacedLine{41, 33, "a1"}));
  EXPECT_EQ(plan.sheets[2].lines[2], (PlacedLine{41, 45, "c3"}));
  EXPECT_EQ(SheetTexts(plan),
            (std::vector<std::vector<std::string>>{{"", "a1", "a2"}, {"b1"}, {"c1", "c2", "c3"}}));
}

struct RangeCase {
  const char* name;
  PageRange range;
  std::vector<std::vector<std::string>> sheets;
};

class GraphicRangeTest : public ::testing::TestWithParam<RangeCase> {};

TEST_P(GraphicRangeTest, PrintsThePagesOfTheRange) {
  auto plan = PlanGraphicPrint(kThreePages, GetParam().range, 0, 0, Canvas(1000, 1000));
  EXPECT_EQ(SheetTexts(plan), GetParam().sheets);
}

INSTANTIATE_TEST_SUITE_P(
    GraphicPrint, GraphicRangeTest,
    ::testing::Values(RangeCase{"middle_page", {2, 2}, {{"b1"}}},
                      RangeCase{"last_two", {2, 3}, {{"b1"}, {"c1", "c2", "c3"}}},
                      RangeCase{"end_beyond_the_report", {3, 50}, {{"c1", "c2", "c3"}}},
                      RangeCase{"start_after_the_end", {4, 9}, {}},
                      RangeCase{"reversed", {3, 1}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GraphicPrint, ALongPageGoesOnOverMoreSheets) {
  Lines lines{""};
  for (int i = 1; i <= 10; ++i) lines.push_back("r" + std::to_string(i));
  // Height 100, line height 10: full at y >= 100 - 20 - 1 = 79; with
  // y = 1, 13, 25, ... seven lines fit (the last at y = 73).
  auto plan = PlanGraphicPrint(lines, {1, 1}, 0, 0, Canvas(1000, 100));
  ASSERT_EQ(plan.sheets.size(), 2u);
  EXPECT_EQ(plan.sheets[0].lines.size(), 7u);
  EXPECT_EQ(plan.sheets[0].lines.back().y, 73);
  EXPECT_EQ(plan.sheets[1].lines.front(), (PlacedLine{1, 1, "r7"}));
}

TEST(GraphicPrint, TrailingBoundaryStartsNoEmptySheet) {
  auto plan = PlanGraphicPrint({"", "a", "\f"}, {1, 999}, 0, 0, Canvas(1000, 1000));
  EXPECT_EQ(plan.range, (PageRange{1, 2}));
  EXPECT_EQ(SheetTexts(plan), (std::vector<std::vector<std::string>>{{"", "a"}}));
}

TEST(GraphicPrint, ATopMarginBeyondThePageStillPrintsEveryLineOnce) {
  auto plan = PlanGraphicPrint({"a", "b"}, {1, 1}, 0, 50, Canvas(1000, 100));
  EXPECT_EQ(SheetTexts(plan), (std::vector<std::vector<std::string>>{{"a"}, {"b"}}));
}

TEST(GraphicPrint, RefusesAReportWiderThanThePage) {
  // 4 margin blanks + 10 characters + 2 blanks = 160 units.
  Lines lines{"", "0123456789"};
  EXPECT_TRUE(PlanGraphicPrint(lines, {1, 1}, 4, 0, Canvas(159, 1000)).tooWide);
  auto fits = PlanGraphicPrint(lines, {1, 1}, 4, 0, Canvas(160, 1000));
  EXPECT_FALSE(fits.tooWide);
  EXPECT_EQ(fits.sheets.size(), 1u);
}

TEST(TextPrint, MarginsAndBoundaries) {
  EXPECT_EQ(TextPrintBytes(kThreePages, {1, 3}, 2),
            "  \r\n  a1\r\n  a2\r\n\f\r\n  b1\r\n\f\r\n  c1\r\n  c2\r\n  c3\r\n");
  EXPECT_EQ(TextPrintBytes(kThreePages, {2, 2}, 0), "b1\r\n");
  EXPECT_EQ(TextPrintBytes(kThreePages, {2, 3}, 1), " b1\r\n\f\r\n c1\r\n c2\r\n c3\r\n");
  EXPECT_EQ(TextPrintBytes(kThreePages, {4, 3}, 1), "");
}

}  // namespace
}  // namespace orvo::test
