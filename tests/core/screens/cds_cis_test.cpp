#include "core/screens/cds_cis.h"

#include <gtest/gtest.h>

#include "cis_fixture.h"
#include "core/sys/dosfs.h"

namespace orvo::test {
namespace {

// Values as a sort leaves them: filled with blanks to their sizes.
Row Padded(const Row& r) { return {r[0], r[1] + std::string(20 - r[1].size(), ' '), r[2]}; }
std::vector<Row> Padded(const std::vector<Row>& rows) {
  std::vector<Row> out;
  for (const Row& r : rows) out.push_back(Padded(r));
  return out;
}

const std::vector<Row> kAccounts{
    {"211   ", "Pokladna", "A"},
    {"311   ", "Odberatele", "A"},
    {"311100", "Odberatele tuzemsko", "A"},
    {"321   ", "Dodavatele", "P"},
    {"501   ", "Spotreba materialu", "N"},
};

// --- opening -------------------------------------------------------------------

TEST_F(CisTest, OpeningShowsTheListInBrowseModeOnItsFirstRecord) {
  WriteAccounts(kAccounts);
  fs->SetAttributes(kList, kAttrReadOnly);
  handOver.CisValues[3] = "left over";
  handOver.CisResult = 'A';
  handOver.CisEditAllowed = 'a';
  handOver.CisFileName = kList;
  ASSERT_TRUE(cis.Open());
  EXPECT_EQ(handOver.CisEditAllowed, 'A');
  EXPECT_EQ(cis.Caption(), "   Ciselnik          Jmeno:   D:\\Cisel\\16Ucty.Cds");
  EXPECT_EQ(fs->Attributes(kList).value_or(0), static_cast<unsigned>(kAttrArchive));
  EXPECT_EQ(handOver.CisValues[3], "");
  EXPECT_EQ(handOver.CisResult, 'N');
  EXPECT_FALSE(cis.EditMode());
  EXPECT_FALSE(cis.RecordButtonsEnabled());
  EXPECT_TRUE(cis.SortEnabled());
  EXPECT_EQ(cis.CurrentRow(), 0);
  EXPECT_EQ(cis.CurrentCol(), 0);
  EXPECT_EQ(Grid(), kAccounts);
  EXPECT_EQ(cis.ColumnTitle(1), "Nazev uctu");
}

TEST_F(CisTest, ColumnIsAsWideAsItsTitleOrItsCharacters) {
  WriteAccounts(kAccounts);
  OpenForEditing();
  EXPECT_EQ(cis.ColumnWidth(0, 20), 49);   // 6 * 8 + 1: the title is narrower
  EXPECT_EQ(cis.ColumnWidth(0, 40), 51);   // 40 + 10 + 1
  EXPECT_EQ(cis.ColumnWidth(2, 25), 36);   // a one-character field: the title wins
}

TEST_F(CisTest, MissingFileIsReportedAndTheWindowCloses) {
  handOver.CisFileName = "D:\\Cisel\\Nic.Cds";
  EXPECT_FALSE(cis.Open());
  EXPECT_EQ(ui.Single(), Error("Soubor:\r\r\"D:\\Cisel\\Nic.Cds\"\r\r     - nebyl nalezen !"));
  EXPECT_EQ(handOver.CisResult, 'N');
}

// --- searching -----------------------------------------------------------------

TEST_F(CisTest, KeySearchWithAnEmptyBoxDoesNothing) {
  WriteAccounts(kAccounts);
  OpenForEditing();
  cis.SelectCell(2, 0);
  cis.SetSearchText("   ");
  cis.VyhledKlic();
  EXPECT_EQ(cis.CurrentRow(), 2);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CisTest, KeySearchFindsTheNextRecordBeginningWithTheText) {
  WriteAccounts(kAccounts);
  OpenForEditing();
  cis.SelectCell(0, 1);
  cis.SetSearchText("  odb");
  cis.VyhledKlic();
  EXPECT_EQ(cis.CurrentRow(), 1);
  cis.VyhledKlic();  // from the record after the current one
  EXPECT_EQ(cis.CurrentRow(), 2);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CisTest, KeySearchWithoutAHitEndsOnTheLastRecord) {
  WriteAccounts(kAccounts);
  OpenForEditing();
  cis.SetSearchText("9");
  cis.VyhledKlic();
  EXPECT_EQ(cis.CurrentRow(), 4);
  EXPECT_EQ(ui.Single(), Info("9-Udaj nebyl nalezen !", "Soubor:  D:\\Cisel\\16Ucty.Cds"));
}

TEST_F(CisTest, StringSearchLooksInEveryFieldOfTheFollowingRecords) {
  WriteAccounts(kAccounts);
  OpenForEditing();
  cis.SelectCol(2);
  cis.SetSearchText("materi");
  cis.VyhledRetezec();
  EXPECT_EQ(cis.CurrentRow(), 4);
  EXPECT_EQ(cis.CurrentCol(), 0);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CisTest, StringSearchWithoutAHitSaysSoUnlessSilenced) {
  WriteAccounts(kAccounts);
  OpenForEditing();
  cis.SetSearchText("xyz");
  cis.VyhledRetezec();
  EXPECT_EQ(ui.Single(), Error("Veta nebyla nalezena !", "Retezec:  XYZ"));
  ui.Clear();
  handOver.CisReportMissing = 'N';
  cis.First();
  cis.VyhledRetezec();
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CisTest, TypedDigitsPositionThePickListIncrementally) {
  WriteAccounts(kAccounts);
  OpenForPicking();
  TypeDigits("3");
  EXPECT_EQ(cis.SearchText(), "3");
  EXPECT_EQ(cis.CurrentRow(), 1);  // 311, the first account beginning with 3
  TypeDigits("2");
  EXPECT_EQ(cis.CurrentRow(), 3);  // 321
  Press(CisKey::Other);
  EXPECT_EQ(cis.SearchText(), "");
  TypeDigits("4");
  EXPECT_EQ(cis.CurrentRow(), 4);  // no 4xx: the first greater account
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CisTest, ShiftedKeysKeepTheSearchBox) {
  WriteAccounts(kAccounts);
  OpenForPicking();
  TypeDigits("31");
  CisKeyEvent shifted;
  shifted.key = CisKey::Other;
  shifted.shift = true;
  cis.Key(shifted);
  EXPECT_EQ(cis.SearchText(), "31");
}

// --- editing -------------------------------------------------------------------

TEST_F(CisTest, EditingNeedsPermission) {
  WriteAccounts(kAccounts);
  OpenForPicking();
  cis.EditCis();
  EXPECT_EQ(ui.Single(), Info("Ciselnik neni v rezimu editace",
                              "Soubor:  D:\\Cisel\\16Ucty.Cds-operace nebude provedena"));
  EXPECT_FALSE(cis.EditMode());
  EXPECT_FALSE(cis.SortEnabled());
}

TEST_F(CisTest, EnterOnTheLastColumnOfTheLastRecordAppendsAndMovesOntoIt) {
  WriteAccounts(kAccounts);
  OpenForEditing();
  cis.EditCis();
  cis.Last();
  cis.SelectCol(2);
  Press(CisKey::Enter);
  EXPECT_EQ(cis.RowCount(), 6);
  EXPECT_EQ(cis.CurrentRow(), 5);
  EXPECT_EQ(cis.CurrentCol(), 0);
  EXPECT_EQ(Grid()[5], (Row{"", "", ""}));
  cis.SetCellText("601");
  Press(CisKey::Enter);
  EXPECT_EQ(cis.CurrentCol(), 1);
  cis.SetCellText("Trzby");
  cis.Close();
  // The sort on closing stores every value filled to its size.
  EXPECT_EQ(RowsOf(kList).back(), (Row{"601   ", "Trzby               ", " "}));
}

TEST_F(CisTest, NewRecordLeftEmptyIsDropped) {
  WriteAccounts(kAccounts);
  OpenForEditing();
  cis.EditCis();
  cis.Last();
  cis.SelectCol(2);
  Press(CisKey::Enter);
  Press(CisKey::Enter);  // nothing typed: no second empty record
  EXPECT_EQ(cis.RowCount(), 6);
  cis.First();
  EXPECT_EQ(cis.RowCount(), 5);
  cis.Close();
  EXPECT_EQ(RowsOf(kList).size(), 5u);
}

// The grid's editor hands back what it was opened on when nothing was
// typed; that must not keep an empty new record.
TEST_F(CisTest, GridValueAsShownIsNoChange) {
  WriteAccounts(kAccounts);
  OpenForEditing();
  orvo::Grid& grid = cis;
  EXPECT_TRUE(grid.ReadOnly());
  EXPECT_FALSE(grid.SetCell(0, 1, "Kasa"));
  cis.EditCis();
  EXPECT_FALSE(grid.ReadOnly());
  EXPECT_EQ(grid.ColumnChars(1), 20);
  cis.Last();
  cis.SelectCol(2);
  Press(CisKey::Enter);
  ASSERT_EQ(grid.RowCount(), 6);
  EXPECT_FALSE(grid.SetCell(5, 0, grid.CellText(5, 0)));
  cis.First();
  EXPECT_EQ(grid.RowCount(), 5);
  EXPECT_TRUE(grid.SetCell(1, 1, "Odberatele doma"));
  EXPECT_EQ(cis.CurrentRow(), 1);
  EXPECT_EQ(grid.CellText(1, 1).rfind("Odberatele doma", 0), 0u);
}

TEST_F(CisTest, EnterMovesAlongTheRecordAndOnToTheNext) {
  WriteAccounts(kAccounts);
  OpenForEditing();
  cis.EditCis();
  cis.SetCellText("212");
  Press(CisKey::Enter);
  EXPECT_EQ(cis.CurrentCol(), 1);
  EXPECT_EQ(cis.CellText(0, 0), "212");
  cis.SelectCol(2);
  Press(CisKey::Enter);
  EXPECT_EQ(cis.CurrentRow(), 1);
  EXPECT_EQ(cis.CurrentCol(), 0);
  EXPECT_EQ(cis.RowCount(), 5);
}

TEST_F(CisTest, F9OnTheFirstRecordEmptiesTheCell) {
  WriteAccounts(kAccounts);
  OpenForEditing();
  cis.EditCis();
  cis.SelectCell(0, 1);
  Press(CisKey::F9);
  EXPECT_EQ(cis.CellText(0, 1), "");
  EXPECT_EQ(cis.CurrentCol(), 2);  // and on as Enter
}

TEST_F(CisTest, F9CopiesTheCellAboveAndGoesOnAsEnter) {
  WriteAccounts(kAccounts);
  OpenForEditing();
  cis.EditCis();
  cis.SelectCell(4, 2);
  Press(CisKey::F9);
  EXPECT_EQ(cis.CellText(4, 2), "P");
  EXPECT_EQ(cis.CurrentRow(), 5);  // the last column of the last record appends
  EXPECT_EQ(cis.RowCount(), 6);
}

TEST_F(CisTest, ClipboardCopiesAndPastesCellsInEditModeOnly) {
  WriteAccounts(kAccounts);
  OpenForEditing();
  cis.SelectCell(1, 1);
  Press(CisKey::C, true);
  EXPECT_EQ(handOver.CisClipboard, "");
  cis.EditCis();
  Press(CisKey::C, true);
  EXPECT_EQ(handOver.CisClipboard, "Odberatele");
  cis.SelectCell(3, 1);
  Press(CisKey::V, true);
  EXPECT_EQ(cis.CellText(3, 1), "Odberatele");
  EXPECT_FALSE(cis.table().Editing());  // pasting posts
}

TEST_F(CisTest, InsertPutsAnEmptyRecordBeforeTheCurrentOne) {
  WriteAccounts(kAccounts);
  OpenForEditing();
  cis.EditCis();
  EXPECT_TRUE(cis.RecordButtonsEnabled());
  cis.SelectCell(1, 0);
  cis.InsertRecord();
  EXPECT_EQ(cis.RowCount(), 6);
  EXPECT_EQ(cis.CurrentRow(), 1);
  cis.SetCellText("221");
  EXPECT_EQ(Grid()[1], (Row{"221", "", ""}));
  EXPECT_EQ(Grid()[2], kAccounts[1]);
  cis.SaveRecord();
  EXPECT_EQ(Grid()[1], (Row{"221", "", ""}));
  cis.DeleteRecord();
  EXPECT_EQ(Grid(), kAccounts);
  EXPECT_TRUE(ui.messages.empty());  // deleting asks nothing
}

TEST_F(CisTest, AltDelInBrowseModeOnlyExplains) {
  WriteAccounts(kAccounts);
  OpenForEditing();
  Press(CisKey::Delete, false, true);
  EXPECT_EQ(ui.Single(), Info("Obsah ciselniku lze zrusit pouze v rezimu editace !",
                              "Jmeno ciselniku:  D:\\Cisel\\16Ucty.Cds"));
  EXPECT_EQ(cis.RowCount(), 5);
}

TEST_F(CisTest, AltDelInEditModeEmptiesTheTableOnYes) {
  WriteAccounts(kAccounts);
  OpenForEditing();
  cis.EditCis();
  Press(CisKey::Delete, false, true);  // No
  EXPECT_EQ(ui.Single(), Question("Skutecne chcete zrusit obsah ciselniku ?",
                                  "Jmeno ciselniku:  D:\\Cisel\\16Ucty.Cds"));
  EXPECT_EQ(cis.RowCount(), 5);
  ui.answers.push_back(Answer::Yes);
  Press(CisKey::Delete, false, true);
  EXPECT_EQ(cis.RowCount(), 0);
  cis.Close();
  EXPECT_TRUE(RowsOf(kList).empty());
}

TEST_F(CisTest, EscapeCloses) {
  WriteAccounts(kAccounts);
  OpenForEditing();
  EXPECT_TRUE(Press(CisKey::Escape));
}

// --- closing and sorting ---------------------------------------------------------

TEST_F(CisTest, ClosingFromTheMenuSortsEvenWhenNothingChanged) {
  WriteAccounts({kAccounts[3], kAccounts[0], kAccounts[2], kAccounts[1]});
  cis.ACis(kList, 1);
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(handOver.CisEditAllowed, 'A');
  EXPECT_EQ(handOver.CisKeyCount, 1);
  EXPECT_EQ(RowsOf(kList),
            Padded({kAccounts[0], kAccounts[1], kAccounts[2], kAccounts[3]}));
  EXPECT_FALSE(Exists(kCisWorkFile));
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CisTest, WithoutKeyFieldsTheFileIsLeftUnsorted) {
  const std::vector<Row> unsorted{kAccounts[3], kAccounts[0]};
  WriteAccounts(unsorted);
  cis.ACis(kList, 0);
  EXPECT_EQ(RowsOf(kList), unsorted);
  cis.SortCisProc();
  EXPECT_EQ(RowsOf(kList), unsorted);
}

TEST_F(CisTest, EditedRecordsAreSortedIntoPlaceOnClosing) {
  WriteAccounts(kAccounts);
  whileShown = [&] {
    cis.EditCis();
    cis.SelectCell(4, 0);
    cis.SetCellText("011");
  };
  cis.ACis(kList, 1);
  auto rows = RowsOf(kList);
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[0], (Row{"011   ", "Spotreba materialu  ", "N"}));
  EXPECT_EQ(rows[1], Padded(kAccounts[0]));
}

TEST_F(CisTest, SortButtonSortsAndReopensOnTheFirstRecord) {
  WriteAccounts({kAccounts[1], kAccounts[0]});
  OpenForEditing();
  cis.SelectCell(1, 0);
  cis.SortCis();
  EXPECT_EQ(handOver.CisFileName, kList);
  EXPECT_EQ(Grid(), Padded({kAccounts[0], kAccounts[1]}));
  EXPECT_EQ(cis.CurrentRow(), 0);
  EXPECT_TRUE(cis.IsOpen());
}

TEST_F(CisTest, SortNamesTheFileByItsFullPath) {
  WriteAccounts({kAccounts[1], kAccounts[0]});
  fs->ChangeDir("D:\\Cisel");
  handOver.CisFileName = "16Ucty.Cds";
  handOver.CisKeyCount = 1;
  handOver.CisKeyFields[0] = 1;
  cis.SortCisProc();
  EXPECT_EQ(handOver.CisFileName, kList);
  EXPECT_EQ(RowsOf(kList), Padded({kAccounts[0], kAccounts[1]}));
}

TEST_F(CisTest, PickModeClosesWithoutSortingOrStoring) {
  const std::vector<Row> unsorted{kAccounts[3], kAccounts[0]};
  WriteAccounts(unsorted);
  OpenForPicking();
  cis.Close();
  EXPECT_EQ(RowsOf(kList), unsorted);
}

// --- picking -------------------------------------------------------------------

TEST_F(CisTest, PickReturnsEveryFieldOfTheRecord) {
  WriteAccounts(kAccounts);
  OpenForPicking();
  cis.SelectCell(3, 1);
  EXPECT_TRUE(Press(CisKey::Enter));
  EXPECT_EQ(handOver.CisResult, 'A');
  EXPECT_EQ(handOver.CisValues[1], "321   ");
  EXPECT_EQ(handOver.CisValues[2], "Dodavatele");
  EXPECT_EQ(handOver.CisValues[3], "P");
  EXPECT_EQ(handOver.CisValues[4], "");
}

TEST_F(CisTest, DoubleClickPicksOnlyInPickMode) {
  WriteAccounts(kAccounts);
  OpenForEditing();
  EXPECT_FALSE(cis.DoubleClick());
  EXPECT_EQ(handOver.CisResult, 'N');
  cis.Close();
  OpenForPicking();
  cis.Last();
  EXPECT_TRUE(cis.DoubleClick());
  EXPECT_EQ(handOver.CisValues[1], "501   ");
}

TEST_F(CisTest, EmptyPickListPicksNothing) {
  WriteAccounts({});
  OpenForPicking();
  EXPECT_FALSE(Press(CisKey::Enter));
  EXPECT_EQ(handOver.CisResult, 'N');
}

// --- the listing ---------------------------------------------------------------

TEST_F(CisTest, ListingGoesToTheReportWindowNamedAfterTheList) {
  WriteAccounts(kAccounts);
  OpenForEditing();
  cis.SelectCell(2, 0);
  cis.Tisk();
  EXPECT_EQ(reports, (std::vector<std::string>{"C:\\A_Run\\Sestavy\\16Ucty.Ses"}));
  EXPECT_TRUE(Exists("C:\\A_Run\\Work\\16Ucty.Def"));
  EXPECT_EQ(def.PSl, 3);  // the definition written for it is the loaded one
  EXPECT_EQ(cis.CurrentRow(), 2);
  const std::string text = Get("C:\\A_Run\\Sestavy\\16Ucty.Ses");
  EXPECT_EQ(text,
            "\r\n"
            "\r\n"
            "  Zobrazeni/opis souboru:  D:\\Cisel\\16Ucty.Cds     15.03.2016  10:20:30  STR:   1\r\n"
            "\r\n"
            "  Ucet    Nazev uctu            D\r\n"
            "\r\n"
            "\r\n"
            "  211     Pokladna              A\r\n"
            "  311     Odberatele            A\r\n"
            "  311100  Odberatele tuzemsko   A\r\n"
            "  321     Dodavatele            P\r\n"
            "  501     Spotreba materialu    N\r\n");
}

}  // namespace
}  // namespace orvo::test

namespace orvo::test {
namespace {

TEST_F(CisTest, RefusedSortLeavesTheCodeListAsItWas) {
  const std::vector<Row> unsorted{{"321   ", "Dodavatele", "P"}, {"211   ", "Pokladna", "A"}};
  WriteAccounts(unsorted);
  handOver.CisFileName = kList;
  handOver.CisKeyCount = 1;
  handOver.CisKeyFields[0] = 9;  // no such field
  cis.SortCisProc();
  EXPECT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(RowsOf(kList), unsorted);
}

}  // namespace
}  // namespace orvo::test
