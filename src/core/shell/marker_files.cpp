#include "core/shell/marker_files.h"

#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "core/sys/termination.h"

namespace orvo {

namespace {

bool SafeFileNamePart(std::string_view s) {
  return s.find_first_of("\\/:*?") == std::string_view::npos && s.find("..") == std::string_view::npos;
}

}  // namespace

std::string MarkerFileName(std::string_view accessFile, std::string_view userName) {
  return "C:\\A_Run\\Uzivatele\\" + BaseName(accessFile) + "_" + std::string(userName) + ".J";
}

void EraseUserMarker(Env& env, std::string_view accessFile, std::string_view userName) {
  if (!SafeFileNamePart(userName)) return;
  EraseFile(env, MarkerFileName(accessFile, userName));
}

std::vector<std::string> ListAccessMarkers(Env& env, std::string_view accessFile) {
  std::string dir = DirectoryOf(accessFile);
  if (!env.fs.DirExists(dir)) {
    ErrorBox(env, "Operaci nelze provest !\r\rProgram bude ukoncen.");
    throw Termination("cannot enter " + dir);
  }
  std::vector<std::string> names;
  for (const DirEntry& e : env.fs.List(dir + "\\" + BaseName(accessFile) + "*.J")) {
    if ((e.attr & kAttrDirectory) == 0) names.push_back(BaseName(e.name));
  }
  return names;
}

void EraseAccessMarker(Env& env, std::string_view accessFile, std::string_view baseName) {
  std::string name = DirectoryOf(accessFile) + "\\" + std::string(baseName) + ".J";
  if (!SafeFileNamePart(baseName) || EraseFile(env, name) != kIoOk) {
    ErrorBox(env, "Operaci se nepodarilo provest !\r\rProgram bude ukoncen.");
  }
  throw Termination("marker erased");
}

}  // namespace orvo
