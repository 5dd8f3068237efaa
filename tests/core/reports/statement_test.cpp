// The statement computed from account totals, the output definition, and
// whole runs over balance files: levels, sources, pages, and the shipped
// balance sheet and income statement over the demo year.
#include "core/reports/statement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>

#include "../accounting/books_fixture.h"
#include "core/accounting/demo_year.h"
#include "core/data/definition.h"
#include "core/output/report_file.h"
#include "core/shell/file_names.h"
#include "core/sys/numbers.h"

namespace orvo::test {
namespace {

std::string L(const std::string& text, int number, char type, const std::string& formula = "") {
  std::string line = text;
  line.resize(60, ' ');
  line += PadLeft(std::to_string(number), 3) + std::string(7, ' ') + type;
  if (!formula.empty()) line += std::string(9, ' ') + formula;
  return line;
}

std::string DefText(const std::string& heading, const std::vector<std::string>& lines) {
  std::string text = "Zkusebni vykaz\r\n" + heading + "\r\n";
  for (const std::string& l : lines) text += l + "\r\n";
  return text;
}

const std::vector<AccountTotals> kAccounts = {
    {"311100", 1000, 400}, {"321100", 100, 900}, {"501100", 300, 0},
    {"501200", 200, 0},    {"502", 50, 0},       {"601100", 0, 800},
};

TEST(StatementComputation, ValuesLinesInTheOrderUThenVThenR) {
  StatementDefinition def = ParseStatementDefinition(DefText(
      "Jedna|Dve|Tri",
      {L("Terms", 10, 'U', "501 -502 M311 | -D321"), L("Overlap", 20, 'U', "5 501"),
       L("Neighbours", 25, 'U', " 50 501 "), L("Lines", 30, 'R', "10 -20"),
       L("Sees no R", 40, 'V', "R[30]*2|R2[10]+SU[D6]"), L("Minus", 50, 'V', "R[10]*-1+SU[M311]"),
       L("Later V", 60, 'V', "R[70]"), L("Constant", 70, 'V', "1|2"), L("Sees R", 80, 'R', "30 -50 99"),
       L("Separator", 90, 'Z'), L("Text", 95, 'T')}));
  ASSERT_TRUE(def.Usable());
  std::vector<LineValues> v = StatementComputation(def).Compute(kAccounts);
  struct Want {
    int line;
    double a, b;
  };
  for (Want w : {Want{10, 500 - 50 + 1000, -900}, Want{20, 550 + 500, 0}, Want{25, 550 + 500, 0},
                 Want{30, 1450 - 1050, -900}, Want{40, 0, -900 + 800}, Want{50, -1450 + 1000, 0},
                 Want{60, 0, 0}, Want{70, 1, 2}, Want{80, 400 + 450, -900}, Want{90, 0, 0}}) {
    const auto& got = v[static_cast<size_t>(def.IndexOf(w.line))];
    EXPECT_DOUBLE_EQ(got[0], w.a) << "line " << w.line;
    EXPECT_DOUBLE_EQ(got[1], w.b) << "line " << w.line;
    EXPECT_DOUBLE_EQ(got[2], w.a + w.b) << "line " << w.line;
  }
}

TEST(StatementComputation, ValuesADoubleCannotHoldCountAsZero) {
  StatementDefinition def = ParseStatementDefinition(
      DefText("A|B|C", {L("Huge", 1, 'V', "EXP(11000)|1"), L("Big", 2, 'V', "EXP(709,5)|EXP(709,5)"),
                        L("Sum", 3, 'R', "2 2 2")}));
  std::vector<LineValues> v = StatementComputation(def).Compute({});
  EXPECT_EQ(v[0][0], 0);
  EXPECT_EQ(v[0][2], 1);
  EXPECT_GT(v[1][0], 1e307);
  EXPECT_EQ(v[1][2], 0);  // the sum of the two columns overflows
  EXPECT_EQ(v[2][0], 0);
}

TEST(StatementComputation, OneColumnLeavesTheOthersZero) {
  StatementDefinition def = ParseStatementDefinition(DefText("", {L("A", 1, 'U', "3 | 5")}));
  std::vector<LineValues> v = StatementComputation(def).Compute(kAccounts);
  EXPECT_DOUBLE_EQ(v[0][0], 600 - 800);
  EXPECT_DOUBLE_EQ(v[0][1], 0);
  EXPECT_DOUBLE_EQ(v[0][2], 0);
}

class StatementFiles : public BooksScratch {
 protected:
  StatementFiles() {
    for (const char* name : {"Vykaz.Def", "VykUc.Def", "VykZRozv.Def", "VykZVysl.Def"}) InstallDef(name);
  }
  std::string TemplateText() { return ReadHost(std::string(ORVO_SOURCE_DIR) + "/install/defs/Vykaz.Def"); }
  StatementResult Run(const std::string& def, StatementLevel level, BalanceSource source = BalanceSource::Current,
                      const std::string& from = "", const std::string& to = "", int rows = 80) {
    StatementRequest request{def, level, source, from, to, rows};
    return RunStatement(session, session.engine, request);
  }
  // The result dataset as unit + line number -> values.
  std::map<std::string, std::vector<double>> Values(const StatementResult& r) {
    std::map<std::string, std::vector<double>> out;
    Dataset ds(*env);
    EXPECT_TRUE(ds.LoadFromFile(r.datasetFile));
    const int radek = ds.FieldIndex("Radek");
    for (int i = 0; i < ds.RecordCount(); ++i) {
      std::string key;
      for (int f = 0; f < radek; ++f) key += ds.StringAt(i, f);
      std::vector<double> values;
      for (int f = radek + 2; f < ds.FieldCount(); ++f) values.push_back(TextToReal(ds.StringAt(i, f)));
      out[key + "|" + Trim(ds.StringAt(i, radek))] = values;
    }
    return out;
  }
};

TEST_F(StatementFiles, OutputDefinitionNamesEveryColumnAndKeepsTheColumns) {
  StatementDefinition def = ParseStatementDefinition(DefText(" |Text|Velmi dlouhy nadpis sloupce", {}));
  const std::string text = OutputDefinitionText(TemplateText(), StatementLevel::Zavod, def);
  LoadedDef layout;
  ASSERT_EQ(ParseDef(text, layout).problem, DefProblem::None);
  std::vector<std::string> names;
  for (const DefWord& w : layout.words) names.push_back(w.FieldName);
  EXPECT_EQ(names, (std::vector<std::string>{"Zavod", "Radek", "Text", "Sloupec1", "Sloupec2", "Velmi dlouhy na"}));
  for (int w = 4; w <= 6; ++w) {
    EXPECT_EQ(layout.Word(w).TD, 15);
    EXPECT_EQ(layout.Word(w).TMS, "N2");
  }
  // The lines of the value fields, byte for byte.
  EXPECT_NE(text.find(" 15  F. Sloupec1                        " + std::string(15, ' ') + std::string(15, ' ') + "N2\r\n"),
            std::string::npos);
  EXPECT_NE(text.find(" 15  H. Velmi dlouhy na                 Velmi dlouhy na               N2\r\n"),
            std::string::npos);
  // A heading that is itself a generated name.
  ASSERT_EQ(ParseDef(OutputDefinitionText(TemplateText(), StatementLevel::Podnik,
                                          ParseStatementDefinition(DefText("Sloupec2|", {}))),
                     layout).problem,
            DefProblem::None);
  EXPECT_EQ(layout.Word(3).FieldName, "Sloupec2");
  EXPECT_EQ(layout.Word(4).FieldName, "Sloupec3");
  // A blank heading line: the template's value field.
  const std::string one = OutputDefinitionText(TemplateText(), StatementLevel::Podnik, ParseStatementDefinition(DefText("", {})));
  ASSERT_EQ(ParseDef(one, layout).problem, DefProblem::None);
  EXPECT_EQ(layout.PSl, 3);
  EXPECT_EQ(layout.Word(3).FieldName, "Hodnota");
}

TEST_F(StatementFiles, EveryPlantGetsItsOwnStatementOnItsOwnPage) {
  Make(BalanceFile(session), "UctS.Def",
       {Bal("01|02|03", "501100", "", "", "100", "0"), Bal("01|02|03", "311100", "", "", "0", "100"),
        Bal("02|02|03", "501200", "", "", "40", "0"), Bal("02|03|04", "502", "", "", "2", "0"),
        Bal("02|03|04", "211100", "", "", "0", "42")});
  Make(PostingFile(session), "UctO.Def", {Post("01|02|03", "501100", "", "", "5", ""), Post("01|02|03", "211100", "", "", "", "5")});
  Put(Def("VykZTest.Def"), DefText("", {L("Naklady", 1, 'U', "5"), L("-", 2, 'Z'), L("Dvojnasobek", 4, 'V', "R[1]*2"),
                                        L("Poznamka", 5, 'T')}));
  StatementResult r = Run(Def("VykZTest.Def"), StatementLevel::Zavod);
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.units, 2);
  auto values = Values(r);
  EXPECT_EQ(values.size(), 4u);
  EXPECT_DOUBLE_EQ(values["01|001"][0], 105);
  EXPECT_DOUBLE_EQ(values["01|004"][0], 210);
  EXPECT_DOUBLE_EQ(values["02|001"][0], 42);
  auto lines = SplitReportLines(Get(r.reportFile));
  ASSERT_EQ(CountPages(lines), 3);  // two statements, each closed by a form feed
  EXPECT_EQ(lines[0].substr(0, 33), "Orvo - Zakladni vykazy  Obdobi:  ");
  EXPECT_EQ(lines[0].substr(lines[0].size() - 8), "Str: 001");
  EXPECT_EQ(lines[2], "Zkusebni vykaz");
  const size_t second = *PageStart(lines, 2);
  EXPECT_EQ(lines[second].substr(lines[second].size() - 8), "Str: 002");
  // The statement lines by number, an empty line for number 3.
  EXPECT_EQ(lines[7], "01  001  Naklady" + std::string(62 - 7, ' ') + "         105,00");
  EXPECT_EQ(lines[8], "01  002  " + std::string(60, '-'));
  EXPECT_EQ(lines[9], "");
  EXPECT_EQ(lines[11], "01  005  Poznamka");
  EXPECT_EQ(lines[12], std::string(kPageBreakLine));
  // The column heading line: every field's caption in its width + 2.
  EXPECT_EQ(lines[4].substr(0, 13), "Zav Rad  Text");
}

TEST_F(StatementFiles, LongStatementsBreakIntoPagesOfPageRows) {
  Make(BalanceFile(session), "UctS.Def", {Bal("01|02|03", "501100", "", "", "1", "0")});
  std::vector<std::string> lines;
  for (int n = 1; n <= 25; ++n) lines.push_back(L("Radek", n, 'U', "5"));
  Put(Def("VykZDlouhy.Def"), DefText("", lines));
  StatementResult r = Run(Def("VykZDlouhy.Def"), StatementLevel::Stredisko, BalanceSource::Current, "", "", 20);
  ASSERT_TRUE(r.ok);
  auto report = SplitReportLines(Get(r.reportFile));
  // 10 rows of heading, then 10 lines per page: 25 lines on three pages.
  EXPECT_EQ(CountPages(report), 4);
  EXPECT_EQ(report[0].substr(report[0].size() - 3), "001");
  EXPECT_EQ(report[*PageStart(report, 3) + 1].substr(report[*PageStart(report, 3) + 1].size() - 3), "003");
}

TEST_F(StatementFiles, EachBalanceSource) {
  Make(BalanceFile(session), "UctS.Def", {Bal("01|02|03", "501100", "", "", "100", "0")});
  Make(PostingFile(session), "UctO.Def", {Post("01|02|03", "501100", "", "", "5", "")});
  Make(PostingFile(session, "2512"), "UctO.Def", {Post("01|02|03", "501100", "", "", "7", "", "25|12")});
  Make(PostingFile(session, "2601"), "UctO.Def", {Post("01|02|03", "501100", "", "", "11", "", "26|01")});
  Make(PostingFile(session, "2602"), "UctO.Def", {Post("01|02|03", "501100", "", "", "13", "", "26|02")});
  Put(Def("VykZTest.Def"), DefText("", {L("Naklady", 1, 'U', "501")}));
  struct Case {
    BalanceSource source;
    const char* from;
    const char* to;
    double want;
  };
  for (const Case& c : {Case{BalanceSource::Current, "", "", 105}, Case{BalanceSource::Month, "2605", "", 100},
                        Case{BalanceSource::Turnovers, "2512", "2601", 18}, Case{BalanceSource::Turnovers, "2601", "2602", 24}}) {
    StatementResult r = Run(Def("VykZTest.Def"), StatementLevel::Podnik, c.source, c.from, c.to);
    ASSERT_TRUE(r.ok) << c.from;
    EXPECT_DOUBLE_EQ(Values(r)["|001"][0], c.want) << c.from << "-" << c.to;
  }
  ui.messages.clear();
  EXPECT_FALSE(Run(Def("VykZTest.Def"), StatementLevel::Podnik, BalanceSource::Month, "2604").ok);
  ASSERT_FALSE(ui.messages.empty());
}

TEST_F(StatementFiles, MissingFilesAndUnusableDefinitionsComputeNothing) {
  Make(BalanceFile(session), "UctS.Def", {Bal("01|02|03", "501100", "", "", "100", "0")});
  Put(Def("VykZSpatny.Def"), DefText("", {L("A", 1, 'U', "5"), L("B", 1, 'U', "6")}));
  EXPECT_FALSE(Run(Def("VykZSpatny.Def"), StatementLevel::Podnik).ok);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ui.messages[0].text.find("opakovane cislo radku vykazu 1"), std::string::npos);
  EXPECT_FALSE(FileExistsQuiet(*env, StatementReportFile(Def("VykZSpatny.Def"))));
  ui.messages.clear();
  EXPECT_FALSE(Run(Def("VykZNeni.Def"), StatementLevel::Podnik).ok);
  ASSERT_EQ(ui.messages.size(), 1u);
  EraseFile(*env, Def("VykUc.Def"));
  ui.messages.clear();
  EXPECT_FALSE(Run(Def("VykZRozv.Def"), StatementLevel::Podnik).ok);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ui.messages[0].text.find("VykUc.Def"), std::string::npos);
}

// The report and the output definition are what other programs read: a
// two-column statement by administration, broken into pages, byte for byte.
TEST_F(StatementFiles, ReportAndOutputDefinitionByteForByte) {
  Make(BalanceFile(session), "UctS.Def",
       {Bal("01|01|11", "501100", "", "", "1234,5", "0"), Bal("01|01|11", "311100", "", "", "0", "1234,5"),
        Bal("01|02|21", "602100", "", "", "0", "99"), Bal("01|02|21", "221100", "", "", "99", "0")});
  Put(Def("VykZGolden.Def"),
      DefText("Naklady|Vynosy", {L("Naklady a vynosy", 1, 'T'), L("=", 2, 'Z'), L("Spotreba", 3, 'u', "501 | -602"),
                                 L("Pohledavky", 4, 'U', "M311 | D311"), L("Rozdil", 5, 'R', "3 -4"),
                                 L("Dvojnasobek", 6, 'V', "r[3]*2 | R[3]+R2[3]"), L("Konec", 9, 'T')}));
  StatementResult r = Run(Def("VykZGolden.Def"), StatementLevel::Sprava, BalanceSource::Current, "", "", 15);
  ASSERT_TRUE(r.ok);
  const std::string dir = std::string(ORVO_SOURCE_DIR) + "/tests/golden/statements/";
  const std::pair<std::string, std::string> files[] = {{r.reportFile, "VykZGolden.Ses"},
                                                       {std::string(kStatementOutputDef), "VykazP.Def"}};
  for (const auto& [file, name] : files) {
    const std::string bytes = Get(file);
    if (std::getenv("ORVO_UPDATE_GOLDEN") != nullptr) {
      std::filesystem::create_directories(dir);
      std::ofstream(dir + name, std::ios::binary) << bytes;
    }
    EXPECT_EQ(bytes, ReadHost(dir + name)) << name;
  }
}

class DemoStatements : public StatementFiles {
 protected:
  DemoStatements() {
    PutPeriod("26 04");
    WriteDemoYear(session, session.engine, {{"01", "01", "11"}, {"02", "02", "21"}, {"03", "03", "31"}});
    LoadPeriod(session);
  }
  // Account -> MD - Dal of the current balances plus the postings, for the
  // whole enterprise, summed here from the two files.
  std::map<std::string, double> CurrentNet() {
    std::map<std::string, double> net;
    for (const auto& r : Rows(BalanceFile(session))) net[r[5]] += TextToReal(r[8]) - TextToReal(r[9]);
    for (const auto& r : Rows(PostingFile(session))) net[r[8]] += TextToReal(r[12]) - TextToReal(r[13]);
    return net;
  }
  static double Prefixed(const std::map<std::string, double>& net, const std::vector<std::string>& prefixes) {
    double sum = 0;
    for (const auto& [account, value] : net) {
      for (const std::string& p : prefixes) {
        if (account.compare(0, p.size(), p) == 0) sum += value;
      }
    }
    return sum;
  }
};

TEST_F(DemoStatements, BalanceSheetBalancesAtEveryLevelAndMatchesTheIncomeStatement) {
  std::map<StatementLevel, int> units = {{StatementLevel::Podnik, 1}, {StatementLevel::Zavod, 3},
                                         {StatementLevel::Sprava, 3}, {StatementLevel::Stredisko, 3}};
  for (const auto& [level, count] : units) {
    StatementResult rozv = Run(Def("VykZRozv.Def"), level);
    ASSERT_TRUE(rozv.ok);
    EXPECT_EQ(rozv.units, count);
    auto r = Values(rozv);
    StatementResult vysl = Run(Def("VykZVysl.Def"), level);
    ASSERT_TRUE(vysl.ok);
    auto v = Values(vysl);
    int checked = 0;
    for (const auto& [key, values] : r) {
      if (key.substr(key.size() - 3) != "028") continue;
      ++checked;
      const std::string unit = key.substr(0, key.size() - 3);
      for (double x : values) EXPECT_NEAR(x, 0, 0.005) << key;
      EXPECT_NEAR(r[unit + "013"][2], r[unit + "026"][2], 0.005) << unit;
      EXPECT_GT(r[unit + "013"][2], 0) << unit;
      EXPECT_NEAR(v[unit + "022"][0], r[unit + "019"][0], 0.005) << unit;
      EXPECT_NE(v[unit + "022"][0], 0) << unit;
      EXPECT_NEAR(v[unit + "024"][0], 0, 0.005) << unit;
    }
    EXPECT_EQ(checked, count);
  }
}

TEST_F(DemoStatements, IncomeStatementLinesAreThePlainSumsOfTheirAccounts) {
  StatementResult vysl = Run(Def("VykZVysl.Def"), StatementLevel::Podnik);
  ASSERT_TRUE(vysl.ok);
  auto v = Values(vysl);
  const auto net = CurrentNet();
  const double sales = -Prefixed(net, {"601", "602"});
  const double consumption = Prefixed(net, {"501", "502", "503", "504", "511", "512", "513", "518"});
  const double personnel = Prefixed(net, {"52"});
  const double depreciation = Prefixed(net, {"551", "557", "558", "559"});
  EXPECT_GT(sales, 0);
  EXPECT_GT(consumption, 0);
  EXPECT_GT(personnel, 0);
  EXPECT_NEAR(v["|003"][0], sales, 0.005);
  EXPECT_NEAR(v["|005"][0], consumption, 0.005);
  EXPECT_NEAR(v["|008"][0], personnel, 0.005);
  EXPECT_NEAR(v["|009"][0], depreciation, 0.005);
  double result = 0;
  for (const auto& [account, value] : net) {
    if (account[0] == '5' || account[0] == '6') result -= value;
  }
  EXPECT_NEAR(v["|022"][0], result, 0.005);
}

}  // namespace
}  // namespace orvo::test
