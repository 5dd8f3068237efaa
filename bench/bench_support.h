// What the benchmarks share: a deterministic random source, a stopwatch,
// running one phase in a child process so that its own peak memory can be
// read, the yardstick `sort`, the shipped definitions, and the keys and
// amounts of generated balances and postings.
#pragma once

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/sys/numbers.h"
#include "core/sys/text.h"

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

// A file of the source tree (the shipped definitions), its lines ended by
// CR LF as installed.
inline std::string ReadSource(const std::string& relative) {
  std::ifstream in(std::string(ORVO_SOURCE_DIR) + "/" + relative, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::string crlf;
  for (char c : text) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  return crlf;
}

// A yardstick program (`args`, the first the program) in a child process
// under the C locale, its time and peak memory; not ok when it fails or is
// missing. Its standard output is thrown away when `quiet`.
inline PhaseResult RunProgramTimed(const std::vector<std::string>& args, bool quiet) {
  PhaseResult result;
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  std::fflush(nullptr);
  auto t0 = std::chrono::steady_clock::now();
  pid_t pid = fork();
  if (pid == 0) {
    setenv("LC_ALL", "C", 1);
    if (quiet && std::freopen("/dev/null", "w", stdout) == nullptr) _exit(126);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  result.seconds = Seconds(t0);
  result.peakMb = static_cast<double>(usage.ru_maxrss) / 1024.0;
  result.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return result;
}

// The yardstick `LC_ALL=C sort -o out in`.
inline PhaseResult RunSort(const std::string& in, const std::string& out) {
  return RunProgramTimed({"sort", "-o", out, in}, false);
}

// An amount of 0,00 to 99 999,99 in a 15-character word.
inline std::string Amount(Random& r) {
  return orvo::RealTextRounded(15, 2, static_cast<double>(r.Below(10000000)) / 100.0);
}

// The balance key k: unit, account, activity, konto (32 characters), the
// same for the same k on every run. The account is any six digits unless
// `account` draws it.
struct BalanceKey {
  std::string unit, ucet, cinnost, konto;
};
inline BalanceKey BalanceKeyOf(uint64_t k, std::string (*account)(Random&) = nullptr) {
  Random r;
  r.state ^= (k + 1) * 0x9E3779B97F4A7C15ULL;
  r.Next();
  BalanceKey key;
  key.unit = orvo::IntTextPadded(1 + r.Below(3), 2) + orvo::IntTextPadded(1 + r.Below(3), 2) +
             orvo::IntTextPadded(11 + r.Below(20), 2);
  key.ucet = account != nullptr ? account(r) : orvo::IntTextPadded(100000 + r.Below(800000), 6);
  key.cinnost = orvo::IntTextPadded(10000 + r.Below(90000), 5);
  key.konto = orvo::PadRight(orvo::IntTextPadded(static_cast<int>(k), 9), 15);
  return key;
}

}  // namespace orvo::bench
