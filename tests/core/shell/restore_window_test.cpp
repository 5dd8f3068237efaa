#include "core/shell/restore_window.h"

#include <gtest/gtest.h>

#include "support/app_fixture.h"
#include "core/shell/layout.h"

namespace orvo::test {
namespace {

constexpr const char* kPostings = "D:\\LOrvo\\Data\\160301UctO.Cds";
constexpr const char* kBalances = "D:\\LOrvo\\Data\\160201UctS.Cds";

class RestoreTest : public AppScratch {
 protected:
  RestoreTest() {
    PrepareLocalTree(*env);
    CreateApplicationTrees(session);
    PutPeriod("16 03");
    PutInit();
    argsFile = root.path() + "/viewer-args";
    InstallScript("D:\\LOrvo\\Programy\\TabView.Exe", argsFile);
    Put(kPostings, "current postings");
    Put(kBalances, "current balances");
    Put("D:\\LOrvo\\Archiv\\160301UctO_002.Cds", "archived postings");
    Put("D:\\LOrvo\\Archiv\\160201UctS_001.Cds", "archived balances");
    window.Show();
  }
  std::string argsFile;
  RestoreWindowModel window{session};
};

TEST_F(RestoreTest, PostingsGenerationIsViewedAndCopiedBack) {
  ui.fileAnswers = {std::string("D:\\LOrvo\\Archiv\\160301UctO_002.Cds")};
  ui.answers = {Answer::Yes};
  EXPECT_TRUE(window.RestorePostings());
  ASSERT_EQ(ui.fileRequests.size(), 1u);
  EXPECT_EQ(ui.fileRequests[0].startDir, "D:\\LOrvo\\Archiv");
  EXPECT_EQ(ui.fileRequests[0].filter,
            "Archivni soubory (160301UctO_*.Cds)|160301UctO_*.Cds");
  EXPECT_EQ(ReadHost(argsFile),
            "D:\\LOrvo\\Archiv\\160301UctO_002.Cds\nD:\\LOrvo\\DefSoub\\UctO.Def\nZobrazeni\n");
  EXPECT_EQ(ui.Single(), Question("Chcete soubor D:\\LOrvo\\Data\\160301UctO.Cds obnovit ?",
                                  "Vstupni soubor:  D:\\LOrvo\\Archiv\\160301UctO_002.Cds"));
  EXPECT_EQ(Get(kPostings), "archived postings");
  EXPECT_EQ(Get("D:\\LOrvo\\Archiv\\160301UctO_002.Cds"), "archived postings");
}

TEST_F(RestoreTest, BalancesUseThePreviousPeriodsKey) {
  ui.fileAnswers = {std::string("D:\\LOrvo\\Archiv\\160201UctS_001.Cds")};
  ui.answers = {Answer::Yes};
  EXPECT_TRUE(window.RestoreBalances());
  EXPECT_EQ(ui.fileRequests[0].filter, "Archivni soubory (160201UctS_*.Cds)|160201UctS_*.Cds");
  EXPECT_EQ(ReadHost(argsFile),
            "D:\\LOrvo\\Archiv\\160201UctS_001.Cds\nD:\\LOrvo\\DefSoub\\UctS.Def\nZobrazeni\n");
  EXPECT_EQ(Get(kBalances), "archived balances");
}

TEST_F(RestoreTest, NoKeepsTheCurrentFile) {
  ui.fileAnswers = {std::string("D:\\LOrvo\\Archiv\\160301UctO_002.Cds")};
  ui.answers = {Answer::No};
  EXPECT_FALSE(window.RestorePostings());
  EXPECT_EQ(Get(kPostings), "current postings");
}

TEST_F(RestoreTest, CancelledDialogDoesNothing) {
  EXPECT_FALSE(window.RestorePostings());
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_FALSE(std::filesystem::exists(argsFile));
  EXPECT_EQ(Get(kPostings), "current postings");
}

// A generation that has gone meanwhile is reported and the current file
// stays.
TEST_F(RestoreTest, VanishedGenerationKeepsTheCurrentFile) {
  ui.fileAnswers = {std::string("D:\\LOrvo\\Archiv\\160301UctO_009.Cds")};
  ui.answers = {Answer::Yes};
  EXPECT_FALSE(window.RestorePostings());
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[1],
            Error("Soubor:\r\r\"D:\\LOrvo\\Archiv\\160301UctO_009.Cds\"\r\r     - nebyl nalezen !"));
  EXPECT_EQ(Get(kPostings), "current postings");
}

}  // namespace
}  // namespace orvo::test
