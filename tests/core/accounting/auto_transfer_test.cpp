// The automatic transfers: rules over balances posted as pairs under one
// identification, repeatable with every source, the numbering of pairs,
// sides, conditions, patterns and the selector, and the definition checked
// whole before the posting file changes.
#include <gtest/gtest.h>

#include "books_fixture.h"
#include "core/accounting/auto_transfer.h"
#include "core/sys/numbers.h"

namespace orvo::test {
namespace {

class AutoTransfer : public BooksScratch {
 protected:
  static constexpr const char* kPosting = "D:\\LOrvo\\Data\\260501UctO.Cds";
  static constexpr const char* kBalance = "D:\\LOrvo\\Data\\260401UctS.Cds";
  static constexpr const char* kDef = "D:\\LOrvo\\DefSoub\\AutTest.Def";

  static std::string Col(std::string v, size_t w) {
    v.resize(w, ' ');
    return v;
  }
  // A rule line of 78 characters (76 when the condition is left off).
  static std::string Rule(const std::string& unit, const std::string& ucet, const std::string& cinn,
                          const std::string& koef, const std::string& aUnit, const std::string& aUcet,
                          const std::string& aSide, const std::string& bUnit, const std::string& bUcet,
                          const std::string& bSide, const std::string& cond = "") {
    std::string l = Col(unit, 6) + " " + Col(ucet, 6) + " " + Col(cinn, 5) + " " + Col(koef, 10) + " " +
                    Col(aUnit, 6) + " " + Col(aUcet, 6) + " " + Col("", 5) + " " + Col(aSide, 2) + " " +
                    Col(bUnit, 6) + " " + Col(bUcet, 6) + " " + Col("", 5) + " " + Col(bSide, 2);
    if (!cond.empty()) l += " " + cond;
    return l;
  }
  void Definition(const std::vector<std::string>& lines) {
    std::string text = "Automaticke prevody - test\r\n";
    for (const std::string& l : lines) text += l + "\r\n";
    Put(kDef, text);
  }
  AutOutcome Run(AutSource source, const std::string& id = "0102039901", int* asked = nullptr, bool yes = true) {
    return RunAutoTransfer(session, session.engine, {kDef, source, "2605", id}, [&](int count) {
      if (asked != nullptr) *asked = count;
      return yes;
    });
  }
  // The generated postings: unit ucet MD Dal by line.
  std::vector<std::string> Generated(const std::string& id = "0102039901") {
    std::vector<std::string> out;
    for (const auto& r : Rows(kPosting)) {
      if (r[2] != id) continue;
      auto amount = [](const std::string& v) {
        return Trim(v).empty() ? std::string("-") : RealTextPlain(1, 2, TextToReal(v));
      };
      out.push_back(r[3] + "/" + r[4] + " " + r[5] + r[6] + r[7] + " " + r[8] + " " + amount(r[12]) + " " +
                    amount(r[13]));
    }
    return out;
  }
  // The closing of costs: 5xx balances onto 710 (A debit) and back (B credit).
  void CostClosing() {
    Definition({Rule("", "5", "", "1", "", "710", "M", "", "", "D")});
    Make(kBalance, "UctS.Def",
         {Bal("01|02|03", "501", "", "", "1000", ""), Bal("01|02|03", "502", "", "", "300", "100"),
          Bal("01|02|03", "602", "", "", "", "500")});
  }
};

TEST_F(AutoTransfer, ARunRepeatedWithEverySourceGivesTheSameFile) {
  CostClosing();
  Make(kPosting, "UctO.Def", {Post("01|02|03", "501", "", "", "50", ""), Post("01|02|03", "211", "", "", "", "50")});
  const std::vector<std::pair<AutSource, std::vector<std::string>>> cases = {
      {AutSource::Month,
       {"00001/0001 010203 710 1000 -", "00001/0002 010203 501 - 1000", "00001/0003 010203 710 200 -",
        "00001/0004 010203 502 - 200"}},
      {AutSource::Current,
       {"00001/0001 010203 710 1050 -", "00001/0002 010203 501 - 1050", "00001/0003 010203 710 200 -",
        "00001/0004 010203 502 - 200"}},
      {AutSource::Turnovers, {"00001/0001 010203 710 50 -", "00001/0002 010203 501 - 50"}},
  };
  const std::string original = Get(kPosting);
  for (const auto& [source, expected] : cases) {
    SCOPED_TRACE(static_cast<int>(source));
    Put(kPosting, original);
    const AutOutcome first = Run(source);
    ASSERT_TRUE(first.done) << (ui.messages.empty() ? "" : ui.messages.back().text);
    EXPECT_EQ(Generated(), expected);
    const std::string once = Get(kPosting);
    const AutOutcome second = Run(source);
    ASSERT_TRUE(second.done);
    EXPECT_EQ(second.removed, first.added);
    EXPECT_EQ(Get(kPosting), once);
    EXPECT_EQ(Rows(kPosting).size(), 2 + expected.size());
  }
  // Another identification adds beside them.
  ASSERT_TRUE(Run(AutSource::Month, "0102039902").done);
  EXPECT_EQ(Generated("0102039902").size(), 4u);
  EXPECT_EQ(Generated().size(), 2u);
}

TEST_F(AutoTransfer, PairsNumberOverTheRunAndTheTwoHundredFiftyFirstOpensTheNextDocument) {
  Definition({Rule("", "5", "", "1", "", "710", "M", "", "", "D")});
  std::vector<std::string> balances;
  for (int i = 0; i < 251; ++i) balances.push_back(Bal("01|02|03", std::to_string(500000 + i), "", "", "1", ""));
  Make(kBalance, "UctS.Def", balances);
  ASSERT_TRUE(Run(AutSource::Month).done);
  const auto rows = Generated();
  ASSERT_EQ(rows.size(), 502u);
  EXPECT_EQ(rows[499].substr(0, 10), "00001/0500");
  EXPECT_EQ(rows[500].substr(0, 10), "00002/0001");
  EXPECT_EQ(rows[501].substr(0, 10), "00002/0002");
}

TEST_F(AutoTransfer, SidesConditionsPatternsAndLineLengths) {
  Make(kBalance, "UctS.Def",
       {Bal("01|02|03", "6041", "", "", "1000", ""), Bal("01|02|04", "6042", "", "", "", "400"),
        Bal("01|02|05", "6043", "", "", "200", "200")});
  const std::string rule76 = Rule("", "6", "", "1", "0299", "31XX", "D-", "", "", "M");
  ASSERT_EQ(rule76.size(), 76u);
  Definition({rule76, rule76.substr(0, 75), Rule("", "6043", "", "1", "", "", "M", "", "", "D", "+"),
              Rule("", "6043", "", "1", "", "", "M", "", "", "D", "-"),
              Rule("", "604", "", "0,5", "", "", "M", "", "", "D", "-")});
  ASSERT_TRUE(Run(AutSource::Month).done);
  EXPECT_EQ(Generated(), (std::vector<std::string>{
                             "00001/0001 029903 3141 - -1000", "00001/0002 010203 6041 1000 -",
                             "00001/0003 029904 3142 - 400", "00001/0004 010204 6042 -400 -",
                             "00001/0005 010204 6042 -200 -", "00001/0006 010204 6042 - -200",
                             "00001/0007 029905 3143 - -", "00001/0008 010205 6043 - -"}));
}

TEST_F(AutoTransfer, TheSelectorLeavesOutRecordsByTheBeginningOfAField) {
  Make(kBalance, "UctS.Def",
       {Bal("01|02|03", "311", "", "311001", "10", ""), Bal("01|02|03", "311", "", "300500", "20", ""),
        Bal("01|02|03", "311", "", "411001", "40", "")});
  Definition({"Konta 311 a 3 nepresouvat", "8:311, 3XX", Rule("", "", "", "1", "", "395", "M", "", "", "D")});
  ASSERT_TRUE(Run(AutSource::Month).done);
  EXPECT_EQ(Generated(), (std::vector<std::string>{"00001/0001 010203 395 40 -", "00001/0002 010203 311 - 40"}));
}

TEST_F(AutoTransfer, AFaultyDefinitionIsNamedByLineAndChangesNothing) {
  CostClosing();
  Make(kPosting, "UctO.Def", {Post("01|02|03", "501", "", "", "50", "")});
  ASSERT_TRUE(Run(AutSource::Month).done);
  const std::string before = Get(kPosting);
  const std::string good = Rule("", "5", "", "1", "", "710", "M", "", "", "D");
  struct Case {
    std::vector<std::string> lines;
    std::string says;
  };
  const std::vector<Case> cases = {
      {{good, Rule("", "5", "", "1", "", "710", "Q", "", "", "D")}, "radek 3: strana A \"Q \""},
      {{good, Rule("", "5", "", "1", "", "710", "M", "", "", "DX")}, "radek 3: strana B \"DX\""},
      {{good, Rule("", "5", "", "1", "", "710", "M", "", "", "D", "*")}, "radek 3: podminka \"*\""},
      {{good, Rule("", "5", "", "1,x", "", "710", "M", "", "", "D")}, "radek 3: koeficient"},
      {{"8:311,,3", good}, "radek 2: prazdna polozka vyberu"},
      {{"11:311", good}, "radek 2: sloupec vyberu musi byt 1 az 10"},
      {{"8:311", good, "Poznamka: nic"}, "radek 4: druhy vyberovy radek (prvni je radek 2)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.says);
    Definition(c.lines);
    ui.Clear();
    EXPECT_FALSE(Run(AutSource::Month).done);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find(c.says), std::string::npos) << ui.messages[0].text;
    EXPECT_EQ(Get(kPosting), before);
  }
}

TEST_F(AutoTransfer, PostingsNotWrittenByATransferAreReplacedOnlyAfterAQuestion) {
  CostClosing();
  Make(kPosting, "UctO.Def", {"26|05|0102039901|00001|0001|01|02|03|211||||10||15.05.2026||||||"});
  const std::string before = Get(kPosting);
  int asked = 0;
  EXPECT_FALSE(Run(AutSource::Month, "  0102039901 ", &asked, false).done);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(Get(kPosting), before);
  ui.Clear();
  EXPECT_FALSE(Run(AutSource::Month, "   ").done);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ui.messages[0].text.find("neni zadan"), std::string::npos);
  const AutOutcome done = Run(AutSource::Month, "0102039901", &asked, true);
  ASSERT_TRUE(done.done);
  EXPECT_EQ(done.removed, 1);
  asked = 0;
  ASSERT_TRUE(Run(AutSource::Month, "0102039901", &asked, false).done);
  EXPECT_EQ(asked, 0);
}

TEST_F(AutoTransfer, TheWindowPresetsTheIdentificationAndPeriod) {
  TUctAut window(session, session.engine);
  window.FormCreate();
  EXPECT_EQ(window.Edit2, "  0102039901");
  EXPECT_EQ(window.Edit3, "  2605");
  ui.fileAnswers.push_back(std::string(kDef));
  window.DefSoub();
  EXPECT_EQ(window.Edit1, std::string("  ") + kDef);
  ASSERT_EQ(ui.fileRequests.size(), 1u);
  EXPECT_EQ(ui.fileRequests[0].filter, "Definicne subory (Aut*.Def)|Aut*.Def");
  CostClosing();
  window.source = AutSource::Month;
  EXPECT_TRUE(window.Proved());
  EXPECT_EQ(window.last.added, 4);
}

}  // namespace
}  // namespace orvo::test
