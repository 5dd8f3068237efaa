#include "core/shell/archiving.h"

#include <gtest/gtest.h>

#include "support/app_fixture.h"
#include "core/sys/clock.h"
#include "core/sys/termination.h"

namespace orvo::test {
namespace {

constexpr const char* kPostings = "D:\\LOrvo\\Data\\160301UctO.Cds";
constexpr const char* kBalances = "D:\\LOrvo\\Data\\160201UctS.Cds";

class ArchivingTest : public AppScratch {
 protected:
  ArchivingTest() {
    PutPeriod("16 03");
    PutInit();
    fs->MakeDir("C:\\A_Run\\Aplikace");
    fs->MakeDir("C:\\A_Run\\Aplikace\\LOrvo");
    fs->MakeDir("C:\\A_Run\\Aplikace\\LOrvo\\PomSoub");
    fs->MakeDir("D:\\LOrvo\\Archiv");
  }
  void PutData(const char* file, const std::string& bytes, DateTime when) {
    Put(file, bytes);
    fs->SetModTime(file, ToTimeT(when));
  }
  std::string Generation(int k) {
    char name[64];
    std::snprintf(name, sizeof name, "D:\\LOrvo\\Archiv\\160301UctO_%03d.Cds", k);
    return name;
  }
};

TEST_F(ArchivingTest, StartArchivesBothFilesWithTheNotice) {
  PutData(kBalances, "balances", {2016, 3, 14, 9, 0, 0});
  PutData(kPostings, "postings", {2016, 3, 14, 9, 0, 0});
  Put("D:\\LOrvo\\PomSoub\\UctObd.Txt", "overview");
  EXPECT_EQ(ArchiveAtStart(session), (std::vector<std::string>{kBalances, kPostings}));
  EXPECT_EQ(Get("D:\\LOrvo\\Archiv\\160201UctS_001.Cds"), "balances");
  EXPECT_EQ(Get(Generation(1)), "postings");
  EXPECT_EQ(Get("C:\\A_Run\\Aplikace\\LOrvo\\PomSoub\\UctObd.Txt"), "overview");
  EXPECT_EQ(ui.notices, (std::vector<std::string>{"Orvo:  Prebiha archivace databasi !"}));
  EXPECT_EQ(clock.slept, 1000);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ArchivingTest, MissingFilesAreNotArchived) {
  PutData(kPostings, "postings", {2016, 3, 14, 9, 0, 0});
  EXPECT_EQ(ArchFile(session), (std::vector<std::string>{kPostings}));
  EXPECT_TRUE(ui.messages.empty());
}

// The start-up test looks at the calendar day only: a file changed later on
// the day of its newest generation is not archived again at start, but the
// menu's test sees the later time stamp.
TEST_F(ArchivingTest, StartComparesDaysAndTheMenuComparesTimeStamps) {
  PutData(kPostings, "morning", {2016, 3, 14, 9, 0, 0});
  EXPECT_EQ(ArchiveAtStart(session).size(), 1u);
  EXPECT_TRUE(ArchiveAtStart(session).empty());
  EXPECT_TRUE(ArchFile(session).empty());

  PutData(kPostings, "afternoon", {2016, 3, 14, 15, 0, 0});
  EXPECT_TRUE(ArchiveAtStart(session).empty());
  EXPECT_EQ(ArchFile(session), (std::vector<std::string>{kPostings}));
  EXPECT_EQ(Get(Generation(2)), "afternoon");

  PutData(kPostings, "next day", {2016, 3, 15, 8, 0, 0});
  EXPECT_EQ(ArchiveAtStart(session).size(), 1u);
  EXPECT_EQ(Get(Generation(3)), "next day");
  EXPECT_FALSE(Exists(Generation(4)));
}

TEST_F(ArchivingTest, TheTwentyFirstArchivingDropsTheOldest) {
  for (int i = 1; i <= 21; ++i) {
    PutData(kPostings, "version " + std::to_string(i), {2016, 3, 1, 8, i, 0});
    ASSERT_EQ(ArchFile(session).size(), 1u) << i;
  }
  EXPECT_EQ(Get(Generation(1)), "version 2");
  EXPECT_EQ(Get(Generation(19)), "version 20");
  EXPECT_EQ(Get(Generation(20)), "version 21");
  EXPECT_FALSE(Exists(Generation(21)));
  EXPECT_EQ(fs->List("D:\\LOrvo\\Archiv\\160301UctO*.*").size(), 20u);
}

class NoticeUi : public ScriptedUi {
 public:
  void HideNotice() override { ++hidden; }
  int hidden = 0;
};

// The notice never stays on the screen, also when a missing file ends the
// application during the archiving.
TEST_F(ArchivingTest, NoticeIsHiddenAfterwards) {
  NoticeUi noticeUi;
  Env noticeEnv{noticeUi, *fs, clock};
  RunValues s(noticeEnv);
  SetDataRoot(s, "D:");
  ConfigureMainPeriodModel(s);
  ArchFile(s);
  EXPECT_EQ(noticeUi.notices.size(), 1u);
  EXPECT_EQ(noticeUi.hidden, 1);
  fs->Remove(kInitFile);
  EXPECT_THROW(ArchFile(s), Termination);
  EXPECT_EQ(noticeUi.notices.size(), 2u);
  EXPECT_EQ(noticeUi.hidden, 2);
}

}  // namespace
}  // namespace orvo::test
