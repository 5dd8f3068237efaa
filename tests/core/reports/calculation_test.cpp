// The cost calculation: reading its definitions, summing and joining the
// quantities with the activities' balances, whole runs over balance files
// (pages per unit, the per-unit column, the result dataset, the refusals),
// the window's model, the hand-over of the quantities' entry, and the
// shipped calculation over the demo year checked against plain sums.
#include "core/reports/calculation.h"

#include <gtest/gtest.h>

#include <map>

#include "../accounting/books_fixture.h"
#include "core/accounting/demo_year.h"
#include "core/data/definition.h"
#include "core/output/report_file.h"
#include "core/reports/calculation_quantities.h"
#include "core/reports/calculation_window.h"
#include "core/shell/file_names.h"
#include "core/sys/numbers.h"

namespace orvo::test {
namespace {

std::string L(const std::string& text, int number, char type, const std::string& formula = "") {
  std::string line = text;
  line.resize(60, ' ');
  line += PadLeft(std::to_string(number), 3) + std::string(7, ' ') + type;
  line += formula.empty() ? std::string(" ") : std::string(9, ' ') + formula;
  return line;
}

std::string DefText(const std::vector<std::string>& lines) {
  std::string text = "   Kalkulace zkusebni\r\nnepouzito | cokoli\r\n";
  for (const std::string& l : lines) text += l + "\r\n";
  return text;
}

TEST(CalculationDefinition, ReadsOneFormulaAndNamesEveryUnplaceableLine) {
  StatementDefinition def = ParseCalculationDefinition(
      DefText({L("Material", 1, 'u', "501 | 502"), "kratky radek bez cisla", L("Nula", 0, 'U', "5"),
               PadRight("Pismena v cisle", 60) + " a1       U         5", L("Pismena", 7, 'U'), L("Znovu", 1, 'V', "1"), L("Jine", 9, 'x')}));
  EXPECT_EQ(def.title, "   Kalkulace zkusebni");
  ASSERT_EQ(def.lines.size(), 3u);
  EXPECT_EQ(def.lines[0].type, 'U');
  EXPECT_EQ(def.lines[0].formula[0], "501 | 502");  // "|" is part of the one formula
  EXPECT_EQ(def.lines[2].type, 'X');
  ASSERT_EQ(def.problems.size(), 3u);
  EXPECT_EQ(def.problems[0], "Radek 5 definice: chybne cislo radku kalkulace \"0\" (1 az 999)");
  EXPECT_EQ(def.problems[1], "Radek 6 definice: chybne cislo radku kalkulace \"a1\" (1 az 999)");
  EXPECT_EQ(def.problems[2], "Radek 8 definice: opakovane cislo radku kalkulace 1");
}

TEST(CalculationDefinition, OutputDefinitionKeepsTheUnitsDownToTheLevel) {
  const std::string templ = ReadHost(std::string(ORVO_SOURCE_DIR) + "/install/defs/Kalkul.Def");
  struct Case {
    StatementLevel level;
    std::vector<std::string> names;
  };
  const std::vector<std::string> rest = {"Radek", "Text", "Cinnost", "Nazev cinnosti", "Skutecnost", "MJ", "Mnozstvi", "Kalkulace"};
  for (const Case& c : {Case{StatementLevel::Podnik, {}}, Case{StatementLevel::Zavod, {"Zavod"}},
                        Case{StatementLevel::Stredisko, {"Zavod", "Sprava", "Stredisko"}}}) {
    LoadedDef layout;
    ASSERT_EQ(ParseDef(CalculationOutputDefinitionText(templ, c.level), layout).problem, DefProblem::None);
    std::vector<std::string> want = c.names;
    want.insert(want.end(), rest.begin(), rest.end());
    std::vector<std::string> got;
    for (const DefWord& w : layout.words) got.push_back(w.FieldName);
    EXPECT_EQ(got, want);
  }
}

TEST(CalculationJoin, SumsQuantitiesAndGivesEveryUnitOfMeasureItsGroup) {
  const std::vector<std::vector<std::string>> records = {
      {"01", "01", "11", "1", "10100", "m3", "10"},   {"01", "02", "21", "2", "10100", "m3", "5,5"},
      {"01", "01", "11", "3", "     ", "m3", "99"},   {"02", "02", "21", "1", "10100", "m3", "7"},
      {"01", "01", "11", "4", "20200", "ks", "3"},    {"01", "01", "11", "5", "20200", "m3", "2"},
      {"01", "01", "11", "6", "30100", "km", "100"},
  };
  std::vector<ActivityQuantity> q = SumQuantities(records, StatementLevel::Zavod);
  ASSERT_EQ(q.size(), 5u);
  EXPECT_EQ(q[0].key, "01");
  EXPECT_EQ(q[0].activity, "10100");
  EXPECT_DOUBLE_EQ(q[0].quantity, 15.5);  // two rows of one plant summed, the blank activity left out
  EXPECT_EQ(SumQuantities(records, StatementLevel::Sprava).size(), 6u);

  std::vector<ActivityAccounts> accounts = {{"01", "10100", {{"501", 1, 0}}},
                                            {"01", "20200", {{"521", 2, 0}}},
                                            {"01", "40100", {{"601", 0, 3}}},
                                            {"02", "10100", {{"501", 4, 0}}}};
  std::vector<std::string> several;
  std::vector<CalculationGroup> groups = JoinCalculation(q, accounts, &several);
  std::vector<std::string> got;
  for (const CalculationGroup& g : groups) got.push_back(g.key + "/" + g.activity + "/" + g.unit + "/" + g.accounts->front().account);
  // 30100 has no balances, 40100 no quantity; 20200 has two units of measure.
  EXPECT_EQ(got, (std::vector<std::string>{"01/10100/m3/501", "01/20200/ks/521", "01/20200/m3/521", "02/10100/m3/501"}));
  ASSERT_EQ(several.size(), 1u);
  EXPECT_EQ(several[0], "Cinnost 20200 (jednotka 01) ma vice mernych jednotek: ks, m3 - kazda ma svou stranu");
}

class CalculationFiles : public BooksScratch {
 protected:
  CalculationFiles() {
    for (const char* name : {"KalkMn.Def", "KalkCnMn.Def", "KalkCnUc.Def", "KalkDat.Def", "Kalkul.Def", "KalkZ1.Def",
                             "Cinn.Def", "MJCinn.Def"}) {
      InstallDef(name);
    }
    MakeDirPath(*env, "D:\\LOrvo\\Cisel");
    Make("D:\\LOrvo\\Cisel\\26Cinn.Cds", "Cinn.Def", {"10100|Tezba drivi|m3", "20200|Vyroba nabytku|ks"});
    Make("D:\\LOrvo\\Cisel\\MJCinn.Cds", "MJCinn.Def", {"m3|metr krychlovy", "ks|kus"});
    Make(PostingFile(session), "UctO.Def", {});
  }
  CalculationResult Run(const std::string& def, StatementLevel level) {
    return RunCalculation(session, session.engine, CalculationRequest{def, level});
  }
  // The result dataset as unit + activity + unit of measure + line -> value and per-unit value.
  std::map<std::string, std::pair<std::string, std::string>> Values(const CalculationResult& r) {
    std::map<std::string, std::pair<std::string, std::string>> out;
    Dataset ds(*env);
    EXPECT_TRUE(ds.LoadFromFile(r.datasetFile));
    const int radek = ds.FieldIndex("Radek");
    for (int i = 0; i < ds.RecordCount(); ++i) {
      std::string key;
      for (int f = 0; f < radek; ++f) key += ds.StringAt(i, f) + "|";
      key += Trim(ds.StringAt(i, radek + 2)) + "|" + Trim(ds.StringAt(i, radek + 5)) + "|" + Trim(ds.StringAt(i, radek));
      out[key] = {Trim(ds.StringAt(i, radek + 4)), Trim(ds.StringAt(i, radek + 7))};
    }
    return out;
  }
};

TEST_F(CalculationFiles, TwoPlantsGiveTwoPagesValuedOverTheirOwnAccounts) {
  Make(BalanceFile(session), "UctS.Def",
       {Bal("01|01|11", "501100", "10100", "", "300", "0"), Bal("01|01|11", "521100", "10100", "", "700", "0"),
        Bal("01|01|11", "321100", "10100", "", "50", "400"), Bal("01|01|11", "501100", "", "", "5000", "0"),
        Bal("02|02|21", "501200", "10100", "", "90", "10"), Bal("02|02|21", "521100", "99999", "", "1", "0")});
  Make(KalkMnFile(session), "KalkMn.Def",
       {"01|01|11|1|10100|m3|4", "01|01|11|2|10100|m3|6", "02|02|21|1|10100|m3|0", "02|02|21|2|99999|m3|1"});
  Put(Def("KalkZTest.Def"),
      DefText({L("Material a mzdy", 10, 'U', "501 521"), L("Dodavatele dal", 11, 'U', "-D321"),
               L("Naklady M", 12, 'V', "SU[M5]"), L("Dvakrat 10", 13, 'V', "R[10]*2"),
               L("Dvakrat R", 14, 'V', "R[20]*2"), L("-", 15, 'Z'), L("Poznamka", 16, 'T'),
               L("Soucet", 20, 'R', "10 -11")}));
  CalculationResult r = Run(Def("KalkZTest.Def"), StatementLevel::Zavod);
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.pages, 3);  // 10100 in both plants, 99999 without a name in plant 02
  auto v = Values(r);
  struct Want {
    const char* key;
    const char* value;
    const char* perUnit;
  };
  for (const Want& w : {Want{"01|10100|m3|010", "1000,00", "100,000"}, Want{"01|10100|m3|011", "-400,00", "-40,000"},
                        Want{"01|10100|m3|012", "1000,00", "100,000"}, Want{"01|10100|m3|013", "2000,00", "200,000"},
                        Want{"01|10100|m3|014", "", ""},  // a value of 0 reads back empty Want{"01|10100|m3|020", "1400,00", "140,000"},
                        Want{"02|10100|m3|010", "80,00", ""},  // a quantity of 0: no amount per unit
                        Want{"02|99999|m3|010", "1,00", "1,000"}}) {
    ASSERT_TRUE(v.count(w.key)) << w.key;
    EXPECT_EQ(v[w.key].first, w.value) << w.key;
    EXPECT_EQ(v[w.key].second, w.perUnit) << w.key;
  }
  EXPECT_EQ(v.size(), 3u * 6u);

  auto lines = SplitReportLines(Get(r.reportFile));
  ASSERT_EQ(CountPages(lines), 4);  // three pages, each closed by a form feed
  EXPECT_EQ(lines[2].substr(0, 27), "Orvo - Kalkulace  Obdobi:  ");
  EXPECT_EQ(lines[2].substr(lines[2].size() - 8), "Str: 001");
  EXPECT_EQ(lines[4], "   Kalkulace zkusebni");
  EXPECT_EQ(lines[6], "Cinnost: 10100 - " + PadRight("Tezba drivi", 30) + "    " +
                          "   /   MJ: m3   /   Mnozstvi:       10,000");
  const std::string heading = "Zav Rad  Popis" + std::string(30, ' ') + std::string(32, ' ') + "Skutecnost     Kalkulace";
  EXPECT_EQ(lines[8], heading);
  EXPECT_EQ(lines[2].size(), heading.size());  // padded to the heading's length - 8, then "Str: 001"
  // Lines 1-9 are empty, then line 10.
  EXPECT_EQ(lines[11], "");
  EXPECT_EQ(lines[20], "01  010  " + PadRight("Material a mzdy", 62) + "        1000,00        100,000");
  EXPECT_EQ(lines[25], "01  015  " + std::string(60, '-'));
  EXPECT_EQ(lines[26], "01  016  Poznamka");
  const size_t second = *PageStart(lines, 2);
  EXPECT_NE(lines[second + 2].find("Str: 002"), std::string::npos);
  const size_t third = *PageStart(lines, 3);
  EXPECT_EQ(lines[third + 6], "Cinnost: 99999 -    /   MJ: m3   /   Mnozstvi:        1,000");
  EXPECT_EQ(lines[second + 20], "02  010  " + PadRight("Material a mzdy", 62) + "          80,00");
}

TEST_F(CalculationFiles, NothingToComputeErasesTheResultsAndSaysSo) {
  Make(BalanceFile(session), "UctS.Def", {Bal("01|01|11", "501100", "10100", "", "300", "0")});
  Make(KalkMnFile(session), "KalkMn.Def", {"01|01|11|1|10100|m3|4"});
  Put(Def("KalkZTest.Def"), DefText({L("Material", 1, 'U', "501")}));
  CalculationResult r = Run(Def("KalkZTest.Def"), StatementLevel::Podnik);
  ASSERT_TRUE(r.ok);
  ASSERT_TRUE(FileExistsQuiet(*env, r.reportFile));
  Make(KalkMnFile(session), "KalkMn.Def", {"01|01|11|1|20200|ks|4"});
  ui.messages.clear();
  r = Run(Def("KalkZTest.Def"), StatementLevel::Podnik);
  EXPECT_TRUE(r.ok);
  EXPECT_EQ(r.pages, 0);
  EXPECT_FALSE(FileExistsQuiet(*env, r.reportFile));
  EXPECT_FALSE(FileExistsQuiet(*env, r.datasetFile));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, kNoCalculationResult);
}

TEST_F(CalculationFiles, MissingFilesAndUnusableDefinitionsComputeNothing) {
  Make(BalanceFile(session), "UctS.Def", {Bal("01|01|11", "501100", "10100", "", "300", "0")});
  Put(Def("KalkZTest.Def"), DefText({L("Material", 1, 'U', "501")}));
  ui.messages.clear();
  EXPECT_FALSE(Run(Def("KalkZTest.Def"), StatementLevel::Podnik).ok);  // no quantities yet
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ui.messages[0].text.find("KalkMn.Cds"), std::string::npos);
  Make(KalkMnFile(session), "KalkMn.Def", {"01|01|11|1|10100|m3|4"});
  Put(Def("KalkZSpatny.Def"), DefText({L("A", 1, 'U', "5"), L("B", 1, 'U', "6")}));
  ui.messages.clear();
  EXPECT_FALSE(Run(Def("KalkZSpatny.Def"), StatementLevel::Podnik).ok);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ui.messages[0].text.find("opakovane cislo radku kalkulace 1"), std::string::npos);
  EraseFile(*env, Def("KalkDat.Def"));
  ui.messages.clear();
  EXPECT_FALSE(Run(Def("KalkZTest.Def"), StatementLevel::Podnik).ok);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ui.messages[0].text.find("KalkDat.Def"), std::string::npos);
}

TEST_F(CalculationFiles, WindowModelReadsTypedNamesAndShowsTheTitle) {
  Put(Def("KalkZTest.Def"), DefText({L("Material", 1, 'U', "501")}));
  VystHandOver vyst;
  TUctKalk window(session, session.engine, vyst);
  window.FormShow();
  EXPECT_EQ(window.Label1, "Kalkulace:  ");
  EXPECT_EQ(window.Edit1, "  ");
  window.Edit1 = "  " + Def("KalkZTest.Def");
  EXPECT_TRUE(window.Edit1Exit());
  EXPECT_EQ(window.Label1, "Kalkulace zkusebni");
  EXPECT_TRUE(FileExistsQuiet(*env, kCalculationOutputDef));
  // A name without "\KalkZ" is said to be wrong, and still taken.
  Put(Def("Jina.Def"), DefText({L("Material", 1, 'U', "501")}));
  ui.messages.clear();
  window.Edit1 = Def("Jina.Def");
  EXPECT_FALSE(window.Edit1Exit());
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "Chybne zadany nazev souboru");
  EXPECT_EQ(window.DefName, Def("Jina.Def"));
  EXPECT_EQ(window.ReportFile(), "C:\\A_Run\\Aplikace\\LOrvo\\Sestavy\\Jina.Ses");
}

TEST_F(CalculationFiles, QuantitiesEntryHandsOverTheUnitAndTheLists) {
  DoklHandOver h;
  bool shown = false;
  ASSERT_TRUE(DataKalk(session, h, [&] { shown = true; }));
  EXPECT_TRUE(shown);
  EXPECT_EQ(h.DoklFile, "D:\\LOrvo\\Data\\KalkMn.Cds");
  EXPECT_EQ(h.DoklDef, "D:\\LOrvo\\DefSoub\\KalkMn.Def");
  EXPECT_EQ(h.DoklPreset[0], session.PlantName.substr(0, 2));
  EXPECT_EQ(h.DoklRows, 200);
  EXPECT_EQ(h.DoklIdCount, 3);
  EXPECT_EQ(h.DoklHeading2, "Mnozstvi MJ pro kalkulace");
  EXPECT_TRUE(FileExistsQuiet(*env, "C:\\A_Run\\Aplikace\\LOrvo\\Cisel\\Cinn.Cds"));
  EXPECT_TRUE(FileExistsQuiet(*env, "C:\\A_Run\\Aplikace\\LOrvo\\Cisel\\MJCinn.Cds"));
  // The layout opens in the grid data entry: the unit is the header.
  TCdsCis cis(*env, session.engine, session.cisHandOver);
  TCdsDokl grid(*env, session.engine, cis, h);
  ASSERT_TRUE(grid.Open());
  EXPECT_EQ(grid.IdCount(), 3);
  EraseFile(*env, "D:\\LOrvo\\Cisel\\MJCinn.Cds");
  shown = false;
  ui.messages.clear();
  EXPECT_FALSE(DataKalk(session, h, [&] { shown = true; }));
  EXPECT_FALSE(shown);
  EXPECT_EQ(ui.messages.size(), 1u);
}

// The shipped calculation over the demo year: every activity's material
// line is the plain sum of its postings on 501, divided by its quantity.
TEST_F(CalculationFiles, ShippedCalculationOverTheDemoYear) {
  PutPeriod("26 04");
  WriteDemoYear(session, session.engine, {{"01", "01", "11"}, {"02", "02", "21"}});
  LoadPeriod(session);
  std::map<std::string, double> material;  // plant + activity -> MD - Dal on 501
  for (const auto& r : Rows(BalanceFile(session))) {
    if (r[5].rfind("501", 0) == 0 && !r[6].empty()) material[r[2] + "|" + r[6]] += TextToReal(r[8]) - TextToReal(r[9]);
  }
  for (const auto& r : Rows(PostingFile(session))) {
    if (r[8].rfind("501", 0) == 0 && !r[9].empty()) material[r[5] + "|" + r[9]] += TextToReal(r[12]) - TextToReal(r[13]);
  }
  ASSERT_GE(material.size(), 4u);
  // A quantity for every activity with material, two rows each.
  std::vector<std::string> rows;
  std::map<std::string, double> quantity;
  for (const auto& [cell, sum] : material) {
    const std::string unit = cell.substr(0, 2) + "|" + cell.substr(0, 2) + "|" + (cell[1] == '1' ? "11" : "21");
    quantity[cell] = 10.0 * static_cast<double>(rows.size() + 1) + 2.5;
    rows.push_back(unit + "|1|" + cell.substr(3) + "|kg|10");
    rows.push_back(unit + "|2|" + cell.substr(3) + "|kg|" + std::to_string(static_cast<int>(quantity[cell]) - 10) + ",5");
  }
  Make(KalkMnFile(session), "KalkMn.Def", rows);
  CalculationResult r = Run(Def("KalkZ1.Def"), StatementLevel::Zavod);
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.title, "Kalkulace nakladu cinnosti - druhove cleneni");
  EXPECT_EQ(r.pages, static_cast<int>(material.size()));
  auto v = Values(r);
  for (const auto& [cell, sum] : material) {
    const std::string key = cell + "|kg|003";
    ASSERT_TRUE(v.count(key)) << key;
    EXPECT_NEAR(TextToReal(v[key].first), sum, 0.005) << key;
    EXPECT_NEAR(TextToReal(v[key].second), sum / quantity[cell], 0.0005) << key;
  }
}

}  // namespace
}  // namespace orvo::test
