// The operations on dataset files that the accounting works with, file to
// file: sort (SortF, and SortFND for large code lists), summation (SumF),
// reduction to some words (RedF, RedFVirt), append (AppendCds), moving data
// into another layout (ReStruktCds), narrowing columns to their content
// (ReColSizeCds) and the ordered locate in a sorted table (LocateH). They
// read their inputs from the engine's parameter block, which the caller
// fills immediately before each call, and report through the engine's Env.
// An operation that refuses its input reports it and writes no output; its
// result is then false. An output file is replaced only by the complete new
// file (temporary file + rename), so an output may be the operation's own
// input; a failed operation leaves its input, its old output and its old
// output definition as they were.
#pragma once

#include <string_view>

#include "core/data/cds_proc.h"
#include "core/data/dat_proc.h"
#include "core/data/dataset.h"

namespace orvo {

// Work files of the sort and the summation.
inline constexpr std::string_view kCdsProcW1Dat = "C:\\A_Run\\Work\\CdsProcW1.Dat";
inline constexpr std::string_view kCdsProcW2Dat = "C:\\A_Run\\Work\\CdsProcW2.Dat";
inline constexpr std::string_view kCdsProcW2Def = "C:\\A_Run\\Work\\CdsProcW2.Def";

// InCds by the SezSlov words into OutCds (key words first, then the rest),
// writing OutDef. vylucMez leaves out records whose key is blank. A DT key
// word sorts by year, month and day.
bool SortF(TCdsProc& cds, bool vylucMez);
// The same through a fixed-length work file, keeping only the keys in
// memory; reads and writes no definition.
bool SortFND(TCdsProc& cds, bool vylucMez);
// InCds summed by the SezSlov words into OutCds through the fixed-length
// summation: one record per key with the sums of every numeric word.
bool SumF(TCdsProc& cds, TDatProc& dat);
// The SezSlov words of every record of InCds into OutCds, writing OutDef.
bool RedF(TCdsProc& cds);
// The same from the caller's open `in` into the file-less `out`, which is
// left open on its first record; `in` is closed.
bool RedFVirt(TCdsProc& cds, Dataset& in, Dataset& out);
// Appends every record of jmSA to jmSR, creating jmSR like jmSA when it is
// missing. A jmSA of 4 bytes or less is no table: nothing happens.
void AppendCds(TCdsProc& cds, std::string_view jmSA, std::string_view jmSR);
// The data of jmS1 in the new file jmS2 laid out by jmSD2, fields matched
// by name and shaped by their new types.
void ReStruktCds(TCdsProc& cds, std::string_view jmS1, std::string_view jmSD2, std::string_view jmS2);
// A copy jmS2 of jmS1 whose columns are as wide as their longest value (and
// numeric columns as wide as their sum), with its definition jmSD2 made
// from jmSD1.
void ReColSizeCds(TCdsProc& cds, std::string_view jmS1, std::string_view jmSD2, std::string_view jmS2,
                  std::string_view jmSD1);

struct LocateResult {
  // 1: a record with the search key; 2: the first greater record; 3: the
  // end was reached (or the table is empty).
  int XLocateOk = 3;
  // 1-based number of the record the table is positioned on; 0 when empty.
  int PorVt = 0;
};
// Positions `table`, sorted by the fields of the locate keys, on the first
// record whose key is not less than the search key.
LocateResult LocateH(const TCdsProc& cds, Dataset& table);

}  // namespace orvo
