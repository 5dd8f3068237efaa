#include "core/data/key_sort.h"

#include <gtest/gtest.h>

#include <random>

namespace orvo::test {
namespace {

// The block merge exactly as the system describes it, quadratic and all:
// blocks sorted on their own (mode 1 binary insertion, mode 2 straight
// insertion, otherwise untouched), each merged into the result of the
// earlier blocks taking the smaller head, earlier blocks first on ties.
std::vector<IndRec> BlockMerge(std::vector<IndRec> a, int block, int mode) {
  const size_t n = a.size();
  if (n <= 1) return a;
  std::vector<IndRec> result;
  for (size_t start = 0; start < n; start += static_cast<size_t>(block)) {
    std::vector<IndRec> b(a.begin() + static_cast<std::ptrdiff_t>(start),
                          a.begin() + static_cast<std::ptrdiff_t>(std::min(n, start + static_cast<size_t>(block))));
    if (mode == 2) {
      for (size_t k = 1; k < b.size(); ++k) {
        IndRec e = b[k];
        size_t j = k;
        while (j > 0 && b[j - 1].Index > e.Index) {
          b[j] = b[j - 1];
          --j;
        }
        b[j] = e;
      }
    } else if (mode == 1) {
      for (size_t k = 1; k < b.size(); ++k) {
        if (b[k - 1].Index <= b[k].Index) continue;
        IndRec e = b[k];
        size_t lo = 0, hi = k - 1;
        while (hi - lo > 5) {
          size_t mid = (lo + hi) / 2;
          if (b[mid].Index < e.Index) {
            lo = mid;
          } else {
            hi = mid;
          }
        }
        size_t at = lo;
        while (b[at].Index < e.Index) ++at;
        b.erase(b.begin() + static_cast<std::ptrdiff_t>(k));
        b.insert(b.begin() + static_cast<std::ptrdiff_t>(at), e);
      }
    }
    std::vector<IndRec> merged;
    size_t i = 0, j = 0;
    while (i < result.size() || j < b.size()) {
      if (j == b.size() || (i < result.size() && result[i].Index <= b[j].Index)) {
        merged.push_back(result[i++]);
      } else {
        merged.push_back(b[j++]);
      }
    }
    result = merged;
  }
  return result;
}

std::vector<IndRec> Entries(const std::vector<std::string>& keys) {
  std::vector<IndRec> a;
  for (size_t i = 0; i < keys.size(); ++i) a.push_back({keys[i], static_cast<int32_t>(i + 1)});
  return a;
}

std::vector<int32_t> Order(const std::vector<IndRec>& a) {
  std::vector<int32_t> order;
  for (const IndRec& e : a) order.push_back(e.PorVt);
  return order;
}

TEST(KeySortTest, ModeTwoKeepsEqualKeysInInputOrder) {
  auto a = Entries({"B", "A", "B", "A"});
  KeySort(a, 4, 2000, 2);
  EXPECT_EQ(Order(a), (std::vector<int32_t>{2, 4, 1, 3}));
}

TEST(KeySortTest, BlockOfOneSortsWhateverTheMode) {
  for (int mode : {0, 1, 2, 7}) {
    auto a = Entries({"C", "A", "B", "A"});
    KeySort(a, 4, 1, mode);
    EXPECT_EQ(Order(a), (std::vector<int32_t>{2, 4, 3, 1})) << mode;
  }
}

TEST(KeySortTest, BytesCompareUnsignedAndPrefixesFirst) {
  auto a = Entries({"\xC8" "a", "Z", "AB", "A", "", "A "});
  KeySort(a, 6, 2000, 2);
  EXPECT_EQ(Order(a), (std::vector<int32_t>{5, 4, 6, 3, 2, 1}));
}

TEST(KeySortTest, OnlyTheFirstNEntriesMove) {
  auto a = Entries({"C", "B", "A"});
  KeySort(a, 2, 2000, 2);
  EXPECT_EQ(Order(a), (std::vector<int32_t>{2, 1, 3}));
  KeySort(a, 1, 2000, 2);
  EXPECT_EQ(Order(a), (std::vector<int32_t>{2, 1, 3}));
}

TEST(KeySortTest, ModeOneReordersEqualKeysAsBinaryInsertionDoes) {
  // Within a block an equal key that arrives behind a greater one goes in
  // front of its equals; across blocks the earlier block comes first.
  auto a = Entries({"A", "B", "A", "A", "C", "A"});
  KeySort(a, 6, 2000, 1);
  EXPECT_EQ(Order(a), (std::vector<int32_t>{6, 4, 3, 1, 2, 5}));
  auto b = Entries({"A", "B", "A", "A", "C", "A"});
  KeySort(b, 6, 3, 1);
  EXPECT_EQ(Order(b), (std::vector<int32_t>{3, 1, 6, 4, 2, 5}));
}

TEST(KeySortTest, UnsortedBlocksMergeAsTheyStand) {
  // An entry drags along the smaller ones behind it in its block.
  auto a = Entries({"C", "A", "B", "B", "A", "D"});
  KeySort(a, 6, 3, 0);
  EXPECT_EQ(Order(a), (std::vector<int32_t>{4, 5, 1, 2, 3, 6}));
}

TEST(KeySortTest, BlockSizeBelowOneCountsAsOne) {
  auto a = Entries({"B", "A"});
  KeySort(a, 2, 0, 0);
  EXPECT_EQ(Order(a), (std::vector<int32_t>{2, 1}));
}

struct RandomCase {
  const char* name;
  int n;
  int block;
  int mode;
  int alphabet;  // distinct letters per position
  int length;
};

class KeySortRandomTest : public ::testing::TestWithParam<RandomCase> {};

// Many equal keys and short blocks exercise every tie rule; the fixed-width
// table and the entry sort must both give the block merge's order.
TEST_P(KeySortRandomTest, MatchesTheBlockMerge) {
  const RandomCase& c = GetParam();
  std::mt19937 rng(static_cast<unsigned>(c.n * 7919 + c.block * 31 + c.mode));
  for (int round = 0; round < 20; ++round) {
    std::vector<std::string> keys;
    for (int i = 0; i < c.n; ++i) {
      std::string k;
      for (int p = 0; p < c.length; ++p) k += static_cast<char>('0' + rng() % static_cast<unsigned>(c.alphabet));
      keys.push_back(k);
    }
    const std::vector<int32_t> want = Order(BlockMerge(Entries(keys), c.block, c.mode));
    auto a = Entries(keys);
    KeySort(a, c.n, c.block, c.mode);
    ASSERT_EQ(Order(a), want) << "round " << round;
    KeyTable table(static_cast<size_t>(c.length));
    for (const std::string& k : keys) table.Add(k);
    std::vector<int32_t> fromTable;
    for (uint32_t i : KeySortOrder(table, c.block, c.mode)) fromTable.push_back(static_cast<int32_t>(i + 1));
    ASSERT_EQ(fromTable, want) << "round " << round;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Modes, KeySortRandomTest,
    ::testing::Values(RandomCase{"stable_small_blocks", 200, 7, 2, 3, 2},
                      RandomCase{"stable_one_block", 300, 2000, 2, 4, 3},
                      RandomCase{"insertion_small_blocks", 200, 7, 1, 3, 2},
                      RandomCase{"insertion_one_block", 300, 2000, 1, 2, 3},
                      RandomCase{"insertion_long_keys", 150, 40, 1, 2, 20},
                      RandomCase{"unsorted_blocks", 200, 6, 0, 3, 2},
                      RandomCase{"unsorted_one_block", 100, 2000, 0, 3, 1},
                      RandomCase{"unsorted_long_keys", 200, 9, 5, 2, 19},
                      RandomCase{"stable_long_keys", 300, 11, 2, 2, 25}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(KeyTableTest, KeysAreCutOrFilledToTheWidth) {
  KeyTable t(3);
  t.Add("ABCD");
  t.Add("A");
  t.Add("");
  EXPECT_EQ(t.Key(0), "ABC");
  EXPECT_EQ(t.Key(1), "A  ");
  EXPECT_TRUE(t.Blank(2));
  EXPECT_FALSE(t.Blank(1));
}

TEST(KeyTableTest, EmptyKeysKeepTheirOrder) {
  KeyTable t(0);
  for (int i = 0; i < 5; ++i) t.Add("x");
  EXPECT_EQ(KeySortOrder(t, 2000, 2), (std::vector<uint32_t>{0, 1, 2, 3, 4}));
}

}  // namespace
}  // namespace orvo::test
