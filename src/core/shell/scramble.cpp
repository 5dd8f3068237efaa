#include "core/shell/scramble.h"

#include <cstdint>
#include <vector>

namespace orvo {

namespace {

constexpr size_t kColumns = 27;

uint8_t Substitute(uint8_t n) {
  int v = n;
  int out;
  if (v <= 34) out = v + 56;
  else if (v <= 63) out = 63 - v;
  else if (v <= 72) out = v + 27;
  else if (v <= 126) out = 72 - v;
  else if (v <= 153) out = v - 98;
  else if (v <= 200) out = 44 - v;
  else out = v - 54;
  return static_cast<uint8_t>((out + 256) % 256);
}

uint8_t Restore(uint8_t n) {
  int v = n;
  int out;
  if (v <= 28) out = 63 - v;
  else if (v <= 55) out = v + 98;
  else if (v <= 90) out = v - 56;
  else if (v <= 99) out = v - 27;
  else if (v <= 146) out = 44 - v;
  else if (v <= 201) out = v + 54;
  else out = 72 - v;
  return static_cast<uint8_t>((out + 256) % 256);
}

// The order in which the plain positions (0-based) are stored: the columns
// 27, 26, ... 1, each top to bottom.
std::vector<size_t> StoreOrder(size_t length) {
  std::vector<size_t> order;
  order.reserve(length);
  for (size_t column = kColumns; column >= 1; --column) {
    for (size_t pos = column; pos <= length; pos += kColumns) order.push_back(pos - 1);
  }
  return order;
}

}  // namespace

std::string Scramble(std::string_view plain) {
  std::vector<size_t> order = StoreOrder(plain.size());
  std::string stored(plain.size(), '\0');
  for (size_t k = 0; k < order.size(); ++k) {
    stored[k] = static_cast<char>(Substitute(static_cast<uint8_t>(plain[order[k]])));
  }
  return stored;
}

std::string Unscramble(std::string_view stored) {
  std::vector<size_t> order = StoreOrder(stored.size());
  std::string plain(stored.size(), '\0');
  for (size_t k = 0; k < order.size(); ++k) {
    plain[order[k]] = static_cast<char>(Restore(static_cast<uint8_t>(stored[k])));
  }
  return plain;
}

}  // namespace orvo
