#include "core/shell/table_viewer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "support/app_fixture.h"
#include "core/shell/layout.h"

namespace orvo::test {
namespace {

class TableViewerTest : public AppScratch {
 protected:
  TableViewerTest() {
    PrepareLocalTree(*env);
    CreateApplicationTrees(session);
    argsFile = root.path() + "/viewer-args";
    releaseFile = root.path() + "/viewer-release";
  }
  // Waits until the started viewer has written its arguments.
  std::string ViewerArgs() {
    for (int i = 0; i < 600 && !std::filesystem::exists(argsFile); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return ReadHost(argsFile);
  }
  std::string argsFile;
  std::string releaseFile;
};

TEST_F(TableViewerTest, HandOverFileStartsTheViewerWithoutWaiting) {
  InstallScript("D:\\LOrvo\\Programy\\TabView.Exe", argsFile, releaseFile);
  Put("D:\\LOrvo\\Data\\160301UctO.Cds", "dataset bytes");
  EXPECT_TRUE(ShowInTableViewer(session, "D:\\LOrvo\\Data\\160301UctO.Cds",
                                "D:\\LOrvo\\DefSoub\\UctO.Def", "Orvo", "Prehled obratu"));
  // The viewer is still waiting for this file: the call did not wait for it.
  std::ofstream(releaseFile).put('x');
  EXPECT_EQ(ViewerArgs(), "released\nC:\\A_Run\\Work\\TabView.Ldb\n");
  EXPECT_EQ(Get("C:\\A_Run\\Work\\TabView_Data.Cds"), "dataset bytes");
  EXPECT_EQ(Get("C:\\A_Run\\Work\\TabView.Ldb"),
            "C:\\A_Run\\Work\\TabView_Data.Cds\r\nD:\\LOrvo\\DefSoub\\UctO.Def\r\nOrvo\r\n"
            "Prehled obratu\r\nZobrazeni\r\n");
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(TableViewerTest, MissingDataStartsNoViewer) {
  InstallScript("D:\\LOrvo\\Programy\\TabView.Exe", argsFile);
  Put("C:\\A_Run\\Work\\TabView_Data.Cds", "previous data");
  EXPECT_FALSE(ShowInTableViewer(session, "D:\\LOrvo\\Data\\160301UctO.Cds",
                                 "D:\\LOrvo\\DefSoub\\UctO.Def", "Orvo", "Prehled obratu"));
  EXPECT_EQ(ui.Single(),
            Error("Soubor:\r\r\"D:\\LOrvo\\Data\\160301UctO.Cds\"\r\r     - nebyl nalezen !"));
  EXPECT_FALSE(Exists("C:\\A_Run\\Work\\TabView.Ldb"));
}

TEST_F(TableViewerTest, MissingViewerIsReported) {
  Put("D:\\LOrvo\\Data\\x.Cds", "x");
  EXPECT_TRUE(ShowInTableViewer(session, "D:\\LOrvo\\Data\\x.Cds", "D:\\LOrvo\\DefSoub\\UctO.Def",
                                "Orvo", "H"));
  EXPECT_EQ(ui.Single(),
            Error("Soubor:\r\r\"D:\\LOrvo\\Programy\\TabView.Exe\"\r\r     - nebyl nalezen !"));
}

TEST_F(TableViewerTest, DirectStartDoesNotWait) {
  InstallScript("D:\\LOrvo\\Programy\\TabView.Exe", argsFile, releaseFile);
  StartTableViewer(session, "D:\\LOrvo\\Data\\a.Cds", "D:\\LOrvo\\DefSoub\\UctO.Def");
  std::ofstream(releaseFile).put('x');
  EXPECT_EQ(ViewerArgs(), "released\nD:\\LOrvo\\Data\\a.Cds\nD:\\LOrvo\\DefSoub\\UctO.Def\nZobrazeni\n");
}

struct WaitCase {
  const char* name;
  bool viewOnly;
  const char* args;
};

class WaitingViewerTest : public TableViewerTest, public ::testing::WithParamInterface<WaitCase> {};

TEST_P(WaitingViewerTest, WaitsUntilTheViewerEnds) {
  InstallScript("D:\\LOrvo\\Programy\\TabView.Exe", argsFile);
  RunTableViewer(session, "D:\\LOrvo\\Data\\a.Cds", "D:\\Def\\K.Def", GetParam().viewOnly);
  // Written before the call returned.
  EXPECT_EQ(ReadHost(argsFile), GetParam().args);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, WaitingViewerTest,
    ::testing::Values(WaitCase{"viewing", true, "D:\\LOrvo\\Data\\a.Cds\nD:\\Def\\K.Def\nZobrazeni\n"},
                      WaitCase{"editing", false, "D:\\LOrvo\\Data\\a.Cds\nD:\\Def\\K.Def\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TableViewerTest, DiskFileHoldsTheDataRoot) {
  SetDataRoot(session, "D:\\Firma");
  WriteViewerDiskFile(session);
  EXPECT_EQ(Get("C:\\A_Run\\PomSoub\\TabViewDiskP.Def"), "D:\\Firma\r\n");
  EraseViewerDiskFile(*env);
  EXPECT_FALSE(Exists("C:\\A_Run\\PomSoub\\TabViewDiskP.Def"));
}

}  // namespace
}  // namespace orvo::test
