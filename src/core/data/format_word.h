// FormatWord: normalises a typed value the way a word's type prescribes
// (alignment, padding, dates, numbers) and checks it against a check code.
// Every data-entry screen goes through it.
#pragma once

#include <string>

#include "core/data/definition.h"
#include "core/sys/env.h"

namespace orvo {

// Normalises `value` as word `i` (1-based) of `def` prescribes and checks it
// with `check` ('X': the word's own SP). The value is normalised whether or
// not the check passes; false when it fails.
bool FormatWord(Env& env, const LoadedDef& def, std::string& value, int i, char check);

}  // namespace orvo
