#include "core/data/definition.h"

#include <gtest/gtest.h>

#include "core/sys/termination.h"
#include "def_text.h"
#include "support/scratch.h"

namespace orvo::test {
namespace {

class ReadDefTest : public Scratch {
 protected:
  bool Read(const std::string& text) {
    Put("D:\\Def\\Test.Def", text);
    return ReadDef(*env, def, "D:\\Def\\Test.Def");
  }
  LoadedDef def;
};

TEST_F(ReadDefTest, ShortLinesAreSkippedWithoutNumbering) {
  std::string text = "Poznamka k definici\r\n" + WordLine(5, "1. Rok", "Rok", "PM") + "\r\n" +
                     "\r\n" + std::string(71, 'x') + "\r\n" + WordLine(3, "2. Mesic", "Mesic", "LN") +
                     "\r\n";
  ASSERT_TRUE(Read(text));
  EXPECT_EQ(def.PSl, 2);
  EXPECT_EQ(def.Word(1).LineNo, 1);
  EXPECT_EQ(def.Word(2).LineNo, 2);
  ASSERT_EQ(def.DefLines.size(), 2u);
  EXPECT_EQ(def.DefLines[1], WordLine(3, "2. Mesic", "Mesic", "LN"));
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ReadDefTest, OnlyShortLinesGiveAnEmptyDefinition) {
  ASSERT_TRUE(Read("kratky radek\r\n\r\n" + std::string(71, ' ') + "\r\n"));
  EXPECT_EQ(def.PSl, 0);
  EXPECT_EQ(def.RecLen, 0);
  EXPECT_EQ(def.KeyCount(), 0);
}

TEST_F(ReadDefTest, GapLinesMoveStartPositionsButNotRecLen) {
  ASSERT_TRUE(Read(Lines({WordLine(5, "1. A", "", "PM"), WordLine(2, "", "", "ZS"),
                          WordLine(3, "2. B", "", "PM")})));
  EXPECT_EQ(def.PSl, 2);
  EXPECT_EQ(def.Word(1).TP, 1);
  EXPECT_EQ(def.Word(2).TP, 8);
  EXPECT_EQ(def.RecLen, 8);
  EXPECT_EQ(def.Word(2).LineNo, 3);  // the gap line is counted
  EXPECT_EQ(def.DefLines.size(), 3u);
}

TEST_F(ReadDefTest, GapBeforeTheFirstWordMovesIt) {
  ASSERT_TRUE(Read(Lines({WordLine(4, "", "", "ZS"), WordLine(2, "1. A", "", "PM")})));
  EXPECT_EQ(def.Word(1).TP, 5);
}

TEST_F(ReadDefTest, KeyListStopsAtTheFirstMissingPosition) {
  ASSERT_TRUE(Read(Lines({KeyLine(2, "1. A", "PM", 2), KeyLine(2, "2. B", "PM", 4),
                          KeyLine(2, "3. C", "PM", 1), WordLine(2, "4. D", "", "PM")})));
  EXPECT_EQ(def.KeyCount(), 2);
  EXPECT_EQ(def.KeyList[0], 3);
  EXPECT_EQ(def.KeyList[1], 1);
  EXPECT_EQ(def.KeyList[2], 0);
  EXPECT_EQ(def.Word(2).KeyPos, 4);
}

TEST_F(ReadDefTest, KeyListTakesTheLowerNumberedOfEqualPositions) {
  ASSERT_TRUE(Read(Lines({KeyLine(2, "1. A", "PM", 1), KeyLine(2, "2. B", "PM", 2),
                          KeyLine(2, "3. C", "PM", 1)})));
  EXPECT_EQ(def.KeyCount(), 2);
  EXPECT_EQ(def.KeyList[0], 1);
  EXPECT_EQ(def.KeyList[1], 2);
}

TEST_F(ReadDefTest, KeyMarkerNeedsAPositionAboveZeroAndEightyColumns) {
  std::string zero = KeyLine(2, "1. A", "PM", 0);
  std::string shortLine = KeyLine(2, "2. B", "PM", 1).substr(0, 79);
  ASSERT_TRUE(Read(Lines({zero, shortLine})));
  EXPECT_EQ(def.Word(1).KeyPos, 0);
  EXPECT_EQ(def.Word(2).KeyPos, 0);
  EXPECT_EQ(def.KeyCount(), 0);
}

struct FieldNameCase {
  const char* name;
  const char* tns1;
  const char* want;
};
class FieldNameTest : public ::testing::TestWithParam<FieldNameCase> {};
TEST_P(FieldNameTest, FromNameColumn) {
  EXPECT_EQ(FieldNameOf(GetParam().tns1), GetParam().want);
}
INSTANTIATE_TEST_SUITE_P(
    Def, FieldNameTest,
    ::testing::Values(FieldNameCase{"number_and_stop", "3. Ucet", "Ucet"},
                      FieldNameCase{"two_digits", "12. Nazev uctu", "Nazev uctu"},
                      FieldNameCase{"no_stop_loses_first_character", "Ucet", "cet"},
                      FieldNameCase{"stop_without_blank_loses_a_character", "3.Ucet", "cet"},
                      FieldNameCase{"cut_to_25", "1. abcdefghijklmnopqrstuvwxyz0123",
                                    "abcdefghijklmnopqrstuvwxy"},
                      FieldNameCase{"blank_column", "", ""},
                      FieldNameCase{"trailing_blanks", " 4. Mesic            ", "Mesic"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ReadDefTest, HeadingIsPaddedOrCutToLengthPlusOne) {
  ASSERT_TRUE(Read(Lines({WordLine(8, "1. A", "Castka", "N2"),
                          WordLine(60, "2. B", "Dlouhy nadpis sloupce", "PM"),
                          WordLine(0, "3. C", "Nic", "PM"),
                          WordLine(3, "4. D", "Nazev uctu", "PM")})));
  EXPECT_EQ(def.Word(1).Heading, "Castka   ");
  EXPECT_EQ(def.Word(2).Heading.size(), 51u);
  EXPECT_EQ(def.Word(2).Heading, "Dlouhy nadpis sloupce" + std::string(30, ' '));
  EXPECT_EQ(def.Word(3).Heading, "N");
  EXPECT_EQ(def.Word(4).Heading, "Naze");
  EXPECT_EQ(def.Word(3).TD, 0);
}

TEST_F(ReadDefTest, CodeListNameWithAndWithoutTheAtForm) {
  auto withCis = [](std::string tns1, std::string cis) {
    std::string line = WordLine(6, tns1, "", "LN");
    At(line, 86, cis);
    return line;
  };
  std::string exactly85 = WordLine(6, "5. E", "", "LN");
  At(exactly85, 85, "X");
  ASSERT_TRUE(Read(Lines({withCis("1. A", "@1UctOsn.Cds"), withCis("2. B", "@3 Uct Osn.Cds"),
                          withCis("3. C", "@4UctOsn.Cds"), withCis("4. D", "Cis Cin.Cds"),
                          exactly85})));
  EXPECT_EQ(def.Word(1).JmSCis, "UctOsn.Cds");
  EXPECT_EQ(def.Word(2).JmSCis, "UctOsn.Cds");
  EXPECT_EQ(def.Word(3).JmSCis, "");
  EXPECT_EQ(def.Word(4).JmSCis, "CisCin.Cds");
  EXPECT_EQ(def.Word(5).JmSCis, "");
}

TEST_F(ReadDefTest, LookUpModeAndItsNumbersNeedMoreThan85Columns) {
  std::string full = WordLine(6, "1. Ucet", "", "LN", "V");
  At(full, 78, "P");
  At(full, 79, " 3");
  At(full, 81, "02");
  At(full, 83, "  5");
  At(full, 86, "UctOsn.Cds");
  std::string cut = full.substr(0, 85);
  ASSERT_TRUE(Read(Lines({full, cut})));
  const DefWord& w = def.Word(1);
  EXPECT_EQ(w.IP, 'P');
  EXPECT_EQ(w.IndUlozP, 3);
  EXPECT_EQ(w.UlozZ, 2);
  EXPECT_EQ(w.UlozDo, 5);
  EXPECT_EQ(w.SP, 'V');
  EXPECT_EQ(def.Word(2).IP, ' ');
  EXPECT_EQ(def.Word(2).IndUlozP, 0);
}

TEST_F(ReadDefTest, HeaderPartMemoAndAlternativeName) {
  std::string kh1 = WordLine(2, "1. A", "", "PM", "  KH");
  std::string kh2 = WordLine(2, "2. B", "", "PM", "  KH");
  std::string memo = WordLine(40, "3. Poznamka", "", "ME");
  At(memo, 141, "ALT NAME  ");
  std::string shortTw = WordLine(2, "4. D", "", "PM");
  At(shortTw, 140, "X");
  ASSERT_TRUE(Read(Lines({kh1, kh2, memo, shortTw})));
  EXPECT_EQ(def.HeaderCount, 2);
  EXPECT_EQ(def.ItemCount, 2);
  EXPECT_TRUE(def.HasMemo);
  EXPECT_EQ(def.Word(3).JmPole, "ALTNAME");
  EXPECT_EQ(def.Word(4).JmPole, "");
}

TEST_F(ReadDefTest, NumericColumnsKeepOnlyDigitsAndMinus) {
  std::string line = WordLine(0, "1. A", "", "PM");
  At(line, 1, "1a2");
  std::string blank = WordLine(0, "2. B", "", "PM");
  At(blank, 1, "   ");
  ASSERT_TRUE(Read(Lines({line, blank})));
  EXPECT_EQ(def.Word(1).TD, 12);
  EXPECT_EQ(def.Word(2).TD, 0);
}

TEST_F(ReadDefTest, LineFeedOnlyEndingsAreRead) {
  ASSERT_TRUE(Read(WordLine(5, "1. A", "", "PM") + "\n" + WordLine(3, "2. B", "", "PM")));
  EXPECT_EQ(def.PSl, 2);
  EXPECT_EQ(def.RecLen, 8);
}

TEST_F(ReadDefTest, MissingFileIsReportedAndLeavesTheDefinitionCleared) {
  ASSERT_TRUE(Read(Lines({WordLine(5, "1. A", "", "PM")})));
  EXPECT_FALSE(ReadDef(*env, def, "D:\\Def\\Chybi.Def"));
  EXPECT_EQ(ui.Single(), Info("Soubor nebyl nalezen", "D:\\Def\\Chybi.Def"));
  EXPECT_EQ(def.PSl, 0);
  EXPECT_TRUE(def.words.empty());
  EXPECT_TRUE(def.DefLines.empty());
}

TEST_F(ReadDefTest, RecordOver5000IsReportedAndEndsTheApplicationAfterReading) {
  std::string text;
  for (int i = 0; i < 6; ++i) text += WordLine(999, std::to_string(i + 1) + ". W", "", "PM") + "\r\n";
  Put("D:\\Def\\Big.Def", text);
  EXPECT_THROW(ReadDef(*env, def, "D:\\Def\\Big.Def"), Termination);
  EXPECT_EQ(ui.Single(),
            Info("Veta obsahuje vice nez 5000 znaku !", "Soubor nelze pouzit pro dalsi operace"));
  EXPECT_EQ(def.PSl, 6);  // read to its end
  EXPECT_EQ(def.RecLen, 5994);
}

TEST_F(ReadDefTest, MoreThan200WordsAreRefused) {
  std::string text;
  for (int i = 0; i < 201; ++i) text += WordLine(1, std::to_string(i + 1) + ". W", "", "PM") + "\r\n";
  EXPECT_FALSE(Read(text));
  EXPECT_EQ(ui.Single(), Info("Soubor:\r\r\"D:\\Def\\Test.Def\"\r\r     - obsahuje vice nez 200 radku !",
                              "Soubor nelze pouzit pro dalsi operace"));
  EXPECT_EQ(def.PSl, 0);
}

TEST_F(ReadDefTest, MoreThan200CountedLinesAreRefusedGapsIncluded) {
  std::string text;
  for (int i = 0; i < 150; ++i) text += WordLine(1, std::to_string(i + 1) + ". W", "", "PM") + "\r\n";
  for (int i = 0; i < 51; ++i) text += WordLine(1, "", "", "ZS") + "\r\n";
  EXPECT_FALSE(Read(text));
  EXPECT_EQ(ui.Single(), Info("Soubor:\r\r\"D:\\Def\\Test.Def\"\r\r     - obsahuje vice nez 200 radku !",
                              "Soubor nelze pouzit pro dalsi operace"));
  EXPECT_EQ(def.PSl, 0);
  EXPECT_TRUE(def.DefLines.empty());
}

TEST_F(ReadDefTest, ExactlyTwoHundredWordsAreRead) {
  std::string text;
  // Key positions have two columns, so 99 is the longest key.
  for (int i = 0; i < 200; ++i) {
    text += KeyLine(1, std::to_string(i + 1) + ". W", "PM", i < 99 ? i + 1 : 0) + "\r\n";
  }
  ASSERT_TRUE(Read(text));
  EXPECT_EQ(def.PSl, 200);
  EXPECT_EQ(def.RecLen, 200);
  EXPECT_EQ(def.KeyCount(), 99);
  EXPECT_EQ(def.KeyList[98], 99);
}

TEST_F(ReadDefTest, NegativeLengthIsRefused) {
  std::string line = WordLine(0, "1. A", "", "PM");
  At(line, 1, " -5");
  EXPECT_FALSE(Read(Lines({WordLine(2, "1. A", "", "PM"), line})));
  EXPECT_EQ(ui.Single(),
            Info("Soubor:\r\r\"D:\\Def\\Test.Def\"\r\r     - zaporna delka slova na radku 2 !",
                 "Soubor nelze pouzit pro dalsi operace"));
  EXPECT_EQ(def.PSl, 0);
}

}  // namespace
}  // namespace orvo::test
