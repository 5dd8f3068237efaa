#include "core/shell/access_file.h"

#include <gtest/gtest.h>

#include "support/app_fixture.h"
#include "core/shell/file_names.h"
#include "core/shell/login.h"
#include "core/shell/scramble.h"
#include "core/sys/termination.h"

namespace orvo::test {
namespace {

constexpr const char* kAccess = "C:\\A_Run\\PristPr\\LOrv.H";

std::string Golden() {
  return ReadHost(std::string(ORVO_SOURCE_DIR) +
                              "/tests/golden/app/access_file/default_LOrv.H");
}

class AccessTest : public AppScratch {
 protected:
  void PutRecords(const std::vector<AccessRecord>& records) {
    Put(kAccess, Scramble(BuildAccessImage(records)));
  }
};

TEST_F(AccessTest, MissingFileIsCreatedWithTheDefaultRecord) {
  std::string image = ReadAccessFile(*env, AccessFileName());
  EXPECT_EQ(Get(kAccess), Golden());
  EXPECT_EQ(image, DefaultAccessImage());
  EXPECT_EQ(ParseAccessImage(image), (std::vector<AccessRecord>{{"Admin", "Qzpfr", "Admin"}}));
  ExpectProtected(kAccess);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(AccessTest, GoldenFileHasTheHeadAndOneRecord) {
  std::string plain = Unscramble(Golden());
  ASSERT_EQ(plain.size(), 49u);
  for (int i = 0; i < 30; ++i) EXPECT_EQ(static_cast<unsigned char>(plain[i]), 151 + i);
  EXPECT_EQ(plain.substr(30), std::string("Admin\xFAQzpfr\xFA" "Admin\xFA\xFB"));
}

TEST_F(AccessTest, ParsingStopsAtAnIncompleteRecord) {
  std::string image = AccessHead() + "Jan\xFAheslo\xFASprav\xFA\xFB" + "Eva\xFAx";
  EXPECT_EQ(ParseAccessImage(image), (std::vector<AccessRecord>{{"Jan", "heslo", "Sprav"}}));
  EXPECT_TRUE(ParseAccessImage("short").empty());
}

TEST_F(AccessTest, UnreadableFileEndsTheApplication) {
  fs->MakeDir("C:\\A_Run");
  fs->MakeDir("C:\\A_Run\\PristPr");
  fs->MakeDir(kAccess);  // a directory where the file belongs
  EXPECT_THROW(ReadAccessFile(*env, AccessFileName()), Termination);
  EXPECT_EQ(ui.Single(),
            Error("Doslo k chybe pri nacitani pristupovych prav !\r\rSpustte program znovu."));
}

struct DamageCase {
  const char* name;
  std::string (*stored)();  // the bytes of the damaged file
};

std::string TwoUsers() {
  return Scramble(BuildAccessImage({{"Admin", "Qzpfr", "Admin"}, {"Jan", "heslo", "Sprav"}}));
}

class DamagedAccessTest : public AccessTest, public ::testing::WithParamInterface<DamageCase> {};

// A damaged file is said to be damaged, naming it; it must not pass for a
// file in which the name or the password is wrong.
TEST_P(DamagedAccessTest, IsReportedAsDamaged) {
  Put(kAccess, GetParam().stored());
  EXPECT_THROW(EvaluateLogin(session, "Admin", "Qzpfr"), Termination);
  EXPECT_EQ(ui.Single(), Error("Soubor pristupovych prav je poskozen:\r\r     "
                               "C:\\A_Run\\PristPr\\LOrv.H\r\rProgram bude ukoncen."));
  EXPECT_EQ(session.UserRole, "");
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedAccessTest,
    ::testing::Values(
        DamageCase{"truncated", [] { std::string s = TwoUsers(); return s.substr(0, s.size() - 5); }},
        DamageCase{"garbage", [] {
                     std::string s;
                     for (int i = 0; i < 200; ++i) s += static_cast<char>((i * 37 + 11) % 256);
                     return s;
                   }},
        DamageCase{"too_long", [] {
                     std::vector<AccessRecord> many(600, AccessRecord{"Uzivatel", "heslo", "Prohl"});
                     return Scramble(BuildAccessImage(many));
                   }},
        DamageCase{"shorter_than_the_head", [] { return std::string("abc"); }},
        DamageCase{"empty", [] { return std::string(); }}),
    [](const auto& info) { return std::string(info.param.name); });

// Every save keeps the version it replaces beside the file; the message
// about a damaged file names that copy.
TEST_F(AccessTest, EverySaveKeepsThePreviousVersion) {
  PutRecords({{"Admin", "Qzpfr", "Admin"}});
  std::string first = Get(kAccess);
  ASSERT_EQ(WriteAccessFile(*env, kAccess, BuildAccessImage({{"Admin", "nove", "Admin"}})), kIoOk);
  EXPECT_EQ(Get("C:\\A_Run\\PristPr\\LOrv.Bak"), first);
  ExpectProtected("C:\\A_Run\\PristPr\\LOrv.Bak");
  std::string second = Get(kAccess);
  ASSERT_EQ(WriteAccessFile(*env, kAccess, BuildAccessImage({{"Admin", "treti", "Admin"}})), kIoOk);
  EXPECT_EQ(Get("C:\\A_Run\\PristPr\\LOrv.Bak"), second);

  // A damaged file does not take the backup's place.
  Put(kAccess, "garbage");
  ASSERT_EQ(WriteAccessFile(*env, kAccess, BuildAccessImage({{"Admin", "ctvrte", "Admin"}})), kIoOk);
  EXPECT_EQ(Get("C:\\A_Run\\PristPr\\LOrv.Bak"), second);

  Put(kAccess, "garbage");
  EXPECT_THROW(ReadAccessFile(*env, kAccess), Termination);
  EXPECT_EQ(ui.Single(), Error("Soubor pristupovych prav je poskozen:\r\r     "
                               "C:\\A_Run\\PristPr\\LOrv.H\r\r"
                               "Predchozi verze je ulozena v souboru:\r\r     "
                               "C:\\A_Run\\PristPr\\LOrv.Bak\r\rProgram bude ukoncen."));
}

struct LoginCase {
  const char* name;
  const char* user;
  const char* password;
  const char* userName;
  const char* role;
  const char* rights;
};

class LoginTest : public AccessTest, public ::testing::WithParamInterface<LoginCase> {};

TEST_P(LoginTest, GivesNameRoleAndRights) {
  const LoginCase& c = GetParam();
  std::string image = BuildAccessImage({{"Jan", "tajne", "Sprav"},
                                        {"Eva", "", "Prohl"},
                                        {"Jan", "tajne", "Obraty"},
                                        {"Jan", "jine", "Admin"},
                                        {"Petr", "p", "Stavy"}});
  session.UserRights = "before";
  CheckLogin(session, image, c.user, c.password);
  EXPECT_EQ(session.UserName, c.userName);
  EXPECT_EQ(session.UserRole, c.role);
  EXPECT_EQ(session.UserRights, c.rights);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LoginTest,
    ::testing::Values(
        LoginCase{"two_records_add_up", "Jan", "tajne", "Jan", "Obraty", "|Sprav|Obraty|"},
        LoginCase{"other_password_other_record", "Jan", "jine", "Jan", "Admin", "|Admin|"},
        // A record stored without a password admits only an empty password,
        // and then with its own role, never as "Admin".
        LoginCase{"empty_password_record_refuses_a_typed_one", "Eva", "whatever", "Eva", "", "|"},
        LoginCase{"empty_password_record_keeps_its_role", "Eva", "", "Eva", "Prohl", "|Prohl|"},
        LoginCase{"wrong_password", "Petr", "x", "Petr", "", "|"},
        LoginCase{"names_are_case_sensitive", "jan", "tajne", "jan", "", "|"},
        LoginCase{"no_prefix_match", "Ja", "tajne", "Ja", "", "|"},
        LoginCase{"unknown_user", "Nikdo", "", "Nikdo", "", "|"},
        LoginCase{"master_user_needs_no_password", "Kor_Kor", "", "Pilot_Nad", "Admin", "before"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AccessTest, DefaultFileAdmitsTheAdministrator) {
  EXPECT_TRUE(EvaluateLogin(session, "Admin", "Qzpfr"));
  EXPECT_EQ(session.UserRole, "Admin");
  EXPECT_EQ(session.UserRights, "|Admin|");
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(AccessTest, WrongLoginIsReported) {
  EXPECT_FALSE(EvaluateLogin(session, "Admin", "qzpfr"));
  EXPECT_EQ(session.UserRole, "");
  EXPECT_EQ(ui.Single(), Info("Chybne zadane jmeno nebo heslo !"));
}

struct RightCase {
  const char* name;
  const char* userName;
  const char* rights;
  bool granted;
};

class HasRightTest : public AppScratch, public ::testing::WithParamInterface<RightCase> {};

TEST_P(HasRightTest, ChecksTheNamedRights) {
  const RightCase& c = GetParam();
  session.UserName = c.userName;
  session.UserRights = c.rights;
  EXPECT_EQ(HasRight(session, {"Sprav", "AdmDef"}), c.granted);
  if (c.granted) EXPECT_TRUE(ui.messages.empty());
  else EXPECT_EQ(ui.Single(), Error("Pro tuto oblast nemate opravneni !"));
}

INSTANTIATE_TEST_SUITE_P(
    Rights, HasRightTest,
    ::testing::Values(RightCase{"first_named", "Jan", "|Sprav|", true},
                      RightCase{"second_named", "Jan", "|Prohl|AdmDef|", true},
                      RightCase{"admin_passes_all", "Jan", "|Admin|", true},
                      RightCase{"the_master_name_alone_is_no_right", "Pilot_Nad", "|Prohl|", false},
                      RightCase{"other_right", "Jan", "|Prohl|Obraty|", false},
                      RightCase{"part_of_a_name_is_no_right", "Jan", "|Spravce|", false},
                      RightCase{"nothing", "Jan", "|", false}),
    [](const auto& info) { return std::string(info.param.name); });

// Only the master login passes every check, not whoever carries its name.
TEST_F(AccessTest, MasterPowerComesFromTheMasterLoginOnly) {
  std::string image = BuildAccessImage({{"Pilot_Nad", "p", "Prohl"}});
  CheckLogin(session, image, "Pilot_Nad", "p");
  EXPECT_EQ(session.UserRole, "Prohl");
  EXPECT_FALSE(HasRight(session, {"Sprav"}));
  ui.Clear();
  CheckLogin(session, image, "Kor_Kor", "");
  EXPECT_EQ(session.UserName, "Pilot_Nad");
  EXPECT_TRUE(HasRight(session, {"Sprav"}));
  EXPECT_TRUE(ui.messages.empty());
  // A later ordinary login drops the master's power.
  CheckLogin(session, image, "Pilot_Nad", "p");
  EXPECT_FALSE(HasRight(session, {"Sprav"}));
}

TEST(RoleTest, SevenRolesAreAdmitted) {
  for (const char* role : {"Admin", "Sprav", "Prohl", "AdmCis", "AdmDef", "Obraty", "Stavy"}) {
    EXPECT_TRUE(RoleAdmitted(role)) << role;
  }
  EXPECT_FALSE(RoleAdmitted(""));
  EXPECT_FALSE(RoleAdmitted("admin"));
  EXPECT_FALSE(RoleAdmitted("Ucetni"));
}

}  // namespace
}  // namespace orvo::test
