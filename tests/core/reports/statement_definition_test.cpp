#include "core/reports/statement_definition.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvo {
namespace {

// A statement line: text, number and type in their columns, formula from 81.
std::string L(const std::string& text, const std::string& number, char type, const std::string& formula = "") {
  std::string line = text;
  line.resize(60, ' ');
  std::string n = number;
  if (n.size() < 3) n.insert(0, 3 - n.size(), ' ');
  line += n + std::string(7, ' ') + type;
  if (!formula.empty()) line += std::string(9, ' ') + formula;
  return line;
}

std::string Def(const std::string& heading, const std::vector<std::string>& lines) {
  std::string text = "Titulek vykazu\r\n" + heading + "\r\n";
  for (const std::string& l : lines) text += l + "\r\n";
  return text;
}

TEST(StatementDefinition, ReadsTitleHeadingsLinesAndFormulas) {
  StatementDefinition def = ParseStatementDefinition(Def(
      "Brutto | Korekce|Netto", {L("Majetek", "10", 'u', "01 -07 | 08 r[3]|ignored|x"),
                                 "short line is no statement line", L("Soucet", "20", 'R', "10 -30"),
                                 L("Vyraz", "30", 'V', "r[10]*2+R2[10]|R[10]+SU[M311]")}));
  ASSERT_TRUE(def.Usable()) << def.problems[0];
  EXPECT_EQ(def.title, "Titulek vykazu");
  EXPECT_EQ(def.columns, 3);
  EXPECT_EQ(def.headings, (std::vector<std::string>{"Brutto", "Korekce", "Netto"}));
  ASSERT_EQ(def.lines.size(), 3u);
  EXPECT_EQ(def.lines[0].type, 'U');
  EXPECT_EQ(def.lines[0].number, 10);
  EXPECT_EQ(def.lines[0].formula[0], "01 -07 ");
  EXPECT_EQ(def.lines[0].formula[1], " 08 R2[3]");
  EXPECT_EQ(def.lines[0].formula[2], "ignored");
  EXPECT_EQ(def.lines[2].formula[0], "R1[10]*2+R2[10]");
  EXPECT_EQ(def.lines[2].formula[1], "R2[10]+SU[M311]");
  EXPECT_EQ(def.IndexOf(20), 1);
  EXPECT_EQ(def.IndexOf(21), -1);
  EXPECT_EQ(def.HighestNumber(), 30);
}

TEST(StatementDefinition, BlankHeadingIsOneColumn) {
  StatementDefinition def = ParseStatementDefinition(Def("   ", {L("A", "1", 'T')}));
  EXPECT_EQ(def.columns, 1);
  EXPECT_EQ(def.headings.size(), 1u);
}

TEST(StatementDefinition, RefusesLinesThatCannotBePlacedNamingEachLine) {
  StatementDefinition def = ParseStatementDefinition(
      Def("A|B|C|D", {L("A", "0", 'U'), L("B", "-1", 'U'), L("C", "1a", 'U'), L("D", "   ", 'U'),
                      L("E", "5", 'U'), L("F", "5", 'R'), L("G", "999", 'T')}));
  ASSERT_EQ(def.problems.size(), 6u);
  EXPECT_NE(def.problems[0].find("Radek 2 definice"), std::string::npos);  // four columns
  EXPECT_NE(def.problems[1].find("Radek 3 definice: chybne cislo radku vykazu \"0\""), std::string::npos);
  EXPECT_NE(def.problems[2].find("Radek 4 "), std::string::npos);
  EXPECT_NE(def.problems[3].find("Radek 5 "), std::string::npos);
  EXPECT_NE(def.problems[4].find("Radek 6 "), std::string::npos);
  EXPECT_NE(def.problems[5].find("Radek 8 definice: opakovane cislo radku vykazu 5"), std::string::npos);
  EXPECT_EQ(def.columns, 3);
  EXPECT_EQ(def.lines.size(), 2u);
}

TEST(StatementDefinition, AccountTermsAreParsedOnceIntoSignSideAndPrefix) {
  std::vector<std::string> bad;
  std::vector<AccountTerm> terms = ParseAccountTerms(" 51 511  -502 M311 -D321 d3 - M ", &bad);
  ASSERT_EQ(terms.size(), 6u);
  EXPECT_EQ(terms[0].prefix, "51");
  EXPECT_EQ(terms[1].prefix, "511");
  EXPECT_EQ(terms[2].sign, -1);
  EXPECT_EQ(terms[3].side, TermSide::Debit);
  EXPECT_EQ(terms[3].prefix, "311");
  EXPECT_EQ(terms[4].sign, -1);
  EXPECT_EQ(terms[4].side, TermSide::Credit);
  EXPECT_EQ(terms[5].side, TermSide::Credit);
  EXPECT_EQ(bad, (std::vector<std::string>{"-", "M"}));
}

TEST(StatementDefinition, CheckListsLateReferencesUndefinedLinesAndUncoveredAccounts) {
  StatementDefinition def = ParseStatementDefinition(Def(
      "", {L("U", "10", 'U', "501 60"), L("V1", "20", 'V', "R[10]+R[30]+R[40]+R[99]"), L("R", "30", 'R', "10 -77"),
           L("V2", "40", 'V', "R[20]"), L("Bad", "50", 'U', "-")}));
  std::vector<std::string> report =
      CheckStatementDefinition(def, {"501", "501100", "501200", "502", "601", "602100", "311", "701"});
  std::vector<std::string> want = {
      "Radek 4 definice: R1[30] odkazuje na radek pocitany pozdeji (hodnota 0)",
      "Radek 4 definice: R1[40] odkazuje na radek pocitany pozdeji (hodnota 0)",
      "Radek 4 definice: R1[99] odkazuje na nedefinovany radek (hodnota 0)",
      "Radek 5 definice: radek 77 souctu neni definovan (hodnota 0)",
      "Radek 7 definice: \"-\" neni ucet",
      "Ucet 502 neni v zadnem radku typu U",
  };
  EXPECT_EQ(report, want);
}

}  // namespace
}  // namespace orvo
