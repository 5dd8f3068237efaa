#include "core/data/format_word.h"

#include <gtest/gtest.h>

#include "def_text.h"
#include "support/scratch.h"

namespace orvo::test {
namespace {

struct FormatCase {
  const char* name;
  const char* tms;
  int td;
  char sp;
  char check;
  const char* input;
  const char* want;
  bool passes;
};

class FormatWordTest : public Scratch, public ::testing::WithParamInterface<FormatCase> {};

TEST_P(FormatWordTest, NormalisesAndChecks) {
  const FormatCase& c = GetParam();
  LoadedDef def;
  std::string sp(1, c.sp);
  ASSERT_EQ(ParseDef(WordLine(c.td, "1. W", "", c.tms, sp) + "\r\n", def).problem, DefProblem::None);
  std::string value = c.input;
  EXPECT_EQ(FormatWord(*env, def, value, 1, c.check), c.passes);
  EXPECT_EQ(value, c.want);
}

INSTANTIATE_TEST_SUITE_P(
    Types, FormatWordTest,
    ::testing::Values(
        FormatCase{"LN_fills_zeros_on_the_left", "LN", 6, ' ', 'X', "123", "000123", true},
        FormatCase{"LN_keeps_the_last_characters", "LN", 6, ' ', 'X', "1234567", "234567", true},
        FormatCase{"LN_drops_trailing_blanks_first", "LN", 6, ' ', 'X', "12  ", "000012", true},
        FormatCase{"LM_fills_blanks_on_the_left", "LM", 6, ' ', 'X', "ab ", "    ab", true},
        FormatCase{"R2_is_LN", "R2", 6, ' ', 'X', "123", "000123", true},
        FormatCase{"O4_is_LN", "O4", 4, ' ', 'X', "7", "0007", true},
        FormatCase{"PN_fills_zeros_on_the_right", "PN", 4, ' ', 'X', "12", "1200", true},
        FormatCase{"PM_fills_blanks_on_the_right", "PM", 5, ' ', 'X', "ab", "ab   ", true},
        FormatCase{"PM_keeps_the_first_characters", "PM", 5, ' ', 'X', "abcdefg", "abcde", true},
        FormatCase{"N2_rounds_right_aligned", "N2", 10, ' ', 'X', "1234,5", "   1234,50", true},
        FormatCase{"N2_zero_is_blank", "N2", 10, ' ', 'X', "0", "          ", true},
        FormatCase{"N0_rounds_half_up", "N0", 5, ' ', 'X', "12,5", "   13", true},
        FormatCase{"DT_completes_the_date", "DT", 10, ' ', 'X', "5.3", "05.03.2016", true},
        FormatCase{"DT_blank_stays_blank", "DT", 10, ' ', 'X', "", "          ", true},
        FormatCase{"ME_is_unchanged", "ME", 5, ' ', 'X', "dlouhy text", "dlouhy text", true},
        FormatCase{"FL_is_unchanged", "FL", 8, ' ', 'X', "1,5", "1,5", true},
        FormatCase{"unknown_type_is_unchanged", "QQ", 3, ' ', 'C', "", "", true}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Checks, FormatWordTest,
    ::testing::Values(
        FormatCase{"V_upper_cases", "PM", 6, ' ', 'V', "ucet\xE8", "UCET\xC8 ", true},
        FormatCase{"C_rejects_letters", "PM", 5, ' ', 'C', "12a", "12a  ", false},
        FormatCase{"C_accepts_digits_and_blanks", "PM", 5, ' ', 'C', "1 2", "1 2  ", true},
        FormatCase{"N_accepts_separators", "PM", 6, ' ', 'N', "-1.5,2", "-1.5,2", true},
        FormatCase{"N_rejects_letters", "PM", 6, ' ', 'N', "1x", "1x    ", false},
        FormatCase{"dash_rejects_filling_blanks", "PM", 4, ' ', '-', "12", "12  ", false},
        FormatCase{"dash_suits_zero_filled", "LN", 4, ' ', '-', "1-2", "01-2", true},
        FormatCase{"Z_plain_number_with_decimals", "N2", 8, ' ', 'Z', "0", "    0,00", true},
        FormatCase{"Z_without_decimals_checks_as_C", "N0", 5, ' ', 'Z', "12", "   12", true},
        FormatCase{"X_uses_the_words_own_code", "PM", 3, 'C', 'X', "ab", "ab ", false},
        FormatCase{"X_takes_SP_as_it_stands", "PM", 3, 'c', 'X', "ab", "ab ", true},
        FormatCase{"lower_case_check_is_raised", "PM", 3, ' ', 'c', "ab", "ab ", false},
        FormatCase{"DT_checks_as_N_whatever_asked", "DT", 10, ' ', 'C', "1.1.2016", "01.01.2016",
                   true},
        FormatCase{"empty_value_passes_every_check", "ME", 4, ' ', '-', "", "", true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvo::test
