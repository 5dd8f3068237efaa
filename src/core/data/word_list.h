// The word lists that drive the sort, the summation and the reduction: a
// count and 1-based word numbers. A list must name words of the record, each
// once, and fit the fixed table of 200 entries; anything else is refused
// with a message before any output is made.
#pragma once

#include <string_view>
#include <vector>

#include "core/sys/env.h"

namespace orvo {

inline constexpr std::string_view kNoWordListText = "Nebyl zadan seznam slov pro vytvoreni nove vety !";

// The first `count` numbers of `list` (at most `capacity` are read). False,
// after an InfoBox whose caption names `fileName`, when the count exceeds
// the table, a number is not a word of a record of `psl` words, or a word
// is listed twice. A count below 1 is left to the caller.
bool CheckWordList(Env& env, const int* list, int count, int capacity, int psl,
                   std::string_view fileName);

// The listed words followed by every other word of a record of `psl` words
// in definition order.
std::vector<int> KeyWordsFirst(const int* list, int count, int psl);

}  // namespace orvo
