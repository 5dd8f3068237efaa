#include "core/sys/program.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <exception>
#include <thread>

#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "core/sys/numbers.h"
#include "core/sys/termination.h"
#include "core/sys/text.h"

extern char** environ;

namespace orvo {

namespace {

constexpr int kCannotStart = 99999;

// The environment of a started program: ours, with the drive map replaced by
// the one in use, so the program resolves logical paths as we do.
std::vector<std::string> ChildEnvironment(const DosFs& fs) {
  std::vector<std::string> out;
  for (char** e = environ; e != nullptr && *e != nullptr; ++e) {
    if (std::strncmp(*e, "ORVO_DRIVES=", 12) == 0) continue;
    out.emplace_back(*e);
  }
  out.push_back("ORVO_DRIVES=" + fs.Drives().ToSpec());
  return out;
}

std::vector<char*> CPointers(std::vector<std::string>& v) {
  std::vector<char*> out;
  out.reserve(v.size() + 1);
  for (auto& s : v) out.push_back(s.data());
  out.push_back(nullptr);
  return out;
}

// Spawns the host program; the pid, or -1 with errno set.
pid_t Spawn(const std::string& hostPath, std::vector<std::string> args, const DosFs& fs,
            bool searchPath) {
  std::vector<std::string> envStrings = ChildEnvironment(fs);
  auto argv = CPointers(args);
  auto envp = CPointers(envStrings);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  // Windows starts a program in the caller's current directory.
  auto cwd = fs.HostPath(fs.CurrentDir());
  if (cwd && access(cwd->c_str(), X_OK) == 0) {
    posix_spawn_file_actions_addchdir_np(&actions, cwd->c_str());
  }
  pid_t pid = -1;
  int rc = searchPath
               ? posix_spawnp(&pid, hostPath.c_str(), &actions, nullptr, argv.data(), envp.data())
               : posix_spawn(&pid, hostPath.c_str(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) {
    errno = rc;
    return -1;
  }
  return pid;
}

int WaitForExit(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return kCannotStart;
  }
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return kCannotStart;
}

// A program we do not wait for is still reaped when it ends, so it never
// lingers as a zombie.
void ReapLater(pid_t pid) {
  std::thread([pid] {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }).detach();
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view p) {
  std::vector<std::string> args;
  size_t i = 0;
  const size_t n = p.size();
  while (true) {
    while (i < n && (p[i] == ' ' || p[i] == '\t')) ++i;
    if (i >= n) break;
    std::string arg;
    bool quoted = false;
    while (i < n && (quoted || (p[i] != ' ' && p[i] != '\t'))) {
      if (p[i] == '\\') {
        size_t backslashes = 0;
        while (i < n && p[i] == '\\') {
          ++backslashes;
          ++i;
        }
        if (i < n && p[i] == '"') {
          arg.append(backslashes / 2, '\\');
          if (backslashes % 2 == 1) {
            arg += '"';
            ++i;
          }
        } else {
          arg.append(backslashes, '\\');
        }
      } else if (p[i] == '"') {
        // Two quotes inside a quoted run stand for one literal quote.
        if (quoted && i + 1 < n && p[i + 1] == '"') {
          arg += '"';
          i += 2;
        } else {
          quoted = !quoted;
          ++i;
        }
      } else {
        arg += p[i++];
      }
    }
    args.push_back(std::move(arg));
  }
  return args;
}

int RunProgram(Env& env, std::string_view path, std::string_view parameters, bool wait) {
  env.ui.ProcessEvents();
  if (!FileExistsOrSay(env, path)) return -1;
  try {
    if (UpperCz(path).find("TABVIEWNV.EXE") != std::string::npos) {
      env.ui.QuitWindow("TabViewNV");
      env.ui.ProcessEvents();
    }
    std::string commandLine = std::string(path) + " " + std::string(parameters);
    auto host = env.fs.HostPath(path);
    pid_t pid = -1;
    if (host) {
      std::vector<std::string> args{*host};
      for (auto& a : SplitCommandLine(parameters)) args.push_back(std::move(a));
      pid = Spawn(*host, std::move(args), env.fs, false);
    }
    if (pid < 0) {
      ErrorBox(env, "App: " + std::string(path) + "\r\rPar: " + commandLine +
                        "\r\rDoslo k chybe: " + IntText(kCannotStart, 10));
      return kCannotStart;
    }
    if (!wait) {
      ReapLater(pid);
      return kStillActive;
    }
    return WaitForExit(pid);
  } catch (const Termination&) {
    throw;
  } catch (const std::exception&) {
    ErrorBox(env, "App: " + std::string(path) + "\r\rPar: " + std::string(parameters) +
                      "\r\rDoslo k vyjimce pri provadeni programu.");
    return kCannotStart;
  }
}

bool OpenDocument(Env& env, std::string_view path, int* code) {
  if (code != nullptr) *code = 0;
  if (!FileExistsOrSay(env, path)) return false;
  auto host = env.fs.HostPath(path);
  if (!host) {
    if (code != nullptr) *code = 2;
    return false;
  }
  return OpenHostDocument(env, *host, code);
}

bool OpenHostDocument(Env& env, const std::string& hostPath, int* code) {
  if (code != nullptr) *code = 0;
  std::optional<std::string> host = hostPath;
  const char* opener = std::getenv("ORVO_OPENER");
  std::string program = (opener != nullptr && *opener != '\0') ? opener : "xdg-open";
  pid_t pid = host ? Spawn(program, {program, *host}, env.fs, true) : -1;
  // The shell's codes: 2 for "file not found", above 32 for success.
  int result = pid < 0 ? 2 : 33;
  if (pid >= 0) ReapLater(pid);
  if (code != nullptr) *code = result;
  return result > 32;
}

std::string WindowsDir() { return "C:\\Windows"; }

namespace {

constexpr std::string_view kMarkerDir = ":\\#_Quill_Forge_Disk";

char FindMarkerDrive(Env& env) {
  for (char l = 'C'; l <= 'Z'; ++l) {
    if (DriveUsable(env, l) && DirExistsQuiet(env, std::string(1, l) + std::string(kMarkerDir))) {
      return l;
    }
  }
  return '\0';
}

[[noreturn]] void EndApplication(std::string_view why) {
  throw Termination("data root: " + std::string(why));
}

}  // namespace

std::string ResolveDataRoot(Env& env, std::string_view parameter) {
  std::string p(parameter);
  // A Linux user may name a directory; it becomes a drive of its own.
  if (!p.empty() && p[0] == '/') {
    auto& drives = env.fs.Drives();
    std::string host = p;
    while (host.size() > 1 && host.back() == '/') host.pop_back();
    if (access(host.c_str(), F_OK) != 0) {
      ErrorBox(env, "Adresar:\r\r\"" + host + "\"\r\r     - nebyl nalezen !");
      EndApplication(p);
    }
    char letter = drives.MapFreeLetter(host);
    if (letter == '\0') {
      ErrorBox(env, "Pro adresar:\r\r\"" + host +
                        "\"\r\r     - neni volne pismeno disku !\r\rProgram bude ukoncen.");
      EndApplication(p);
    }
    p = std::string(1, letter);
  }

  const std::string u = UpperCz(p);
  if (u == "QFD") {
    char l = FindMarkerDrive(env);
    if (l == '\0') {
      ErrorBox(env, "Disk s daty pro ladeni programu nebyl nalezen !\r\rProgram bude ukoncen.");
      EndApplication(p);
    }
    return std::string(1, l) + ":";
  }
  if (p.size() == 1) {
    if (!DriveUsableOrSay(env, p)) EndApplication(p);
    return p + ":";
  }
  if (p.size() < 2) return {};
  if (p[1] == ':') {
    if (!DriveUsableOrSay(env, p) || !DirExistsOrSay(env, p)) EndApplication(p);
    return std::string(1, u[0]) + ":" + p.substr(2, 100);
  }
  char l = FindMarkerDrive(env);
  if (l == '\0') return {};
  std::string root = std::string(1, l) + ":" + p;
  if (!DirExistsOrSay(env, root)) EndApplication(p);
  return root;
}

}  // namespace orvo
