// User marker files "*.J". The system creates none of them: the rights
// administration erases the marker of the current user in
// C:\A_Run\Uzivatele, and the login dialog lists and erases the markers
// that lie beside the access file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/sys/env.h"

namespace orvo {

// C:\A_Run\Uzivatele\ + BaseName(access file) + "_" + user + ".J".
std::string MarkerFileName(std::string_view accessFile, std::string_view userName);
// Erases that marker. A user name that would lead out of the directory is
// not used as a file name.
void EraseUserMarker(Env& env, std::string_view accessFile, std::string_view userName);
// The base names of the files BaseName(access file) + "*.J" in the access
// file's directory. A directory that cannot be entered shows "Operaci nelze
// provest !" and ends the application.
std::vector<std::string> ListAccessMarkers(Env& env, std::string_view accessFile);
// Erases baseName + ".J" beside the access file; a failure shows "Operaci
// se nepodarilo provest !". The application ends either way.
[[noreturn]] void EraseAccessMarker(Env& env, std::string_view accessFile,
                                    std::string_view baseName);

}  // namespace orvo
