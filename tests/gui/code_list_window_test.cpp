// The code-list window on the demo installation: the "Ciselniky" items of
// the main menu, typing in the grid and the search box, editing, closing
// with the sort and the copy to the sibling; screenshots of the editor.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "core/app/demo_install.h"
#include "core/app/install_data.h"
#include "core/app/main_menu.h"
#include "core/data/dataset.h"
#include "core/sys/encoding.h"
#include "gui/screens/cds_cis_window.h"
#include "gui/gui_support.h"
#include "gui/app/main_window.h"
#include "gui/output/vyst_window.h"
#include "support/host_file.h"

namespace orvo::test {
namespace {

// Types text into whatever has the focus, one character at a time, letters
// with diacritics included (which QTest::keyClicks cannot send).
void TypeText(const QString& text) {
  for (QChar ch : text) {
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(ch), Qt::NoModifier);
  }
}


class CodeListWindowFlow : public GuiScratch {
 protected:
  static constexpr const char* kPassword = "Demo2016";

  // orvo-batch demo on the scratch drives, with the shipped data.
  void InstallDemo() { InstallDemoCompany(kPassword); }

  gui::OrvoApp& StartDemo() {
    InstallDemo();
    app = MakeApp();
    driver.Login("Admin", kPassword);
    EXPECT_TRUE(app->Start({"D:"}));
    EXPECT_TRUE(WaitFor([&] { return app->mainWindow()->FirstActivationDone() || app->Ended(); }));
    return *app;
  }

  std::vector<std::vector<std::string>> Records(const std::string& logical) {
    DosFs dosFs(DriveMap{});
    dosFs.Drives().Map('C', cDir);
    dosFs.Drives().Map('D', dDir);
    class Silent : public Ui {
     public:
      void Message(MessageKind, std::string_view, std::string_view) override {}
      Answer Ask(MessageKind, std::string_view, std::string_view) override { return Answer::No; }
    } ui;
    Env env{ui, dosFs, clock};
    Dataset ds(env);
    EXPECT_TRUE(ds.LoadFromFile(logical)) << logical;
    std::vector<std::vector<std::string>> rows;
    for (int r = 0; r < ds.RecordCount(); ++r) {
      std::vector<std::string> row;
      for (int f = 0; f < ds.FieldCount(); ++f) row.push_back(ds.StringAt(r, f));
      rows.push_back(row);
    }
    return rows;
  }
};

TEST_F(CodeListWindowFlow, DemoShowsTheOrganisationAndThePeriod) {
  gui::OrvoApp& a = StartDemo();
  ASSERT_FALSE(a.Ended()) << a.EndReason();
  // Only the welcome box of the first activation.
  EXPECT_LE(driver.boxes.size(), 1u) << ::testing::PrintToString(driver.boxes);
  EXPECT_EQ(a.mainWindow()->OrganisationLabel(0)->text(), QString::fromUtf8("Zavod:      01 Závod Jihlava"));
  EXPECT_EQ(a.mainWindow()->OrganisationLabel(1)->text(), QString::fromUtf8("Sprava:     01 Správa Jihlava"));
  EXPECT_EQ(a.mainWindow()->OrganisationLabel(2)->text(),
            QString::fromUtf8("Stredisko:  11 Středisko dřevovýroba"));
  EXPECT_EQ(a.mainWindow()->PeriodLabel()->text(), QStringLiteral("Ucetni obdobi: 16 03"));
}

TEST_F(CodeListWindowFlow, ChartOfAccountsIsFoundEditedSortedAndDistributed) {
  gui::OrvoApp& a = StartDemo();
  ASSERT_FALSE(a.Ended());
  driver.boxes.clear();
  int nameCol = 1;
  QString foundAccount;
  driver.Step([&](QWidget* w) {
    auto* window = qobject_cast<gui::CdsCisWindow*>(w);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(),
              QStringLiteral("   Ciselnik          Jmeno:   D:\\LOrvo\\Cisel\\16Ucty.Cds"));
    Screenshot(window, "code_list_browse");
    QTest::mouseClick(window->button(QStringLiteral("  Editace")), Qt::LeftButton);
    EXPECT_TRUE(window->model().EditMode());
    // The account typed into the search box and found with Enter.
    QTest::keyClicks(window->searchBox(), QStringLiteral("311"));
    QTest::keyClick(window->searchBox(), Qt::Key_Return);
    gui::CisGrid* grid = window->grid();
    foundAccount = grid->model()->index(grid->currentIndex().row(), 0).data().toString();
    // The name typed into the grid's cell, with Czech letters.
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(grid->currentIndex().row(), nameCol));
    TypeText(QString::fromUtf8("Pohledávky z obchodu – tuzemsko i zahraničí"));
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(editor, nullptr);
    const int row = grid->currentIndex().row();
    QTest::keyClick(editor, Qt::Key_Return);
    // The editor hands its text over once the key has been dealt with.
    EXPECT_TRUE(WaitFor([&] {
      return window->model().CellText(row, nameCol).rfind(Utf8ToCp1250("Pohledávky z obchodu"), 0) == 0;
    }));
    EXPECT_TRUE(WaitFor([&] { return window->model().CurrentCol() == nameCol + 1; }));
    Screenshot(window, "code_list_edit");
    QTest::keyClick(grid, Qt::Key_Escape);
  });
  a.mainWindow()->ActionOf(MenuAction::AUcty)->trigger();
  ASSERT_TRUE(WaitFor([&] { return driver.StepsDone(); }));
  EXPECT_EQ(foundAccount, QStringLiteral("311   "));
  EXPECT_TRUE(driver.boxes.empty()) << ::testing::PrintToString(driver.boxes);

  auto rows = Records("D:\\LOrvo\\Cisel\\16Ucty.Cds");
  ASSERT_GT(rows.size(), 200u);
  for (size_t i = 1; i < rows.size(); ++i) EXPECT_LT(rows[i - 1][0], rows[i][0]) << i;
  auto it = std::find_if(rows.begin(), rows.end(), [](const auto& r) { return r[0] == "311   "; });
  ASSERT_NE(it, rows.end());
  // "Pohledávky z obchodu – tuzemsko i zahraničí" in Windows-1250, filled to 50.
  std::string expected = Utf8ToCp1250("Pohledávky z obchodu – tuzemsko i zahraničí");
  expected.resize(50, ' ');
  EXPECT_EQ((*it)[1], expected);
  EXPECT_EQ(ReadHostFile(Host("D:\\LPexo\\Cisel\\16Ucty.Cds")),
            ReadHostFile(Host("D:\\LOrvo\\Cisel\\16Ucty.Cds")));
}

TEST_F(CodeListWindowFlow, EveryCodeListItemOpensItsList) {
  gui::OrvoApp& a = StartDemo();
  ASSERT_FALSE(a.Ended());
  driver.boxes.clear();
  const std::pair<MenuAction, const char*> items[] = {
      {MenuAction::AUcty, "D:\\LOrvo\\Cisel\\16Ucty.Cds"},
      {MenuAction::ACinn, "D:\\LOrvo\\Cisel\\16Cinn.Cds"},
      {MenuAction::AKonta, "D:\\LOrvo\\Cisel\\16Konta.Cds"},
      {MenuAction::AMjCinn, "D:\\LOrvo\\Cisel\\MJCinn.Cds"},
      {MenuAction::ACM, "D:\\LOrvo\\Cisel\\CM.Cds"},
      {MenuAction::AOdDoKonto, "D:\\LOrvo\\Cisel\\OdDoKonto.Cds"},
  };
  for (const auto& [action, file] : items) {
    QString title;
    int rows = 0;
    driver.Step([&](QWidget* w) {
      auto* window = qobject_cast<gui::CdsCisWindow*>(w);
      ASSERT_NE(window, nullptr);
      title = window->windowTitle();
      rows = window->grid()->model()->rowCount();
      if (action == MenuAction::ACM) Screenshot(window, "code_list_currencies");
      QTest::keyClick(window->grid(), Qt::Key_Escape);
    });
    a.mainWindow()->ActionOf(action)->trigger();
    ASSERT_TRUE(WaitFor([&] { return driver.StepsDone(); })) << file;
    EXPECT_EQ(title, QStringLiteral("   Ciselnik          Jmeno:   ") + QString::fromLatin1(file));
    EXPECT_GT(rows, 0) << file;
  }
  EXPECT_TRUE(driver.boxes.empty()) << ::testing::PrintToString(driver.boxes);
}

TEST_F(CodeListWindowFlow, ListingIsShownAndTheWindowStaysOpen) {
  gui::OrvoApp& a = StartDemo();
  ASSERT_FALSE(a.Ended());
  driver.boxes.clear();
  bool stillOpen = false;
  driver.Step([&](QWidget* w) {
    auto* window = qobject_cast<gui::CdsCisWindow*>(w);
    ASSERT_NE(window, nullptr);
    QTest::mouseClick(window->button(QStringLiteral("  Tisk")), Qt::LeftButton);
    stillOpen = window->isVisible();
    QTest::keyClick(window->grid(), Qt::Key_Escape);
  });
  QString reportFile;
  driver.Step([&](QWidget* w) {
    // The text report window on the listing.
    auto* report = qobject_cast<gui::VystWindow*>(w);
    ASSERT_NE(report, nullptr);
    reportFile = report->fileField()->text();
    Screenshot(w, "code_list_listing");
    w->close();
  });
  a.mainWindow()->ActionOf(MenuAction::ACM)->trigger();
  ASSERT_TRUE(WaitFor([&] { return driver.StepsDone(); }));
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(reportFile, QStringLiteral("C:\\A_Run\\Sestavy\\CM.Ses"));
  EXPECT_TRUE(Exists("C:\\A_Run\\Sestavy\\CM.Ses"));
  EXPECT_TRUE(driver.boxes.empty()) << ::testing::PrintToString(driver.boxes);
}

}  // namespace
}  // namespace orvo::test
