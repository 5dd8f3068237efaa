#include "core/shell/code_lists.h"

#include <gtest/gtest.h>

#include "support/app_fixture.h"
#include "core/sys/termination.h"

namespace orvo::test {
namespace {

TEST_F(AppScratch, CodeListOfTheYearIsUsedAsItIs) {
  PutPeriod("16 03");
  Put("D:\\LOrvo\\Cisel\\16Ucty.Cds", "sixteen");
  Put("D:\\LOrvo\\Cisel\\15Ucty.Cds", "fifteen");
  EXPECT_EQ(CodeListFile(session, "Ucty.Cds"), "D:\\LOrvo\\Cisel\\16Ucty.Cds");
  EXPECT_EQ(Get("D:\\LOrvo\\Cisel\\16Ucty.Cds"), "sixteen");
  EXPECT_TRUE(ui.messages.empty());
}

struct CarryCase {
  const char* name;
  const char* period;
  const char* previous;
  const char* current;
};

class CodeListCarryTest : public AppScratch, public ::testing::WithParamInterface<CarryCase> {};

TEST_P(CodeListCarryTest, NewYearStartsFromACopyOfTheYearBefore) {
  const CarryCase& c = GetParam();
  PutPeriod(c.period);
  Put(std::string("D:\\LOrvo\\Cisel\\") + c.previous, "last year");
  EXPECT_EQ(CodeListFile(session, "Konta.Cds"), std::string("D:\\LOrvo\\Cisel\\") + c.current);
  EXPECT_EQ(Get(std::string("D:\\LOrvo\\Cisel\\") + c.current), "last year");
  EXPECT_EQ(Get(std::string("D:\\LOrvo\\Cisel\\") + c.previous), "last year");
  EXPECT_TRUE(ui.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Years, CodeListCarryTest,
    ::testing::Values(CarryCase{"year_16", "16 01", "15Konta.Cds", "16Konta.Cds"},
                      CarryCase{"year_00_follows_99", "00 05", "99Konta.Cds", "00Konta.Cds"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AppScratch, CodeListMissingForBothYearsEndsTheApplication) {
  PutPeriod("16 03");
  fs->MakeDir("D:\\LOrvo");
  fs->MakeDir("D:\\LOrvo\\Cisel");
  EXPECT_THROW(CodeListFile(session, "Cinn.Cds"), Termination);
  EXPECT_EQ(ui.Single(),
            Error("Soubor:\r\r\"D:\\LOrvo\\Cisel\\15Cinn.Cds\"\r\r     - nebyl nalezen !"));
  EXPECT_FALSE(Exists("D:\\LOrvo\\Cisel\\16Cinn.Cds"));
}

TEST_F(AppScratch, DistributionSkipsSiblingsThatAreNotInstalled) {
  session.PeriodYear = "16";
  Put("D:\\LOrvo\\Cisel\\16Ucty.Cds", "accounts");
  fs->MakeDir("D:\\LPexo");
  fs->MakeDir("D:\\LPexo\\Cisel");
  fs->MakeDir("D:\\LVint");
  fs->MakeDir("D:\\LVint\\Cisel");
  fs->MakeDir("D:\\LKolo");  // installed without a code-list directory
  DistributeCodeList(session, "D:\\LOrvo\\Cisel\\16Ucty.Cds", "Ucty");
  EXPECT_EQ(Get("D:\\LPexo\\Cisel\\16Ucty.Cds"), "accounts");
  EXPECT_EQ(Get("D:\\LVint\\Cisel\\16Ucty.Cds"), "accounts");
  EXPECT_FALSE(Exists("D:\\LRamu"));
  EXPECT_FALSE(Exists("D:\\LKolo\\Cisel"));
  EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace orvo::test
