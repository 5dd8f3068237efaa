// Datasets as "|"-separated text, both ways, for `orvo-batch cds dump` and
// `cds from-text`.
#pragma once

#include <string>
#include <string_view>

#include "core/data/cds_proc.h"
#include "core/data/dataset.h"

namespace orvo {

// Windows-1250 text, lines ended by "\n": the fields as name:type(size), then
// one line per record with the values separated by "|". A "\", "|" or a
// control byte inside a value is escaped ("\\", "\|", "\xHH") so that every
// line splits unambiguously.
std::string DumpDataset(const Dataset& ds);

// Creates `cdsName` from the definition `defName` (MakeTable of the engine)
// and appends one record per non-empty line of `text` ("|"-separated,
// Windows-1250), each value normalised with FormatWord and the word's own
// check. False with `error` set ("line 3: ...") when a line has a different
// number of values or a value fails its check. Nothing is written before the
// whole text is in: a refused text, like a definition that cannot be read
// (which ends the work as the engine's MakeTable does), leaves no new file
// and the old one as it was.
bool DatasetFromText(TCdsProc& engine, std::string_view defName, std::string_view text,
                     std::string_view cdsName, std::string* error);

}  // namespace orvo
