#include "core/shell/range_dialog.h"

#include <gtest/gtest.h>

#include "support/app_fixture.h"

namespace orvo::test {
namespace {

constexpr const char* kRangeFile = "C:\\A_Run\\Aplikace\\LOrvo\\PomSoub\\Obdobi12.Txt";

class RangeDialogTest : public AppScratch {
 protected:
  RangeDialogTest() {
    fs->MakeDir("C:\\A_Run");
    fs->MakeDir("C:\\A_Run\\Aplikace");
    fs->MakeDir("C:\\A_Run\\Aplikace\\LOrvo");
    fs->MakeDir("C:\\A_Run\\Aplikace\\LOrvo\\PomSoub");
  }
  RangeDialogModel dialog{session};
};

TEST_F(RangeDialogTest, WithoutAFileTheWholeRangeIsOffered) {
  dialog.RangeCancelled = true;
  dialog.Show();
  EXPECT_FALSE(dialog.RangeCancelled);
  EXPECT_EQ(dialog.Field(0), "0201");
  EXPECT_EQ(dialog.Field(1), "2012");
  EXPECT_EQ(dialog.Focus(), 0);
  EXPECT_EQ(dialog.RangeFileName(), kRangeFile);
}

TEST_F(RangeDialogTest, TheLastRangeIsRead) {
  Put(kRangeFile, "1601-1606 rest of a long line\r\n");
  dialog.Show();
  EXPECT_EQ(dialog.Field(0), "1601");
  EXPECT_EQ(dialog.Field(1), "1606");
}

TEST_F(RangeDialogTest, EnterWalksToDalsiAndClosesWithTheRange) {
  dialog.Show();
  dialog.SetField(0, "1602");
  dialog.Enter();
  EXPECT_EQ(dialog.Focus(), 1);
  dialog.SetField(1, "1613");
  dialog.Enter();
  EXPECT_EQ(dialog.Focus(), 2);
  dialog.Enter();
  EXPECT_FALSE(dialog.RangeCancelled);
  EXPECT_EQ(dialog.RangeFrom, "1602");
  EXPECT_EQ(dialog.RangeTo, "1613");
  EXPECT_EQ(Get(kRangeFile), "1602-1613\r\n");
  EXPECT_TRUE(ui.messages.empty());
}

struct FieldCase {
  const char* name;
  const char* text;
  bool accepted;
};

class RangeFieldTest : public RangeDialogTest, public ::testing::WithParamInterface<FieldCase> {};

TEST_P(RangeFieldTest, MonthsUpTo13AreAccepted) {
  const FieldCase& c = GetParam();
  dialog.Show();
  dialog.SetField(1, c.text);
  EXPECT_EQ(dialog.LeaveField(1), c.accepted);
  if (c.accepted) EXPECT_TRUE(ui.messages.empty());
  else EXPECT_EQ(ui.Single(), Error("Chybne zadane obdobi !", std::string("Obdobi: ") + c.text));
}

INSTANTIATE_TEST_SUITE_P(Entries, RangeFieldTest,
                         ::testing::Values(FieldCase{"month_13", "1613", true},
                                           FieldCase{"month_00", "1600", true},
                                           FieldCase{"month_14", "1614", false},
                                           FieldCase{"short", "161", false},
                                           FieldCase{"blank", "16 1", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RangeDialogTest, BadEntryKeepsTheFocus) {
  dialog.Show();
  dialog.SetField(0, "1699");
  dialog.Enter();
  EXPECT_EQ(dialog.Focus(), 0);
  EXPECT_EQ(ui.Single(), Error("Chybne zadane obdobi !", "Obdobi: 1699"));
}

TEST_F(RangeDialogTest, EscapeCancelsAndStillWritesTheFields) {
  dialog.Show();
  dialog.SetField(0, "1505");
  dialog.SetField(1, "15x");
  dialog.Escape();
  EXPECT_TRUE(dialog.RangeCancelled);
  EXPECT_EQ(Get(kRangeFile), "1505-15x\r\n");
  EXPECT_EQ(dialog.RangeFrom, "1505");
  EXPECT_EQ(dialog.RangeTo, "15x");
  EXPECT_TRUE(ui.messages.empty());
  dialog.Show();
  EXPECT_FALSE(dialog.RangeCancelled);
}

}  // namespace
}  // namespace orvo::test
