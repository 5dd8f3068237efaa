// Debit and credit totals in whole hellers per fixed-length key, in two sets
// (the opening and the closing balances of an overview). The keys live in
// one flat buffer and are found through an open-addressing table, so that a
// record costs one probe and no allocation however many keys there are.
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
    Grow(1024);
  }
  void Reserve(size_t keys) { keys_.reserve(std::min<size_t>(keys, size_t{1} << 22) * keyLen_); }

  // Adds debit and credit to set 0 or 1 of `key` (exactly keyLen bytes).
  void Add(std::string_view key, int set, int64_t md, int64_t dal) {
    const uint64_t h = Hash(key.data());
    size_t slot = static_cast<size_t>(h) & mask_;
    const uint32_t tag = static_cast<uint32_t>(h >> 32) | 1u;
    while (slots_[slot].tag != 0) {
      const uint32_t e = slots_[slot].entry;
      if (slots_[slot].tag == tag && std::memcmp(keys_.data() + size_t{e} * keyLen_, key.data(), keyLen_) == 0) {
        totals_[size_t{e} * 4 + static_cast<size_t>(set) * 2] += md;
        totals_[size_t{e} * 4 + static_cast<size_t>(set) * 2 + 1] += dal;
        return;
      }
      slot = (slot + 1) & mask_;
    }
    const uint32_t entry = static_cast<uint32_t>(Count());
    slots_[slot] = {tag, entry};
    keys_.append(key.data(), keyLen_);
    totals_.insert(totals_.end(), 4, 0);
    totals_[size_t{entry} * 4 + static_cast<size_t>(set) * 2] = md;
    totals_[size_t{entry} * 4 + static_cast<size_t>(set) * 2 + 1] = dal;
    if (Count() * 2 > slots_.size()) Grow(slots_.size() * 2);
  }

  size_t Count() const { return totals_.size() / 4; }
  std::string_view Key(size_t e) const { return std::string_view(keys_.data() + e * keyLen_, keyLen_); }
  int64_t Md(size_t e, int set) const { return totals_[e * 4 + static_cast<size_t>(set) * 2]; }
  int64_t Dal(size_t e, int set) const { return totals_[e * 4 + static_cast<size_t>(set) * 2 + 1]; }

  // Entries in ascending key order (bytes as unsigned codes).
  std::vector<uint32_t> Order() const {
    std::vector<uint32_t> order(Count());
    for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<uint32_t>(i);
    const char* base = keys_.data();
    const size_t len = keyLen_;
    std::sort(order.begin(), order.end(), [base, len](uint32_t a, uint32_t b) {
      return std::memcmp(base + size_t{a} * len, base + size_t{b} * len, len) < 0;
    });
    return order;
  }

 private:
  struct Slot {
    uint32_t tag = 0;  // high bits of the hash, never 0 when used
    uint32_t entry = 0;
  };
  uint64_t Hash(const char* p) const {
    uint64_t h = 0x9E3779B97F4A7C15ULL ^ keyLen_;
    size_t i = 0;
    for (; i + 8 <= keyLen_; i += 8) {
      uint64_t v;
      std::memcpy(&v, p + i, 8);
      h = (h ^ v) * 0xBF58476D1CE4E5B9ULL;
      h ^= h >> 31;
    }
    for (; i < keyLen_; ++i) h = (h ^ static_cast<unsigned char>(p[i])) * 0x94D049BB133111EBULL;
    h ^= h >> 29;
    h *= 0x94D049BB133111EBULL;
    return h ^ (h >> 32);
  }
  void Grow(size_t capacity) {
    slots_.assign(capacity, Slot{});
    mask_ = capacity - 1;
    for (size_t e = 0; e < Count(); ++e) {
      const uint64_t h = Hash(keys_.data() + e * keyLen_);
      size_t slot = static_cast<size_t>(h) & mask_;
      while (slots_[slot].tag != 0) slot = (slot + 1) & mask_;
      slots_[slot] = {static_cast<uint32_t>(h >> 32) | 1u, static_cast<uint32_t>(e)};
    }
  }

  size_t keyLen_ = 0;
  std::string keys_;
  std::vector<Slot> slots_;
  size_t mask_ = 0;
  std::vector<int64_t> totals_;  // per entry: set 0 MD, Dal, set 1 MD, Dal
};

}  // namespace orvo
