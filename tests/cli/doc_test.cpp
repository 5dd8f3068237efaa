// orvo-batch doc as a process on the demo company: a file of 1,000 postings
// booked and the posting file read back line by line, a failing line that
// refuses the whole file, the list, the balance check, prints and deletion
// with its question, and the right the menu item needs.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <sstream>

#include "support/run_batch.h"
#include "support/scratch.h"

namespace orvo::test {
namespace {

class BatchDocs : public ::testing::Test {
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
  BatchResult Admin(std::vector<std::string> args, bool yes = false) {
    std::vector<std::string> all{"--root", "L:", "--user", "Admin", "--password", password};
    if (yes) all.push_back("--yes");
    all.insert(all.end(), args.begin(), args.end());
    return RunBatch(all, drives);
  }
  std::string Write(const std::string& name, const std::string& text) {
    std::ofstream(d.path() + "/" + name, std::ios::binary) << text;
    return d.path() + "/" + name;
  }
  // The records of the posting file of 26 12 with trimmed values.
  std::vector<std::vector<std::string>> Postings() {
    auto r = Admin({"cds", "dump", "L:\\LOrvo\\Data\\261201UctO.Cds"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(r.out);
    std::string line;
    std::getline(lines, line);  // the field names
    while (std::getline(lines, line)) {
      std::vector<std::string> row;
      std::string value;
      std::istringstream fields(line);
      while (std::getline(fields, value, '|')) {
        const size_t a = value.find_first_not_of(' '), b = value.find_last_not_of(' ');
        row.push_back(a == std::string::npos ? "" : value.substr(a, b - a + 1));
      }
      row.resize(21);
      rows.push_back(row);
    }
    return rows;
  }

  TempDir c, d;
  std::vector<std::string> drives;
  std::string password;
};

TEST_F(BatchDocs, AThousandLinesAreBookedAndReadBackLineByLine) {
  const size_t before = Postings().size();
  // 100 documents of 10 lines: number given for the even ones, left empty
  // (the next free number) for the odd ones; line numbers left empty. The
  // amounts are stored with two decimals.
  struct Expected {
    std::string ucet, cinn, md, dal, text;
  };
  std::vector<std::pair<std::string, Expected>> lines;  // document key, values
  std::string text;
  const char* accounts[] = {"211", "311", "321", "501", "602"};
  for (int doc = 0; doc < 100; ++doc) {
    const std::string number = doc % 2 == 0 ? std::to_string(500 + doc) : "";
    for (int l = 0; l < 10; ++l) {
      const std::string ucet = accounts[(doc + l) % 5];
      const bool result = ucet[0] == '5' || ucet[0] == '6';
      Expected e{ucet, result ? "10100" : "", l % 2 == 0 ? std::to_string(doc * 10 + l + 1) + ",5" : "",
                 l % 2 == 1 ? std::to_string(doc * 10 + l) + (l == 9 && doc % 7 == 0 ? ",25" : ",5") : "", "Doklad " + std::to_string(doc) + " řádek"};
      // The documents without a number differ in the free characters of
      // the unit, or their lines would form one document.
      const std::string unit = number.empty() ? "01011100" + std::to_string(10 + doc / 2) : "0101110000";
      text += "26|12|" + unit + "|" + number + "||01|01|11|" + e.ucet + "|" + e.cinn + "|||" + e.md + "|" + e.dal +
              "|15.12.2026|||||" + e.text + "\n";
      lines.emplace_back(number.empty() ? "odd" + std::to_string(doc) : number, e);
    }
  }
  auto r = Admin({"doc", "post", Write("docs.csv", text)});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("Zauctovano dokladu: 100, radku: 1000"), std::string::npos) << r.out;

  auto rows = Postings();
  ASSERT_EQ(rows.size(), before + 1000);
  // The new records follow the old ones in the order of the file; every
  // document keeps its lines 0001 to 0010 and gets a number of its own.
  std::map<std::string, std::string> numberOf;
  std::set<std::string> numbers;
  for (size_t i = 0; i < 1000; ++i) {
    const auto& row = rows[before + i];
    const auto& [key, e] = lines[i];
    SCOPED_TRACE("line " + std::to_string(i + 1));
    EXPECT_EQ(row[0] + row[1] + row[2].substr(0, 8), "261201011100");
    auto [it, fresh] = numberOf.emplace(key, row[3]);
    EXPECT_EQ(it->second, row[3]);
    if (fresh) {
      EXPECT_TRUE(numbers.insert(row[3]).second) << row[3];
    }
    if (key.rfind("odd", 0) != 0) {
      EXPECT_EQ(row[3], "00" + key);
    }
    char expectedLine[5];
    std::snprintf(expectedLine, sizeof expectedLine, "%04zu", i % 10 + 1);
    EXPECT_EQ(row[4], expectedLine);
    EXPECT_EQ(row[8], e.ucet);
    EXPECT_EQ(row[9], e.cinn);
    EXPECT_EQ(row[10], row[3]);  // the reference defaults to the number
    auto stored = [](const std::string& v) { return v.size() > 1 && v[v.size() - 2] == ',' ? v + "0" : v; };
    EXPECT_EQ(row[12], stored(e.md));
    EXPECT_EQ(row[13], stored(e.dal));
    EXPECT_EQ(row[14], "15.12.2026");
    EXPECT_EQ(row[19], e.text);
  }
  // The odd documents took numbers after the given ones (00500 ... 00598).
  EXPECT_EQ(numberOf["odd1"], "00599");
  EXPECT_EQ(numberOf["odd99"], "00648");

  // The balance check against sums made here.
  std::map<std::string, double> difference;
  for (const auto& [key, e] : lines) {
    auto amount = [](std::string v) {
      for (char& ch : v) ch = ch == ',' ? '.' : ch;
      return v.empty() ? 0.0 : std::stod(v);
    };
    difference[key] += amount(e.md) - amount(e.dal);
  }
  int unbalanced = 0;
  for (const auto& [key, diff] : difference) unbalanced += std::abs(diff) > 0.005;
  EXPECT_EQ(unbalanced, 15);
  auto check = Admin({"doc", "check"});
  ASSERT_EQ(check.exitCode, 0) << check.err;
  EXPECT_NE(check.out.find("Nevyrovnane doklady: " + std::to_string(unbalanced)), std::string::npos) << check.out;
}

TEST_F(BatchDocs, OneFailingLineRefusesTheWholeFile) {
  const size_t before = Postings().size();
  struct Case {
    const char* name;
    std::string bad;
    const char* said;
  } cases[] = {
      {"unknown account", "26|12|0101110000|00001||01|01|11|999||||5", "Udaj nebyl v ciselniku"},
      {"no activity", "26|12|0101110000|00001||01|01|11|501||||5", "Nebyla zadana cinnost"},
      {"bad amount", "26|12|0101110000|00001||01|01|11|211||||5x", "Udaj nebyl v ciselniku"},
      {"line twice", "26|12|0101110000|00001|0001|01|01|11|211||||5", "cislo radku"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string text = "26|12|0101110000|00001|0001|01|01|11|211||||5\n" + c.bad + "\n";
    auto r = Admin({"doc", "post", Write("bad.csv", text)});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find(c.said), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("radek 2"), std::string::npos) << r.err;
    EXPECT_EQ(Postings().size(), before);
  }
}

TEST_F(BatchDocs, PrintVoucherOverwriteAndDelete) {
  const std::string doc = "26|12|0101110000|00007||01|01|11|211||||100\n26|12|0101110000|00007||01|01|11|311|||||100\n";
  ASSERT_EQ(Admin({"doc", "post", Write("doc.csv", doc)}).exitCode, 0);
  // Booking the same document again asks; without --yes the answer is No.
  EXPECT_EQ(Admin({"doc", "post", Write("doc.csv", doc)}).exitCode, 1);
  ASSERT_EQ(Admin({"doc", "post", Write("doc.csv", doc)}, true).exitCode, 0);

  auto list = Admin({"doc", "list"});
  EXPECT_NE(list.out.find("26 12 0101110000 00007  radku 2  MD 100,00  Dal 100,00"), std::string::npos)
      << list.out;
  for (const char* what : {"print", "voucher"}) {
    auto r = Admin({"doc", what, "26", "12", "0101110000", "7", "--out", d.path() + "/" + what + ".Ses"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::ifstream in(d.path() + "/" + what + ".Ses");
    std::string report((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(report.find("Celkem"), std::string::npos) << report;
    EXPECT_NE(report.find("100,00"), std::string::npos) << report;
  }

  const size_t before = Postings().size();
  EXPECT_EQ(Admin({"doc", "delete", "26", "12", "0101110000", "00007"}).exitCode, 1);
  EXPECT_EQ(Postings().size(), before);
  ASSERT_EQ(Admin({"doc", "delete", "26", "12", "0101110000", "00007"}, true).exitCode, 0);
  EXPECT_EQ(Postings().size(), before - 2);
  EXPECT_EQ(Admin({"doc", "delete", "26", "12", "0101110000", "00007"}, true).exitCode, 1);
}

TEST_F(BatchDocs, TheRightOfTheMenuItemIsNeeded) {
  ASSERT_EQ(Admin({"users", "add", "Eva", "heslo", "Prohl"}).exitCode, 0);
  auto r = RunBatch({"--root", "L:", "--user", "Eva", "--password", "heslo", "doc", "list"}, drives);
  EXPECT_EQ(r.exitCode, 3) << r.out << r.err;
}

}  // namespace
}  // namespace orvo::test
