// Asking for a password on the terminal without showing it: for the
// command-line programs when no password was given by option or
// environment, so that it never has to stand on a command line.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvo {

// Writes the prompt to the controlling terminal, reads one line from it with
// echo switched off and restores the terminal. Nothing when the process has
// no terminal (a pipe, a service) or the line cannot be read.
std::optional<std::string> PromptPassword(std::string_view prompt);

}  // namespace orvo
