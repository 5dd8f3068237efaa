// Archiving the current period's balance and posting files into numbered
// generations in DataRoot\LOrvo\Archiv: at start when no generation is from
// the file's day or later, and on demand from the menu whenever the file
// changed after its newest generation.
#pragma once

#include <string>
#include <vector>

#include "core/shell/run_values.h"

namespace orvo {

inline constexpr int kArchiveGenerations = 20;

// DataRoot\LOrvo\Archiv.
std::string ArchiveDir(const RunValues& session);

// Both return the files that got a new generation, balance file first.
std::vector<std::string> ArchiveAtStart(RunValues& session);
// The menu's "Ulozeni dat".
std::vector<std::string> ArchFile(RunValues& session);

}  // namespace orvo
