#include "core/shell/layout.h"

#include <gtest/gtest.h>

#include "support/app_fixture.h"
#include "core/shell/init_file.h"
#include "core/sys/termination.h"

namespace orvo::test {
namespace {

const char* const kLocalDirs[] = {
    "C:\\A_Run\\Aplikace", "C:\\A_Run\\Archiv",    "C:\\A_Run\\DefSoub",  "C:\\A_Run\\ExecR",
    "C:\\A_Run\\Dokum",    "C:\\A_Run\\Uzivatele", "C:\\A_Run\\OtevSoub", "C:\\A_Run\\PristPr",
    "C:\\A_Run\\PomSoub",  "C:\\A_Run\\Sestavy",   "C:\\A_Run\\Work"};
const char* const kAppSubdirs[] = {"Programy", "DefSoub", "PomSoub", "LdbSoub", "RidSoub",
                                   "Cisel",    "Dokum",   "Xml",     "Dbf",     "Csv",
                                   "Prevody",  "PrevDos", "Archiv",  "Data"};
const char* const kLocalAppSubdirs[] = {"Data",   "Cisel", "PomSoub", "Sestavy",
                                        "Archiv", "Dokum", "RegPokl"};

TEST_F(AppScratch, PrepareCreatesBothTrees) {
  PrepareLocalTree(*env);
  PrepareDirectories(session);
  for (const char* dir : kLocalDirs) EXPECT_TRUE(fs->DirExists(dir)) << dir;
  for (const char* sub : kLocalAppSubdirs) {
    EXPECT_TRUE(fs->DirExists(std::string("C:\\A_Run\\Aplikace\\LOrvo\\") + sub)) << sub;
  }
  for (const char* sub : kAppSubdirs) {
    EXPECT_TRUE(fs->DirExists(std::string("D:\\LOrvo\\") + sub)) << sub;
  }
}

// A directory that cannot be made is no reason to stop: the rest is made.
TEST_F(AppScratch, CreationErrorsAreIgnored) {
  Put("D:\\LOrvo\\Xml", "a file where a directory belongs");
  PrepareLocalTree(*env);
  CreateApplicationTrees(session);
  EXPECT_TRUE(fs->DirExists("D:\\LOrvo\\Data"));
  EXPECT_TRUE(fs->FileExists("D:\\LOrvo\\Xml"));
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(AppScratch, PrepareCopiesOnlyMissingDefaults) {
  Put("D:\\LOrvo\\PomSoub\\UctObd.Txt", "new");
  Put("D:\\LOrvo\\PomSoub\\Kept.Txt", "new");
  Put("C:\\A_Run\\Aplikace\\LOrvo\\PomSoub\\Kept.Txt", "local");
  Put("D:\\LOrvo\\Dokum\\Navod.Txt", "doc");
  Put("D:\\LOrvo\\DefSoub\\LDokl.Def", "def");
  Put("D:\\LOrvo\\DefSoub\\LDoklP.Def", "defP");
  Put("D:\\LOrvo\\DefSoub\\LDoklZ.Def", "defZ");
  Put("D:\\LOrvo\\PomSoub\\LDoklP.Def", "own");
  PrepareLocalTree(*env);
  PrepareDirectories(session);
  EXPECT_EQ(Get("C:\\A_Run\\Aplikace\\LOrvo\\PomSoub\\UctObd.Txt"), "new");
  EXPECT_EQ(Get("C:\\A_Run\\Aplikace\\LOrvo\\PomSoub\\Kept.Txt"), "local");
  EXPECT_EQ(Get("C:\\A_Run\\Aplikace\\LOrvo\\Dokum\\Navod.Txt"), "doc");
  EXPECT_EQ(Get("D:\\LOrvo\\PomSoub\\LDokl.Def"), "def");
  EXPECT_EQ(Get("D:\\LOrvo\\PomSoub\\LDoklP.Def"), "own");
  EXPECT_EQ(Get("D:\\LOrvo\\PomSoub\\LDoklZ.Def"), "defZ");
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(AppScratch, ReadInitFileTakesFourLinesAndTheUnitKey) {
  PutInit("01 Zavod Jih", "02 Sprava", "03 Stredisko", " D:\\ DATA  \\OLD ");
  ReadInitFile(session);
  EXPECT_EQ(session.PlantName, "01 Zavod Jih");
  EXPECT_EQ(session.AdminUnitName, "02 Sprava");
  EXPECT_EQ(session.CostCentreName, "03 Stredisko");
  EXPECT_EQ(session.LegacyDataDir, "D:\\DATA\\OLD");
  EXPECT_EQ(session.UnitKey, "010203");
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(AppScratch, ReadInitFileGivesEmptyValuesForMissingLines) {
  Put(kInitFile, "X\r\nAB");
  session.CostCentreName = "old";
  session.LegacyDataDir = "old";
  ReadInitFile(session);
  EXPECT_EQ(session.PlantName, "X");
  EXPECT_EQ(session.AdminUnitName, "AB");
  EXPECT_EQ(session.CostCentreName, "");
  EXPECT_EQ(session.LegacyDataDir, "");
  EXPECT_EQ(session.UnitKey, "XAB");
}

TEST_F(AppScratch, MissingInitFileEndsTheApplication) {
  EXPECT_THROW(ReadInitFile(session), Termination);
  EXPECT_EQ(ui.Single(),
            Error("Soubor:\r\r\"D:\\LOrvo\\PomSoub\\UctInic.TXT\"\r\r     - nebyl nalezen !"));
}

}  // namespace
}  // namespace orvo::test
