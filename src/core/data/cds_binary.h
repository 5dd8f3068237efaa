// The binary .Cds form of a Dataset: a header with magic number and version,
// the field and index descriptors, the records exactly as they lie in the
// arena, the memo values, and a trailer with an XXH64 checksum of all that
// precedes it. docs/cds-format.md describes the layout byte by byte.
// Readers check every count against the file's size before they allocate,
// so a damaged or foreign file is refused without reading out of bounds.
// This is the codec alone; files are loaded and saved through cds_file.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/data/checksum.h"
#include "core/data/dataset.h"

namespace orvo {

inline constexpr char kCdsMagic[8] = {'O', 'R', 'V', 'O', 'C', 'D', 'S', '\x1A'};
inline constexpr char kCdsEndMagic[8] = {'O', 'R', 'V', 'O', 'E', 'N', 'D', '\x1A'};
inline constexpr uint16_t kCdsVersion = 1;
inline constexpr size_t kCdsHeaderSize = 56;
inline constexpr size_t kCdsTrailerSize = 16;

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual uint64_t Size() const = 0;
  // Reads exactly `size` bytes or fails.
  virtual bool Read(void* buffer, size_t size) = 0;
};

class ByteSink {
 public:
  virtual ~ByteSink() = default;
  virtual bool Write(const void* data, size_t size) = 0;
};

class MemorySource final : public ByteSource {
 public:
  explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
  uint64_t Size() const override { return bytes_.size(); }
  bool Read(void* buffer, size_t size) override;

 private:
  std::string_view bytes_;
  size_t at_ = 0;
};

class StringSink final : public ByteSink {
 public:
  bool Write(const void* data, size_t size) override {
    bytes.append(static_cast<const char*>(data), size);
    return true;
  }
  std::string bytes;
};

// True when the bytes begin with the .Cds magic number.
bool HasCdsMagic(std::string_view head);

// Reads the binary form into `ds` (descriptions, records, memos; the table is
// left open). On failure `detail` says what is wrong, in the system's words,
// and `ds` is left closed.
bool ReadCdsBinary(ByteSource& source, Dataset& ds, std::string* detail);
// The counts of the header, checked against the file's size.
struct CdsHead {
  uint64_t recordCount = 0;
  uint32_t stride = 0;
  uint64_t memoCount = 0;
  uint64_t memoBytes = 0;
};
// Reads the header and the descriptions (fields and indexes into `ds`, no
// records), adding the bytes to `sum`; the source is left at the first
// record. On failure `why` says what is wrong, as ReadCdsBinary does.
bool ReadCdsHead(ByteSource& source, Checksum64& sum, Dataset& ds, CdsHead* head, std::string& why);
bool ReadCdsBinary(std::string_view bytes, Dataset& ds, std::string* detail);
// Writes the open table; memos are renumbered in record order first.
bool WriteCdsBinary(ByteSink& sink, Dataset& ds);
std::string EncodeCdsBinary(Dataset& ds);

}  // namespace orvo
