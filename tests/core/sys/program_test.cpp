#include "core/sys/program.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/sys/termination.h"
#include "support/scratch.h"

namespace orvo::test {
namespace {

struct SplitCase {
  const char* name;
  const char* line;
  std::vector<std::string> want;
};

class SplitCommandLineTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitCommandLineTest, SplitsAsWindowsPrograms) {
  EXPECT_EQ(SplitCommandLine(GetParam().line), GetParam().want);
}

INSTANTIATE_TEST_SUITE_P(
    Program, SplitCommandLineTest,
    ::testing::Values(
        SplitCase{"empty", "", {}},
        SplitCase{"blanks_separate", "  a  b\tc ", {"a", "b", "c"}},
        SplitCase{"quotes_group", "\"C:\\My Data\\x.Cds\" D:\\Def.Def Zobrazeni",
                  {"C:\\My Data\\x.Cds", "D:\\Def.Def", "Zobrazeni"}},
        SplitCase{"empty_quoted", "a \"\" b", {"a", "", "b"}},
        SplitCase{"backslashes_kept", "C:\\A_Run\\Work\\", {"C:\\A_Run\\Work\\"}},
        SplitCase{"escaped_quote", "a\\\"b", {"a\"b"}},
        SplitCase{"doubled_quote_in_quotes", "\"a\"\"b\"", {"a\"b"}}),
    [](const auto& info) { return std::string(info.param.name); });

class RunProgramTest : public Scratch {
 protected:
  // The test child copied into the installation's programs directory.
  std::string InstallChild(const std::string& logicalDir, const std::string& name) {
    std::string logical = logicalDir + "\\" + name;
    std::filesystem::create_directories(Host(logicalDir));
    std::filesystem::copy_file(ORVO_TEST_CHILD, Host(logical));
    return logical;
  }
};

TEST_F(RunProgramTest, ReturnsTheExitCodeWhenWaiting) {
  std::string prog = InstallChild("D:\\LOrvo\\Programy", "Child.Exe");
  EXPECT_EQ(RunProgram(*env, prog, "0", true), 0);
  EXPECT_EQ(RunProgram(*env, prog, "7", true), 7);
  EXPECT_EQ(RunProgram(*env, prog, "255", true), 255);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(RunProgramTest, ResolvesTheProgramCaseInsensitivelyAndPassesParameters) {
  InstallChild("D:\\LOrvo\\Programy", "Child.Exe");
  std::string out = Host("C:\\") + "/args.txt";
  EXPECT_EQ(RunProgram(*env, "d:\\lorvo\\PROGRAMY\\child.exe",
                       "--args " + out + " \"C:\\A b\\x.Cds\" Zobrazeni", true),
            0);
  std::ifstream in(out);
  std::string a, b;
  std::getline(in, a);
  std::getline(in, b);
  EXPECT_EQ(a, "C:\\A b\\x.Cds");
  EXPECT_EQ(b, "Zobrazeni");
}

TEST_F(RunProgramTest, WithoutWaitingReportsStillActive) {
  std::string prog = InstallChild("D:\\P", "Child.Exe");
  EXPECT_EQ(RunProgram(*env, prog, "--sleep 50", false), kStillActive);
}

TEST_F(RunProgramTest, MissingProgramIsReportedAndNothingStarts) {
  EXPECT_EQ(RunProgram(*env, "D:\\LOrvo\\Programy\\TabView.Exe", "x", true), -1);
  EXPECT_EQ(ui.Single(),
            Error("Soubor:\r\r\"D:\\LOrvo\\Programy\\TabView.Exe\"\r\r     - nebyl nalezen !"));
}

TEST_F(RunProgramTest, AFileThatCannotRunGives99999) {
  Put("D:\\P\\Text.Exe", "not a program");
  EXPECT_EQ(RunProgram(*env, "D:\\P\\Text.Exe", "a b", true), 99999);
  EXPECT_EQ(ui.Single(), Error("App: D:\\P\\Text.Exe\r\rPar: D:\\P\\Text.Exe a b\r\r"
                               "Doslo k chybe:      99999"));
}

TEST_F(RunProgramTest, TheRunningTableViewerIsAskedToQuitFirst) {
  std::string prog = InstallChild("D:\\P", "TabViewNV.Exe");
  EXPECT_EQ(RunProgram(*env, prog, "0", true), 0);
  ASSERT_EQ(ui.quitWindows.size(), 1u);
  EXPECT_EQ(ui.quitWindows[0], "TabViewNV");
}

class ResolveDataRootTest : public Scratch {};

TEST_F(ResolveDataRootTest, OneLetterIsTheDriveAsTyped) {
  EXPECT_EQ(ResolveDataRoot(*env, "d"), "d:");
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ResolveDataRootTest, UnusableDriveEndsTheApplication) {
  EXPECT_THROW(ResolveDataRoot(*env, "q"), Termination);
  EXPECT_EQ(ui.Single(), Error("Disk:  \"Q\"\r\r     - nebyl nalezen !"));
}

TEST_F(ResolveDataRootTest, DriveAndPathNeedTheDirectory) {
  Put("D:\\Data\\x.txt", "x");
  EXPECT_EQ(ResolveDataRoot(*env, "d:\\Data"), "D:\\Data");
  EXPECT_THROW(ResolveDataRoot(*env, "d:\\Nic"), Termination);
  EXPECT_EQ(ui.Single(), Error("Adresar:\r\r\"D:\\Nic\"\r\r     - nebyl nalezen !"));
}

TEST_F(ResolveDataRootTest, QfdSearchesTheDrivesForTheMarker) {
  EXPECT_THROW(ResolveDataRoot(*env, "qfd"), Termination);
  EXPECT_EQ(ui.Single(),
            Error("Disk s daty pro ladeni programu nebyl nalezen !\r\rProgram bude ukoncen."));
  ui.Clear();
  Put("D:\\#_Quill_Forge_Disk\\m", "");
  EXPECT_EQ(ResolveDataRoot(*env, "QfD"), "D:");
}

TEST_F(ResolveDataRootTest, PathWithoutDriveIsLookedForOnTheMarkerDrive) {
  EXPECT_EQ(ResolveDataRoot(*env, "\\Firma"), "");
  EXPECT_TRUE(ui.messages.empty());
  Put("D:\\#_Quill_Forge_Disk\\m", "");
  EXPECT_THROW(ResolveDataRoot(*env, "\\Firma"), Termination);
  EXPECT_EQ(ui.Single(), Error("Adresar:\r\r\"D:\\Firma\"\r\r     - nebyl nalezen !"));
  ui.Clear();
  Put("D:\\Firma\\m", "");
  EXPECT_EQ(ResolveDataRoot(*env, "\\Firma"), "D:\\Firma");
}

TEST_F(ResolveDataRootTest, HostDirectoryIsMappedToAFreeLetter) {
  TempDir data;
  EXPECT_EQ(ResolveDataRoot(*env, data.path()), "E:");
  EXPECT_EQ(fs->Drives().HostDir('E'), data.path());
  EXPECT_THROW(ResolveDataRoot(*env, data.path() + "/missing"), Termination);
  EXPECT_EQ(ui.Single(),
            Error("Adresar:\r\r\"" + data.path() + "/missing\"\r\r     - nebyl nalezen !"));
}

}  // namespace
}  // namespace orvo::test
