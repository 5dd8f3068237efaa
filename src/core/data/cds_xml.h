// The XML form of a Dataset, our own plain dialect, in Windows-1250 or in
// UTF-8 (the declaration says which). Text values are written as element
// text; a value that the chosen encoding cannot carry exactly (control
// bytes, bytes without a Unicode partner) is written as hex in an `x`
// attribute, so every byte 1-255 comes back unchanged:
//
//   <?xml version="1.0" encoding="windows-1250"?>
//   <orvo-dataset version="1">
//     <fields><field name="Ucet" type="text" size="6" required="0"/></fields>
//     <indexes><index name="" fields="Ucet" primary="1"/></indexes>
//     <records><r><v>311000</v></r></records>
//   </orvo-dataset>
// This is the codec alone; files are loaded and saved through cds_file.h.
#pragma once

#include <string>
#include <string_view>

#include "core/data/dataset.h"

namespace orvo {

// True when the bytes look like XML (after a byte-order mark and blanks).
bool LooksLikeXml(std::string_view bytes);
std::string EncodeCdsXml(Dataset& ds, bool utf8);
// Replaces descriptions and records of `ds` and leaves it open; on failure
// `detail` says what is wrong and `ds` is closed.
bool ReadCdsXml(std::string_view bytes, Dataset& ds, std::string* detail);

}  // namespace orvo
