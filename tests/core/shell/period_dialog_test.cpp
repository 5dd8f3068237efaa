#include "core/shell/period_dialog.h"

#include <gtest/gtest.h>

#include "support/app_fixture.h"

namespace orvo::test {
namespace {

class PeriodDialogTest : public AppScratch {
 protected:
  void Open(const std::string& period) {
    PutPeriod(period);
    dialog.Show();
  }
  PeriodDialogModel dialog{session};
};

TEST_F(PeriodDialogTest, ShowsTheStoredPeriodAndThePath) {
  Open("16 03");
  EXPECT_EQ(dialog.Field(), "1603");
  EXPECT_EQ(dialog.PathLine(), "C:\\A_Run\\PomSoub\\ObdobiOrvo.Txt");
  EXPECT_EQ(PeriodDialogModel::kCaption, " Zadej obdobi");
}

struct EntryCase {
  const char* name;
  const char* text;
  bool accepted;
};

class PeriodEntryTest : public PeriodDialogTest, public ::testing::WithParamInterface<EntryCase> {};

TEST_P(PeriodEntryTest, EnterChecksTheFieldAndClosesWhenItPasses) {
  const EntryCase& c = GetParam();
  Open("16 03");
  dialog.SetField(c.text);
  EXPECT_EQ(dialog.EnterInField(), c.accepted);
  if (c.accepted) {
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(Get(kPeriodFile), std::string(c.text).insert(2, " ") + "\r\n");
  } else {
    EXPECT_EQ(ui.Single(), Error("Chybne zadane obdobie !", std::string("Obdobie: ") + c.text));
    EXPECT_EQ(Get(kPeriodFile), "16 03\r\n");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Entries, PeriodEntryTest,
    ::testing::Values(EntryCase{"month_13", "1613", true}, EntryCase{"month_14", "1614", true},
                      EntryCase{"month_20", "1620", true}, EntryCase{"month_21", "1621", false},
                      EntryCase{"three_digits", "163", false},
                      EntryCase{"with_blank", "16 3", false}, EntryCase{"letters", "16a3", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PeriodDialogTest, ConfirmClosesOnlyAfterAPassedCheck) {
  Open("16 03");
  dialog.SetField("1699");
  EXPECT_FALSE(dialog.Confirm());
  EXPECT_EQ(ui.Single(), Error("Chybne zadane obdobie !", "Obdobie: 1699"));
  dialog.SetField("1604");
  EXPECT_TRUE(dialog.Confirm());
  EXPECT_EQ(session.CurrentPeriod, "16 04");
  EXPECT_EQ(session.PeriodMonth, "04");
  EXPECT_EQ(Get(kPeriodFile), "16 04\r\n");
}

struct StepCase {
  const char* name;
  const char* from;
  bool next;
  const char* field;
  const char* period;
};

class PeriodStepTest : public PeriodDialogTest, public ::testing::WithParamInterface<StepCase> {};

TEST_P(PeriodStepTest, StepsWrapAtTheMainWindowsMonths) {
  const StepCase& c = GetParam();
  Open(c.from);
  if (c.next) dialog.Next();
  else dialog.Previous();
  EXPECT_EQ(dialog.Field(), c.field);
  EXPECT_EQ(session.CurrentPeriod, c.period);
  EXPECT_TRUE(ui.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Steps, PeriodStepTest,
    ::testing::Values(StepCase{"previous_of_opening_state", "16 00", false, "1515", "15 15"},
                      StepCase{"next_after_15", "16 15", true, "1700", "17 00"},
                      StepCase{"previous_of_00_00", "00 00", false, "9915", "99 15"},
                      StepCase{"next_within_year", "16 12", true, "1613", "16 13"},
                      StepCase{"previous_within_year", "16 01", false, "1600", "16 00"},
                      StepCase{"next_of_99_15", "99 15", true, "10000", "100 00"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PeriodDialogTest, DefaultSettingsStepBetween01And12) {
  session.period = PeriodSettings{};
  Put("C:\\A_Run\\PomSoub\\Obdobi.Txt", "16 01\r\n");
  dialog.Show();
  dialog.Previous();
  EXPECT_EQ(session.CurrentPeriod, "15 12");
  dialog.Next();
  EXPECT_EQ(session.CurrentPeriod, "16 01");
}

TEST_F(PeriodDialogTest, StepsRepeatFromTheNewPeriod) {
  Open("16 14");
  dialog.Next();
  dialog.Next();
  dialog.Next();
  EXPECT_EQ(dialog.Field(), "1701");
}

// A three-digit year from the step buttons never reaches the file.
TEST_F(PeriodDialogTest, ThreeDigitYearIsRefused) {
  Open("99 15");
  dialog.Next();
  EXPECT_FALSE(SavePeriod(session));
  EXPECT_EQ(ui.Single(), Error("Chybne zadane obdobie: 100 00", "Zmena nebude provedena !"));
  ui.Clear();
  EXPECT_FALSE(dialog.Confirm());
  EXPECT_EQ(ui.Single(), Error("Chybne zadane obdobie !", "Obdobie: 10000"));
  EXPECT_EQ(Get(kPeriodFile), "99 15\r\n");
}

}  // namespace
}  // namespace orvo::test
