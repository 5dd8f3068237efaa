// The one-pass rewrite of a posting file shared by the transfers: the kept
// records of the loaded file go over as they lie (runs in one copy each),
// the new records follow, a last pass may touch the result, and the new file
// replaces the old one only when it is complete. No record is deleted one by
// one and nothing is written when any step fails.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/data/dataset.h"

namespace orvo {

// `out` (closed) described like `in` and filled with the records of `in`
// whose `keep` entry is not 0, in order; memo values go along. False when
// `out` cannot be made.
bool CopyKeptPostings(const Dataset& in, const std::vector<char>& keep, Dataset& out);

// `in` (loaded) keeps the records whose `keep` entry is not 0; `add` rows
// are values by position (missing ones empty). `finish` sees the whole new
// table before it is saved. False after a message naming `file`; `file` is
// then as it was. `in` is discarded.
bool ReplacePostingFile(Env& env, std::string_view file, Dataset& in, const std::vector<char>& keep,
                        const std::vector<std::vector<std::string>>& add,
                        const std::function<void(Dataset& out)>& finish = {});

}  // namespace orvo
