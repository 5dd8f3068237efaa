// Running host programs of the desktop (not programs of the installation):
// finding them on PATH and starting them with an argument vector.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvo {

// The full path of an executable named `program` on PATH; a name with a
// "/" is taken as it is when it is executable.
std::optional<std::string> FindOnPath(std::string_view program);

// Runs argv[0] with the arguments. Waiting: the exit code (128 + signal when
// killed); not waiting: 0 once started (the process is reaped when it
// ends). -1 when it cannot be started.
int RunHostProgram(const std::vector<std::string>& argv, bool wait);

}  // namespace orvo
