#include "core/shell/file_names.h"

#include <gtest/gtest.h>

#include "support/app_fixture.h"
#include "core/sys/files.h"

namespace orvo::test {
namespace {

struct EscapeCase {
  const char* name;
  const char* period;  // as stored in the period file
  const char* plant;   // first line of the initialisation file
  bool periodMessage;  // the stored period is malformed
};

class NameEscapeTest : public AppScratch, public ::testing::WithParamInterface<EscapeCase> {};

// Whatever the period file and the initialisation file hold, the data files
// are named inside DataRoot\LOrvo\Data; a malformed period is reported.
TEST_P(NameEscapeTest, DataFilesStayInTheirDirectory) {
  const EscapeCase& c = GetParam();
  PutPeriod(c.period);
  PutInit(c.plant);
  for (const std::string& name : {BalanceFile(session), PostingFile(session)}) {
    EXPECT_EQ(DirectoryOf(fs->FullPath(name)), "D:\\LOrvo\\Data") << name;
  }
  if (c.periodMessage) {
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ(ui.messages[0],
              Error(std::string("Chybne zadane obdobie: ") + c.period, "Provedte prednostne opravu !"));
  } else {
    EXPECT_TRUE(ui.messages.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, NameEscapeTest,
    ::testing::Values(EscapeCase{"parent_in_period", "..x\\a", "01 Zavod", true},
                      EscapeCase{"root_in_period", "\\\\x\\\\", "01 Zavod", true},
                      EscapeCase{"drive_in_period", "C:x\\Y", "01 Zavod", true},
                      EscapeCase{"separator_in_plant", "16 03", "0\\..\\x", false},
                      EscapeCase{"slash_in_plant", "16 03", "./Zavod", false}),
    [](const auto& info) { return std::string(info.param.name); });

// A period handed in by a caller is checked the same way.
TEST_F(AppScratch, GivenMalformedPeriodIsReportedAndKeptInTheDirectory) {
  PutInit();
  std::string name = PostingFile(static_cast<const Session&>(session), "..\\..");
  EXPECT_EQ(DirectoryOf(fs->FullPath(name)), "D:\\LOrvo\\Data");
  EXPECT_EQ(ui.Single(), Error("Chybne zadane obdobie: ..\\..", "Provedte prednostne opravu !"));
  ui.Clear();
  EXPECT_EQ(PostingFile(static_cast<const Session&>(session), "1603"),
            "D:\\LOrvo\\Data\\1603UctO.Cds");
  EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace orvo::test
