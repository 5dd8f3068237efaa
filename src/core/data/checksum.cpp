#include "core/data/checksum.h"

#include <bit>
#include <cstring>

namespace orvo {

namespace {

constexpr uint64_t kP1 = 0x9E3779B185EBCA87ULL;
constexpr uint64_t kP2 = 0xC2B2AE3D27D4EB4FULL;
constexpr uint64_t kP3 = 0x165667B19E3779F9ULL;
constexpr uint64_t kP4 = 0x85EBCA77C2B2AE63ULL;
constexpr uint64_t kP5 = 0x27D4EB2F165667C5ULL;

inline uint64_t Rotl(uint64_t x, int r) { return (x << r) | (x >> (64 - r)); }

// Files are little-endian by definition; the bytes are assembled explicitly
// so that the sum does not depend on the host.
inline uint64_t Load64(const unsigned char* p) {
  uint64_t v;
  std::memcpy(&v, p, 8);
  if constexpr (std::endian::native == std::endian::big) v = __builtin_bswap64(v);
  return v;
}

inline uint32_t Load32(const unsigned char* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  if constexpr (std::endian::native == std::endian::big) v = __builtin_bswap32(v);
  return v;
}

inline uint64_t Round(uint64_t acc, uint64_t input) {
  acc += input * kP2;
  acc = Rotl(acc, 31);
  return acc * kP1;
}

inline uint64_t MergeRound(uint64_t acc, uint64_t val) {
  acc ^= Round(0, val);
  return acc * kP1 + kP4;
}

inline void Stripe(uint64_t* lanes, const unsigned char* p) {
  lanes[0] = Round(lanes[0], Load64(p));
  lanes[1] = Round(lanes[1], Load64(p + 8));
  lanes[2] = Round(lanes[2], Load64(p + 16));
  lanes[3] = Round(lanes[3], Load64(p + 24));
}

}  // namespace

void Checksum64::Update(const void* data, size_t size) {
  if (size == 0) return;
  const auto* p = static_cast<const unsigned char*>(data);
  total_ += size;
  if (pendingSize_ > 0) {
    size_t take = 32 - pendingSize_;
    if (take > size) take = size;
    std::memcpy(pending_ + pendingSize_, p, take);
    pendingSize_ += take;
    p += take;
    size -= take;
    if (pendingSize_ < 32) return;
    Stripe(lanes_, pending_);
    pendingSize_ = 0;
  }
  // Local copies let the compiler keep the lanes in registers.
  uint64_t lanes[4] = {lanes_[0], lanes_[1], lanes_[2], lanes_[3]};
  while (size >= 32) {
    Stripe(lanes, p);
    p += 32;
    size -= 32;
  }
  for (int i = 0; i < 4; ++i) lanes_[i] = lanes[i];
  if (size > 0) {
    std::memcpy(pending_, p, size);
    pendingSize_ = size;
  }
}

uint64_t Checksum64::Digest() const {
  uint64_t h;
  if (total_ >= 32) {
    h = Rotl(lanes_[0], 1) + Rotl(lanes_[1], 7) + Rotl(lanes_[2], 12) + Rotl(lanes_[3], 18);
    for (uint64_t lane : lanes_) h = MergeRound(h, lane);
  } else {
    h = kP5;
  }
  h += total_;
  const unsigned char* p = pending_;
  size_t size = pendingSize_;
  while (size >= 8) {
    h ^= Round(0, Load64(p));
    h = Rotl(h, 27) * kP1 + kP4;
    p += 8;
    size -= 8;
  }
  if (size >= 4) {
    h ^= static_cast<uint64_t>(Load32(p)) * kP1;
    h = Rotl(h, 23) * kP2 + kP3;
    p += 4;
    size -= 4;
  }
  while (size > 0) {
    h ^= (*p) * kP5;
    h = Rotl(h, 11) * kP1;
    ++p;
    --size;
  }
  h ^= h >> 33;
  h *= kP2;
  h ^= h >> 29;
  h *= kP3;
  h ^= h >> 32;
  return h;
}

uint64_t ChecksumOf(const void* data, size_t size) {
  Checksum64 sum;
  sum.Update(data, size);
  return sum.Digest();
}

}  // namespace orvo
