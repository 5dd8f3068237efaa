// The browser's report windows on the demo installation: "  Sestava II"
// opens the framed report window over the browser's report.
#include <QCheckBox>
#include <QLabel>
#include <QPixmap>
#include <QLineEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTextEdit>
#include <QtTest/QtTest>

#include <gtest/gtest.h>

#include "core/app/demo_install.h"
#include "core/app/main_menu.h"
#include "gui/app/main_window.h"
#include "gui/output/graphic_window.h"
#include "gui/output/ram_window.h"
#include "gui/output/vyst_window.h"
#include "gui/screens/browser_window.h"
#include "gui/gui_support.h"
#include "support/host_file.h"

namespace orvo::test {
namespace {

class ExportWindowsFlow : public GuiScratch {
 protected:
  static constexpr const char* kPassword = "Demo2016";

  void StartOnDemo() {
    InstallDemoCompany(kPassword);
    app = MakeApp();
    driver.Login("Admin", kPassword);
    ASSERT_TRUE(app->Start({"D:"}));
    ASSERT_TRUE(WaitFor([&] { return app->mainWindow()->FirstActivationDone() || app->Ended(); }));
    ASSERT_FALSE(app->Ended()) << app->EndReason();
    driver.boxes.clear();
  }
};

TEST_F(ExportWindowsFlow, SestavaIIShowsTheFramedPagesOfTheOpeningBalances) {
  StartOnDemo();
  std::string pageFile;
  int pages = 0;
  QString shown;
  driver.Step([&](QWidget* w) {
    auto* browser = qobject_cast<gui::BrowserWindow*>(w);
    ASSERT_NE(browser, nullptr);
    browser->SestII();
    browser->close();
  });
  driver.Step([&](QWidget* w) {
    auto* ram = qobject_cast<gui::RamWindow*>(w);
    ASSERT_NE(ram, nullptr);
    EXPECT_EQ(ram->windowTitle(), QStringLiteral("  Vytvoreni sestavy ohranicene ramecky"));
    EXPECT_TRUE(ram->framesBox()->isChecked());
    EXPECT_EQ(ram->str1Field()->text(), QStringLiteral("00000"));
    ram->Build();
    pages = ram->model().PageCount();
    pageFile = ram->model().PageFile(1);
    shown = ram->editor()->toPlainText();
    EXPECT_EQ(ram->str1Field()->text(), QStringLiteral("00001"));
    Screenshot(ram, "framed_report");
    // A correction made while editing survives paging away and back.
    ram->ToggleEditing();
    QTextCursor cursor(ram->editor()->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QStringLiteral("Opraveno"));
    ram->button(QStringLiteral("Posledni stranka"))->click();
    ram->button(QStringLiteral("Prvni stranka"))->click();
    EXPECT_TRUE(ram->editor()->toPlainText().endsWith(QStringLiteral("Opraveno")));
    ram->close();
  });
  app->mainWindow()->ActionOf(MenuAction::DataStavy)->trigger();
  ASSERT_TRUE(WaitFor([&] { return driver.StepsDone(); }));
  EXPECT_TRUE(driver.boxes.empty()) << ::testing::PrintToString(driver.boxes);
  EXPECT_GE(pages, 1);
  EXPECT_TRUE(shown.contains(QChar(0x250C))) << shown.toStdString();
  EXPECT_TRUE(shown.contains(QChar(0x2502)));
  // Closing the window removes its pages.
  EXPECT_FALSE(pageFile.empty());
  EXPECT_FALSE(Exists(pageFile));
}

TEST_F(ExportWindowsFlow, SestavaIIIShowsThePagePicturesAndSavesThemAsPdf) {
  StartOnDemo();
  int pages = 0;
  std::string picture;
  QSize shown;
  driver.Step([&](QWidget* w) {
    auto* browser = qobject_cast<gui::BrowserWindow*>(w);
    ASSERT_NE(browser, nullptr);
    browser->SestIII();
    browser->close();
  });
  driver.Step([&](QWidget* w) {
    auto* window = qobject_cast<gui::GraphicWindow*>(w);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("  Vytvoreni sestavy v grafickem rezimu "));
    window->Build();
    pages = window->model().Fields().Count();
    picture = window->model().PictureFile(1);
    EXPECT_TRUE(Exists(picture));
    // The work bitmap is made only for a page being edited.
    EXPECT_FALSE(Exists(window->model().WorkPicture()));
    const QPixmap pixmap = window->picture()->pixmap();
    shown = pixmap.size();
    Screenshot(window, "graphic_report");
    window->ExportPdf("C:\\A_Run\\Work\\Stavy.Pdf");
    window->close();
  });
  app->mainWindow()->ActionOf(MenuAction::DataStavy)->trigger();
  ASSERT_TRUE(WaitFor([&] { return driver.StepsDone(); }));
  EXPECT_GE(pages, 1);
  EXPECT_GT(shown.width(), 200);
  EXPECT_GT(shown.height(), 100);
  EXPECT_EQ(ReadHostFile(Host("C:\\A_Run\\Work\\Stavy.Pdf")).rfind("%PDF", 0), 0u);
  // The question whether to show the PDF, answered No.
  ASSERT_EQ(driver.boxes.size(), 1u) << ::testing::PrintToString(driver.boxes);
  EXPECT_TRUE(driver.boxes[0].text.startsWith(QStringLiteral("Byl vytvoren soubor:")));
  EXPECT_FALSE(Exists(picture));  // closing removes the pictures
}

TEST_F(ExportWindowsFlow, GrafikaOfTheTextReportWindowShowsItsPagePictures) {
  StartOnDemo();
  std::string report;
  for (int page = 1; page <= 3; ++page) {
    report += "Prehled \x9Akod  STR:    " + std::to_string(page) + "\r\n";
    for (int i = 0; i < 40; ++i) report += "  radek " + std::to_string(i) + "\r\n";
    report += "\f\r\n";
  }
  Put("C:\\A_Run\\Sestavy\\Skoda.Ses", report);
  int pages = 0;
  QString title;
  driver.Step([&](QWidget* w) {
    auto* vyst = qobject_cast<gui::VystWindow*>(w);
    ASSERT_NE(vyst, nullptr);
    vyst->button(QStringLiteral("&Grafika"))->click();
    vyst->close();
  });
  driver.Step([&](QWidget* w) {
    auto* window = qobject_cast<gui::GraphicWindow*>(w);
    ASSERT_NE(window, nullptr);
    title = window->windowTitle();
    window->Build();
    pages = window->model().Fields().Count();
    window->button(QStringLiteral("Posledni stranka"))->click();
    EXPECT_EQ(window->str1Field()->text(), QStringLiteral("00003"));
    Screenshot(window, "text_to_graphic");
    window->close();
  });
  app->ShowReport("C:\\A_Run\\Sestavy\\Skoda.Ses");
  ASSERT_TRUE(WaitFor([&] { return driver.StepsDone(); }));
  EXPECT_EQ(title, QStringLiteral(" Prevedeni textove sestavy do grafickeho rezimu "));
  EXPECT_EQ(pages, 3);  // no empty page after the last boundary
  EXPECT_FALSE(Exists("C:\\A_Run\\Sestavy\\T_I_Skoda_0001.Jpg"));
}

}  // namespace
}  // namespace orvo::test
