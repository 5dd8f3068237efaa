// Without --password or ORVO_PASSWORD, orvo-batch asks on the terminal and
// does not show what is typed.
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <spawn.h>
#include <sys/wait.h>

#include <csignal>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "support/scratch.h"

extern char** environ;

namespace orvo::test {
namespace {

TEST(BatchPassword, AskedOnTheTerminalWithoutEcho) {
  TempDir c;
  int master = -1;
  int slave = -1;
  char slaveName[128] = {};
  ASSERT_EQ(openpty(&master, &slave, slaveName, nullptr, nullptr), 0);
  ::close(slave);
  // A session of its own whose controlling terminal is the pseudo-terminal.
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  for (int fd : {0, 1, 2}) posix_spawn_file_actions_addopen(&actions, fd, slaveName, O_RDWR, 0);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
  std::vector<std::string> args{ORVO_BATCH_EXE, "--user", "Admin", "print-settings"};
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  std::vector<std::string> env{"ORVO_DRIVES=C=" + c.path(), "LC_ALL=C.UTF-8", "PATH=/usr/bin:/bin"};
  std::vector<char*> envp;
  for (auto& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  pid_t pid = -1;
  ASSERT_EQ(posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), envp.data()), 0);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);

  std::string seen;
  auto readFor = [&](int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
      pollfd p{master, POLLIN, 0};
      if (poll(&p, 1, 50) > 0) {
        char buffer[256];
        ssize_t n = ::read(master, buffer, sizeof buffer);
        if (n <= 0) return;
        seen.append(buffer, static_cast<size_t>(n));
      }
      if (seen.find("Heslo") != std::string::npos && seen.back() == ' ') return;
    }
  };
  readFor(10000);
  ASSERT_NE(seen.find("Heslo (Admin): "), std::string::npos) << seen;
  const std::string typed = "Qzpfr\n";
  ASSERT_EQ(::write(master, typed.data(), typed.size()), static_cast<ssize_t>(typed.size()));
  int status = 0;
  bool ended = false;
  for (int i = 0; i < 200 && !ended; ++i) {
    ended = waitpid(pid, &status, WNOHANG) == pid;
    if (ended) break;
    // Once the child has closed the terminal, reading returns at once: wait
    // a moment between the looks, or the loop ends before the child does.
    readFor(50);
    ::usleep(20000);
  }
  readFor(200);
  ::close(master);
  if (!ended) {
    ::kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
  }
  ASSERT_TRUE(ended) << seen;
  ASSERT_TRUE(WIFEXITED(status)) << seen;
  EXPECT_EQ(WEXITSTATUS(status), 0) << seen;
  EXPECT_EQ(seen.find("Qzpfr"), std::string::npos) << seen;
  EXPECT_NE(seen.find("Rows per page: 80"), std::string::npos) << seen;
}

}  // namespace
}  // namespace orvo::test
