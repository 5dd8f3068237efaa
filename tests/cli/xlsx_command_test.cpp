#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/host_file.h"
#include "support/run_batch.h"
#include "support/scratch.h"
#include "support/zip_entries.h"

namespace orvo::test {
namespace {

TEST(BatchXlsx, WritesTheWorkbookAfterLogin) {
  TempDir c, d;
  const std::string golden = std::string(ORVO_SOURCE_DIR) + "/tests/golden/report_gen/two_level_subtotals";
  std::filesystem::create_directories(c.path() + "/Case");
  std::filesystem::copy_file(golden + "/Table.Def", c.path() + "/Case/Table.Def");
  std::filesystem::copy_file(golden + "/Table.txt", c.path() + "/Case/Table.txt");
  const std::string drives = "ORVO_DRIVES=C=" + c.path() + ";D=" + d.path();
  const std::vector<std::string> env{drives, "ORVO_USER=Admin", "ORVO_PASSWORD=Qzpfr"};
  auto made = RunBatch({"cds", "from-text", "C:\\Case\\Table.Def", c.path() + "/Case/Table.txt",
                        "C:\\Case\\Table.Cds"},
                       env);
  ASSERT_EQ(made.exitCode, 0) << made.err;

  auto r = RunBatch({"xlsx", "C:\\Case\\Table.Cds", "C:\\Case\\Table.Def", "D:\\Out.xlsx"}, env);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "D:\\Out.xlsx\n");
  auto entries = ZipEntries(d.path() + "/Out.xlsx");
  ASSERT_TRUE(entries);
  EXPECT_NE((*entries)["xl/worksheets/sheet1.xml"].find("<row r=\"3\""), std::string::npos);

  EXPECT_EQ(RunBatch({"xlsx", "C:\\Case\\Table.Cds", "D:\\Out2.xlsx"}, env).exitCode, 2);
  EXPECT_EQ(RunBatch({"xlsx", "C:\\Case\\Table.Cds", "C:\\Case\\Table.Def", "D:\\Out2.xlsx"},
                     {drives, "ORVO_USER=Admin", "ORVO_PASSWORD=wrong"})
                .exitCode,
            3);
  EXPECT_FALSE(std::filesystem::exists(d.path() + "/Out2.xlsx"));
}

}  // namespace
}  // namespace orvo::test
