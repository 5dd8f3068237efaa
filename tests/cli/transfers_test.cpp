// The commands of "Prevody" on the demo: every sibling's transfer file
// accumulated, twice the same as once, a wrongly chosen file refused, the
// finance question answered only by --yes, and the automatic transfer of
// the shipped AutPrev1.Def repeated to the same posting file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/run_batch.h"
#include "support/scratch.h"

namespace orvo::test {
namespace {

class BatchTransfers : public ::testing::Test {
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
    for (const auto& e : std::filesystem::directory_iterator(d.path() + "/LOrvo/Data")) {
      const std::string name = e.path().filename().string();
      if (name.size() > 8 && name.substr(name.size() - 8) == "UctO.Cds") postings = e.path().string();
    }
  }
  BatchResult Admin(std::vector<std::string> args) {
    std::vector<std::string> all{"--root", "L:", "--user", "Admin", "--password", password};
    all.insert(all.end(), args.begin(), args.end());
    return RunBatch(all, drives);
  }
  std::string Bytes() {
    std::ifstream in(postings, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  // The demo's transfer file of a kind for plant 01 ("Kolo" -> 2612 01 KoloUctPr.Cds).
  std::string File(const std::string& tail) {
    for (const auto& e : std::filesystem::directory_iterator(d.path() + "/LOrvo/Prevody")) {
      const std::string name = e.path().filename().string();
      if (name.size() == 6 + tail.size() && name.substr(4, 2) == "01" && name.substr(6) == tail) return name;
    }
    return {};
  }

  TempDir c, d;
  std::vector<std::string> drives;
  std::string password;
  std::string postings;
};

TEST_F(BatchTransfers, EverySiblingAccumulatesRepeatably) {
  ASSERT_FALSE(postings.empty());
  const std::vector<std::pair<std::string, std::string>> items = {
      {"ramu", "RamuUctPr.Csv"}, {"sramu", "SramuUctPr.Csv"}, {"kolo", "KoloUctPr.Cds"},
      {"mzdy", "MzdUctPr.Csv"},  {"vint-zavod", "VintUctPr.Cds"}, {"pexo", ""}};
  for (const auto& [item, tail] : items) {
    SCOPED_TRACE(item);
    std::vector<std::string> args{"accumulate", item};
    if (!tail.empty()) {
      ASSERT_FALSE(File(tail).empty());
      args.push_back(File(tail));
    }
    auto first = Admin(args);
    ASSERT_EQ(first.exitCode, 0) << first.err;
    EXPECT_NE(first.out.find("pridano"), std::string::npos) << first.out;
    const std::string once = Bytes();
    auto again = Admin(args);
    ASSERT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(Bytes(), once);
  }
}

TEST_F(BatchTransfers, RefusalsLeaveThePostingsAsTheyWere) {
  const std::string before = Bytes();
  auto wrong = Admin({"accumulate", "ramu", File("SramuUctPr.Csv")});
  EXPECT_EQ(wrong.exitCode, 1);
  EXPECT_NE(wrong.err.find("Chybne vybrany soubor !!!"), std::string::npos) << wrong.err;
  EXPECT_EQ(Admin({"accumulate", "kolo"}).exitCode, 2);
  EXPECT_EQ(Admin({"accumulate", "nothing"}).exitCode, 2);
  EXPECT_EQ(RunBatch({"--root", "L:", "--user", "Admin", "--password", "wrong", "accumulate", "pexo"}, drives).exitCode,
            3);
  EXPECT_EQ(Bytes(), before);
}

TEST_F(BatchTransfers, AutomaticTransferOfTheShippedRulesRepeats) {
  for (const char* source : {"current", "turnovers"}) {
    SCOPED_TRACE(source);
    auto first = Admin({"auto-transfer", "AutPrev1.Def", "--source", source});
    ASSERT_EQ(first.exitCode, 0) << first.err;
    const std::string once = Bytes();
    auto again = Admin({"auto-transfer", "AutPrev1.Def", "--source", source});
    ASSERT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(Bytes(), once);
  }
  EXPECT_EQ(Admin({"auto-transfer", "AutPrev1.Def", "--source", "month"}).exitCode, 2);
  auto empty = Admin({"auto-transfer", "AutPrev1.Def", "--id", " "});
  EXPECT_EQ(empty.exitCode, 1);
}

}  // namespace
}  // namespace orvo::test
