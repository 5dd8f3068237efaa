#include "core/office/host_process.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <thread>

extern char** environ;

namespace orvo {

std::optional<std::string> FindOnPath(std::string_view program) {
  if (program.empty()) return std::nullopt;
  std::string name(program);
  if (name.find('/') != std::string::npos) {
    return access(name.c_str(), X_OK) == 0 ? std::optional<std::string>(name) : std::nullopt;
  }
  const char* path = std::getenv("PATH");
  std::string_view dirs = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
  while (true) {
    size_t colon = dirs.find(':');
    std::string dir(dirs.substr(0, colon));
    if (dir.empty()) dir = ".";
    std::string candidate = dir + "/" + name;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
    if (colon == std::string_view::npos) break;
    dirs.remove_prefix(colon + 1);
  }
  return std::nullopt;
}

int RunHostProgram(const std::vector<std::string>& argv, bool wait) {
  if (argv.empty()) return -1;
  std::vector<std::string> args = argv;
  std::vector<char*> pointers;
  for (auto& a : args) pointers.push_back(a.data());
  pointers.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawnp(&pid, args[0].c_str(), nullptr, nullptr, pointers.data(), environ) != 0) {
    return -1;
  }
  if (!wait) {
    std::thread([pid] {
      int status = 0;
      while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
      }
    }).detach();
    return 0;
  }
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

}  // namespace orvo
