// The operations of the code-list window that work without showing it: the
// check, the column look-up table, the list of documents and the neighbour
// document; and the listing's pages.
#include <gtest/gtest.h>

#include "cis_fixture.h"
#include "core/screens/code_list_listing.h"

namespace orvo::test {
namespace {

// --- the check -----------------------------------------------------------------

class CheckTest : public CisTest {
 protected:
  CheckTest() {
    WriteList(kList, {{"Kod", 5}, {"Nazev", 10}, {"MJ", 3}},
              {{"ABC1", "Prvni", "ks"}, {"ABD", "Druhy", "kg"}, {"X", "Treti", "m"}});
    handOver.CisFileName = kList;
    handOver.CisKeyCount = 1;
    handOver.CisKeyFields[0] = 1;
  }
};

TEST_F(CheckTest, ExactKeyIsAcceptedWithAllItsFields) {
  handOver.CisValues[1] = "ABD";
  handOver.CisValues[4] = "kept";
  cis.TestEx();
  EXPECT_EQ(handOver.CisResult, 'A');
  EXPECT_EQ(handOver.CisValues[1], "ABD");
  EXPECT_EQ(handOver.CisValues[2], "Druhy");
  EXPECT_EQ(handOver.CisValues[3], "kg");
  EXPECT_EQ(handOver.CisValues[4], "kept");
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CheckTest, TrailingBlanksOfTheValueDoNotMatter) {
  handOver.CisValues[1] = "X    ";
  cis.TestEx();
  EXPECT_EQ(handOver.CisResult, 'A');
}

TEST_F(CheckTest, PrefixOfALongerKeyIsRejected) {
  handOver.CisValues[1] = "ABC";
  handOver.CisValues[2] = "typed";
  cis.TestEx();
  EXPECT_EQ(handOver.CisResult, 'N');
  EXPECT_EQ(handOver.CisValues[1], "");
  EXPECT_EQ(handOver.CisValues[2], "");
  EXPECT_EQ(ui.Single(), Error("ABC-Udaj nebyl nalezen !", "Ciselnik: D:\\Cisel\\16Ucty.Cds"));
}

TEST_F(CheckTest, LeadingBlanksAreNotTheSameKey) {
  // The locate trims the parts, the acceptance does not.
  handOver.CisValues[1] = " ABD";
  handOver.CisReportMissing = 'N';
  cis.TestEx();
  EXPECT_EQ(handOver.CisResult, 'N');
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CheckTest, SeveralKeyFieldsAreJoinedInTheMessage) {
  handOver.CisKeyCount = 2;
  handOver.CisKeyFields[1] = 3;
  handOver.CisValues[1] = "ABD";
  handOver.CisValues[3] = "ks";
  cis.TestEx();
  EXPECT_EQ(handOver.CisResult, 'N');
  EXPECT_EQ(ui.Single(), Error("ABD+ks-Udaj nebyl nalezen !", "Ciselnik: D:\\Cisel\\16Ucty.Cds"));
}

// --- the column look-up table ----------------------------------------------------

std::string DefLine(int td, const std::string& name, const std::string& list) {
  char head[8];
  std::snprintf(head, sizeof head, "%3d ", td);
  std::string line = std::string(head) + name;
  line.resize(70, ' ');
  line += "PM";
  if (!list.empty()) {
    line.resize(85, ' ');
    line += list;
  }
  return line + "\r\n";
}

TEST_F(CisTest, ColumnListsComeFromTheLoadedDefinition) {
  Put("C:\\A_Run\\Work\\Dokl.Def",
      DefLine(2, "1. Zavod", "") +
          DefLine(6, "2. Ucet", "  d:\\A_Run\\Aplikace\\LOrvo\\Cisel\\Ucty.Cds") +
          DefLine(5, "3. Cinnost", "E:\\Data\\Cinn.Cds") + DefLine(15, "4. Konto", "CdsCisVolitelny"));
  ASSERT_TRUE(ReadDef(*env, def, "C:\\A_Run\\Work\\Dokl.Def"));
  handOver.CisColumnLists[5] = {9, "stale"};
  cis.GCisel();
  EXPECT_EQ(handOver.CisColumnLists[0].field, 2);
  EXPECT_EQ(handOver.CisColumnLists[0].file, "C:\\A_Run\\Aplikace\\LOrvo\\Cisel\\Ucty.Cds");
  EXPECT_EQ(handOver.CisColumnLists[1].field, 3);
  EXPECT_EQ(handOver.CisColumnLists[1].file, "E:\\Data\\Cinn.Cds");
  EXPECT_EQ(handOver.CisColumnLists[2].field, 4);
  EXPECT_EQ(handOver.CisColumnLists[3].field, 0);
  EXPECT_EQ(handOver.CisColumnLists[5].field, 0);
}

TEST_F(CisTest, ColumnWithoutAListHasNothingToCheckOrPick) {
  handOver.CisHasList = 'A';
  handOver.CisResult = 'A';
  cis.KCisel(1, 3);
  EXPECT_EQ(handOver.CisHasList, 'N');
  cis.VCisel(1, 3);
  EXPECT_EQ(handOver.CisResult, 'N');
  EXPECT_EQ(shown, 0);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CisTest, OptionalCodeListIsNamedButNotThere) {
  handOver.CisColumnLists[0] = {4, "CdsCisVolitelny"};
  cis.VCisel(1, 4);
  EXPECT_EQ(ui.Single(), Info("Nebyl zadan volitelny ciselnik"));
  EXPECT_EQ(shown, 0);
  ui.Clear();
  cis.KCisel(1, 4);
  EXPECT_EQ(handOver.CisHasList, 'A');
  EXPECT_EQ(handOver.CisResult, 'N');
  EXPECT_EQ(ui.Single(), Error("Nebyl zadan volitelny ciselnik"));
}

TEST_F(CisTest, ItemColumnsCountAfterTheHeaderFields) {
  WriteAccounts({{"311", "Odberatele", "A"}});
  // The header part is the first word: "KH" in columns 75-76 of its line.
  std::string defText = DefLine(2, "1. Zavod", "");
  defText.replace(defText.size() - 2, 2, "  KH\r\n");
  defText += DefLine(6, "2. Ucet", kList);
  Put("C:\\A_Run\\Work\\Dokl.Def", defText);
  ASSERT_TRUE(ReadDef(*env, def, "C:\\A_Run\\Work\\Dokl.Def"));
  ASSERT_EQ(def.HeaderCount, 1);
  cis.GCisel();
  handOver.CisKeyCount = 1;
  handOver.CisKeyFields[0] = 1;
  handOver.CisValues[1] = "311";
  cis.KCisel(2, 1);  // item column 1 is definition field 2
  EXPECT_EQ(handOver.CisHasList, 'A');
  EXPECT_EQ(handOver.CisResult, 'A');
  EXPECT_EQ(handOver.CisValues[2], "Odberatele");

  handOver.CisEditAllowed = 'N';
  whileShown = [&] {
    EXPECT_TRUE(cis.PickMode());
    cis.Last();
    cis.DoubleClick();
  };
  cis.VCisel(2, 1);
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(handOver.CisResult, 'A');
  EXPECT_EQ(handOver.CisValues[1], "311");
}

// --- documents -------------------------------------------------------------------

class DocumentsTest : public CisTest {
 protected:
  static constexpr const char* kPostings = "D:\\Cisel\\1603UctO.Cds";
  DocumentsTest() {
    // Document rows: year, month, document number, row, text; out of order.
    WriteList(kPostings, {{"Rok", 2}, {"Mesic", 2}, {"CisDokl", 5}, {"Radek", 4}, {"Text", 10}},
              {{"16", "03", "00002", "0001", "b1"},
               {"16", "03", "00001", "0001", "a1"},
               {"16", "03", "00003", "0001", "c1"},
               {"16", "03", "00001", "0002", "a2"},
               {"16", "03", "00002", "0002", "b2"}});
    handOver.CisFileName = kPostings;
    handOver.CisKeyCount = 3;
    for (int k = 0; k < 3; ++k) handOver.CisKeyFields[static_cast<size_t>(k)] = k + 1;
  }
  void Document(const std::string& number) {
    handOver.CisValues[1] = "16";
    handOver.CisValues[2] = "03";
    handOver.CisValues[3] = number;
  }
};

TEST_F(DocumentsTest, ListHoldsEachDocumentOnce) {
  cis.SezDokl();
  EXPECT_EQ(RowsOf(std::string(kSezDoklFile)),
            (std::vector<Row>{{"16", "03", "00001"}, {"16", "03", "00002"}, {"16", "03", "00003"}}));
  EXPECT_EQ(handOver.CisListFieldCount, 3);
  EXPECT_EQ(handOver.CisFileName, kPostings);
}

TEST_F(DocumentsTest, ListCarriesTheChosenFields) {
  handOver.CisListFieldCount = 2;
  handOver.CisListFields[0] = 3;
  handOver.CisListFields[1] = 1;
  cis.SezDokl();
  EXPECT_EQ(RowsOf(std::string(kSezDoklFile)),
            (std::vector<Row>{{"00001", "16"}, {"00002", "16"}, {"00003", "16"}}));
}

struct NeighbourCase {
  const char* name;
  const char* document;
  char direction;
  const char* expected;
};

class NeighbourTest : public DocumentsTest, public ::testing::WithParamInterface<NeighbourCase> {};

TEST_P(NeighbourTest, StepsToTheNeighbourOrStays) {
  const NeighbourCase& c = GetParam();
  Document(c.document);
  cis.DoklPredZa(c.direction);
  EXPECT_EQ(handOver.CisResult, 'A');
  EXPECT_EQ(handOver.CisValues[3], c.expected);
  EXPECT_EQ(handOver.CisValues[1], "16");
}

INSTANTIATE_TEST_SUITE_P(Documents, NeighbourTest,
                         ::testing::Values(NeighbourCase{"previous", "00002", '-', "00001"},
                                           NeighbourCase{"next", "00002", '+', "00003"},
                                           NeighbourCase{"before_the_first", "00001", '-', "00001"},
                                           NeighbourCase{"after_the_last", "00003", '+', "00003"},
                                           NeighbourCase{"trailing_blanks", "00001  ", '+', "00002"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DocumentsTest, UnknownDocumentHasNoNeighbour) {
  Document("00009");
  handOver.CisResult = 'A';
  cis.DoklPredZa('+');
  EXPECT_EQ(handOver.CisResult, 'N');
  EXPECT_EQ(handOver.CisValues[3], "00009");
}

// --- the listing's pages ---------------------------------------------------------

struct PageCase {
  const char* name;
  int rows;
  int records;
  int pages;
};

class ListingPagesTest : public CisTest, public ::testing::WithParamInterface<PageCase> {};

TEST_P(ListingPagesTest, FirstPageBeginsWithItsHeading) {
  const PageCase& c = GetParam();
  std::vector<Row> rows;
  for (int i = 0; i < c.records; ++i) rows.push_back({std::to_string(100 + i), "Nazev", "A"});
  WriteAccounts(rows);
  Dataset table(*env);
  ASSERT_TRUE(table.LoadFromFile(kList));
  std::string text = CodeListListing(*env, table, kList, c.rows);
  EXPECT_EQ(text.rfind("\r\n\r\n  Zobrazeni/opis souboru:  D:\\Cisel\\16Ucty.Cds", 0), 0u) << text;
  EXPECT_NE(text.find("  STR:   1\r\n\r\n  Ucet    Nazev uctu            D\r\n\r\n\r\n"),
            std::string::npos);
  int pages = 1;
  for (size_t at = text.find("\r\n\f\r\n"); at != std::string::npos; at = text.find("\r\n\f\r\n", at + 1)) {
    ++pages;
    // Every later page: the form feed, an empty line, the title.
    EXPECT_EQ(text.substr(at + 5, 2), "\r\n");
    EXPECT_EQ(text.substr(at + 7, 27), "  Zobrazeni/opis souboru:  ");
  }
  EXPECT_EQ(pages, c.pages);
  EXPECT_NE(text.find("STR:" + std::string(4 - std::to_string(c.pages).size(), ' ') +
                      std::to_string(c.pages)),
            std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Rows, ListingPagesTest,
                         ::testing::Values(PageCase{"one_row_a_page", 1, 3, 3},
                                           PageCase{"smaller_than_the_heading", 7, 3, 3},
                                           PageCase{"heading_and_one_line", 8, 3, 3},
                                           PageCase{"heading_and_two_lines", 9, 5, 3},
                                           PageCase{"all_on_one_page", 150, 142, 1},
                                           PageCase{"second_page", 150, 144, 2},
                                           PageCase{"empty_list", 80, 0, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CisTest, ListingTitleIsPaddedToAWideColumnLine) {
  WriteList(kList, {{"Ucet", 6}, {"Dlouhy nazev", 90}}, {{"311", "x"}});
  Dataset table(*env);
  ASSERT_TRUE(table.LoadFromFile(kList));
  std::string text = CodeListListing(*env, table, "Ucty.Cds", 80);
  std::string columns = "  Ucet    Dlouhy nazev";
  columns.resize(2 + 8 + 90, ' ');
  const std::string title = "  Zobrazeni/opis souboru:  Ucty.Cds     15.03.2016  10:20:30";
  std::string expectedTitle = title;
  expectedTitle.resize(columns.size(), ' ');
  EXPECT_NE(text.find("\r\n" + expectedTitle + "  STR:   1\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\r\n" + columns + "\r\n"), std::string::npos) << text;
}

}  // namespace
}  // namespace orvo::test
