#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/run_batch.h"
#include "support/scratch.h"

namespace orvo::test {
namespace {

TEST(Batch, HelpListsTheCommandsAndTheDriveOption) {
  auto r = RunBatch({"--help"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_NE(r.out.find("--drive L=/host/dir"), std::string::npos);
  EXPECT_NE(r.out.find("paths [LOGICAL-PATH ...]"), std::string::npos);
}

TEST(Batch, UnknownCommandAndBadDriveAreRefused) {
  EXPECT_EQ(RunBatch({"no-such"}).exitCode, 2);
  auto r = RunBatch({"--drive", "CC=/x", "paths"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("--drive CC=/x"), std::string::npos);
}

TEST(Batch, PathsResolvesOverTheDriveMap) {
  TempDir c, d;
  std::filesystem::create_directories(d.path() + "/LOrvo/DefSoub");
  auto r = RunBatch({"--drive", "D=" + d.path(), "paths", "d:\\lorvo\\defsoub\\UctO.Def", "Q:\\x"},
                    {"ORVO_DRIVES=C=" + c.path()});
  EXPECT_EQ(r.exitCode, 1) << r.err;  // Q: is not mapped
  EXPECT_NE(r.out.find("C: = " + c.path()), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("D:\\lorvo\\defsoub\\UctO.Def -> " + d.path() + "/LOrvo/DefSoub/UctO.Def"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("Q:\\x -> (drive Q: is not mapped)"), std::string::npos) << r.out;
}

}  // namespace
}  // namespace orvo::test

namespace orvo::test {
namespace {

TEST(Batch, InstallThenUsersAndPeriodGoThroughTheLogin) {
  TempDir c, d;
  const std::vector<std::string> drives{"ORVO_DRIVES=C=" + c.path()};
  auto r = RunBatch({"--user", "Jana", "--password", "j1", "install", d.path()}, drives);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out.rfind("C:\\A_Run\nD:\\LOrvo\n", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("Ucty.Cds\n"), std::string::npos) << r.out;
  EXPECT_TRUE(std::filesystem::is_directory(d.path() + "/LOrvo/Programy"));
  EXPECT_TRUE(std::filesystem::is_directory(c.path() + "/A_Run/Work"));

  r = RunBatch({"--user", "Jana", "--password", "j1", "users", "add", "Účetní", "heslo", "Sprav"},
               drives);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  r = RunBatch({"--user", "Účetní", "--password", "heslo", "users", "list"}, drives);
  EXPECT_EQ(r.exitCode, 3);  // role Sprav may not administer users
  EXPECT_NE(r.err.find("Pro tuto oblast nemate opravneni !"), std::string::npos) << r.err;

  r = RunBatch({"--user", "Účetní", "--password", "spatne", "period"}, drives);
  EXPECT_EQ(r.exitCode, 3);
  EXPECT_NE(r.err.find("Chybne zadane jmeno nebo heslo !"), std::string::npos) << r.err;

  // The first look at the period finds no period file and makes one.
  r = RunBatch({"--user", "Účetní", "--password", "heslo", "period"}, drives);
  EXPECT_NE(r.err.find("Vygenerovano obdobi: "), std::string::npos) << r.err;
  r = RunBatch({"--user", "Účetní", "--password", "heslo", "period", "set", "1603"}, drives);
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "16 03\n");
  r = RunBatch({"--user", "Účetní", "--password", "heslo", "period", "next"}, drives);
  EXPECT_EQ(r.out, "16 04\n") << r.err;
}

}  // namespace
}  // namespace orvo::test

namespace orvo::test {
namespace {

// A counted definition line: length, name, heading, type, then an optional key.
std::string DefLine(int td, const std::string& name, const std::string& heading,
                    const std::string& tms, int key = 0) {
  std::string l(72, ' ');
  std::string n = std::to_string(td);
  l.replace(3 - n.size(), n.size(), n);
  l.replace(4, name.size(), name);
  l.replace(40, heading.size(), heading);
  l.replace(70, 2, tms);
  if (key > 0) l += "     I0" + std::to_string(key);
  return l + "\r\n";
}

TEST(Batch, DatasetFromTextDumpsBackNormalised) {
  TempDir c, d;
  const std::vector<std::string> drives{"ORVO_DRIVES=C=" + c.path() + ";D=" + d.path(),
                                        "ORVO_USER=Admin", "ORVO_PASSWORD=Qzpfr"};
  {
    std::ofstream def(d.path() + "/Ucty.Def", std::ios::binary);
    def << DefLine(6, "1. Ucet", "Ucet", "PM", 1) << DefLine(30, "2. Nazev", "Nazev", "PM")
        << DefLine(15, "3. Castka", "Castka", "N2");
    std::ofstream text(d.path() + "/in.txt", std::ios::binary);
    text << "311|Odběratelé|1234,5\n211|Pokladna|-12\n";
  }
  auto r = RunBatch({"cds", "from-text", "D:\\Ucty.Def", d.path() + "/in.txt", "D:\\Ucty.Cds"},
                    drives);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  r = RunBatch({"cds", "dump", "d:\\UCTY.CDS"}, drives);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out,
            "Ucet:text(6)|Nazev:text(30)|Castka:text(15)\n"
            "311   |Odběratelé                    |        1234,50\n"
            "211   |Pokladna                      |         -12,00\n");
  r = RunBatch({"cds", "dump", "D:\\Ucty.Def"}, drives);  // not a dataset
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("Ucty.Def"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace orvo::test

namespace orvo::test {
namespace {

class BatchOps : public ::testing::Test {
 protected:
  BatchOps()
      : drives{"ORVO_DRIVES=C=" + c.path() + ";D=" + d.path(), "ORVO_USER=Admin",
               "ORVO_PASSWORD=Qzpfr"} {
    std::ofstream def(d.path() + "/P.Def", std::ios::binary);
    def << DefLine(3, "1. Ucet", "Ucet", "PM") << DefLine(5, "2. Stredisko", "Str", "PM")
        << DefLine(12, "3. MD", "MD", "N2");
    std::ofstream text(d.path() + "/p.txt", std::ios::binary);
    text << "311|S2|10\n211|S1|5\n311|S1|2,5\n211|S1|-5\n";
  }
  BatchResult Run(std::vector<std::string> args) { return RunBatch(args, drives); }
  std::string Dump(const std::string& file) { return Run({"cds", "dump", file}).out; }

  TempDir c, d;
  std::vector<std::string> drives;
};

TEST_F(BatchOps, SortSumAndReduceByWordLists) {
  ASSERT_EQ(Run({"cds", "from-text", "D:\\P.Def", d.path() + "/p.txt", "D:\\P.Cds"}).exitCode, 0);

  auto r = Run({"sort", "D:\\P.Cds", "D:\\P.Def", "D:\\S.Cds", "D:\\S.Def", "--keys", "2,1"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(Dump("D:\\S.Cds"),
            "Stredisko:text(5)|Ucet:text(3)|MD:text(12)\n"
            "S1   |211|        5,00\n"
            "S1   |211|       -5,00\n"
            "S1   |311|        2,50\n"
            "S2   |311|       10,00\n");

  r = Run({"sum", "D:\\P.Cds", "D:\\P.Def", "D:\\U.Cds", "D:\\U.Def", "--keys", "1"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  // 211 sums to zero and is dropped.
  std::string sum = Dump("D:\\U.Cds");
  EXPECT_EQ(sum.find("211"), std::string::npos) << sum;
  EXPECT_NE(sum.find("311|"), std::string::npos) << sum;
  EXPECT_NE(sum.find("12,50"), std::string::npos) << sum;

  r = Run({"reduce", "D:\\P.Cds", "D:\\P.Def", "D:\\R.Cds", "D:\\R.Def", "--keys", "3"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(Dump("D:\\R.Cds"),
            "MD:text(12)\n       10,00\n        5,00\n        2,50\n       -5,00\n");
}

TEST_F(BatchOps, BadArgumentsAreRefusedWithUsage) {
  EXPECT_EQ(Run({"sort", "D:\\P.Cds", "D:\\P.Def", "D:\\S.Cds", "D:\\S.Def"}).exitCode, 2);
  EXPECT_EQ(Run({"sort", "a", "b", "c", "d", "--keys", "0,x"}).exitCode, 2);
  EXPECT_EQ(Run({"import", "xls", "a", "b", "c"}).exitCode, 2);
}

TEST_F(BatchOps, ImportOfSeparatedText) {
  {
    std::ofstream csv(d.path() + "/in.csv", std::ios::binary);
    csv << "311|S1|1,5\r\n";
  }
  auto r = Run({"import", "csv", "D:\\in.csv", "D:\\P.Def", "D:\\I.Cds"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  std::string dump = Dump("D:\\I.Cds");
  EXPECT_NE(dump.find("311|S1   |"), std::string::npos) << dump;
}

}  // namespace
}  // namespace orvo::test
