// KeySort, the one in-memory sort of the data layer: it orders (key, record
// number) entries by their keys, compared byte by byte as unsigned codes, a
// key that is a prefix of another first. The order of equal keys is the one
// the block merge with its in-block method gives:
//   mode 2   stable: equal keys keep their input order;
//   mode 1   binary insertion inside each block: an entry whose key is not
//            below every key before it in its block goes behind its equals,
//            any other goes in front of them; blocks keep their order;
//   other    blocks left as they are before the merge, so an entry moves
//            together with the smaller entries that follow it in its block.
// The results are computed directly, in O(n log n), not by merging block
// after block. A block size below 1 counts as 1.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvo {

inline constexpr int kSortBlock = 2000;

struct IndRec {
  std::string Index;   // the key
  int32_t PorVt = 0;   // record number
};

// Sorts the first n entries of `a` by Index.
void KeySort(std::vector<IndRec>& a, int n, int block, int mode);

// Keys of one fixed width kept in a single arena, for sorts of many records:
// every key of a sort by words is as wide as the words together.
class KeyTable {
 public:
  explicit KeyTable(size_t keyLen) : keyLen_(keyLen) {}

  void Reserve(size_t n) { arena_.reserve(n * keyLen_); }
  // Appends a key: `key` cut or filled with blanks to the width.
  void Add(std::string_view key);
  // Appends a key of blanks and returns its bytes to fill in place.
  char* AddBlank();
  size_t Size() const { return keyLen_ == 0 ? count_ : arena_.size() / keyLen_; }
  size_t KeyLen() const { return keyLen_; }
  std::string_view Key(size_t i) const {
    return std::string_view(arena_.data() + i * keyLen_, keyLen_);
  }
  bool Blank(size_t i) const;

 private:
  size_t keyLen_;
  size_t count_ = 0;  // entries of a table of empty keys
  std::string arena_;
};

// The entry numbers of `keys` in the order KeySort gives them.
std::vector<uint32_t> KeySortOrder(const KeyTable& keys, int block, int mode);

}  // namespace orvo
