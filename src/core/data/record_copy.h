// Record-by-record copies between datasets that pass over every record of
// large tables: the values go slot by slot from one record arena to the
// other instead of through text, and memo values are carried along.
#pragma once

#include <string_view>
#include <vector>

#include "core/data/dataset.h"

namespace orvo {

// Fields of `out` (described, closed) are filled from fields `from[j]`
// (0-based) of the posted records `records` of `in`; field j of `out` must
// have the type and size of field from[j]. `out` is left open with those
// records. False when `out` cannot be made.
bool CopyRecords(const Dataset& in, const std::vector<int>& records, const std::vector<int>& from,
                 Dataset& out);
// Every record of `in`, in order.
bool CopyAllRecords(const Dataset& in, const std::vector<int>& from, Dataset& out);

// The same descriptions as fields `from[j]` of `in`, names trimmed of blanks
// when `trimNames`.
void DescribeLike(const Dataset& in, const std::vector<int>& from, bool trimNames, Dataset& out);

}  // namespace orvo
