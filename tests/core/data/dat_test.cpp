#include "core/data/dat_file.h"

#include <gtest/gtest.h>

#include "core/data/dat_cds.h"
#include "core/data/dat_proc.h"
#include "ops_fixture.h"

namespace orvo::test::ops {
namespace {

constexpr const char* kDat = "C:\\A_Run\\Work\\T.Dat";
constexpr const char* kDef = "C:\\A_Run\\Work\\T.Def";

class DatTest : public OpsTest {
 protected:
  // Three words: text 3, text 2, amount N2 of 8.
  void ThreeWords() { WriteDef(kDef, {{3, "Ucet"}, {2, "Str"}, {8, "Castka", "N2"}}); }
  std::string Record(std::string_view ucet, std::string_view str, std::string_view castka) {
    return PadRight(ucet, 3) + PadRight(str, 2) + PadLeft(castka, 8);
  }
  static std::string PadRight(std::string_view s, size_t n) {
    std::string r(s);
    r.resize(n, ' ');
    return r;
  }
  static std::string PadLeft(std::string_view s, size_t n) {
    return std::string(n > s.size() ? n - s.size() : 0, ' ') + std::string(s);
  }
};

TEST_F(DatTest, SizeThatIsNoWholeNumberOfRecordsIsRefused) {
  WriteDef(kDef, {{100, "A"}, {100, "B"}, {100, "C"}});
  Put(kDat, std::string(1000, 'x'));
  DatFile f;
  EXPECT_FALSE(OpenDat(*env, def, f, kDat, kDef));
  EXPECT_EQ(ui.Single(), Error("Datovy soubor:  C:\\A_Run\\Work\\T.Dat\rDefinicni soubor:  "
                               "C:\\A_Run\\Work\\T.Def\r\rDelka vety souboru se nerovna vypoctene delce"));
  EXPECT_FALSE(f.IsOpen());

  ui.Clear();
  Put(kDat, std::string(900, 'x'));
  ASSERT_TRUE(OpenDat(*env, def, f, kDat, kDef));
  EXPECT_EQ(f.RecCount, 3);
  EXPECT_EQ(f.RecLen, 300);
  EXPECT_EQ(f.PSl, 3);
  EXPECT_EQ(f.TP[3], 201);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_TRUE(CloseDat(f));
}

TEST_F(DatTest, MissingDataFileFailsQuietlyAndMissingDefinitionSaysSo) {
  ThreeWords();
  DatFile f;
  EXPECT_FALSE(OpenDat(*env, def, f, "C:\\A_Run\\Work\\None.Dat", kDef));
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_FALSE(OpenDat(*env, def, f, kDat, "C:\\A_Run\\Work\\None.Def"));
  EXPECT_EQ(ui.Single(), Error("Soubor:\r\r\"C:\\A_Run\\Work\\None.Def\"\r\r     - nebyl nalezen !"));
}

TEST_F(DatTest, ControlBytesReadAsBlanks) {
  ThreeWords();
  Put(kDat, "1\t2AB\r\n  1,50" + Record("311", "01", "2,00"));
  DatFile f;
  ASSERT_TRUE(OpenDat(*env, def, f, kDat, kDef));
  std::string buf;
  ASSERT_TRUE(ReadRec(f, buf));
  EXPECT_EQ(buf, "1 2AB    1,50");
  EXPECT_EQ(GetWord(f, 1, buf), "1 2");
  EXPECT_EQ(GetWord(f, 3, buf), "    1,50");
  ASSERT_TRUE(ReadRec(f, buf));
  EXPECT_EQ(GetWord(f, 2, buf), "01");
  EXPECT_FALSE(ReadRec(f, buf));
  ASSERT_TRUE(ReadRecAt(f, 0, buf));
  EXPECT_EQ(GetWord(f, 2, buf), "AB");
  EXPECT_FALSE(ReadRecAt(f, 2, buf));
  CloseDat(f);
}

TEST_F(DatTest, PutWordFillsAndCuts) {
  ThreeWords();
  DatFile f;
  ASSERT_TRUE(CreateDat(*env, def, f, kDat, kDef));
  std::string buf(13, '.');
  PutWord(f, "31156", 1, buf);
  PutWord(f, "A", 2, buf);
  EXPECT_EQ(buf, "311A ........");
  EXPECT_EQ(GetWord(f, 4, buf), "");  // no such word
  CloseDat(f);
}

TEST_F(DatTest, WrittenFileAppearsWhenClosed) {
  ThreeWords();
  Put(kDat, "old contents!");
  DatFile f;
  ASSERT_TRUE(CreateDat(*env, def, f, kDat, kDef));
  EXPECT_EQ(Get(kDat), "old contents!");  // the old file stays until the new one is committed
  EXPECT_TRUE(WriteRec(f, Record("311", "01", "1,00")));
  EXPECT_TRUE(WriteRec(f, "5"));  // short: filled with blanks
  EXPECT_TRUE(CloseDat(f));
  EXPECT_EQ(Get(kDat), Record("311", "01", "1,00") + "5            ");
}

TEST_F(DatTest, GatherReadsInAnyOrderWithASmallWindow) {
  ThreeWords();
  std::string all;
  for (int i = 0; i < 10; ++i) all += Record(std::to_string(100 + i), "", "");
  Put(kDat, all);
  DatFile f;
  ASSERT_TRUE(OpenDat(*env, def, f, kDat, kDef));
  const std::vector<uint32_t> order = {9, 0, 5, 3, 7};
  std::string got;
  ASSERT_TRUE(GatherDat(f, order, [&](size_t, std::string_view rec) {
    got += std::string(rec.substr(0, 3)) + ",";
    return true;
  }, 13 * 2));
  EXPECT_EQ(got, "109,100,105,103,107,");
  const std::vector<uint32_t> twice = {1, 1};
  EXPECT_FALSE(GatherDat(f, twice, [](size_t, std::string_view) { return true; }));
  CloseDat(f);
}

// --- SortDat and SumDat -------------------------------------------------------

class DatProcTest : public DatTest {
 protected:
  void SetList(std::vector<int> words) {
    dat.params.PocSlov = static_cast<int>(words.size());
    for (size_t i = 0; i < words.size(); ++i) dat.params.SezSlov[i] = words[i];
  }
  void Params(std::string_view out, std::string_view outDef) {
    dat.params.DatIn = kDat;
    dat.params.DatInDef = kDef;
    dat.params.DatOut = std::string(out);
    dat.params.DatOutDef = std::string(outDef);
    dat.params.SortBlock = 2000;
    dat.params.SortMode = 2;
  }
};

TEST_F(DatProcTest, SortDatWithoutWordsSaysSoAndWritesNothing) {
  ThreeWords();
  Put(kDat, Record("311", "01", "1,00"));
  Params("C:\\A_Run\\Work\\O.Dat", "C:\\A_Run\\Work\\O.Def");
  SetList({});
  EXPECT_FALSE(dat.SortDat());
  EXPECT_EQ(ui.Single(), Error("Nebyl zadan seznam slov pro vytvoreni nove vety !"));
  EXPECT_FALSE(Exists("C:\\A_Run\\Work\\O.Dat"));
  EXPECT_FALSE(Exists("C:\\A_Run\\Work\\O.Def"));
}

TEST_F(DatProcTest, SortDatPutsTheListedWordsFirst) {
  ThreeWords();
  Put(kDat, Record("311", "02", "1,00") + Record("211", "01", "2,00") + Record("111", "02", "3,00") +
                Record("411", "01", "4,00"));
  Params("C:\\A_Run\\Work\\O.Dat", "C:\\A_Run\\Work\\O.Def");
  SetList({2, 1});
  ASSERT_TRUE(dat.SortDat());
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(Get("C:\\A_Run\\Work\\O.Dat"), "01211    2,00"
                                           "01411    4,00"
                                           "02111    3,00"
                                           "02311    1,00");
  EXPECT_EQ(Get("C:\\A_Run\\Work\\O.Def"), DefLine(2, {2, "Str"}) + "\r\n" + DefLine(1, {3, "Ucet"}) + "\r\n" +
                                               DefLine(3, {8, "Castka", "N2"}) + "\r\n");
}

TEST_F(DatProcTest, SortDatRefusesAWordThatIsNotThere) {
  ThreeWords();
  Put(kDat, Record("311", "02", "1,00"));
  Params("C:\\A_Run\\Work\\O.Dat", "C:\\A_Run\\Work\\O.Def");
  SetList({4});
  EXPECT_FALSE(dat.SortDat());
  EXPECT_EQ(ui.Single(), Info("Cislo slova 4 v seznamu slov neni mezi 1 a 3 !", "Soubor: C:\\A_Run\\Work\\T.Dat"));
  EXPECT_FALSE(Exists("C:\\A_Run\\Work\\O.Dat"));
}

TEST_F(DatProcTest, SumDatDropsGroupsThatSumToZero) {
  ThreeWords();
  Put(kDat, Record("X", "a", "1,00") + Record("Y", "b", "2,50") + Record("X", "c", "-1,00"));
  Params("C:\\A_Run\\Work\\S.Dat", "C:\\A_Run\\Work\\S.Def");
  SetList({1});
  ASSERT_TRUE(dat.SumDat());
  EXPECT_TRUE(ui.messages.empty());
  // The key, then the numeric words; the other text word is dropped.
  EXPECT_EQ(Get("C:\\A_Run\\Work\\S.Dat"), "Y      2,50");
  EXPECT_EQ(Get("C:\\A_Run\\Work\\S.Def"), DefLine(1, {3, "Ucet"}) + "\r\n" + DefLine(3, {8, "Castka", "N2"}) + "\r\n");
  EXPECT_FALSE(Exists(kDatProcWorkDat));
  EXPECT_FALSE(Exists(kDatProcWorkDef));
}

TEST_F(DatProcTest, SumDatAddsUpEveryNumericWordPerKey) {
  WriteDef(kDef, {{2, "A"}, {6, "Mn", "N0"}, {2, "B"}, {8, "Kc", "N2"}});
  Put(kDat, "02     1x     1,25"
            "01     2y     2,25"
            "02     3z    -0,25"
            "01      w    -2,25");
  Params("C:\\A_Run\\Work\\S.Dat", "C:\\A_Run\\Work\\S.Def");
  SetList({1});
  ASSERT_TRUE(dat.SumDat());
  EXPECT_EQ(Get("C:\\A_Run\\Work\\S.Dat"), "01     2        "
                                           "02     4    1,00");
}

TEST_F(DatProcTest, SumDatRefusesMoreNumericWordsThanItsTable) {
  std::vector<Word> words = {{2, "Klic"}};
  for (int i = 0; i < 101; ++i) words.push_back({1, "N" + std::to_string(i), "N0"});
  WriteDef(kDef, words);
  Put(kDat, std::string(103, '1'));
  Params("C:\\A_Run\\Work\\S.Dat", "C:\\A_Run\\Work\\S.Def");
  SetList({1});
  EXPECT_FALSE(dat.SumDat());
  EXPECT_EQ(ui.Single(), Info("Veta obsahuje 101 ciselnych slov, secist lze nejvice 100 !",
                              "Soubor: C:\\A_Run\\Work\\T.Dat"));
  EXPECT_FALSE(Exists("C:\\A_Run\\Work\\S.Dat"));
  EXPECT_FALSE(Exists(kDatProcWorkDat));

  // One of them in the key leaves 100 to sum: accepted.
  ui.Clear();
  SetList({1, 2});
  EXPECT_TRUE(dat.SumDat());
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(DatProcTest, SumDatRefusesAListLongerThanItsTable) {
  ThreeWords();
  Put(kDat, Record("X", "a", "1,00"));
  Params("C:\\A_Run\\Work\\S.Dat", "C:\\A_Run\\Work\\S.Def");
  dat.params.PocSlov = 201;
  EXPECT_FALSE(dat.SumDat());
  EXPECT_EQ(ui.Single(), Info("Seznam slov obsahuje 201 slov, nejvice lze 200 !", "Soubor: C:\\A_Run\\Work\\T.Dat"));
  EXPECT_FALSE(Exists("C:\\A_Run\\Work\\S.Dat"));
}

TEST_F(DatProcTest, SumDatRefusesASumTooWideForItsWord) {
  // Cutting "100000000" to 8 characters would keep a wrong number.
  ThreeWords();
  Put(kDat, Record("X", "a", "99999999") + Record("X", "b", "1,00"));
  Params("C:\\A_Run\\Work\\S.Dat", "C:\\A_Run\\Work\\S.Def");
  SetList({1});
  EXPECT_FALSE(dat.SumDat());
  EXPECT_EQ(ui.Single(), Info("Soucet slova Castka\r\r100000000\r\rse nevejde do delky slova !",
                              "Soubor: C:\\A_Run\\Work\\T.Dat"));
  EXPECT_FALSE(Exists("C:\\A_Run\\Work\\S.Dat"));
  EXPECT_FALSE(Exists(kDatProcWorkDat));
}

// --- KonvCdsDat and KonvDatCds --------------------------------------------------

class KonvTest : public DatTest {
 protected:
  void Names(std::string_view cdsName) {
    cds.params.CdsName = std::string(cdsName);
    cds.params.DefName = kDef;
    cds.params.DatName = kDat;
  }
};

TEST_F(KonvTest, CdsToDatFillsEveryWord) {
  ThreeWords();
  WriteCds("C:\\A_Run\\Work\\T.Cds", {{"Ucet", FieldType::Text, 3}, {"Str", FieldType::Text, 2}, {"Castka", FieldType::Text, 8}},
           {{"311", "1", "  1,00"}, {"2", "", "12345,00"}});
  Names("C:\\A_Run\\Work\\T.Cds");
  ASSERT_TRUE(KonvCdsDat(cds));
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(Get(kDat), "3111   1,00  "
                       "2    12345,00");
}

TEST_F(KonvTest, CdsToDatRefusesANonTextField) {
  ThreeWords();
  Put(kDat, "earlier");
  WriteCds("C:\\A_Run\\Work\\T.Cds", {{"Ucet", FieldType::Text, 3}, {"Str", FieldType::Text, 2}, {"Castka", FieldType::Float, 0}},
           {{"311", "1", "1,5"}});
  Names("C:\\A_Run\\Work\\T.Cds");
  EXPECT_FALSE(KonvCdsDat(cds));
  EXPECT_EQ(ui.Single(), Info("Konverzi nelze provest !", "Soubor:  C:\\A_Run\\Work\\T.Cds"));
}

TEST_F(KonvTest, CdsToDatNamesBothFilesAndCountsOnAMismatch) {
  ThreeWords();
  WriteCds("C:\\A_Run\\Work\\T.Cds", {{"Ucet", FieldType::Text, 3}, {"Str", FieldType::Text, 2}}, {{"311", "1"}});
  Names("C:\\A_Run\\Work\\T.Cds");
  EXPECT_FALSE(KonvCdsDat(cds));
  EXPECT_EQ(ui.Single(), Info("C:\\A_Run\\Work\\T.Cds:     2\rC:\\A_Run\\Work\\T.Def:     3\r\r"
                              "Pocet slov vety souboru se nerovna poctu slov vypoctenych"));
  EXPECT_FALSE(Exists(kDat));

  ui.Clear();
  WriteCds("C:\\A_Run\\Work\\T.Cds", {{"Ucet", FieldType::Text, 3}, {"Str", FieldType::Text, 2}, {"Castka", FieldType::Text, 9}},
           {{"311", "1", "1"}});
  EXPECT_FALSE(KonvCdsDat(cds));
  EXPECT_EQ(ui.Single(), Info("C:\\A_Run\\Work\\T.Cds\r\rC:\\A_Run\\Work\\T.Def\r\r"
                              "Delka vety souboru se nerovna delce vypoctene"));
  EXPECT_FALSE(Exists(kDat));
}

TEST_F(KonvTest, DatToCdsWidensNumericWordsAndWritesTheCompanion) {
  ThreeWords();
  Put(kDat, Record("311", "01", "1,00") + Record("2", "", ""));
  Names("C:\\A_Run\\Work\\N.Cds");
  cds.params.XDefName = "C:\\A_Run\\Work\\N.Def";
  ASSERT_TRUE(KonvDatCds(cds));
  std::vector<Column> columns = ColumnsOf("C:\\A_Run\\Work\\N.Cds");
  ASSERT_EQ(columns.size(), 3u);
  EXPECT_EQ(columns[2].size, 15);
  EXPECT_EQ(RowsOf("C:\\A_Run\\Work\\N.Cds"),
            (std::vector<Row>{{"311", "01", "    1,00"}, {"2  ", "  ", "        "}}));
  const std::string companion = Lines("C:\\A_Run\\Work\\N.Def");
  EXPECT_EQ(companion.substr(companion.rfind('\n', companion.size() - 2) + 1, 4), " 15 ");
}

}  // namespace
}  // namespace orvo::test::ops
