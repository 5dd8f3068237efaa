// The grid data entry's model on a small layout (year and calculation in
// the header, account with its name from the chart, quantity in the rows):
// reading, saving with gaps, moving a renumbered document, the overwrite
// question, the checks, the row keys, the own file's name, the print.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "cis_fixture.h"
#include "core/output/report_file.h"
#include "core/screens/cds_dokl.h"
#include "core/sys/files.h"
#include "core/sys/text.h"

namespace orvo::test {
namespace {

// A definition line: width, "N. Name", heading, then the columns from the
// type on (type, check, KH, look-up).
std::string DefLine(int width, const std::string& name, const std::string& heading, const std::string& rest) {
  std::string w = std::to_string(width);
  return std::string(3 - w.size(), ' ') + w + " " + PadRight(name, 36) + PadRight(heading, 30) + rest + "\r\n";
}

class GridEntry : public CisTest {
 protected:
  GridEntry() : dokl(*env, cds, cis, h) {
    fs->MakeDir("D:\\Data");
    Put(kDef, "Quantities\r\n" + DefLine(2, "1. Rok", "Rok", "LNC") + DefLine(5, "2. Kalk", "Kalkulace", "LNC KH") +
                  DefLine(4, "3. Radek", "Radek", "LNC") +
                  DefLine(6, "4. Ucet", "Ucet", "PMC    P 1 2  5D:\\Cisel\\16Ucty.Cds") +
                  DefLine(20, "5. Nazev", "Nazev", "PM") + DefLine(12, "6. Mnozstvi", "Mnozstvi", "N2"));
    WriteAccounts({{"211", "Pokladna", "A"}, {"501", "Spotreba", "N"}});
    Reset();
  }
  void Reset() {
    h.Reset();
    h.DoklFile = kFile;
    h.DoklDef = kDef;
    h.DoklRows = 6;  // five item rows
    h.DoklPreset[0] = "16";
    ASSERT_TRUE(dokl.Open());
  }
  void Id(const std::string& kalk) {
    dokl.Type(-1, 1, kalk);
    ASSERT_TRUE(dokl.LeaveHeaderCell(1, false));
  }
  void Row(int row, const std::string& ucet, const std::string& qty) {
    dokl.Type(row, 1, ucet);
    EXPECT_TRUE(dokl.LeaveItemCell(row, 1)) << dokl.CodeLine();
    dokl.Type(row, 3, qty);
    EXPECT_TRUE(dokl.LeaveItemCell(row, 3)) << dokl.CodeLine();
  }
  std::vector<std::string> Trimmed(const std::string& file) {
    std::vector<std::string> out;
    for (const std::vector<std::string>& r : RowsOf(file)) {
      std::string line;
      for (const std::string& v : r) line += Trim(v) + "|";
      out.push_back(line);
    }
    return out;
  }

  static constexpr const char* kDef = "D:\\Data\\Mn.Def";
  static constexpr const char* kFile = "D:\\Data\\Mn.Cds";
  DoklHandOver h;
  TCdsDokl dokl;
};

TEST_F(GridEntry, SaveKeepsGapsAndReadPutsRowsBack) {
  Id("1");  // a new document: said once
  EXPECT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages.back().text, "Doklad s touto identifikaci nebyl nalezen !");
  EXPECT_EQ(ui.messages.back().caption, "Doklad:   16 00001");
  ASSERT_TRUE(dokl.EnterItems());
  Row(0, "211", "2,5");
  EXPECT_EQ(Trim(dokl.Grid().Cell(0, 2)), "Pokladna");  // from the chart
  Row(3, "501", "4");
  ASSERT_TRUE(dokl.Save());
  EXPECT_EQ(Trimmed(kFile), (std::vector<std::string>{"16|00001|0001|211|Pokladna|2,50|",
                                                      "16|00001|0004|501|Spotreba|4,00|"}));
  // The next Enter in the header reads nothing again.
  ui.Clear();
  Id("1");
  EXPECT_TRUE(ui.messages.empty());

  Reset();
  Id("1");
  EXPECT_TRUE(dokl.Loaded());
  EXPECT_EQ(Trim(dokl.Grid().Cell(3, 1)), "501");
  EXPECT_FALSE(dokl.Grid().RowHasData(1));
}

TEST_F(GridEntry, RenumberMovesOverwriteAsksAndAnEmptyGridSavesNothing) {
  Id("1");
  Row(0, "211", "1");
  ASSERT_TRUE(dokl.Save());
  Reset();
  Id("2");
  Row(0, "501", "2");
  ASSERT_TRUE(dokl.Save());
  const std::string both = Get(kFile);

  // Typed over a loaded document: asked, No keeps the file.
  dokl.Type(-1, 1, "1");
  dokl.Type(0, 3, "9");
  ui.answers.push_back(Answer::No);
  EXPECT_FALSE(dokl.Save());
  EXPECT_EQ(ui.messages.back().text, "Doklad s touto identifikaci jiz existuje ! Ma byt prepsan ?");
  EXPECT_EQ(Get(kFile), both);

  // A new number moves the document without a question.
  ui.Clear();
  dokl.Type(-1, 1, "00003");
  ASSERT_TRUE(dokl.Save());
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(Trimmed(kFile), (std::vector<std::string>{"16|00001|0001|211|Pokladna|1,00|",
                                                      "16|00003|0001|501|Spotreba|9|"}));

  // The number of another document typed into an empty window saves nothing.
  Reset();
  const std::string before = Get(kFile);
  dokl.Type(-1, 1, "00001");
  ASSERT_TRUE(dokl.Save());
  EXPECT_EQ(Get(kFile), before);
}

// Old code: the own file was erased before the document was written into it,
// so a save that failed cost the copy saved there before.
TEST_F(GridEntry, CopyToOwnFileReplacesTheOldCopyOnlyWhenWhole) {
  Id("1");
  Row(0, "211", "1");
  ASSERT_TRUE(dokl.Save());
  Reset();
  Id("1");
  const std::string own = dokl.OwnFileName();
  Put(own, "old copy");
  // A directory where the new copy would be written makes the save fail.
  const std::string blocker =
      Host(DirectoryOf(own)) + "/~" + FileNameOf(own) + "." + std::to_string(::getpid()) + ".tmp";
  std::filesystem::create_directories(blocker);
  EXPECT_FALSE(dokl.CopyToOwnFile(false));
  EXPECT_EQ(Get(own), "old copy");
  std::filesystem::remove(blocker);

  ui.Clear();
  EXPECT_TRUE(dokl.CopyToOwnFile(false));
  EXPECT_EQ(Trimmed(own), (std::vector<std::string>{"16|00001|0001|211|Pokladna|1,00|"}));
  EXPECT_EQ(ui.Single().text, "Doklad byl ulozen do souboru:\r\r" + own);
  EXPECT_TRUE(fs->List("D:\\Data\\~*.*").empty());
}

TEST_F(GridEntry, ChecksAndRowKeys) {
  // Header values whose digits are not above 0 are not looked up.
  for (const char* value : {"0", "00"}) {
    dokl.Type(-1, 0, value);
    EXPECT_TRUE(dokl.LeaveHeaderCell(0, false)) << value;
  }
  dokl.Type(-1, 1, "0");
  EXPECT_TRUE(dokl.LeaveHeaderCell(1, false));
  EXPECT_FALSE(dokl.EnterItems());
  EXPECT_EQ(ui.messages.back().text, "Nebyla zadana identifikace dokladu !");
  Id("5");

  dokl.Type(0, 1, "999");
  EXPECT_FALSE(dokl.LeaveItemCell(0, 1));
  EXPECT_TRUE(dokl.CodeLineError());
  EXPECT_EQ(dokl.CodeLine(), "999 - Udaj nebyl v ciselniku nalezen nebo chybna syntaxe    !");
  EXPECT_EQ(Trim(dokl.Grid().Cell(0, 1)), "999");  // the typed text stays
  EXPECT_FALSE(dokl.Close());
  EXPECT_EQ(ui.messages.back().text, "Chybne zadana data !");
  EXPECT_FALSE(dokl.Neighbour('+'));  // moving on would save unchecked data

  Row(0, "211", "1");
  EXPECT_FALSE(dokl.CopyRowAbove(0));
  EXPECT_FALSE(dokl.CopyCellAbove(0, 1));
  ASSERT_TRUE(dokl.CopyRowAbove(1));
  EXPECT_EQ(Trim(dokl.Grid().Cell(1, 2)), "Pokladna");
  EXPECT_EQ(dokl.FirstEmptyRow(), 2);
  EXPECT_EQ(dokl.Search(-1, 1, "211"), 0);
  EXPECT_EQ(dokl.Search(1, 1, "501"), -1);
  EXPECT_EQ(ui.messages.back().text, "Udaj: 501\r\r     nebol najdeny");

  // Full grid: the insertion is refused and the last row kept.
  for (int r = 2; r < 5; ++r) Row(r, "501", std::to_string(r));
  ui.Clear();
  EXPECT_FALSE(dokl.InsertRow(1));
  EXPECT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(Trim(dokl.Grid().Cell(4, 3)), "4,00");
}

TEST_F(GridEntry, OwnFileNameKeepsToTheDirectory) {
  struct Case {
    const char* kalk;
    const char* name;
  } cases[] = {{"00007", "D:\\Data\\Mn_Dokl_16_00007.Cds"}, {"..\\x", "D:\\Data\\Mn_Dokl_16____x.Cds"}};
  for (const Case& c : cases) {
    dokl.Grid().Header(1) = c.kalk;
    EXPECT_EQ(dokl.OwnFileName(), c.name) << c.kalk;
  }
}

TEST_F(GridEntry, MisplacedLinesOpenReadOnly) {
  WriteList(kFile, {{"Rok", 2}, {"Kalk", 5}, {"Radek", 4}, {"Ucet", 6}, {"Nazev", 20}, {"Mnozstvi", 12}},
            {{"16", "00001", "0002", "211", "", "1"}, {"16", "00001", "0002", "501", "", "2"},
             {"16", "00001", "0009", "501", "", "3"}});
  const std::string before = Get(kFile);
  Id("1");
  EXPECT_TRUE(dokl.ReadOnly());
  EXPECT_NE(ui.messages.back().text.find("0002, 0009"), std::string::npos) << ui.messages.back().text;
  dokl.Type(0, 3, "7");
  ASSERT_TRUE(dokl.Save());
  EXPECT_EQ(Get(kFile), before);
}

TEST_F(GridEntry, PrintListsTheRowsInBlocks) {
  Id("1");
  Row(0, "211", "2,5");
  ASSERT_TRUE(dokl.WritePrint());
  auto lines = ReadReport(*env, kCdsDoklPrintFile);
  ASSERT_TRUE(lines);
  ASSERT_GE(lines->size(), 10u);
  EXPECT_EQ((*lines)[3], "16  00001  ");
  EXPECT_EQ((*lines)[6], "Rade  Ucet    Nazev                 Mnozstvi    ");
  EXPECT_EQ((*lines)[8], "0001  211     Pokladna                      2,50");
  EXPECT_EQ(lines->back(), "\f");
}

TEST_F(GridEntry, HeaderLookUpFillsItsColumnsByKindAndHowLeft) {
  // The account in the header copies its name and kind: every value on
  // Enter for kind 'P', after a pick also for 'N', and Tab only the one
  // value into the column UlozDo.
  struct Case {
    char kind;
    enum { Enter, Tab, Pick } how;
    std::string name, druh;
  };
  const Case cases[] = {
      {'P', Case::Enter, "Pokladna", "A"},
      {'P', Case::Tab, "Pokladna", ""},
      {'N', Case::Enter, "", ""},
      {'N', Case::Pick, "Pokladna", "A"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(1, c.kind) + std::to_string(static_cast<int>(c.how)));
    Put(kDef, "Header\r\n" + DefLine(2, "1. Rok", "Rok", "LNC") + DefLine(5, "2. Kalk", "Kalkulace", "LNC") +
                  DefLine(6, "3. Ucet", "Ucet", std::string("PMC    ") + c.kind + " 2 2  4D:\\Cisel\\16Ucty.Cds") +
                  DefLine(20, "4. Nazev", "Nazev", "PM") + DefLine(1, "5. Druh", "Druh", "PM  KH") +
                  DefLine(4, "6. Radek", "Radek", "LNC") + DefLine(12, "7. Mnozstvi", "Mnozstvi", "N2"));
    Reset();
    if (c.how == Case::Pick) {
      whileShown = [&] { cis.DoubleClick(); };  // the first record, 211
      ASSERT_TRUE(dokl.ChooseHeaderCode(2));
    } else {
      dokl.Type(-1, 2, "211");
      ASSERT_TRUE(dokl.LeaveHeaderCell(2, c.how == Case::Tab));
    }
    EXPECT_EQ(dokl.CodeLine(), "211 - Pokladna A");
    EXPECT_EQ(Trim(dokl.Grid().Header(3)), c.name);
    EXPECT_EQ(Trim(dokl.Grid().Header(4)), c.druh);
  }
}

// Kind and code form the key of a list of pairs; the code column is checked
// by the pair, taken from the row from the kind column on.
class PairEntry : public GridEntry {
 protected:
  static constexpr const char* kPairs = "D:\\Cisel\\Pary.Cds";
  PairEntry() {
    WriteList(kPairs, {{"Druh", 2}, {"Kod", 4}, {"Nazev", 20}},
              {{"01", "A1", "Prvni"}, {"02", "B2", "Druha"}, {"02", "A1", "Treti"}});
    Layout(" 2");
  }
  // The layout with `keys` key fields in the code column's look-up.
  void Layout(const std::string& keys) {
    Put(kDef, "Pairs\r\n" + DefLine(2, "1. Rok", "Rok", "LNC") + DefLine(5, "2. Kalk", "Kalkulace", "LNC KH") +
                  DefLine(4, "3. Radek", "Radek", "LNC") + DefLine(2, "4. Druh", "Druh", "LNC") +
                  DefLine(4, "5. Kod", "Kod", "PMV    K" + keys + " 1  4" + kPairs) +
                  DefLine(20, "6. Nazev", "Nazev", "PM") + DefLine(12, "7. Mnozstvi", "Mnozstvi", "N2"));
    Reset();
    Id("5");
  }
  bool Pair(int row, const std::string& druh, const std::string& kod) {
    dokl.Type(row, 1, druh);
    EXPECT_TRUE(dokl.LeaveItemCell(row, 1));
    dokl.Type(row, 2, kod);
    return dokl.LeaveItemCell(row, 2);
  }
};

TEST_F(PairEntry, TheCodeIsCheckedByThePair) {
  struct Case {
    std::string druh, kod;
    bool ok;
    std::string line, cell;
  };
  const std::string refused = " - Udaj nebyl v ciselniku nalezen nebo chybna syntaxe    !";
  const Case cases[] = {
      {"1", "a1", true, "01 - A1 Prvni", "A1"},    // the kind normalised, the code upper-cased
      {"01", "B2", false, "B2" + refused, "B2"},   // each part is in the list, the pair is not
      {"02", "A1", true, "02 - A1 Treti", "A1"},   // the code alone would find the first record
      {"03", "A1", false, "A1" + refused, "A1"},   // the kind alone is not in the list
      {"", "b2", false, "b2" + refused, "b2"},     // a blank kind is a part of the key too
  };
  int row = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.druh + "/" + c.kod);
    EXPECT_EQ(Pair(row, c.druh, c.kod), c.ok);
    EXPECT_EQ(dokl.Valid(), c.ok);
    EXPECT_EQ(dokl.CodeLineError(), !c.ok);
    EXPECT_EQ(dokl.CodeLine(), c.line);
    EXPECT_EQ(Trim(dokl.Grid().Cell(row, 2)), c.cell);
    // The check copies nothing: the name stays blank.
    EXPECT_EQ(Trim(dokl.Grid().Cell(row, 3)), "");
    ++row;
  }
}

TEST_F(PairEntry, APickFillsThePairAndAKeyPastTheRecordFindsNothing) {
  whileShown = [&] {
    cis.Last();
    cis.DoubleClick();
  };
  ASSERT_TRUE(dokl.ChooseCode(0, 2));
  EXPECT_EQ(dokl.Grid().Cell(0, 1), "02");
  EXPECT_EQ(Trim(dokl.Grid().Cell(0, 2)), "A1");
  EXPECT_EQ(dokl.CodeLine(), "02 - A1 Treti");

  // Nine key fields from the kind on would run past the record's five.
  Layout(" 9");
  EXPECT_FALSE(Pair(0, "01", "A1"));
  EXPECT_TRUE(dokl.CodeLineError());
}

}  // namespace
}  // namespace orvo::test
