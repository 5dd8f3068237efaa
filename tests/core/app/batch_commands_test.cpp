#include "core/app/batch_commands.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/app_fixture.h"
#include "core/shell/access_file.h"
#include "core/shell/layout.h"
#include "core/shell/scramble.h"

namespace orvo::test {
namespace {

constexpr const char* kAccess = "C:\\A_Run\\PristPr\\LOrv.H";
const BatchCredentials kAdmin{"Admin", "Qzpfr"};

class BatchTest : public AppScratch {
 protected:
  BatchTest() {
    RunValues fresh(*env);
    session.period = fresh.period;  // the commands configure it themselves
  }
  void PutRecords(const std::vector<AccessRecord>& records) {
    Put(kAccess, Scramble(BuildAccessImage(records)));
  }
  std::vector<AccessRecord> Stored() { return ParseAccessImage(Unscramble(Get(kAccess))); }
  std::ostringstream out;
};

TEST_F(BatchTest, InstallCreatesBothTreesAndTheDefaultAccessFile) {
  EXPECT_EQ(BatchInstall(session, kAdmin, out), kBatchOk);
  EXPECT_TRUE(fs->DirExists("C:\\A_Run\\Work"));
  EXPECT_TRUE(fs->DirExists("C:\\A_Run\\Aplikace\\LOrvo\\RegPokl"));
  EXPECT_TRUE(fs->DirExists("D:\\LOrvo\\Programy"));
  EXPECT_TRUE(Exists(kAccess));
  EXPECT_EQ(out.str(), "C:\\A_Run\nD:\\LOrvo\nD:\\LOrvo\\PomSoub\\UctInic.TXT\n");
  EXPECT_TRUE(ui.messages.empty());
}

// The first install on a computer makes its user the administrator, writes
// the initialisation file (with the names given, placeholders for the rest)
// and logs in with it.
TEST_F(BatchTest, FirstInstallMakesItsUserTheAdministrator) {
  EXPECT_EQ(BatchInstall(session, {"Jana", "j1"}, out, {"07 Zavod Sever", "", ""}), kBatchOk);
  EXPECT_EQ(Stored(), (std::vector<AccessRecord>{{"Jana", "j1", "Admin"}}));
  EXPECT_EQ(session.UserRole, "Admin");
  EXPECT_EQ(Get("D:\\LOrvo\\PomSoub\\UctInic.TXT"),
            "07 Zavod Sever\r\n01 Sprava (doplnte nazev)\r\n01 Stredisko (doplnte nazev)\r\n\r\n");
  EXPECT_TRUE(ui.messages.empty());
  // A reserved name or no password makes no administrator.
  fs->SetAttributes(kAccess, kAttrArchive);
  fs->Remove(kAccess);
  EXPECT_EQ(BatchInstall(session, {"Kor_Kor", ""}, out), kBatchUsage);
  EXPECT_FALSE(Exists(kAccess));
}

TEST_F(BatchTest, WrongPasswordIsRefusedWithTheLoginMessage) {
  PutRecords({{"Admin", "Qzpfr", "Admin"}});
  EXPECT_EQ(BatchInstall(session, {"Admin", "x"}, out), kBatchRefused);
  EXPECT_EQ(ui.Single(), Info("Chybne zadane jmeno nebo heslo !"));
  EXPECT_FALSE(fs->DirExists("D:\\LOrvo"));
}

TEST_F(BatchTest, RoleOutsideTheSevenIsRefused) {
  PutRecords({{"Host", "h", "Guest"}});
  EXPECT_EQ(BatchArchive(session, {"Host", "h"}, out), kBatchRefused);
  EXPECT_EQ(ui.Single(), Error("Pro tuto oblast nemate opravneni !"));
}

TEST_F(BatchTest, PeriodShowSetPrevNext) {
  PutPeriod("16 03");
  EXPECT_EQ(BatchPeriod(session, kAdmin, {}, out), kBatchOk);
  EXPECT_EQ(BatchPeriod(session, kAdmin, {"set", "1612"}, out), kBatchOk);
  EXPECT_EQ(BatchPeriod(session, kAdmin, {"next"}, out), kBatchOk);
  EXPECT_EQ(BatchPeriod(session, kAdmin, {"prev"}, out), kBatchOk);
  EXPECT_EQ(BatchPeriod(session, kAdmin, {"show"}, out), kBatchOk);
  EXPECT_EQ(out.str(), "16 03\n16 12\n16 13\n16 12\n16 12\n");
  EXPECT_EQ(Get(kPeriodFile), "16 12\r\n");
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(BatchTest, PeriodEntryIsCheckedAsInTheDialog) {
  PutPeriod("16 03");
  EXPECT_EQ(BatchPeriod(session, kAdmin, {"set", "1621"}, out), kBatchFailed);
  EXPECT_EQ(ui.Single(), Error("Chybne zadane obdobie !", "Obdobie: 1621"));
  EXPECT_EQ(Get(kPeriodFile), "16 03\r\n");
}

TEST_F(BatchTest, PeriodWrapsAtMonth15AndRefusesAThreeDigitYear) {
  PutPeriod("99 15");
  EXPECT_EQ(BatchPeriod(session, kAdmin, {"next"}, out), kBatchFailed);
  EXPECT_EQ(ui.Single(), Error("Chybne zadane obdobie: 100 00", "Zmena nebude provedena !"));
  EXPECT_EQ(Get(kPeriodFile), "99 15\r\n");
}

TEST_F(BatchTest, PeriodChangeNeedsOneOfThreeRoles) {
  PutPeriod("16 03");
  PutRecords({{"Eva", "e", "Prohl"}, {"Dan", "d", "AdmDef"}});
  EXPECT_EQ(BatchPeriod(session, {"Eva", "e"}, {"show"}, out), kBatchOk);
  EXPECT_EQ(BatchPeriod(session, {"Eva", "e"}, {"next"}, out), kBatchRefused);
  EXPECT_EQ(ui.Single(), Error("Pro tuto oblast nemate opravneni !"));
  EXPECT_EQ(BatchPeriod(session, {"Dan", "d"}, {"next"}, out), kBatchOk);
  EXPECT_EQ(out.str(), "16 03\n16 04\n");
}

TEST_F(BatchTest, PeriodUsageErrors) {
  PutPeriod("16 03");
  EXPECT_EQ(BatchPeriod(session, kAdmin, {"set"}, out), kBatchUsage);
  EXPECT_EQ(BatchPeriod(session, kAdmin, {"later"}, out), kBatchUsage);
  EXPECT_EQ(BatchPeriod(session, kAdmin, {"show", "x"}, out), kBatchUsage);
}

TEST_F(BatchTest, UsersAddListRemove) {
  EXPECT_EQ(BatchUsers(session, kAdmin, {"add", "Jan", "ab", "Sprav"}, out), kBatchOk);
  EXPECT_EQ(BatchUsers(session, kAdmin, {"add", "Jan", "ab", "Obraty"}, out), kBatchOk);
  EXPECT_EQ(BatchUsers(session, kAdmin, {"list"}, out), kBatchOk);
  EXPECT_EQ(out.str(), "Admin\tAdmin\nJan\tSprav\nJan\tObraty\n");
  EXPECT_EQ(BatchUsers(session, {"Jan", "ab"}, {"list"}, out), kBatchRefused);
  EXPECT_EQ(ui.Single(), Error("Pro tuto oblast nemate opravneni !"));
  ui.Clear();
  EXPECT_EQ(BatchUsers(session, kAdmin, {"remove", "Jan"}, out), kBatchOk);
  EXPECT_EQ(Stored(), (std::vector<AccessRecord>{{"Admin", "Qzpfr", "Admin"}}));
  EXPECT_EQ(BatchUsers(session, kAdmin, {"remove", "Jan"}, out), kBatchFailed);
  EXPECT_EQ(ui.Single(), Error("Uzivatel Jan nebyl nalezen !", "  Zadani pristupovych prav"));
}

// The login of the added user works through the same check.
TEST_F(BatchTest, AddedUserCanLogIn) {
  EXPECT_EQ(BatchUsers(session, kAdmin, {"add", "Eva", "heslo", "Sprav"}, out), kBatchOk);
  PutPeriod("16 03");
  EXPECT_EQ(BatchPeriod(session, {" Eva ", "heslo"}, {"next"}, out), kBatchOk);
  EXPECT_EQ(session.UserRights, "|Sprav|");
}

TEST_F(BatchTest, UserWithSeparatorIsRefused) {
  EXPECT_EQ(BatchUsers(session, kAdmin, {"add", "J\xFAlius", "x", "Sprav"}, out), kBatchFailed);
  EXPECT_EQ(Stored().size(), 1u);
}

TEST_F(BatchTest, UserWithoutPasswordOrWithAReservedNameIsRefused) {
  EXPECT_EQ(BatchUsers(session, kAdmin, {"add", "Eva", "", "Prohl"}, out), kBatchFailed);
  EXPECT_EQ(BatchUsers(session, kAdmin, {"add", "Pilot_Nad", "x", "Prohl"}, out), kBatchFailed);
  EXPECT_EQ(Stored(), (std::vector<AccessRecord>{{"Admin", "Qzpfr", "Admin"}}));
}

TEST_F(BatchTest, ArchivePrintsTheArchivedFiles) {
  PutPeriod("16 03");
  PutInit();
  PrepareLocalTree(*env);
  CreateApplicationTrees(session);
  Put("D:\\LOrvo\\Data\\160301UctO.Cds", "postings");
  EXPECT_EQ(BatchArchive(session, kAdmin, out), kBatchOk);
  EXPECT_EQ(BatchArchive(session, kAdmin, out), kBatchOk);
  EXPECT_EQ(out.str(), "D:\\LOrvo\\Data\\160301UctO.Cds\n");
  EXPECT_EQ(Get("D:\\LOrvo\\Archiv\\160301UctO_001.Cds"), "postings");
}

TEST_F(BatchTest, MissingInitFileEndsTheCommand) {
  PutPeriod("16 03");
  EXPECT_EQ(BatchArchive(session, kAdmin, out), kBatchEnded);
  EXPECT_EQ(ui.Single(),
            Error("Soubor:\r\r\"D:\\LOrvo\\PomSoub\\UctInic.TXT\"\r\r     - nebyl nalezen !"));
}

}  // namespace
}  // namespace orvo::test
