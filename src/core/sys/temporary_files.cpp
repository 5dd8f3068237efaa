#include "core/sys/temporary_files.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>

#include "core/sys/files.h"

namespace orvo {

namespace {

constexpr std::string_view kSuffix = ".tmp";

std::string Prefix(std::string_view name) { return "~" + std::string(name) + "."; }

}  // namespace

std::string TemporaryBeside(const DosFs& fs, std::string_view target) {
  const std::string full = fs.FullPath(target);
  return DirectoryOf(full) + "\\" + Prefix(FileNameOf(full)) + std::to_string(::getpid()) +
         std::string(kSuffix);
}

void RemoveStaleTemporaries(DosFs& fs, std::string_view target) {
  const std::string full = fs.FullPath(target);
  const std::string dir = DirectoryOf(full);
  const std::string prefix = Prefix(FileNameOf(full));
  for (const DirEntry& e : fs.List(dir + "\\" + prefix + "*" + std::string(kSuffix))) {
    if (e.name.size() <= prefix.size() + kSuffix.size() || (e.attr & kAttrDirectory) != 0) continue;
    // The mask is case-blind; the digits between must be a process id.
    const std::string digits = e.name.substr(prefix.size(), e.name.size() - prefix.size() - kSuffix.size());
    if (digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos) continue;
    const long pid = std::stol(digits);
    if (pid <= 0 || pid == ::getpid()) continue;
    if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
    fs.Remove(dir + "\\" + e.name);
  }
}

}  // namespace orvo
