// "Kalkulace" on the demo installation: "Vkladani dat" opens the grid data
// entry on the quantities with this unit in its header; "Vypocet" opens the
// calculation window, computes the shipped calculation by plant and shows
// the report; pictures of the windows.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "core/app/main_menu.h"
#include "core/app/session.h"
#include "core/output/report_file.h"
#include "gui/app/main_window.h"
#include "gui/app/orvo_app.h"
#include "gui/gui_support.h"
#include "gui/output/vyst_window.h"
#include "gui/reports/calculation_window.h"
#include "gui/screens/cds_dokl_window.h"
#include "support/host_file.h"

namespace orvo::test {
namespace {

TEST_F(GuiScratch, CalculationByPlantAndTheQuantitiesEntry) {
  InstallDemoCompany("Demo2016");
  app = MakeApp();
  driver.Login("Admin", "Demo2016");
  ASSERT_TRUE(app->Start({"D:"}));
  ASSERT_TRUE(WaitFor([&] { return app->mainWindow()->FirstActivationDone() || app->Ended(); }));
  ASSERT_FALSE(app->Ended()) << app->EndReason();
  driver.boxes.clear();

  QString caption, plant;
  driver.Step([&](QWidget* w) {
    auto* window = qobject_cast<gui::CdsDoklWindow*>(w);
    ASSERT_NE(window, nullptr);
    caption = window->windowTitle();
    plant = window->HeaderGrid()->model()->index(0, 0).data().toString();
    Screenshot(window, "quantities_entry");
    window->Button("Konec")->click();
  });
  app->mainWindow()->ActionOf(MenuAction::DataKalk)->trigger();
  ASSERT_TRUE(WaitFor([&] { return driver.StepsDone(); }, 60000)) << ::testing::PrintToString(driver.boxes);
  EXPECT_TRUE(caption.startsWith(QStringLiteral("Nahravani dat  "))) << caption.toStdString();
  EXPECT_EQ(plant.trimmed(), QStringLiteral("01"));

  QString title, label;
  driver.Step([&](QWidget* w) {
    auto* window = qobject_cast<gui::CalculationWindow*>(w);
    ASSERT_NE(window, nullptr);
    title = window->windowTitle();
    window->DefinitionField()->setText(QStringLiteral("D:\\LOrvo\\DefSoub\\KalkZ1.Def"));
    window->DefinitionField()->setModified(true);
    emit window->DefinitionField()->editingFinished();
    label = window->TitleLabel()->text();
    window->LevelButton(1)->click();
    window->ProceedButton()->click();
    Screenshot(window, "calculation_window");
    window->ShowButton()->click();
    window->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
  });
  driver.Step([&](QWidget* w) {
    auto* vyst = qobject_cast<gui::VystWindow*>(w);
    ASSERT_NE(vyst, nullptr);
    Screenshot(vyst, "calculation_report");
    vyst->close();
  });
  app->mainWindow()->ActionOf(MenuAction::Kalkulace)->trigger();
  ASSERT_TRUE(WaitFor([&] { return driver.StepsDone(); }, 60000));
  EXPECT_TRUE(driver.boxes.empty()) << ::testing::PrintToString(driver.boxes);
  EXPECT_EQ(title, QStringLiteral("  Kalkulace"));
  EXPECT_EQ(label, QStringLiteral("Kalkulace nakladu cinnosti - druhove cleneni"));
  // Six activities of three plants, each on a page of its own.
  const std::string report = ReadHostFile(Host("C:\\A_Run\\Aplikace\\LOrvo\\Sestavy\\KalkZ1.Ses"));
  const std::vector<std::string> lines = SplitReportLines(report);
  EXPECT_EQ(CountPages(lines), 19);
  EXPECT_NE(report.find("Str: 018"), std::string::npos);
  EXPECT_NE(report.find("Cinnost: 10100 - "), std::string::npos);
}

}  // namespace
}  // namespace orvo::test
