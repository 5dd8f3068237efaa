// The 64-bit checksum that guards .Cds files: XXH64 with seed 0, computed in
// pieces so that a file can be checked while it streams in or out.
#pragma once

#include <cstddef>
#include <cstdint>

namespace orvo {

class Checksum64 {
 public:
  void Update(const void* data, size_t size);
  uint64_t Digest() const;

 private:
  uint64_t lanes_[4] = {0x9E3779B185EBCA87ULL + 0xC2B2AE3D27D4EB4FULL, 0xC2B2AE3D27D4EB4FULL,
                        0, 0 - 0x9E3779B185EBCA87ULL};
  unsigned char pending_[32] = {};
  size_t pendingSize_ = 0;
  uint64_t total_ = 0;
};

uint64_t ChecksumOf(const void* data, size_t size);

}  // namespace orvo
