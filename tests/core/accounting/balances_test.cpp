// Balances and turnovers over small fixtures: the conversions between the
// two layouts, the new balances with every combination of missing inputs,
// the postings of a range of periods and the net balance. Expected figures
// are summed in the tests themselves.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "books_fixture.h"
#include "core/shell/file_names.h"
#include "core/sys/files.h"
#include "core/sys/numbers.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace orvo::test {
namespace {

class Balances : public BooksScratch {
 protected:
  const std::string bal = Data("260401UctS.Cds");
  const std::string post = Data("260501UctO.Cds");
  const std::string out = "C:\\A_Run\\Work\\Out.Cds";
};

TEST_F(Balances, StObNumbersDocumentsOfFiveHundredLines) {
  std::vector<std::string> rows;
  for (int i = 0; i < 1001; ++i) rows.push_back(Bal("01|02|03", "311", "", "K" + std::to_string(i), "1", ""));
  Make(bal, "UctS.Def", rows);
  ASSERT_TRUE(proc.StOb(bal, out));
  auto r = Rows(out);
  ASSERT_EQ(r.size(), 1001u);
  EXPECT_EQ(r[0][3], "00001");
  EXPECT_EQ(r[0][4], "0001");
  EXPECT_EQ(r[499][3], "00001");
  EXPECT_EQ(r[499][4], "0500");
  EXPECT_EQ(r[500][3], "00002");
  EXPECT_EQ(r[500][4], "0001");
  EXPECT_EQ(r[999][3], "00002");
  EXPECT_EQ(r[999][4], "0500");
  EXPECT_EQ(r[1000][3], "00003");
  EXPECT_EQ(r[1000][4], "0001");
  // The balance words land at their posting positions.
  EXPECT_EQ(r[7][0], "26");
  EXPECT_EQ(r[7][1], "05");
  EXPECT_EQ(r[7][2], "0000000000");
  EXPECT_EQ(r[7][5] + r[7][6] + r[7][7], "010203");
  EXPECT_EQ(r[7][8], "311");
  EXPECT_EQ(r[7][10], "Stav");
  EXPECT_EQ(r[7][11], "K7");
  EXPECT_EQ(Trim(r[7][12]), "1,00");
  EXPECT_EQ(r[7][13], "");
  EXPECT_EQ(r[7][14], "15.03.2016");
  EXPECT_EQ(r[7].size(), 21u);
  EXPECT_EQ(r[7][20], "");
}

TEST_F(Balances, ObStDropsKeysWhoseTotalsAreZero) {
  Make(post, "UctO.Def",
       {Post("01|02|03", "311", "", "A", "100", ""), Post("01|02|03", "311", "", "A", "-100", ""),
        Post("01|02|03", "311", "", "B", "0,0004", ""), Post("01|02|03", "321", "", "C", "10", "5"),
        Post("01|02|03", "321", "", "C", "2,5", ""), Post("01|02|03", "211", "", "", "", "7")});
  ASSERT_TRUE(proc.ObSt(post, out));
  auto r = Rows(out);
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(r[0][5], "211");  // in key order
  EXPECT_EQ(Trim(r[0][8]), "");
  EXPECT_EQ(Trim(r[0][9]), "7,00");
  EXPECT_EQ(r[1][5], "321");
  EXPECT_EQ(r[1][7], "C");
  EXPECT_EQ(Trim(r[1][8]), "12,50");
  EXPECT_EQ(Trim(r[1][9]), "5,00");
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Balances, AmountsAreReadAndWrittenAsTheServicesDo) {
  // Amounts as they may stand in a file written by other hands: each key
  // gets one debit; the sum must be what TextToReal reads and
  // RealTextRounded writes.
  const std::vector<std::string> amounts{"1234,5", "  -0,01", "1.5 ", "99999999999,99", "0,0004", "12,345",
                                         "-7,005", "1 000,25", "abc", "", "3,", ",5", "-", "0,004", "0,005"};
  Dataset ds(*env);
  session.engine.params.DefName = Def("UctO.Def");
  session.engine.MakeTableVirt(ds);
  for (size_t i = 0; i < amounts.size(); ++i) {
    ds.Append();
    ds.SetAsString(8, "K" + std::to_string(100 + i));
    ds.SetAsString(12, amounts[i]);
    ds.SetAsString(13, amounts[i]);
    ds.Post();
  }
  ASSERT_TRUE(ds.SaveToFile(post, DataFormat::Binary));
  ASSERT_TRUE(proc.ObSt(post, out));
  Dataset got(*env);
  ASSERT_TRUE(got.LoadFromFile(out));
  size_t at = 0;
  for (size_t i = 0; i < amounts.size(); ++i) {
    const double value = TextToReal(amounts[i]);
    if (std::fabs(value) < 0.0005) continue;
    ASSERT_LT(static_cast<int>(at), got.RecordCount()) << amounts[i];
    EXPECT_EQ(TrimRight(got.StringAt(static_cast<int>(at), 5)), "K" + std::to_string(100 + i));
    const std::string expected = std::fabs(value) < 0.005 ? std::string(15, ' ') : RealTextRounded(15, 2, value);
    EXPECT_EQ(got.StringAt(static_cast<int>(at), 8), expected) << "'" << amounts[i] << "'";
    EXPECT_EQ(got.StringAt(static_cast<int>(at), 9), expected) << "'" << amounts[i] << "'";
    ++at;
  }
  EXPECT_EQ(static_cast<int>(at), got.RecordCount());
}

TEST_F(Balances, SortsByTheFirstKeyWords) {
  Make(bal, "UctS.Def",
       {Bal("02|01|01", "311", "", "", "1", ""), Bal("01|02|03", "321", "", "", "2", ""),
        Bal("01|02|03", "211", "", "", "3", ""), Bal("01|01|01", "999", "", "", "4", "")});
  ASSERT_TRUE(proc.SortCds2(bal, Def("UctS.Def"), out, 8));
  std::vector<std::string> accounts;
  for (const auto& r : Rows(out)) accounts.push_back(r[5]);
  EXPECT_EQ(accounts, (std::vector<std::string>{"999", "211", "321", "311"}));
  EXPECT_EQ(FieldNames(out).size(), 10u);

  const std::string out1 = "C:\\A_Run\\Work\\Out1.Cds";
  ASSERT_TRUE(proc.SortCds1(session.codeList, bal, out1, 8));
  accounts.clear();
  for (const auto& r : Rows(out1)) accounts.push_back(r[5]);
  EXPECT_EQ(accounts, (std::vector<std::string>{"999", "211", "321", "311"}));
  // A missing input is reported and the output stays as it was.
  const std::string sorted = Get(out1);
  EXPECT_FALSE(proc.SortCds1(session.codeList, Data("none.Cds"), out1, 8));
  EXPECT_EQ(Get(out1), sorted);
  EXPECT_FALSE(proc.SortCds2(Data("none.Cds"), Def("UctS.Def"), out, 8));
  EXPECT_EQ(ui.messages.size(), 2u);
}

// Old code: SortCds1 erased its output first and sorted its input in place,
// so the input changed, and a sort that failed still copied the unsorted
// input over the lost output and reported success.
TEST_F(Balances, SortCds1KeepsItsInputAndReplacesItsOutputOnlyWhenSorted) {
  Make(bal, "UctS.Def", {Bal("02|01|01", "311", "", "", "1", ""), Bal("01|01|01", "999", "", "", "4", "")});
  const std::string input = Get(bal);
  const std::string out1 = "C:\\A_Run\\Work\\Out1.Cds";
  ASSERT_TRUE(proc.SortCds1(session.codeList, bal, out1, 8));
  EXPECT_EQ(Get(bal), input);
  EXPECT_EQ(Rows(out1).front()[5], "999");

  const std::string sorted = Get(out1);
  Put(Data("bad.Cds"), "no dataset");
  EXPECT_FALSE(proc.SortCds1(session.codeList, Data("bad.Cds"), out1, 8));
  EXPECT_EQ(Get(out1), sorted);
  EXPECT_EQ(Get(Data("bad.Cds")), "no dataset");
  EXPECT_FALSE(ui.messages.empty());
}

TEST_F(Balances, ObStStampsTheCurrentPeriod) {
  PutPeriod("17 05");
  Make(post, "UctO.Def", {Post("01|02|03", "311", "", "", "1", "", "17|03")});
  ASSERT_TRUE(proc.ObSt(post, out));
  auto r = Rows(out);
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0][0], "17");
  EXPECT_EQ(r[0][1], "05");
}

TEST_F(Balances, MissingInputsOfTheConversionsAreReported) {
  EXPECT_FALSE(proc.StOb(bal, out));
  EXPECT_FALSE(proc.ObSt(post, out));
  EXPECT_FALSE(Exists(out));
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_NE(ui.messages[0].text.find("260401UctS.Cds"), std::string::npos);
  EXPECT_NE(ui.messages[1].text.find("260501UctO.Cds"), std::string::npos);
}

TEST_F(Balances, StNoveWithEachMissingInput) {
  // Neither: an empty balance file, no message.
  ASSERT_TRUE(proc.StNove(bal, post, out));
  EXPECT_TRUE(Rows(out).empty());
  EXPECT_EQ(FieldNames(out).size(), 10u);
  EXPECT_TRUE(ui.messages.empty());

  // Balances only: the file unchanged, stamps included (stored unsorted).
  Make(bal, "UctS.Def", {Bal("01|02|03", "311", "", "", "5", "", "26|01"), Bal("01|02|03", "211", "", "", "", "3", "25|12")});
  ASSERT_TRUE(proc.StNove(bal, post, out));
  EXPECT_EQ(Get(out), Get(bal));

  // Postings only: their sums.
  const std::string out2 = "C:\\A_Run\\Work\\Out2.Cds";
  EraseFile(*env, bal);
  Make(post, "UctO.Def", {Post("01|02|03", "311", "", "", "1", ""), Post("01|02|03", "311", "", "", "2", "")});
  ASSERT_TRUE(proc.StNove(bal, post, out2));
  auto r = Rows(out2);
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(Trim(r[0][8]), "3,00");
}

TEST_F(Balances, StNoveAddsPostingsToBalancesPerKey) {
  // A small month: balances of three units, postings on old and new keys.
  std::vector<std::string> balRows, postRows;
  std::map<std::string, std::pair<double, double>> expected;
  auto key = [](const std::string& u, const std::string& a, const std::string& c, const std::string& k) {
    return u + "|" + a + "|" + c + "|" + k;
  };
  const char* units[] = {"01|02|03", "02|02|03", "03|01|01"};
  const char* accounts[] = {"311100", "321", "501", "211"};
  int n = 0;
  for (const char* u : units) {
    for (const char* a : accounts) {
      double md = 100 + 7 * n, dal = 3.25 * n;
      balRows.push_back(Bal(u, a, "10000", "", Trim(RealTextPlain(15, 2, md)), Trim(RealTextPlain(15, 2, dal)), "26|04"));
      expected[key(u, a, "10000", "")] = {md, dal};
      ++n;
    }
  }
  for (int i = 0; i < 40; ++i) {
    const char* u = units[i % 3];
    const char* a = accounts[i % 4];
    const std::string c = i % 5 == 0 ? "20000" : "10000";
    const std::string k = i % 7 == 0 ? "ODB1" : "";
    double md = i % 2 ? 12.5 * i : 0, dal = i % 2 ? 0 : 1.01 * i;
    postRows.push_back(Post(u, a, c, k, Trim(RealTextPlain(15, 2, md)), Trim(RealTextPlain(15, 2, dal))));
    auto& e = expected[key(u, a, c, k)];
    e.first += md;
    e.second += dal;
  }
  Make(bal, "UctS.Def", balRows);
  Make(post, "UctO.Def", postRows);
  ASSERT_TRUE(proc.StNove(bal, post, out));
  auto r = Rows(out);
  std::map<std::string, std::pair<double, double>> got;
  std::string last;
  for (const auto& row : r) {
    EXPECT_EQ(row[0] + row[1], "2605");
    std::string k = row[2] + "|" + row[3] + "|" + row[4] + "|" + row[5] + "|" + row[6] + "|" + row[7];
    std::string sortKey;
    got[k] = {TextToReal(row[8]), TextToReal(row[9])};
  }
  size_t nonZero = 0;
  for (const auto& [k, v] : expected) {
    if (std::fabs(v.first) < 0.0005 && std::fabs(v.second) < 0.0005) continue;
    ++nonZero;
    ASSERT_TRUE(got.count(k)) << k;
    EXPECT_NEAR(got[k].first, v.first, 0.001) << k;
    EXPECT_NEAR(got[k].second, v.second, 0.001) << k;
  }
  EXPECT_EQ(r.size(), nonZero);
  // Ascending key order, as the summation gives it.
  Dataset ds(*env);
  ASSERT_TRUE(ds.LoadFromFile(out));
  for (int i = 1; i < ds.RecordCount(); ++i) {
    std::string a, b;
    for (int f = 0; f < 8; ++f) {
      a += ds.StringAt(i - 1, f);
      b += ds.StringAt(i, f);
    }
    EXPECT_LT(a, b);
  }
}

TEST_F(Balances, StSNoveAddsTheNetBalance) {
  Make(bal, "UctS.Def", {Bal("01|02|03", "311", "", "", "100", "250,5"), Bal("01|02|03", "321", "", "", "40", "40")});
  ASSERT_TRUE(proc.StSNove(bal, post, out));
  Dataset ds(*env);
  ASSERT_TRUE(ds.LoadFromFile(out));
  ASSERT_EQ(ds.FieldCount(), 11);
  ASSERT_EQ(ds.RecordCount(), 2);
  EXPECT_EQ(ds.StringAt(0, 10), "        -150,50");
  EXPECT_EQ(ds.StringAt(1, 10), std::string(15, ' '));
}

TEST_F(Balances, StSNoveWithoutItsDefinitionIsReported) {
  EraseFile(*env, Def("UctSS.Def"));
  Put(out, "old");
  EXPECT_FALSE(proc.StSNove(bal, post, out));
  EXPECT_EQ(Get(out), "old");
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ui.messages[0].text.find("UctSS.Def"), std::string::npos);
}

TEST_F(Balances, ObOdDoCollectsAcrossAYearEndInPeriodOrder) {
  for (const char* p : {"2611", "2612", "2613", "2620", "2700", "2701", "2703", "2704", "9912", "0001"}) {
    const std::string key = p;
    Make(PostingFile(session, key), "UctO.Def",
         {Post("01|02|03", "311", "", key, "1", "", key.substr(0, 2) + "|" + key.substr(2, 2))});
  }
  ASSERT_TRUE(proc.ObOdDo("2612", "2703", out));
  std::vector<std::string> konta;
  for (const auto& row : Rows(out)) konta.push_back(row[11]);
  EXPECT_EQ(konta, (std::vector<std::string>{"2612", "2613", "2620", "2701", "2703"}));

  // Years past 20 and year 00 are periods like any other.
  ASSERT_TRUE(proc.ObOdDo("9901", "9912", out));
  ASSERT_EQ(Rows(out).size(), 1u);
  ASSERT_TRUE(proc.ObOdDo("0001", "0001", out));
  ASSERT_EQ(Rows(out).size(), 1u);
  // A range whose first period is after its last is empty.
  ASSERT_TRUE(proc.ObOdDo("2703", "2612", out));
  EXPECT_TRUE(Rows(out).empty());
  EXPECT_EQ(FieldNames(out).size(), 21u);
}

TEST_F(Balances, StObSpojPutsBalancesBeforePostings) {
  // Neither file: an empty posting-layout file.
  ASSERT_TRUE(proc.StObSpoj(bal, post, out));
  EXPECT_TRUE(Rows(out).empty());
  EXPECT_EQ(FieldNames(out).size(), 21u);

  Make(bal, "UctS.Def", {Bal("01|02|03", "311", "", "", "5", "")});
  Make(post, "UctO.Def", {Post("01|02|03", "321", "", "", "", "2"), Post("01|02|03", "311", "", "", "1", "")});
  ASSERT_TRUE(proc.StObSpoj(bal, post, out));
  auto r = Rows(out);
  ASSERT_EQ(r.size(), 3u);
  EXPECT_EQ(r[0][10], "Stav");
  EXPECT_EQ(r[1][8], "321");
  EXPECT_EQ(r[2][8], "311");
  EXPECT_EQ(r[1][14], "15.05.2026");
}

TEST_F(Balances, BalanceFilesOfAFixtureMatchTheGoldenFiles) {
  // Three plants, two months: the balance file after each close.
  Make(Data("260001UctS.Cds"), "UctS.Def",
       {Bal("01|01|01", "211", "", "", "15000", "", "26|00"), Bal("01|01|01", "411", "", "", "", "15000", "26|00"),
        Bal("02|01|01", "311100", "", "ODB1", "1210", "", "26|00")});
  Make(Data("260101UctO.Cds"), "UctO.Def",
       {Post("01|01|01", "501", "10000", "", "1200", "", "26|01"), Post("01|01|01", "211", "", "", "", "1200", "26|01"),
        Post("02|01|01", "311100", "", "ODB1", "", "1210", "26|01"),
        Post("02|01|01", "221", "", "", "1210", "", "26|01")});
  Make(Data("260201UctO.Cds"), "UctO.Def",
       {Post("03|01|01", "602", "20000", "", "", "800,40", "26|02"),
        Post("03|01|01", "311100", "", "ODB2", "800,40", "", "26|02")});
  PutPeriod("26 01");
  ASSERT_TRUE(proc.StNove(Data("260001UctS.Cds"), Data("260101UctO.Cds"), Data("260101UctS.Cds")));
  PutPeriod("26 02");
  ASSERT_TRUE(proc.StNove(Data("260101UctS.Cds"), Data("260201UctO.Cds"), Data("260201UctS.Cds")));
  const std::string dir = std::string(ORVO_SOURCE_DIR) + "/tests/golden/accounting/";
  for (const char* name : {"260101UctS.Cds", "260201UctS.Cds"}) {
    const std::string dump = Dump(Data(name));
    const std::string golden = dir + name + ".txt";
    if (std::getenv("ORVO_UPDATE_GOLDEN") != nullptr) {
      std::filesystem::create_directories(dir);
      std::ofstream(golden, std::ios::binary) << dump;
    }
    EXPECT_EQ(dump, ReadHost(golden)) << name;
  }
}

}  // namespace
}  // namespace orvo::test
