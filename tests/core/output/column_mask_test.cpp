#include "core/output/column_mask.h"

#include <gtest/gtest.h>

#include "core/output/page_range.h"

namespace orvo::test {
namespace {

using Ranges = std::vector<ColumnRange>;

struct ParseCase {
  const char* name;
  const char* mask;
  Ranges want;
};

class ParseMaskTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseMaskTest, Parses) { EXPECT_EQ(ParseMask(GetParam().mask), GetParam().want); }

INSTANTIATE_TEST_SUITE_P(
    ColumnMask, ParseMaskTest,
    ::testing::Values(
        ParseCase{"one_pair", "1/10", {{1, 10}}},
        ParseCase{"several_pairs", "1/10 21/30 41/45", {{1, 10}, {21, 30}, {41, 45}}},
        ParseCase{"reordered", "41/45 1/10", {{41, 45}, {1, 10}}},
        ParseCase{"leading_and_repeated_blanks", "   5/6    7/8  ", {{5, 6}, {7, 8}}},
        ParseCase{"non_digits_ignored", "x1/y12 a3b/4c", {{1, 12}, {3, 4}}},
        ParseCase{"empty", "", {}},
        ParseCase{"no_slash", "abc 12", {}},
        ParseCase{"parsing_ends_without_slash", "1/5 7", {{1, 5}}},
        ParseCase{"missing_last_column", "3/", {{3, 0}}},
        // The default text parses, which is why the window refuses it before.
        ParseCase{"default_text", "x1/y1 x2/y2 ... xn/yn", {{1, 1}, {2, 2}, {0, 0}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ColumnMask, AtMostNineteenPairs) {
  std::string mask;
  for (int i = 1; i <= 25; ++i) mask += std::to_string(i) + "/" + std::to_string(i) + " ";
  Ranges r = ParseMask(mask);
  ASSERT_EQ(r.size(), 19u);
  EXPECT_EQ(r.back(), (ColumnRange{19, 19}));
}

TEST(ColumnMask, WantedUnlessDefaultOrBlank) {
  EXPECT_FALSE(MaskWanted("x1/y1 x2/y2 ... xn/yn"));
  EXPECT_FALSE(MaskWanted(""));
  EXPECT_FALSE(MaskWanted("    "));
  EXPECT_TRUE(MaskWanted("1/5"));
  EXPECT_TRUE(MaskWanted(" x1/y1 x2/y2 ... xn/yn"));
}

struct ApplyCase {
  const char* name;
  Ranges ranges;
  const char* want;
};

class ApplyMaskTest : public ::testing::TestWithParam<ApplyCase> {};

TEST_P(ApplyMaskTest, CutsTheLine) {
  EXPECT_EQ(ApplyMask("abcdefghij", GetParam().ranges), GetParam().want);
}

INSTANTIATE_TEST_SUITE_P(
    ColumnMask, ApplyMaskTest,
    ::testing::Values(ApplyCase{"no_ranges_copy_unchanged", {}, "abcdefghij"},
                      ApplyCase{"one_range", {{2, 4}}, "bcd"},
                      ApplyCase{"several_in_order", {{1, 2}, {9, 10}}, "abij"},
                      ApplyCase{"reordered", {{9, 10}, {1, 2}}, "ijab"},
                      ApplyCase{"overlapping", {{1, 3}, {2, 4}}, "abcbcd"},
                      ApplyCase{"beyond_the_line", {{8, 50}}, "hij"},
                      ApplyCase{"wholly_beyond", {{20, 30}, {1, 1}}, "a"},
                      ApplyCase{"first_after_last", {{5, 3}}, ""},
                      ApplyCase{"column_zero_is_column_one", {{0, 2}}, "ab"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ColumnMask, BoundaryLinesSurviveTheCut) {
  std::vector<std::string> lines{"", "abcdef", "\f", "ghijkl"};
  EXPECT_EQ(ApplyMaskToReport(lines, {{3, 4}}),
            (std::vector<std::string>{"", "cd", "\f", "ij"}));
}

// The page fields.

TEST(PageRange, FieldFormatting) {
  EXPECT_EQ(PageFieldText(1), "  001");
  EXPECT_EQ(PageFieldText(100), "  100");
  EXPECT_EQ(PageFieldText(0), "  000");
  EXPECT_EQ(ClampedPageFieldText(7), " 007");
  EXPECT_EQ(PageNumberFromText("  012"), 12);
  EXPECT_EQ(PageNumberFromText("a1-2"), 12);
  EXPECT_EQ(PageNumberFromText(""), 0);
  EXPECT_EQ(PageNumberFromText("99999999999"), 99999);
}

struct ClampCase {
  const char* name;
  PageRange range;
  int pages;
  PageRange want;
  bool empty;
};

class ClampTest : public ::testing::TestWithParam<ClampCase> {};

TEST_P(ClampTest, Clamps) {
  const auto& c = GetParam();
  PageRange got = ClampPageRange(c.range, c.pages);
  EXPECT_EQ(got, c.want);
  EXPECT_EQ(got.Empty(), c.empty);
}

INSTANTIATE_TEST_SUITE_P(
    PageRange, ClampTest,
    ::testing::Values(ClampCase{"inside", {2, 3}, 5, {2, 3}, false},
                      ClampCase{"end_beyond_the_report", {2, 999}, 5, {2, 5}, false},
                      ClampCase{"start_after_the_end", {7, 9}, 5, {7, 5}, true},
                      ClampCase{"start_zero", {0, 2}, 5, {1, 2}, false},
                      ClampCase{"reversed", {4, 2}, 5, {4, 2}, true},
                      ClampCase{"end_zero", {1, 0}, 5, {1, 0}, true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvo::test
