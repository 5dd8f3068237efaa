#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/run_batch.h"
#include "support/scratch.h"
#include "support/host_file.h"

namespace orvo::test {
namespace {

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadFile(const std::string& path) { return ReadHostFile(path); }

// The same table and call as the golden case two_level_subtotals.
TEST(BatchReport, WritesTheGoldenReport) {
  TempDir c, d;
  const std::string golden = std::string(ORVO_SOURCE_DIR) + "/tests/golden/report_gen/two_level_subtotals";
  std::filesystem::create_directories(c.path() + "/Case");
  std::filesystem::copy_file(golden + "/Table.Def", c.path() + "/Case/Table.Def");
  std::string text = ReadFile(golden + "/Table.txt");
  WriteFile(c.path() + "/Case/Table.txt", text);
  const std::vector<std::string> env{"ORVO_DRIVES=C=" + c.path() + ";D=" + d.path(),
                                     "ORVO_USER=Admin", "ORVO_PASSWORD=Qzpfr"};
  auto made = RunBatch({"cds", "from-text", "C:\\Case\\Table.Def", c.path() + "/Case/Table.txt",
                        "C:\\Case\\Table.Cds"},
                       env);
  ASSERT_EQ(made.exitCode, 0) << made.err;
  auto r = RunBatch({"report", "C:\\Case\\Table.Cds", "C:\\Case\\Table.Def", "D:\\Out.Ses",
                     "--sum-cols", "1,2", "--heading1", "Hlavni kniha", "--rows", "80"},
                    env);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(ReadFile(d.path() + "/Out.Ses"), ReadFile(golden + "/expected.Ses"));
}

TEST(BatchReport, FramedWritesAndNamesThePages) {
  TempDir c, d;
  const std::string golden = std::string(ORVO_SOURCE_DIR) + "/tests/golden/report_gen/two_level_subtotals";
  std::filesystem::create_directories(c.path() + "/Case");
  std::filesystem::copy_file(golden + "/Table.Def", c.path() + "/Case/Table.Def");
  std::filesystem::copy_file(golden + "/Table.txt", c.path() + "/Case/Table.txt");
  const std::vector<std::string> env{"ORVO_DRIVES=C=" + c.path() + ";D=" + d.path(),
                                     "ORVO_USER=Admin", "ORVO_PASSWORD=Qzpfr"};
  ASSERT_EQ(RunBatch({"cds", "from-text", "C:\\Case\\Table.Def", c.path() + "/Case/Table.txt",
                      "C:\\Case\\Table.Cds"},
                     env)
                .exitCode,
            0);
  for (const char* frames : {"", "--no-frames"}) {
    std::vector<std::string> args{"report", "C:\\Case\\Table.Cds", "C:\\Case\\Table.Def",
                                  "D:\\Kniha.Ses", "--rows", "20", "--framed"};
    if (*frames != '\0') args.push_back(frames);
    auto r = RunBatch(args, env);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.rfind("C:\\A_Run\\Sestavy\\R_Kniha_0001.Rtf\n", 0), 0u) << r.out;
    const std::string page = ReadFile(c.path() + "/A_Run/Sestavy/R_Kniha_0001.Rtf");
    EXPECT_EQ(page.find("\\u9484?") != std::string::npos, *frames == '\0') << frames;
    EXPECT_NE(page.find("\\viewkind"), std::string::npos);
  }
  EXPECT_EQ(RunBatch({"report", "A.Cds", "A.Def", "O.Ses", "--no-frames"}, env).exitCode, 2);
}

TEST(BatchReport, BadArgumentsAreAUsageError) {
  TempDir c;
  const std::vector<std::string> env{"ORVO_DRIVES=C=" + c.path(), "ORVO_USER=Admin",
                                     "ORVO_PASSWORD=Qzpfr"};
  auto r = RunBatch({"report", "A.Cds", "A.Def", "O.Ses", "--order", "2,2"}, env);
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("--order names a column twice"), std::string::npos) << r.err;
  EXPECT_EQ(RunBatch({"report", "A.Cds"}, env).exitCode, 2);
  EXPECT_EQ(RunBatch({"report", "A.Cds", "A.Def", "O.Ses", "--sum-cols", "0"}, env).exitCode, 2);
}

}  // namespace
}  // namespace orvo::test
