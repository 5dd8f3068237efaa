#include "support/run_batch.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <sstream>

#include "support/scratch.h"
#include "support/host_file.h"

extern char** environ;

namespace orvo::test {

namespace {

std::string Slurp(const std::string& path) { return ReadHostFile(path); }

}  // namespace

BatchResult RunBatch(const std::vector<std::string>& args,
                     const std::vector<std::string>& environment) {
  TempDir tmp;
  const std::string outPath = tmp.path() + "/out";
  const std::string errPath = tmp.path() + "/err";
  std::vector<std::string> argStrings{ORVO_BATCH_EXE};
  argStrings.insert(argStrings.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& a : argStrings) argv.push_back(a.data());
  argv.push_back(nullptr);
  std::vector<std::string> envStrings;
  for (char** e = environ; *e != nullptr; ++e) envStrings.emplace_back(*e);
  envStrings.insert(envStrings.end(), environment.begin(), environment.end());
  std::vector<char*> envp;
  for (auto& e : envStrings) envp.push_back(e.data());
  envp.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  pid_t pid = -1;
  BatchResult r;
  // A session of its own: no controlling terminal, so orvo-batch never
  // stops to ask for a password on the terminal the tests run in.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
  int spawned = posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), envp.data());
  posix_spawnattr_destroy(&attributes);
  if (spawned == 0) {
    int status = 0;
    waitpid(pid, &status, 0);
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  posix_spawn_file_actions_destroy(&actions);
  r.out = Slurp(outPath);
  r.err = Slurp(errPath);
  return r;
}

}  // namespace orvo::test
