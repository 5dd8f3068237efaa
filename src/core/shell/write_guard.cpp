#include "core/shell/write_guard.h"

#include <optional>
#include <string>

#include "core/shell/file_names.h"
#include "core/shell/login.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"

namespace orvo {

namespace {

// The host path of a logical path that may not exist yet: its directory
// resolved (case-insensitively, through links of the host) and its name.
std::optional<std::string> HostOf(const RunValues& session, std::string_view path) {
  return session.env.fs.HostPath(session.env.fs.FullPath(path));
}

// Whether `path` is `dir` or lies below it, compared on the host, so that
// another spelling of a name does not get past.
bool Below(const RunValues& session, std::string_view path, std::string_view dir) {
  auto hostPath = HostOf(session, path);
  auto hostDir = HostOf(session, dir);
  if (!hostPath || !hostDir || hostDir->empty()) return false;
  if (*hostPath == *hostDir) return true;
  std::string prefix = *hostDir;
  if (prefix.back() != '/') prefix += '/';
  return hostPath->compare(0, prefix.size(), prefix) == 0;
}

// Whether a directory named LOrvo leads to the path: the application tree
// of some data root, also when the command was not told which one.
bool InSomeApplicationTree(const RunValues& session, std::string_view path) {
  auto host = HostOf(session, path);
  if (!host) return false;
  size_t start = 0;
  while (start < host->size()) {
    size_t slash = host->find('/', start);
    if (slash == std::string::npos) break;  // the last part is the file itself
    std::string part = host->substr(start, slash - start);
    for (char& c : part) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (part == "lorvo") return true;
    start = slash + 1;
  }
  return false;
}

}  // namespace

bool InInstallationTrees(const RunValues& session, std::string_view path) {
  return Below(session, path, kLocalRoot) ||
         (!session.DataRoot.empty() && Below(session, path, AppDir(session))) ||
         InSomeApplicationTree(session, path);
}

WriteCheck CheckDataWrite(RunValues& session, std::string_view target) {
  Env& env = session.env;
  if (Below(session, target, DirectoryOf(AccessFileName()))) {
    if (!HasRight(session, {"Admin"})) return WriteCheck::NoRight;
  } else if (Below(session, target, kWorkDir) ||
             Below(session, target, std::string(kLocalRoot) + "\\Sestavy")) {
    // Work files and reports: every menu item writes them, unguarded.
  } else if (InInstallationTrees(session, target)) {
    if (!HasRight(session, {"Sprav"})) return WriteCheck::NoRight;
  }
  auto entry = env.fs.Stat(target);
  if (entry && (entry->attr & kAttrReadOnly) != 0) {
    ErrorBox(env, "Soubor:\r\r\"" + std::string(target) +
                      "\"\r\r     - je chranen proti zapisu !\r\rZmena nebude provedena.");
    return WriteCheck::ReadOnly;
  }
  return WriteCheck::Allowed;
}

}  // namespace orvo
