// Debit and credit totals in whole hellers per fixed-length key, in two sets
// (the opening and the closing balances of an overview). Each key lives with
// its four totals in one entry of a flat buffer, found through an
// open-addressing table, so that a record costs one probe, one entry touched
// and no allocation however many keys there are. Additions are queued and
// applied a group at a time, the table's memory of the whole group fetched
// ahead, as a large table's probes are mostly cache misses; Order() applies
// what is still queued.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace orvo {

class KeySums {
 public:
  explicit KeySums(const std::vector<size_t>& widths) {
    for (size_t w : widths) keyLen_ += w;
    keyWords_ = (keyLen_ + 7) / 8;
    entryWords_ = keyWords_ + 4;
    queueWords_.assign(kGroup * keyWords_, 0);
    Grow(1024);
  }
  void Reserve(size_t keys) { entries_.reserve(std::min<size_t>(keys, size_t{1} << 22) * entryWords_); }

  // Adds debit and credit to set 0 or 1 of `key` (exactly keyLen bytes).
  void Add(std::string_view key, int set, int64_t md, int64_t dal) {
    Pending& p = queue_[queued_];
    // The key in whole words, zero-padded as the entries keep it.
    uint64_t* words = queueWords_.data() + queued_ * keyWords_;
    if (keyWords_ > 0) {
      words[keyWords_ - 1] = 0;
      std::memcpy(words, key.data(), keyLen_);
    }
    p.hash = Hash(words);
    p.set = set;
    p.md = md;
    p.dal = dal;
    __builtin_prefetch(&slots_[static_cast<size_t>(p.hash) & mask_]);
    if (++queued_ == kGroup) Flush();
  }

  // Applies the queued additions.
  void Flush() {
    for (size_t i = 0; i < queued_; ++i) {
      const Slot& s = slots_[static_cast<size_t>(queue_[i].hash) & mask_];
      if (s.tag != 0) __builtin_prefetch(entries_.data() + size_t{s.entry} * entryWords_);
    }
    for (size_t i = 0; i < queued_; ++i) {
      const Pending& p = queue_[i];
      Apply(queueWords_.data() + i * keyWords_, p.hash, p.set, p.md, p.dal);
    }
    queued_ = 0;
  }

  size_t Count() const { return count_; }
  std::string_view Key(size_t e) const {
    return std::string_view(reinterpret_cast<const char*>(entries_.data() + e * entryWords_), keyLen_);
  }
  int64_t Md(size_t e, int set) const { return Total(e, static_cast<size_t>(set) * 2); }
  int64_t Dal(size_t e, int set) const { return Total(e, static_cast<size_t>(set) * 2 + 1); }

  // Entries in ascending key order (bytes as unsigned codes), the queue
  // applied first. The first sixteen bytes of each key are compared as two
  // numbers side by side, the rest of a longer key only where those are equal.
  std::vector<uint32_t> Order() {
    Flush();
    struct Item {
      uint64_t high, low;
      uint32_t entry;
    };
    std::vector<Item> items(count_);
    for (size_t i = 0; i < count_; ++i) {
      const char* k = reinterpret_cast<const char*>(entries_.data() + i * entryWords_);
      items[i] = {BigEndian(k, 0), BigEndian(k, 8), static_cast<uint32_t>(i)};
    }
    const char* base = reinterpret_cast<const char*>(entries_.data());
    const size_t stride = entryWords_ * 8;
    const size_t len = keyLen_;
    std::sort(items.begin(), items.end(), [base, stride, len](const Item& a, const Item& b) {
      if (a.high != b.high) return a.high < b.high;
      if (a.low != b.low) return a.low < b.low;
      if (len <= 16) return false;
      return std::memcmp(base + size_t{a.entry} * stride + 16, base + size_t{b.entry} * stride + 16, len - 16) < 0;
    });
    std::vector<uint32_t> order(count_);
    for (size_t i = 0; i < count_; ++i) order[i] = items[i].entry;
    return order;
  }

 private:
  static constexpr size_t kGroup = 16;
  struct Pending {
    uint64_t hash = 0;
    int set = 0;
    int64_t md = 0, dal = 0;
  };
  void Apply(const uint64_t* words, uint64_t h, int set, int64_t md, int64_t dal) {
    size_t slot = static_cast<size_t>(h) & mask_;
    const uint32_t tag = static_cast<uint32_t>(h >> 32) | 1u;
    while (slots_[slot].tag != 0) {
      if (slots_[slot].tag == tag) {
        uint64_t* e = entries_.data() + size_t{slots_[slot].entry} * entryWords_;
        if (SameKey(e, words)) {
          e[keyWords_ + static_cast<size_t>(set) * 2] += static_cast<uint64_t>(md);
          e[keyWords_ + static_cast<size_t>(set) * 2 + 1] += static_cast<uint64_t>(dal);
          return;
        }
      }
      slot = (slot + 1) & mask_;
    }
    const uint32_t entry = static_cast<uint32_t>(count_);
    slots_[slot] = {tag, entry};
    entries_.insert(entries_.end(), words, words + keyWords_);
    entries_.insert(entries_.end(), 4, 0);
    uint64_t* e = entries_.data() + size_t{entry} * entryWords_;
    e[keyWords_ + static_cast<size_t>(set) * 2] = static_cast<uint64_t>(md);
    e[keyWords_ + static_cast<size_t>(set) * 2 + 1] = static_cast<uint64_t>(dal);
    ++count_;
    if (count_ * 2 > slots_.size()) Grow(slots_.size() * 2);
  }
  struct Slot {
    uint32_t tag = 0;  // high bits of the hash, never 0 when used
    uint32_t entry = 0;
  };
  int64_t Total(size_t e, size_t which) const {
    return static_cast<int64_t>(entries_[e * entryWords_ + keyWords_ + which]);
  }
  bool SameKey(const uint64_t* e, const uint64_t* words) const {
    for (size_t w = 0; w < keyWords_; ++w) {
      if (e[w] != words[w]) return false;
    }
    return true;
  }
  // Eight key bytes from `at` (zeros past the key) as a number that orders
  // as the bytes do.
  uint64_t BigEndian(const char* k, size_t at) const {
    uint64_t v = 0;
    for (size_t i = at; i < at + 8; ++i) v = (v << 8) | (i < keyLen_ ? static_cast<unsigned char>(k[i]) : 0u);
    return v;
  }
  uint64_t Hash(const uint64_t* words) const {
    uint64_t h = 0x9E3779B97F4A7C15ULL ^ keyLen_;
    for (size_t i = 0; i < keyWords_; ++i) {
      h = (h ^ words[i]) * 0xBF58476D1CE4E5B9ULL;
      h ^= h >> 31;
    }
    h ^= h >> 29;
    h *= 0x94D049BB133111EBULL;
    return h ^ (h >> 32);
  }
  void Grow(size_t capacity) {
    slots_.assign(capacity, Slot{});
    mask_ = capacity - 1;
    for (size_t e = 0; e < count_; ++e) {
      const uint64_t h = Hash(entries_.data() + e * entryWords_);
      size_t slot = static_cast<size_t>(h) & mask_;
      while (slots_[slot].tag != 0) slot = (slot + 1) & mask_;
      slots_[slot] = {static_cast<uint32_t>(h >> 32) | 1u, static_cast<uint32_t>(e)};
    }
  }

  size_t keyLen_ = 0;
  size_t keyWords_ = 0;
  size_t entryWords_ = 0;  // key words, then set 0 MD, Dal, set 1 MD, Dal
  size_t count_ = 0;
  std::vector<uint64_t> entries_;
  Pending queue_[kGroup];
  std::vector<uint64_t> queueWords_;  // the queued keys, kGroup x key words
  size_t queued_ = 0;
  std::vector<Slot> slots_;
  size_t mask_ = 0;
};

}  // namespace orvo
