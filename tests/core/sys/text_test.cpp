#include "core/sys/text.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>

#include "core/sys/encoding.h"

namespace orvo::test {
namespace {

// ---- string utilities ---------------------------------------------------

struct StringCase {
  const char* name;
  std::function<std::string()> run;
  std::string want;
};

class StringUtilityTest : public ::testing::TestWithParam<StringCase> {};

TEST_P(StringUtilityTest, Gives) { EXPECT_EQ(GetParam().run(), GetParam().want); }

INSTANTIATE_TEST_SUITE_P(
    Text, StringUtilityTest,
    ::testing::Values(
        StringCase{"blanks", [] { return Blanks(3); }, "   "},
        StringCase{"blanks_none_for_negative", [] { return Blanks(-2); }, ""},
        StringCase{"remove_blanks", [] { return RemoveBlanks(" a b  c "); }, "abc"},
        StringCase{"shorten_runs_to_n_minus_one", [] { return ShortenBlankRuns("a     b  c", 3); },
                   "a  b  c"},
        StringCase{"shorten_runs_exact_n", [] { return ShortenBlankRuns("a   b", 3); }, "a  b"},
        StringCase{"shorten_runs_of_one_removes_all", [] { return ShortenBlankRuns(" a b ", 1); },
                   "ab"},
        StringCase{"shorten_runs_of_zero_keeps_text", [] { return ShortenBlankRuns("a  b", 0); },
                   "a  b"},
        StringCase{"trim_right", [] { return TrimRight("  ab  "); }, "  ab"},
        StringCase{"trim_left", [] { return TrimLeft("  ab  "); }, "ab  "},
        StringCase{"trim", [] { return Trim("  a b  "); }, "a b"},
        StringCase{"trim_all_blanks", [] { return Trim("    "); }, ""},
        StringCase{"pad_right", [] { return PadRight("ab", 4); }, "ab  "},
        StringCase{"pad_right_longer_stays", [] { return PadRight("abcde", 4); }, "abcde"},
        StringCase{"pad_left", [] { return PadLeft("ab", 4); }, "  ab"},
        StringCase{"pad_left_longer_stays", [] { return PadLeft("abcde", 4); }, "abcde"},
        StringCase{"remove_char", [] { return RemoveChar('.', "1.234.5"); }, "12345"},
        StringCase{"pad_right_with", [] { return PadRightWith('*', "ab", 5); }, "ab***"},
        StringCase{"pad_left_with", [] { return PadLeftWith('0', "7", 3); }, "007"},
        StringCase{"blanks_to_zeros", [] { return BlanksToZeros(" 1 2 "); }, "01020"},
        StringCase{"blanks_to_zeros_long_text_whole",
                   [] { return BlanksToZeros(std::string(300, ' ')); }, std::string(300, '0')}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TextTest, AllBlanks) {
  EXPECT_TRUE(AllBlanks(""));
  EXPECT_TRUE(AllBlanks("   "));
  EXPECT_FALSE(AllBlanks("  a "));
  EXPECT_FALSE(AllBlanks("\t"));
}

struct DigitsCase {
  const char* name;
  std::string text;
  char c1, c2, c3;
  bool want;
};

class IsDigitsTest : public ::testing::TestWithParam<DigitsCase> {};

TEST_P(IsDigitsTest, Decides) {
  const auto& c = GetParam();
  EXPECT_EQ(IsDigits(c.text, c.c1, c.c2, c.c3), c.want);
}

INSTANTIATE_TEST_SUITE_P(
    Text, IsDigitsTest,
    ::testing::Values(DigitsCase{"digits", "0123456789", 0, 0, 0, true},
                      DigitsCase{"empty", "", 0, 0, 0, true},
                      DigitsCase{"point_not_allowed", "12.5", 0, 0, 0, false},
                      DigitsCase{"point_allowed", "12.5", '.', 0, 0, true},
                      DigitsCase{"three_extra", "-1,2.3", ',', '-', '.', true},
                      DigitsCase{"blank_not_allowed", "1 2", '.', ',', 0, false},
                      DigitsCase{"letter", "12a", 0, 0, 0, false},
                      DigitsCase{"zero_byte_is_not_an_extra", std::string("1\0" "2", 3), 0, 0, 0,
                                 false}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Czech upper-casing -------------------------------------------------

struct UpperCase {
  const char* name;
  std::string text;  // Windows-1250
  std::string want;
};

class UpperCzTest : public ::testing::TestWithParam<UpperCase> {};

TEST_P(UpperCzTest, UpperCases) {
  EXPECT_EQ(Cp1250ToUtf8(UpperCz(GetParam().text)), Cp1250ToUtf8(GetParam().want));
}

INSTANTIATE_TEST_SUITE_P(
    Text, UpperCzTest,
    ::testing::Values(
        UpperCase{"u_ring", "\xF9", "\xD9"},
        UpperCase{"u_umlaut_unchanged", "\xFC", "\xFC"},
        UpperCase{"a_umlaut_unchanged", "\xE4", "\xE4"},
        UpperCase{"ascii", "abc xyz 09", "ABC XYZ 09"},
        UpperCase{"upper_stays", "ABC\xD9", "ABC\xD9"},
        UpperCase{"pangram",
                  "P\xF8\xEDli\x9A \x9Elu\x9Dou\xE8k\xFD k\xF9\xF2 \xFAp\xECl \xEF\xE1\x62\x65lsk\xE9 "
                  "\xF3\x64y",
                  "P\xD8\xCDLI\x8A \x8ELU\x8DOU\xC8K\xDD K\xD9\xD2 \xDAP\xCCL \xCF\xC1\x42\x45LSK\xC9 "
                  "\xD3\x44Y"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UpperCzTableTest, PairsAreTheUnicodeCasePairs) {
  // Each pair, read as Unicode, is a lower-case letter and its capital: the
  // UTF-8 forms differ only in the case bit of the last byte, or (for the
  // Latin-1 letters) by 0x20.
  for (const auto& pair : CzechUpperTable) {
    std::string lower = Cp1250ToUtf8(std::string(1, static_cast<char>(pair[0])));
    std::string upper = Cp1250ToUtf8(std::string(1, static_cast<char>(pair[1])));
    ASSERT_EQ(lower.size(), 2u);
    ASSERT_EQ(upper.size(), 2u);
    EXPECT_EQ(lower[0], upper[0]);
    int diff = static_cast<unsigned char>(lower[1]) - static_cast<unsigned char>(upper[1]);
    EXPECT_TRUE(diff == 1 || diff == 0x20) << lower << " " << upper;
  }
}

// ---- code pages ---------------------------------------------------------

TEST(CodePageTableTest, LetterRowsAreTheCzechAndSlovakLetters) {
  std::string letters;
  for (size_t i = 0; i < 39; ++i) letters += static_cast<char>(CodePageTable[i][0]);
  EXPECT_EQ(Cp1250ToUtf8(letters), "ČéďĎŤčěĚĹÍľĺÁÉžŽôÓůÚýŠĽÝŘťáíóúňŇŮÔšřŕŔ§");
}

TEST(CodePageTableTest, LetterRowsAreOneToOneInEveryColumn) {
  for (size_t column = 0; column < 3; ++column) {
    std::set<uint8_t> seen;
    for (size_t i = 0; i < 39; ++i) seen.insert(CodePageTable[i][column]);
    EXPECT_EQ(seen.size(), 39u) << "column " << column + 1;
  }
}

TEST(CodePageTableTest, BoxRowsHaveOnlyPlusMinusBarInWindowsColumn) {
  for (size_t i = 39; i < 93; ++i) {
    char c = static_cast<char>(CodePageTable[i][0]);
    EXPECT_TRUE(c == '+' || c == '-' || c == '|') << "row " << i + 1;
  }
  EXPECT_EQ(CodePageTable[93], (std::array<uint8_t, 3>{0xBB, 0xAF, 0xAF}));
  EXPECT_EQ(CodePageTable[94], (std::array<uint8_t, 3>{0x95, 0xFE, 0xFE}));
}

const std::string kPangram =
    "P\xF8\xEDli\x9A \x9Elu\x9Dou\xE8k\xFD k\xF9\xF2 \xFAp\xECl \xEF\xE1\x62\x65lsk\xE9 \xF3\x64y "
    "\xC8\xCF\x8D\xCC\xC5\xCD\xC1\xC9\x8E\xD3\xDA\x8A\xBC\xDD\xD8\xD2\xD9\xD4\xC0\xA7";

TEST(ConvertCharsTest, LettersSurviveTheTripThroughEitherDosPage) {
  EXPECT_EQ(ConvertChars(ConvertChars(kPangram, 1, 2), 2, 1), kPangram);
  EXPECT_EQ(ConvertChars(ConvertChars(kPangram, 1, 3), 3, 1), kPangram);
  EXPECT_EQ(ConvertChars(ConvertChars(ConvertChars(kPangram, 1, 2), 2, 3), 3, 1), kPangram);
}

struct ConvertCase {
  const char* name;
  std::string text;
  int from, to;
  std::string want;
};

class ConvertCharsTest : public ::testing::TestWithParam<ConvertCase> {};

TEST_P(ConvertCharsTest, Converts) {
  const auto& c = GetParam();
  EXPECT_EQ(ConvertChars(c.text, c.from, c.to), c.want);
}

INSTANTIATE_TEST_SUITE_P(
    Text, ConvertCharsTest,
    ::testing::Values(
        // Kamenicky double-line box: ╣ ║ ╗ ╝ ╚ ╔ ╩ ╦ ╠ ═ ╬
        ConvertCase{"kamenicky_double_box_to_windows",
                    "\xB9\xBA\xBB\xBC\xC8\xC9\xCA\xCB\xCC\xCD\xCE", 3, 1, "+|+++++++-+"},
        ConvertCase{"kamenicky_box_line", "\xC9\xCD\xCD\xBB", 3, 1, "+--+"},
        ConvertCase{"c_caron_windows_to_852", "\xC8", 1, 2, "\xAC"},
        ConvertCase{"c_caron_852_to_kamenicky", "\xAC", 2, 3, "\x80"},
        ConvertCase{"c_caron_kamenicky_to_windows", "\x80", 3, 1, "\xC8"},
        ConvertCase{"first_row_wins_852_t_left", "\xB4", 2, 3, "\xB4"},
        ConvertCase{"first_row_wins_852_bar", "\xB3", 2, 3, "\xB3"},
        ConvertCase{"first_row_wins_852_horizontal", "\xC4", 2, 3, "\xC4"},
        ConvertCase{"first_row_wins_plus", "+-|", 1, 2, "+-|"},
        ConvertCase{"guillemet_and_bullet_to_windows", "\xAF\xFE", 3, 1, "\xBB\x95"},
        ConvertCase{"unmatched_bytes_stay", "Az09\xFC", 1, 2, "Az09\xFC"},
        ConvertCase{"from_zero_unchanged", "\xC8", 0, 2, "\xC8"},
        ConvertCase{"to_zero_unchanged", "\xC8", 1, 0, "\xC8"},
        ConvertCase{"out_of_range_unchanged", "\xC8", 1, 4, "\xC8"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvo::test
