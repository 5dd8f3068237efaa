#include "core/data/cds_proc.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/data/cds_dump.h"
#include "core/data/cds_file.h"
#include "core/data/def_view.h"
#include "core/data/meta_def.h"
#include "core/sys/termination.h"
#include "core/sys/text.h"
#include "def_text.h"
#include "support/scratch.h"

namespace orvo::test {
namespace {

class CdsProcTest : public Scratch {
 protected:
  CdsProcTest() : engine(*env, def) {
    for (const char* dir : {"C:\\A_Run\\Work", "D:\\Data", "D:\\Def"}) {
      std::filesystem::create_directories(Host(dir));
    }
  }

  Dataset Load(std::string_view name) {
    Dataset ds(*env);
    EXPECT_TRUE(ds.LoadFromFile(name)) << name;
    return ds;
  }

  // A dataset file with one text field of the given size holding `values`.
  void TextColumn(std::string_view name, int size, std::vector<std::string> values) {
    Dataset ds(*env);
    ds.AddField("Hodnota", FieldType::Text, size);
    ASSERT_TRUE(ds.CreateDataSet());
    for (const auto& v : values) {
      ds.Append();
      ds.SetAsString(0, v);
      ds.Post();
    }
    ASSERT_TRUE(ds.SaveToFile(name, DataFormat::Binary));
  }

  LoadedDef def;
  TCdsProc engine;
};

TEST_F(CdsProcTest, MakeTableOrdersTheIndexByKeyPosition) {
  Put("D:\\Def\\T.Def", Lines({KeyLine(2, "1. Rok", "LN", 1), WordLine(6, "2. Ucet", "", "LN"),
                               KeyLine(4, "3. Cinnost", "PM", 2)}));
  engine.params.CdsName = "D:\\Data\\T.Cds";
  engine.params.DefName = "D:\\Def\\T.Def";
  engine.MakeTable(engine.Table1());
  // Open in memory; the file is written when the table is closed.
  EXPECT_TRUE(engine.Table1().Active());
  EXPECT_EQ(engine.Table1().FileName(), "D:\\Data\\T.Cds");
  EXPECT_FALSE(Exists("D:\\Data\\T.Cds"));
  ASSERT_TRUE(engine.Table1().Close());
  Dataset ds = Load("D:\\Data\\T.Cds");
  ASSERT_EQ(ds.FieldCount(), 3);
  EXPECT_EQ(ds.Field(0), (FieldDef{"Rok", FieldType::Text, 2, false}));
  EXPECT_EQ(ds.Field(1), (FieldDef{"Ucet", FieldType::Text, 6, false}));
  EXPECT_EQ(ds.Field(2), (FieldDef{"Cinnost", FieldType::Text, 4, false}));
  ASSERT_EQ(ds.Indexes().size(), 1u);
  EXPECT_EQ(ds.Indexes()[0], (IndexDef{"", "Rok;Cinnost", true}));
  EXPECT_EQ(ds.RecordCount(), 0);
}

TEST_F(CdsProcTest, MakeTableWithoutKeyAddsAnEmptyIndexNotPrimary) {
  Put("D:\\Def\\T.Def", Lines({WordLine(2, "1. A", "", "PM"), WordLine(40, "2. M", "", "ME")}));
  engine.params.CdsName = "D:\\Data\\T.Cds";
  engine.params.DefName = "D:\\Def\\T.Def";
  engine.MakeTable(engine.Table2());
  ASSERT_TRUE(engine.Table2().Close());
  Dataset ds = Load("D:\\Data\\T.Cds");
  EXPECT_EQ(ds.Indexes()[0], (IndexDef{"", "", false}));
  EXPECT_EQ(ds.Field(1).type, FieldType::Memo);
}

TEST_F(CdsProcTest, MakeTableReplacesAnExistingFileOnlyWhenClosed) {
  Put("D:\\Def\\T.Def", Lines({WordLine(2, "1. A", "", "PM")}));
  TextColumn("D:\\Data\\T.Cds", 5, {"a", "b"});
  const std::string old = Get("D:\\Data\\T.Cds");
  engine.params.CdsName = "D:\\Data\\T.Cds";
  engine.params.DefName = "D:\\Def\\T.Def";
  engine.MakeTable(engine.Table1());
  EXPECT_EQ(Get("D:\\Data\\T.Cds"), old);
  // Dropped, the table leaves the old file as it was.
  engine.Table1().Discard();
  EXPECT_EQ(Get("D:\\Data\\T.Cds"), old);
  engine.MakeTable(engine.Table1());
  ASSERT_TRUE(engine.Table1().Close());
  Dataset ds = Load("D:\\Data\\T.Cds");
  EXPECT_EQ(ds.RecordCount(), 0);
  EXPECT_EQ(ds.Field(0).name, "A");
}

TEST_F(CdsProcTest, MakeTableStopsWhenTheDefinitionIsMissingAndKeepsTheOldFile) {
  TextColumn("D:\\Data\\T.Cds", 5, {"a", "b"});
  const std::string old = Get("D:\\Data\\T.Cds");
  engine.params.CdsName = "D:\\Data\\T.Cds";
  engine.params.DefName = "D:\\Def\\Chybi.Def";
  EXPECT_THROW(engine.MakeTable(engine.Table1()), Termination);
  EXPECT_EQ(Get("D:\\Data\\T.Cds"), old);
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0], Info("Soubor nebyl nalezen", "D:\\Def\\Chybi.Def"));
  EXPECT_EQ(ui.messages[1],
            Error("Nepodarilo se precist soubor:\r\rD:\\Def\\Chybi.Def\r\rProgram bude ukoncen !"));
}

TEST_F(CdsProcTest, MakeTableStopsWhenTheDatasetCannotBeCreated) {
  Put("D:\\Def\\T.Def", Lines({WordLine(2, "1. A", "", "PM"), WordLine(2, "2. A", "", "PM")}));
  engine.params.CdsName = "D:\\Data\\T.Cds";
  engine.params.DefName = "D:\\Def\\T.Def";
  EXPECT_THROW(engine.MakeTable(engine.Table1()), Termination);
  EXPECT_EQ(ui.Single(),
            Error("Nepodarilo se zalozit soubor:\r\rD:\\Data\\T.Cds\r\rProgram bude ukoncen !"));
}

TEST_F(CdsProcTest, MakeTableVirtLeavesAnOpenMemoryTable) {
  Put("D:\\Def\\T.Def", Lines({WordLine(2, "1. A", "", "PM")}));
  engine.params.DefName = "D:\\Def\\T.Def";
  Dataset table(*env);
  engine.MakeTableVirt(table);
  EXPECT_TRUE(table.Active());
  EXPECT_EQ(table.FileName(), "");
  table.Append();
  table.SetAsString(0, "x");
  table.Post();
  ASSERT_TRUE(table.Close());
  ASSERT_TRUE(table.Open());
  EXPECT_EQ(table.RecordCount(), 1);
}

TEST_F(CdsProcTest, MakeTableXWidensNumericWordsAndGivesTheCompanion) {
  Put("D:\\Def\\T.Def", Lines({WordLine(10, "1. Castka", "Castka", "N2"),
                               WordLine(6, "2. Ucet", "Ucet", "LN"),
                               WordLine(40, "3. Text", std::string(30, 'h'), "PM")}));
  engine.params.CdsName = "D:\\Data\\T.Cds";
  engine.params.DefName = "D:\\Def\\T.Def";
  engine.params.XDefName = "D:\\Def\\TX.Def";
  std::string companion;
  engine.MakeTableX(engine.Table1(), &companion);
  ASSERT_TRUE(engine.Table1().Close());
  Put("D:\\Def\\TX.Def", companion);
  Dataset ds = Load("D:\\Data\\T.Cds");
  EXPECT_EQ(ds.Field(0).size, 15);
  EXPECT_EQ(ds.Field(1).size, 6);
  EXPECT_EQ(companion, PadRight(" 15 1. Castka", 40) + PadRight("Castka", 30) + "N2\r\n" +
                           PadRight("  6 2. Ucet", 40) + PadRight("Ucet", 30) + "LN\r\n" +
                           PadRight(" 40 3. Text", 40) + std::string(30, 'h') + "PM\r\n");
  // The companion describes the table as created.
  LoadedDef x;
  ASSERT_TRUE(ReadDef(*env, x, "D:\\Def\\TX.Def"));
  EXPECT_EQ(x.Word(1).TD, 15);
  EXPECT_EQ(x.Word(3).TMS, "PM");
}

TEST_F(CdsProcTest, MakeTableTFromAModelOfFourBytesLeavesTheTargetAlone) {
  Put("D:\\Data\\Model.Cds", "abcd");
  Put("D:\\Data\\Novy.Cds", "puvodni");
  engine.MakeTableT("D:\\Data\\Model.Cds", 0, "D:\\Data\\Novy.Cds");
  EXPECT_EQ(Get("D:\\Data\\Novy.Cds"), "puvodni");
  engine.MakeTableT("D:\\Data\\Zadny.Cds", 0, "D:\\Data\\Novy.Cds");
  EXPECT_EQ(Get("D:\\Data\\Novy.Cds"), "puvodni");
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CdsProcTest, MakeTableTCopiesFieldsOrOnlyTextFields) {
  Dataset model(*env);
  model.AddField("A", FieldType::Text, 4, true);
  model.AddField("F", FieldType::Float, 0);
  model.AddField("M", FieldType::Memo, 20);
  model.AddField("B", FieldType::Text, 2);
  ASSERT_TRUE(model.CreateDataSet());
  model.Append();
  model.SetAsString(0, "x");
  model.Post();
  ASSERT_TRUE(model.SaveToFile("D:\\Data\\Model.Cds", DataFormat::Binary));
  engine.MakeTableT("D:\\Data\\Model.Cds", 0, "D:\\Data\\All.Cds");
  engine.MakeTableT("D:\\Data\\Model.Cds", 1, "D:\\Data\\Text.Cds");
  Dataset all = Load("D:\\Data\\All.Cds");
  Dataset text = Load("D:\\Data\\Text.Cds");
  EXPECT_EQ(all.Fields(), model.Fields());
  EXPECT_EQ(all.RecordCount(), 0);
  ASSERT_EQ(text.FieldCount(), 2);
  EXPECT_EQ(text.Field(0), (FieldDef{"A", FieldType::Text, 4, true}));
  EXPECT_EQ(text.Field(1).name, "B");
  EXPECT_FALSE(engine.Table1().Active());
  EXPECT_FALSE(engine.Table1().ReadOnly());
}

TEST_F(CdsProcTest, OpenTableROnAMissingFileLeavesTheTableClosed) {
  engine.params.CdsName = "D:\\Data\\Nic.Cds";
  engine.params.DefName = "D:\\Def\\T.Def";
  EXPECT_FALSE(engine.OpenTableR(engine.Table1()));
  EXPECT_FALSE(engine.Table1().Active());
  EXPECT_EQ(ui.Single(), Error("Soubor:\r\r\"D:\\Data\\Nic.Cds\"\r\r     - nebyl nalezen !"));
}

TEST_F(CdsProcTest, OpenTableWStoresOnCloseAndOpenTableRDoesNot) {
  Put("D:\\Def\\T.Def", Lines({WordLine(3, "1. A", "", "PM")}));
  engine.params.CdsName = "D:\\Data\\T.Cds";
  engine.params.DefName = "D:\\Def\\T.Def";
  engine.MakeTable(engine.Table1());
  ASSERT_TRUE(engine.Table1().Close());
  ASSERT_TRUE(engine.OpenTableW(engine.Table1()));
  EXPECT_EQ(engine.Def().PSl, 1);
  engine.Table1().Append();
  engine.Table1().SetAsString(0, "abc");
  ASSERT_TRUE(engine.Table1().Close());
  ASSERT_TRUE(engine.OpenTableR(engine.Table2()));
  EXPECT_TRUE(engine.Table2().ReadOnly());
  EXPECT_EQ(engine.Table2().AsString(0), "abc");
  engine.Table2().Close();
}

struct InferCase {
  const char* name;
  int size;
  std::vector<std::string> values;
  const char* want;
};
class InferTest : public CdsProcTest, public ::testing::WithParamInterface<InferCase> {};
TEST_P(InferTest, TypesATextField) {
  TextColumn("D:\\Data\\I.Cds", GetParam().size, GetParam().values);
  Dataset ds = Load("D:\\Data\\I.Cds");
  EXPECT_EQ(InferTextType(ds, 0), GetParam().want);
}
INSTANTIATE_TEST_SUITE_P(
    CdsDef, InferTest,
    ::testing::Values(
        InferCase{"right_aligned_one_and_two_decimals", 10, {"      12,5", "    123,45", ""}, "N2"},
        InferCase{"left_aligned_numbers", 10, {"12,5", "123,45"}, "PM"},
        InferCase{"all_blank", 10, {"", "     "}, "PM"},
        InferCase{"no_records", 10, {}, "PM"},
        InferCase{"dates", 10, {"05.03.2016", "31.12.1999"}, "DT"},
        InferCase{"zero_filled_codes", 6, {"000123", "311000"}, "LN"},
        InferCase{"right_aligned_integers", 6, {"    12", "  -345"}, "N0"},
        InferCase{"one_decimal_with_point", 6, {"  12.5", "     3"}, "N1"},
        InferCase{"three_decimals", 8, {"   1,125", "    12,5"}, "N3"},
        InferCase{"four_decimals", 8, {"  1,1250"}, "PM"},
        InferCase{"text", 5, {"  abc"}, "PM"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CdsProcTest, CdsDefWritesCountedLinesThatReadBack) {
  Dataset ds(*env);
  ds.AddField("Castka", FieldType::Text, 10);
  ds.AddField("Datum", FieldType::Date, 0);
  ds.AddField("Pocet", FieldType::Integer, 0);
  ds.AddField("Kurz", FieldType::Float, 0);
  ds.AddField("Ok", FieldType::Boolean, 0);
  ds.AddField("Velmi dlouhy nazev pole ktery presahuje", FieldType::Text, 3);
  ASSERT_TRUE(ds.CreateDataSet());
  ds.Append();
  ds.SetAsString(0, "    123,45");
  ds.Post();
  ASSERT_TRUE(ds.SaveToFile("D:\\Data\\X.Cds", DataFormat::Binary));
  engine.params.CdsName = "D:\\Data\\X.Cds";
  engine.params.DefName = "D:\\Def\\X.Def";
  engine.CdsDef();
  std::string text = Get("D:\\Def\\X.Def");
  EXPECT_EQ(text.substr(0, 74), PadRight(" 10  1. Castka", 40) + PadRight("Castka", 30) + "N2\r\n");
  for (std::string_view line : TextLines(text)) {
    if (!line.empty()) {
      EXPECT_EQ(line.size(), 72u) << line;
    }
  }
  LoadedDef back;
  ASSERT_TRUE(ReadDef(*env, back, "D:\\Def\\X.Def"));
  ASSERT_EQ(back.PSl, 6);
  EXPECT_EQ(back.Word(1).FieldName, "Castka");
  EXPECT_EQ(back.Word(2).TMS, "DT");
  EXPECT_EQ(back.Word(2).TD, 4);
  EXPECT_EQ(back.Word(3).TMS, "IN");
  EXPECT_EQ(back.Word(4).TD, 8);
  EXPECT_EQ(back.Word(5).TMS, "BO");
  EXPECT_EQ(back.Word(5).Heading, "Ok");
  EXPECT_EQ(back.Word(6).TMS, "PM");
  EXPECT_FALSE(engine.Table1().Active());
}

TEST_F(CdsProcTest, WriteMetaDefLines) {
  ASSERT_EQ(WriteMetaDef(*env, "D:\\Def\\Meta.Def", 3), 0);
  EXPECT_EQ(Get("D:\\Def\\Meta.Def"),
            PadRight("  3 X. Rad", 40) + PadRight("Rad", 30) + "PM     I01\r\n" +
                PadRight("  3 A. TD", 40) + PadRight("TD", 30) + "N0\r\n" +
                PadRight(" 30 B. TNS1", 40) + PadRight("TNS1", 30) + "PM\r\n");
  ASSERT_EQ(WriteMetaDef(*env, "D:\\Def\\Meta.Def", 13), 0);
  LoadedDef meta;
  ASSERT_TRUE(ReadDef(*env, meta, "D:\\Def\\Meta.Def"));
  ASSERT_EQ(meta.PSl, 13);
  const char* names[] = {"Rad", "TD", "TNS1", "TNS2", "TMS", "SP", "KH",
                         "I/P", "Ind/UlozP", "UlozZ", "UlozDo", "JmSCis", "JmPole/TW"};
  for (int i = 1; i <= 13; ++i) EXPECT_EQ(meta.Word(i).FieldName, names[i - 1]);
  EXPECT_EQ(meta.KeyList[0], 1);
}

TEST_F(CdsProcTest, KonvDefCdsAndBackRenumbersNames) {
  std::string text;
  for (int i = 1; i <= 12; ++i) {
    std::string line = WordLine(i, std::to_string(i + 10) + ". Slovo " + std::to_string(i),
                                "Nadpis " + std::to_string(i), i == 3 ? "N2" : "PM");
    if (i == 2) At(line, 73, "C KH I01");
    if (i == 5) {
      At(line, 78, "P");
      At(line, 79, " 2");
      At(line, 81, " 3");
      At(line, 84, " 4");
      At(line, 86, "UctOsn.Cds");
      At(line, 141, "Alt");
    }
    text += line + "\r\n";
    if (i == 6) text += "kratka poznamka\r\n";
  }
  Put("D:\\Def\\Src.Def", text);
  engine.KonvDefCds("D:\\Def\\Src.Def", 13, "D:\\Data\\Def.Cds");
  Dataset ds = Load("D:\\Data\\Def.Cds");
  ASSERT_EQ(ds.RecordCount(), 200);
  EXPECT_EQ(ds.StringAt(0, 0), "001");
  EXPECT_EQ(ds.StringAt(199, 0), "200");
  EXPECT_EQ(ds.StringAt(0, 2), "Slovo 1");
  EXPECT_EQ(ds.StringAt(1, 5), "C");
  EXPECT_EQ(ds.StringAt(1, 6), "KH");
  EXPECT_EQ(ds.StringAt(4, 7), "P");
  EXPECT_EQ(ds.StringAt(4, 10), "4");
  EXPECT_EQ(ds.StringAt(4, 11), "UctOsn.Cds");
  EXPECT_EQ(ds.StringAt(4, 12), "Alt");
  EXPECT_EQ(ds.StringAt(12, 1), "");

  engine.KonvCdsDef("D:\\Data\\Def.Cds", 13, "D:\\Def\\Back.Def");
  std::string back = Get("D:\\Def\\Back.Def");
  std::vector<std::string_view> lines;
  for (auto l : TextLines(back)) {
    if (!l.empty()) lines.push_back(l);
  }
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(lines[0], WordLine(1, "  1. Slovo 1", "Nadpis 1", "PM"));
  EXPECT_EQ(lines[2], WordLine(3, "  3. Slovo 3", "Nadpis 3", "N2"));
  LoadedDef loaded;
  ASSERT_TRUE(ReadDef(*env, loaded, "D:\\Def\\Back.Def"));
  ASSERT_EQ(loaded.PSl, 12);
  EXPECT_EQ(loaded.Word(12).FieldName, "Slovo 12");
  EXPECT_EQ(loaded.Word(2).SP, 'C');
  EXPECT_EQ(loaded.HeaderCount, 2);
  EXPECT_EQ(loaded.KeyList[0], 2);
  EXPECT_EQ(loaded.Word(5).IP, 'P');
  EXPECT_EQ(loaded.Word(5).IndUlozP, 2);
  EXPECT_EQ(loaded.Word(5).UlozZ, 3);
  EXPECT_EQ(loaded.Word(5).UlozDo, 4);
  EXPECT_EQ(loaded.Word(5).JmSCis, "UctOsn.Cds");
  EXPECT_EQ(loaded.Word(5).JmPole, "Alt");
}

TEST_F(CdsProcTest, KonvCdsDefKeepsAWideNumericHeadingInItsColumn) {
  Put("D:\\Def\\Src.Def", Lines({WordLine(40, "1. Castka", "Castka celkem", "N2")}));
  engine.KonvDefCds("D:\\Def\\Src.Def", 13, "D:\\Data\\Def.Cds");
  engine.KonvCdsDef("D:\\Data\\Def.Cds", 13, "D:\\Def\\Back.Def");
  EXPECT_EQ(Get("D:\\Def\\Back.Def"),
            WordLine(40, "  1. Castka", std::string(17, ' ') + "Castka celkem", "N2") + "\r\n");
}

TEST_F(CdsProcTest, CdsXmlBothWays) {
  TextColumn("D:\\Data\\Tab.Cds", 8, {"\xC8\xE1stka", "  1,50"});
  for (int xver : {1, 2}) {
    engine.CdsXml("D:\\Data\\Tab.Cds", xver);
    ASSERT_TRUE(Exists("D:\\Data\\Tab.Xml"));
    std::string xml = Get("D:\\Data\\Tab.Xml");
    EXPECT_NE(xml.find(xver == 1 ? "UTF-8" : "windows-1250"), std::string::npos);
    fs->Remove("D:\\Data\\Tab.Cds");
    engine.CdsXml("D:\\Data\\Tab.Xml", 0);
    Dataset ds = Load("D:\\Data\\Tab.Cds");
    EXPECT_EQ(ds.StringAt(0, 0), "\xC8\xE1stka");
    EXPECT_EQ(ds.StringAt(1, 0), "  1,50");
  }
  Put("D:\\Data\\Tab.Xml", "stary");
  engine.CdsXml("D:\\Data\\Tab.Cds", 3);
  EXPECT_EQ(Get("D:\\Data\\Tab.Xml"), "stary");
  engine.CdsXml("D:\\Data\\Tab.Txt", 1);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CdsProcTest, DumpAndFromText) {
  Put("D:\\Def\\T.Def", Lines({WordLine(6, "1. Ucet", "", "LN", "C"), WordLine(10, "2. MD", "", "N2"),
                               WordLine(5, "3. Text", "", "PM")}));
  const std::string out = "D:\\Data\\T.Cds";
  std::string error;
  EXPECT_FALSE(DatasetFromText(engine, "D:\\Def\\T.Def", "311|1|a|b\r\n", out, &error));
  EXPECT_EQ(error, "line 1: 4 values, the definition has 3 words");
  EXPECT_FALSE(DatasetFromText(engine, "D:\\Def\\T.Def", "311|1|a\r\n\r\n2|0\r\n", out, &error));
  EXPECT_EQ(error, "line 3: 2 values, the definition has 3 words");
  EXPECT_FALSE(DatasetFromText(engine, "D:\\Def\\T.Def", "311|1|a\r\n2a|0|x\r\n", out, &error));
  EXPECT_EQ(error, "line 2: word 1 (Ucet) fails its check");
  ASSERT_TRUE(DatasetFromText(engine, "D:\\Def\\T.Def", "311|1234,5|a\r\n2|0|x\\y\r\n", out, &error))
      << error;
  Dataset ds = Load("D:\\Data\\T.Cds");
  EXPECT_EQ(DumpDataset(ds),
            "Ucet:text(6)|MD:text(10)|Text:text(5)\n"
            "000311|   1234,50|a    \n"
            "000002|          |x\\\\y  \n");
  std::string shown = RenderDef(engine.Def());
  EXPECT_NE(shown.find("PSl 3  RecLen 21"), std::string::npos);
}

// Neither a definition that cannot be used nor a refused line may leave a
// new file or touch the old one.
TEST_F(CdsProcTest, DatasetFromTextThatFailsWritesNothing) {
  Put("D:\\Def\\T.Def", Lines({WordLine(6, "1. Ucet", "", "LN", "C"), WordLine(10, "2. MD", "", "N2")}));
  Put("D:\\Def\\Bad.Def", "neni definice\r\n");
  struct Case {
    const char* def;
    const char* text;
    bool stops;
  };
  for (const Case& c : {Case{"D:\\Def\\Chybi.Def", "311|1\r\n", true}, Case{"D:\\Def\\Bad.Def", "311|1\r\n", true},
                        Case{"D:\\Def\\T.Def", "311|1\r\n311\r\n", false}}) {
    for (bool old : {false, true}) {
      SCOPED_TRACE(std::string(c.def) + (old ? " over an old file" : ""));
      const std::string out = "D:\\Data\\T.Cds";
      fs->Remove(out);
      if (old) Put(out, "old table");
      std::string error;
      if (c.stops) {
        EXPECT_THROW(DatasetFromText(engine, c.def, c.text, out, &error), Termination);
      } else {
        EXPECT_FALSE(DatasetFromText(engine, c.def, c.text, out, &error));
      }
      EXPECT_EQ(Exists(out), old);
      EXPECT_EQ(old ? Get(out) : "old table", "old table");
      EXPECT_EQ(fs->List("D:\\Data\\*.*").size(), old ? 1u : 0u);
      ui.Clear();
    }
  }
}

}  // namespace
}  // namespace orvo::test
