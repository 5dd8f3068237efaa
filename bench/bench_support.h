// What the benchmarks share: a deterministic random source, a stopwatch,
// and running one phase in a child process so that its own peak memory can
// be read.
#pragma once

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace orvo::bench {

// xorshift64*: the same data on every run and machine.
struct Random {
  uint64_t state = 0x9E3779B97F4A7C15ULL;
  uint64_t Next() {
    state ^= state >> 12;
    state ^= state << 25;
    state ^= state >> 27;
    return state * 0x2545F4914F6CDD1DULL;
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<uint64_t>(n)); }
};

inline double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

struct PhaseResult {
  std::vector<double> figures;
  double seconds = 0;  // the first figure, by convention the phase's time
  double peakMb = 0;
  bool ok = false;
};

// Runs `phase` in a child process; it writes its figures to a pipe. The
// child's peak resident memory comes back through wait4.
template <typename Fn>
PhaseResult RunChild(Fn phase) {
  PhaseResult result;
  int fds[2];
  if (pipe(fds) != 0) return result;
  std::fflush(nullptr);
  pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    std::vector<double> figures = phase();
    std::string text;
    for (double f : figures) text += std::to_string(f) + " ";
    ssize_t unused = write(fds[1], text.data(), text.size());
    (void)unused;
    _exit(figures.empty() ? 1 : 0);
  }
  close(fds[1]);
  std::string text;
  char buf[256];
  ssize_t n;
  while ((n = read(fds[0], buf, sizeof buf)) > 0) text.append(buf, static_cast<size_t>(n));
  close(fds[0]);
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  result.peakMb = static_cast<double>(usage.ru_maxrss) / 1024.0;
  result.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  char* p = text.data();
  char* end = nullptr;
  for (double v = std::strtod(p, &end); end != p; v = std::strtod(p, &end)) {
    result.figures.push_back(v);
    p = end;
  }
  if (!result.figures.empty()) result.seconds = result.figures[0];
  return result;
}

}  // namespace orvo::bench
