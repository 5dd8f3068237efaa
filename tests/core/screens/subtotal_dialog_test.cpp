#include "core/screens/subtotal_dialog.h"

#include <gtest/gtest.h>

#include "support/scratch.h"

namespace orvo::test {
namespace {

LoadedDef DefOfWords(int n) {
  LoadedDef def;
  def.PSl = n;
  for (int i = 1; i <= n; ++i) {
    DefWord w;
    w.FieldName = "Pole" + std::to_string(i);
    def.words.push_back(w);
  }
  return def;
}

class SubtotalDialogTest : public Scratch {
 protected:
  SubtotalDialogTest() {
    dialog.PrepareForOpening(DefOfWords(4), none, none, none, &flags, &order);
    dialog.LoadForParam(DefOfWords(4), none, none, none);
  }
  std::vector<std::string> Positions() const {
    std::vector<std::string> p;
    for (int r = 1; r < dialog.RowCount(); ++r) p.push_back(dialog.Cell(r, CdsScrTModel::kPor));
    return p;
  }

  ScrColumnFlags none = NoColumnFlags();
  ScrGroupFlags flags;
  ScrOrder order;
  CdsScrTModel dialog;
};

TEST_F(SubtotalDialogTest, OpeningNumbersEveryColumnAndShowsTheNames) {
  EXPECT_EQ(dialog.RowCount(), 5);
  EXPECT_EQ(dialog.Cell(0, CdsScrTModel::kName), "Nazev sloupce");
  EXPECT_EQ(dialog.Cell(0, CdsScrTModel::kPor), "Por");
  EXPECT_EQ(dialog.Cell(3, CdsScrTModel::kName), "Pole3");
  EXPECT_EQ(Positions(), (std::vector<std::string>{"001", "002", "003", "004"}));
  EXPECT_EQ(order.count, 0);
}

TEST_F(SubtotalDialogTest, ClicksToggleTheFlagWords) {
  dialog.Click(2, CdsScrTModel::kSum);
  dialog.Click(2, CdsScrTModel::kStr);
  dialog.Click(3, CdsScrTModel::kRad);
  EXPECT_EQ(dialog.Cell(2, CdsScrTModel::kSum), "Sum");
  EXPECT_EQ(dialog.Cell(2, CdsScrTModel::kStr), "Str");
  EXPECT_EQ(dialog.Cell(3, CdsScrTModel::kRad), "Rad");
  dialog.Select(2, CdsScrTModel::kSum);
  dialog.Enter();
  EXPECT_EQ(dialog.Cell(2, CdsScrTModel::kSum), "");
  EXPECT_EQ(dialog.HighestRowTouched(), 3);
}

TEST_F(SubtotalDialogTest, NewSelectionThenPositionsInClickOrder) {
  dialog.NewSelection();
  EXPECT_EQ(dialog.Col(), CdsScrTModel::kPor);
  EXPECT_EQ(Positions(), (std::vector<std::string>{"", "", "", ""}));
  dialog.Click(3, CdsScrTModel::kPor);
  dialog.Click(1, CdsScrTModel::kPor);
  dialog.Click(1, CdsScrTModel::kPor);  // a numbered cell keeps its number
  EXPECT_EQ(Positions(), (std::vector<std::string>{"002", "", "001", ""}));
  EXPECT_EQ(dialog.HighestPosition(), 2);
}

TEST_F(SubtotalDialogTest, DeleteRenumbersWithoutGaps) {
  dialog.Select(2, CdsScrTModel::kPor);
  dialog.Delete();
  EXPECT_EQ(Positions(), (std::vector<std::string>{"001", "", "002", "003"}));
  dialog.Select(2, CdsScrTModel::kPor);
  dialog.Enter();
  EXPECT_EQ(Positions(), (std::vector<std::string>{"001", "004", "002", "003"}));
  EXPECT_TRUE(dialog.CanClose(*env));
}

TEST_F(SubtotalDialogTest, OriginalStateNumbersAgain) {
  dialog.NewSelection();
  dialog.Click(4, CdsScrTModel::kPor);
  dialog.OriginalState();
  EXPECT_EQ(Positions(), (std::vector<std::string>{"001", "002", "003", "004"}));
}

TEST_F(SubtotalDialogTest, AGapInThePositionsIsRefusedOnClosing) {
  dialog.NewSelection();
  dialog.SetCell(1, CdsScrTModel::kPor, "001");
  dialog.SetCell(2, CdsScrTModel::kPor, "003");
  EXPECT_FALSE(dialog.CanClose(*env));
  EXPECT_EQ(ui.Single(), Error("Vyber sloupcu netvori souvislou radu !\r\rZadejte vyber znovu."));
}

TEST_F(SubtotalDialogTest, FlagsFollowTheirColumnsToTheirPositions) {
  dialog.Click(2, CdsScrTModel::kSum);
  dialog.Click(4, CdsScrTModel::kStr);
  dialog.NewSelection();
  dialog.Click(4, CdsScrTModel::kPor);
  dialog.Click(2, CdsScrTModel::kPor);
  ScrColumnFlags sum, page, line;
  dialog.ReadBack(&sum, &page, &line, &order, &flags);
  EXPECT_EQ(sum[1], 'A');
  EXPECT_EQ(page[3], 'A');
  EXPECT_EQ(order.count, 2);
  EXPECT_EQ(order.rows[0], 4);
  EXPECT_EQ(order.rows[1], 2);
  EXPECT_EQ(flags[0].page, 'A');
  EXPECT_EQ(flags[0].sum, 'N');
  EXPECT_EQ(flags[1].sum, 'A');
  EXPECT_FALSE(flags[2].Any());
}

TEST_F(SubtotalDialogTest, NoPositionAtAllKeepsTheTableOrderAndItsFlags) {
  dialog.Click(3, CdsScrTModel::kRad);
  dialog.NewSelection();
  ScrColumnFlags sum, page, line;
  dialog.ReadBack(&sum, &page, &line, &order, &flags);
  EXPECT_EQ(order.count, 0);
  EXPECT_EQ(flags[2].line, 'A');
}

TEST_F(SubtotalDialogTest, OpeningTakesTheCallersFlags) {
  ScrColumnFlags sum = NoColumnFlags();
  sum[1] = 'A';
  sum[2] = 'A';
  dialog.PrepareForOpening(DefOfWords(4), sum, none, none, &flags, &order);
  EXPECT_EQ(dialog.Cell(2, CdsScrTModel::kSum), "Sum");
  EXPECT_EQ(dialog.Cell(1, CdsScrTModel::kSum), "");
  EXPECT_EQ(flags[1].sum, 'A');
  EXPECT_EQ(flags[2].sum, 'A');
  EXPECT_EQ(dialog.Cell(1, CdsScrTModel::kName), "");
}

TEST_F(SubtotalDialogTest, AtMostTwoHundredRows) {
  dialog.LoadForParam(DefOfWords(200), none, none, none);
  EXPECT_EQ(dialog.RowCount(), 201);
  dialog.SetRowCount(500);
  EXPECT_EQ(dialog.RowCount(), 201);
}

}  // namespace
}  // namespace orvo::test
