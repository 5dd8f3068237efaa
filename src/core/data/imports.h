// The engine's imports of foreign files into new dataset files: KonvTxCds
// (fixed-column text), KonvLdbCds (fixed-length binary records of the older
// DOS version) and KonvCsvCds (separated text of the sibling systems). Each
// reads DatName laid out by DefName and creates CdsName with MakeTableX
// (numeric words widened, companion definition to XDefName), one record per
// foreign record. konv selects the code page of the foreign text: 0 none,
// 2 DOS 852, 3 Kamenicky.
#pragma once

#include "core/data/cds_proc.h"

namespace orvo {

// False when the foreign file cannot be read (reported naming it; CdsName
// is then created and empty) or the dataset cannot be stored.
bool KonvTxCds(TCdsProc& cds, int konv);
bool KonvLdbCds(TCdsProc& cds, int konv);
bool KonvCsvCds(TCdsProc& cds, int konv, char oddel, char zn);

}  // namespace orvo
