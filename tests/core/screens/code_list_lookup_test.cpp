// The code-list look-ups that work without showing the window: the check,
// the column look-up table, the list of documents and the neighbour
// document; and the pick list, which shares the column look-up table.
#include "core/screens/code_list_lookup.h"

#include <gtest/gtest.h>

#include "cis_fixture.h"

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
  lookup.TestEx();
  EXPECT_EQ(handOver.CisResult, 'A');
  EXPECT_EQ(handOver.CisValues[1], "ABD");
  EXPECT_EQ(handOver.CisValues[2], "Druhy");
  EXPECT_EQ(handOver.CisValues[3], "kg");
  EXPECT_EQ(handOver.CisValues[4], "kept");
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CheckTest, TrailingBlanksOfTheValueDoNotMatter) {
  handOver.CisValues[1] = "X    ";
  lookup.TestEx();
  EXPECT_EQ(handOver.CisResult, 'A');
}

TEST_F(CheckTest, PrefixOfALongerKeyIsRejected) {
  handOver.CisValues[1] = "ABC";
  handOver.CisValues[2] = "typed";
  lookup.TestEx();
  EXPECT_EQ(handOver.CisResult, 'N');
  EXPECT_EQ(handOver.CisValues[1], "");
  EXPECT_EQ(handOver.CisValues[2], "");
  EXPECT_EQ(ui.Single(), Error("ABC-Udaj nebyl nalezen !", "Ciselnik: D:\\Cisel\\16Ucty.Cds"));
}

TEST_F(CheckTest, LeadingBlanksAreNotTheSameKey) {
  // The locate trims the parts, the acceptance does not.
  handOver.CisValues[1] = " ABD";
  handOver.CisReportMissing = 'N';
  lookup.TestEx();
  EXPECT_EQ(handOver.CisResult, 'N');
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CheckTest, SeveralKeyFieldsAreJoinedInTheMessage) {
  handOver.CisKeyCount = 2;
  handOver.CisKeyFields[1] = 3;
  handOver.CisValues[1] = "ABD";
  handOver.CisValues[3] = "ks";
  lookup.TestEx();
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
  lookup.GCisel();
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
  lookup.KCisel(1, 3);
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
  lookup.KCisel(1, 4);
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
  lookup.GCisel();
  handOver.CisKeyCount = 1;
  handOver.CisKeyFields[0] = 1;
  handOver.CisValues[1] = "311";
  lookup.KCisel(2, 1);  // item column 1 is definition field 2
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
  lookup.SezDokl();
  EXPECT_EQ(RowsOf(std::string(kSezDoklFile)),
            (std::vector<Row>{{"16", "03", "00001"}, {"16", "03", "00002"}, {"16", "03", "00003"}}));
  EXPECT_EQ(handOver.CisListFieldCount, 3);
  EXPECT_EQ(handOver.CisFileName, kPostings);
}

TEST_F(DocumentsTest, ListCarriesTheChosenFields) {
  handOver.CisListFieldCount = 2;
  handOver.CisListFields[0] = 3;
  handOver.CisListFields[1] = 1;
  lookup.SezDokl();
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
  lookup.DoklPredZa(c.direction);
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
  lookup.DoklPredZa('+');
  EXPECT_EQ(handOver.CisResult, 'N');
  EXPECT_EQ(handOver.CisValues[3], "00009");
}

}  // namespace
}  // namespace orvo::test
