#include "core/data/key_sort.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace orvo {

namespace {

// Orders the entries whose keys compare equal. The merge puts entries of an
// earlier block first, so every rule begins with the block.
//
// Mode 1: insertion into the sorted part of the block leaves an entry at
// the end when the key before it is not greater (it goes behind its equals)
// and otherwise searches for the first key not less than its own and goes
// in front of it (in front of its equals). Among equal keys the ones that
// went in front lie in reverse arrival order, followed by the ones that
// stayed at the end in arrival order.
//
// Other modes: merging an unsorted block takes the smaller head each time,
// so every entry drags along the entries after it up to the next one that
// is greater than all before it in the block (a run). Runs compete by their
// first key; runs of equal first keys keep their input order.
struct Plan {
  std::vector<uint32_t> members;  // what is sorted: every entry, or run heads
  std::vector<uint64_t> tie;      // by entry number
  std::vector<uint32_t> runEnd;   // other modes: end of the run of a head
};

template <typename KeyAt>
Plan MakePlan(size_t n, const KeyAt& keyAt, size_t block, int mode) {
  Plan plan;
  plan.tie.resize(n);
  if (mode == 2) {
    plan.members.resize(n);
    for (size_t i = 0; i < n; ++i) {
      plan.members[i] = static_cast<uint32_t>(i);
      plan.tie[i] = i;
    }
    return plan;
  }
  if (mode == 1) {
    plan.members.resize(n);
    size_t maxAt = 0;
    for (size_t i = 0; i < n; ++i) {
      size_t b = i / block;
      size_t k = i % block;
      bool stays = k == 0 || keyAt(maxAt).compare(keyAt(i)) <= 0;
      if (stays) maxAt = i;
      plan.members[i] = static_cast<uint32_t>(i);
      plan.tie[i] = b * 2 * block + (stays ? block + k : block - k);
    }
    return plan;
  }
  plan.runEnd.resize(n);
  size_t head = 0;
  for (size_t i = 0; i < n; ++i) {
    bool starts = i % block == 0 || keyAt(head).compare(keyAt(i)) < 0;
    if (starts) {
      if (i > 0) plan.runEnd[head] = static_cast<uint32_t>(i);
      head = i;
      plan.members.push_back(static_cast<uint32_t>(i));
      plan.tie[i] = i;
    }
  }
  if (n > 0) plan.runEnd[head] = static_cast<uint32_t>(n);
  return plan;
}

std::vector<uint32_t> Expand(const Plan& plan, std::vector<uint32_t> sortedMembers, size_t n,
                             int mode) {
  if (mode == 1 || mode == 2) return sortedMembers;
  std::vector<uint32_t> order;
  order.reserve(n);
  for (uint32_t head : sortedMembers) {
    for (uint32_t i = head; i < plan.runEnd[head]; ++i) order.push_back(i);
  }
  return order;
}

size_t EffectiveBlock(int block, size_t n) {
  if (block < 1) return 1;
  return std::min(static_cast<size_t>(block), std::max<size_t>(n, 1));
}

// --- fixed-width keys: sorted eight bytes at a time ---------------------------

struct Entry {
  uint64_t word;
  uint64_t tie;
  uint32_t index;
};

uint64_t WordAt(const char* key, size_t keyLen, size_t offset) {
  unsigned char bytes[8] = {0, 0, 0, 0, 0, 0, 0, 0};
  if (offset < keyLen) std::memcpy(bytes, key + offset, std::min<size_t>(8, keyLen - offset));
  uint64_t w = 0;
  for (unsigned char b : bytes) w = (w << 8) | b;
  return w;
}

class WordSorter {
 public:
  WordSorter(const KeyTable& keys) : keys_(keys), keyLen_(keys.KeyLen()) {}

  void Sort(Entry* lo, Entry* hi, size_t offset) {
    const size_t count = static_cast<size_t>(hi - lo);
    if (count < 2) return;
    if (count <= 32 || offset + 8 >= keyLen_) {
      std::sort(lo, hi, [&](const Entry& a, const Entry& b) {
        int c = std::memcmp(Key(a) + offset, Key(b) + offset, keyLen_ - std::min(offset, keyLen_));
        return c < 0 || (c == 0 && a.tie < b.tie);
      });
      return;
    }
    for (Entry* e = lo; e != hi; ++e) e->word = WordAt(Key(*e), keyLen_, offset);
    std::sort(lo, hi, [](const Entry& a, const Entry& b) {
      return a.word < b.word || (a.word == b.word && a.tie < b.tie);
    });
    for (Entry* from = lo; from != hi;) {
      Entry* to = from + 1;
      while (to != hi && to->word == from->word) ++to;
      if (to - from > 1) Sort(from, to, offset + 8);
      from = to;
    }
  }

 private:
  const char* Key(const Entry& e) const { return keys_.Key(e.index).data(); }

  const KeyTable& keys_;
  size_t keyLen_;
};

}  // namespace

void KeyTable::Add(std::string_view key) {
  if (keyLen_ == 0) {
    ++count_;
    return;
  }
  size_t take = std::min(key.size(), keyLen_);
  arena_.append(key.data(), take);
  arena_.append(keyLen_ - take, ' ');
}

char* KeyTable::AddBlank() {
  if (keyLen_ == 0) {
    ++count_;
    return arena_.data();
  }
  arena_.append(keyLen_, ' ');
  return arena_.data() + arena_.size() - keyLen_;
}

bool KeyTable::Blank(size_t i) const {
  std::string_view k = Key(i);
  return std::all_of(k.begin(), k.end(), [](char c) { return c == ' '; });
}

std::vector<uint32_t> KeySortOrder(const KeyTable& keys, int block, int mode) {
  const size_t n = keys.Size();
  if (n > std::numeric_limits<uint32_t>::max()) throw std::length_error("too many keys to sort");
  auto keyAt = [&](size_t i) { return keys.Key(i); };
  const size_t bs = EffectiveBlock(block, n);
  Plan plan = MakePlan(n, keyAt, bs, mode);
  std::vector<Entry> entries(plan.members.size());
  for (size_t j = 0; j < entries.size(); ++j) {
    uint32_t i = plan.members[j];
    entries[j] = Entry{0, plan.tie[i], i};
  }
  WordSorter(keys).Sort(entries.data(), entries.data() + entries.size(), 0);
  std::vector<uint32_t> sorted(entries.size());
  for (size_t j = 0; j < entries.size(); ++j) sorted[j] = entries[j].index;
  return Expand(plan, std::move(sorted), n, mode);
}

void KeySort(std::vector<IndRec>& a, int n, int block, int mode) {
  if (n <= 1) return;
  const size_t count = std::min(static_cast<size_t>(n), a.size());
  auto keyAt = [&](size_t i) { return std::string_view(a[i].Index); };
  const size_t bs = EffectiveBlock(block, count);
  Plan plan = MakePlan(count, keyAt, bs, mode);
  std::vector<uint32_t> members = plan.members;
  std::sort(members.begin(), members.end(), [&](uint32_t x, uint32_t y) {
    int c = keyAt(x).compare(keyAt(y));
    return c < 0 || (c == 0 && plan.tie[x] < plan.tie[y]);
  });
  std::vector<uint32_t> order = Expand(plan, std::move(members), count, mode);
  std::vector<IndRec> sorted;
  sorted.reserve(count);
  for (uint32_t i : order) sorted.push_back(std::move(a[i]));
  std::move(sorted.begin(), sorted.end(), a.begin());
}

}  // namespace orvo
