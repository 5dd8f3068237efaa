// Starting the installation's separate programs and documents, and finding
// the data root named on the command line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/sys/env.h"

namespace orvo {

// Runs a program of the installation (a logical path) with a Windows-style
// parameter string, in the logical current directory, handing it the same
// drive map (ORVO_DRIVES). Returns the exit code; 99999 when it cannot be
// started; -1 when the file to run is missing (after its message); 259
// (still active) when not waiting. A program ended by a signal gives 128 +
// the signal number.
int RunProgram(Env& env, std::string_view path, std::string_view parameters, bool wait);
// Splits a parameter string the way Windows programs do (blanks separate,
// double quotes group, backslashes before a quote escape it).
std::vector<std::string> SplitCommandLine(std::string_view parameters);
// Opens a document with the desktop's application; the launcher's result
// code comes back in *code (above 32 means success, as the callers expect).
bool OpenDocument(Env& env, std::string_view path, int* code);
// The same for a file named by its host path (outside the logical drives).
bool OpenHostDocument(Env& env, const std::string& hostPath, int* code);
// The logical directory where the platform's own programs are looked for
// (the character map of the text editor).
std::string WindowsDir();

// The data root ("D:" or "D:\path") from the command-line parameter; an
// absolute host path is mapped to a free drive letter first.
std::string ResolveDataRoot(Env& env, std::string_view parameter);

inline constexpr int kStillActive = 259;

}  // namespace orvo
