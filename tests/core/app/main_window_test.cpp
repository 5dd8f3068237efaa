#include "core/app/main_window.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "support/app_fixture.h"
#include "core/shell/layout.h"
#include "core/shell/login.h"
#include "core/sys/termination.h"

namespace orvo::test {
namespace {

TEST(MainCaption, ShortensBlankRunsFromNinetySixDotsPerInch) {
  EXPECT_EQ(MainCaption(95), "Orvo" + std::string(44, ' ') + "Verze 1.5    01.03.2016");
  EXPECT_EQ(MainCaption(96), "Orvo" + std::string(9, ' ') + "Verze 1.5    01.03.2016");
  EXPECT_EQ(MainCaption(120), MainCaption(96));
}

class MainWindowModelTest : public AppScratch {
 protected:
  MainWindowModelTest() { session.DataRoot.clear(); }
  void PutInstallation() {
    PutInit();
    PutPeriod("16 03");
    Put("D:\\LOrvo\\PomSoub\\UctObd.Txt", "Obdobi\r\n");
    for (const char* name : {"LDokl.Def", "LDoklP.Def", "LDoklZ.Def"}) {
      Put(std::string("D:\\LOrvo\\DefSoub\\") + name, "x\r\n");
    }
  }
  // Created and shown on D:, logged in as `role`.
  void Ready(const std::string& role = "Admin", const std::string& rights = "|Admin|") {
    PutInstallation();
    model.Create({"D:"});
    model.Show();
    session.UserName = "Jana";
    session.UserRole = role;
    session.UserRights = rights;
    ui.Clear();
  }
  MainWindowModel model{session};
};

TEST_F(MainWindowModelTest, WithoutParameterEndsBeforeAnythingIsMade) {
  EXPECT_THROW(model.Create({}), Termination);
  EXPECT_EQ(ui.Single(), Info("Nedostatecny pocet parametru", "Orvo"));
  EXPECT_FALSE(Exists("C:\\A_Run"));
}

TEST_F(MainWindowModelTest, DateOfTheWrongFormEndsBeforeAnythingIsMade) {
  clock.shortDateOverride = "2016-03-15";
  EXPECT_THROW(model.Create({"D:"}), Termination);
  EXPECT_EQ(ui.Single(), Error("Datum:  2016-03-15\r\rOperacni system ma nastaven spatny format "
                               "Datumu !\r\rProgram bude ukoncen."));
  EXPECT_FALSE(Exists("C:\\A_Run"));
}

TEST_F(MainWindowModelTest, DataRootThatCannotBeFoundEnds) {
  // A name without a drive is looked for on the drive holding the marker
  // directory; there is none here.
  EXPECT_THROW(model.Create({"Data"}), Termination);
  EXPECT_EQ(ui.Single(), Error("Adresar s daty:\r\r\"Data\"\r\r     - nebyl nalezen !\r\r"
                               "Program bude ukoncen."));
  EXPECT_TRUE(session.DataRoot.empty());
}

TEST_F(MainWindowModelTest, CreationSetsTheDataRootAndProgramsDir) {
  model.Create({"D:", "ignored"});
  EXPECT_EQ(session.DataRoot, "D:");
  EXPECT_EQ(session.ProgramsDir, "D:\\LOrvo\\Programy");
  EXPECT_TRUE(model.FirstActivationPending());
}

TEST_F(MainWindowModelTest, ShowingPreparesTreesFilesAndPeriod) {
  PutInstallation();
  model.Create({"D:"});
  model.Show();
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(Get("C:\\A_Run\\PomSoub\\TabViewDiskP.Def"), "D:\r\n");
  EXPECT_EQ(fs->CurrentDir(), "D:\\LOrvo");
  EXPECT_EQ(Get("C:\\A_Run\\Aplikace\\LOrvo\\PomSoub\\UctObd.Txt"), "Obdobi\r\n");
  EXPECT_TRUE(Exists("C:\\A_Run\\Work"));
  EXPECT_TRUE(Exists("D:\\LOrvo\\Archiv"));
  EXPECT_EQ(model.PlantLabel(), "Zavod:      01 Zavod Jih");
  EXPECT_EQ(model.AdminUnitLabel(), "Sprava:     02 Sprava");
  EXPECT_EQ(model.CostCentreLabel(), "Stredisko:  03 Stredisko");
  EXPECT_EQ(model.PeriodLabel(), "Ucetni obdobi: 16 03");
  EXPECT_EQ(model.BackgroundPicture(), "");
  Put("D:\\LOrvo\\PomSoub\\Orvo.Jpg", "jpeg");
  EXPECT_EQ(model.BackgroundPicture(), "D:\\LOrvo\\PomSoub\\Orvo.Jpg");
}

TEST_F(MainWindowModelTest, MissingInitialisationFileEndsTheShowing) {
  model.Create({"D:"});
  EXPECT_THROW(model.Show(), Termination);
  ASSERT_FALSE(ui.messages.empty());
  EXPECT_NE(ui.messages.back().text.find("UctInic.TXT"), std::string::npos);
}

TEST_F(MainWindowModelTest, AfterLoginGreetsArchivesAndEntersTheDataDirectory) {
  Ready("Sprav", "|Sprav|");
  Put("D:\\LOrvo\\Data\\160301UctO.Cds", "postings");
  model.AfterLogin();
  EXPECT_FALSE(model.FirstActivationPending());
  EXPECT_FALSE(model.DosMenuVisible());
  EXPECT_EQ(ui.Single(), Info("Prihlasen:     Jana\r\rStatus:           Sprav\r\r"
                              "Lokalni disk:  C:\rPracovni disk:  D:",
                              "Aplikace spustena"));
  EXPECT_EQ(ui.notices, std::vector<std::string>{"Orvo:  Prebiha archivace databasi !"});
  EXPECT_TRUE(Exists("D:\\LOrvo\\Archiv\\160301UctO_001.Cds"));
  EXPECT_EQ(fs->CurrentDir(), "D:\\LOrvo\\Data");
}

TEST_F(MainWindowModelTest, RoleOutsideTheSevenEndsSilently) {
  Ready("Gast", "|Gast|");
  EXPECT_THROW(model.AfterLogin(), Termination);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_TRUE(model.FirstActivationPending());
}

struct FreeCase {
  const char* name;
  std::optional<uint64_t> bytes;
  bool starts;
};

class FreeSpaceCheck : public MainWindowModelTest, public ::testing::WithParamInterface<FreeCase> {};

TEST_P(FreeSpaceCheck, NeedsFiveHundredMillionBytes) {
  Ready();
  fs->SetFreeSpaceSource([](char letter) -> std::optional<uint64_t> {
    return letter == 'D' ? GetParam().bytes : std::optional<uint64_t>(0);
  });
  if (GetParam().starts) {
    model.AfterLogin();
    EXPECT_EQ(ui.Single().caption, "Aplikace spustena");
  } else {
    EXPECT_THROW(model.AfterLogin(), Termination);
    EXPECT_EQ(ui.Single(), Error("Na disku \"D:\" je mene nez 500 MB volneho mista !\r\r"
                                 "Program bude ukoncen."));
  }
}

INSTANTIATE_TEST_SUITE_P(Bytes, FreeSpaceCheck,
                         ::testing::Values(FreeCase{"OneShort", 499999999, false},
                                           FreeCase{"Exactly", 500000000, true},
                                           FreeCase{"Unknown", std::nullopt, false}),
                         [](const auto& info) { return std::string(info.param.name); });

struct GuardCase {
  const char* name;
  MenuAction action;
  const char* role;
  const char* rights;
  bool allowed;
  bool message;
};

class MenuGuards : public MainWindowModelTest, public ::testing::WithParamInterface<GuardCase> {};

TEST_P(MenuGuards, RightsSayNoAndRolesStaySilent) {
  Ready(GetParam().role, GetParam().rights);
  EXPECT_EQ(model.Allowed(GetParam().action), GetParam().allowed);
  if (GetParam().message) {
    EXPECT_EQ(ui.Single(), Error("Pro tuto oblast nemate opravneni !"));
  } else {
    EXPECT_TRUE(ui.messages.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Items, MenuGuards,
    ::testing::Values(
        GuardCase{"ObratyProhl", MenuAction::DataObraty, "Prohl", "|Prohl|", false, true},
        GuardCase{"ObratySprav", MenuAction::DataObraty, "Sprav", "|Sprav|", true, false},
        GuardCase{"ObratyAdminRight", MenuAction::DataObraty, "Obraty", "|Admin|Obraty|", true,
                  false},
        GuardCase{"StavyObratyRole", MenuAction::DataStavy, "Obraty", "|Obraty|", false, true},
        GuardCase{"ObnovaSprav", MenuAction::ObnovaDat, "Stavy", "|Stavy|Sprav|", true, false},
        GuardCase{"DefInicAdmDef", MenuAction::DefInic, "AdmDef", "|AdmDef|", true, false},
        GuardCase{"DefRozvAdmCis", MenuAction::DefRozv, "AdmCis", "|AdmCis|", false, true},
        GuardCase{"ObdobiAdmDef", MenuAction::NObdobi, "AdmDef", "|AdmDef|", true, false},
        GuardCase{"ObdobiProhl", MenuAction::NObdobi, "Prohl", "|Prohl|", false, false},
        GuardCase{"ObdobiToolBar", MenuAction::NObdobi, "Obraty", "|Obraty|", false, false},
        GuardCase{"UzavMesAdmDef", MenuAction::UzavMes, "AdmDef", "|AdmDef|", false, false},
        GuardCase{"RocUzavSprav", MenuAction::RocUzav, "Sprav", "|Sprav|", true, false},
        GuardCase{"DenikUnguarded", MenuAction::PrehUctDenik, "Stavy", "|Stavy|", true, false},
        GuardCase{"CalendarToolBar", MenuAction::Datum, "Stavy", "|Stavy|", true, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowModelTest, MasterUserPassesEveryRightsCheck) {
  Ready("Admin", "|");
  CheckLogin(session, "", "Kor_Kor", "");
  EXPECT_TRUE(model.Allowed(MenuAction::DataStavy));
  EXPECT_TRUE(ui.messages.empty());
}

TEST(MainMenu, EveryItemHasItsHandlerAndTheToolBarSix) {
  int items = 0;
  for (const MenuEntry& e : MainMenu()) {
    if (e.action == MenuAction::None) continue;
    ++items;
    EXPECT_FALSE(e.handler.empty()) << e.caption;
    EXPECT_EQ(MenuEntryOf(e.action), &e) << e.caption;
  }
  EXPECT_EQ(items, 49);
  ASSERT_EQ(MainToolBar().size(), 6u);
  EXPECT_EQ(MainToolBar()[0].hint, "Zpracovani ucetnich dokladu");
  EXPECT_EQ(MainToolBar()[5].hint, "Ukonceni programu");
  EXPECT_EQ(MenuEntryOf(MenuAction::Datum), nullptr);
}

class MainWindowPrograms : public MainWindowModelTest {
 protected:
  std::string WaitForArgs(const std::string& file) {
    for (int i = 0; i < 600 && !std::filesystem::exists(file); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return ReadHost(file);
  }
};

TEST_F(MainWindowPrograms, TablesGoToTheViewerThroughTheHandOverFile) {
  Ready();
  const std::string args = root.path() + "/viewer-args";
  InstallScript("D:\\LOrvo\\Programy\\TabView.Exe", args);
  Put("D:\\LOrvo\\Data\\160301UctO.Cds", "postings");
  model.Perform(MenuAction::TabObraty);
  EXPECT_EQ(WaitForArgs(args), "C:\\A_Run\\Work\\TabView.Ldb\n");
  EXPECT_EQ(Get("C:\\A_Run\\Work\\TabView.Ldb"),
            "C:\\A_Run\\Work\\TabView_Data.Cds\r\nD:\\LOrvo\\DefSoub\\UctO.Def\r\nOrvo\r\n"
            "Prehled obratu\r\nZobrazeni\r\n");
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(MainWindowPrograms, BalanceTableNamesTheMissingFile) {
  Ready();
  model.Perform(MenuAction::TabStavy);
  EXPECT_EQ(ui.Single(),
            Error("Soubor:\r\r\"D:\\LOrvo\\Data\\160201UctS.Cds\"\r\r     - nebyl nalezen !"));
}

TEST_F(MainWindowPrograms, EditorGetsTheApplicationDirectory) {
  Ready();
  const std::string args = root.path() + "/editor-args";
  InstallScript("D:\\LOrvo\\Programy\\LinePad.Exe", args);
  model.Perform(MenuAction::EditAt);
  EXPECT_EQ(WaitForArgs(args), "D:\\LOrvo\n");
}

TEST_F(MainWindowPrograms, PictureViewerIsWaitedForWithoutParameters) {
  Ready();
  const std::string args = root.path() + "/viewer-args";
  InstallScript("D:\\LOrvo\\Programy\\ImgView.Exe", args);
  model.Perform(MenuAction::ProhlObr);
  // Waited for: its arguments are there as soon as the call returns.
  EXPECT_TRUE(std::filesystem::exists(args));
  EXPECT_EQ(ReadHost(args), "\n");
}

TEST_F(MainWindowModelTest, ClosingWithNoKeepsEverything) {
  Ready();
  Put("C:\\A_Run\\Work\\Orvoork.Cds", "w");
  ui.answers.push_back(Answer::No);
  EXPECT_FALSE(model.CloseQuery());
  EXPECT_EQ(ui.Single(), Question("Ukoncit program ?", "Orvo"));
  EXPECT_TRUE(Exists("C:\\A_Run\\Work\\Orvoork.Cds"));
  EXPECT_TRUE(Exists("C:\\A_Run\\PomSoub\\TabViewDiskP.Def"));
}

TEST_F(MainWindowModelTest, ClosingWithYesEmptiesWorkAndReports) {
  Ready();
  Put("C:\\A_Run\\Work\\Orvoork.Cds", "w");
  Put("C:\\A_Run\\Work\\Stary.Cds", "old");
  Put("C:\\A_Run\\Sestavy\\Denik.Ses", "r");
  Put("D:\\LOrvo\\Data\\160301UctO.Cds", "kept");
  ui.answers.push_back(Answer::Yes);
  EXPECT_TRUE(model.CloseQuery());
  EXPECT_TRUE(std::filesystem::is_empty(Host("C:\\A_Run\\Work")));
  EXPECT_TRUE(std::filesystem::is_empty(Host("C:\\A_Run\\Sestavy")));
  EXPECT_FALSE(Exists("C:\\A_Run\\PomSoub\\TabViewDiskP.Def"));
  EXPECT_TRUE(Exists("D:\\LOrvo\\Data\\160301UctO.Cds"));
}

// The disk hand-over file goes also when a message ends the application
// (here the missing initialisation file), not only after "Ukoncit program ?".
TEST_F(MainWindowModelTest, HandOverFileGoesWhenAMessageEndsTheApplication) {
  PutPeriod("16 03");
  {
    MainWindowModel shown{session};
    shown.Create({"D:"});
    EXPECT_THROW(shown.Show(), Termination);
    EXPECT_TRUE(Exists("C:\\A_Run\\PomSoub\\TabViewDiskP.Def"));
  }
  EXPECT_FALSE(Exists("C:\\A_Run\\PomSoub\\TabViewDiskP.Def"));
}

TEST_F(MainWindowModelTest, SecondLockIsRefusedWithItsMessage) {
  bool refused = true;
  auto first = TakeInstanceLock(*env, &refused);
  ASSERT_TRUE(first);
  EXPECT_FALSE(refused);
  auto second = TakeInstanceLock(*env, &refused);
  EXPECT_FALSE(second);
  EXPECT_TRUE(refused);
  EXPECT_EQ(ui.Single(),
            Info("Program je jiz na tomto pocitaci spusten !", "Jmeno programu:  Orvo.Exe"));
  first.reset();
  ui.Clear();
  EXPECT_TRUE(TakeInstanceLock(*env, &refused));
  EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace orvo::test
