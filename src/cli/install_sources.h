// Finding and reading the installation data (the install/ directory of the
// source tree, or of an installed copy) for `install` and `demo`.
#pragma once

#include <iosfwd>
#include <string>

#include "core/app/install_data.h"

namespace orvo::cli {

// The host directory of this program; the tools of the installation are
// built beside it.
std::string ProgramDirectory();

// The directory: ORVO_INSTALL_DATA when set (empty when it holds no
// manifest), else the first "install" (or
// "share/orvo/install") holding a manifest found from this program's
// directory upwards, else the source tree's install/ the program was built
// from. Empty when there is none.
std::string InstallDataDir();

// Reads every file under the directory. False, after saying so on `err`,
// when no directory is found or it cannot be read.
bool LoadInstallSources(InstallSources* sources, std::ostream& err);

}  // namespace orvo::cli
