// DoplKonto, the konto-name completion: the names of the year's konto list,
// then the finance system's customers and suppliers, looked up by konto
// code in one map, fill the empty "NazevKonta" of postings that carry a
// konto. Used by the accumulations and on its own from orvo-batch.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

#include "core/data/dataset.h"
#include "core/shell/run_values.h"

namespace orvo {

inline constexpr int kKontoWord = 11;
inline constexpr int kKontoNameWord = 16;

// Konto code (trimmed) -> name; the first source that names a code wins.
using KontoNames = std::unordered_map<std::string, std::string>;

// The year's konto list (DataRoot\LOrvo\Cisel\YYKonta.Cds), the customers
// (names from words 5 and 6 joined by a blank) and the suppliers (word 2),
// each name cut to the width of the konto list's name. A missing list is
// reported and nothing is named (`*complete` false); the caller goes on.
KontoNames ReadKontoNames(RunValues& run, bool* complete = nullptr);

// Every record of `postings` (posting layout) with a konto and no konto
// name gets the name, cut to the width of its name word. The count named.
int FillKontoNames(const KontoNames& names, Dataset& postings);

// DoplKonto on a stored file, replaced by the completed copy. False
// after a message when the file cannot be read or written.
bool DoplKonto(RunValues& run, std::string_view jmS, int* filled = nullptr);
// DoplKonto on the posting file of the current period, archived first.
bool DoplKontoPostings(RunValues& run, int* filled = nullptr);

}  // namespace orvo
