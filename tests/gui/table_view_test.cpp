// The table viewer's window: a model over the dataset (no item per cell),
// Czech letters, sorting by a heading click, find, copy, CSV and the
// viewing-only mode; and a picture of it.
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QTest>

#include <filesystem>
#include <fstream>

#include "tools/tabview/viewer_table.h"
#include "core/data/cds_file.h"
#include "core/data/dataset.h"
#include "core/data/def_text.h"
#include "gui/gui_support.h"
#include "gui/sys/qt_ui.h"
#include "tools/tabview/table_view_window.h"

namespace orvo::test {
namespace {

class TableViewTest : public GuiScratch {
 protected:
  TableViewTest() {
    drives.Map('C', cDir);
    drives.Map('D', dDir);
    fs = std::make_unique<DosFs>(drives);
    ui = std::make_unique<gui::QtUi>(*fs, clock);
    env = std::make_unique<Env>(Env{*ui, *fs, clock});
    Put("D:\\LOrvo\\DefSoub\\UctS.Def",
        Lines({WordLine(6, "1. Ucet", "Ucet", "PM"), WordLine(14, "2. MD", "Ma dati", "N2"),
               WordLine(24, "3. Nazev", "N\xE1zev \xFA\xE8tu", "PM")}));
  }

  // `rows` records: account 100000 - i, amount i, a Czech name.
  void PutRows(int rows) {
    Dataset ds(*env);
    ds.AddField("Ucet", FieldType::Text, 6);
    ds.AddField("MD", FieldType::Text, 14);
    ds.AddField("Nazev", FieldType::Text, 24);
    ASSERT_TRUE(ds.CreateDataSet());
    for (int i = 0; i < rows; ++i) {
      ds.Append();
      ds.SetAsString(0, std::to_string(100000 - i));
      ds.SetAsString(1, std::to_string(i) + ",50");
      ds.SetAsString(2, i % 2 == 0 ? "\x8Elu\x9Dou\xE8k\xFD k\xF9\xF2" : "P\xF8\xEDjem");
      ds.Post();
    }
    std::filesystem::create_directories(dDir + "/LOrvo/Data");
    ASSERT_TRUE(SaveCdsFile(*env, "D:\\LOrvo\\Data\\Velka.Cds", ds));
  }

  void Open(bool viewOnly) {
    table = std::make_unique<ViewerTable>(*env);
    ASSERT_TRUE(table->Load({"D:\\LOrvo\\Data\\Velka.Cds", "D:\\LOrvo\\DefSoub\\UctS.Def", "Orvo",
                             "Prehled stavu", viewOnly}));
    window = std::make_unique<gui::TableViewWindow>(*env, *table);
    window->show();
  }

  DriveMap drives;
  std::unique_ptr<DosFs> fs;
  std::unique_ptr<gui::QtUi> ui;
  std::unique_ptr<Env> env;
  std::unique_ptr<ViewerTable> table;
  std::unique_ptr<gui::TableViewWindow> window;
};

TEST_F(TableViewTest, HundredThousandRowsThroughAModel) {
  PutRows(100000);
  Open(true);
  QTableView* view = window->View();
  EXPECT_EQ(view->model(), window->Model());
  EXPECT_EQ(view->model()->rowCount(), 100000);
  EXPECT_EQ(view->model()->columnCount(), 3);
  EXPECT_EQ(window->windowTitle(), "Orvo");
  EXPECT_EQ(window->findChild<QLabel*>("Heading")->text(), "Prehled stavu");
  auto* model = window->Model();
  EXPECT_EQ(model->headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(),
            QString::fromUtf8("Název účtu"));
  EXPECT_EQ(model->data(model->index(0, 2), Qt::DisplayRole).toString(),
            QString::fromUtf8("Žluťoučký kůň"));
  EXPECT_EQ(model->data(model->index(99999, 1), Qt::DisplayRole).toString(), "99999,50");
  // Viewing only: nothing is editable.
  EXPECT_FALSE(model->flags(model->index(0, 0)) & Qt::ItemIsEditable);
  EXPECT_FALSE(model->setData(model->index(0, 0), "1", Qt::EditRole));

  // A click on a heading sorts; numbers by value.
  view->horizontalHeader()->setSortIndicator(1, Qt::DescendingOrder);
  EXPECT_EQ(model->data(model->index(0, 1), Qt::DisplayRole).toString(), "99999,50");
  view->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
  EXPECT_EQ(model->data(model->index(0, 0), Qt::DisplayRole).toString(), "1");
  Screenshot(window.get(), "table_viewer");
}

TEST_F(TableViewTest, FindCopyAndCsv) {
  PutRows(5);
  Open(true);
  window->FindText(QString::fromUtf8("příjem"));
  EXPECT_EQ(window->View()->currentIndex().row(), 1);
  EXPECT_EQ(window->View()->currentIndex().column(), 2);
  window->FindNext();
  EXPECT_EQ(window->View()->currentIndex().row(), 3);

  window->View()->selectionModel()->select(
      QItemSelection(window->Model()->index(0, 0), window->Model()->index(1, 1)),
      QItemSelectionModel::ClearAndSelect);
  window->CopySelection();
  EXPECT_EQ(QApplication::clipboard()->text(), "100000\t0,50\n99999\t1,50\n");

  const std::string csv = root.path() + "/D/velka.csv";
  ASSERT_TRUE(window->SaveCsvAs(QString::fromStdString(csv)));
  std::ifstream in(csv, std::ios::binary);
  std::string first;
  std::getline(in, first);
  EXPECT_EQ(first, "Ucet;Ma dati;N\xE1zev \xFA\xE8tu\r");
}

TEST_F(TableViewTest, EditingAsksOnClosingAndStores) {
  PutRows(3);
  Open(false);
  auto* model = window->Model();
  ASSERT_TRUE(model->flags(model->index(0, 2)) & Qt::ItemIsEditable);
  ASSERT_TRUE(model->setData(model->index(0, 2), QString::fromUtf8("Účet"), Qt::EditRole));
  driver.Answer(QMessageBox::Yes);
  window->close();
  ASSERT_EQ(driver.boxes.size(), 1u);
  EXPECT_EQ(driver.boxes[0].text, "Ulozit zmeny ?");
  ViewerTable again(*env);
  ASSERT_TRUE(again.Load({"D:\\LOrvo\\Data\\Velka.Cds", "D:\\LOrvo\\DefSoub\\UctS.Def", "", "",
                          true}));
  EXPECT_EQ(again.Cell(0, 2), "\xDA\xE8\x65t");
}

}  // namespace
}  // namespace orvo::test
