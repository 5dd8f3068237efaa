// The engine's conversions between fixed-length files and datasets:
// KonvDatCds reads DatName by DefName into a new CdsName (numeric words
// widened, companion definition to XDefName); KonvCdsDat writes the text
// dataset CdsName as the fixed-length file DatName laid out by DefName,
// after checking that the two agree.
#pragma once

#include <string_view>

#include "core/data/cds_proc.h"

namespace orvo {

struct DatCdsOutput {
  // Written as a copy of DefName together with the dataset, when not empty.
  std::string_view outDef;
  // The file messages name in place of DatName (the user's file a work file
  // was made from), when not empty.
  std::string_view source;
};
// CdsName is replaced only by the complete new dataset, with XDefName (and
// output.outDef) written just before it. False, leaving every output file as
// it was, when the fixed-length file could not be read or a value does not
// fit its field (a message naming the file and the word).
bool KonvDatCds(TCdsProc& cds, const DatCdsOutput& output = {});
// False, with the consistency message and without DatName, when the
// dataset has a field that is not text, the file cannot be created, or the
// field count or the record length differs from the definition.
bool KonvCdsDat(TCdsProc& cds);

}  // namespace orvo
