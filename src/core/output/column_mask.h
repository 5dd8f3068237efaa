// The column mask of the text report window ("x1/y1 x2/y2 ... xn/yn"): which
// column ranges of a report a masked copy keeps, in the order given.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvo {

inline constexpr std::string_view kDefaultMaskText = "x1/y1 x2/y2 ... xn/yn";
inline constexpr int kMaxMaskPairs = 19;

struct ColumnRange {
  int first = 0;  // 1-based, inclusive
  int last = 0;
  bool operator==(const ColumnRange&) const = default;
};

// Up to 19 pairs: blanks skipped, the digits up to the next "/" give the
// first column, the digits after it up to the next blank the last column;
// other characters are ignored. Parsing ends where no "/" follows.
std::vector<ColumnRange> ParseMask(std::string_view mask);

// Whether a mask text asks for a masked copy at all: not the default text
// and not blank.
bool MaskWanted(std::string_view mask);

// A line cut to the ranges: its characters first..last of every range,
// concatenated in the order given (columns beyond the line give nothing).
// No ranges leave the line unchanged.
std::string ApplyMask(std::string_view line, const std::vector<ColumnRange>& ranges);

// Every line of a report cut to the ranges. Page boundary lines are kept
// whole: cutting them would lose the page division of the copy.
std::vector<std::string> ApplyMaskToReport(const std::vector<std::string>& lines,
                                           const std::vector<ColumnRange>& ranges);

}  // namespace orvo
