#include <gtest/gtest.h>

#include <filesystem>

#include "support/run_batch.h"
#include "support/scratch.h"

namespace orvo::test {
namespace {

TEST(BatchDemo, InstallsTheDemoAndItsUserLogsIn) {
  TempDir c, d;
  const std::vector<std::string> drives{"ORVO_DRIVES=C=" + c.path()};
  auto r = RunBatch({"demo", d.path(), "--plant", "3"}, drives);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("Zavod:      03 Závod Žďár nad Sázavou\n"), std::string::npos) << r.out;
  EXPECT_TRUE(std::filesystem::is_regular_file(d.path() + "/LPexo/Cisel/Odber.Cds"));
  const std::string marker = "Uzivatel: Admin   Heslo: ";
  size_t at = r.out.find(marker);
  ASSERT_NE(at, std::string::npos) << r.out;
  std::string password = r.out.substr(at + marker.size());
  password = password.substr(0, password.find('\n'));
  EXPECT_EQ(password.size(), 10u);

  r = RunBatch({"--user", "Admin", "--password", password, "users", "list"}, drives);
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "Admin\tAdmin\n");
}

TEST(BatchDemo, WithoutInstallationDataNothingIsMade) {
  TempDir c, d;
  auto r = RunBatch({"demo", d.path()},
                    {"ORVO_DRIVES=C=" + c.path(), "ORVO_INSTALL_DATA=" + d.path() + "/none"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("installation data"), std::string::npos) << r.err;
  EXPECT_FALSE(std::filesystem::exists(c.path() + "/A_Run"));
}

}  // namespace
}  // namespace orvo::test
