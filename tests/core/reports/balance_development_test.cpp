// The balance developments: where the opening and the closing sets come
// from for the range cases, the activity development's cut and breakdown,
// and the refusals. The journal's order and its missing posting file.
#include <gtest/gtest.h>

#include "core/reports/balance_development.h"
#include "core/reports/journal.h"
#include "overview_fixture.h"

namespace orvo::test {
namespace {

class Development : public OverviewScratch {
 protected:
  const std::string accountsOut = "C:\\A_Run\\Aplikace\\LOrvo\\Sestavy\\HlKniha.Cds";
  const std::string activitiesOut = "C:\\A_Run\\Aplikace\\LOrvo\\Sestavy\\VyStCn.Cds";

  // One balance of account 311100 (debit `md`) stamped `period`.
  void Balance(const std::string& file, const std::string& md, const std::string& period) {
    Make(Data(file), "UctS.Def", {Bal("01|01|01", "311100", "", "", md, "", period)});
  }
  std::vector<std::vector<std::string>> Develop(TUctVyvoj& w, const std::string& from, const std::string& to,
                                                bool expectOk = true) {
    w.FormShow();
    w.Edit1 = from;
    w.Edit2 = to;
    EXPECT_EQ(w.Proved(), expectOk) << from << "-" << to;
    if (!expectOk) return {};
    return LedgerRows(w.OutputFile());
  }
};

TEST_F(Development, TakesTheClosingStateWhereTheRangeEnds) {
  struct Case {
    const char* what;
    std::vector<std::pair<std::string, std::string>> balances;  // file, debit
    bool postings;
    std::string from, to;
    std::vector<std::string> line;  // opening, debit, credit, closing
  };
  const Case cases[] = {
      // Current 26 05, nothing closed beyond it: the balances of 26 05 plus its postings.
      {"open end", {{"260001UctS.Cds", "10"}, {"260401UctS.Cds", "40"}}, true, "2601", "2605",
       {"10,00", "35,00", "", "45,00"}},
      // 26 05 closed (its result stored as the start of 26 06): that file.
      {"closed end", {{"260001UctS.Cds", "10"}, {"260401UctS.Cds", "40"}, {"260501UctS.Cds", "70"}}, true, "2601",
       "2605", {"10,00", "60,00", "", "70,00"}},
      // An end before the current period: the stored start of the month
      // after it, whose stamp is old; it is still the closing state.
      {"earlier end", {{"260001UctS.Cds", "10"}, {"260301UctS.Cds", "30"}}, false, "2601", "2603",
       {"10,00", "20,00", "", "30,00"}},
      // Start equal to end, nothing posted.
      {"one month", {{"260401UctS.Cds", "40"}}, false, "2605", "2605", {"40,00", "", "", "40,00"}},
  };
  for (const Case& c : cases) {
    for (const char* f : {"260001UctS.Cds", "260301UctS.Cds", "260401UctS.Cds", "260501UctS.Cds", "260501UctO.Cds"}) {
      fs->Remove(Data(f));
    }
    for (const auto& [file, md] : c.balances) Balance(file, md, "26|" + file.substr(2, 2));
    if (c.postings) Make(Data("260501UctO.Cds"), "UctO.Def", {Post("01|01|01", "311100", "", "", "5", "")});
    TUctVyUc w(session, session.engine, session.scrHandOver);
    auto rows = Develop(w, c.from, c.to);
    ASSERT_EQ(rows.size(), 1u) << c.what;
    EXPECT_EQ(std::vector<std::string>(rows[0].begin() + 2, rows[0].end()), c.line) << c.what;
    EXPECT_EQ(w.Heading2(), "Vyvoj stavu uctu: " + c.from + "-" + c.to);
  }
}

TEST_F(Development, SaysWhatIsMissing) {
  struct Case {
    const char* what;
    std::vector<std::string> files;
    std::string from, to, message;
  };
  const Case cases[] = {
      {"no start", {"260401UctS.Cds"}, "2601", "2605", "260001UCTS.CDS"},
      {"no end state", {"260001UctS.Cds"}, "2601", "2605", "260401UCTS.CDS"},
      {"earlier end not closed", {"260001UctS.Cds", "260401UctS.Cds"}, "2601", "2602", "260201UCTS.CDS"},
      {"not a period", {"260001UctS.Cds"}, "26x1", "2605", "Chybne zadane obdobie: 26x1"},
  };
  for (const Case& c : cases) {
    for (const char* f : {"260001UctS.Cds", "260201UctS.Cds", "260401UctS.Cds"}) fs->Remove(Data(f));
    for (const std::string& f : c.files) Balance(f, "1", "26|01");
    ui.messages.clear();
    TUctVyUc w(session, session.engine, session.scrHandOver);
    Develop(w, c.from, c.to, false);
    EXPECT_FALSE(w.Zobr());
    ASSERT_EQ(ui.messages.size(), 1u) << c.what;
    EXPECT_NE(UpperCz(ui.messages[0].text).find(UpperCz(c.message)), std::string::npos) << ui.messages[0].text;
  }
}

TEST_F(Development, OfActivitiesCutsTheActivityAndSkipsPostingsWithoutOne) {
  Make(Data("260401UctS.Cds"), "UctS.Def",
       {Bal("01|01|01", "501100", "12001", "", "10", ""), Bal("01|01|01", "501100", "", "", "99", "")});
  Make(Data("260501UctO.Cds"), "UctO.Def",
       {Post("01|01|01", "501100", "12999", "", "3", ""), Post("01|01|01", "501100", "", "", "50", ""),
        Post("01|01|01", "211000", "30000", "", "", "4")});
  TUctVyCn w(session, session.engine, session.scrHandOver);
  EXPECT_EQ(w.Edit3, "5");
  w.CB1 = true;
  w.Edit3 = "2";
  auto rows = Develop(w, "2605", "2605");
  EXPECT_EQ(FieldNames(activitiesOut),
            (std::vector<std::string>{"Cinnost", "Nazev cinnosti", "Ucet", "Nazev uctu", "PocStav", "ObratMD",
                                      "ObratDal", "KonStav"}));
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], (std::vector<std::string>{"12", "", "501100", "Spotreba materialu", "10,00", "3,00", "", "13,00"}));
  EXPECT_EQ(rows[1], (std::vector<std::string>{"30", "", "211000", "", "", "", "4,00", "-4,00"}));

  w.CB1 = false;
  w.Edit3 = "5";
  rows = Develop(w, "2605", "2605");
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], (std::vector<std::string>{"12001", "Lesni vyroba", "10,00", "", "", "10,00"}));
  EXPECT_EQ(rows[1], (std::vector<std::string>{"12999", "", "", "3,00", "", "3,00"}));

  w.Edit3 = "6";
  ui.messages.clear();
  Develop(w, "2605", "2605", false);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "Pocet mist cinnosti musi byt 1 az 5 !");
}

TEST_F(Development, JournalListsThePostingsInDocumentOrderAndStopsWithoutThem) {
  int shown = 0;
  auto show = [&] { ++shown; };
  EXPECT_FALSE(PrehUctDenik(session, session.engine, session.scrHandOver, show));
  EXPECT_EQ(shown, 0);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ui.messages[0].text.find("nebyl nalezen"), std::string::npos);

  Make(Data("260501UctO.Cds"), "UctO.Def",
       {Post("01|01|01", "311100", "", "", "1", "", "26|05", "3"), Post("01|01|01", "211000", "", "", "2", "", "26|05", "1"),
        Post("01|01|01", "321200", "", "", "3", "", "26|05", "2")});
  ASSERT_TRUE(PrehUctDenik(session, session.engine, session.scrHandOver, show));
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(session.scrHandOver.ScrHeading2, "Ucetni denik         Obdobi: 26 05");
  std::vector<std::string> accounts;
  for (const auto& r : Rows(kJournalFile.data())) accounts.push_back(r[8]);
  EXPECT_EQ(accounts, (std::vector<std::string>{"211000", "321200", "311100"}));
}

}  // namespace
}  // namespace orvo::test
