// The sort and the summation of fixed-length files, driven by a parameter
// block of their own that the caller (the dataset summation) fills before
// each call. SortDat keeps only the keys in memory and reads the records a
// second time; SumDat sorts into a work file and adds up the numeric words
// of every group of equal keys.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/data/definition.h"
#include "core/sys/env.h"

namespace orvo {

// The sorted intermediate of SumDat; both are erased when it ends.
inline constexpr std::string_view kDatProcWorkDat = "C:\\A_Run\\Work\\DatProcW.Dat";
inline constexpr std::string_view kDatProcWorkDef = "C:\\A_Run\\Work\\DatProcW.Def";

// The fixed tables of the summation: numeric words summed per record, and
// word numbers in a word list.
inline constexpr int kMaxSumWords = 100;
inline constexpr int kMaxListWords = 200;

struct DatParams {
  std::string DatIn;
  std::string DatOut;
  std::string DatInDef;
  std::string DatOutDef;
  int PocSlov = 0;
  std::array<int, kMaxListWords> SezSlov{};
  int SortBlock = 0;
  int SortMode = 0;
  // The file messages name in place of DatIn when DatIn is a work file made
  // from the user's file; DatIn when empty.
  std::string SourceName;
};

class TDatProc {
 public:
  TDatProc(Env& env, LoadedDef& def) : env_(env), def_(def) {}
  TDatProc(const TDatProc&) = delete;
  TDatProc& operator=(const TDatProc&) = delete;

  DatParams params;

  // DatIn into DatOut: the listed words first, in list order, then the
  // others; records in key order. Writes DatOutDef.
  bool SortDat();
  // DatIn grouped by the listed words into DatOut: the key words followed by
  // the sum of every numeric word; groups whose sums are all zero vanish.
  bool SumDat();

 private:
  bool SortDatInto(std::string_view datOut, std::string_view datOutDef);

  Env& env_;
  LoadedDef& def_;
};

// The definition text made of the counted lines of the given words (1-based
// numbers, in the given order), each line as kept in DefLines, ended CR LF.
std::string DefLinesOf(const LoadedDef& def, const std::vector<int>& words);

}  // namespace orvo
