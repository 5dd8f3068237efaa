// The per-column choices that travel from the caller through the dataset
// browser and its subtotal dialog to the report generator: the caller's
// 'A'/'N' flags per table column (subtotal, page break, empty line), the
// column order chosen in the dialog, and the flags regrouped by output
// position, which is how GenerSes reads them.
#pragma once

#include <array>

namespace orvo {

inline constexpr int kScrMaxColumns = 200;

// 'A' or 'N' per table column; column j (1-based) at [j - 1].
using ScrColumnFlags = std::array<char, kScrMaxColumns>;
ScrColumnFlags NoColumnFlags();

// The printed columns in order: the n-th printed column is table column
// rows[n - 1] (1-based). A count of 0 means "no order chosen": the report
// uses the table as it is.
struct ScrOrder {
  int count = 0;
  std::array<int, kScrMaxColumns> rows{};
};

// Sum, Str and Rad of one output position, each 'A' or 'N'.
struct ScrGroupFlag {
  char sum = 'N';
  char page = 'N';
  char line = 'N';
  bool Any() const { return sum == 'A' || page == 'A' || line == 'A'; }
};

// Per output position p (1-based) at [p - 1].
using ScrGroupFlags = std::array<ScrGroupFlag, kScrMaxColumns>;

// The caller's flags taken as they stand, column j at position j: what the
// report uses while no order has been chosen.
ScrGroupFlags GroupFlagsInFileOrder(const ScrColumnFlags& sum, const ScrColumnFlags& page,
                                    const ScrColumnFlags& line);

}  // namespace orvo
