// The meta-definition: the thirteen columns of a .Def line described as a
// definition of their own, so that a definition can be edited as a dataset.
// WriteMetaDef writes it as a .Def file.
#pragma once

#include <array>
#include <string_view>

#include "core/sys/env.h"

namespace orvo {

struct MetaEntry {
  std::string_view name;  // "A. TD"; the field name is the text after "X. "
  int length;
  int startColumn;        // 1-based column of the value in a .Def line; 0 for "X. Rad"
};

inline constexpr std::array<MetaEntry, 13> kMetaDef = {{
    {"X. Rad", 3, 0},
    {"A. TD", 3, 1},
    {"B. TNS1", 30, 5},
    {"C. TNS2", 30, 41},
    {"D. TMS", 2, 71},
    {"E. SP", 1, 73},
    {"F. KH", 2, 75},
    {"G. I/P", 1, 78},
    {"H. Ind/UlozP", 2, 79},
    {"I. UlozZ", 2, 81},
    {"J. UlozDo", 2, 84},
    {"K. JmSCis", 50, 86},
    {"L. JmPole/TW", 10, 141},
}};

// Writes the first n entries (clamped to 1 .. 13) as the .Def file `name`,
// crash-safely; the I/O result.
int WriteMetaDef(Env& env, std::string_view name, int n);

}  // namespace orvo
