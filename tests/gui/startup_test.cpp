// The start-up of the application window: the lock, the parameter, the
// login with its role check, the free-space check and the welcome box.
#include <QAction>
#include <QImage>
#include <QMenu>
#include <QMenuBar>

#include <filesystem>

#include "core/app/main_window.h"
#include "gui/gui_support.h"
#include "gui/app/main_window.h"
#include "gui/sys/qt_ui.h"

#include <QLabel>

namespace orvo::test {
namespace {

using Startup = GuiScratch;

std::vector<std::string> DirectoriesUnder(const std::string& dir) {
  std::vector<std::string> found;
  for (const auto& e : std::filesystem::recursive_directory_iterator(dir)) {
    if (e.is_directory()) found.push_back(e.path().string());
  }
  return found;
}

TEST_F(Startup, WithoutParameterSaysSoAndCreatesNoDirectory) {
  PutInstallation();
  std::filesystem::remove_all(cDir + "/A_Run");
  std::filesystem::remove_all(dDir + "/LOrvo");
  app = MakeApp();
  EXPECT_FALSE(app->Start({}));
  EXPECT_TRUE(app->Ended());
  EXPECT_EQ(app->ExitCode(), gui::kExitEnded);
  ASSERT_EQ(driver.boxes.size(), 1u) << ::testing::PrintToString(driver.boxes);
  EXPECT_EQ(driver.boxes[0].text, "Nedostatecny pocet parametru");
  EXPECT_EQ(driver.boxes[0].title, "Orvo");
  EXPECT_EQ(driver.boxes[0].icon, QMessageBox::Information);
  EXPECT_EQ(driver.boxes[0].buttons, QStringList{"OK"});
  EXPECT_TRUE(DirectoriesUnder(cDir).empty());
  EXPECT_TRUE(DirectoriesUnder(dDir).empty());
}

TEST_F(Startup, SecondInstanceIsRefusedAndTheFirstGoesOn) {
  gui::OrvoApp& first = StartLoggedIn();
  ASSERT_FALSE(first.Ended());
  const std::string handOver = "C:\\A_Run\\PomSoub\\TabViewDiskP.Def";
  ASSERT_TRUE(Exists(handOver));
  driver.boxes.clear();

  auto second = MakeApp();
  EXPECT_FALSE(second->Start({"D:"}));
  EXPECT_TRUE(second->Ended());
  ASSERT_EQ(driver.boxes.size(), 1u) << ::testing::PrintToString(driver.boxes);
  EXPECT_EQ(driver.boxes[0].text, "Program je jiz na tomto pocitaci spusten !");
  EXPECT_EQ(driver.boxes[0].title, "Jmeno programu:  Orvo.Exe");
  EXPECT_EQ(second->mainWindow(), nullptr);
  second.reset();

  EXPECT_FALSE(first.Ended());
  EXPECT_TRUE(first.mainWindow()->isVisible());
  EXPECT_TRUE(Exists(handOver));
}

TEST_F(Startup, WrongPasswordEndsAfterItsMessage) {
  gui::OrvoApp& a = StartLoggedIn("Admin", "wrong");
  EXPECT_TRUE(a.Ended());
  EXPECT_EQ(a.ExitCode(), gui::kExitEnded);
  ASSERT_EQ(driver.boxes.size(), 1u) << ::testing::PrintToString(driver.boxes);
  EXPECT_EQ(driver.boxes[0].text, "Chybne zadane jmeno nebo heslo !");
  EXPECT_FALSE(a.mainWindow()->isVisible());
}

TEST_F(Startup, WelcomeBoxNamesUserRoleAndDrives) {
  gui::OrvoApp& a = StartLoggedIn();
  ASSERT_FALSE(a.Ended());
  ASSERT_EQ(driver.boxes.size(), 1u) << ::testing::PrintToString(driver.boxes);
  EXPECT_EQ(driver.boxes[0].title, "Aplikace spustena");
  EXPECT_EQ(driver.boxes[0].text,
            "Prihlasen:     Admin\n\nStatus:           Admin\n\nLokalni disk:  C:\n"
            "Pracovni disk:  D:");
  EXPECT_EQ(a.fs().CurrentDir(), "D:\\LOrvo\\Data");
  // The notice of the archiving came and went.
  EXPECT_FALSE(a.session().UserRights.empty());
}

struct FreeSpaceCase {
  const char* name;
  uint64_t bytes;
  bool starts;
};

class FreeSpace : public GuiScratch, public ::testing::WithParamInterface<FreeSpaceCase> {};

TEST_P(FreeSpace, BelowFiveHundredMillionBytesEnds) {
  freeBytes = GetParam().bytes;
  gui::OrvoApp& a = StartLoggedIn();
  EXPECT_EQ(a.Ended(), !GetParam().starts);
  ASSERT_EQ(driver.boxes.size(), 1u) << ::testing::PrintToString(driver.boxes);
  if (GetParam().starts) {
    EXPECT_EQ(driver.boxes[0].title, "Aplikace spustena");
  } else {
    EXPECT_EQ(driver.boxes[0].icon, QMessageBox::Warning);
    EXPECT_EQ(driver.boxes[0].text,
              "Na disku \"D:\" je mene nez 500 MB volneho mista !\n\nProgram bude ukoncen.");
  }
}

INSTANTIATE_TEST_SUITE_P(Bytes, FreeSpace,
                         ::testing::Values(FreeSpaceCase{"Below", 499999999, false},
                                           FreeSpaceCase{"Exactly", 500000000, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Startup, RoleOutsideTheSevenEndsWithoutFurtherMessage) {
  PutUsers({{"Host", "h", "Guest"}});
  gui::OrvoApp& a = StartLoggedIn("Host", "h");
  EXPECT_TRUE(a.Ended());
  EXPECT_TRUE(driver.boxes.empty());
}

TEST_F(Startup, MainWindowShowsCaptionLabelsAndMenu) {
  gui::OrvoApp& a = StartLoggedIn();
  gui::MainWindow* w = a.mainWindow();
  EXPECT_EQ(w->windowTitle().toStdString(), MainCaption(a.ui().ScreenDpi()));
  EXPECT_EQ(w->OrganisationLabel(0)->text(), QString::fromUtf8("Zavod:      01 Závod Brno"));
  EXPECT_EQ(w->OrganisationLabel(1)->text(), QString::fromUtf8("Sprava:     02 Správa Jih"));
  EXPECT_EQ(w->OrganisationLabel(2)->text(), QString::fromUtf8("Stredisko:  03 Středisko 3"));
  EXPECT_EQ(w->PeriodLabel()->text(), "Ucetni obdobi: 16 03");
  QStringList top;
  for (QAction* action : w->menuBar()->actions()) top << action->text();
  EXPECT_EQ(top, (QStringList{"Dos", "Data", "Prehledy", "Vykazy", "Kalkulace", "Tabulky",
                              "Prevody", "Uzaverka", "Ciselniky", "Servis", "Konec"}));
  EXPECT_TRUE(w->MenuOf("Dos")->menuAction()->isVisible());
  EXPECT_EQ(w->ActionOf(MenuAction::TabObratyOdDo)->text(), "Obraty za zvolene obdobi");
  EXPECT_EQ(w->LoginAgainAction()->shortcut(), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_H));
  EXPECT_EQ(w->RightsAction()->shortcut(), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_A));
}

TEST_F(Startup, BackgroundPictureFromTheDataRoot) {
  PutInstallation();
  QImage picture(40, 30, QImage::Format_RGB32);
  picture.fill(QColor(10, 200, 30));
  ASSERT_TRUE(picture.save(QString::fromStdString(Host("D:\\LOrvo\\PomSoub\\Orvo.Jpg")), "JPG"));
  gui::OrvoApp& a = StartLoggedIn();
  QImage shown = a.mainWindow()->centralWidget()->grab().toImage();
  QColor middle = shown.pixelColor(shown.width() / 2, shown.height() - 5);
  EXPECT_GT(middle.green(), 150);
  EXPECT_LT(middle.red(), 60);
}

}  // namespace
}  // namespace orvo::test
