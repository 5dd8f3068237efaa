// A file named on a command line, taken the same way by every command: a
// logical path ("D:\Firma\x.Cds", "d:x.Cds") as it stands, or a host path
// ("/srv/orvo/x.Cds", "x.Cds"), which becomes the logical path it has under
// a mapped drive; a host directory that no drive holds gets a drive letter
// of its own (the first free one from D:).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/sys/dosfs.h"

namespace orvo {

// Whether a Windows-1250 argument is a logical path (a drive letter and ":").
bool IsLogicalPath(std::string_view arg);

// The logical path for an argument (Windows-1250, as the command got it);
// nothing when a host path cannot be given a drive (every letter taken).
std::optional<std::string> LogicalFileArgument(DosFs& fs, std::string_view arg);

}  // namespace orvo
