#include "core/shell/safety_copy.h"

#include <gtest/gtest.h>

#include "support/app_fixture.h"
#include "core/shell/layout.h"

namespace orvo::test {
namespace {

class SafetyCopyTest : public AppScratch {
 protected:
  SafetyCopyTest() {
    PrepareLocalTree(*env);
    CreateApplicationTrees(session);
  }
};

TEST_F(SafetyCopyTest, ReplacesTheLocalCopy) {
  Put("D:\\LOrvo\\Data\\160301UctO.Cds", "0123456789 new");
  Put("C:\\A_Run\\Aplikace\\LOrvo\\Archiv\\160301UctO.Cds", "old copy");
  LocalSafetyCopy(*env, "D:\\LOrvo\\Data\\160301UctO.Cds");
  EXPECT_EQ(Get("C:\\A_Run\\Aplikace\\LOrvo\\Archiv\\160301UctO.Cds"), "0123456789 new");
  EXPECT_EQ(fs->List("C:\\A_Run\\Aplikace\\LOrvo\\Archiv\\*.*").size(), 1u);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SafetyCopyTest, TinyAndMissingFilesAreNotCopied) {
  Put("D:\\LOrvo\\Data\\Tiny.Cds", "123456789");
  Put("C:\\A_Run\\Aplikace\\LOrvo\\Archiv\\Tiny.Cds", "kept copy");
  LocalSafetyCopy(*env, "D:\\LOrvo\\Data\\Tiny.Cds");
  LocalSafetyCopy(*env, "D:\\LOrvo\\Data\\Missing.Cds");
  EXPECT_EQ(Get("C:\\A_Run\\Aplikace\\LOrvo\\Archiv\\Tiny.Cds"), "kept copy");
  EXPECT_FALSE(Exists("C:\\A_Run\\Aplikace\\LOrvo\\Archiv\\Missing.Cds"));
  EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace orvo::test
