// The main window at work: guarded menu items, the keys Ctrl+Alt+H and
// Ctrl+Alt+A, the period dialog, closing, and the screenshots.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QToolBar>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/app/main_window.h"
#include "gui/gui_support.h"
#include "gui/shell/login_dialog.h"
#include "gui/app/main_window.h"
#include "gui/shell/period_dialog.h"
#include "gui/shell/range_dialog.h"
#include "gui/shell/rights_dialog.h"
#include "support/host_file.h"

namespace orvo::test {
namespace {

using MainWindowFlow = GuiScratch;

std::string ReadHost(const std::string& host) { return ReadHostFile(host); }

TEST_F(MainWindowFlow, ProhlOnDataObratyIsRefused) {
  PutUsers({{"Petr", "p1", "Prohl"}});
  gui::OrvoApp& a = StartLoggedIn("Petr", "p1");
  ASSERT_FALSE(a.Ended());
  driver.boxes.clear();
  a.mainWindow()->ActionOf(MenuAction::DataObraty)->trigger();
  ASSERT_EQ(driver.boxes.size(), 1u) << ::testing::PrintToString(driver.boxes);
  EXPECT_EQ(driver.boxes[0].text, "Pro tuto oblast nemate opravneni !");
  EXPECT_EQ(driver.boxes[0].icon, QMessageBox::Warning);
  EXPECT_FALSE(a.Ended());
  // The "Dos" menu is for "Admin" only.
  EXPECT_FALSE(a.mainWindow()->MenuOf("Dos")->menuAction()->isVisible());
}

TEST_F(MainWindowFlow, SpravOnDataObratyPassesAndRoleGuardIsSilent) {
  PutUsers({{"Jana", "j1", "Sprav"}, {"Petr", "p1", "Prohl"}});
  gui::OrvoApp& a = StartLoggedIn("Petr", "p1");
  driver.boxes.clear();
  // A role-guarded item with another role does nothing, without a message.
  a.mainWindow()->ActionOf(MenuAction::NObdobi)->trigger();
  EXPECT_TRUE(driver.boxes.empty());
  EXPECT_FALSE(a.periodDialog()->isVisible());

  driver.Login("Jana", "j1");
  a.mainWindow()->LoginAgainAction()->trigger();
  ASSERT_TRUE(driver.StepsDone());
  EXPECT_EQ(a.session().UserRole, "Sprav");
  a.mainWindow()->ActionOf(MenuAction::DataObraty)->trigger();
  // The guard passes: the document window opens and, on this bare
  // installation, names the missing chart of accounts.
  ASSERT_FALSE(driver.boxes.empty());
  EXPECT_NE(driver.boxes[0].text, "Pro tuto oblast nemate opravneni !");
  EXPECT_TRUE(driver.boxes[0].text.contains(QStringLiteral("Ucty.Cds"))) << driver.boxes[0].text.toStdString();
}

TEST_F(MainWindowFlow, LoginAgainKeepsTheDosMenuAsDecidedAtStart) {
  PutUsers({{"Jana", "j1", "Sprav"}});
  gui::OrvoApp& a = StartLoggedIn();
  QAction* dos = a.mainWindow()->MenuOf("Dos")->menuAction();
  ASSERT_TRUE(dos->isVisible());
  driver.Login("Jana", "j1");
  a.mainWindow()->activateWindow();
  QTest::keyClick(a.mainWindow(), Qt::Key_H, Qt::ControlModifier | Qt::AltModifier);
  ASSERT_TRUE(driver.StepsDone());
  EXPECT_EQ(a.session().UserName, "Jana");
  EXPECT_EQ(a.session().UserRole, "Sprav");
  EXPECT_EQ(a.session().UserRights, "|Sprav|");
  EXPECT_TRUE(dos->isVisible());
  EXPECT_FALSE(a.Ended());
}

TEST_F(MainWindowFlow, EscapeInTheLoginAgainEndsTheApplication) {
  gui::OrvoApp& a = StartLoggedIn();
  driver.Step([](QWidget* w) {
    QTest::keyClick(static_cast<gui::LoginDialog*>(w)->NameField(), Qt::Key_Escape);
  });
  a.mainWindow()->LoginAgainAction()->trigger();
  EXPECT_TRUE(a.Ended());
  EXPECT_FALSE(a.mainWindow()->isVisible());
}

TEST_F(MainWindowFlow, DroppingTheAccessFileAsksAndEndsWhateverTheAnswer) {
  gui::OrvoApp& a = StartLoggedIn();
  driver.boxes.clear();
  driver.Step([](QWidget* w) {
    auto* login = static_cast<gui::LoginDialog*>(w);
    login->NameField()->setText("Admin");
    QTest::keyClick(login->NameField(), Qt::Key_Return);
    QTest::keyClicks(login->PasswordField(), kAdminPassword);
    QTest::keyClick(login->PasswordField(), Qt::Key_D, Qt::ControlModifier | Qt::AltModifier);
  });
  driver.Answer(QMessageBox::No);
  a.mainWindow()->LoginAgainAction()->trigger();
  ASSERT_EQ(driver.boxes.size(), 1u) << ::testing::PrintToString(driver.boxes);
  EXPECT_EQ(driver.boxes[0].text,
            "Skutecne chceme zrusit soustavu vygenerovanych pristupu ?\n\nProgram bude ukoncen.");
  EXPECT_TRUE(a.Ended());
  EXPECT_TRUE(Exists("C:\\A_Run\\PristPr\\LOrv.H"));
}

TEST_F(MainWindowFlow, MarkerListForTheAdministrator) {
  gui::OrvoApp& a = StartLoggedIn();
  Put("C:\\A_Run\\PristPr\\LOrv_Jana.J", "");
  driver.Step([](QWidget* w) {
    auto* login = static_cast<gui::LoginDialog*>(w);
    login->NameField()->setText("Admin");
    QTest::keyClick(login->NameField(), Qt::Key_Return);
    QTest::keyClicks(login->PasswordField(), kAdminPassword);
    QTest::keyClick(login->PasswordField(), Qt::Key_U, Qt::ControlModifier | Qt::AltModifier);
    QListWidget* list = login->MarkerList();
    ASSERT_TRUE(list->isVisible());
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), "LOrv_Jana");
    QTest::keyClick(list, Qt::Key_Return);
  });
  a.mainWindow()->LoginAgainAction()->trigger();
  EXPECT_FALSE(Exists("C:\\A_Run\\PristPr\\LOrv_Jana.J"));
  EXPECT_TRUE(a.Ended());
}

// The tool bar's buttons show what they do and carry the hints of the menu.
TEST_F(MainWindowFlow, ToolBarButtonsHaveIconsAndHints) {
  gui::OrvoApp& a = StartLoggedIn();
  auto* bar = a.mainWindow()->findChild<QToolBar*>("ToolBar");
  ASSERT_NE(bar, nullptr);
  const auto actions = bar->actions();
  ASSERT_EQ(static_cast<size_t>(actions.size()), MainToolBar().size());
  for (size_t i = 0; i < MainToolBar().size(); ++i) {
    EXPECT_FALSE(actions[static_cast<int>(i)]->icon().isNull()) << i;
    EXPECT_EQ(actions[static_cast<int>(i)]->toolTip(), QString::fromLatin1(MainToolBar()[i].hint.data()));
  }
}

// On a new computer the administrator logs in with the default password: a
// notice asks to change it and the rights administration opens for it.
TEST_F(MainWindowFlow, DefaultPasswordAsksForAChangeAndOpensTheRights) {
  PutInstallation();
  ASSERT_FALSE(Exists("C:\\A_Run\\PristPr\\LOrv.H"));
  app = MakeApp();
  driver.Login("Admin", "Qzpfr");
  bool rightsOpened = false;
  driver.Step([&rightsOpened](QWidget* w) {
    auto* d = qobject_cast<gui::RightsDialog*>(w);
    ASSERT_NE(d, nullptr) << w->objectName().toStdString();
    rightsOpened = true;
    Screenshot(d, "rights_after_default_password");
    d->Grid()->item(0, 1)->setText("Nove1");
    d->findChild<QPushButton*>("CloseButton")->click();
  });
  ASSERT_TRUE(app->Start({"D:"}));
  ASSERT_TRUE(WaitFor([&] { return app->mainWindow()->FirstActivationDone() || app->Ended(); }));
  EXPECT_TRUE(rightsOpened);
  ASSERT_FALSE(driver.boxes.empty());
  EXPECT_EQ(driver.boxes[0].text, "Prihlasujete se vychozim heslem spravce !\n\n"
                                  "Zmente jej prosim v pristupovych pravech.");
  EXPECT_FALSE(app->Ended());
  // The new password holds at the next login.
  driver.Login("Admin", "Nove1");
  app->mainWindow()->LoginAgainAction()->trigger();
  EXPECT_EQ(app->session().UserRole, "Admin");
}

TEST_F(MainWindowFlow, RightsAdministrationShowsTwoHundredRowsAndStores) {
  gui::OrvoApp& a = StartLoggedIn();
  driver.Step([](QWidget* w) {
    auto* d = qobject_cast<gui::RightsDialog*>(w);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->windowTitle(), "  Zadani pristupovych prav");
    EXPECT_EQ(d->Grid()->rowCount(), 200);
    // All three columns are in sight without scrolling sideways.
    EXPECT_EQ(d->Grid()->horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(d->Grid()->item(0, 0)->text(), "Admin");
    EXPECT_EQ(d->Grid()->item(0, 2)->text(), "Admin");
    d->Grid()->item(1, 0)->setText("Jana");
    d->Grid()->item(1, 1)->setText("j1");
    d->Grid()->item(1, 2)->setText("Sprav");
    d->Grid()->item(3, 0)->setText("Behind a blank row");
    d->findChild<QPushButton*>("CloseButton")->click();
  });
  a.mainWindow()->RightsAction()->trigger();
  ASSERT_TRUE(driver.StepsDone());
  EXPECT_FALSE(a.rightsDialog()->isVisible());
  // The new user logs in; the row after the blank one was not stored.
  driver.Login("Jana", "j1");
  a.mainWindow()->LoginAgainAction()->trigger();
  EXPECT_EQ(a.session().UserRole, "Sprav");
  driver.boxes.clear();
  driver.Login("Behind a blank row", "");
  a.mainWindow()->LoginAgainAction()->trigger();
  ASSERT_EQ(driver.boxes.size(), 1u);
  EXPECT_EQ(driver.boxes[0].text, "Chybne zadane jmeno nebo heslo !");
}

struct CloseCase {
  const char* name;
  QMessageBox::StandardButton answer;
  bool closes;
};

class Closing : public GuiScratch, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(Closing, AsksAndEmptiesTheWorkDirectoriesOnYes) {
  gui::OrvoApp& a = StartLoggedIn();
  Put("C:\\A_Run\\Work\\Orvoork.Cds", "work");
  Put("C:\\A_Run\\Sestavy\\Denik.Ses", "report");
  driver.boxes.clear();
  driver.Answer(GetParam().answer);
  a.mainWindow()->ActionOf(MenuAction::ProgClose)->trigger();
  ASSERT_EQ(driver.boxes.size(), 1u);
  EXPECT_EQ(driver.boxes[0].text, "Ukoncit program ?");
  EXPECT_EQ(driver.boxes[0].title, "Orvo");
  EXPECT_EQ(driver.boxes[0].icon, QMessageBox::Question);
  EXPECT_EQ(a.Ended(), GetParam().closes);
  EXPECT_EQ(a.mainWindow()->isVisible(), !GetParam().closes);
  EXPECT_EQ(Exists("C:\\A_Run\\Work\\Orvoork.Cds"), !GetParam().closes);
  EXPECT_EQ(Exists("C:\\A_Run\\Sestavy\\Denik.Ses"), !GetParam().closes);
  EXPECT_EQ(Exists("C:\\A_Run\\PomSoub\\TabViewDiskP.Def"), !GetParam().closes);
  if (GetParam().closes) {
    EXPECT_EQ(a.ExitCode(), gui::kExitClosed);
    EXPECT_TRUE(std::filesystem::is_empty(Host("C:\\A_Run\\Work")));
    EXPECT_TRUE(std::filesystem::is_empty(Host("C:\\A_Run\\Sestavy")));
  }
}

INSTANTIATE_TEST_SUITE_P(Answer, Closing,
                         ::testing::Values(CloseCase{"No", QMessageBox::No, false},
                                           CloseCase{"Yes", QMessageBox::Yes, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowFlow, PeriodDialogEnterStepsAndRefusal) {
  gui::OrvoApp& a = StartLoggedIn();
  const std::string periodFile = Host("C:\\A_Run\\PomSoub\\ObdobiOrvo.Txt");
  driver.boxes.clear();
  driver.Step([](QWidget* w) {
    auto* d = qobject_cast<gui::PeriodDialog*>(w);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->windowTitle(), " Zadej obdobi");
    EXPECT_EQ(d->Field()->text(), "1603");
    EXPECT_EQ(d->PreviousButton()->toolTip(), "Minule obdobi");
    EXPECT_EQ(d->NextButton()->toolTip(), "Budouci obdobi");
    // A month above 20 is refused and the dialog stays.
    d->Field()->setText("1621");
    QTest::keyClick(d->Field(), Qt::Key_Return);
    EXPECT_TRUE(d->isVisible());
    // The step buttons work from the current period, not from the field.
    d->Field()->setText("1600");
    QTest::keyClick(d->Field(), Qt::Key_Return);
  });
  a.mainWindow()->ActionOf(MenuAction::NObdobi)->trigger();
  ASSERT_TRUE(driver.StepsDone());
  ASSERT_EQ(driver.boxes.size(), 1u) << ::testing::PrintToString(driver.boxes);
  EXPECT_EQ(driver.boxes[0].text, "Chybne zadane obdobie !");
  EXPECT_EQ(driver.boxes[0].title, "Obdobie: 1621");
  EXPECT_EQ(ReadHost(periodFile), "16 00\r\n");
  EXPECT_EQ(a.mainWindow()->PeriodLabel()->text(), "Ucetni obdobi: 16 00");

  driver.boxes.clear();
  driver.Step([](QWidget* w) {
    auto* d = static_cast<gui::PeriodDialog*>(w);
    d->PreviousButton()->click();
    EXPECT_EQ(d->Field()->text(), "1515");
    d->NextButton()->click();
    d->NextButton()->click();
    EXPECT_EQ(d->Field()->text(), "1601");
    d->Field()->setText("1613");
    d->ConfirmButton()->click();
  });
  a.mainWindow()->ActionOf(MenuAction::NObdobi)->trigger();
  ASSERT_TRUE(driver.StepsDone());
  EXPECT_TRUE(driver.boxes.empty()) << ::testing::PrintToString(driver.boxes);
  EXPECT_EQ(ReadHost(periodFile), "16 13\r\n");
  EXPECT_EQ(a.mainWindow()->PeriodLabel()->text(), "Ucetni obdobi: 16 13");
}

TEST_F(MainWindowFlow, PeriodConfirmAfterABadEntryStays) {
  gui::OrvoApp& a = StartLoggedIn();
  driver.boxes.clear();
  driver.Step([](QWidget* w) {
    auto* d = static_cast<gui::PeriodDialog*>(w);
    d->Field()->setText("16x1");
    d->ConfirmButton()->click();
    EXPECT_TRUE(d->isVisible());
    d->Field()->setText("1612");
    d->ConfirmButton()->click();
  });
  a.mainWindow()->ActionOf(MenuAction::NObdobi)->trigger();
  ASSERT_TRUE(driver.StepsDone());
  ASSERT_EQ(driver.boxes.size(), 1u) << ::testing::PrintToString(driver.boxes);
  EXPECT_EQ(driver.boxes[0].title, "Obdobie: 16x1");
  EXPECT_EQ(a.session().CurrentPeriod, "16 12");
}

TEST_F(MainWindowFlow, YearPastNinetyNineIsRefused) {
  Put("C:\\A_Run\\PomSoub\\ObdobiOrvo.Txt", "99 15\r\n");
  gui::OrvoApp& a = StartLoggedIn();
  driver.boxes.clear();
  driver.Step([](QWidget* w) {
    auto* d = static_cast<gui::PeriodDialog*>(w);
    d->NextButton()->click();
    EXPECT_EQ(d->Field()->text(), "10000");
    d->ConfirmButton()->click();
    EXPECT_TRUE(d->isVisible());
    d->PreviousButton()->click();
    d->ConfirmButton()->click();
  });
  a.mainWindow()->ActionOf(MenuAction::NObdobi)->trigger();
  ASSERT_TRUE(driver.StepsDone());
  ASSERT_EQ(driver.boxes.size(), 1u) << ::testing::PrintToString(driver.boxes);
  EXPECT_EQ(driver.boxes[0].text, "Chybne zadane obdobie !");
  EXPECT_EQ(driver.boxes[0].title, "Obdobie: 10000");
  EXPECT_EQ(a.mainWindow()->PeriodLabel()->text(), "Ucetni obdobi: 99 15");
}

TEST_F(MainWindowFlow, RangeDialogEnterMovesOnAndEscapeCancels) {
  gui::OrvoApp& a = StartLoggedIn();
  driver.boxes.clear();
  driver.Step([](QWidget* w) {
    auto* d = qobject_cast<gui::RangeDialog*>(w);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->windowTitle(), "  Zadej obdobi od, do:");
    EXPECT_EQ(d->Field(0)->text(), "0201");
    EXPECT_EQ(d->Field(1)->text(), "2012");
    d->Field(0)->setText("1614");
    QTest::keyClick(d->Field(0), Qt::Key_Return);
    d->Field(0)->setText("1601");
    QTest::keyClick(d->Field(0), Qt::Key_Return);
    d->Field(1)->setText("1603");
    QTest::keyClick(d->Field(1), Qt::Key_Escape);
  });
  a.mainWindow()->ActionOf(MenuAction::TabObratyOdDo)->trigger();
  ASSERT_TRUE(driver.StepsDone());
  ASSERT_EQ(driver.boxes.size(), 1u) << ::testing::PrintToString(driver.boxes);
  EXPECT_EQ(driver.boxes[0].text, "Chybne zadane obdobi !");
  EXPECT_EQ(driver.boxes[0].title, "Obdobi: 1614");
  EXPECT_TRUE(a.rangeDialog()->model().RangeCancelled);
  EXPECT_EQ(ReadHost(Host("C:\\A_Run\\Aplikace\\LOrvo\\PomSoub\\Obdobi12.Txt")),
            "1601-1603\r\n");
}

TEST_F(MainWindowFlow, Screenshots) {
  Put("C:\\A_Run\\PomSoub\\ObdobiOrvo.Txt", "16 03\r\n");
  PutInstallation();
  PutUsers({});
  app = MakeApp();
  driver.Step([](QWidget* w) {
    auto* login = static_cast<gui::LoginDialog*>(w);
    login->NameField()->setText("Admin");
    QTest::keyClick(login->NameField(), Qt::Key_Return);
    QTest::keyClicks(login->PasswordField(), kAdminPassword);
    Screenshot(login, "login");
    QTest::keyClick(login->PasswordField(), Qt::Key_Return);
  });
  ASSERT_TRUE(app->Start({"D:"}));
  ASSERT_TRUE(WaitFor([&] { return app->mainWindow()->FirstActivationDone(); }));
  EXPECT_EQ(app->loginDialog()->PasswordField()->text(), "");
  Screenshot(app->mainWindow(), "main_window");
  driver.Step([](QWidget* w) {
    auto* d = static_cast<gui::PeriodDialog*>(w);
    Screenshot(d, "period_dialog");
    QTest::keyClick(d->Field(), Qt::Key_Return);
  });
  app->mainWindow()->ActionOf(MenuAction::NObdobi)->trigger();
  EXPECT_TRUE(std::filesystem::exists(std::string(ORVO_SCREENSHOT_DIR) + "/main_window.png"));
  EXPECT_TRUE(std::filesystem::exists(std::string(ORVO_SCREENSHOT_DIR) + "/login.png"));
  EXPECT_TRUE(std::filesystem::exists(std::string(ORVO_SCREENSHOT_DIR) + "/period_dialog.png"));
}

}  // namespace
}  // namespace orvo::test
