#include "core/shell/rights_admin.h"

#include <gtest/gtest.h>

#include "support/app_fixture.h"
#include "core/shell/scramble.h"
#include "core/sys/termination.h"

namespace orvo::test {
namespace {

constexpr const char* kAccess = "C:\\A_Run\\PristPr\\LOrv.H";

class RightsAdminTest : public AppScratch {
 protected:
  RightsAdminTest() {
    session.UserName = "Admin";
    session.UserRole = "Admin";
    PutRecords({{"Admin", "Qzpfr", "Admin"}, {"Jan", "ab", "Sprav"}});
  }
  void PutRecords(const std::vector<AccessRecord>& records) {
    Put(kAccess, Scramble(BuildAccessImage(records)));
  }
  std::vector<AccessRecord> Stored() { return ParseAccessImage(Unscramble(Get(kAccess))); }
  void SetRow(int row, const char* name, const char* password, const char* role) {
    admin.SetCell(row, 0, name);
    admin.SetCell(row, 1, password);
    admin.SetCell(row, 2, role);
  }
  RightsAdminModel admin{session};
};

TEST_F(RightsAdminTest, ShowFillsTheGridAndErasesTheUsersMarker) {
  Put("C:\\A_Run\\Uzivatele\\LOrv_Admin.J", "");
  Put("C:\\A_Run\\Uzivatele\\LOrv_Jan.J", "");
  EXPECT_TRUE(admin.Show());
  EXPECT_EQ(admin.Row(1), (AccessRecord{"Jan", "ab", "Sprav"}));
  EXPECT_EQ(admin.Row(2), AccessRecord{});
  EXPECT_FALSE(Exists("C:\\A_Run\\Uzivatele\\LOrv_Admin.J"));
  EXPECT_TRUE(Exists("C:\\A_Run\\Uzivatele\\LOrv_Jan.J"));
}

TEST_F(RightsAdminTest, StoresTrimmedRowsUpToTheFirstBlankName) {
  admin.Show();
  SetRow(2, "  Eva ", " e1 ", " Prohl ");
  SetRow(3, "   ", "lost", "Admin");
  SetRow(4, "Petr", "p", "Stavy");
  EXPECT_TRUE(admin.Close());
  EXPECT_EQ(Stored(), (std::vector<AccessRecord>{
                          {"Admin", "Qzpfr", "Admin"}, {"Jan", "ab", "Sprav"}, {"Eva", "e1", "Prohl"}}));
  ExpectProtected(kAccess);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(RightsAdminTest, InsertAndDeleteMoveTheRows) {
  admin.Show();
  SetRow(RightsAdminModel::kRows - 1, "Last", "l", "Prohl");
  admin.InsertRow(1);
  EXPECT_EQ(admin.Row(1), AccessRecord{});
  EXPECT_EQ(admin.Row(2).name, "Jan");
  EXPECT_EQ(admin.Row(RightsAdminModel::kRows - 1), AccessRecord{});  // fell off

  ui.answers = {Answer::No, Answer::Yes};
  admin.DeleteRow(0);
  EXPECT_EQ(admin.Row(0).name, "Admin");
  admin.DeleteRow(0);
  EXPECT_EQ(admin.Row(0), AccessRecord{});
  EXPECT_EQ(admin.Row(1).name, "Jan");
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[1], Question("Naozaj chceme riadok zrusit ?"));
  // Row 0 is now blank, so nothing would be stored.
  EXPECT_TRUE(admin.RecordsToStore().empty());
}

TEST_F(RightsAdminTest, RecordsThatDoNotFitAreRefusedAndTheOldFileKept) {
  admin.Show();
  std::string before = Get(kAccess);
  std::string longText(70, 'x');
  for (int row = 2; row < RightsAdminModel::kRows; ++row) {
    SetRow(row, ("U" + std::to_string(row)).c_str(), longText.c_str(), "Prohl");
  }
  EXPECT_FALSE(admin.Close());
  EXPECT_EQ(ui.Single(),
            Error("Pristupova prava se nevejdou do souboru (nejvyse 9999 bajtu) !\r\r"
                  "Soubor C:\\A_Run\\PristPr\\LOrv.H zustava beze zmeny.",
                  "  Zadani pristupovych prav"));
  EXPECT_EQ(Get(kAccess), before);
}

TEST_F(RightsAdminTest, TheLargestStoredFileIsReadBackWhole) {
  admin.Show();
  // 2 + 198 records; the last ones are cut until the image is exactly 9999.
  std::string text(20, 'y');
  for (int row = 2; row < RightsAdminModel::kRows; ++row) {
    SetRow(row, ("U" + std::to_string(row)).c_str(), text.c_str(), "Obraty");
  }
  // Fill the rest up to exactly the limit with the last password.
  std::vector<AccessRecord> records = admin.RecordsToStore();
  size_t size = BuildAccessImage(records).size();
  ASSERT_LT(size, kAccessFileMaxSize);
  std::string last = text + std::string(kAccessFileMaxSize - size, 'z');
  admin.SetCell(RightsAdminModel::kRows - 1, 1, last);
  EXPECT_TRUE(admin.Close());
  EXPECT_EQ(Get(kAccess).size(), kAccessFileMaxSize);
  std::vector<AccessRecord> stored = Stored();
  ASSERT_EQ(stored.size(), 200u);
  EXPECT_EQ(stored.back().password, last);
}

TEST_F(RightsAdminTest, SeparatorBytesInACellAreRefused) {
  admin.Show();
  std::string before = Get(kAccess);
  SetRow(2, "J\xFAlius", "x", "Prohl");
  EXPECT_FALSE(admin.Close());
  EXPECT_EQ(ui.Single(), Error("Radek 3 obsahuje nepovoleny znak !\r\rPristupova prava nebyla ulozena.",
                               "  Zadani pristupovych prav"));
  EXPECT_EQ(Get(kAccess), before);
}

TEST_F(RightsAdminTest, RoleWithABarIsRefused) {
  admin.Show();
  SetRow(2, "Eva", "x", "Prohl|Admin");
  EXPECT_FALSE(admin.Close());
  EXPECT_EQ(ui.messages.size(), 1u);
}

struct RefusedRow {
  const char* name;
  const char* user;
  const char* password;
  const char* message;
};

class RefusedRowTest : public RightsAdminTest, public ::testing::WithParamInterface<RefusedRow> {};

// A row without a password would admit anyone typing nothing; the names of
// the master login must not be taken by a stored user.
TEST_P(RefusedRowTest, IsRefusedAndTheOldFileKept) {
  const RefusedRow& c = GetParam();
  admin.Show();
  std::string before = Get(kAccess);
  SetRow(2, c.user, c.password, "Prohl");
  EXPECT_FALSE(admin.Close());
  EXPECT_EQ(ui.Single(), Error(c.message, "  Zadani pristupovych prav"));
  EXPECT_EQ(Get(kAccess), before);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RefusedRowTest,
    ::testing::Values(
        RefusedRow{"empty_password", "Eva", "  ",
                   "Radek 3 nema pristupove heslo !\r\rPristupova prava nebyla ulozena."},
        RefusedRow{"master_display_name", "Pilot_Nad", "x",
                   "Radek 3: jmeno Pilot_Nad je vyhrazeno !\r\rPristupova prava nebyla ulozena."},
        RefusedRow{"master_login_name", "Kor_Kor", "x",
                   "Radek 3: jmeno Kor_Kor je vyhrazeno !\r\rPristupova prava nebyla ulozena."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RightsAdminTest, NonAdministratorSeesNothingAndChangesNothing) {
  session.UserName = "Jan";
  session.UserRole = "Sprav";
  std::string before = Get(kAccess);
  EXPECT_FALSE(admin.Show());
  EXPECT_FALSE(admin.MayStayOpen());
  EXPECT_EQ(admin.Row(0), AccessRecord{});
  EXPECT_TRUE(admin.Close());
  EXPECT_EQ(Get(kAccess), before);
}

}  // namespace
}  // namespace orvo::test
