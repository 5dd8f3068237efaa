#include "core/screens/browser_model.h"

#include <gtest/gtest.h>

#include "core/data/cds_file.h"
#include "core/screens/report_gen.h"
#include "browser_fixture.h"
#include "support/recording_office.h"

namespace orvo::test {
namespace {

using CdsScrModelTest = BrowserFixture;

// --- opening, captions, closing -------------------------------------------

TEST_F(CdsScrModelTest, OpensOnTheFirstRecordWithCorrectionsOff) {
  ASSERT_TRUE(OpenOn());
  EXPECT_EQ(model->RecordCount(), 4);
  EXPECT_EQ(model->Row(), 0);
  EXPECT_EQ(model->Col(), 0);
  EXPECT_FALSE(model->Editable());
  EXPECT_FALSE(model->CanToggleCorrections());
  EXPECT_EQ(model->ColumnTitle(2), "Nazev");
  EXPECT_EQ(model->CellText(2, 2), "DODAVATELE  ");  // check code V upper-cased it
  EXPECT_EQ(model->RowCounterText(), "00000001");
  EXPECT_EQ(model->ColumnCounterText(), "0001");
  EXPECT_EQ(model->RowsFieldText(), " 80");
}

TEST_F(CdsScrModelTest, CaptionAndHeadingWithoutFirstHeading) {
  ASSERT_TRUE(OpenOn());
  EXPECT_EQ(model->Caption(), "  15.03.2016  10:20:30" + std::string(20, ' ') + kTableCds);
  EXPECT_EQ(model->Heading1Text(), "Zobrazeni/opis souboru:  Table.Cds");
}

TEST_F(CdsScrModelTest, CaptionWithFirstHeading) {
  handOver.ScrHeading1 = "Hlavni kniha";
  handOver.ScrHeading2 = "Obdobi 16 03";
  ASSERT_TRUE(OpenOn());
  EXPECT_EQ(model->Caption(), "  Hlavni kniha" + std::string(10, ' ') + kTableCds);
  EXPECT_EQ(model->Heading1Text(), "Hlavni kniha");
  EXPECT_EQ(model->Heading2Text(), "Obdobi 16 03");
}

TEST_F(CdsScrModelTest, MissingFileOrDefinitionClosesWithoutMessage) {
  EXPECT_FALSE(OpenOn("C:\\Case\\Missing.Cds"));
  handOver.ScrFile = kTableCds;
  handOver.ScrDef = "C:\\Case\\Missing.Def";
  EXPECT_FALSE(model->Open());
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CdsScrModelTest, ClosingResetsTheHandOverButKeepsToolDirAndResult) {
  handOver.ScrToolDir = "D:\\LOrvo\\Programy";
  handOver.ScrHeading1 = "H1";
  handOver.ScrHeading2 = "H2";
  handOver.ScrSumCols[1] = 'A';
  handOver.ScrPageCols[0] = 'A';
  handOver.ScrLineCols[2] = 'A';
  ASSERT_TRUE(OpenOn(kTableCds, 'a'));
  EXPECT_EQ(handOver.ScrEditAllowed, 'A');
  model->SetAllColumns(true);
  model->ToggleCorrections();
  model->EditCell("X");
  model->Close();

  EXPECT_TRUE(handOver.ScrFile.empty());
  EXPECT_TRUE(handOver.ScrDef.empty());
  EXPECT_TRUE(handOver.ScrHeading1.empty());
  EXPECT_TRUE(handOver.ScrHeading2.empty());
  EXPECT_EQ(handOver.ScrEditAllowed, 'N');
  EXPECT_EQ(handOver.ScrSumCols, NoColumnFlags());
  EXPECT_EQ(handOver.ScrPageCols, NoColumnFlags());
  EXPECT_EQ(handOver.ScrLineCols, NoColumnFlags());
  EXPECT_EQ(handOver.ScrToolDir, "D:\\LOrvo\\Programy");
  EXPECT_TRUE(handOver.ScrChanged);
  EXPECT_FALSE(model->AllColumns());
  EXPECT_FALSE(model->MinimalWidth());
  EXPECT_FALSE(model->IsOpen());
}

TEST_F(CdsScrModelTest, ChangesAreStoredOnClosing) {
  ASSERT_TRUE(OpenOn(kTableCds, 'A'));
  model->ToggleCorrections();
  model->Select(1, 2);
  model->EditCell("Zmena");
  model->Close();
  Dataset stored(*env);
  ASSERT_TRUE(stored.LoadFromFile(kTableCds));
  EXPECT_EQ(stored.StringAt(1, 2), "Zmena");
}

// The grid a window shows: cells take typed values only with corrections
// on, and nothing is left of the table once it is closed.
TEST_F(CdsScrModelTest, GridTakesValuesOnlyWithCorrectionsOn) {
  ASSERT_TRUE(OpenOn(kTableCds, 'A'));
  orvo::Grid& grid = *model;
  EXPECT_EQ(grid.RowCount(), 4);
  EXPECT_TRUE(grid.ReadOnly());
  EXPECT_FALSE(grid.SetCell(1, 2, "Zmena"));
  EXPECT_EQ(model->Row(), 0);
  model->ToggleCorrections();
  EXPECT_FALSE(grid.ReadOnly());
  EXPECT_TRUE(grid.SetCell(1, 2, "Zmena"));
  EXPECT_EQ(model->Row(), 1);
  EXPECT_EQ(grid.CellText(1, 2), "Zmena");
  model->Close();
  EXPECT_EQ(grid.RowCount(), 0);
  EXPECT_EQ(grid.ColumnCount(), 0);
}

// --- searches ----------------------------------------------------------------

TEST_F(CdsScrModelTest, KeySearchFindsFromTheNextRecordUpperCasedAndTrimmed) {
  MakeTable("311000|0001|odberatele a|1|\n311000|0002|Odberatele b|2|\n321000|0001|x|3|\n");
  ASSERT_TRUE(OpenOn());
  model->Select(0, 2);
  model->SearchText() = "  ODB";
  EXPECT_TRUE(model->SearchKey());
  EXPECT_EQ(model->Row(), 1);  // not the current record, although it matches
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CdsScrModelTest, KeySearchThatReachesTheEndRestoresThePosition) {
  ASSERT_TRUE(OpenOn());
  model->Select(1, 0);
  model->SearchText() = " 5x";
  EXPECT_FALSE(model->SearchKey());
  EXPECT_EQ(model->Row(), 1);
  EXPECT_EQ(ui.Single(), Error("Soubor:  C:\\Case\\Table.Cds\r\r5X     -Udaj nebyl nalezen !"));
}

TEST_F(CdsScrModelTest, EmptyKeyDoesNothing) {
  ASSERT_TRUE(OpenOn());
  model->SearchText() = "   ";
  EXPECT_FALSE(model->SearchKey());
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CdsScrModelTest, StringSearchSelectsRecordAndColumn) {
  ASSERT_TRUE(OpenOn());
  model->SearchText() = "dava";
  EXPECT_TRUE(model->SearchString());
  EXPECT_EQ(model->Row(), 2);
  EXPECT_EQ(model->Col(), 2);
}

TEST_F(CdsScrModelTest, StringSearchWithoutHitRestoresAndSays) {
  ASSERT_TRUE(OpenOn());
  model->Select(2, 1);
  model->SearchText() = " Zzz";
  EXPECT_FALSE(model->SearchString());
  EXPECT_EQ(model->Row(), 2);
  EXPECT_EQ(model->Col(), 1);
  EXPECT_EQ(ui.Single(), Error("Retezec:   ZZZ\r\r     -Udaj nebyl nalezen !"));
}

TEST_F(CdsScrModelTest, EnterInSearchBoxFallsBackToStringSearch) {
  ASSERT_TRUE(OpenOn());
  model->SearchText() = "material";  // not a key of column 1
  EXPECT_TRUE(model->SearchEnter());
  EXPECT_EQ(model->Row(), 3);
  EXPECT_EQ(model->Col(), 2);
  EXPECT_TRUE(ui.messages.empty());
}

// --- corrections and grid keys -------------------------------------------------

TEST_F(CdsScrModelTest, TypingSetsScrChangedOnlyWhenCorrectable) {
  ASSERT_TRUE(OpenOn(kTableCds, 'A'));
  model->EditCell("X");
  EXPECT_FALSE(handOver.ScrChanged);  // corrections still off
  model->ToggleCorrections();
  EXPECT_TRUE(model->EditButtonsEnabled());
  model->EditCell("X");
  EXPECT_TRUE(handOver.ScrChanged);
  EXPECT_EQ(model->CellText(0, 0), "X");
}

TEST_F(CdsScrModelTest, CorrectionsNeedEditAllowed) {
  ASSERT_TRUE(OpenOn(kTableCds, 'N'));
  model->ToggleCorrections();
  EXPECT_FALSE(model->Editable());
}

TEST_F(CdsScrModelTest, EnterOnLastColumnOfLastRecordAppendsARecord) {
  ASSERT_TRUE(OpenOn(kTableCds, 'A'));
  model->ToggleCorrections();
  model->Select(3, 4);
  model->Enter();
  EXPECT_EQ(model->RecordCount(), 5);
  EXPECT_EQ(model->Row(), 4);
  EXPECT_EQ(model->Col(), 0);
  EXPECT_EQ(model->CellText(4, 2), "");
  EXPECT_TRUE(handOver.ScrChanged);
}

TEST_F(CdsScrModelTest, EnterMovesToNextColumnThenNextRecord) {
  ASSERT_TRUE(OpenOn());
  model->Select(0, 3);
  model->Enter();
  EXPECT_EQ(model->Col(), 4);
  model->Enter();
  EXPECT_EQ(model->Row(), 1);
  EXPECT_EQ(model->Col(), 0);
  model->Select(3, 4);
  model->Enter();  // read-only: nothing is appended
  EXPECT_EQ(model->RecordCount(), 4);
}

TEST_F(CdsScrModelTest, F9OnTheFirstRecordEmptiesTheCell) {
  ASSERT_TRUE(OpenOn(kTableCds, 'A'));
  model->ToggleCorrections();
  model->Select(0, 2);
  model->F9();
  EXPECT_EQ(model->CellText(0, 2), "");
  EXPECT_EQ(model->Col(), 3);
  EXPECT_TRUE(handOver.ScrChanged);
}

TEST_F(CdsScrModelTest, F9CopiesThePreviousRecordsValue) {
  ASSERT_TRUE(OpenOn(kTableCds, 'A'));
  model->ToggleCorrections();
  model->Select(3, 2);
  model->F9();
  EXPECT_EQ(model->CellText(3, 2), "DODAVATELE  ");  // normalised by check code V
}

struct NormaliseCase {
  const char* name;
  int col;
  const char* typed;
  const char* stored;
};
class NormaliseTest : public BrowserFixture, public ::testing::WithParamInterface<NormaliseCase> {};

TEST_P(NormaliseTest, LeavingTheCellNormalisesIt) {
  const auto& c = GetParam();
  ASSERT_TRUE(OpenOn(kTableCds, 'A'));
  model->ToggleCorrections();
  model->Select(1, c.col);
  model->EditCell(c.typed);
  model->Tab();
  EXPECT_EQ(model->CellText(1, c.col), c.stored);
}

INSTANTIATE_TEST_SUITE_P(
    Browser, NormaliseTest,
    ::testing::Values(NormaliseCase{"zero_filled_code", 0, "12", "000012"},
                      NormaliseCase{"upper_cased_by_check_code", 2, "abc", "ABC         "},
                      NormaliseCase{"number_with_decimals", 3, "12,5", "       12,50"},
                      NormaliseCase{"blank_left_alone", 3, "  ", "  "}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CdsScrModelTest, CellClipboardCopiesInAnyModeAndPastesOnlyWhenCorrectable) {
  ASSERT_TRUE(OpenOn(kTableCds, 'A'));
  model->Select(2, 2);
  model->CopyCell();
  EXPECT_EQ(clipboard.Text(), "DODAVATELE  ");
  model->Select(0, 2);
  model->PasteCell();
  EXPECT_EQ(model->CellText(0, 2), "ODBERATELE  ");
  model->ToggleCorrections();
  model->PasteCell();
  EXPECT_EQ(model->CellText(0, 2), "DODAVATELE  ");
  EXPECT_TRUE(handOver.ScrChanged);
}

TEST_F(CdsScrModelTest, AltDelAsksWithTheFileNameAndEmptiesOnYes) {
  ASSERT_TRUE(OpenOn(kTableCds, 'A'));
  model->ToggleCorrections();
  ui.answers.push_back(Answer::No);
  model->ClearFile();
  EXPECT_EQ(model->RecordCount(), 4);
  EXPECT_EQ(ui.Single(), Question("Skutecne chcete zrusit obsah souboru ?",
                                  "Jmeno souboru:  C:\\Case\\Table.Cds"));
  EXPECT_FALSE(handOver.ScrChanged);
  ui.answers.push_back(Answer::Yes);
  model->ClearFile();
  EXPECT_EQ(model->RecordCount(), 0);
  EXPECT_TRUE(handOver.ScrChanged);
}

TEST_F(CdsScrModelTest, EmptyingButtonAsksAndNeedsCorrections) {
  ASSERT_TRUE(OpenOn(kTableCds, 'A'));
  ui.answers.push_back(Answer::Yes);
  model->EmptyTable();
  EXPECT_TRUE(ui.messages.empty());
  model->ToggleCorrections();
  model->EmptyTable();
  EXPECT_EQ(ui.Single(), Question("Skutecne chceme tabulku vyprazdnit ?"));
  EXPECT_EQ(model->RecordCount(), 0);
  EXPECT_FALSE(model->CanPrintWindow());
}

TEST_F(CdsScrModelTest, MenuMovesAndNavigation) {
  ASSERT_TRUE(OpenOn());
  model->CtrlEnd();
  EXPECT_EQ(model->Row(), 3);
  EXPECT_EQ(model->Col(), 4);
  model->Home();
  EXPECT_EQ(model->Col(), 0);
  model->ColMinus();
  EXPECT_EQ(model->Col(), 0);
  model->PageUp(2);
  EXPECT_EQ(model->Row(), 1);
  model->PageUp(2);
  EXPECT_EQ(model->Row(), 0);
  model->Next();
  model->ColPlus();
  EXPECT_EQ(model->RowCounterText(), "00000002");
  EXPECT_EQ(model->ColumnCounterText(), "0002");
  model->CtrlHome();
  EXPECT_EQ(model->Row(), 0);
  EXPECT_EQ(model->Col(), 0);
}

// --- copies -------------------------------------------------------------------------

TEST_F(CdsScrModelTest, CtrlF2SavesACopyBesideTheFile) {
  ASSERT_TRUE(OpenOn());
  model->SaveCopy();
  EXPECT_EQ(ui.Single(),
            Info("Tabulka byla ulozena do souboru:\r\rC:\\Case\\Table_CdsScr.Cds"));
  Dataset copy(*env);
  ASSERT_TRUE(copy.LoadFromFile("C:\\Case\\Table_CdsScr.Cds"));
  EXPECT_EQ(copy.RecordCount(), 4);
}

TEST_F(CdsScrModelTest, CtrlF2WithoutADotSavesNothing) {
  Put("C:\\Case.Dir\\.keep", "");
  MakeTable(LedgerRows(), "C:\\Case.Dir\\Tabulka");
  ASSERT_TRUE(OpenOn("C:\\Case.Dir\\Tabulka"));
  EXPECT_EQ(model->CopyName(), "");
  model->SaveCopy();
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_FALSE(Exists("C:\\Case_CdsScr.Dir\\Tabulka"));
}

TEST_F(CdsScrModelTest, ShiftF2OffersTheCopyNameInASaveDialog) {
  ASSERT_TRUE(OpenOn());
  ui.fileAnswers.push_back(std::string("D:\\Kopie"));
  model->SaveCopyAs();
  ASSERT_EQ(ui.fileRequests.size(), 1u);
  EXPECT_EQ(ui.fileRequests[0].fileName, "C:\\Case\\Table_CdsScr.Cds");
  EXPECT_EQ(ui.fileRequests[0].startDir, "C:\\Case");
  EXPECT_EQ(ui.fileRequests[0].filter, "Soubory (*.Cds)|*.Cds");
  EXPECT_TRUE(Exists("D:\\Kopie.Cds"));
}

TEST_F(CdsScrModelTest, WholeTableIntoTheClipboard) {
  MakeTable("311000|0001|Odberatele|1000|\n");
  ASSERT_TRUE(OpenOn());
  model->Select(0, 3);
  model->CopyWholeTable();
  EXPECT_EQ(clipboard.Text(),
            "Ucet   Cinnost Nazev        MD           Dal         \r\n"
            "\r\n"
            "311000 0001    ODBERATELE        1000,00             \r\n");
  EXPECT_EQ(model->Row(), 0);
  EXPECT_EQ(model->Col(), 3);
}

// --- reopening ----------------------------------------------------------------------

TEST_F(CdsScrModelTest, CtrlAltUMakesTheTableCorrectableForThisOpening) {
  ASSERT_TRUE(OpenOn(kTableCds, 'N'));
  model->ToggleEditAllowed();
  EXPECT_TRUE(model->IsOpen());
  EXPECT_TRUE(model->CanToggleCorrections());
  model->ToggleCorrections();
  model->EditCell("X");
  model->ToggleEditAllowed();  // back to read-only; the change stays reported
  EXPECT_FALSE(model->CanToggleCorrections());
  EXPECT_TRUE(handOver.ScrChanged);
}

TEST_F(CdsScrModelTest, MinimalWidthShowsTheNarrowedCopyAndBack) {
  ASSERT_TRUE(OpenOn());
  model->SetMinimalWidth(true);
  EXPECT_EQ(handOver.ScrFile, "C:\\A_Run\\Work\\CdsScrRW_.Cds");
  EXPECT_EQ(handOver.ScrDef, "C:\\A_Run\\Work\\CdsScrRW_.Def");
  EXPECT_EQ(model->Table().Field(2).size, 10);
  EXPECT_EQ(model->CopyName(), "C:\\Case\\Table_CdsScr.Cds");
  model->SetMinimalWidth(false);
  EXPECT_EQ(handOver.ScrFile, kTableCds);
  EXPECT_EQ(model->Table().Field(2).size, 12);
}

// --- subtotal dialog and reports -------------------------------------------------------

TEST_F(CdsScrModelTest, CallerFlagsApplyToTheTablesColumns) {
  handOver.ScrSumCols[1] = 'A';
  handOver.ScrSumCols[2] = 'A';
  ASSERT_TRUE(OpenOn());
  EXPECT_EQ(model->Order().count, 0);
  EXPECT_EQ(model->GroupFlags()[1].sum, 'A');
  EXPECT_EQ(model->GroupFlags()[2].sum, 'A');
  EXPECT_EQ(model->GroupFlags()[0].sum, 'N');
  EXPECT_EQ(model->SubtotalDialog().Cell(2, CdsScrTModel::kSum), "Sum");
  EXPECT_EQ(model->SubtotalDialog().Cell(5, CdsScrTModel::kPor), "005");
}

TEST_F(CdsScrModelTest, ParamNewSelectionPrintsChosenColumnsWithTheirFlags) {
  ASSERT_TRUE(OpenOn());
  model->Param();
  CdsScrTModel& dialog = model->SubtotalDialog();
  EXPECT_EQ(dialog.RowCount(), 6);
  EXPECT_EQ(dialog.Cell(3, CdsScrTModel::kName), "Nazev");
  dialog.NewSelection();
  dialog.Click(2, CdsScrTModel::kPor);  // Cinnost first
  dialog.Click(1, CdsScrTModel::kPor);  // then Ucet
  dialog.Click(4, CdsScrTModel::kPor);  // then MD
  dialog.Click(2, CdsScrTModel::kSum);
  ASSERT_TRUE(dialog.CanClose(*env));
  model->ParamDone();
  EXPECT_EQ(model->Order().count, 3);
  EXPECT_EQ(model->Order().rows[0], 2);
  EXPECT_EQ(model->Order().rows[1], 1);
  EXPECT_EQ(model->Order().rows[2], 4);
  EXPECT_EQ(model->GroupFlags()[0].sum, 'A');
  EXPECT_EQ(handOver.ScrSumCols[1], 'A');

  VystHandOver vyst;
  ASSERT_TRUE(model->SestI(vyst));
  EXPECT_EQ(vyst.VystFile, "C:\\A_Run\\Sestavy\\STable.Ses");
  const std::string report = Get(vyst.VystFile);
  EXPECT_NE(report.find("Cinn  Ucet         Ma dati"), std::string::npos) << report;
  EXPECT_NE(report.find("Cinn" + std::string(15, ' ') + "1200,00\r\n"), std::string::npos) << report;
  // The browser's table is still open where it was, on its own definition.
  EXPECT_TRUE(model->IsOpen());
  EXPECT_EQ(model->Definition().PSl, 5);
}

TEST_F(CdsScrModelTest, SestIFillsTheTextReportHandOver) {
  handOver.ScrToolDir = "D:\\LOrvo\\Programy";
  ASSERT_TRUE(OpenOn());
  VystHandOver vyst;
  ASSERT_TRUE(model->SestI(vyst));
  EXPECT_EQ(vyst.VystFile, "C:\\A_Run\\Sestavy\\STable.Ses");
  EXPECT_EQ(vyst.VystToolDir, "D:\\LOrvo\\Programy");
  EXPECT_EQ(Get(vyst.VystFile).substr(0, 2), "\r\n");
}

TEST_F(CdsScrModelTest, ReportsOfAnEmptyTableAreNotMade) {
  MakeTable("");
  ASSERT_TRUE(OpenOn());
  VystHandOver vyst;
  EXPECT_FALSE(model->SestI(vyst));
  EXPECT_FALSE(model->SestII());
  EXPECT_FALSE(Exists("C:\\A_Run\\Sestavy\\STable.Ses"));
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CdsScrModelTest, SestIIGivesTheColumnLayout) {
  handOver.ScrHeading2 = "Druha";
  ASSERT_TRUE(OpenOn());
  auto layout = model->SestII();
  ASSERT_TRUE(layout);
  EXPECT_EQ(layout->file, "C:\\A_Run\\Sestavy\\STable.Ses");
  EXPECT_EQ(layout->topLines, 2);
  EXPECT_EQ(layout->captionLines, 1);
  EXPECT_EQ(layout->start, (std::vector<int>{1, 9, 15, 29, 43}));
  EXPECT_EQ(layout->width, (std::vector<int>{7, 5, 13, 13, 13}));
}

TEST_F(CdsScrModelTest, WordGetsTheUnpagedReportInTheReportFont) {
  settings.ReportFont.name = "Liberation Mono";
  PutPrintSettings(*env, settings);
  ASSERT_TRUE(OpenOn());
  Office office;
  auto backend = std::make_unique<RecordingOffice>(OfficeResult::Done);
  RecordingOffice* recording = backend.get();
  office.Add(std::move(backend));
  ASSERT_TRUE(model->Word(office));
  ASSERT_EQ(recording->shown.size(), 1u);
  EXPECT_EQ(recording->shown[0].font.name, "Liberation Mono");
  EXPECT_EQ(recording->shown[0].text, Get("C:\\A_Run\\Sestavy\\STable.Ses"));
  EXPECT_EQ(recording->shown[0].text.find("STR:"), std::string::npos);
  EXPECT_EQ(clipboard.Text(), recording->shown[0].text);
}

TEST_F(CdsScrModelTest, WordUnavailableIsAnErrorBox) {
  ASSERT_TRUE(OpenOn());
  Office office;
  EXPECT_FALSE(model->Word(office));
  EXPECT_EQ(ui.Single(), Error("Aplikace Microsoft Word neni dostupna !"));
}

}  // namespace
}  // namespace orvo::test
