// The one-generation safety copy of a data file in the local tree, taken
// before a data file is changed.
#pragma once

#include <string_view>

#include "core/sys/env.h"

namespace orvo {

// When the file exists and is longer than 9 bytes (an empty dataset is not
// worth keeping), replaces C:\A_Run\Aplikace\LOrvo\Archiv\ + its name with a
// copy, through a temporary file so that the old copy stays until the new
// one is complete. Failures are reported.
void LocalSafetyCopy(Env& env, std::string_view dataFile);

}  // namespace orvo
