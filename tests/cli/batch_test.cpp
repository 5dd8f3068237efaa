#include <gtest/gtest.h>

#include <filesystem>

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
