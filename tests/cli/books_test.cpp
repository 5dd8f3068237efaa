// The books' commands as a process: the month-end close with its question
// and target, the year adjustment, one operation of the processing object,
// and the role check of the menu.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/run_batch.h"
#include "support/scratch.h"

namespace orvo::test {
namespace {

class BatchBooks : public ::testing::Test {
 protected:
  void SetUp() override {
    drives = {"ORVO_DRIVES=C=" + c.path() + ";L=" + d.path()};
    auto r = RunBatch({"demo", d.path()}, drives);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string marker = "Uzivatel: Admin   Heslo: ";
    size_t at = r.out.find(marker);
    ASSERT_NE(at, std::string::npos) << r.out;
    password = r.out.substr(at + marker.size());
    password = password.substr(0, password.find('\n'));
  }
  BatchResult As(const std::string& user, const std::string& pw, std::vector<std::string> args) {
    std::vector<std::string> all{"--root", "L:", "--user", user, "--password", pw};
    all.insert(all.end(), args.begin(), args.end());
    return RunBatch(all, drives);
  }
  BatchResult Admin(std::vector<std::string> args) { return As("Admin", password, std::move(args)); }
  bool Has(const std::string& name) { return std::filesystem::exists(d.path() + "/LOrvo/Data/" + name); }
  // Posting file of period YYMM (plant 01) from rows of the posting layout.
  void Postings(const std::string& period, const std::vector<std::string>& rows) {
    std::ofstream text(d.path() + "/post.txt");
    for (const auto& r : rows) text << r << "\n";
    text.close();
    auto r = Admin({"cds", "from-text", "L:\\LOrvo\\DefSoub\\UctO.Def", d.path() + "/post.txt",
                    "L:\\LOrvo\\Data\\" + period + "01UctO.Cds"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
  }
  static std::string Row(const std::string& period, const std::string& ucet, const std::string& md,
                         const std::string& dal) {
    return period.substr(0, 2) + "|" + period.substr(2, 2) + "|0101110000|1|1|01|01|11|" + ucet +
           "||||" + md + "|" + dal + "|15.12.2026||||||";
  }

  TempDir c, d;
  std::vector<std::string> drives;
  std::string password;
};

TEST_F(BatchBooks, MonthAndYearCloseMoveTheBooks) {
  ASSERT_EQ(Admin({"period", "set", "3012"}).exitCode, 0);
  Postings("3012", {Row("3012", "211", "1000", ""), Row("3012", "411", "", "1000"),
                    Row("3012", "501", "300", ""), Row("3012", "211", "", "300")});
  // The question is answered No without --yes: nothing happens.
  auto r = Admin({"close", "month"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_FALSE(Has("301201UctS.Cds"));

  r = Admin({"--yes", "close", "month", "--to", "3101"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "Uzavreno 3012, ucetni obdobi: 31 01\n");
  EXPECT_TRUE(Has("310001UctS.Cds"));
  EXPECT_EQ(Admin({"period", "show"}).out, "31 01\n");

  // The opening state of 2031: the cost account goes, 211 is netted.
  r = Admin({"--yes", "close", "year"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  r = Admin({"cds", "dump", "L:\\LOrvo\\Data\\310001UctS.Cds"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("|211   |     |               |         700,00|               "), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("|411   |"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("|501   |"), std::string::npos) << r.out;

  // A refused target.
  r = Admin({"--yes", "close", "month", "--to", "3116"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("Chybne zadane obdobi !"), std::string::npos) << r.err;
}

TEST_F(BatchBooks, ProcRunsOneOperation) {
  Postings("3001", {Row("3001", "211", "10", ""), Row("3001", "211", "", "2,5")});
  auto r = Admin({"proc", "StSNove", "L:\\LOrvo\\Data\\300001UctS.Cds", "L:\\LOrvo\\Data\\300101UctO.Cds",
                  "L:\\out.Cds"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  r = Admin({"cds", "dump", "L:\\out.Cds"});
  EXPECT_NE(r.out.find("|          10,00|           2,50|           7,50"), std::string::npos) << r.out;
  r = Admin({"proc", "ObOdDo", "2512", "2601", "L:\\range.Cds"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(Admin({"proc", "StNove", "only-one"}).exitCode, 2);
  EXPECT_EQ(Admin({"proc", "Nothing"}).exitCode, 2);
}

TEST_F(BatchBooks, TablesWriteTheViewsDataset) {
  ASSERT_EQ(Admin({"period", "set", "3001"}).exitCode, 0);
  Postings("3001", {Row("3001", "211", "10", ""), Row("3001", "311", "", "2,5")});
  auto r = Admin({"table", "obraty", "--out", "L:\\o.csv"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  std::ifstream csv(d.path() + "/o.csv", std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(csv)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text.substr(0, text.find("\r\n")),
            "Rok;Mesic;DoklId;CisDokl;Radek;Zavod;Sprava;Stredisko;Ucet;Cinnost;IntDokl;Konto;MD;Dal;"
            "Datum;Mena;NazevKonta;Kurz;DatZapisu;Text;Poznamka");
  EXPECT_NE(text.find("\r\n30;01;0101110000;00001;0001;01;01;11;211;;;;10,00;;15.12.2026;;;;;;\r\n"),
            std::string::npos)
      << text;

  r = Admin({"table", "aktualni-stavy", "--out", "L:\\a.Cds"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("Prehled aktualnich stavu v obdobi 30 01"), std::string::npos) << r.out;
  r = Admin({"cds", "dump", "L:\\a.Cds"});
  EXPECT_NE(r.out.find("|311   |     |               |               |           2,50|          -2,50"),
            std::string::npos)
      << r.out;
  r = Admin({"table", "range", "2912", "3001", "--out", "L:\\r.Cds"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  r = Admin({"table", "stavy-obraty", "--out", "L:\\so.Cds"});
  ASSERT_EQ(r.exitCode, 0) << r.err;

  // There are no opening balances of 2030: reported.
  r = Admin({"table", "stavy", "--out", "L:\\s.Cds"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("300001UctS.Cds"), std::string::npos) << r.err;
  EXPECT_EQ(Admin({"table", "range", "3001", "--out", "L:\\r.Cds"}).exitCode, 2);
  EXPECT_EQ(Admin({"table", "obraty"}).exitCode, 2);
}

TEST_F(BatchBooks, OnlyTheClosingRolesMayClose) {
  ASSERT_EQ(Admin({"users", "add", "Eva", "heslo", "Prohl"}).exitCode, 0);
  auto r = As("Eva", "heslo", {"--yes", "close", "month"});
  EXPECT_EQ(r.exitCode, 3);
  EXPECT_NE(r.err.find("nemate opravneni"), std::string::npos) << r.err;
  EXPECT_EQ(As("Eva", "heslo", {"proc", "RocniUzav"}).exitCode, 3);
  EXPECT_EQ(As("Eva", "wrong", {"--yes", "close", "month"}).exitCode, 3);
}

}  // namespace
}  // namespace orvo::test
