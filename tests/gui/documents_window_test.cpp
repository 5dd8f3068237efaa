// The accounting document window from the menu on the demo company: a whole
// document typed with a konto looked up by Ctrl+F1 (a Czech name on the
// code-list line) and an amount in euros converted, saved, reopened from
// the list of documents, printed and its voucher shown; the screenshots of
// the window and of both prints in the text report window.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "core/accounting/uct_dokl.h"
#include "core/app/main_window.h"
#include "core/sys/encoding.h"
#include "core/sys/text.h"
#include "gui/accounting/uct_dokl_window.h"
#include "gui/app/main_window.h"
#include "gui/gui_support.h"
#include "gui/output/vyst_window.h"
#include "gui/screens/cds_cis_window.h"

namespace orvo::test {
namespace {

void TypeText(const QString& text) {
  for (QChar ch : text) {
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(ch), Qt::NoModifier);
  }
}

class DocumentsWindowFlow : public GuiScratch {
 protected:
  static constexpr const char* kPassword = "Demo2016";

  // Clicks a cell of the rows grid, types into it and leaves it by Enter.
  static void TypeCell(gui::UctDoklWindow* window, int row, int col, const QString& text) {
    gui::DoklTableView* grid = window->RowsGrid();
    // After a nested window the document window is active again.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(row, col));
    TypeText(text);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    WaitFor([&] { return QApplication::focusWidget() == grid; }, 2000);
  }
  static std::string Cell(gui::UctDoklWindow* window, int row, int col) {
    return Trim(window->model().Grid().Cell(row, col));
  }
  // The next modal window is the text report window: a picture, then closed.
  void ShotOfReport(const std::string& name, QString* shown) {
    driver.Step([this, name, shown](QWidget* w) {
      auto* report = qobject_cast<gui::VystWindow*>(w);
      ASSERT_NE(report, nullptr) << w->metaObject()->className();
      Screenshot(report, name);
      // "&Zobraz.." shows the report's text beside the window.
      report->button(QStringLiteral("&Zobraz.."))->click();
      ASSERT_NE(report->viewer(), nullptr);
      Screenshot(report->viewer(), name + "_text");
      auto* text = report->viewer()->findChild<QPlainTextEdit*>();
      if (text != nullptr) *shown = text->toPlainText();
      report->reject();
    });
  }
};

TEST_F(DocumentsWindowFlow, ADocumentTypedSavedReopenedAndPrinted) {
  InstallDemoCompany(kPassword);
  app = MakeApp();
  driver.Login("Admin", kPassword);
  ASSERT_TRUE(app->Start({"D:"}));
  ASSERT_TRUE(WaitFor([&] { return app->mainWindow()->FirstActivationDone() || app->Ended(); }));
  ASSERT_FALSE(app->Ended()) << app->EndReason();
  driver.boxes.clear();

  std::string number;
  QString codeLineOfKonto, printText, voucherText;
  driver.Step([&](QWidget* w) {
    auto* window = qobject_cast<gui::UctDoklWindow*>(w);
    ASSERT_NE(window, nullptr) << w->metaObject()->className();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    EXPECT_TRUE(window->windowTitle().startsWith(QStringLiteral("Ucetni doklady     ")));
    number = Trim(window->model().Grid().Header(3));
    ASSERT_FALSE(number.empty());

    // Row 1: cash in euros, the amount typed in euros and converted.
    TypeCell(window, 0, 4, QStringLiteral("211"));
    TypeCell(window, 0, 11, QStringLiteral("eur"));
    TypeCell(window, 0, 13, QStringLiteral("25,5"));
    TypeCell(window, 0, 8, QStringLiteral("10"));
    EXPECT_EQ(Cell(window, 0, 8), "255,00");
    EXPECT_EQ(window->CodeLine()->text(), QStringLiteral("10 x 25,50000 EUR"));

    // Row 2: the customer, chosen from the konta look-up by Ctrl+F1.
    TypeCell(window, 1, 4, QStringLiteral("311"));
    gui::DoklTableView* grid = window->RowsGrid();
    grid->setCurrentIndex(grid->model()->index(1, 7));
    driver.Step([&](QWidget* list) {
      auto* cis = qobject_cast<gui::CdsCisWindow*>(list);
      ASSERT_NE(cis, nullptr) << list->metaObject()->className();
      QTest::keyClicks(cis->searchBox(), QStringLiteral("100002"));
      QTest::keyClick(cis->searchBox(), Qt::Key_Return);
      Screenshot(cis, "document_konto_lookup");
      QTest::keyClick(cis->grid(), Qt::Key_Return);
    });
    QTest::keyClick(grid, Qt::Key_F1, Qt::ControlModifier);
    EXPECT_EQ(Cell(window, 1, 7), "100002");
    codeLineOfKonto = window->CodeLine()->text();
    TypeCell(window, 1, 9, QStringLiteral("255"));
    EXPECT_EQ(window->Totals()->text().simplified(), QStringLiteral("255,00 255,00"));
    Screenshot(window, "document_window");

    // Saved, then a new document; the saved one comes back from the list.
    QTest::mouseClick(window->Button("UlozX"), Qt::LeftButton);
    QTest::mouseClick(window->Button("NovyDokl"), Qt::LeftButton);
    EXPECT_FALSE(window->model().Present());
    EXPECT_EQ(Cell(window, 0, 4), "");
    driver.Step([&](QWidget* list) {
      auto* cis = qobject_cast<gui::CdsCisWindow*>(list);
      ASSERT_NE(cis, nullptr) << list->metaObject()->className();
      Screenshot(cis, "document_list");
      // The documents are listed by identification; ours is the last of
      // its unit, typed into the search box by its four values.
      gui::CisGrid* cisGrid = cis->grid();
      const auto* cells = cisGrid->model();
      for (int r = 0; r < cells->rowCount(); ++r) {
        if (cells->index(r, 3).data().toString().trimmed() == QString::fromStdString(number) &&
            cells->index(r, 2).data().toString().trimmed() == QStringLiteral("0101110000")) {
          cisGrid->setCurrentIndex(cells->index(r, 0));
        }
      }
      QTest::keyClick(cisGrid, Qt::Key_Return);
    });
    QTest::mouseClick(window->Button("OpenDokl"), Qt::LeftButton);
    EXPECT_TRUE(window->model().Present());
    EXPECT_EQ(Cell(window, 0, 8), "255,00");
    EXPECT_EQ(Cell(window, 1, 7), "100002");

    ShotOfReport("document_print_UctD", &printText);
    QTest::mouseClick(window->Button("Tisk"), Qt::LeftButton);
    ShotOfReport("document_voucher_UcLDokl", &voucherText);
    QTest::mouseClick(window->Button("LikvDokl"), Qt::LeftButton);
    QTest::mouseClick(window->Button("CloseData"), Qt::LeftButton);
  });
  app->mainWindow()->ActionOf(MenuAction::DataObraty)->trigger();
  ASSERT_TRUE(WaitFor([&] { return driver.StepsDone(); }));
  EXPECT_TRUE(driver.boxes.empty()) << ::testing::PrintToString(driver.boxes);
  EXPECT_TRUE(codeLineOfKonto.contains(QString::fromUtf8("Dvořák"))) << codeLineOfKonto.toStdString();
  EXPECT_TRUE(printText.contains(QStringLiteral("Celkem"))) << printText.toStdString();
  EXPECT_TRUE(voucherText.contains(QStringLiteral("U C E T N I   D O K L A D"))) << voucherText.toStdString();
  EXPECT_TRUE(voucherText.contains(QStringLiteral("255,00"))) << voucherText.toStdString();
}

}  // namespace
}  // namespace orvo::test
