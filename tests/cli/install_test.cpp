// `orvo-batch install` and the launchers it writes into Programy.
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <fcntl.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/run_batch.h"
#include "support/scratch.h"
#include "support/host_file.h"

extern char** environ;

namespace orvo::test {
namespace {

std::string Slurp(const std::string& path) { return ReadHostFile(path); }

// Runs a program with extra environment entries (which replace same-named
// ones); exit code and the error stream.
std::pair<int, std::string> RunProgramAt(const std::string& program, const std::vector<std::string>& args,
                                const std::vector<std::string>& environment,
                                const std::string& errFile) {
  std::vector<std::string> argStrings{program};
  argStrings.insert(argStrings.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& a : argStrings) argv.push_back(a.data());
  argv.push_back(nullptr);
  std::vector<std::string> envStrings(environment);
  for (char** e = environ; *e != nullptr; ++e) {
    std::string entry = *e;
    std::string name = entry.substr(0, entry.find('='));
    bool replaced = false;
    for (const auto& mine : environment) replaced |= mine.rfind(name + "=", 0) == 0;
    if (!replaced) envStrings.push_back(entry);
  }
  std::vector<char*> envp;
  for (auto& e : envStrings) envp.push_back(e.data());
  envp.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  pid_t pid = -1;
  int code = -1;
  if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()) == 0) {
    int status = 0;
    waitpid(pid, &status, 0);
    code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  posix_spawn_file_actions_destroy(&actions);
  return {code, Slurp(errFile)};
}

class Install : public ::testing::Test {
 protected:
  Install() {
    std::filesystem::create_directories(c.path());
    drives = "C=" + c.path() + ";D=" + d.path();
  }
  BatchResult InstallAs(const std::string& user, const std::string& password) {
    return RunBatch({"install", "D:", "--user", user, "--password", password},
                    {"ORVO_DRIVES=" + drives});
  }
  std::string Programs(const std::string& name) const { return d.path() + "/LOrvo/Programy/" + name; }

  TempDir c, d, work;
  std::string drives;
};

TEST_F(Install, WritesTheTreesAndEveryLauncher) {
  auto r = InstallAs("Admin", "Qzpfr");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("D:\\LOrvo\\Programy\\TabView.Exe\n"), std::string::npos) << r.out;
  for (const char* name : {"TabView.Exe", "PrnOut.Exe", "TxtView.Exe", "LinePad.Exe", "RtfPad.Exe",
                           "FormPad.Exe", "PagePad.Exe", "ImgView.Exe", "PicEdit.Exe",
                           "MediaRun.Exe"}) {
    struct stat st {};
    ASSERT_EQ(stat(Programs(name).c_str(), &st), 0) << name;
    EXPECT_TRUE(st.st_mode & S_IXUSR) << name;
    EXPECT_EQ(Slurp(Programs(name)).rfind("#!/bin/sh\n", 0), 0u) << name;
  }
  const std::string toolDir = std::filesystem::path(ORVO_BATCH_EXE).parent_path().string();
  EXPECT_NE(Slurp(Programs("TabView.Exe")).find("tool='" + toolDir + "/orvo-tabview'"),
            std::string::npos);
  EXPECT_TRUE(std::filesystem::is_directory(c.path() + "/A_Run/Work"));
}

TEST_F(Install, WrongPasswordInstallsNothing) {
  // A computer that has its access file (made by the first login).
  ASSERT_EQ(RunBatch({"--user", "Admin", "--password", "Qzpfr", "users", "list"},
                     {"ORVO_DRIVES=" + drives})
                .exitCode,
            0);
  auto r = InstallAs("Admin", "nope");
  EXPECT_EQ(r.exitCode, 3);
  EXPECT_NE(r.err.find("Chybne zadane jmeno nebo heslo !"), std::string::npos) << r.err;
  EXPECT_FALSE(std::filesystem::exists(Programs("TabView.Exe")));
}

TEST_F(Install, PrintLauncherHandsTheResolvedFileToThePrintCommand) {
  ASSERT_EQ(InstallAs("Admin", "Qzpfr").exitCode, 0);
  const std::string recorder = work.path() + "/lp";
  const std::string recorded = work.path() + "/printed";
  std::ofstream(recorder) << "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" << recorded << "'\n";
  chmod(recorder.c_str(), 0755);
  std::filesystem::create_directories(d.path() + "/LOrvo/Sestavy");
  std::ofstream(d.path() + "/LOrvo/Sestavy/Denik.Ses") << "report";
  auto [code, err] = RunProgramAt(Programs("PrnOut.Exe"), {"d:\\lorvo\\sestavy\\DENIK.SES"},
                         {"ORVO_DRIVES=" + drives, "ORVO_PRINT_COMMAND=" + recorder},
                         work.path() + "/err");
  EXPECT_EQ(code, 0) << err;
  EXPECT_EQ(Slurp(recorded), d.path() + "/LOrvo/Sestavy/Denik.Ses\n");
}

TEST_F(Install, OpenLauncherSaysWhenNoApplicationIsConfigured) {
  ASSERT_EQ(InstallAs("Admin", "Qzpfr").exitCode, 0);
  auto [code, err] = RunProgramAt(Programs("TxtView.Exe"), {"D:\\LOrvo"},
                         {"ORVO_DRIVES=" + drives, "ORVO_OPENER=no-such-opener-here"},
                         work.path() + "/err");
  EXPECT_EQ(code, 1);
  EXPECT_EQ(err,
            "TxtView.Exe: no desktop application is configured to open files: "
            "\"no-such-opener-here\" was not found (install xdg-utils or set ORVO_OPENER)\n");
}

TEST_F(Install, OpenLauncherResolvesLogicalPathsForTheOpener) {
  ASSERT_EQ(InstallAs("Admin", "Qzpfr").exitCode, 0);
  const std::string opener = work.path() + "/opener";
  const std::string recorded = work.path() + "/opened";
  std::ofstream(opener) << "#!/bin/sh\nprintf '%s\\n' \"$@\" >> '" << recorded << "'\n";
  chmod(opener.c_str(), 0755);
  auto [code, err] = RunProgramAt(Programs("LinePad.Exe"), {"D:\\LOrvo"},
                         {"ORVO_DRIVES=" + drives, "ORVO_OPENER=" + opener}, work.path() + "/err");
  EXPECT_EQ(code, 0) << err;
  EXPECT_EQ(Slurp(recorded), d.path() + "/LOrvo\n");
}

TEST_F(Install, MissingToolIsNamedByTheLauncher) {
  ASSERT_EQ(InstallAs("Admin", "Qzpfr").exitCode, 0);
  std::string script = Slurp(Programs("ImgView.Exe"));
  const std::string toolDir = std::filesystem::path(ORVO_BATCH_EXE).parent_path().string();
  std::string moved = script;
  moved.replace(moved.find(toolDir), toolDir.size(), work.path() + "/gone");
  std::ofstream(Programs("ImgView.Exe"), std::ios::trunc) << moved;
  auto [code, err] = RunProgramAt(Programs("ImgView.Exe"), {}, {"ORVO_DRIVES=" + drives},
                         work.path() + "/err");
  EXPECT_EQ(code, 127);
  EXPECT_EQ(err, "ImgView.Exe: " + work.path() +
                     "/gone/orvo-launch is missing; run orvo-batch install again.\n");
}

}  // namespace
}  // namespace orvo::test
