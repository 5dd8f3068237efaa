// The grid data entry window as the calculation opens it: hand-over values
// set, two rows typed and checked, "  Konec" saving the document; then the
// document opened again by its identification.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "core/app/session.h"
#include "core/data/dataset.h"
#include "core/sys/text.h"
#include "gui/app/main_window.h"
#include "gui/gui_support.h"
#include "gui/screens/cds_dokl_window.h"

namespace orvo::test {
namespace {

std::string DefLine(int width, const std::string& name, const std::string& heading, const std::string& rest) {
  std::string w = std::to_string(width);
  return std::string(3 - w.size(), ' ') + w + " " + PadRight(name, 36) + PadRight(heading, 30) + rest + "\r\n";
}

void TypeText(const QString& text) {
  for (QChar ch : text) {
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(ch), Qt::NoModifier);
  }
}

class GridEntryWindowFlow : public GuiScratch {
 protected:
  void HandOver(gui::OrvoApp& a) {
    DoklHandOver& h = a.session().doklHandOver;
    h.DoklFile = "D:\\LOrvo\\Data\\KalkMn.Cds";
    h.DoklDef = "D:\\LOrvo\\DefSoub\\KalkMn.Def";
    h.DoklRows = 200;
    h.DoklPreset[0] = "16";
    h.DoklHeading1 = "Orvo";
    h.DoklHeading2 = "Mnozstvi MJ pro kalkulace";
  }
  static void TypeCell(gui::CdsDoklWindow* w, gui::DoklTableView* grid, int row, int col, const QString& text) {
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(row, col));
    TypeText(text);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    WaitFor([&] { return QApplication::focusWidget() == grid; }, 2000);
  }
};

TEST_F(GridEntryWindowFlow, RowsTypedAndSavedByKonec) {
  gui::OrvoApp& a = StartLoggedIn();
  ASSERT_FALSE(a.Ended());
  Put("D:\\LOrvo\\DefSoub\\KalkMn.Def",
      "Quantities\r\n" + DefLine(2, "1. Rok", "Rok", "LNC") + DefLine(5, "2. Kalk", "Kalkulace", "LNC KH") +
          DefLine(4, "3. Radek", "Radek", "LNC") + DefLine(5, "4. Cinnost", "Cinnost", "PM") +
          DefLine(12, "5. Mnozstvi", "Mnozstvi", "N2"));
  HandOver(a);
  driver.boxes.clear();
  driver.Step([&](QWidget* w) {
    auto* window = qobject_cast<gui::CdsDoklWindow*>(w);
    ASSERT_NE(window, nullptr) << w->metaObject()->className();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    EXPECT_TRUE(window->windowTitle().startsWith(QStringLiteral("Nahravani dat  ")));
    // The identification through the header's model (a new one: not found).
    window->model().Type(-1, 1, "7");
    EXPECT_TRUE(window->model().LeaveHeaderCell(1, false));
    EXPECT_TRUE(window->model().EnterItems());
    TypeCell(window, window->ItemGrid(), 0, 1, QStringLiteral("10100"));
    TypeCell(window, window->ItemGrid(), 0, 2, QStringLiteral("12,5"));
    TypeCell(window, window->ItemGrid(), 2, 1, QStringLiteral("20100"));
    TypeCell(window, window->ItemGrid(), 2, 2, QStringLiteral("3"));
    Screenshot(window, "grid_entry_window");
    QTest::mouseClick(window->Button("Konec"), Qt::LeftButton);
  });
  gui::CdsDoklWindow window(a, a.mainWindow());
  window.Run();
  ASSERT_TRUE(driver.StepsDone());
  ASSERT_EQ(driver.boxes.size(), 1u) << ::testing::PrintToString(driver.boxes);
  EXPECT_EQ(driver.boxes[0].text, QStringLiteral("Doklad s touto identifikaci nebyl nalezen !"));
  // Closing reset the hand-over values.
  EXPECT_TRUE(a.session().doklHandOver.DoklFile.empty());

  Dataset ds(a.env());
  ASSERT_TRUE(ds.LoadFromFile("D:\\LOrvo\\Data\\KalkMn.Cds"));
  ASSERT_EQ(ds.RecordCount(), 2);
  std::vector<std::string> got;
  for (int r = 0; r < 2; ++r) {
    std::string line;
    for (int f = 0; f < ds.FieldCount(); ++f) line += Trim(ds.StringAt(r, f)) + "|";
    got.push_back(line);
  }
  EXPECT_EQ(got, (std::vector<std::string>{"16|00007|0001|10100|12,50|", "16|00007|0003|20100|3,00|"}));

  // Opened again: the identification reads the document.
  HandOver(a);
  driver.Step([&](QWidget* w) {
    auto* again = qobject_cast<gui::CdsDoklWindow*>(w);
    ASSERT_NE(again, nullptr);
    again->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(again));
    again->model().Type(-1, 1, "7");
    bool loaded = false;
    EXPECT_TRUE(again->model().LeaveHeaderCell(1, false, &loaded));
    EXPECT_TRUE(loaded);
    EXPECT_TRUE(again->model().Loaded());
    EXPECT_EQ(Trim(again->model().Grid().Cell(2, 1)), "20100");
    Screenshot(again, "grid_entry_window_read");
    QTest::keyClick(again, Qt::Key_Escape);
  });
  driver.Answer(QMessageBox::Yes);
  gui::CdsDoklWindow second(a, a.mainWindow());
  second.Run();
  ASSERT_TRUE(driver.StepsDone());
}

}  // namespace
}  // namespace orvo::test
