// The general ledger against a plain sum per key computed here from the same
// fixture rows, at every level, with and without activities, at 3 and 6
// digits; its invariants; and the edge cases of the window.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "core/reports/general_ledger_window.h"
#include "core/shell/period.h"
#include "overview_fixture.h"

namespace orvo::test {
namespace {

using Amounts = std::array<int64_t, 4>;  // opening, debit, credit, closing
using Key = std::vector<std::string>;

// "-1 234,56" -> -123456, blank -> 0; written independently of the code.
int64_t Hellers(const std::string& text) {
  std::string t;
  for (char c : text) {
    if (c != ' ') t += c;
  }
  if (t.empty()) return 0;
  const bool neg = t[0] == '-';
  if (neg) t = t.substr(1);
  const size_t comma = t.find(',');
  int64_t whole = std::stoll(t.substr(0, comma));
  int64_t frac = comma == std::string::npos ? 0 : std::stoll((t.substr(comma + 1) + "00").substr(0, 2));
  return (neg ? -1 : 1) * (whole * 100 + frac);
}

std::string Text(int64_t h) {
  const int64_t a = h < 0 ? -h : h;
  std::string frac = std::to_string(a % 100);
  if (frac.size() < 2) frac = "0" + frac;
  return (h < 0 ? "-" : "") + std::to_string(a / 100) + "," + frac;
}

struct Row {
  std::string unit[3];
  std::string ucet, cinn, konto;
  int64_t md = 0, dal = 0;
};

class Ledger : public OverviewScratch {
 protected:
  const std::string bal = Data("260401UctS.Cds");    // balances at the start of 26 05
  const std::string post = Data("260501UctO.Cds");   // postings of 26 05
  const std::string jan = Data("260001UctS.Cds");    // balances at the start of 26 01
  const std::string out = "C:\\A_Run\\Aplikace\\LOrvo\\Sestavy\\HlKniha.Cds";

  static std::string Unit(const Row& r) { return r.unit[0] + "|" + r.unit[1] + "|" + r.unit[2]; }
  void WriteBalances(const std::string& file, const std::vector<Row>& rows, const std::string& period = "26|04") {
    std::vector<std::string> lines;
    for (const Row& r : rows) lines.push_back(Bal(Unit(r), r.ucet, r.cinn, r.konto, Text(r.md), Text(r.dal), period));
    Make(file, "UctS.Def", lines);
  }
  void WritePostings(const std::vector<Row>& rows) {
    std::vector<std::string> lines;
    for (const Row& r : rows) lines.push_back(Post(Unit(r), r.ucet, r.cinn, r.konto, Text(r.md), Text(r.dal)));
    Make(post, "UctO.Def", lines);
  }

  // The ledger computed by the window.
  std::vector<std::vector<std::string>> Run(LedgerLevel level, bool activities, int digits, bool january = false) {
    TUctHlKn w(session, session.engine, session.scrHandOver);
    w.FormShow();
    w.level = level;
    w.CB1 = activities;
    w.CB2 = january;
    w.Edit1 = std::to_string(digits);
    EXPECT_TRUE(w.Proved());
    EXPECT_TRUE(w.Computed());
    return LedgerRows(out);
  }

  // Ledger lines by their key fields (all but the names and the amounts).
  static std::map<Key, Amounts> ByKey(const std::vector<std::vector<std::string>>& lines, int org, bool activities) {
    std::map<Key, Amounts> m;
    for (const auto& l : lines) {
      Key k(l.begin(), l.begin() + org + 1);
      if (activities) k.push_back(l[static_cast<size_t>(org + 2)]);
      const size_t n = l.size();
      Amounts a{Hellers(l[n - 4]), Hellers(l[n - 3]), Hellers(l[n - 2]), Hellers(l[n - 1])};
      EXPECT_TRUE(m.emplace(k, a).second) << "a key twice";
    }
    return m;
  }
};

// A deterministic mix: three plants' units, accounts sharing prefixes,
// activities present or blank, kontos that sum away.
std::vector<Row> Mix(unsigned seed, int count) {
  static const char* accounts[] = {"211000", "311100", "311200", "321200", "501100", "501200", "602000"};
  static const char* activities[] = {"", "12001", "12999", "30000"};
  std::vector<Row> rows;
  unsigned x = seed;
  auto next = [&x] { return x = x * 1103515245u + 12345u, (x >> 8) & 0xFFFFu; };
  for (int i = 0; i < count; ++i) {
    Row r;
    r.unit[0] = "0" + std::to_string(1 + next() % 2);
    r.unit[1] = "0" + std::to_string(1 + next() % 2);
    r.unit[2] = "0" + std::to_string(1 + next() % 2);
    r.ucet = accounts[next() % 7];
    r.cinn = activities[next() % 4];
    r.konto = next() % 3 == 0 ? "K" + std::to_string(next() % 5) : "";
    const unsigned side = next() % 3;
    if (side != 1) r.md = 1 + static_cast<int64_t>(next()) * 7;
    if (side != 0) r.dal = 1 + static_cast<int64_t>(next()) * 3;
    rows.push_back(r);
  }
  return rows;
}

TEST_F(Ledger, EqualsAPlainSumPerKeyAtEveryLevel) {
  const std::vector<Row> opening = Mix(7, 300);
  const std::vector<Row> postings = Mix(11, 500);
  WriteBalances(bal, opening);
  WritePostings(postings);
  const LedgerLevel levels[] = {LedgerLevel::Podnik, LedgerLevel::Zavod, LedgerLevel::Sprava, LedgerLevel::Stredisko};
  std::map<std::string, std::map<Key, Amounts>> got;
  for (LedgerLevel level : levels) {
    for (bool activities : {false, true}) {
      for (int digits : {3, 6}) {
        const int org = LevelOrgFields(level);
        // The plain sum: the opening set is the balance file, the closing
        // set the same balances plus every posting.
        std::map<Key, std::array<int64_t, 4>> sums;  // A, B, C, E
        auto keyOf = [&](const Row& r) {
          Key k(r.unit, r.unit + org);
          k.push_back(r.ucet.substr(0, static_cast<size_t>(digits)));
          if (activities) k.push_back(r.cinn);
          return k;
        };
        for (const Row& r : opening) {
          auto& s = sums[keyOf(r)];
          s[0] += r.md, s[1] += r.dal, s[2] += r.md, s[3] += r.dal;
        }
        for (const Row& r : postings) {
          auto& s = sums[keyOf(r)];
          s[2] += r.md, s[3] += r.dal;
        }
        std::map<Key, Amounts> expected;
        for (const auto& [k, s] : sums) expected[k] = {s[0] - s[1], s[2] - s[0], s[3] - s[1], s[2] - s[3]};

        const auto lines = Run(level, activities, digits);
        const auto byKey = ByKey(lines, org, activities);
        const std::string what = std::to_string(org) + (activities ? "A" : "-") + std::to_string(digits);
        EXPECT_EQ(byKey, expected) << what;
        // The lines come in key order.
        for (size_t i = 1; i < lines.size(); ++i) {
          Key a(lines[i - 1].begin(), lines[i - 1].begin() + org + 1), b(lines[i].begin(), lines[i].begin() + org + 1);
          EXPECT_LE(a, b) << what;
        }
        for (const auto& [k, a] : byKey) EXPECT_EQ(a[3], a[0] + a[1] - a[2]) << what;
        got[what] = byKey;
      }
    }
  }
  // Cost-centre lines summed equal the enterprise ledger; 6-digit lines
  // summed by prefix equal the 3-digit ledger.
  for (bool activities : {false, true}) {
    const std::string a = activities ? "A" : "-";
    for (int digits : {3, 6}) {
      std::map<Key, Amounts> rolled;
      for (const auto& [k, v] : got["3" + a + std::to_string(digits)]) {
        Key r(k.begin() + 3, k.end());
        for (int i = 0; i < 4; ++i) rolled[r][static_cast<size_t>(i)] += v[static_cast<size_t>(i)];
      }
      EXPECT_EQ(rolled, got["0" + a + std::to_string(digits)]);
    }
    for (int org = 0; org <= 3; ++org) {
      std::map<Key, Amounts> rolled;
      for (const auto& [k, v] : got[std::to_string(org) + a + "6"]) {
        Key r = k;
        r[static_cast<size_t>(org)] = r[static_cast<size_t>(org)].substr(0, 3);
        for (int i = 0; i < 4; ++i) rolled[r][static_cast<size_t>(i)] += v[static_cast<size_t>(i)];
      }
      EXPECT_EQ(rolled, got[std::to_string(org) + a + "3"]);
    }
  }
}

TEST_F(Ledger, CutsAccountsNamesThemAndKeepsTheLevelsFields) {
  WriteBalances(bal, {{{"01", "02", "03"}, "311100", "12001", "K1", 10000, 0},
                      {{"01", "02", "04"}, "311200", "", "", 0, 2500}});
  WritePostings({{{"01", "02", "03"}, "311200", "12001", "", 500, 0}, {{"02", "01", "01"}, "999999", "77777", "", 0, 100}});
  auto lines = Run(LedgerLevel::Podnik, false, 3);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], (std::vector<std::string>{"311", "Odberatele", "75,00", "5,00", "", "80,00"}));
  EXPECT_EQ(lines[1], (std::vector<std::string>{"999", "", "", "", "1,00", "-1,00"}));  // no name in the chart

  lines = Run(LedgerLevel::Zavod, false, 6);
  EXPECT_EQ(LedgerKeyList(LedgerLevel::Zavod, false), (std::vector<int>{3, 6, 1, 2}));
  EXPECT_EQ(FieldNames(out), (std::vector<std::string>{"Zavod", "Ucet", "Nazev uctu", "PocStav", "ObratMD",
                                                       "ObratDal", "KonStav"}));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], (std::vector<std::string>{"01", "311100", "Odberatele tuzemsko", "100,00", "", "", "100,00"}));
  EXPECT_EQ(lines[1], (std::vector<std::string>{"01", "311200", "", "-25,00", "5,00", "", "-20,00"}));

  lines = Run(LedgerLevel::Stredisko, true, 6);
  EXPECT_EQ(LedgerKeyList(LedgerLevel::Stredisko, true), (std::vector<int>{3, 4, 5, 6, 7, 1, 2}));
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], (std::vector<std::string>{"01", "02", "03", "311100", "Odberatele tuzemsko", "12001",
                                                "Lesni vyroba", "100,00", "", "", "100,00"}));
  EXPECT_EQ(lines[3], (std::vector<std::string>{"02", "01", "01", "999999", "", "77777", "", "", "", "1,00", "-1,00"}));
}

TEST_F(Ledger, KeysInOneSetOnlyAndTheFirstOfJanuary) {
  // 26 05 with the opening as at 1 January: keys only in January lose their
  // balance, keys only now gain theirs; the turnovers cover January to May.
  WriteBalances(jan, {{{"01", "01", "01"}, "211000", "", "", 30000, 0}, {{"01", "01", "01"}, "311100", "", "", 5000, 1000}},
                "26|00");
  WriteBalances(bal, {{{"01", "01", "01"}, "311100", "", "", 8000, 1000}});
  WritePostings({{{"01", "01", "01"}, "321200", "", "", 0, 700}});
  auto lines = Run(LedgerLevel::Podnik, false, 6, true);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], (std::vector<std::string>{"211000", "", "300,00", "-300,00", "", ""}));
  EXPECT_EQ(lines[1], (std::vector<std::string>{"311100", "Odberatele tuzemsko", "40,00", "30,00", "", "70,00"}));
  EXPECT_EQ(lines[2], (std::vector<std::string>{"321200", "Dodavatele", "", "", "7,00", "-7,00"}));
}

TEST_F(Ledger, APeriodWithoutPostingsShowsItsBalancesUnmoved) {
  // The balances carry the stamp of the month they were computed in; they
  // are the closing state as well as the opening one.
  WriteBalances(bal, {{{"01", "01", "01"}, "311100", "", "", 8000, 1000}}, "26|04");
  auto lines = Run(LedgerLevel::Podnik, false, 6);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0], (std::vector<std::string>{"311100", "Odberatele tuzemsko", "70,00", "", "", "70,00"}));
}

TEST_F(Ledger, RefusesBadDigitsAndAMissingOpeningFile) {
  struct Case {
    std::string digits;
    bool haveBalances;
    std::string message;
  };
  const Case cases[] = {{"0", true, "Pocet mist uctu musi byt 1 az 6 !"},
                        {"7", true, "Pocet mist uctu musi byt 1 az 6 !"},
                        {"x", true, "Pocet mist uctu musi byt 1 az 6 !"},
                        {"", true, "Pocet mist uctu musi byt 1 az 6 !"},
                        {"6", false, "nebyl nalezen"}};
  for (const Case& c : cases) {
    fs->Remove(bal);
    if (c.haveBalances) WriteBalances(bal, {{{"01", "01", "01"}, "311100", "", "", 100, 0}});
    ui.messages.clear();
    int shown = 0;
    TUctHlKn w(session, session.engine, session.scrHandOver);
    w.showBrowser = [&] { ++shown; };
    w.FormShow();
    w.Edit1 = c.digits;
    EXPECT_FALSE(w.Proved()) << c.digits;
    EXPECT_FALSE(w.Computed());
    EXPECT_FALSE(w.Zobr());
    EXPECT_FALSE(w.Tab());
    EXPECT_EQ(shown, 0);
    ASSERT_EQ(ui.messages.size(), 1u) << c.digits;
    EXPECT_NE(ui.messages[0].text.find(c.message), std::string::npos) << ui.messages[0].text;
    EXPECT_FALSE(FileExistsQuiet(*env, out));
  }
}

TEST_F(Ledger, ShowsTheResultWithItsHeadings) {
  WriteBalances(bal, {{{"01", "01", "01"}, "311100", "", "", 100, 0}});
  TUctHlKn w(session, session.engine, session.scrHandOver);
  int shown = 0;
  w.showBrowser = [&] {
    ++shown;
    EXPECT_EQ(session.scrHandOver.ScrFile, out);
    EXPECT_EQ(session.scrHandOver.ScrDef, "C:\\A_Run\\Work\\Orvoork.Def");
    EXPECT_EQ(session.scrHandOver.ScrEditAllowed, 'N');
    EXPECT_EQ(session.scrHandOver.ScrHeading1.substr(0, 16), "Orvo            ");
    EXPECT_EQ(session.scrHandOver.ScrHeading1.size(), 16u + 10 + 2 + 8);
    EXPECT_EQ(session.scrHandOver.ScrHeading2, "Hlavni kniha         Obdobi: 26 05");
  };
  w.FormShow();
  ASSERT_TRUE(w.Proved());
  EXPECT_TRUE(w.Zobr());
  EXPECT_EQ(shown, 1);
}

TEST(LedgerDefinition, CutsTheTemplateByLevelAndBreakdown) {
  const std::vector<std::string> t{"title", "Z", "S", "St", "U", "UN", "C", "CN", "X", "A1", "A2", "A3", "A4"};
  EXPECT_EQ(CutLedgerDefinition(t, 0, false),
            (std::vector<std::string>{"title", "U", "UN", "X", "A1", "A2", "A3", "A4"}));
  EXPECT_EQ(CutLedgerDefinition(t, 2, true),
            (std::vector<std::string>{"title", "Z", "S", "U", "UN", "C", "CN", "X", "A1", "A2", "A3", "A4"}));
  EXPECT_TRUE(CutLedgerDefinition({"title", "Z", "S"}, 3, true).empty());
}

TEST(LedgerAmounts, ReadAndWrittenInWholeHellers) {
  struct Case {
    std::string text;
    int64_t hellers;
  };
  const Case cases[] = {{"", 0},          {"  12,5", 1250},    {"-0,01", -1},  {"1.5", 150},
                        {"99999999999,99", 9999999999999}, {"abc", 0}};
  for (const Case& c : cases) EXPECT_EQ(HellersOf(c.text), c.hellers) << c.text;
  EXPECT_EQ(HellerText(0), std::string(15, ' '));
  EXPECT_EQ(HellerText(-123456), std::string(7, ' ') + "-1234,56");
  EXPECT_EQ(HellerText(5), "           0,05");
}

}  // namespace
}  // namespace orvo::test
