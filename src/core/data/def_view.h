// The loaded definition as a readable table, for `orvo-batch def show`.
#pragma once

#include <string>

#include "core/data/definition.h"

namespace orvo {

// Windows-1250 text, lines ended by "\n": a summary line, the key list and
// one row per word.
std::string RenderDef(const LoadedDef& def);

}  // namespace orvo
