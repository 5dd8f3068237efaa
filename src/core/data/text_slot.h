// Fast read access to the text values of a dataset's posted records, straight
// from the record arena, for the operations that pass over every record of
// large tables (sort, summation, reduction). The slot layout is the one the
// dataset documents for its file forms.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

#include "core/data/dataset.h"

namespace orvo {

// The stored bytes of text field `field` of posted record `record`.
inline std::string_view TextSlot(const Dataset& ds, int record, int field) {
  const size_t size = static_cast<size_t>(ds.Field(field).size);
  const char* p = ds.RecordData() + static_cast<size_t>(record) * ds.RecordStride() + ds.SlotOffset(field);
  size_t len;
  const char* text;
  if (size <= 255) {
    len = static_cast<unsigned char>(p[0]);
    text = p + 1;
  } else {
    len = static_cast<size_t>(static_cast<unsigned char>(p[0])) |
          (static_cast<size_t>(static_cast<unsigned char>(p[1])) << 8);
    text = p + 2;
  }
  return std::string_view(text, len < size ? len : size);
}

// Stores `value`, cut to the field's size, as text field `field` of the
// record bytes `rec` (laid out as the dataset's records are).
inline void PutTextSlot(const Dataset& ds, char* rec, int field, std::string_view value) {
  const size_t size = static_cast<size_t>(ds.Field(field).size);
  char* p = rec + ds.SlotOffset(field);
  const size_t len = value.size() < size ? value.size() : size;
  size_t lb = 1;
  if (size <= 255) {
    p[0] = static_cast<char>(len);
  } else {
    p[0] = static_cast<char>(len & 0xFF);
    p[1] = static_cast<char>((len >> 8) & 0xFF);
    lb = 2;
  }
  // An empty view may have no data pointer at all, which memcpy must not get.
  if (len > 0) std::memcpy(p + lb, value.data(), len);
  std::memset(p + lb + len, 0, size - len);
}

inline bool AllTextFields(const Dataset& ds) {
  for (const FieldDef& f : ds.Fields()) {
    if (f.type != FieldType::Text) return false;
  }
  return true;
}

}  // namespace orvo
