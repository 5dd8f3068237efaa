// The engine's conversions between fixed-length files and datasets:
// KonvDatCds reads DatName by DefName into a new CdsName (numeric words
// widened, companion definition to XDefName); KonvCdsDat writes the text
// dataset CdsName as the fixed-length file DatName laid out by DefName,
// after checking that the two agree.
#pragma once

#include "core/data/cds_proc.h"

namespace orvo {

// False when the fixed-length file could not be read (the dataset is then
// created but holds no records).
bool KonvDatCds(TCdsProc& cds);
// False, with the consistency message and without DatName, when the
// dataset has a field that is not text, the file cannot be created, or the
// field count or the record length differs from the definition.
bool KonvCdsDat(TCdsProc& cds);

}  // namespace orvo
