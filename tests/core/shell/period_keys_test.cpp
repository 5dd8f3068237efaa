#include "core/shell/period_keys.h"

#include <gtest/gtest.h>

#include "support/app_fixture.h"
#include "core/shell/file_names.h"

namespace orvo::test {
namespace {

struct KeyCase {
  const char* name;
  const char* period;
  const char* prev;
  const char* next;
};

class PeriodKeyTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(PeriodKeyTest, NamesTheNeighbours) {
  const KeyCase& c = GetParam();
  EXPECT_EQ(PrevPeriodKey(c.period), c.prev);
  EXPECT_EQ(NextPeriodKey(c.period), c.next);
}

INSTANTIATE_TEST_SUITE_P(
    Periods, PeriodKeyTest,
    ::testing::Values(KeyCase{"january_follows_opening_state", "16 01", "1600", "1602"},
                      KeyCase{"opening_state_follows_december", "16 00", "1512", "1601"},
                      KeyCase{"year_00_follows_99", "00 00", "9912", "0001"},
                      KeyCase{"without_blank", "1603", "1602", "1604"},
                      KeyCase{"december_is_followed_by_13", "16 12", "1611", "1613"},
                      KeyCase{"month_20_is_the_last", "16 20", "1619", "1701"},
                      KeyCase{"year_99_is_followed_by_00", "9920", "9919", "0001"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TwoDigitsTest, PadsButNeverCuts) {
  EXPECT_EQ(TwoDigits(7), "07");
  EXPECT_EQ(TwoDigits(0), "00");
  EXPECT_EQ(TwoDigits(100), "100");
  EXPECT_EQ(YearBefore("00"), "99");
  EXPECT_EQ(YearBefore("16"), "15");
}

struct FileCase {
  const char* name;
  const char* period;
  const char* balance;
  const char* posting;
};

class DataFileNameTest : public AppScratch, public ::testing::WithParamInterface<FileCase> {};

// The names follow the period stored on disk, not the one in memory.
TEST_P(DataFileNameTest, FollowsTheStoredPeriodAndThePlant) {
  const FileCase& c = GetParam();
  PutPeriod(c.period);
  PutInit("01 Zavod Jih");
  session.CurrentPeriod = "99 99";
  EXPECT_EQ(BalanceFile(session), std::string("D:\\LOrvo\\Data\\") + c.balance);
  EXPECT_EQ(PostingFile(session), std::string("D:\\LOrvo\\Data\\") + c.posting);
  EXPECT_TRUE(ui.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Periods, DataFileNameTest,
    ::testing::Values(FileCase{"march", "16 03", "160201UctS.Cds", "160301UctO.Cds"},
                      FileCase{"january", "16 01", "160001UctS.Cds", "160101UctO.Cds"},
                      FileCase{"opening_state", "16 00", "151201UctS.Cds", "160001UctO.Cds"},
                      FileCase{"year_00_opening", "00 00", "991201UctS.Cds", "000001UctO.Cds"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AppScratch, FixedNamesLieInTheApplicationTree) {
  SetDataRoot(session, "D:\\Firma");
  EXPECT_EQ(session.ProgramsDir, "D:\\Firma\\LOrvo\\Programy");
  EXPECT_EQ(AccessFileName(), "C:\\A_Run\\PristPr\\LOrv.H");
  EXPECT_EQ(OdDoKontoFile(session), "D:\\Firma\\LOrvo\\Cisel\\OdDoKonto.Cds");
  EXPECT_EQ(MJCinnFile(session), "D:\\Firma\\LOrvo\\Cisel\\MJCinn.Cds");
  EXPECT_EQ(CMFile(session), "D:\\Firma\\LOrvo\\Cisel\\CM.Cds");
  EXPECT_EQ(KalkMnFile(session), "D:\\Firma\\LOrvo\\Data\\KalkMn.Cds");
  EXPECT_EQ(DocumentListDef(session, "LDoklZ.Def"), "D:\\Firma\\LOrvo\\PomSoub\\LDoklZ.Def");
  EXPECT_EQ(CustomerListFile(session), "D:\\Firma\\LPexo\\Cisel\\Odber.Cds");
  EXPECT_EQ(SupplierListFile(session), "D:\\Firma\\LPexo\\Cisel\\Dodav.Cds");
  EXPECT_EQ(PexoTransferFile(session, "16 03"), "D:\\Firma\\LPexo\\Prevody\\1603PexoUctPr.Cds");
  EXPECT_EQ(InitFileName(session), "D:\\Firma\\LOrvo\\PomSoub\\UctInic.TXT");
  EXPECT_EQ(BackgroundPictureName(session), "D:\\Firma\\LOrvo\\PomSoub\\Orvo.Jpg");
  EXPECT_EQ(PeriodOverviewName(session), "D:\\Firma\\LOrvo\\PomSoub\\UctObd.Txt");
}

}  // namespace
}  // namespace orvo::test
