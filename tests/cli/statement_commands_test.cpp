// The statements' commands as a process over the demo company: a balance
// sheet by plant into a chosen file, the definition check, the evaluator,
// the cost calculation by plant over the demo quantities, and the refusals
// of a bad invocation and a wrong password.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/run_batch.h"
#include "support/scratch.h"

namespace orvo::test {
namespace {

class BatchStatements : public ::testing::Test {
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
  BatchResult Admin(std::vector<std::string> args, const std::string& pw = "") {
    std::vector<std::string> all{"--root", "L:", "--user", "Admin", "--password", pw.empty() ? password : pw};
    all.insert(all.end(), args.begin(), args.end());
    return RunBatch(all, drives);
  }
  std::string Host(const std::string& rel) {
    std::ifstream in(d.path() + "/" + rel, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  TempDir c, d;
  std::vector<std::string> drives;
  std::string password;
};

TEST_F(BatchStatements, BalanceSheetByPlantIntoAFile) {
  auto r = Admin({"statement", "VykZRozv.Def", "--level", "zavod", "--out", "L:\\Rozvaha.Ses"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("Rozvaha: 3 jednotek, sestava L:\\Rozvaha.Ses"), std::string::npos) << r.out;
  const std::string report = Host("Rozvaha.Ses");
  for (const char* plant : {"\r\n01  028  Kontrola", "\r\n02  028  Kontrola", "\r\n03  028  Kontrola"}) {
    EXPECT_NE(report.find(plant), std::string::npos) << plant;
  }
  EXPECT_NE(report.find("Str: 003"), std::string::npos);
}

TEST_F(BatchStatements, SourcesAndCheck) {
  EXPECT_EQ(Admin({"statement", "VykZVysl.Def", "--level", "podnik", "--source", "turnovers", "2601", "2603"}).exitCode, 0);
  EXPECT_EQ(Admin({"statement", "VykZVysl.Def", "--level", "stredisko", "--source", "month", "2603"}).exitCode, 0);
  auto r = Admin({"statement", "check", "VykZRozv.Def"});
  EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
  EXPECT_NE(r.out.find("je v poradku"), std::string::npos);
  // A definition with a repeated line number and an uncovered account class.
  std::ofstream bad(d.path() + "/LOrvo/DefSoub/VykZBad.Def", std::ios::binary);
  bad << "Spatny\r\n\r\n" << std::string(60, 'A') << "  1       U         501\r\n"
      << std::string(60, 'B') << "  1       U         502\r\n";
  bad.close();
  r = Admin({"statement", "check", "VykZBad.Def"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.out.find("Radek 4 definice: opakovane cislo radku vykazu 1"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Ucet 502100 neni v zadnem radku typu U"), std::string::npos) << r.out;
  EXPECT_EQ(Admin({"statement", "VykZBad.Def", "--level", "podnik"}).exitCode, 1);
}

TEST_F(BatchStatements, EvalAndRefusals) {
  auto r = Admin({"eval", "2*-3+SQRT(16)*1,5"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "0\n");
  r = Admin({"eval", "SU[501]+PI"});
  EXPECT_EQ(r.out, "3.14159265358979\n");
  EXPECT_EQ(Admin({"statement", "VykZRozv.Def", "--level", "kraj"}).exitCode, 2);
  EXPECT_EQ(Admin({"statement", "VykZRozv.Def", "--level", "podnik", "--source", "month"}).exitCode, 2);
  EXPECT_EQ(Admin({"statement", "VykZRozv.Def", "--level", "podnik"}, "wrong").exitCode, 3);
}

TEST_F(BatchStatements, CalculationByPlantOverTheDemoQuantities) {
  auto r = Admin({"calc", "KalkZ1.Def", "--level", "zavod", "--out", "L:\\Kalkulace.Ses"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("Kalkulace nakladu cinnosti - druhove cleneni: "), std::string::npos) << r.out;
  const std::string report = Host("Kalkulace.Ses");
  EXPECT_NE(report.find("Str: 001"), std::string::npos);
  for (const char* plant : {"\r\n01  003  Spotreba materialu", "\r\n02  003  Spotreba materialu",
                            "\r\n03  003  Spotreba materialu"}) {
    EXPECT_NE(report.find(plant), std::string::npos) << plant;
  }
  EXPECT_EQ(Admin({"calc", "KalkZ1.Def", "--level", "kraj"}).exitCode, 2);
  EXPECT_EQ(Admin({"calc", "KalkZ1.Def", "--level", "podnik"}, "wrong").exitCode, 3);
  EXPECT_EQ(Admin({"calc", "KalkZNeni.Def", "--level", "podnik"}).exitCode, 1);
}

}  // namespace
}  // namespace orvo::test
