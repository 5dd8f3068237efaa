#include "core/data/dataset_ops.h"

#include <gtest/gtest.h>

#include "core/sys/termination.h"
#include "ops_fixture.h"

namespace orvo::test::ops {
namespace {

constexpr const char* kIn = "C:\\A_Run\\Work\\In.Cds";
constexpr const char* kInDef = "C:\\A_Run\\Work\\In.Def";
constexpr const char* kOut = "C:\\A_Run\\Work\\Out.Cds";
constexpr const char* kOutDef = "C:\\A_Run\\Work\\Out.Def";

class DatasetOpsTest : public OpsTest {
 protected:
  DatasetOpsTest() {
    cds.params.InCds = kIn;
    cds.params.InDef = kInDef;
    cds.params.OutCds = kOut;
    cds.params.OutDef = kOutDef;
  }
  // Ucet (LN 3), Datum (DT 10), Text (PM 4), MD (N2 15).
  void Postings(const std::vector<Row>& rows) {
    WriteDef(kInDef, {{3, "Ucet", "LN"}, {10, "Datum", "DT"}, {4, "Text"}, {15, "MD", "N2"}});
    WriteCds(kIn, {{"Ucet", FieldType::Text, 3}, {"Datum", FieldType::Text, 10}, {"Text", FieldType::Text, 4},
                   {"MD", FieldType::Text, 15}},
             rows);
  }
  std::vector<std::string> ValuesOf(std::string_view file, int f) {
    std::vector<std::string> values;
    for (const Row& r : RowsOf(file)) values.push_back(r[static_cast<size_t>(f)]);
    return values;
  }
};

// --- SortF ----------------------------------------------------------------------

TEST_F(DatasetOpsTest, SortFOfOneRecordReordersItsFields) {
  Postings({{"311", "01.02.2016", "ab", "1,00"}});
  SetWords({3});
  ASSERT_TRUE(SortF(cds, false));
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(RowsOf(kOut), (std::vector<Row>{{"ab", "311", "01.02.2016", "1,00"}}));
  std::vector<Column> columns = ColumnsOf(kOut);
  ASSERT_EQ(columns.size(), 4u);
  EXPECT_EQ(columns[0].name, "Text");
  EXPECT_EQ(columns[1].name, "Ucet");
  EXPECT_EQ(Get(kOutDef), DefLine(3, {4, "Text"}) + "\r\n" + DefLine(1, {3, "Ucet", "LN"}) + "\r\n" +
                              DefLine(2, {10, "Datum", "DT"}) + "\r\n" + DefLine(4, {15, "MD", "N2"}) + "\r\n");
  EXPECT_EQ(cds.params.DefName, kOutDef);
}

TEST_F(DatasetOpsTest, SortFOfNoRecordsWritesAnEmptyTable) {
  Postings({});
  SetWords({1});
  Put(kOut, "old");
  ASSERT_TRUE(SortF(cds, false));
  EXPECT_TRUE(RowsOf(kOut).empty());
  EXPECT_EQ(ColumnsOf(kOut).size(), 4u);
}

TEST_F(DatasetOpsTest, SortFFillsTextToItsWidthAndKeepsEqualKeysInOrder) {
  Postings({{"311", "", "b", "2,00"}, {"211", "", "a", "1,00"}, {"311", "", "a", ""}, {"211", "", "c", "3"}});
  SetWords({1});
  ASSERT_TRUE(SortF(cds, false));
  EXPECT_EQ(RowsOf(kOut), (std::vector<Row>{{"211", "          ", "a   ", "1,00           "},
                                            {"211", "          ", "c   ", "3              "},
                                            {"311", "          ", "b   ", "2,00           "},
                                            {"311", "          ", "a   ", "               "}}));
}

TEST_F(DatasetOpsTest, SortFWithBlankKeysLeavesThemOutOrPutsThemFirst) {
  Postings({{"311", "", "a", ""}, {"", "", "b", ""}, {"1", "", "c", ""}, {"", "", "d", ""}});
  SetWords({1});
  ASSERT_TRUE(SortF(cds, false));
  EXPECT_EQ(ValuesOf(kOut, 2), (std::vector<std::string>{"b   ", "d   ", "c   ", "a   "}));
  ASSERT_TRUE(SortF(cds, true));
  EXPECT_EQ(ValuesOf(kOut, 2), (std::vector<std::string>{"c   ", "a   "}));
}

TEST_F(DatasetOpsTest, SortFOrdersDatesByYearMonthAndDay) {
  Postings({{"1", "01.01.2016", "new", ""},
            {"1", "31.12.2015", "old", ""},
            {"1", "3l.12.2015", "let", ""},
            {"1", "", "none", ""},
            {"1", "15.06.2015", "mid", ""}});
  SetWords({2});
  ASSERT_TRUE(SortF(cds, false));
  // Blank dates first, then letters as 00000000, then the dates in time.
  EXPECT_EQ(ValuesOf(kOut, 2), (std::vector<std::string>{"none", "let ", "mid ", "old ", "new "}));
  ASSERT_TRUE(SortF(cds, true));
  EXPECT_EQ(ValuesOf(kOut, 2), (std::vector<std::string>{"let ", "mid ", "old ", "new "}));
}

TEST_F(DatasetOpsTest, SortFWithoutWordsSaysSo) {
  Postings({{"1", "", "a", ""}, {"2", "", "b", ""}});
  SetWords({});
  EXPECT_FALSE(SortF(cds, false));
  EXPECT_EQ(ui.Single(), Info("Nebyl zadan seznam slov pro vytvoreni nove vety !"));
  EXPECT_FALSE(Exists(kOut));
  EXPECT_FALSE(Exists(kOutDef));
}

TEST_F(DatasetOpsTest, InputThatDisagreesWithItsDefinitionIsNamedWithBothFigures) {
  WriteDef(kInDef, {{3, "Ucet"}, {4, "Text"}, {5, "X"}});
  WriteCds(kIn, {{"Ucet", FieldType::Text, 3}, {"Text", FieldType::Text, 4}}, {{"1", "a"}, {"2", "b"}});
  SetWords({1});
  EXPECT_FALSE(SortF(cds, false));
  EXPECT_EQ(ui.Single(), Info("C:\\A_Run\\Work\\In.Cds:     2\rC:\\A_Run\\Work\\In.Def:     3\r\r"
                              "Skutecny pocet slov vety se nerovna poctu slov vypocitanemu !"));
  ui.Clear();
  EXPECT_FALSE(RedF(cds));
  EXPECT_EQ(ui.Single().text.substr(ui.Single().text.size() - 19), "slov vypocitanemu !");

  ui.Clear();
  WriteDef(kInDef, {{3, "Ucet"}, {5, "Text"}});
  EXPECT_FALSE(SortF(cds, false));
  EXPECT_EQ(ui.Single(), Info("C:\\A_Run\\Work\\In.Cds:    11\rC:\\A_Run\\Work\\In.Def:     8\r\r"
                              "Skutecna delka vety se nerovna delce vety vypoctene !"));
  EXPECT_FALSE(Exists(kOut));
}

TEST_F(DatasetOpsTest, SortFCarriesFloatingPointFieldsAsNumbers) {
  WriteDef(kInDef, {{3, "Kod"}, {8, "Hodnota", "FL"}});
  WriteCds(kIn, {{"Kod", FieldType::Text, 3}, {"Hodnota", FieldType::Float, 0}},
           {{"b", "2,5"}, {"a", "-1,25"}, {"c", ""}});
  SetWords({2});
  ASSERT_TRUE(SortF(cds, false));
  // Right-aligned numbers in 30 characters compare as text: blank (zero)
  // first, then the shorter texts.
  EXPECT_EQ(RowsOf(kOut), (std::vector<Row>{{"0", "c  "}, {"2,5", "b  "}, {"-1,25", "a  "}}));
}

TEST_F(DatasetOpsTest, MemoFieldsAreCarriedButNeverSortedBy) {
  WriteDef(kInDef, {{3, "Kod"}, {20, "Pozn", "ME"}});
  WriteCds(kIn, {{"Kod", FieldType::Text, 3}, {"Pozn", FieldType::Memo, 20}},
           {{"b", "second note"}, {"a", ""}, {"c", "a much longer note than its size"}});
  SetWords({1});
  ASSERT_TRUE(SortF(cds, false));
  EXPECT_EQ(RowsOf(kOut), (std::vector<Row>{{"a  ", ""}, {"b  ", "second note"}, {"c  ", "a much longer note than its size"}}));
  ASSERT_TRUE(SortFND(cds, false));
  EXPECT_EQ(RowsOf(kOut), (std::vector<Row>{{"a  ", ""}, {"b  ", "second note"}, {"c  ", "a much longer note than its size"}}));
  SetWords({2, 1});
  ASSERT_TRUE(RedF(cds));
  EXPECT_EQ(RowsOf(kOut), (std::vector<Row>{{"second note", "b"}, {"", "a"}, {"a much longer note than its size", "c"}}));
  EXPECT_FALSE(SortF(cds, false));
  EXPECT_EQ(ui.Single(), Info("Slovo 2 nelze pouzit pro trideni !", "Soubor: C:\\A_Run\\Work\\In.Cds"));
}

TEST_F(DatasetOpsTest, SortFRefusesARepeatedWord) {
  Postings({{"1", "", "a", ""}, {"2", "", "b", ""}});
  SetWords({1, 1});
  EXPECT_FALSE(SortF(cds, false));
  EXPECT_EQ(ui.Single(), Info("Slovo 1 je v seznamu slov dvakrat !", "Soubor: C:\\A_Run\\Work\\In.Cds"));
  EXPECT_FALSE(Exists(kOut));
}

TEST_F(DatasetOpsTest, SortFNDSortsThroughTheWorkFileAndErasesIt) {
  Postings({{"311", "", "a", ""}, {"", "", "", "2"}, {"111", "", "c", "1,00"}});
  SetWords({1, 3});
  ASSERT_TRUE(SortFND(cds, true));
  EXPECT_EQ(RowsOf(kOut), (std::vector<Row>{{"111", "c   ", "          ", "1,00           "},
                                            {"311", "a   ", "          ", "               "}}));
  EXPECT_FALSE(Exists(kCdsProcW1Dat));
  EXPECT_FALSE(Exists(kOutDef));
}

// --- SumF -------------------------------------------------------------------------

TEST_F(DatasetOpsTest, SumFDropsKeysWhoseAmountsCancel) {
  Postings({{"311", "", "a", "100,00"}, {"211", "", "b", "5,50"}, {"311", "", "c", "-40,00"},
            {"311", "", "d", "-60,00"}, {"211", "", "e", "1,25"}});
  SetWords({1});
  cds.params.XDefName = "C:\\A_Run\\Work\\X.Def";
  ASSERT_TRUE(SumF(cds, dat));
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(RowsOf(kOut), (std::vector<Row>{{"211", "           6,75"}}));
  EXPECT_EQ(ColumnsOf(kOut)[1].size, 15);
  EXPECT_EQ(cds.params.CdsName, kOut);
  EXPECT_EQ(cds.params.DatName, kCdsProcW2Dat);
}

TEST_F(DatasetOpsTest, SumFStopsWhenTheConversionRefusesItsInput) {
  WriteDef(kInDef, {{3, "Ucet"}, {8, "Hodnota", "N2"}});
  WriteCds(kIn, {{"Ucet", FieldType::Text, 3}, {"Hodnota", FieldType::Float, 0}}, {{"1", "2"}});
  // What an earlier summation left in the work files must not come out.
  Put(kCdsProcW1Dat, "1      9,00");
  Put(kCdsProcW2Dat, "1      9,00");
  SetWords({1});
  EXPECT_FALSE(SumF(cds, dat));
  EXPECT_EQ(ui.Single(), Info("Konverzi nelze provest !", "Soubor:  C:\\A_Run\\Work\\In.Cds"));
  EXPECT_FALSE(Exists(kOut));
}

// --- RedF and RedFVirt -----------------------------------------------------------

TEST_F(DatasetOpsTest, RedFKeepsTheListedWordsInListOrder) {
  Postings({{"311", "01.01.2016", "a", "1,00"}, {"211", "", "b", ""}});
  SetWords({3, 1});
  ASSERT_TRUE(RedF(cds));
  EXPECT_EQ(RowsOf(kOut), (std::vector<Row>{{"a", "311"}, {"b", "211"}}));
  std::vector<Column> columns = ColumnsOf(kOut);
  ASSERT_EQ(columns.size(), 2u);
  EXPECT_EQ(columns[0].name, "Text");
  EXPECT_EQ(columns[0].size, 4);
  EXPECT_EQ(Get(kOutDef), DefLine(3, {4, "Text"}) + "\r\n" + DefLine(1, {3, "Ucet", "LN"}) + "\r\n");
}

TEST_F(DatasetOpsTest, RedFVirtFillsAnOpenTableInMemory) {
  Postings({{"311", "01.01.2016", "a", "1,00"}, {"211", "", "b", ""}});
  SetWords({4});
  Dataset in(*env);
  in.SetFileName(kIn);
  in.SetReadOnly(true);
  ASSERT_TRUE(in.Open());
  Dataset out(*env);
  ASSERT_TRUE(RedFVirt(cds, in, out));
  EXPECT_FALSE(in.Active());
  ASSERT_TRUE(out.Active());
  EXPECT_EQ(out.RecNo(), 1);
  EXPECT_EQ(out.RecordCount(), 2);
  EXPECT_EQ(out.AsString(0), "1,00");
  EXPECT_TRUE(out.FileName().empty());
}

// --- AppendCds --------------------------------------------------------------------

TEST_F(DatasetOpsTest, AppendCdsCreatesAMissingTargetAndAppends) {
  WriteCds(kIn, {{"A", FieldType::Text, 3}, {"B", FieldType::Float, 0}}, {{"x", "1,5"}});
  AppendCds(cds, kIn, kOut);
  EXPECT_EQ(RowsOf(kOut), (std::vector<Row>{{"x", "1,5"}}));
  EXPECT_EQ(ColumnsOf(kOut)[1].type, FieldType::Float);
  AppendCds(cds, kIn, kOut);
  EXPECT_EQ(RowsOf(kOut), (std::vector<Row>{{"x", "1,5"}, {"x", "1,5"}}));
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(DatasetOpsTest, AppendCdsIgnoresASourceOfFourBytes) {
  Put(kIn, "abcd");
  WriteCds(kOut, {{"A", FieldType::Text, 3}}, {{"y"}});
  AppendCds(cds, kIn, kOut);
  EXPECT_EQ(RowsOf(kOut), (std::vector<Row>{{"y"}}));
  AppendCds(cds, "C:\\A_Run\\Work\\None.Cds", kOut);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(DatasetOpsTest, AppendCdsThatCannotOpenItsSourceEndsTheApplication) {
  Put(kIn, "not a dataset file");
  EXPECT_THROW(AppendCds(cds, kIn, kOut), Termination);
  ASSERT_FALSE(ui.messages.empty());
  EXPECT_EQ(ui.messages.back(), Error("Prihravany soubor:  C:\\A_Run\\Work\\In.Cds\r\rRozsirovany soubor: "
                                      "C:\\A_Run\\Work\\Out.Cds\r\r     Operace se nepodarila, program bude ukoncen !"));
}

// --- ReStruktCds and ReColSizeCds ----------------------------------------------

struct ShapeCase {
  const char* name;
  std::string tms;
  int td;
  std::string value;
  std::string want;
};

class ReStruktTest : public DatasetOpsTest, public ::testing::WithParamInterface<ShapeCase> {};

TEST_P(ReStruktTest, ShapesByTheNewType) {
  const ShapeCase& c = GetParam();
  WriteCds(kIn, {{"Old", FieldType::Text, 20}, {"V", FieldType::Text, 20}}, {{"o", c.value}});
  WriteDef(kOutDef, {{c.td, "V", c.tms}, {4, "Nove"}});
  ReStruktCds(cds, kIn, kOutDef, kOut);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(RowsOf(kOut), (std::vector<Row>{{c.want, ""}}));
  EXPECT_EQ(cds.params.CdsName, kOut);
  EXPECT_EQ(cds.params.DefName, kOutDef);
}

INSTANTIATE_TEST_SUITE_P(
    Types, ReStruktTest,
    ::testing::Values(ShapeCase{"pm_cut", "PM", 3, "abcdef", "abc"},
                      ShapeCase{"pm_filled", "PM", 5, "ab", "ab   "},
                      ShapeCase{"pn_zeros", "PN", 5, "ab", "ab000"},
                      ShapeCase{"dt_filled", "DT", 10, "1.1.2016", "1.1.2016  "},
                      ShapeCase{"lm_right", "LM", 5, "ab", "   ab"},
                      ShapeCase{"lm_last", "LM", 3, "abcdef", "def"},
                      ShapeCase{"ln_zeros", "LN", 5, "12", "00012"},
                      ShapeCase{"ln_blank", "LN", 3, "", "000"},
                      ShapeCase{"r2_like_lm", "R2", 4, "7", "   7"},
                      ShapeCase{"n2_number", "N2", 10, "1234,5", "   1234,50"},
                      ShapeCase{"n0_rounded", "N0", 4, "2,5", "   3"},
                      ShapeCase{"n2_zero", "N2", 6, "0", "      "},
                      ShapeCase{"me_unchanged", "ME", 4, " x y ", " x y "}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DatasetOpsTest, ReColSizeCdsFitsColumnsToValuesAndSums) {
  const std::string d1 = DefLine(1, {10, "Nazev", "PM", 0, "Nazev polozky"}) + "\r\n" +
                         DefLine(2, {6, "Kod", "LN"}) + "\r\n" + DefLine(3, {15, "Castka", "N2", 0, "    Castka"}) + "\r\n";
  Put(kInDef, d1);
  WriteCds(kIn, {{"Nazev", FieldType::Text, 10}, {"Kod", FieldType::Text, 6}, {"Castka", FieldType::Text, 15}},
           {{" ab ", "000012", "      9000,00"}, {"abcdef", "", "      5000,00"}});
  ReColSizeCds(cds, kIn, kOutDef, kOut, kInDef);
  EXPECT_TRUE(ui.messages.empty());
  // Widths 6, 6 and 8: the sum 14000,00 is wider than any amount.
  std::vector<Column> columns = ColumnsOf(kOut);
  ASSERT_EQ(columns.size(), 3u);
  EXPECT_EQ(columns[0].size, 6);
  EXPECT_EQ(columns[1].size, 6);
  EXPECT_EQ(columns[2].size, 8);
  EXPECT_EQ(RowsOf(kOut), (std::vector<Row>{{"ab    ", "000012", " 9000,00"}, {"abcdef", "      ", " 5000,00"}}));
  const std::string d2 = Get(kOutDef);
  EXPECT_EQ(d2.substr(0, 3), "  6");
  EXPECT_EQ(d2.substr(40, 30), "Nazev                         ");
  const size_t third = d2.rfind("\r\n", d2.size() - 3) + 2;
  EXPECT_EQ(d2.substr(third, 3), "  8");
  // Leading blanks of a heading go first when it is too wide.
  EXPECT_EQ(d2.substr(third + 40, 30), "  Castka                      ");
}

// --- LocateH ----------------------------------------------------------------------

class LocateTest : public DatasetOpsTest {
 protected:
  void Accounts(int n) {
    std::vector<Row> rows;
    for (int i = 0; i < n; ++i) rows.push_back({std::to_string(100000 + i * 10)});
    WriteCds(kIn, {{"Ucet", FieldType::Text, 6}}, rows);
    table = std::make_unique<Dataset>(*env);
    table->SetFileName(kIn);
    table->SetReadOnly(true);
    ASSERT_TRUE(table->Open());
  }
  LocateResult Find(const std::string& key) {
    cds.params.LocateKeys = {};
    cds.params.LocateKeys[0] = {key, 1};
    return LocateH(cds, *table);
  }
  std::unique_ptr<Dataset> table;
};

TEST_F(LocateTest, FindsTheFirstMatchTheNextGreaterOrTheEnd) {
  Accounts(1234);
  for (int i : {0, 1, 9, 10, 11, 99, 100, 617, 1232, 1233}) {
    LocateResult r = Find(std::to_string(100000 + i * 10));
    EXPECT_EQ(r.XLocateOk, 1) << i;
    EXPECT_EQ(r.PorVt, i + 1) << i;
    EXPECT_EQ(table->AsString(0), std::to_string(100000 + i * 10));
    r = Find(std::to_string(100000 + i * 10 + 5));
    if (i < 1233) {
      EXPECT_EQ(r.XLocateOk, 2) << i;
      EXPECT_EQ(r.PorVt, i + 2) << i;
    } else {
      EXPECT_EQ(r.XLocateOk, 3);
    }
  }
  // A shorter search key is filled with blanks, so it lands on the first
  // account that begins with it as a greater key.
  LocateResult r = Find("1061");
  EXPECT_EQ(r.XLocateOk, 2);
  EXPECT_EQ(table->AsString(0), "106100");
  r = Find("2");
  EXPECT_EQ(r.XLocateOk, 3);
  EXPECT_EQ(r.PorVt, 1234);
  r = Find("0");
  EXPECT_EQ(r.XLocateOk, 2);
  EXPECT_EQ(r.PorVt, 1);
}

TEST_F(LocateTest, SeveralKeysJoinedAndBlankFilled) {
  WriteCds(kIn, {{"Ucet", FieldType::Text, 3}, {"Cin", FieldType::Text, 2}},
           {{"211", "1"}, {"311", ""}, {"311", "1"}, {"311", "2"}, {"321", "1"}});
  table = std::make_unique<Dataset>(*env);
  table->SetFileName(kIn);
  ASSERT_TRUE(table->Open());
  cds.params.LocateKeys = {};
  cds.params.LocateKeys[0] = {"311", 1};
  cds.params.LocateKeys[1] = {"1", 2};
  LocateResult r = LocateH(cds, *table);
  EXPECT_EQ(r.XLocateOk, 1);
  EXPECT_EQ(r.PorVt, 3);
  cds.params.LocateKeys[0] = {"311", 1};
  cds.params.LocateKeys[1] = {"", 0};  // the list ends here
  r = LocateH(cds, *table);
  EXPECT_EQ(r.XLocateOk, 1);
  EXPECT_EQ(r.PorVt, 2);
}

TEST_F(LocateTest, EmptyTableIsTheEnd) {
  Accounts(0);
  EXPECT_EQ(Find("1").XLocateOk, 3);
}

}  // namespace
}  // namespace orvo::test::ops
