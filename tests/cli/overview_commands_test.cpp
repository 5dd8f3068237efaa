// The overviews as a process on the demo year: the ledger's totals at two
// levels (the books balance, the levels agree), the reports in their three
// forms, and the usage and missing-file refusals.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/run_batch.h"
#include "support/scratch.h"

namespace orvo::test {
namespace {

class BatchOverviews : public ::testing::Test {
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
  BatchResult Admin(std::vector<std::string> args) {
    std::vector<std::string> all{"--root", "L:", "--user", "Admin", "--password", password};
    all.insert(all.end(), args.begin(), args.end());
    return RunBatch(all, drives);
  }
  std::string HostFile(const std::string& name) {
    std::ifstream in(c.path() + "/" + name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  // Sums in hellers of the last four columns of a ledger CSV.
  std::array<long long, 4> Totals(const std::string& csv, size_t* lines) {
    std::array<long long, 4> t{};
    std::istringstream in(csv);
    std::string line;
    *lines = 0;
    std::getline(in, line);  // the names
    while (std::getline(in, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      std::vector<std::string> f;
      std::stringstream ls(line);
      std::string v;
      while (std::getline(ls, v, ';')) f.push_back(v);
      if (line.back() == ';') f.push_back("");
      ++*lines;
      for (size_t i = 0; i < 4; ++i) {
        std::string a = f[f.size() - 4 + i];
        if (a.empty()) continue;
        const size_t comma = a.find(',');
        const bool neg = a[0] == '-';
        long long whole = std::stoll(a.substr(neg ? 1 : 0, comma - (neg ? 1 : 0)));
        long long h = whole * 100 + std::stoll(a.substr(comma + 1));
        t[i] += neg ? -h : h;
      }
    }
    return t;
  }

  TempDir c, d;
  std::vector<std::string> drives;
  std::string password;
};

TEST_F(BatchOverviews, LedgerTotalsBalanceAndAgreeAcrossLevels) {
  auto r = Admin({"ledger", "--level", "podnik", "--out", "C:\\podnik.csv"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("Hlavni kniha         Obdobi: 26 12: "), std::string::npos) << r.out;
  size_t podnikLines = 0, centreLines = 0;
  const auto podnik = Totals(HostFile("podnik.csv"), &podnikLines);
  r = Admin({"ledger", "--level", "stredisko", "--activities", "--from-january", "--digits", "3", "--out",
             "C:\\centre.csv"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const auto centre = Totals(HostFile("centre.csv"), &centreLines);
  EXPECT_GT(podnikLines, 10u);
  EXPECT_GT(centreLines, podnikLines / 2);
  // Double entry: every set of balances nets to zero, both turnovers agree.
  EXPECT_EQ(podnik[0], 0);
  EXPECT_EQ(podnik[3], 0);
  EXPECT_EQ(podnik[1], podnik[2]);
  EXPECT_GT(podnik[1], 0);
  EXPECT_EQ(centre[3], podnik[3]);
  // From January the turnovers cover more months than December's.
  EXPECT_GT(centre[1], podnik[1]);
  EXPECT_EQ(HostFile("podnik.csv").substr(0, 23), "Ucet;Nazev uctu;PocStav");
}

TEST_F(BatchOverviews, ReportsInEachForm) {
  auto r = Admin({"journal", "--out", "C:\\journal.Ses"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::string ses = HostFile("journal.Ses");
  EXPECT_NE(ses.find("Ucetni denik         Obdobi: 26 12"), std::string::npos);
  EXPECT_NE(ses.find("Orvo            "), std::string::npos);

  r = Admin({"saldo", "--from", "2601", "--to", "2612", "--konto-ucet", "--out", "C:\\saldo.Ses"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(HostFile("saldo.Ses").find("Saldo:  Konto - Ucet           Obdobi od-do: 2601-2612"), std::string::npos);

  // A PDF is written where orvo-batch is built with Qt (not in the core-only build).
  const bool withPdf = RunBatch({"--help"}).out.find("ses-to-pdf") != std::string::npos;
  r = Admin({"development", "accounts", "--from", "2601", "--to", "2606", "--level", "zavod", "--out",
             "C:\\vyvoj.pdf"});
  if (withPdf) {
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(HostFile("vyvoj.pdf").substr(0, 5), "%PDF-");
  } else {
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("this build writes no PDF"), std::string::npos) << r.err;
  }

  r = Admin({"development", "activities", "--from", "2601", "--to", "2612", "--accounts", "--level", "zavod",
             "--out", "C:\\vystcn.csv"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(HostFile("vystcn.csv").substr(0, 31), "Zavod;Cinnost;Nazev cinnosti;Uc");
}

TEST_F(BatchOverviews, RefusesBadArgumentsAndSaysWhatIsMissing) {
  struct Case {
    std::vector<std::string> args;
    int exit;
    std::string err;
  };
  const Case cases[] = {
      {{"ledger"}, 2, "--level"},
      {{"ledger", "--level", "kraj"}, 2, "--level"},
      {{"ledger", "--level", "podnik", "--digits", "7"}, 1, "Pocet mist uctu musi byt 1 az 6 !"},
      {{"development", "accounts", "--from", "2601"}, 2, "--to"},
      {{"development", "accounts", "--from", "2601", "--to", "2612", "--accounts"}, 2, "--activities"},
      {{"development", "accounts", "--from", "2501", "--to", "2612"}, 1, "250001UCTS.CDS"},
      {{"development", "accounts", "--from", "2601", "--to", "2513"}, 1, "251301UCTS.CDS"},
      {{"saldo", "--from", "2601"}, 2, "--to"},
      {{"ledger", "--level", "podnik", "--out", "C:\\x.txt"}, 2, "--out"},
  };
  for (const Case& c : cases) {
    auto r = Admin(c.args);
    EXPECT_EQ(r.exitCode, c.exit) << c.args[0] << " " << r.err;
    std::string upper = r.err;
    for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    std::string want = c.err;
    for (char& ch : want) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    EXPECT_NE(upper.find(want), std::string::npos) << r.err;
  }
}

}  // namespace
}  // namespace orvo::test
