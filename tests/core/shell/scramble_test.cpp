#include "core/shell/scramble.h"

#include <gtest/gtest.h>

#include <string>

namespace orvo::test {
namespace {

std::string Pattern(size_t length) {
  std::string s;
  for (size_t i = 0; i < length; ++i) s += static_cast<char>((i * 37 + 11) % 256);
  return s;
}

class ScrambleRoundTripTest : public ::testing::TestWithParam<size_t> {};

TEST_P(ScrambleRoundTripTest, UnscrambleRestoresThePlainImage) {
  std::string plain = Pattern(GetParam());
  std::string stored = Scramble(plain);
  EXPECT_EQ(stored.size(), plain.size());
  EXPECT_NE(stored, plain);
  EXPECT_EQ(Unscramble(stored), plain);
}

INSTANTIATE_TEST_SUITE_P(Lengths, ScrambleRoundTripTest,
                         ::testing::Values(30, 31, 54, 55, 60, 333, 9999));

TEST(ScrambleTest, EveryByteValueSurvives) {
  std::string all;
  for (int i = 0; i < 256; ++i) all += static_cast<char>(i);
  EXPECT_EQ(Unscramble(Scramble(all)), all);
}

// The substitution of one byte and where the transposition puts it: in a
// 31-byte image the columns 27 down to 5 hold one position each, then come
// positions 4 and 31, 3 and 30, 2 and 29, and last 1 and 28.
TEST(ScrambleTest, SubstitutesAndTransposesByColumns) {
  std::string plain(31, '\0');
  plain[26] = 'A';                       // 65 -> 65 + 27
  plain[30] = static_cast<char>(200);    // 200 -> 44 - 200 + 256
  plain[0] = static_cast<char>(35);      // 35 -> 63 - 35
  std::string stored = Scramble(plain);
  EXPECT_EQ(static_cast<unsigned char>(stored[0]), 92);   // position 27
  // Column 4 holds positions 4 and 31; it is stored after columns 27..5.
  size_t column4 = 23;  // columns 27..5 are 23 single-byte columns
  EXPECT_EQ(static_cast<unsigned char>(stored[column4 + 1]), 100);  // position 31
  EXPECT_EQ(static_cast<unsigned char>(stored[29]), 28);  // position 1
  EXPECT_EQ(static_cast<unsigned char>(stored[30]), 56);  // position 28 holds 0 -> 56
  EXPECT_EQ(static_cast<unsigned char>(stored[1]), 56);   // position 26 holds 0 -> 56
}

TEST(ScrambleTest, EmptyImageStaysEmpty) {
  EXPECT_EQ(Scramble(""), "");
  EXPECT_EQ(Unscramble(""), "");
}

}  // namespace
}  // namespace orvo::test
