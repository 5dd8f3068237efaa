// Temporary files beside the files they replace. A file is replaced by
// writing the whole new content into "~NAME.PID.tmp" in the same directory
// and renaming that over NAME. The name says which file it stands in for and
// which program made it, so that what a program which ended half-way (a
// crash, a kill) left behind is recognised and removed the next time that
// file is written, and nothing else ever is.
#pragma once

#include <string>
#include <string_view>

#include "core/sys/dosfs.h"

namespace orvo {

// "C:\Work\T.Cds" -> "C:\Work\~T.Cds.4711.tmp", 4711 being this process.
std::string TemporaryBeside(const DosFs& fs, std::string_view target);

// Removes the temporary files of `target` whose program has ended; those of
// a program still running (this one included) are left to it.
void RemoveStaleTemporaries(DosFs& fs, std::string_view target);

}  // namespace orvo
