#include "core/shell/login_dialog.h"

#include <gtest/gtest.h>

#include "support/app_fixture.h"
#include "core/shell/access_file.h"
#include "core/shell/login.h"
#include "core/shell/scramble.h"
#include "core/sys/termination.h"

namespace orvo::test {
namespace {

constexpr const char* kAccess = "C:\\A_Run\\PristPr\\LOrv.H";

class LoginDialogTest : public AppScratch {
 protected:
  LoginDialogTest() {
    Put(kAccess, Scramble(BuildAccessImage({{"Admin", "Qzpfr", "Admin"},
                                            {"Jan", "ab", "Sprav"},
                                            {"Jan", "ab", "Obraty"}})));
  }
  void Type(const std::string& text) {
    for (char c : text) dialog.TypeChar(c);
  }
  void LogIn(const std::string& name, const std::string& password) {
    dialog.Show();
    dialog.SetNameField(name);
    dialog.NameEnter();
    Type(password);
  }
  LoginDialogModel dialog{session};
};

struct NoticeCase {
  const char* name;
  const char* user;
  const char* password;
  bool notice;
};

class DefaultPasswordTest : public LoginDialogTest,
                            public ::testing::WithParamInterface<NoticeCase> {};

// An administrator who still logs in with the password every installation
// starts with is asked to change it.
TEST_P(DefaultPasswordTest, AsksTheAdministratorToChangeIt) {
  const NoticeCase& c = GetParam();
  Put(kAccess, Scramble(BuildAccessImage({{"Admin", "Qzpfr", "Admin"},
                                          {"Jana", "Qzpfr", "Prohl"},
                                          {"Petr", "jine", "Admin"}})));
  LogIn(c.user, c.password);
  dialog.PasswordEnter();
  EXPECT_FALSE(session.UserRole.empty());
  if (c.notice) {
    EXPECT_EQ(ui.Single(), Info("Prihlasujete se vychozim heslem spravce !\r\r"
                                "Zmente jej prosim v pristupovych pravech."));
  } else {
    EXPECT_TRUE(ui.messages.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(Logins, DefaultPasswordTest,
                         ::testing::Values(NoticeCase{"default_admin", "Admin", "Qzpfr", true},
                                           NoticeCase{"same_password_no_admin", "Jana", "Qzpfr", false},
                                           NoticeCase{"own_password", "Petr", "jine", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LoginDialogTest, ShowOffersTheLastNameAndClearsTheRole) {
  session.UserName = "Jan";
  session.UserRole = "Sprav";
  session.UserRights = "|Sprav|";
  dialog.Show();
  EXPECT_EQ(dialog.NameField(), "Jan");
  EXPECT_EQ(dialog.CurrentFocus(), LoginDialogModel::Focus::Name);
  EXPECT_EQ(session.UserRole, "");
  EXPECT_EQ(session.UserRights, "");
}

TEST_F(LoginDialogTest, TrimmedNameAndTypedPasswordLogIn) {
  LogIn("  Jan  ", "axb");
  dialog.Backspace();
  dialog.Backspace();
  dialog.TypeChar('\t');  // not printable, not taken
  dialog.TypeChar('b');
  EXPECT_EQ(dialog.CurrentFocus(), LoginDialogModel::Focus::Password);
  EXPECT_EQ(dialog.PasswordField(), "**");
  dialog.PasswordEnter();
  EXPECT_EQ(session.UserName, "Jan");
  EXPECT_EQ(session.UserRole, "Obraty");
  EXPECT_EQ(session.UserRights, "|Sprav|Obraty|");
  EXPECT_EQ(dialog.PasswordField(), "");
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(LoginDialogTest, EnteringThePasswordFieldClearsIt) {
  LogIn("Jan", "zz");
  dialog.PasswordFocus();
  Type("ab");
  dialog.PasswordEnter();
  EXPECT_EQ(session.UserRole, "Obraty");
}

TEST_F(LoginDialogTest, WrongPasswordIsReported) {
  LogIn("Jan", "AB");
  dialog.PasswordEnter();
  EXPECT_EQ(session.UserRole, "");
  EXPECT_EQ(ui.Single(), Info("Chybne zadane jmeno nebo heslo !"));
}

TEST_F(LoginDialogTest, MasterUserClosesOnLeavingTheName) {
  ASSERT_EQ(SetMasterLogin(*env, true), kIoOk);
  dialog.Show();
  dialog.SetNameField(" Kor_Kor");
  EXPECT_TRUE(dialog.NameLeave());
  EXPECT_EQ(session.UserName, "Pilot_Nad");
  EXPECT_EQ(session.UserRole, "Admin");
  dialog.SetNameField("Jan");
  EXPECT_FALSE(dialog.NameLeave());
}

// Off by default: the master user name is then a name like any other, and
// no record carries it.
TEST_F(LoginDialogTest, MasterLoginOnlyWhileTheInstallationEnablesIt) {
  dialog.Show();
  dialog.SetNameField("Kor_Kor");
  EXPECT_FALSE(dialog.NameLeave());
  dialog.PasswordEnter();
  EXPECT_EQ(session.UserRole, "");
  EXPECT_FALSE(session.MasterLogin);
  EXPECT_EQ(ui.Single(), Info("Chybne zadane jmeno nebo heslo !"));
  ASSERT_EQ(SetMasterLogin(*env, true), kIoOk);
  EXPECT_TRUE(MasterLoginEnabled(*env));
  ASSERT_EQ(SetMasterLogin(*env, false), kIoOk);
  EXPECT_FALSE(MasterLoginEnabled(*env));
}

TEST_F(LoginDialogTest, EscapeEndsTheApplication) {
  dialog.Show();
  EXPECT_THROW(dialog.Escape(), Termination);
}

TEST_F(LoginDialogTest, AdministratorKeysNeedTheAdminRole) {
  LogIn("Jan", "ab");
  EXPECT_THROW(dialog.DropAccessFile(), Termination);
  EXPECT_EQ(ui.Single(), Error("Pro tuto akci nemate opravneni !\r\rProgram bude ukoncen."));
  EXPECT_TRUE(Exists(kAccess));
}

TEST_F(LoginDialogTest, WrongLoginBeforeAnAdministratorKeyGivesBothMessages) {
  LogIn("Admin", "bad");
  EXPECT_THROW(dialog.ListMarkers(), Termination);
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0], Info("Chybne zadane jmeno nebo heslo !"));
  EXPECT_EQ(ui.messages[1], Error("Pro tuto akci nemate opravneni !\r\rProgram bude ukoncen."));
}

struct DropCase {
  const char* name;
  Answer answer;
  bool erased;
};

class DropAccessFileTest : public LoginDialogTest, public ::testing::WithParamInterface<DropCase> {};

TEST_P(DropAccessFileTest, EndsTheApplicationWhateverTheAnswer) {
  LogIn("Admin", "Qzpfr");
  ui.answers = {GetParam().answer};
  EXPECT_THROW(dialog.DropAccessFile(), Termination);
  EXPECT_EQ(ui.Single(),
            Question("Skutecne chceme zrusit soustavu vygenerovanych pristupu ?\r\r"
                     "Program bude ukoncen."));
  EXPECT_EQ(Exists(kAccess), !GetParam().erased);
}

INSTANTIATE_TEST_SUITE_P(Answers, DropAccessFileTest,
                         ::testing::Values(DropCase{"yes_erases", Answer::Yes, true},
                                           DropCase{"no_keeps", Answer::No, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LoginDialogTest, MarkerListShowsAndErasesTheMarkersBesideTheAccessFile) {
  Put("C:\\A_Run\\PristPr\\LOrv_Jan.J", "");
  Put("C:\\A_Run\\PristPr\\LOrv_Eva.J", "");
  Put("C:\\A_Run\\PristPr\\Other.J", "");
  LogIn("Admin", "Qzpfr");
  EXPECT_EQ(dialog.ListMarkers(), (std::vector<std::string>{"LOrv_Eva", "LOrv_Jan"}));
  EXPECT_THROW(dialog.EraseMarker("LOrv_Jan"), Termination);
  EXPECT_FALSE(Exists("C:\\A_Run\\PristPr\\LOrv_Jan.J"));
  EXPECT_TRUE(Exists("C:\\A_Run\\PristPr\\LOrv_Eva.J"));
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(LoginDialogTest, MarkerThatCannotBeErasedIsReported) {
  LogIn("Admin", "Qzpfr");
  EXPECT_THROW(dialog.EraseMarker("LOrv_Nobody"), Termination);
  EXPECT_EQ(ui.Single(), Error("Operaci se nepodarilo provest !\r\rProgram bude ukoncen."));
}

}  // namespace
}  // namespace orvo::test
