#include "core/sys/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

namespace orvo::test {
namespace {

// ---- RoundValue ---------------------------------------------------------

struct RoundCase {
  const char* name;
  int n;
  int a;
  double x;
  double want;
};

class RoundValueTest : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundValueTest, Rounds) {
  const auto& c = GetParam();
  // Exact: the result must be the double nearest to the decimal answer.
  EXPECT_EQ(RoundValue(c.n, c.a, c.x), c.want);
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, RoundValueTest,
    ::testing::Values(
        RoundCase{"halves_up", 5, 0, 2.3, 2.5},
        RoundCase{"halves_down", 5, 0, 2.2, 2.0},
        RoundCase{"halves_to_next", 5, 0, 2.8, 3.0},
        RoundCase{"halves_quarter_goes_to_half", 5, 0, 2.25, 2.5},
        RoundCase{"halves_three_quarters_goes_up", 5, 0, 2.75, 3.0},
        RoundCase{"halves_ignore_a", 5, 5, 2.2, 2.0},
        RoundCase{"halves_negative", 5, 0, -2.3, -2.5},
        RoundCase{"halves_sum_with_noise", 5, 0, 0.1 + 0.2 + 2.45, 3.0},
        RoundCase{"negative_two_decimals", 2, 5, -1.25, -1.25},
        RoundCase{"negative_one_decimal", 1, 5, -1.25, -1.3},
        RoundCase{"typed_1_15_to_one_decimal", 1, 5, 1.15, 1.2},
        RoundCase{"typed_2_675_to_two_decimals", 2, 5, 2.675, 2.68},
        RoundCase{"typed_1_005_to_two_decimals", 2, 5, 1.005, 1.01},
        RoundCase{"typed_negative_2_675", 2, 5, -2.675, -2.68},
        RoundCase{"typed_8_0005_to_three", 3, 5, 8.0005, 8.001},
        RoundCase{"large_amount", 2, 5, 1234567.125, 1234567.13},
        RoundCase{"sum_with_noise", 1, 5, 0.1 + 0.2, 0.3},
        RoundCase{"half_to_integer", 0, 5, 2.5, 3.0},
        RoundCase{"below_half_to_integer", 0, 5, 2.4999, 2.0},
        RoundCase{"a_zero_truncates", 2, 0, 1.999, 1.99},
        RoundCase{"small_negative_is_plain_zero", 2, 5, -0.004, 0.0},
        RoundCase{"zero", 2, 5, 0.0, 0.0},
        RoundCase{"nothing_to_cut", 2, 5, 1e20, 1e20},
        RoundCase{"tiny", 2, 5, 1e-30, 0.0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RoundValueTest, SmallNegativeGivesPositiveZero) {
  EXPECT_FALSE(std::signbit(RoundValue(2, 5, -0.004)));
}

// Every amount typed with three decimals, the last one 5, rounds up to two
// decimals, and every amount typed with two decimals rounds half up to one.
TEST(RoundValueTest, TypedHalvesRoundUpAcrossTheRange) {
  char text[64];
  for (long k = 5; k < 200000; k += 10) {
    std::snprintf(text, sizeof text, "%ld.%03ld", k / 1000, k % 1000);
    double typed = std::strtod(text, nullptr);
    long cents = (k + 5) / 10;
    std::snprintf(text, sizeof text, "%ld.%02ld", cents / 100, cents % 100);
    double want = std::strtod(text, nullptr);
    ASSERT_EQ(RoundValue(2, 5, typed), want) << k;
    ASSERT_EQ(RoundValue(2, 5, -typed), -want) << k;
  }
  for (long k = 5; k < 100000; k += 10) {
    std::snprintf(text, sizeof text, "%ld.%02ld", k / 100, k % 100);
    double typed = std::strtod(text, nullptr);
    long tenths = (k + 5) / 10;
    std::snprintf(text, sizeof text, "%ld.%ld", tenths / 10, tenths % 10);
    ASSERT_EQ(RoundValue(1, 5, typed), std::strtod(text, nullptr)) << k;
  }
}

TEST(RoundValueTest, OddArgumentsStaySane) {
  EXPECT_EQ(RoundValue(2, 5, std::numeric_limits<double>::infinity()),
            std::numeric_limits<double>::infinity());
  EXPECT_TRUE(std::isnan(RoundValue(2, 5, std::numeric_limits<double>::quiet_NaN())));
  EXPECT_EQ(RoundValue(400, 5, 1.5), 1.5);
  EXPECT_EQ(RoundValue(-1, 5, 2.5), 3.0);  // no decimals asked for: to an integer
  EXPECT_EQ(RoundValue(0, 15, 2.5), 4.0);  // 2.5 + 1.5, truncated
}

TEST(RealTextTest, ExtremeValuesAreFormattedWhole) {
  EXPECT_EQ(RealTextPlain(6, 2, 1e20), "100000000000000000000");
  EXPECT_EQ(RealTextRounded(6, 40, 1.5), "1,5000");
  EXPECT_EQ(RealTextPlain(6, -3, 7.0), "     7");
}

// ---- integers as text ---------------------------------------------------

struct IntTextCase {
  const char* name;
  std::string got;
  std::string want;
};

class IntTextTest : public ::testing::TestWithParam<IntTextCase> {};

TEST_P(IntTextTest, Formats) { EXPECT_EQ(GetParam().got, GetParam().want); }

INSTANTIATE_TEST_SUITE_P(
    Numbers, IntTextTest,
    ::testing::Values(IntTextCase{"zero_is_blank", IntText(0, 3), "   "},
                      IntTextCase{"right_aligned", IntText(7, 3), "  7"},
                      IntTextCase{"negative", IntText(-7, 3), " -7"},
                      IntTextCase{"wider_than_w_stays_whole", IntText(12345, 3), "12345"},
                      IntTextCase{"zero_printed", IntTextZero(0, 3), "  0"},
                      IntTextCase{"zero_printed_value", IntTextZero(42, 3), " 42"},
                      IntTextCase{"padded", IntTextPadded(7, 3), "007"},
                      IntTextCase{"padded_zero", IntTextPadded(0, 3), "000"},
                      IntTextCase{"padded_negative_sign_first", IntTextPadded(-7, 3), "-07"},
                      IntTextCase{"padded_wider", IntTextPadded(1234, 2), "1234"},
                      IntTextCase{"fatal_code_width", IntText(123, 6), "   123"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- reading numbers ----------------------------------------------------

struct TextToIntCase {
  const char* name;
  const char* text;
  int64_t want;
};

class TextToIntTest : public ::testing::TestWithParam<TextToIntCase> {};

TEST_P(TextToIntTest, Reads) { EXPECT_EQ(TextToInt(GetParam().text), GetParam().want); }

constexpr int64_t kMax = std::numeric_limits<int64_t>::max();

INSTANTIATE_TEST_SUITE_P(
    Numbers, TextToIntTest,
    ::testing::Values(TextToIntCase{"empty", "", 0},
                      TextToIntCase{"blanks", "   ", 0},
                      TextToIntCase{"plain", "42", 42},
                      TextToIntCase{"blanks_around_and_inside", " 1 234 ", 1234},
                      TextToIntCase{"negative", "-15", -15},
                      TextToIntCase{"letters_dropped", "12a3", 123},
                      TextToIntCase{"decimal_point_dropped", "12.5", 125},
                      TextToIntCase{"minus_inside_stops", "1-2", 1},
                      TextToIntCase{"trailing_minus_ignored", "5-", 5},
                      TextToIntCase{"double_minus", "--", 0},
                      TextToIntCase{"double_minus_before_digits", "--5", 0},
                      TextToIntCase{"only_minus", "-", 0},
                      TextToIntCase{"only_letters", "abc", 0},
                      TextToIntCase{"too_large", "99999999999999999999", kMax},
                      TextToIntCase{"too_small", "-99999999999999999999", -kMax}),
    [](const auto& info) { return std::string(info.param.name); });

struct TextToRealCase {
  const char* name;
  const char* text;
  double want;
};

class TextToRealTest : public ::testing::TestWithParam<TextToRealCase> {};

TEST_P(TextToRealTest, Reads) {
  EXPECT_EQ(TextToReal(GetParam().text), GetParam().want);
  EXPECT_EQ(static_cast<double>(TextToRealExt(GetParam().text)), GetParam().want);
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, TextToRealTest,
    ::testing::Values(TextToRealCase{"empty", "", 0.0},
                      TextToRealCase{"decimal_comma", "1,5", 1.5},
                      TextToRealCase{"decimal_point", "1.5", 1.5},
                      TextToRealCase{"grouped_with_blanks", "1 234,50", 1234.5},
                      TextToRealCase{"negative", "-0,5", -0.5},
                      TextToRealCase{"no_leading_digit", ",5", 0.5},
                      TextToRealCase{"negative_no_leading_digit", "-,25", -0.25},
                      TextToRealCase{"currency_text_dropped", "Kc 12,30", 12.3},
                      TextToRealCase{"trailing_point", "5.", 5.0},
                      TextToRealCase{"second_comma_is_dropped", "1,2,3", 1.23},
                      TextToRealCase{"point_then_comma_stops_at_second_point", "1.234,56", 1.234},
                      TextToRealCase{"two_points", "1.2.3", 1.2},
                      TextToRealCase{"minus_inside", "1-2", 1.0},
                      TextToRealCase{"double_minus", "--", 0.0},
                      TextToRealCase{"only_point", ".", 0.0},
                      TextToRealCase{"only_minus_point", "-.", 0.0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TextToRealExtTest, ReadsInExtendedPrecision) { EXPECT_EQ(TextToRealExt("0,1"), 0.1L); }

// ---- reals as text ------------------------------------------------------

struct RealTextCase {
  const char* name;
  std::string got;
  std::string want;
};

class RealTextTest : public ::testing::TestWithParam<RealTextCase> {};

TEST_P(RealTextTest, Formats) { EXPECT_EQ(GetParam().got, GetParam().want); }

INSTANTIATE_TEST_SUITE_P(
    Numbers, RealTextTest,
    ::testing::Values(
        RealTextCase{"rounded_tiny_is_blank", RealTextRounded(6, 2, 0.004), "      "},
        RealTextCase{"rounded_negative_tiny_is_blank", RealTextRounded(6, 2, -0.004), "      "},
        RealTextCase{"rounded_half_cent_shows", RealTextRounded(6, 2, 0.005), "  0,01"},
        RealTextCase{"rounded_plain", RealTextRounded(6, 2, 1.25), "  1,25"},
        RealTextCase{"rounded_narrows_to_integer", RealTextRounded(4, 2, 123.5), " 124"},
        RealTextCase{"rounded_narrows_one_step", RealTextRounded(5, 2, 99.995), "100,0"},
        RealTextCase{"rounded_cannot_narrow_further", RealTextRounded(3, 2, 999.96), "1000"},
        RealTextCase{"rounded_negative", RealTextRounded(8, 2, -1234.565), "-1234,57"},
        RealTextCase{"rounded_typed_half", RealTextRounded(6, 2, 2.675), "  2,68"},
        RealTextCase{"rounded_typed_half_one_decimal", RealTextRounded(6, 1, 1.15), "   1,2"},
        RealTextCase{"rounded_to_integer_below_half", RealTextRounded(6, 0, 0.4), "      "},
        RealTextCase{"rounded_to_integer_half", RealTextRounded(6, 0, 0.5), "     1"},
        RealTextCase{"rounded_halves", RealTextRounded(8, 5, 2.3), " 2,50000"},
        RealTextCase{"rounded_halves_narrowed", RealTextRounded(6, 5, 2.3), "2,5000"},
        RealTextCase{"rounded_halves_small_is_blank", RealTextRounded(8, 5, -0.2), "        "},
        RealTextCase{"plain", RealTextPlain(6, 2, 1.5), "  1,50"},
        RealTextCase{"plain_keeps_zero", RealTextPlain(6, 2, 0.001), "  0,00"},
        RealTextCase{"plain_zero_without_minus", RealTextPlain(6, 2, -0.001), "  0,00"},
        RealTextCase{"plain_typed_half", RealTextPlain(6, 2, 2.675), "  2,68"},
        RealTextCase{"plain_narrows", RealTextPlain(4, 2, 123.456), " 123"},
        RealTextCase{"plain_negative", RealTextPlain(7, 1, -12.34), "  -12,3"},
        RealTextCase{"blank_below_half_unit", RealTextBlank(6, 2, 0.004), "      "},
        RealTextCase{"blank_negative_below_half_unit", RealTextBlank(6, 2, -0.0049), "      "},
        RealTextCase{"blank_at_half_unit_shows", RealTextBlank(6, 2, 0.005), "  0,01"},
        RealTextCase{"blank_narrows", RealTextBlank(4, 2, 123.456), " 123"},
        RealTextCase{"blank_ext_below_half_unit", RealTextBlankExt(6, 2, 0.004L), "      "},
        RealTextCase{"blank_ext", RealTextBlankExt(8, 2, 1234.5L), " 1234,50"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvo::test
