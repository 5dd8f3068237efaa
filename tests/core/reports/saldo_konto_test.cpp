// The saldo-konto: opening lines, running balances, "KonSt" subtotals and
// the grand total in both grouping orders, with the order by internal
// document, across a year end, and without an opening file.
#include <gtest/gtest.h>

#include "core/reports/saldo_konto.h"
#include "core/sys/text_lines.h"
#include "overview_fixture.h"

namespace orvo::test {
namespace {

class Saldo : public OverviewScratch {
 protected:
  // Each line of the browser's table as Zavod, first code, second code,
  // IntDokl, opening balance, running (or closing) balance.
  std::vector<std::string> Lines(bool byDokl = false) {
    std::vector<std::string> out;
    const size_t dokl = byDokl ? 3 : 7;
    for (const auto& r : Rows(std::string(kSaldoFile))) {
      out.push_back(r[0] + "|" + r[1] + "|" + r[2] + "|" + Trim(r[dokl]) + "|" + Trim(r[12]) + "|" + Trim(r[15]));
    }
    return out;
  }
  TUctSaldo Window(bool ucetKonto = true, bool byDokl = false) {
    TUctSaldo w(session, session.engine, session.scrHandOver);
    w.RUK = ucetKonto;
    w.CBDokl = byDokl;
    return w;
  }
  static std::string P(const std::string& ucet, const std::string& konto, const std::string& md,
                       const std::string& dal, const std::string& intDokl = "", const std::string& period = "26|05",
                       const std::string& doc = "1") {
    return period + "|010203    |" + doc + "|1|01|02|03|" + ucet + "||" + intDokl + "|" + konto + "|" + md + "|" +
           dal + "|15.05.2026||||||";
  }
};

TEST_F(Saldo, RunningBalancesSubtotalsAndTotal) {
  // Opening (start of 26 01, file of 26 00): konto A 100, konto B -20, konto
  // Z zero, a balance without konto, and an account whose kontos net to 0.
  Make(Data("260001UctS.Cds"), "UctS.Def",
       {Bal("01|02|03", "311100", "", "A", "100", "", "26|00"), Bal("01|02|03", "311100", "", "B", "", "20", "26|00"),
        Bal("01|02|03", "311100", "", "Z", "", "", "26|00"), Bal("01|02|03", "311100", "", "", "999", "", "26|00"),
        Bal("01|02|03", "321200", "", "C", "40", "", "26|00"), Bal("01|02|03", "321200", "", "D", "", "40", "26|00")});
  Make(Data("260301UctO.Cds"), "UctO.Def", {P("311100", "A", "50", "", "", "26|03"), P("311100", "", "7", "", "", "26|03")});
  Make(Data("260501UctO.Cds"), "UctO.Def", {P("311100", "A", "", "30"), P("311100", "Q", "0,004", "")});
  TUctSaldo w = Window();
  EXPECT_EQ(w.Edit1, "2601");
  EXPECT_EQ(w.Edit2, "2605");
  ASSERT_TRUE(w.Proved());
  EXPECT_EQ(Lines(), (std::vector<std::string>{
                         "01|311100|A|Stav|100,00|100,00",
                         "01|311100|A||" "|150,00",
                         "01|311100|A||" "|120,00",
                         "01|311100|B|Stav|-20,00|-20,00",
                         "01|311100|KonSt||" "|100,00",
                         "01|321200|C|Stav|40,00|40,00",
                         "01|321200|D|Stav|-40,00|-40,00",
                         "**|******|KonSt||" "|100,00",
                     }));
  EXPECT_EQ(w.Heading2(), "Saldo:  Ucet - Konto           Obdobi od-do: 2601-2605");
}

TEST_F(Saldo, KontoFirstSubtotalsPerKonto) {
  Make(Data("260401UctS.Cds"), "UctS.Def",
       {Bal("01|02|03", "311100", "", "K1", "10", "", "26|04"), Bal("01|02|03", "321200", "", "K1", "5", "", "26|04"),
        Bal("01|02|03", "311100", "", "K2", "", "3", "26|04")});
  TUctSaldo w = Window(false);
  w.Edit1 = "2605";
  ASSERT_TRUE(w.Proved());
  // The konto is 15 characters wide: the first level is plant and konto.
  EXPECT_EQ(Lines(), (std::vector<std::string>{
                         "01|K1|311100|Stav|10,00|10,00",
                         "01|K1|321200|Stav|5,00|5,00",
                         "01|K1|KonSt||" "|15,00",
                         "01|K2|311100|Stav|-3,00|-3,00",
                         "01|K2|KonSt||" "|-3,00",
                         "**|***************|KonSt||" "|12,00",
                     }));
}

TEST_F(Saldo, AcrossAYearEndAndByInternalDocument) {
  // No balance file for 25 12: no opening lines, the running balance starts
  // from the first posting.
  Make(Data("251201UctO.Cds"), "UctO.Def",
       {P("311100", "A", "10", "", "D2", "25|12", "1"), P("311100", "A", "5", "", "D1", "25|12", "2")});
  Make(Data("260101UctO.Cds"), "UctO.Def", {P("311100", "A", "", "1", "D0", "26|01")});
  Make(Data("260201UctO.Cds"), "UctO.Def", {P("311100", "A", "", "100", "D9", "26|02")});
  TUctSaldo w = Window(true, true);
  w.Edit1 = "2512";
  w.Edit2 = "2601";
  ASSERT_TRUE(w.Proved());
  EXPECT_EQ(Lines(true), (std::vector<std::string>{
                             "01|311100|A|D1||5,00",
                             "01|311100|A|D2||15,00",
                             "01|311100|A|D0||14,00",
                             "01|311100|KonSt||" "|14,00",
                             "**|******|KonSt||" "|14,00",
                         }));
  EXPECT_NE(w.Heading2().find("Razeni podle int. dokl."), std::string::npos);
  ASSERT_EQ(ui.messages.size(), 1u);  // the missing opening file, said once
  EXPECT_NE(ui.messages[0].text.find("251101UctS.Cds"), std::string::npos) << ui.messages[0].text;
  // The running balance is a text column.
  std::string def = Get(kSaldoDef);
  auto lines = SplitLines(def);
  ASSERT_EQ(lines.size(), 16u);
  EXPECT_EQ(lines[15].substr(70, 2), "LM");
  EXPECT_EQ(lines[12].substr(70, 2), "N2");
}

TEST_F(Saldo, ShowsTheKontoColumnsSummedAndRefusesBadPeriods) {
  TUctSaldo w = Window();
  int shown = 0;
  w.showBrowser = [&] {
    ++shown;
    EXPECT_EQ(session.scrHandOver.ScrSumCols[1], 'A');
    EXPECT_EQ(session.scrHandOver.ScrSumCols[2], 'A');
    EXPECT_EQ(session.scrHandOver.ScrSumCols[0], 'N');
    EXPECT_EQ(session.scrHandOver.ScrFile, std::string(kSaldoFile));
  };
  EXPECT_FALSE(w.Zobr());
  w.Edit1 = "26";
  EXPECT_FALSE(w.Proved());
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "Chybne zadane obdobie: 26");
  w.Edit1 = "2601";
  ASSERT_TRUE(w.Proved());  // nothing in the range: the total line alone
  EXPECT_EQ(Lines(), (std::vector<std::string>{"**|******|KonSt||" "|"}));
  EXPECT_TRUE(w.Zobr());
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(session.scrHandOver.ScrSumCols[1], 'N');
}

}  // namespace
}  // namespace orvo::test
