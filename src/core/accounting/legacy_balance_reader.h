// The reader of the DOS version's balance files (UceS + YYMM + .Dat): a
// header record whose bytes 12-13 hold the record length, then records that
// hold at bytes 1-17 the key in the Kamenicky code page and at bytes 18-49
// four amounts as little-endian IEEE doubles. Each record becomes the
// 75-character text that the legacy balance definition (DosUceS.Def)
// describes: the key, then the amounts in 15, 15, 14 and 14 characters with
// two decimals. A file whose record length cannot hold the amounts, or
// whose amounts are no numbers or do not fit their columns, is refused
// whole, with the record that failed.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/data/cds_proc.h"

namespace orvo {

// Bytes 0 .. 49 of a record carry the data.
inline constexpr int kLegacyBalanceMinRecord = 50;
inline constexpr int kLegacyBalanceTextLength = 75;

struct LegacyBalanceRead {
  std::vector<std::string> texts;  // one text per record, header excluded
  std::string problem;             // empty when the file is sound
  int record = 0;                  // 1-based record (after the header) of the problem
  int recordLength = 0;            // the header's record length
};

// The records of a legacy balance file. An incomplete last record is
// dropped; a record length below 50, a non-finite amount or one wider than
// its column refuses the file (texts then empty).
LegacyBalanceRead ReadLegacyBalances(std::string_view file);

// The legacy balance reader of the conversion: DatName read through
// DefName into CdsName (created with MakeTableX, companion definition to
// XDefName), words taken from each record's text as the binary import takes
// them (numbers widened, text converted from the Kamenicky code page).
// False with `reason` set when the file cannot be read or is refused;
// CdsName is then left as it was.
bool ReadLegacyBalanceFile(TCdsProc& cds, std::string* reason);

}  // namespace orvo
