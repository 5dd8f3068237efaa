// orvo-batch checks the login and the rights as the menu does, at every
// command that reads or writes the installation's data.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/run_batch.h"
#include "support/scratch.h"

namespace orvo::test {
namespace {

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Write(const std::string& path, const std::string& bytes) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

// An installation on D: with an administrator, a manager and a viewer, and a
// posting file; a definition and a text for "cds from-text".
class BatchRights : public ::testing::Test {
 protected:
  BatchRights() {
    drives = "ORVO_DRIVES=C=" + c.path() + ";D=" + d.path();
    auto r = RunBatch({"install", "D:", "--user", "Spravce", "--password", "s1"}, {drives});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    for (auto user : {std::vector<std::string>{"Jana", "j1", "Sprav"}, {"Petr", "p1", "Prohl"}}) {
      r = RunBatch({"--user", "Spravce", "--password", "s1", "users", "add", user[0], user[1], user[2]},
                   {drives});
      EXPECT_EQ(r.exitCode, 0) << r.err;
    }
    Write(posting, "the current postings");
    // One counted definition line: length, name, heading, type.
    std::string line(72, ' ');
    line.replace(2, 1, "6");
    line.replace(4, 7, "1. Ucet");
    line.replace(40, 4, "Ucet");
    line.replace(70, 2, "PM");
    Write(d.path() + "/in/T.Def", line + "\r\n");
    Write(d.path() + "/in/t.txt", "311\n");
  }
  BatchResult As(const std::string& user, const std::string& password,
                 std::vector<std::string> args) {
    if (!user.empty()) args.insert(args.begin(), {"--user", user, "--password", password});
    return RunBatch(args, {drives});
  }
  TempDir c, d;
  std::string drives;
  const std::string posting = d.path() + "/LOrvo/Data/160301UctO.Cds";
  const std::string access = c.path() + "/A_Run/PristPr/LOrv.H";
};

TEST_F(BatchRights, DataCommandWithoutLoginIsRefused) {
  auto r = As("", "", {"cds", "from-text", d.path() + "/in/T.Def", d.path() + "/in/t.txt",
                       "D:\\LOrvo\\Data\\160301UctO.Cds"});
  EXPECT_EQ(r.exitCode, 3) << r.err;
  EXPECT_NE(r.err.find("Chybne zadane jmeno nebo heslo !"), std::string::npos) << r.err;
  EXPECT_EQ(Slurp(posting), "the current postings");
  EXPECT_EQ(As("", "", {"def", "show", d.path() + "/in/T.Def"}).exitCode, 3);
}

TEST_F(BatchRights, ViewerCannotReplaceAPostingFileAManagerCan) {
  std::vector<std::string> command{"cds", "from-text", d.path() + "/in/T.Def",
                                   d.path() + "/in/t.txt", "D:\\LOrvo\\Data\\160301UctO.Cds"};
  auto r = As("Petr", "p1", command);
  EXPECT_EQ(r.exitCode, 3) << r.err;
  EXPECT_NE(r.err.find("Pro tuto oblast nemate opravneni !"), std::string::npos) << r.err;
  EXPECT_EQ(Slurp(posting), "the current postings");
  // The same file named by its host path is the same file.
  command[4] = posting;
  EXPECT_EQ(As("Petr", "p1", command).exitCode, 3);
  EXPECT_EQ(Slurp(posting), "the current postings");
  r = As("Jana", "j1", command);
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(Slurp(posting), "the current postings");
}

TEST_F(BatchRights, ReadOnlyAccessFileIsNeverReplacedByADataCommand) {
  const std::string before = Slurp(access);
  ASSERT_FALSE(before.empty());
  for (const std::string& target : {std::string("C:\\A_Run\\PristPr\\LOrv.H"), access}) {
    auto r = As("Spravce", "s1", {"cds", "from-text", d.path() + "/in/T.Def",
                                  d.path() + "/in/t.txt", target});
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_NE(r.err.find("je chranen proti zapisu"), std::string::npos) << r.err;
    EXPECT_EQ(Slurp(access), before);
  }
  // A manager does not even get that far.
  auto r = As("Jana", "j1", {"append", "D:\\LOrvo\\Data\\160301UctO.Cds", "C:\\A_Run\\PristPr\\LOrv.H"});
  EXPECT_EQ(r.exitCode, 3) << r.err;
  EXPECT_EQ(Slurp(access), before);
}

// The text of "cds from-text" is named like any other file: a logical path
// works as well as a host path.
TEST_F(BatchRights, TextFileByLogicalPath) {
  auto r = As("Jana", "j1", {"cds", "from-text", "D:\\in\\T.Def", "D:\\in\\t.txt", "D:\\in\\T.Cds"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  r = As("Jana", "j1", {"cds", "dump", d.path() + "/in/T.Cds"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "Ucet:text(6)\n311   \n");
  // A text that does not fit the definition, or a definition that is not
  // there, leaves the table as it was.
  const std::string before = Slurp(d.path() + "/in/T.Cds");
  Write(d.path() + "/in/bad.txt", "312\n311|x\n");
  r = As("Jana", "j1", {"cds", "from-text", "D:\\in\\T.Def", "D:\\in\\bad.txt", "D:\\in\\T.Cds"});
  EXPECT_EQ(r.exitCode, 1) << r.err;
  r = As("Jana", "j1", {"cds", "from-text", "D:\\in\\Chybi.Def", "D:\\in\\t.txt", "D:\\in\\T.Cds"});
  EXPECT_EQ(r.exitCode, 1) << r.err;
  EXPECT_EQ(Slurp(d.path() + "/in/T.Cds"), before);
  EXPECT_FALSE(std::filesystem::exists(d.path() + "/in/~orvo-from-text.Cds"));
}

// The first install makes its user the administrator and writes the
// initialisation file the application needs to start.
TEST_F(BatchRights, FirstInstallMakesItsUserTheAdministrator) {
  auto r = As("Spravce", "s1", {"users", "list"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "Spravce\tAdmin\nJana\tSprav\nPetr\tProhl\n");
  EXPECT_EQ(Slurp(d.path() + "/LOrvo/PomSoub/UctInic.TXT"),
            "01 Zavod (doplnte nazev)\r\n01 Sprava (doplnte nazev)\r\n"
            "01 Stredisko (doplnte nazev)\r\n\r\n");
  // The default administrator is not there.
  EXPECT_EQ(As("Admin", "Qzpfr", {"users", "list"}).exitCode, 3);
}

// The support login stays off until an administrator enables it.
TEST_F(BatchRights, MasterLoginOnlyWhileEnabled) {
  EXPECT_EQ(As("Kor_Kor", "", {"users", "list"}).exitCode, 3);
  EXPECT_EQ(As("Jana", "j1", {"users", "master", "on"}).exitCode, 3);
  auto r = As("Spravce", "s1", {"users", "master", "on"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(As("Kor_Kor", "", {"users", "list"}).exitCode, 0);
  EXPECT_EQ(As("Spravce", "s1", {"users", "master", "off"}).exitCode, 0);
  EXPECT_EQ(As("Kor_Kor", "", {"users", "list"}).exitCode, 3);
}

// A damaged access file is said to be damaged; the administrator puts the
// previous version back.
TEST_F(BatchRights, DamagedAccessFileIsRestoredFromItsPreviousVersion) {
  const std::string good = Slurp(access);
  chmod(access.c_str(), 0644);
  Write(access, good.substr(0, good.size() - 3));
  auto r = As("Jana", "j1", {"users", "list"});
  EXPECT_EQ(r.exitCode, 1) << r.err;
  EXPECT_NE(r.err.find("Soubor pristupovych prav je poskozen"), std::string::npos) << r.err;
  EXPECT_EQ(As("Jana", "j1", {"users", "restore"}).exitCode, 3);  // not an administrator
  r = As("Spravce", "s1", {"users", "restore"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  // The previous version: before Petr was added.
  r = As("Spravce", "s1", {"users", "list"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "Spravce\tAdmin\nJana\tSprav\n");
}

TEST(BatchHelp, NamesTheExitCodes) {
  auto r = RunBatch({"--help"});
  EXPECT_NE(r.out.find("Exit codes: 0 done"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("3 login or rights refused"), std::string::npos) << r.out;
}

}  // namespace
}  // namespace orvo::test
