// The dataset operations of orvo-batch with inputs that used to crash them
// or to lose a file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/host_file.h"
#include "support/run_batch.h"
#include "support/scratch.h"

namespace orvo::test {
namespace {

std::string Line(int td, const std::string& name, const std::string& tms) {
  std::string l(72, ' ');
  std::string n = std::to_string(td);
  l.replace(3 - n.size(), n.size(), n);
  l.replace(4, name.size(), name);
  l.replace(70, 2, tms);
  return l + "\r\n";
}

std::string Slurp(const std::string& path) { return ReadHostFile(path); }

class BatchTrust : public ::testing::Test {
 protected:
  BatchTrust()
      : drives{"ORVO_DRIVES=C=" + c.path() + ";D=" + d.path(), "ORVO_USER=Admin",
               "ORVO_PASSWORD=Qzpfr"} {
    std::ofstream(d.path() + "/P.Def", std::ios::binary) << Line(3, "1. Ucet", "PM") << Line(12, "2. MD", "N2");
    std::ofstream(d.path() + "/p.txt", std::ios::binary) << "311|10\n211|5\n";
    EXPECT_EQ(Run({"cds", "from-text", "D:\\P.Def", d.path() + "/p.txt", "D:\\P.Cds"}).exitCode, 0);
  }
  BatchResult Run(std::vector<std::string> args) { return RunBatch(args, drives); }

  TempDir c, d;
  std::vector<std::string> drives;
};

// Old code: more than 200 numbers overran the word list (rc 139 with
// this many).
TEST_F(BatchTrust, WordListLongerThanTheTableIsRefused) {
  std::string keys = "1";
  for (int i = 0; i < 5000; ++i) keys += ",2";
  for (const char* op : {"sort", "sum", "reduce"}) {
    SCOPED_TRACE(op);
    auto r = Run({op, "D:\\P.Cds", "D:\\P.Def", "D:\\O.Cds", "D:\\O.Def", "--keys", keys});
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_NE((r.out + r.err).find("Seznam slov obsahuje 5001 slov, nejvice lze 200 !"), std::string::npos)
        << r.out << r.err;
    EXPECT_FALSE(std::filesystem::exists(d.path() + "/O.Cds"));
  }
}

// Old code: the file was erased before the definition was read.
TEST_F(BatchTrust, RestructureInPlaceWithAMissingDefinitionKeepsTheFile) {
  const std::string before = Slurp(d.path() + "/P.Cds");
  auto r = Run({"restruct", "D:\\P.Cds", "D:\\Chybi.Def", "D:\\P.Cds"});
  EXPECT_NE(r.exitCode, 0);
  EXPECT_EQ(Slurp(d.path() + "/P.Cds"), before);
}

// Old code: two declarations.
TEST_F(BatchTrust, ToXmlWritesOneDeclaration) {
  ASSERT_EQ(Run({"cds", "to-xml", "D:\\P.Cds"}).exitCode, 0);
  const std::string xml = Slurp(d.path() + "/P.Xml");
  EXPECT_EQ(xml.rfind("<?xml version=\"1.0\" encoding=\"windows-1250\"?>\n<orvo-dataset", 0), 0u) << xml;
  EXPECT_EQ(xml.find("<?xml", 1), std::string::npos);
}

}  // namespace
}  // namespace orvo::test
