#include "core/desk/character_map.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <set>

#include "core/sys/encoding.h"

namespace orvo::test {
namespace {

TEST(CharacterMap, HoldsEveryPrintableWindows1250CharacterOnce) {
  const std::vector<MapCharacter>& map = CharacterMap();
  std::set<uint8_t> codes;
  for (const MapCharacter& c : map) {
    EXPECT_TRUE(codes.insert(c.code).second) << int(c.code);
    // Each goes back to its own byte: what the map inserts is what is saved.
    EXPECT_EQ(Utf8ToCp1250(c.utf8), std::string(1, static_cast<char>(c.code))) << int(c.code);
  }
  // 95 of ASCII (blank to tilde), 121 of the upper half.
  EXPECT_EQ(map.size(), 95u + 121u);
  for (uint8_t left : {0x00, 0x1F, 0x7F, 0x81, 0x83, 0x88, 0x90, 0x98, 0xA0, 0xAD}) {
    EXPECT_EQ(codes.count(left), 0u) << int(left);
  }
  struct Case {
    uint8_t code;
    const char* utf8;
  };
  for (const Case& c : {Case{0x20, " "}, Case{0x80, "€"}, Case{0x8A, "Š"}, Case{0xC8, "Č"},
                        Case{0xD9, "Ů"}, Case{0xF8, "ř"}, Case{0xFF, "˙"}}) {
    auto at = std::find_if(map.begin(), map.end(), [&](const MapCharacter& m) { return m.code == c.code; });
    ASSERT_NE(at, map.end()) << int(c.code);
    EXPECT_EQ(at->utf8, c.utf8);
  }
  EXPECT_EQ(CharacterCodeText(0xF8), "Kod: 248 (0xF8)");
}

}  // namespace
}  // namespace orvo::test
