#include "core/screens/cds_excel.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>
#include <stdlib.h>

#include <filesystem>
#include <map>

#include "browser_fixture.h"
#include "core/sys/encoding.h"
#include "support/recording_office.h"
#include "support/zip_entries.h"

namespace orvo::test {
namespace {

// A cell of the written worksheet: its type attribute, its value (the text
// of an inline string) and the format code of its style.
struct SheetCell {
  std::string type;
  std::string value;
  std::string format;
};

std::string BuiltinFormat(int id) {
  switch (id) {
    case 0: return "General";
    case 1: return "0";
    case 2: return "0.00";
    default: return "#" + std::to_string(id);
  }
}

// Cells by reference ("A3") and column widths of the first worksheet.
struct Sheet {
  std::map<std::string, SheetCell> cells;
  std::vector<double> widths;
  std::vector<std::string> columnFormats;
  std::string fontName;
};

Sheet ReadSheet(const std::string& host) {
  Sheet sheet;
  auto entries = ZipEntries(host);
  EXPECT_TRUE(entries) << host;
  if (!entries) return sheet;
  pugi::xml_document styles;
  EXPECT_TRUE(styles.load_string((*entries)["xl/styles.xml"].c_str()));
  std::map<int, std::string> numFmts;
  for (auto f : styles.child("styleSheet").child("numFmts").children("numFmt")) {
    numFmts[f.attribute("numFmtId").as_int()] = f.attribute("formatCode").value();
  }
  std::vector<std::string> xfFormats;
  for (auto xf : styles.child("styleSheet").child("cellXfs").children("xf")) {
    const int id = xf.attribute("numFmtId").as_int();
    xfFormats.push_back(numFmts.count(id) ? numFmts[id] : BuiltinFormat(id));
  }
  auto fonts = styles.child("styleSheet").child("fonts");
  sheet.fontName = fonts.last_child().child("name").attribute("val").value();
  pugi::xml_document doc;
  EXPECT_TRUE(doc.load_string((*entries)["xl/worksheets/sheet1.xml"].c_str()));
  auto ws = doc.child("worksheet");
  for (auto col : ws.child("cols").children("col")) {
    sheet.widths.push_back(col.attribute("width").as_double());
    sheet.columnFormats.push_back(xfFormats.at(col.attribute("style").as_uint()));
  }
  for (auto row : ws.child("sheetData").children("row")) {
    for (auto c : row.children("c")) {
      SheetCell cell;
      cell.type = c.attribute("t").value();
      cell.value = cell.type == "inlineStr" ? c.child("is").child("t").text().get() : c.child("v").text().get();
      cell.format = xfFormats.at(c.attribute("s").as_uint());
      sheet.cells[c.attribute("r").value()] = cell;
    }
  }
  return sheet;
}

// Sets an environment variable for one test and restores it.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

constexpr const char* kCodesCds = "C:\\Case\\Codes.Cds";
constexpr const char* kCodesDef = "C:\\Case\\Codes.Def";

// Codes, accounts and amounts as the books keep them, Czech text included.
std::string CodesDef() {
  return DefLine(2, "1. Stredisko", "Str", "PN") + "\r\n" +   // code: zeros by the size
         DefLine(8, "2. Konto", "Konto", "PM") + "\r\n" +     // digits with leading zeros
         DefLine(6, "3. Doklad", "Dokl", "PM") + "\r\n" +     // digits: a number
         DefLine(16, "4. Cislo", "Cislo", "PM") + "\r\n" +    // 16 digits: stays text
         DefLine(10, "5. Castka", "Castka", "N2") + "\r\n" +  // number, 2 decimals
         DefLine(8, "6. Kurz", "Kurz", "PM", '3') + "\r\n" +  // check digit: 3 decimals
         DefLine(12, "7. Pozn\xe1mka", "Pozn", "PM") + "\r\n";
}

class CdsExcelTest : public BrowserFixture {
 protected:
  CdsExcelTest() {
    Put(kCodesDef, CodesDef());
    std::string error;
    EXPECT_TRUE(DatasetFromText(engine, kCodesDef,
                                "05|00012345|123456|1234567890123456|123,50|25,125|P\xf8\xedjem \x9e\xe1k\n"
                                "12|12345|0|9|-1 000,5||\n",
                                kCodesCds, &error))
        << error;
  }

  // Loads the codes table with its definition and writes the workbook.
  ExcelOutcome Write(const std::string& host) {
    Dataset table(*env);
    EXPECT_TRUE(table.LoadFromFile(kCodesCds));
    EXPECT_TRUE(ReadDef(*env, def, kCodesDef));
    return XlsxFromDataset(*env, table, def, kCodesCds, kCodesDef, settings.ReportFont, host);
  }

  std::string Out() const { return root.path() + "/codes.xlsx"; }
};

TEST_F(CdsExcelTest, ColumnsTakeWidthFormatAndAlignmentFromTheDefinition) {
  Dataset table(*env);
  ASSERT_TRUE(table.LoadFromFile(kCodesCds));
  ASSERT_TRUE(ReadDef(*env, def, kCodesDef));
  const std::vector<ExcelColumn> columns = ExcelColumns(table, def);
  struct Want {
    const char* name;
    double width;
    const char* format;
    bool right;
    ExcelValueKind kind;
  };
  const std::vector<Want> want{
      {"Stredisko", 12, "00", false, ExcelValueKind::Code},  // the name is wider than the field
      {"Konto", 11, "", false, ExcelValueKind::Text},
      {"Doklad", 9, "", false, ExcelValueKind::Text},
      {"Cislo", 19, "", false, ExcelValueKind::Text},
      {"Castka", 13, "0.00", true, ExcelValueKind::Number},
      {"Kurz", 11, "0.000", false, ExcelValueKind::Number},
      {"Pozn\xe1mka", 15, "", false, ExcelValueKind::Text},
  };
  ASSERT_EQ(columns.size(), want.size());
  for (size_t i = 0; i < want.size(); ++i) {
    SCOPED_TRACE(want[i].name);
    EXPECT_EQ(columns[i].name, want[i].name);
    EXPECT_EQ(columns[i].format.width, want[i].width);
    EXPECT_EQ(columns[i].format.numberFormat, want[i].format);
    EXPECT_EQ(columns[i].format.alignRight, want[i].right);
    EXPECT_EQ(columns[i].kind, want[i].kind);
  }
}

TEST_F(CdsExcelTest, ValuesAreTypedWithoutLosingDigits) {
  using K = ExcelCell::Kind;
  auto column = [](ExcelValueKind kind) {
    ExcelColumn c;
    c.kind = kind;
    return c;
  };
  struct Case {
    ExcelValueKind kind;
    const char* value;
    K want;
    double number;
    const char* text;
  };
  const std::vector<Case> cases{
      {ExcelValueKind::Number, "123,50", K::Number, 123.5, ""},
      {ExcelValueKind::Number, " -1 000,5", K::Number, -1000.5, ""},
      {ExcelValueKind::Number, "   ", K::Empty, 0, ""},
      {ExcelValueKind::Number, "abc", K::Text, 0, "abc"},
      {ExcelValueKind::Code, "00123", K::Number, 123, ""},
      {ExcelValueKind::Code, "0012345678901234", K::Text, 0, "0012345678901234"},
      {ExcelValueKind::Code, "12A", K::Text, 0, "12A"},
      {ExcelValueKind::Text, "00012345", K::Text, 0, "00012345"},
      {ExcelValueKind::Text, "123456789012345", K::IntegerText, 123456789012345.0, ""},
      {ExcelValueKind::Text, "1234567890123456", K::Text, 0, "1234567890123456"},
      {ExcelValueKind::Text, "0", K::IntegerText, 0, ""},
      {ExcelValueKind::Text, "12,5", K::Text, 0, "12,5"},
      {ExcelValueKind::Text, "", K::Empty, 0, ""},
      {ExcelValueKind::Quoted, " Abc ", K::Text, 0, "\"Abc\""},
      {ExcelValueKind::Quoted, "  ", K::Empty, 0, ""},
      {ExcelValueKind::Text, "Abc  ", K::Text, 0, "Abc"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    const ExcelCell cell = ExcelCellOf(column(c.kind), c.value);
    EXPECT_EQ(cell.kind, c.want);
    if (c.want == K::Number || c.want == K::IntegerText) {
      EXPECT_DOUBLE_EQ(cell.number, c.number);
    }
    if (c.want == K::Text) {
      EXPECT_EQ(cell.text, c.text);
    }
  }
}

TEST_F(CdsExcelTest, WorkbookHoldsTypedCellsFormatsWidthsAndCzechText) {
  settings.ReportFont.name = "Liberation Mono";
  const ExcelOutcome outcome = Write(Out());
  ASSERT_TRUE(outcome.written);
  EXPECT_EQ(outcome.cutCells, 0);
  EXPECT_TRUE(ui.messages.empty());
  const Sheet sheet = ReadSheet(Out());
  EXPECT_EQ(sheet.fontName, "Liberation Mono");
  ASSERT_EQ(sheet.widths.size(), 7u);
  // The spreadsheet pads a width by a fraction of a character.
  const std::vector<double> chars{12, 11, 9, 19, 13, 11, 15};
  for (size_t i = 0; i < chars.size(); ++i) EXPECT_NEAR(sheet.widths[i], chars[i], 1.0) << i;
  EXPECT_EQ(sheet.columnFormats[0], "00");
  EXPECT_EQ(sheet.columnFormats[4], "0.00");

  struct Want {
    const char* ref;
    const char* type;
    const char* value;
    const char* format;
  };
  const std::vector<Want> want{
      {"A1", "inlineStr", "Stredisko", "00"},
      {"G1", "inlineStr", "Pozn\xc3\xa1mka", "General"},
      {"A3", "", "5", "00"},  // shown as 05
      {"B3", "inlineStr", "00012345", "General"},
      {"C3", "", "123456", "0"},
      {"D3", "inlineStr", "1234567890123456", "General"},
      {"E3", "", "123.5", "0.00"},
      {"F3", "", "25.125", "0.000"},
      {"G3", "inlineStr", "P\xc5\x99\xc3\xad" "jem \xc5\xbe\xc3\xa1k", "General"},
      {"A4", "", "12", "00"},
      {"B4", "", "12345", "0"},
      {"C4", "", "0", "0"},
      {"E4", "", "-1000.5", "0.00"},
  };
  for (const Want& w : want) {
    SCOPED_TRACE(w.ref);
    ASSERT_TRUE(sheet.cells.count(w.ref));
    const SheetCell& c = sheet.cells.at(w.ref);
    EXPECT_EQ(c.type, w.type);
    EXPECT_EQ(c.value, w.value);
    EXPECT_EQ(c.format, w.format);
  }
  // Row 2 stays empty, and so do empty values.
  for (const char* ref : {"A2", "B2", "F4", "G4"}) EXPECT_FALSE(sheet.cells.count(ref)) << ref;
}

TEST_F(CdsExcelTest, RefusalsWriteNoFile) {
  // A table at the row limit: the records are there but hold nothing.
  Dataset big(*env);
  big.AddField("A", FieldType::Text, 1);
  ASSERT_TRUE(big.PrepareLoad(kExcelMaxRecords));
  LoadedDef one;
  ASSERT_EQ(ParseDef(DefLine(1, "1. A", "A", "PM"), one).problem, DefProblem::None);
  EXPECT_FALSE(XlsxFromDataset(*env, big, one, "C:\\Big.Cds", "C:\\Big.Def", FontChoice{}, Out()).written);
  EXPECT_EQ(ui.Single(), Info("Tabulka ma priliz mnoho radku ! Operaci nelze provest.",
                              "Pocet radku tabulky C:\\Big.Cds:   1048570"));
  ui.Clear();

  // A table that does not match its definition.
  Dataset table(*env);
  ASSERT_TRUE(table.LoadFromFile(kCodesCds));
  EXPECT_FALSE(XlsxFromDataset(*env, table, one, kCodesCds, "C:\\One.Def", FontChoice{}, Out()).written);
  EXPECT_EQ(ui.Single(), Error(std::string(kCodesCds) + ":     7\rC:\\One.Def:     1\r\r"
                               "Skutecny pocet slov vety se nerovna poctu slov vypocitanemu !"));
  ui.Clear();

  // A target that cannot be written is named; nothing is left behind.
  const std::string missingDir = root.path() + "/missing/codes.xlsx";
  EXPECT_FALSE(Write(missingDir).written);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ui.messages[0].text.find(missingDir), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(Out()));
  EXPECT_FALSE(std::filesystem::exists(missingDir));
}

TEST_F(CdsExcelTest, AFailedWorkbookLeavesTheOldFileAlone) {
  // A workbook that cannot be finished (the target is a directory) keeps
  // what was there and leaves no partial file.
  std::filesystem::create_directories(Out());
  EXPECT_FALSE(Write(Out()).written);
  EXPECT_EQ(ui.messages.size(), 1u);
  EXPECT_TRUE(std::filesystem::is_directory(Out()));
  for (const auto& e : std::filesystem::directory_iterator(root.path())) {
    EXPECT_EQ(e.path().filename().string().find(".part"), std::string::npos) << e.path();
  }
}

TEST_F(CdsExcelTest, TextLongerThanACellIsCutWithANote) {
  Dataset table(*env);
  table.AddField("Memo", FieldType::Memo, 0);
  ASSERT_TRUE(table.CreateDataSet());
  table.Append();
  table.SetAsString(0, std::string(kXlsxCellChars + 10, 'x'));
  table.Post();
  LoadedDef memo;
  ASSERT_EQ(ParseDef(DefLine(10, "1. Memo", "Memo", "PM"), memo).problem, DefProblem::None);
  memo.HasMemo = true;
  const ExcelOutcome outcome =
      XlsxFromDataset(*env, table, memo, "C:\\Memo.Cds", "C:\\Memo.Def", FontChoice{}, Out());
  ASSERT_TRUE(outcome.written);
  EXPECT_EQ(outcome.cutCells, 1);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].kind, MessageKind::Info);
  EXPECT_EQ(ReadSheet(Out()).cells.at("A3").value.size(), static_cast<size_t>(kXlsxCellChars));
}

TEST_F(CdsExcelTest, BrowserOpensTheWorkbookOrShowsWhereItIs) {
  const std::string documents = root.path() + "/Dokumenty";
  ScopedEnv documentsDir{"XDG_DOCUMENTS_DIR", documents};
  ASSERT_TRUE(OpenOn());
  Office office;
  auto backend = std::make_unique<RecordingOffice>(OfficeResult::Done);
  RecordingOffice* recording = backend.get();
  office.Add(std::move(backend));
  ASSERT_TRUE(model->Excel(office));
  ASSERT_EQ(recording->workbooks.size(), 1u);
  const std::string shown = recording->workbooks[0].hostFile;
  EXPECT_EQ(std::filesystem::path(shown).filename(), "X_Table.xlsx");
  EXPECT_EQ(ReadSheet(shown).cells.at("C3").value, "ODBERATELE");
  EXPECT_TRUE(ui.messages.empty());

  Office none;
  ASSERT_TRUE(model->Excel(none));
  const std::string second = documents + "/Orvo/X_Table_2.xlsx";
  EXPECT_TRUE(std::filesystem::exists(second));
  EXPECT_EQ(ui.Single(), Info("Aplikace Microsoft Excel neni dostupna !\r\r"
                              "Tabulka byla ulozena do souboru:\r\r" + second));
}

}  // namespace
}  // namespace orvo::test
