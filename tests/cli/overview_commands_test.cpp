// The overviews as a process on the demo year: the ledger's totals at two
// levels (the books balance, the levels agree), the reports in their three
// forms, the workbooks of the result datasets, and the usage and
// missing-file refusals.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/run_batch.h"
#include "support/scratch.h"
#include "support/zip_entries.h"

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

// The rows of a workbook's first sheet from row 3 on (the records): per
// row, the numbers by column letter. Texts are left out.
std::vector<std::map<std::string, double>> SheetRecords(const std::string& hostPath) {
  std::vector<std::map<std::string, double>> rows;
  auto entries = ZipEntries(hostPath);
  if (!entries) return rows;
  const std::string& xml = (*entries)["xl/worksheets/sheet1.xml"];
  size_t at = 0;
  while ((at = xml.find("<row r=\"", at)) != std::string::npos) {
    const int number = std::stoi(xml.substr(at + 8));
    const size_t end = xml.find("</row>", at);
    const std::string row = xml.substr(at, end - at);
    at = end;
    if (number < 3) continue;
    std::map<std::string, double>& cells = rows.emplace_back();
    size_t c = 0;
    while ((c = row.find("<c r=\"", c)) != std::string::npos) {
      const size_t close = row.find('>', c);
      const std::string open = row.substr(c, close - c);
      std::string letters;
      for (size_t i = 6; i < open.size() && std::isupper(static_cast<unsigned char>(open[i])); ++i) letters += open[i];
      const size_t v = row.find("<v>", close);
      if (open.find(" t=") == std::string::npos && open.back() != '/' && v != std::string::npos &&
          v < row.find("</c>", close)) {
        cells[letters] = std::stod(row.substr(v + 3));
      }
      c = close;
    }
  }
  return rows;
}

TEST_F(BatchOverviews, WorkbooksHoldEveryRecord) {
  struct Case {
    std::vector<std::string> args;
    std::string file;
  };
  const Case cases[] = {
      {{"journal"}, "journal.xlsx"},
      {{"ledger", "--level", "podnik"}, "podnik.xlsx"},
      {{"development", "accounts", "--from", "2601", "--to", "2606", "--level", "zavod"}, "vyvoj.xlsx"},
      {{"saldo", "--from", "2601", "--to", "2612"}, "saldo.xlsx"},
  };
  for (const Case& k : cases) {
    std::vector<std::string> args = k.args;
    args.insert(args.end(), {"--out", "C:\\" + k.file});
    auto r = Admin(args);
    ASSERT_EQ(r.exitCode, 0) << k.file << " " << r.err;
    // "<heading>: N radku <file>" names the records of the result.
    const size_t radku = r.out.find(" radku ");
    ASSERT_NE(radku, std::string::npos) << r.out;
    const size_t colon = r.out.rfind(": ", radku);
    const size_t records = std::stoul(r.out.substr(colon + 2, radku - colon - 2));
    EXPECT_GT(records, 0u) << k.file;
    EXPECT_EQ(SheetRecords(c.path() + "/" + k.file).size(), records) << k.file;
    // Written through a temporary file that is renamed into place.
    EXPECT_FALSE(std::filesystem::exists(c.path() + "/." + k.file + ".part")) << k.file;
  }
}

TEST_F(BatchOverviews, LedgerWorkbookBalancesAndAgreesWithItsCsv) {
  ASSERT_EQ(Admin({"ledger", "--level", "podnik", "--out", "C:\\kniha.csv"}).exitCode, 0);
  auto r = Admin({"ledger", "--level", "podnik", "--out", "C:\\kniha.xlsx"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  size_t lines = 0;
  const auto csv = Totals(HostFile("kniha.csv"), &lines);
  // The last four columns: opening balance, debit and credit turnover,
  // closing balance; summed in hellers from the sheet's numbers.
  const std::string names = HostFile("kniha.csv").substr(0, HostFile("kniha.csv").find('\r'));
  const int columns = static_cast<int>(std::count(names.begin(), names.end(), ';')) + 1;
  ASSERT_GE(columns, 4);
  ASSERT_LE(columns, 26);
  std::array<long long, 4> sheet{};
  const auto rows = SheetRecords(c.path() + "/kniha.xlsx");
  ASSERT_EQ(rows.size(), lines);
  for (const auto& row : rows) {
    for (int i = 0; i < 4; ++i) {
      auto cell = row.find(std::string(1, static_cast<char>('A' + columns - 4 + i)));
      if (cell != row.end()) sheet[static_cast<size_t>(i)] += std::llround(cell->second * 100);
    }
  }
  EXPECT_EQ(sheet, csv);
  EXPECT_EQ(sheet[0], 0);
  EXPECT_EQ(sheet[1], sheet[2]);
  EXPECT_GT(sheet[1], 0);
  EXPECT_EQ(sheet[3], 0);
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
