// The demo year: balanced documents of all three units, and balance files
// that are the opening state plus every posting before their month, summed
// here independently of the close.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "books_fixture.h"
#include "core/accounting/demo_year.h"
#include "core/shell/file_names.h"
#include "core/sys/files.h"
#include "core/sys/numbers.h"

namespace orvo::test {
namespace {

class DemoYear : public BooksScratch {
 protected:
  const std::vector<DemoUnit> units{{"01", "01", "11"}, {"02", "02", "21"}, {"03", "03", "31"}};
  using Sums = std::map<std::string, std::pair<double, double>>;
  // Balance-layout key of a posting row or a balance row.
  static void AddPosting(Sums& s, const std::vector<std::string>& r) {
    auto& e = s[r[5] + r[6] + r[7] + "|" + r[8] + "|" + r[9] + "|" + r[11]];
    e.first += TextToReal(r[12]);
    e.second += TextToReal(r[13]);
  }
  static void AddBalance(Sums& s, const std::vector<std::string>& r) {
    auto& e = s[r[2] + r[3] + r[4] + "|" + r[5] + "|" + r[6] + "|" + r[7]];
    e.first += TextToReal(r[8]);
    e.second += TextToReal(r[9]);
  }
};

TEST_F(DemoYear, EveryBalanceFileIsTheOpeningStatePlusThePostingsBefore) {
  PutPeriod("26 04");
  auto files = WriteDemoYear(session, session.engine, units);
  // Opening state, four posting files, three closes.
  ASSERT_EQ(files.size(), 8u);
  LoadPeriod(session);
  EXPECT_EQ(session.CurrentPeriod, "26 04");

  Sums running;
  for (const auto& r : Rows(BalanceFile(session, "2601"))) AddBalance(running, r);
  for (int month = 1; month <= 4; ++month) {
    const std::string key = "260" + std::to_string(month);
    if (month > 1) {
      Sums got;
      for (const auto& r : Rows(BalanceFile(session, key))) {
        EXPECT_EQ(r[0] + r[1], "260" + std::to_string(month - 1));
        AddBalance(got, r);
      }
      size_t nonZero = 0;
      for (const auto& [k, v] : running) {
        if (std::fabs(v.first) < 0.0005 && std::fabs(v.second) < 0.0005) continue;
        ++nonZero;
        ASSERT_TRUE(got.count(k)) << key << " " << k;
        EXPECT_NEAR(got[k].first, v.first, 0.005) << key << " " << k;
        EXPECT_NEAR(got[k].second, v.second, 0.005) << key << " " << k;
      }
      EXPECT_EQ(got.size(), nonZero) << key;
    }
    // Every document balances, and all three units post every month.
    std::map<std::string, double> docs;
    std::map<std::string, int> units;
    auto postings = Rows(PostingFile(session, key));
    EXPECT_GT(postings.size(), 100u);
    for (const auto& r : postings) {
      docs[r[3]] += TextToReal(r[12]) - TextToReal(r[13]);
      ++units[r[5]];
      EXPECT_EQ(r[0] + r[1], key);
      AddPosting(running, r);
    }
    for (const auto& [doc, diff] : docs) EXPECT_NEAR(diff, 0, 0.005) << key << " document " << doc;
    EXPECT_EQ(units.size(), 3u);
  }
  // Konta of customers and suppliers and activities on costs are there.
  bool konto = false, activity = false;
  for (const auto& r : Rows(PostingFile(session, "2603"))) {
    konto = konto || (r[8] == "311100" && !r[11].empty());
    activity = activity || (r[8][0] == '5' && !r[9].empty());
  }
  EXPECT_TRUE(konto);
  EXPECT_TRUE(activity);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(DemoYear, TheSameYearEveryTimeAndNeverOverwritten) {
  PutPeriod("26 02");
  WriteDemoYear(session, session.engine, units);
  const std::string posting = Get(PostingFile(session, "2602"));
  const std::string balance = Get(BalanceFile(session, "2602"));
  // Present: nothing is written again.
  EXPECT_TRUE(WriteDemoYear(session, session.engine, units).empty());
  for (const char* key : {"2601", "2602"}) EraseFile(*env, PostingFile(session, key));
  for (const char* key : {"2601", "2602"}) EraseFile(*env, BalanceFile(session, key));
  EXPECT_EQ(WriteDemoYear(session, session.engine, units).size(), 4u);
  EXPECT_EQ(Get(PostingFile(session, "2602")), posting);
  EXPECT_EQ(Get(BalanceFile(session, "2602")), balance);
  // Month 00: the opening state only.
  PutPeriod("27 00");
  auto files = WriteDemoYear(session, session.engine, units);
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(files[0], BalanceFile(session, "2701"));
}

}  // namespace
}  // namespace orvo::test
