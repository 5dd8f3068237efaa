// "Vykazy" > "Rozvaha" on the demo installation: the statements window opens
// with the shipped balance sheet, computes it by plant, shows the report in
// the text report window and prints it to PDF; pictures of both.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <cstdlib>
#include <regex>

#include "core/app/main_menu.h"
#include "core/app/session.h"
#include "core/output/print_settings.h"
#include "gui/app/main_window.h"
#include "gui/app/orvo_app.h"
#include "gui/gui_support.h"
#include "gui/output/vyst_window.h"
#include "gui/reports/statement_window.h"
#include "support/host_file.h"

namespace orvo::test {
namespace {

TEST_F(GuiScratch, BalanceSheetByPlantShownAndPrintedToPdf) {
  InstallDemoCompany("Demo2016");
  app = MakeApp();
  driver.Login("Admin", "Demo2016");
  ASSERT_TRUE(app->Start({"D:"}));
  ASSERT_TRUE(WaitFor([&] { return app->mainWindow()->FirstActivationDone() || app->Ended(); }));
  ASSERT_FALSE(app->Ended()) << app->EndReason();
  driver.boxes.clear();
  // The balance sheet's three amount columns need a page on its side.
  app->session().printSettings.PageOrientation = kLandscape;
  ASSERT_TRUE(PutPrintSettings(app->session().env, app->session().printSettings));

  const std::string pdf = "C:\\A_Run\\Sestavy\\Rozvaha.pdf";
  QString definition, title, period;
  bool podnikFirst = false;
  driver.Step([&](QWidget* w) {
    auto* window = qobject_cast<gui::StatementWindow*>(w);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("  Zpracovani vykazu"));
    definition = window->DefinitionField()->text();
    title = window->TitleLabel()->text();
    period = window->findChild<QLineEdit*>(QStringLiteral("Edit2"))->text();
    podnikFirst = window->LevelButton(0)->isChecked() && window->SourceButton(0)->isChecked();
    window->LevelButton(1)->click();
    window->ProceedButton()->click();
    Screenshot(window, "statement_window");
    window->ShowButton()->click();
    window->findChild<QPushButton*>(QStringLiteral("BitBtn5"))->click();
  });
  driver.Step([&](QWidget* w) {
    auto* vyst = qobject_cast<gui::VystWindow*>(w);
    ASSERT_NE(vyst, nullptr);
    Screenshot(vyst, "statement_report");
    vyst->SetPdfOutput(pdf);
    vyst->button(QStringLiteral("      Graficky tisk"))->click();
    vyst->close();
  });
  app->mainWindow()->ActionOf(MenuAction::VykRozv)->trigger();
  ASSERT_TRUE(WaitFor([&] { return driver.StepsDone(); }));
  EXPECT_TRUE(driver.boxes.empty()) << ::testing::PrintToString(driver.boxes);
  EXPECT_EQ(definition, QStringLiteral("  D:\\LOrvo\\DefSoub\\VykZRozv.Def"));
  EXPECT_EQ(title, QStringLiteral("Vykaz II:  Rozvaha"));
  EXPECT_EQ(period, QStringLiteral("1603"));
  EXPECT_TRUE(podnikFirst);

  // Three plants, each balanced: its check line shows no amount.
  const std::string report = ReadHostFile(Host("C:\\A_Run\\Aplikace\\LOrvo\\Sestavy\\VykZRozv.Ses"));
  for (const char* plant : {"01", "02", "03"}) {
    std::smatch m;
    ASSERT_TRUE(std::regex_search(report, m, std::regex(std::string("\r\n") + plant + "  028  Kontrola[^\r]*")))
        << plant;
    EXPECT_EQ(m.str().find(','), std::string::npos) << m.str();
  }
  ASSERT_TRUE(Exists(pdf));
  if (std::system("command -v pdfinfo > /dev/null") == 0) {
    const std::string info = Host(pdf) + ".info";
    ASSERT_EQ(std::system(("pdfinfo '" + Host(pdf) + "' > '" + info + "'").c_str()), 0);
    const std::string pages = ReadHostFile(info);
    EXPECT_NE(pages.find("Pages:           3"), std::string::npos) << pages;
  }
  // A picture of the printed first page beside the window's pictures.
  if (std::system("command -v pdftoppm > /dev/null") == 0) {
    const std::string picture = std::string(ORVO_SCREENSHOT_DIR) + "/statement_pdf_page1";
    EXPECT_EQ(std::system(("pdftoppm -png -r 60 -singlefile -f 1 -l 1 '" + Host(pdf) + "' '" + picture + "'").c_str()), 0);
  }
}

}  // namespace
}  // namespace orvo::test
