#include "core/screens/report_gen.h"

#include <gtest/gtest.h>

#include "browser_fixture.h"

namespace orvo::test {
namespace {

class GenerSesTest : public BrowserFixture {
 protected:
  ReportRequest Request() const {
    ReportRequest r;
    r.ScrFile = kTableCds;
    r.ScrDef = kTableDef;
    r.heading1 = "Titul";
    return r;
  }
  Dataset Load() {
    Dataset table(*env);
    table.SetReadOnly(true);
    EXPECT_TRUE(table.LoadFromFile(kTableCds));
    return table;
  }
};

TEST_F(GenerSesTest, ReportNameFollowsTheFileName) {
  EXPECT_EQ(ScrReportFile("D:\\LOrvo\\Data\\HlKniha.Cds"), "C:\\A_Run\\Sestavy\\SHlKniha.Ses");
  EXPECT_EQ(ScrReportFile("Tab"), "C:\\A_Run\\Sestavy\\STab.Ses");
}

TEST_F(GenerSesTest, DefinitionLinesOfThePrintedColumnsForTheGraphicReport) {
  MakeTable("311000|0001|A|1|\n");  // Dal holds nothing and is left out
  Dataset table = Load();
  auto layout = GenerSes(engine, table, Request(), ReportPaging::Paged, 76);
  ASSERT_TRUE(layout);
  EXPECT_EQ(layout->defFile, "C:\\A_Run\\Work\\CdsScrW_.Def");
  const std::string lines = LedgerDef();
  EXPECT_EQ(Get(layout->defFile), lines.substr(0, lines.rfind(DefLine(12, "5. Dal", "Dal", "N2"))));
  EXPECT_EQ(layout->width.size(), 4u);
  EXPECT_EQ(layout->topLines, 1);
}

TEST_F(GenerSesTest, ControlBytesAreBlankedInTheReportOnly) {
  MakeTable(std::string("311000|0001|A\tB|1|\n"));
  Dataset table = Load();
  auto layout = GenerSes(engine, table, Request(), ReportPaging::Paged, 76);
  ASSERT_TRUE(layout);
  EXPECT_NE(Get("C:\\A_Run\\Work\\CdsScrW1_.Txt").find("A\tB"), std::string::npos);
  const std::string report = Get(layout->file);
  EXPECT_NE(report.find("A B"), std::string::npos);
  EXPECT_EQ(report.find('\t'), std::string::npos);
}

TEST_F(GenerSesTest, FlagsBeyondTheTablesColumnsGroupNothing) {
  Dataset table = Load();
  ReportRequest request = Request();
  request.groupFlags[7].sum = 'A';
  request.groupFlags[199].page = 'A';
  auto layout = GenerSes(engine, table, request, ReportPaging::Paged, 76);
  ASSERT_TRUE(layout);
  EXPECT_EQ(Get(layout->file).find("\f"), std::string::npos);
}

TEST_F(GenerSesTest, TheCallersTableStaysOpenWhereItWas) {
  Dataset table = Load();
  table.MoveBy(2);
  ReportRequest request = Request();
  request.order.count = 2;
  request.order.rows[0] = 3;
  request.order.rows[1] = 4;
  ASSERT_TRUE(GenerSes(engine, table, request, ReportPaging::Paged, 76));
  EXPECT_TRUE(table.Active());
  EXPECT_EQ(table.RecNo(), 3);
  EXPECT_EQ(table.FieldCount(), 5);
  EXPECT_TRUE(Exists("C:\\A_Run\\Work\\CdsScrRed.Def"));
  EXPECT_EQ(engine.Def().PSl, 2);  // the report's definition stays loaded
}

TEST_F(GenerSesTest, AnEmptyTableWritesNothing) {
  MakeTable("");
  Dataset table = Load();
  EXPECT_FALSE(GenerSes(engine, table, Request(), ReportPaging::Paged, 76));
  EXPECT_FALSE(Exists("C:\\A_Run\\Sestavy\\STable.Ses"));
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(GenerSesTest, AFailedCopyIntoTheReportIsReported) {
  Put("C:\\A_Run\\Sestavy\\STable.Ses\\blocked", "");  // a directory where the report goes
  Dataset table = Load();
  EXPECT_FALSE(GenerSes(engine, table, Request(), ReportPaging::Paged, 76));
  EXPECT_EQ(ui.Single(), Error("Vstupni soubor:    C:\\A_Run\\Work\\CdsScrW1_.Txt\r"
                               "Vystupni soubor:  C:\\A_Run\\Sestavy\\STable.Ses\r\r"
                               "Normalizace se nepodarila !"));
}

}  // namespace
}  // namespace orvo::test
