// The file arguments of the commands, taken alike by every command: a
// logical path ("D:\Firma\x.Cds") or a host path ("/srv/orvo/x.Cds"); and
// the checks before a command writes one of them, the same as the menu's for
// the same data (see core/shell/write_guard.h).
#pragma once

#include <string>

#include "cli/batch.h"

namespace orvo::cli {

// The logical path of a file the command reads (as given when a host path
// cannot get a drive letter).
std::string InputFile(BatchContext& ctx, const std::string& arg);

// The logical path of a file the command writes, into `logical`; 0 when it
// may be written, else the exit code: 3 when the rights do not reach it, 1
// when the file is protected.
int OutputFile(BatchContext& ctx, const std::string& arg, std::string* logical);

}  // namespace orvo::cli
