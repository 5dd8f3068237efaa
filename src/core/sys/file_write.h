// Writing a whole small file crash-safe, asking the user whether to try
// again when it cannot be written. Unlike erasing the file first and then
// creating it, a refused or failed write leaves the old file as it was.
#pragma once

#include <string_view>

#include "core/sys/env.h"

namespace orvo {

// True when the file now holds the bytes. On a failure asks (no caption)
// "Chyba:" + code + ... + "Chceme opakovat pokus o zalozeni Souboru ?";
// Yes tries again, No gives up and returns false.
bool WriteFileOrAsk(Env& env, std::string_view name, std::string_view bytes);

}  // namespace orvo
