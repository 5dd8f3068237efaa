// orvo-batch demo --legacy and the three conversions of the menu "Dos" as
// processes: the demo's legacy directory gets a year of the DOS version's
// data, the conversions print what they converted, replace existing files
// only with --yes and are for the role Admin; the converted books have per
// account the ledger the generator computes from its own amounts.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "core/accounting/legacy_data_generator.h"
#include "core/data/dataset.h"
#include "core/shell/period_keys.h"
#include "core/sys/numbers.h"
#include "core/sys/text.h"
#include "support/run_batch.h"
#include "support/scratch.h"

namespace orvo::test {
namespace {

class BatchLegacy : public Scratch {
 protected:
  void SetUp() override {
    drives = {"ORVO_DRIVES=C=" + cDir + ";D=" + dDir};
    auto r = RunBatch({"demo", "D:", "--legacy"}, drives);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("D:\\LOrvo\\PrevDos\\UceS"), std::string::npos) << r.out;
    const std::string marker = "Uzivatel: Admin   Heslo: ";
    size_t at = r.out.find(marker);
    ASSERT_NE(at, std::string::npos) << r.out;
    password = r.out.substr(at + marker.size());
    password = password.substr(0, password.find('\n'));
    at = r.out.find("Ucetni obdobi: ");
    ASSERT_NE(at, std::string::npos);
    legacyYear = YearBefore(r.out.substr(at + 15, 2));
  }
  BatchResult As(const std::string& user, const std::string& pw, std::vector<std::string> args) {
    std::vector<std::string> all{"--root", "D:", "--user", user, "--password", pw};
    all.insert(all.end(), args.begin(), args.end());
    return RunBatch(all, drives);
  }
  BatchResult Admin(std::vector<std::string> args) { return As("Admin", password, std::move(args)); }
  std::vector<std::vector<std::string>> Rows(const std::string& file) {
    Dataset ds(*env);
    EXPECT_TRUE(ds.LoadFromFile(file)) << file;
    std::vector<std::vector<std::string>> rows;
    for (int r = 0; r < ds.RecordCount(); ++r) {
      rows.emplace_back();
      for (int f = 0; f < ds.FieldCount(); ++f) rows.back().push_back(ds.StringAt(r, f));
    }
    return rows;
  }
  static int64_t Hellers(const std::string& text) { return std::llround(TextToReal(text) * 100.0); }

  std::vector<std::string> drives;
  std::string password;
  std::string legacyYear;
};

TEST_F(BatchLegacy, ConvertedDemoYearHasTheGeneratorsLedger) {
  // The demo's own code lists exist: without --yes nothing is replaced.
  auto r = Admin({"legacy", "codelists"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("Prevod nahradi existujici soubory: 3"), std::string::npos) << r.err;
  r = Admin({"legacy", "codelists", "--yes"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("Prevedeno: D:\\LOrvo\\PrevDos\\PomSoub\\Ucet.Cis -> D:\\LOrvo\\Cisel\\"), std::string::npos)
      << r.out;
  r = Admin({"legacy", "balances"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("UceS" + legacyYear + "01.Dat -> D:\\LOrvo\\Data\\" + legacyYear + "0001UctS.Cds"),
            std::string::npos)
      << r.out;
  r = Admin({"legacy", "postings"});
  ASSERT_EQ(r.exitCode, 0) << r.err;

  const LegacyYear year = GenerateLegacyYear(legacyYear, {{"01", "01", "11"}, {"02", "02", "21"}, {"03", "03", "31"}});
  for (int month = 1; month <= 12; ++month) {
    const std::string key = legacyYear + TwoDigits(month);
    std::map<std::string, LegacyLedgerLine> ledger;
    for (const auto& row : Rows("D:\\LOrvo\\Data\\" + PrevPeriodKey(key) + "01UctS.Cds")) {
      ledger[Trim(row[5])].openMd += Hellers(row[8]);
      ledger[Trim(row[5])].openDal += Hellers(row[9]);
    }
    for (const auto& row : Rows("D:\\LOrvo\\Data\\" + key + "01UctO.Cds")) {
      ledger[Trim(row[8])].turnMd += Hellers(row[12]);
      ledger[Trim(row[8])].turnDal += Hellers(row[13]);
    }
    EXPECT_EQ(ledger, year.Ledger(month)) << key;
  }

  // Again: every target exists now; with --yes each is archived first.
  r = Admin({"--yes", "legacy", "postings"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.err.find("Prevod nahradi existujici soubory: 12"), std::string::npos) << r.err;
  EXPECT_TRUE(Exists("D:\\LOrvo\\Archiv\\" + legacyYear + "0101UctO_001.Cds"));
}

TEST_F(BatchLegacy, OnlyTheAdministratorConverts) {
  ASSERT_EQ(Admin({"users", "add", "Eva", "heslo", "Sprav"}).exitCode, 0);
  auto r = As("Eva", "heslo", {"legacy", "balances"});
  EXPECT_EQ(r.exitCode, 3);
  EXPECT_NE(r.err.find("nemate opravneni"), std::string::npos) << r.err;
  EXPECT_EQ(Admin({"legacy", "ledger"}).exitCode, 2);
}

}  // namespace
}  // namespace orvo::test
