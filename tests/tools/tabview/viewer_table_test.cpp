#include "tools/tabview/viewer_table.h"

#include <gtest/gtest.h>

#include "tools/tabview/viewer_fixture.h"

namespace orvo::test {
namespace {

class ViewerRequestTest : public Scratch {};

TEST_F(ViewerRequestTest, HandOverFileGivesItsFiveLines) {
  Put("C:\\A_Run\\Work\\TabView.Ldb",
      "C:\\A_Run\\Work\\TabView_Data.Cds\r\nD:\\LOrvo\\DefSoub\\UctO.Def\r\nOrvo\r\n"
      "Prehled obratu\r\nZobrazeni\r\n");
  auto r = ViewerRequestFromArgs(*env, {"C:\\A_Run\\Work\\TabView.Ldb"});
  ASSERT_TRUE(r);
  EXPECT_EQ(r->dataFile, "C:\\A_Run\\Work\\TabView_Data.Cds");
  EXPECT_EQ(r->defFile, "D:\\LOrvo\\DefSoub\\UctO.Def");
  EXPECT_EQ(r->title, "Orvo");
  EXPECT_EQ(r->heading, "Prehled obratu");
  EXPECT_TRUE(r->viewOnly);
  EXPECT_TRUE(ui.messages.empty());
}

struct DirectCase {
  const char* name;
  std::vector<std::string> args;
  bool viewOnly;
};

class DirectParameters : public Scratch, public ::testing::WithParamInterface<DirectCase> {};

TEST_P(DirectParameters, DataDefinitionAndTheViewingWord) {
  auto r = ViewerRequestFromArgs(*env, GetParam().args);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->dataFile, "A.Cds");
  EXPECT_EQ(r->defFile, "A.Def");
  EXPECT_EQ(r->viewOnly, GetParam().viewOnly);
}

INSTANTIATE_TEST_SUITE_P(
    Args, DirectParameters,
    ::testing::Values(DirectCase{"Editing", {"A.Cds", "A.Def"}, false},
                      DirectCase{"Viewing", {"A.Cds", "A.Def", "Zobrazeni"}, true},
                      DirectCase{"ViewingAnyCase", {"A.Cds", "A.Def", "ZOBRAZENI"}, true},
                      DirectCase{"OtherWord", {"A.Cds", "A.Def", "Oprava"}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ViewerRequestTest, MissingHandOverFileIsReported) {
  EXPECT_FALSE(ViewerRequestFromArgs(*env, {"C:\\A_Run\\Work\\TabView.Ldb"}));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ui.messages[0].text.find("C:\\A_Run\\Work\\TabView.Ldb"), std::string::npos);
}

TEST_F(ViewerRequestTest, HandOverFileWithoutFilesIsRefused) {
  Put("C:\\A_Run\\Work\\TabView.Ldb", "\r\n");
  EXPECT_FALSE(ViewerRequestFromArgs(*env, {"C:\\A_Run\\Work\\TabView.Ldb"}));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0],
            Error("Predavaci soubor:\r\rC:\\A_Run\\Work\\TabView.Ldb\r\rneobsahuje soubor dat a "
                  "definice !",
                  "TabView"));
}

TEST_F(ViewerRequestTest, WrongNumberOfParametersSaysHowToCall) {
  EXPECT_FALSE(ViewerRequestFromArgs(*env, {}));
  EXPECT_FALSE(ViewerRequestFromArgs(*env, {"a", "b", "c", "d"}));
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0].caption, "TabView");
}

class ViewerTableTest : public ViewerScratch {
 protected:
  void SetUp() override {
    PutDef();
    PutData({{"211", "  1500,00", "Pokladna"},
             {"221", "    -20,50", "Bankovn\xED \xFA\xE8ty"},
             {"311", "   300,00", "Odb\xECratel\xE9"},
             {"211", "     7,00", "Pokladna 2"}});
  }
  ViewerTable Loaded(bool viewOnly = true) {
    ViewerTable t(*env);
    ViewerRequest r{kData, kDef, "Orvo", "Ucty", viewOnly};
    EXPECT_TRUE(t.Load(r));
    return t;
  }
};

TEST_F(ViewerTableTest, ColumnsComeFromTheDefinition) {
  ViewerTable t = Loaded();
  ASSERT_EQ(t.ColumnCount(), 3);
  EXPECT_EQ(t.Column(0).caption, "Ucet");
  EXPECT_EQ(t.Column(1).caption, "Castka Kc");
  EXPECT_EQ(t.Column(2).caption, "N\xE1zev \xFA\xE8tu");
  EXPECT_EQ(t.Column(0).width, 6);
  EXPECT_EQ(t.Column(1).width, 12);
  EXPECT_FALSE(t.Column(0).numeric);
  EXPECT_TRUE(t.Column(1).numeric);
  EXPECT_EQ(t.RowCount(), 4);
  EXPECT_EQ(t.Cell(0, 1), "1500,00");
  EXPECT_EQ(t.Cell(1, 2), "Bankovn\xED \xFA\xE8ty");
}

TEST_F(ViewerTableTest, WithoutItsDefinitionTheDatasetFieldsShow) {
  ViewerTable t(*env);
  ASSERT_TRUE(t.Load({kData, "D:\\LOrvo\\DefSoub\\Chybi.Def", "", "", true}));
  EXPECT_EQ(ui.messages.size(), 1u);  // the definition's own message
  ASSERT_EQ(t.ColumnCount(), 3);
  EXPECT_EQ(t.Column(2).caption, "Nazev");
}

TEST_F(ViewerTableTest, DamagedDataFileIsReportedByName) {
  Put(kData, "ORVOCDS\x1A garbage");
  ViewerTable t(*env);
  EXPECT_FALSE(t.Load({kData, kDef, "", "", true}));
  ASSERT_FALSE(ui.messages.empty());
  EXPECT_NE(ui.messages.back().text.find(kData), std::string::npos);
}

TEST_F(ViewerTableTest, NumericColumnsSortByValueAndStably) {
  ViewerTable t = Loaded();
  t.Sort(1, true);
  EXPECT_EQ(t.Cell(0, 1), "-20,50");
  EXPECT_EQ(t.Cell(1, 1), "7,00");
  EXPECT_EQ(t.Cell(2, 1), "300,00");
  EXPECT_EQ(t.Cell(3, 1), "1500,00");
  t.Sort(0, false);
  // Equal accounts keep the order they had.
  EXPECT_EQ(t.Cell(0, 0), "311");
  EXPECT_EQ(t.Cell(2, 2), "Pokladna 2");
  EXPECT_EQ(t.Cell(3, 2), "Pokladna");
  t.Sort(-1, true);
  EXPECT_EQ(t.Cell(0, 2), "Pokladna");
  EXPECT_EQ(t.RecordOf(3), 3);
}

TEST_F(ViewerTableTest, FindComparesCzechLettersInUpperCaseAndWraps) {
  ViewerTable t = Loaded();
  // "ODBĚRATELÉ" found by "běr".
  EXPECT_EQ(t.Find("b\xECr", -1, -1), std::make_pair(2, 2));
  EXPECT_EQ(t.Find("pokladna", 0, 2), std::make_pair(3, 2));
  EXPECT_EQ(t.Find("pokladna", 3, 2), std::make_pair(0, 2));
  EXPECT_EQ(t.Find("nic takoveho", 0, 0), std::make_pair(-1, -1));
}

TEST_F(ViewerTableTest, CopyAndCsv) {
  ViewerTable t = Loaded();
  EXPECT_EQ(t.CopyText({0, 2}, {0, 1}), "211\t1500,00\r\n311\t300,00\r\n");
  PutData({{"1;2", "1,00", "say \"hi\""}});
  ViewerTable q = Loaded();
  EXPECT_EQ(q.CsvText(),
            "Ucet;Castka Kc;N\xE1zev \xFA\xE8tu\r\n\"1;2\";1,00;\"say \"\"hi\"\"\"\r\n");
  ASSERT_TRUE(q.SaveCsv("D:\\LOrvo\\Data\\Ucty.csv"));
  EXPECT_EQ(Get("D:\\LOrvo\\Data\\Ucty.csv"), q.CsvText());
}

TEST_F(ViewerTableTest, ViewingOnlyRefusesChanges) {
  ViewerTable t = Loaded(true);
  EXPECT_FALSE(t.SetCell(0, 2, "Jina"));
  EXPECT_FALSE(t.Modified());
  EXPECT_EQ(t.Cell(0, 2), "Pokladna");
}

TEST_F(ViewerTableTest, EditingChangesTheShownRecordAndStoresIt) {
  ViewerTable t = Loaded(false);
  t.Sort(1, true);  // row 0 is now record 1
  ASSERT_TRUE(t.SetCell(0, 2, "Banka"));
  EXPECT_TRUE(t.Modified());
  ASSERT_TRUE(t.Save());
  ViewerTable again = Loaded();
  EXPECT_EQ(again.Cell(1, 2), "Banka");
  EXPECT_EQ(again.Cell(0, 2), "Pokladna");
}

}  // namespace
}  // namespace orvo::test
