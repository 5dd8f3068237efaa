// Reads the entries of a zip file (a workbook) for the tests: stored and
// deflated entries, found through the central directory.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>

namespace orvo::test {

inline uint32_t ZipLe(const std::string& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b.at(at + static_cast<size_t>(i)));
  return v;
}

// Every entry by name; nothing when the file is not a readable zip.
inline std::optional<std::map<std::string, std::string>> ZipEntries(const std::string& hostPath) {
  std::ifstream in(hostPath, std::ios::binary);
  std::string b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (b.size() < 22) return std::nullopt;
  size_t end = b.size() - 22;
  while (ZipLe(b, end, 4) != 0x06054b50) {
    if (end == 0) return std::nullopt;
    --end;
  }
  const uint32_t count = ZipLe(b, end + 10, 2);
  size_t at = ZipLe(b, end + 16, 4);
  std::map<std::string, std::string> entries;
  for (uint32_t i = 0; i < count; ++i) {
    if (ZipLe(b, at, 4) != 0x02014b50) return std::nullopt;
    const uint32_t method = ZipLe(b, at + 10, 2);
    const uint32_t packed = ZipLe(b, at + 20, 4);
    const uint32_t size = ZipLe(b, at + 24, 4);
    const uint32_t nameLen = ZipLe(b, at + 28, 2);
    const uint32_t extraLen = ZipLe(b, at + 30, 2);
    const uint32_t commentLen = ZipLe(b, at + 32, 2);
    const uint32_t local = ZipLe(b, at + 42, 4);
    const std::string name = b.substr(at + 46, nameLen);
    at += 46 + nameLen + extraLen + commentLen;
    const size_t data = local + 30 + ZipLe(b, local + 26, 2) + ZipLe(b, local + 28, 2);
    std::string out(size, '\0');
    if (method == 0) {
      out = b.substr(data, size);
    } else if (method == 8) {
      z_stream z{};
      if (inflateInit2(&z, -15) != Z_OK) return std::nullopt;
      z.next_in = reinterpret_cast<Bytef*>(b.data() + data);
      z.avail_in = packed;
      z.next_out = reinterpret_cast<Bytef*>(out.data());
      z.avail_out = size;
      const int rc = inflate(&z, Z_FINISH);
      inflateEnd(&z);
      if (rc != Z_STREAM_END) return std::nullopt;
    } else {
      return std::nullopt;
    }
    entries[name] = std::move(out);
  }
  return entries;
}

}  // namespace orvo::test
