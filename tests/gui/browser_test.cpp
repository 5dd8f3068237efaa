// The dataset browser's window over its core model: a generated table of
// 200,000 records in the grid, moves and searches through the window's
// keys and buttons, "  Sestava I" shown in a text report window, the
// correction keys, and pictures of the windows.
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QVBoxLayout>

#include <filesystem>

#include "core/data/cds_file.h"
#include "core/data/cds_proc.h"
#include "core/data/dataset.h"
#include "core/screens/browser_model.h"
#include "core/output/print_settings.h"
#include "core/sys/numbers.h"
#include "core/sys/text.h"
#include "gui/gui_support.h"
#include "gui/sys/qt_text.h"
#include "gui/sys/qt_ui.h"
#include "gui/screens/browser_window.h"
#include "gui/screens/grid_table_model.h"
#include "gui/sys/qt_clipboard.h"
#include "gui/screens/subtotal_dialog_window.h"
#include "gui/output/vyst_window.h"

namespace orvo::test {
namespace {

std::string WordLine(int td, const std::string& name, const std::string& heading,
                     const std::string& tms) {
  return PadLeft(std::to_string(td), 3) + " " + PadRight(name, 36) + PadRight(heading, 30) + tms +
         "\r\n";
}

class BrowserWindowTest : public GuiScratch {
 protected:
  BrowserWindowTest() {
    drives.Map('C', cDir);
    drives.Map('D', dDir);
    fs = std::make_unique<DosFs>(drives);
    ui = std::make_unique<gui::QtUi>(*fs, clock);
    env = std::make_unique<Env>(Env{*ui, *fs, clock});
    for (const char* dir : {"/A_Run/Work", "/A_Run/Sestavy", "/A_Run/PomSoub", "/Case"}) {
      std::filesystem::create_directories(cDir + dir);
    }
    PutPrintSettings(*env, PrintSettings{});
    Put("C:\\Case\\Big.Def",
        WordLine(6, "1. Ucet", "Ucet", "LN") + WordLine(6, "2. Cinnost", "Cinnost", "LN") +
            WordLine(24, "3. Nazev", "N\xE1zev", "PM") + WordLine(15, "4. MD", "Ma dati", "N2") +
            WordLine(15, "5. Dal", "Dal", "N2"));
    engine = std::make_unique<TCdsProc>(*env, def);
    model = std::make_unique<CdsScrModel>(*env, *engine, handOver, settings, clipboard);
  }

  // Accounts of 1000 records, activities of 100; amounts on both sides.
  void PutRows(int rows) {
    Dataset ds(*env);
    ds.AddField("Ucet", FieldType::Text, 6);
    ds.AddField("Cinnost", FieldType::Text, 6);
    ds.AddField("Nazev", FieldType::Text, 24);
    ds.AddField("MD", FieldType::Text, 15);
    ds.AddField("Dal", FieldType::Text, 15);
    ASSERT_TRUE(ds.CreateDataSet());
    for (int i = 0; i < rows; ++i) {
      ds.Append();
      ds.SetAsString(0, std::to_string(100000 + i / 1000));
      ds.SetAsString(1, IntTextPadded(1 + (i / 100) % 10, 6));
      ds.SetAsString(2, i % 2 == 0 ? "\x8Elu\x9Dou\xE8k\xFD k\xF9\xF2" : "P\xF8\xEDjem");
      ds.SetAsString(3, RealTextRounded(15, 2, i % 2 == 0 ? 10.5 : 0));
      ds.SetAsString(4, RealTextRounded(15, 2, i % 2 == 0 ? 0 : 2.25));
      ds.Post();
    }
    ASSERT_TRUE(SaveCdsFile(*env, "C:\\Case\\Big.Cds", ds));
  }

  void Open(char editAllowed = 'N') {
    handOver.ScrFile = "C:\\Case\\Big.Cds";
    handOver.ScrDef = "C:\\Case\\Big.Def";
    handOver.ScrEditAllowed = editAllowed;
    gui::BrowserHooks hooks;
    hooks.showTextReport = [this](VystHandOver& vyst) {
      report = std::make_unique<gui::VystWindow>(*env, vyst, settings, office);
      report->show();
    };
    window = std::make_unique<gui::BrowserWindow>(*env, *model, office, hooks);
    ASSERT_TRUE(window->OpenModel());
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  }

  // The counters beside "Sloupec:" (0) and "Radek:" (1).
  QString Counter(int which) const {
    return window->findChild<QLabel*>(which == 0 ? "colCounter" : "rowCounter")->text();
  }

  DriveMap drives;
  std::unique_ptr<DosFs> fs;
  std::unique_ptr<gui::QtUi> ui;
  std::unique_ptr<Env> env;
  LoadedDef def;
  std::unique_ptr<TCdsProc> engine;
  ScrHandOver handOver;
  PrintSettings settings;
  gui::QtClipboard clipboard;
  Office office;
  std::unique_ptr<CdsScrModel> model;
  std::unique_ptr<gui::BrowserWindow> window;
  std::unique_ptr<gui::VystWindow> report;
};

TEST_F(BrowserWindowTest, TwoHundredThousandRowsAndSestavaI) {
  PutRows(200000);
  handOver.ScrHeading1 = "Prehled uctu";
  handOver.ScrSumCols[0] = 'A';
  handOver.ScrSumCols[1] = 'A';
  Open();
  QTableView* grid = window->Grid();
  EXPECT_EQ(grid->model(), window->TableModel());
  EXPECT_EQ(grid->model()->rowCount(), 200000);
  EXPECT_EQ(grid->model()->columnCount(), 5);
  EXPECT_EQ(window->windowTitle(), "  Prehled uctu          C:\\Case\\Big.Cds");
  EXPECT_EQ(grid->model()->headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), "Nazev");
  EXPECT_EQ(grid->model()->data(grid->model()->index(0, 2), Qt::DisplayRole).toString(),
            QString::fromUtf8("Žluťoučký kůň"));
  EXPECT_EQ(Counter(1), "00000001");

  // Moves through the grid's keys reach the end of the table at once.
  grid->setFocus();
  QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(model->Row(), 199999);
  EXPECT_EQ(Counter(1), "00200000");
  EXPECT_EQ(Counter(0), "0005");
  EXPECT_EQ(grid->currentIndex().row(), 199999);
  QTest::keyClick(grid, Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(grid->currentIndex().row(), 0);

  // A key search from the search box.
  window->findChild<QLineEdit*>("search")->setText("100150");
  window->Button("  Najit klic")->click();
  EXPECT_EQ(model->Row(), 150000);
  EXPECT_EQ(grid->currentIndex().row(), 150000);
  Screenshot(window.get(), "dataset_browser");

  window->Button("  Sestava I")->click();
  ASSERT_TRUE(report);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(report.get()));
  const std::string file = gui::ToCp(report->fileField()->text());
  EXPECT_EQ(file, "C:\\A_Run\\Sestavy\\SBig.Ses");
  int io = 0;
  const QString text = gui::FromCp(env->fs.ReadWhole(file, &io).value_or(""));
  EXPECT_TRUE(text.startsWith("\nPrehled uctu")) << text.left(200).toStdString();
  EXPECT_TRUE(text.contains("S ***** Cinnost")) << text.left(2000).toStdString();
  EXPECT_TRUE(text.contains("Celkem")) << text.right(200).toStdString();
  EXPECT_TRUE(text.contains("1050000,00        225000,00")) << text.right(200).toStdString();
  Screenshot(report.get(), "dataset_browser_sestava_i");
}

TEST_F(BrowserWindowTest, CorrectionKeysOnTheGrid) {
  PutRows(3);
  Open('A');
  QTableView* grid = window->Grid();
  QPushButton* correct = window->Button("  Oprava");
  ASSERT_TRUE(correct->isEnabled());
  correct->click();
  EXPECT_TRUE(model->Editable());
  grid->setFocus();
  QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
  QTest::keyClick(grid, Qt::Key_Return);
  EXPECT_EQ(grid->model()->rowCount(), 4);
  EXPECT_EQ(grid->currentIndex().row(), 3);
  EXPECT_EQ(grid->currentIndex().column(), 0);
  QTest::keyClick(grid, Qt::Key_F9);  // the previous record's account
  EXPECT_EQ(grid->model()->data(grid->model()->index(3, 0)).toString(), "100000");
  EXPECT_EQ(grid->currentIndex().column(), 1);
  EXPECT_TRUE(handOver.ScrChanged);

  grid->setCurrentIndex(grid->model()->index(0, 2));
  QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(clipboard.Text(), "\x8Elu\x9Dou\xE8k\xFD k\xF9\xF2");

  // Ctrl+F2: the copy and its information box.
  QTest::keyClick(grid, Qt::Key_F2, Qt::ControlModifier);
  ASSERT_EQ(driver.boxes.size(), 1u);
  EXPECT_EQ(driver.boxes[0].text, "Tabulka byla ulozena do souboru:\n\nC:\\Case\\Big_CdsScr.Cds");
  EXPECT_TRUE(Exists("C:\\Case\\Big_CdsScr.Cds"));
}

// The window has the size it is given, also on a small display, whatever
// the panel above the grid holds.
TEST_F(BrowserWindowTest, OpensAtNineHundredEightyByFiveHundredEighty) {
  PutRows(3);
  handOver.ScrHeading1 = "Prehled uctu";
  Open();
  EXPECT_EQ(window->width(), 980);
  EXPECT_EQ(window->height(), 580);
  Screenshot(window.get(), "dataset_browser_980x580");
}

// The title bar's close button checks the positions as "  Konec" does: a
// gap keeps the dialog open after its message.
TEST_F(BrowserWindowTest, SubtotalDialogTitleBarCloseChecksTheGap) {
  PutRows(3);
  Open();
  bool stayedOpen = false;
  driver.Step([&stayedOpen](QWidget* dialog) {
    auto* d = qobject_cast<gui::SubtotalDialogWindow*>(dialog);
    ASSERT_NE(d, nullptr);
    d->NewSelection();
    d->Grid()->setCurrentCell(1, CdsScrTModel::kPor);
    QTest::keyClick(d->Grid(), Qt::Key_3);  // position 3 with 1 and 2 missing
    d->close();
    stayedOpen = d->isVisible();
    d->OriginalState();
    d->Finish();
  });
  window->Param();
  EXPECT_TRUE(driver.StepsDone());
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(driver.boxes.size(), 1u) << ::testing::PrintToString(driver.boxes);
}

TEST_F(BrowserWindowTest, ParamDialogChoosesColumns) {
  PutRows(3);
  Open();
  driver.Step([](QWidget* dialog) {
    auto* d = qobject_cast<gui::SubtotalDialogWindow*>(dialog);
    ASSERT_NE(d, nullptr);
    d->NewSelection();
    d->Grid()->cellClicked(3, CdsScrTModel::kPor);
    d->Grid()->cellClicked(1, CdsScrTModel::kPor);
    d->Finish();
  });
  window->Param();
  EXPECT_TRUE(driver.StepsDone());
  EXPECT_EQ(model->Order().count, 2);
  EXPECT_EQ(model->Order().rows[0], 3);
  EXPECT_EQ(model->Order().rows[1], 1);
}

}  // namespace
}  // namespace orvo::test
