// The installation's separate programs in DataRoot\LOrvo\Programy under the
// names the system calls. On this system each is a small executable script
// written by `orvo-batch install`: TabView.Exe starts orvo-tabview, PrnOut.Exe
// prints a file (`lp`), the editors and viewers open their file with the
// desktop's application (`xdg-open`) through orvo-launch, which resolves the
// logical paths they are given with the caller's drive map.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/sys/env.h"

namespace orvo {

enum class LauncherKind { TableViewer, Print, Open };

struct LauncherProgram {
  std::string_view name;  // as the system calls it
  LauncherKind kind;
};

std::span<const LauncherProgram> InstallationPrograms();

// The text of one launcher script; toolDir is the host directory holding
// orvo-tabview and orvo-launch.
std::string LauncherScript(const LauncherProgram& program, std::string_view toolDir);

// Writes every launcher into programsDir (a logical directory, created when
// missing) and makes it executable. The names written; a file that cannot
// be written is reported naming it and left out.
std::vector<std::string> WriteLaunchers(Env& env, std::string_view programsDir,
                                        std::string_view toolDir);

}  // namespace orvo
