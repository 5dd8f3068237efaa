// The overviews of "Prehledy" on the demo installation: the general ledger
// at level Stredisko with activities from the menu, shown in the browser and
// turned into "  Sestava I"; the saldo-konto window's buttons wait for a
// computation. Pictures of the window, the browser and the text report.
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "core/app/main_menu.h"
#include "gui/app/main_window.h"
#include "gui/gui_support.h"
#include "gui/output/vyst_window.h"
#include "gui/reports/development_window.h"
#include "gui/reports/ledger_window.h"
#include "gui/reports/saldo_window.h"
#include "gui/screens/browser_window.h"

namespace orvo::test {
namespace {

class OverviewWindows : public GuiScratch {
 protected:
  static constexpr const char* kPassword = "Demo2016";

  gui::OrvoApp& StartDemo() {
    InstallDemoCompany(kPassword);
    app = MakeApp();
    driver.Login("Admin", kPassword);
    EXPECT_TRUE(app->Start({"D:"}));
    EXPECT_TRUE(WaitFor([&] { return app->mainWindow()->FirstActivationDone() || app->Ended(); }));
    driver.boxes.clear();
    return *app;
  }
};

TEST_F(OverviewWindows, LedgerByCostCentreAndActivityToTheTextReport) {
  gui::OrvoApp& a = StartDemo();
  ASSERT_FALSE(a.Ended()) << a.EndReason();
  bool enabledBefore = true, enabledAfter = false;
  int rows = 0, columns = 0;
  QString reportFile;
  driver.Step([&](QWidget* w) {
    auto* window = qobject_cast<gui::LedgerWindow*>(w);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("   Hlavni kniha"));
    enabledBefore = window->ShowButton()->isEnabled() || window->TableButton()->isEnabled();
    window->Level(3)->setChecked(true);
    window->Activities()->setChecked(true);
    QTest::mouseClick(window->ProceedButton(), Qt::LeftButton);
    enabledAfter = window->ShowButton()->isEnabled() && window->TableButton()->isEnabled();
    Screenshot(window, "ledger_window");
    QTest::mouseClick(window->ShowButton(), Qt::LeftButton);
    window->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
  });
  driver.Step([&](QWidget* w) {
    auto* browser = qobject_cast<gui::BrowserWindow*>(w);
    ASSERT_NE(browser, nullptr);
    rows = browser->Model().RecordCount();
    columns = browser->Model().Table().FieldCount();
    browser->resize(1200, 600);
    Screenshot(browser, "ledger_browser");
    browser->SestI();
    browser->close();
  });
  driver.Step([&](QWidget* w) {
    auto* report = qobject_cast<gui::VystWindow*>(w);
    ASSERT_NE(report, nullptr);
    reportFile = report->fileField()->text();
    report->resize(1200, 600);
    Screenshot(w, "ledger_report");
    w->close();
  });
  a.mainWindow()->ActionOf(MenuAction::PrehHlKniha)->trigger();
  ASSERT_TRUE(WaitFor([&] { return driver.StepsDone(); }));
  EXPECT_FALSE(enabledBefore);
  EXPECT_TRUE(enabledAfter);
  EXPECT_GT(rows, 20);
  EXPECT_EQ(columns, 11);  // three units, account and name, activity and name, four amounts
  EXPECT_EQ(reportFile, QStringLiteral("C:\\A_Run\\Sestavy\\SHlKniha.Ses"));
  ASSERT_TRUE(Exists("C:\\A_Run\\Sestavy\\SHlKniha.Ses"));
  EXPECT_TRUE(driver.boxes.empty()) << ::testing::PrintToString(driver.boxes);
}

TEST_F(OverviewWindows, DevelopmentAndSaldoWindowsFromTheMenu) {
  gui::OrvoApp& a = StartDemo();
  ASSERT_FALSE(a.Ended()) << a.EndReason();
  QString from, to;
  bool computed = false;
  driver.Step([&](QWidget* w) {
    auto* window = qobject_cast<gui::DevelopmentWindow*>(w);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("  Vyvoj stavu cinnosti"));
    from = window->From()->text();
    to = window->To()->text();
    window->From()->setText(QStringLiteral("1601"));
    window->Breakdown()->setChecked(true);
    QTest::mouseClick(window->ProceedButton(), Qt::LeftButton);
    computed = window->model().Computed();
    Screenshot(window, "activity_development_window");
    w->close();
  });
  a.mainWindow()->ActionOf(MenuAction::VyvojStCn)->trigger();
  ASSERT_TRUE(WaitFor([&] { return driver.StepsDone(); }));
  EXPECT_EQ(from, QStringLiteral("1603"));
  EXPECT_EQ(to, QStringLiteral("1603"));
  EXPECT_TRUE(computed);
  EXPECT_TRUE(Exists("C:\\A_Run\\Aplikace\\LOrvo\\Sestavy\\VyStCn.Cds"));

  bool shownBefore = true;
  driver.Step([&](QWidget* w) {
    auto* window = qobject_cast<gui::SaldoWindow*>(w);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->From()->text(), QStringLiteral("1601"));
    shownBefore = window->ShowButton()->isEnabled();
    window->KontoFirst()->setChecked(true);
    QTest::mouseClick(window->ProceedButton(), Qt::LeftButton);
    computed = window->model().Computed() && window->ShowButton()->isEnabled();
    Screenshot(window, "saldo_window");
    w->close();
  });
  a.mainWindow()->ActionOf(MenuAction::SaldoKonto)->trigger();
  ASSERT_TRUE(WaitFor([&] { return driver.StepsDone(); }));
  EXPECT_FALSE(shownBefore);
  EXPECT_TRUE(computed);
  EXPECT_TRUE(driver.boxes.empty()) << ::testing::PrintToString(driver.boxes);
}

}  // namespace
}  // namespace orvo::test
