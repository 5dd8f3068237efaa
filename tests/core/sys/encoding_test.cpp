#include "core/sys/encoding.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace orvo::test {
namespace {

std::string AllBytes() {
  std::string s;
  for (int b = 0; b < 256; ++b) s += static_cast<char>(b);
  return s;
}

TEST(EncodingTest, EveryByteSurvivesTheRoundTrip) {
  std::string bytes = AllBytes();
  std::string utf8 = Cp1250ToUtf8(bytes);
  EXPECT_TRUE(Utf8FitsCp1250(utf8));
  EXPECT_EQ(Utf8ToCp1250(utf8), bytes);
}

TEST(EncodingTest, CzechPangramReadsAsUnicode) {
  // "Příliš žluťoučký kůň úpěl ďábelské ódy" in Windows-1250.
  const std::string cp1250 =
      "P\xF8\xEDli\x9A \x9Elu\x9Dou\xE8k\xFD k\xF9\xF2 \xFAp\xECl \xEF\xE1\x62\x65lsk\xE9 \xF3\x64y";
  const std::string utf8 = "Příliš žluťoučký kůň úpěl ďábelské ódy";
  EXPECT_EQ(Cp1250ToUtf8(cp1250), utf8);
  EXPECT_EQ(Utf8ToCp1250(utf8), cp1250);
}

// Arbitrary bytes never make the decoder read past the end or lose its
// place: each input byte yields at most one output character, and a valid
// text spliced after garbage still comes through.
TEST(EncodingTest, RandomBytesDecodeSafely) {
  std::mt19937 random(20160315);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> length(0, 12);
  for (int i = 0; i < 20000; ++i) {
    std::string garbage;
    for (int n = length(random); n > 0; --n) garbage += static_cast<char>(byte(random));
    std::string out = Utf8ToCp1250(garbage + "\x01\xC5\xAF");  // then "ů"
    ASSERT_LE(out.size(), garbage.size() + 2);
    ASSERT_EQ(out.substr(out.size() - 2), "\x01\xF9");
  }
}

struct ByteCase {
  const char* name;
  unsigned char byte;
  const char* utf8;
};

class Cp1250ByteTest : public ::testing::TestWithParam<ByteCase> {};

TEST_P(Cp1250ByteTest, MapsToItsCodePoint) {
  const auto& c = GetParam();
  std::string byte(1, static_cast<char>(c.byte));
  EXPECT_EQ(Cp1250ToUtf8(byte), c.utf8);
  EXPECT_EQ(Utf8ToCp1250(c.utf8), byte);
}

INSTANTIATE_TEST_SUITE_P(
    Encoding, Cp1250ByteTest,
    ::testing::Values(ByteCase{"ascii", 'A', "A"},
                      ByteCase{"euro", 0x80, "\xE2\x82\xAC"},
                      ByteCase{"undefined_0x81_as_c1_control", 0x81, "\xC2\x81"},
                      ByteCase{"undefined_0x98_as_c1_control", 0x98, "\xC2\x98"},
                      ByteCase{"s_caron", 0x9A, "š"},
                      ByteCase{"no_break_space", 0xA0, "\xC2\xA0"},
                      ByteCase{"section", 0xA7, "§"},
                      ByteCase{"right_guillemet", 0xBB, "»"},
                      ByteCase{"bullet", 0x95, "•"},
                      ByteCase{"u_ring_upper", 0xD9, "Ů"},
                      ByteCase{"dot_above", 0xFF, "˙"}),
    [](const auto& info) { return std::string(info.param.name); });

struct Utf8Case {
  const char* name;
  std::string utf8;
  std::string cp1250;
  bool fits;
};

class Utf8ToCp1250Test : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8ToCp1250Test, ReplacesWhatHasNoFormByQuestionMarks) {
  const auto& c = GetParam();
  EXPECT_EQ(Utf8ToCp1250(c.utf8), c.cp1250);
  EXPECT_EQ(Utf8FitsCp1250(c.utf8), c.fits);
}

INSTANTIATE_TEST_SUITE_P(
    Encoding, Utf8ToCp1250Test,
    ::testing::Values(
        Utf8Case{"empty", "", "", true},
        Utf8Case{"czech", "Účet", "\xDA\xE8\x65t", true},
        Utf8Case{"chinese_has_no_form", "a\xE4\xB8\xAD" "b", "a?b", false},
        Utf8Case{"emoji_is_one_character", "\xF0\x9F\x98\x80", "?", false},
        Utf8Case{"stray_continuation", "a\x80" "b", "a?b", false},
        Utf8Case{"truncated_at_end", "a\xC4", "a?", false},
        Utf8Case{"truncated_three_bytes", "a\xE2\x82", "a??", false},
        Utf8Case{"lead_without_continuation", "\xC4" "A", "?A", false},
        Utf8Case{"overlong_slash", "\xC0\xAF", "??", false},
        Utf8Case{"surrogate", "\xED\xA0\x80", "???", false},
        Utf8Case{"above_unicode", "\xF4\x90\x80\x80", "????", false},
        Utf8Case{"invalid_lead_byte", "\xFF", "?", false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvo::test
