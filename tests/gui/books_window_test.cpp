// The books on the demo installation from the main menu: the month-end close
// window moves the period and writes the balance file, and "Aktualni stavy"
// hands the computed balances to the table viewer; pictures of both.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "core/app/demo_install.h"
#include "core/app/install_data.h"
#include "core/app/main_menu.h"
#include "core/data/dataset.h"
#include "core/sys/text_lines.h"
#include "gui/accounting/month_close_window.h"
#include "gui/app/main_window.h"
#include "gui/gui_support.h"
#include "gui/screens/browser_window.h"
#include "gui/sys/qt_ui.h"
#include "support/host_file.h"
#include "tools/tabview/table_view_window.h"
#include "tools/tabview/viewer_table.h"

namespace orvo::test {
namespace {


class BooksWindowFlow : public GuiScratch {
 protected:
  static constexpr const char* kPassword = "Demo2016";

  // orvo-batch demo on the scratch drives (period 16 03 by the test clock:
  // January and February closed, March open).
  void InstallDemo() {
    InstallDemoCompany(kPassword);
    // A table viewer that only ends: the test opens the viewer's window
    // itself on the hand-over.
    const std::string viewer = dDir + "/LOrvo/Programy/TabView.Exe";
    std::ofstream(viewer) << "#!/bin/sh\nexit 0\n";
    ::chmod(viewer.c_str(), 0755);
  }
};

TEST_F(BooksWindowFlow, MonthCloseFromTheMenuThenCurrentBalancesInTheViewer) {
  InstallDemo();
  app = MakeApp();
  driver.Login("Admin", kPassword);
  ASSERT_TRUE(app->Start({"D:"}));
  ASSERT_TRUE(WaitFor([&] { return app->mainWindow()->FirstActivationDone() || app->Ended(); }));
  ASSERT_FALSE(app->Ended()) << app->EndReason();
  EXPECT_EQ(app->mainWindow()->PeriodLabel()->text(), QStringLiteral("Ucetni obdobi: 16 03"));
  ASSERT_TRUE(Exists("D:\\LOrvo\\Data\\160201UctS.Cds"));
  ASSERT_FALSE(Exists("D:\\LOrvo\\Data\\160301UctS.Cds"));
  driver.boxes.clear();

  // "Skutecne chceme uzavrit mesic ?" Yes, then the window: the proposal,
  // "  Proved", a picture, "  Konec".
  driver.Answer(QMessageBox::Yes);
  QString shownCurrent, shownNext, afterCurrent, afterNext;
  driver.Step([&](QWidget* w) {
    auto* window = qobject_cast<gui::MonthCloseWindow*>(w);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("  Mesicni uzaverka"));
    shownCurrent = window->CurrentField()->text();
    shownNext = window->NextField()->text();
    EXPECT_TRUE(window->NextField()->hasFocus());
    Screenshot(window, "month_close");
    window->ProceedButton()->click();
    afterCurrent = window->CurrentField()->text();
    afterNext = window->NextField()->text();
    Screenshot(window, "month_close_done");
    window->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
  });
  app->mainWindow()->ActionOf(MenuAction::UzavMes)->trigger();
  ASSERT_TRUE(WaitFor([&] { return driver.StepsDone(); }));
  EXPECT_EQ(shownCurrent, QStringLiteral("1603"));
  EXPECT_EQ(shownNext, QStringLiteral("1604"));
  EXPECT_EQ(afterCurrent, QStringLiteral("1604"));
  EXPECT_EQ(afterNext, QStringLiteral("1605"));
  ASSERT_EQ(driver.boxes.size(), 1u) << ::testing::PrintToString(driver.boxes);
  EXPECT_EQ(driver.boxes[0].text, QStringLiteral("Skutecne chceme uzavrit mesic ?"));
  EXPECT_TRUE(Exists("D:\\LOrvo\\Data\\160301UctS.Cds"));
  EXPECT_EQ(app->mainWindow()->PeriodLabel()->text(), QStringLiteral("Ucetni obdobi: 16 04"));

  // "Aktualni stavy" of 16 04: the balances just closed, no postings yet.
  driver.boxes.clear();
  app->mainWindow()->ActionOf(MenuAction::TabAktStavy)->trigger();
  EXPECT_TRUE(driver.boxes.empty()) << ::testing::PrintToString(driver.boxes);
  const std::string handOver = ReadHostFile(Host("C:\\A_Run\\Work\\TabView.Ldb"));
  std::vector<std::string> lines;
  std::istringstream in(handOver);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  ASSERT_EQ(lines.size(), 5u) << handOver;
  EXPECT_EQ(lines[3], "Prehled aktualnich stavu v obdobi 16 04");

  DriveMap drives;
  drives.Map('C', cDir);
  drives.Map('D', dDir);
  DosFs fs(drives);
  gui::QtUi ui(fs, clock);
  Env env{ui, fs, clock};
  ViewerTable table(env);
  ASSERT_TRUE(table.Load({lines[0], lines[1], lines[2], lines[3], true}));
  gui::TableViewWindow viewer(env, table);
  viewer.resize(1100, 500);
  viewer.show();
  auto* view = viewer.findChild<QTableView*>();
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->model()->columnCount(), 11);
  EXPECT_GT(view->model()->rowCount(), 20);
  EXPECT_EQ(view->model()->headerData(10, Qt::Horizontal, Qt::DisplayRole).toString().trimmed(),
            QStringLiteral("Zustatek"));
  Screenshot(&viewer, "current_balances_viewer");
}

TEST_F(BooksWindowFlow, OpeningBalancesEditedInTheBrowserAreWrittenBack) {
  InstallDemo();
  app = MakeApp();
  driver.Login("Admin", kPassword);
  ASSERT_TRUE(app->Start({"D:"}));
  ASSERT_TRUE(WaitFor([&] { return app->mainWindow()->FirstActivationDone() || app->Ended(); }));
  ASSERT_FALSE(app->Ended()) << app->EndReason();
  const std::string file = Host("D:\\LOrvo\\Data\\160201UctS.Cds");
  const std::string before = ReadHostFile(file);

  // Closed without a change: the file stays as it was.
  driver.Step([&](QWidget* w) {
    auto* browser = qobject_cast<gui::BrowserWindow*>(w);
    ASSERT_NE(browser, nullptr);
    EXPECT_GT(browser->Model().RecordCount(), 20);
    Screenshot(browser, "opening_balances");
    browser->close();
  });
  app->mainWindow()->ActionOf(MenuAction::DataStavy)->trigger();
  ASSERT_TRUE(WaitFor([&] { return driver.StepsDone(); }));
  EXPECT_EQ(ReadHostFile(file), before);

  // One amount changed: the balance file is rewritten with it.
  std::string key;
  driver.Step([&](QWidget* w) {
    auto* browser = qobject_cast<gui::BrowserWindow*>(w);
    ASSERT_NE(browser, nullptr);
    CdsScrModel& model = browser->Model();
    model.ToggleCorrections();
    model.Select(0, 8);
    model.EditCell("777");
    model.Enter();
    key = model.CellText(0, 5);
    browser->close();
  });
  app->mainWindow()->ActionOf(MenuAction::DataStavy)->trigger();
  ASSERT_TRUE(WaitFor([&] { return driver.StepsDone(); }));
  EXPECT_NE(ReadHostFile(file), before);
  DriveMap drives;
  drives.Map('C', cDir);
  drives.Map('D', dDir);
  DosFs fs(drives);
  gui::QtUi ui(fs, clock);
  Env env{ui, fs, clock};
  Dataset ds(env);
  ASSERT_TRUE(ds.LoadFromFile("D:\\LOrvo\\Data\\160201UctS.Cds"));
  ASSERT_GT(ds.RecordCount(), 0);
  EXPECT_EQ(ds.StringAt(0, 5), key);
  EXPECT_EQ(ds.StringAt(0, 8), "         777,00");
}

}  // namespace
}  // namespace orvo::test
