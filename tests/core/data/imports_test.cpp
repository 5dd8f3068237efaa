#include "core/data/imports.h"

#include <gtest/gtest.h>

#include "core/data/foreign_records.h"
#include "ops_fixture.h"

namespace orvo::test::ops {
namespace {

constexpr const char* kForeign = "C:\\A_Run\\Work\\F.Txt";
constexpr const char* kDef = "C:\\A_Run\\Work\\F.Def";
constexpr const char* kCds = "C:\\A_Run\\Work\\F.Cds";
constexpr const char* kXDef = "C:\\A_Run\\Work\\FX.Def";

class ImportsTest : public OpsTest {
 protected:
  ImportsTest() {
    cds.params.DatName = kForeign;
    cds.params.DefName = kDef;
    cds.params.CdsName = kCds;
    cds.params.XDefName = kXDef;
  }
};

// --- fixed-column text ------------------------------------------------------------

TEST_F(ImportsTest, FixedColumnsWithShortLinesNumbersAndCodePage) {
  WriteDef(kDef, {{4, "Nazev"}, {5, "Ucet", "LN"}, {8, "Castka", "N2"}});
  Put(kForeign, "\x80" "ab 12      123.5\r\n"
                "X\r\n"
                "\xC9" "   7           0\r\n"
                "\x1A");
  ASSERT_TRUE(KonvTxCds(cds, 3));
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(RowsOf(kCds), (std::vector<Row>{{"\xC8" "ab ", "00012", "         123,50"},
                                            {"X   ", "00000", "               "},
                                            {"+   ", "00007", "               "}}));
  std::vector<Column> columns = ColumnsOf(kCds);
  EXPECT_EQ(columns[2].size, 15);
  EXPECT_TRUE(Exists(kXDef));
}

TEST_F(ImportsTest, FixedColumnsWithoutConversionKeepTheBytes) {
  WriteDef(kDef, {{3, "A"}});
  Put(kForeign, "\x80\xC9x\n");
  ASSERT_TRUE(KonvTxCds(cds, 0));
  EXPECT_EQ(RowsOf(kCds), (std::vector<Row>{{"\x80\xC9x"}}));
}

TEST_F(ImportsTest, MissingForeignFileIsReportedAndLeavesTheOldDataset) {
  WriteDef(kDef, {{3, "A"}});
  EXPECT_FALSE(KonvTxCds(cds, 0));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ui.messages[0].text.find("C:\\A_Run\\Work\\F.Txt"), std::string::npos);
  EXPECT_FALSE(Exists(kCds));
  WriteCds(kCds, {{"A", FieldType::Text, 3}}, {{"old"}});
  const std::string old = Get(kCds);
  EXPECT_FALSE(KonvTxCds(cds, 0));
  EXPECT_EQ(Get(kCds), old);
}

// --- binary records ---------------------------------------------------------------

std::string LdbHeader(int len, char fill = '\0') {
  std::string h(static_cast<size_t>(len), fill);
  h[12] = static_cast<char>(len & 0xFF);
  h[13] = static_cast<char>(len >> 8);
  return h;
}

std::string LdbRow(int len, std::string_view body) {
  std::string r(14, 'h');  // bytes 1-14 carry nothing the import uses
  r += body;
  r.resize(static_cast<size_t>(len), '\0');
  return r;
}

TEST_F(ImportsTest, BinaryRecordsSkipTheEmptyOnesAndTheIncompleteTail) {
  WriteDef(kDef, {{14, "Hlava", "ZS"}, {3, "Kod"}, {6, "Mn", "N0"}, {8, "Kc", "N2"}});
  Put(kForeign, LdbHeader(40) + LdbRow(40, "\x80" "b\t    12   1.5") + LdbRow(40, "") +
                    LdbRow(40, "xyz     0       ") + LdbRow(40, "zzz").substr(0, 30));
  ASSERT_TRUE(KonvLdbCds(cds, 3));
  EXPECT_EQ(RowsOf(kCds), (std::vector<Row>{{"\xC8" "b ", "           12", "           1,50"},
                                            {"xyz", "             ", "               "}}));
  EXPECT_EQ(def.RecLen, 40);
}

TEST_F(ImportsTest, BinaryFileNoLongerThanItsHeaderIsEmpty) {
  WriteDef(kDef, {{14, "Hlava", "ZS"}, {3, "Kod"}});
  Put(kForeign, LdbHeader(154));
  ASSERT_TRUE(KonvLdbCds(cds, 3));
  EXPECT_TRUE(RowsOf(kCds).empty());
  // A header whose tail is not zero is a record like any other.
  Put(kForeign, LdbHeader(20, 'q') + LdbRow(20, "abc"));
  ASSERT_TRUE(KonvLdbCds(cds, 0));
  EXPECT_EQ(RowsOf(kCds), (std::vector<Row>{{"qqq"}, {"abc"}}));
}

TEST(LdbRecordsTest, LengthZeroOrTinyFilesHoldNothing) {
  EXPECT_EQ(LdbRecordLength("short"), 0);
  EXPECT_TRUE(LdbRecords(std::string(40, '\0')).empty());
  EXPECT_TRUE(LdbRecords(std::string(13, 'x')).empty());
  EXPECT_TRUE(LdbRecordEmpty(std::string(14, 'x')));
  EXPECT_FALSE(LdbRecordEmpty(std::string(14, 'x') + "\x01"));
}

// --- separated text -----------------------------------------------------------------

TEST_F(ImportsTest, SeparatedTextRemovesQuotesAndAlignsByType) {
  WriteDef(kDef, {{3, "A"}, {3, "B"}, {4, "C", "N1"}, {5, "D", "LN"}, {4, "E"}});
  Put(kForeign, "A|\"B\"|3,5|12|\r\n"
                "\"x|y\"|z\r\n"
                "|||\"7\"|e|extra|\r\n");
  ASSERT_TRUE(KonvCsvCds(cds, 0, '|', '"'));
  EXPECT_EQ(RowsOf(kCds), (std::vector<Row>{{"A  ", "B  ", "           3,5", "   12", "    "},
                                            {"x  ", "y  ", "              ", "     ", "    "},
                                            {"   ", "   ", "              ", "    7", "e   "}}));
  EXPECT_EQ(ColumnsOf(kCds)[2].size, 14);
}

TEST_F(ImportsTest, SeparatedTextConvertsTextButNotNumbers) {
  WriteDef(kDef, {{2, "A"}, {6, "N", "N0"}});
  Put(kForeign, "\x80\xC9;\"1 234\"\n");
  ASSERT_TRUE(KonvCsvCds(cds, 3, ';', '"'));
  EXPECT_EQ(RowsOf(kCds), (std::vector<Row>{{"\xC8+", "         1234"}}));
}

TEST(CsvRecordTest, AValueLongerThanItsWordIsLeftToTheDataset) {
  LoadedDef def;
  ASSERT_EQ(ParseDef(DefText({{2, "A"}, {2, "B", "LM"}}), def).problem, DefProblem::None);
  EXPECT_EQ(CsvRecord(def, "abcd|xyz", 0, '|', '"'), (std::vector<std::string>{"abcd", "xyz"}));
}

}  // namespace
}  // namespace orvo::test::ops
