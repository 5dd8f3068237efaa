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
        LoginCase{"empty_password_admits_as_admin", "Eva", "whatever", "Eva", "Admin", "|Admin|"},
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
                      RightCase{"master_user", "Pilot_Nad", "", true},
                      RightCase{"other_right", "Jan", "|Prohl|Obraty|", false},
                      RightCase{"part_of_a_name_is_no_right", "Jan", "|Spravce|", false},
                      RightCase{"nothing", "Jan", "|", false}),
    [](const auto& info) { return std::string(info.param.name); });

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
