#include "core/sys/file_argument.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/scratch.h"

namespace orvo::test {
namespace {

class FileArgumentTest : public Scratch {};

// Logical paths stand; host paths under a drive become its paths; any other
// host directory gets a letter of its own, and the file is reached through it.
TEST_F(FileArgumentTest, LogicalOrHostPathAlike) {
  EXPECT_EQ(LogicalFileArgument(*fs, "D:\\Firma\\x.Cds"), "D:\\Firma\\x.Cds");
  EXPECT_EQ(LogicalFileArgument(*fs, "d:x.Cds"), "d:x.Cds");
  EXPECT_EQ(LogicalFileArgument(*fs, dDir + "/Data/x.Cds"), "D:\\Data\\x.Cds");
  EXPECT_EQ(LogicalFileArgument(*fs, dDir + "/Data/../y.Cds"), "D:\\y.Cds");

  const std::string elsewhere = root.path() + "/jinde";
  std::filesystem::create_directories(elsewhere);
  auto logical = LogicalFileArgument(*fs, elsewhere + "/texty.txt");
  ASSERT_TRUE(logical);
  ASSERT_TRUE(IsLogicalPath(*logical));
  Put(*logical, "obsah");
  EXPECT_TRUE(std::filesystem::exists(elsewhere + "/texty.txt"));
  EXPECT_EQ(LogicalFileArgument(*fs, elsewhere + "/jiny.txt")->substr(0, 2), logical->substr(0, 2));
}

}  // namespace
}  // namespace orvo::test
