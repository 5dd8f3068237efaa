// orvo-launch open|print NAME [FILE ...]: the body of the installation's
// document tools (NAME is the tool's name, e.g. TxtView.Exe). Each FILE is a
// logical DOS path (or a host path) resolved with the drive map the caller
// hands on in ORVO_DRIVES; relative ones against the directory it was
// started in.
//   open:  the desktop's application for the file (ORVO_OPENER, else
//          xdg-open); without a file, the current directory.
//   print: the print command (ORVO_PRINT_COMMAND, else lp).
// When no such program is there the tool says so and ends with 1.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "core/sys/dosfs.h"
#include "core/sys/drive_map.h"

namespace {

std::string FindInPath(const std::string& program) {
  if (program.find('/') != std::string::npos) {
    return access(program.c_str(), X_OK) == 0 ? program : std::string();
  }
  const char* path = std::getenv("PATH");
  std::string dirs = path != nullptr ? path : "/usr/bin:/bin";
  size_t start = 0;
  while (start <= dirs.size()) {
    size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    std::string candidate = dirs.substr(start, end - start);
    if (candidate.empty()) candidate = ".";
    candidate += "/" + program;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
    start = end + 1;
  }
  return {};
}

std::string ChosenProgram(const char* variable, const char* fallback) {
  const char* chosen = std::getenv(variable);
  return (chosen != nullptr && *chosen != '\0') ? chosen : fallback;
}

int RunAndWait(const std::string& program, const std::vector<std::string>& args) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = fork();
  if (pid < 0) return 1;
  if (pid == 0) {
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || (std::strcmp(argv[1], "open") != 0 && std::strcmp(argv[1], "print") != 0)) {
    std::cerr << "usage: orvo-launch open|print NAME [FILE ...]\n";
    return 2;
  }
  const bool print = std::strcmp(argv[1], "print") == 0;
  const std::string name = argv[2];
  std::string mapError;
  orvo::DosFs fs(orvo::DriveMap::FromEnvironment(&mapError));
  std::vector<char> cwd(4096);
  std::string hostCwd = getcwd(cwd.data(), cwd.size()) != nullptr ? cwd.data() : ".";
  if (auto logical = fs.Drives().LogicalPathOf(hostCwd)) fs.ChangeDir(*logical);

  std::vector<std::string> files;
  for (int i = 3; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg.empty()) continue;
    if (arg[0] == '/') {
      files.push_back(arg);
    } else if (auto host = fs.HostPath(arg)) {
      files.push_back(*host);
    } else {
      std::cerr << name << ": " << arg << " is on no mapped drive\n";
      return 1;
    }
  }
  if (files.empty()) {
    if (print) {
      std::cerr << name << ": no file to print was given\n";
      return 1;
    }
    files.push_back(hostCwd);
  }

  const std::string wanted =
      print ? ChosenProgram("ORVO_PRINT_COMMAND", "lp") : ChosenProgram("ORVO_OPENER", "xdg-open");
  const std::string program = FindInPath(wanted);
  if (program.empty()) {
    if (print) {
      std::cerr << name << ": no print command is configured: \"" << wanted
                << "\" was not found (install cups-client or set ORVO_PRINT_COMMAND)\n";
    } else {
      std::cerr << name << ": no desktop application is configured to open files: \"" << wanted
                << "\" was not found (install xdg-utils or set ORVO_OPENER)\n";
    }
    return 1;
  }
  int result = 0;
  for (const std::string& file : files) {
    int rc = RunAndWait(program, {file});
    if (rc != 0) result = rc;
  }
  return result;
}
