// The browser's report windows on the demo installation: "  Sestava II"
// opens the framed report window over the browser's report.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTextEdit>
#include <QtTest/QtTest>

#include <gtest/gtest.h>

#include "core/app/demo_install.h"
#include "core/app/main_menu.h"
#include "gui/app/main_window.h"
#include "gui/output/ram_window.h"
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

}  // namespace
}  // namespace orvo::test
