// Little-endian reading and writing of fixed-width values, the byte order of
// record slots and of every number in the .Cds file, whatever the host.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <utility>
#include <type_traits>

namespace orvo {

template <typename T>
T GetLe(const char* p) {
  static_assert(std::is_arithmetic_v<T>);
  T v;
  std::memcpy(&v, p, sizeof v);
  if constexpr (std::endian::native == std::endian::big && sizeof(T) > 1) {
    unsigned char b[sizeof(T)];
    std::memcpy(b, &v, sizeof v);
    for (size_t i = 0; i < sizeof(T) / 2; ++i) std::swap(b[i], b[sizeof(T) - 1 - i]);
    std::memcpy(&v, b, sizeof v);
  }
  return v;
}

template <typename T>
void PutLe(char* p, T v) {
  static_assert(std::is_arithmetic_v<T>);
  std::memcpy(p, &v, sizeof v);
  if constexpr (std::endian::native == std::endian::big && sizeof(T) > 1) {
    for (size_t i = 0; i < sizeof(T) / 2; ++i) std::swap(p[i], p[sizeof(T) - 1 - i]);
  }
}

}  // namespace orvo
