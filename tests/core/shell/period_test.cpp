#include "core/shell/period.h"

#include <gtest/gtest.h>

#include "support/app_fixture.h"

namespace orvo::test {
namespace {

struct ValidCase {
  const char* name;
  const char* text;
  bool valid;
};

class PeriodValidTest : public ::testing::TestWithParam<ValidCase> {};

TEST_P(PeriodValidTest, ChecksTheForm) {
  EXPECT_EQ(PeriodValid(GetParam().text), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, PeriodValidTest,
    ::testing::Values(ValidCase{"ordinary", "16 03", true}, ValidCase{"opening_state", "16 00", true},
                      ValidCase{"month_20", "16 20", true}, ValidCase{"month_21", "16 21", false},
                      ValidCase{"without_blank", "1612", false},
                      ValidCase{"other_separator", "16-03", false},
                      ValidCase{"letter", "1a 03", false}, ValidCase{"too_long", "16 033", false},
                      ValidCase{"empty", "", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AppScratch, PeriodFileFollowsTheSuffix) {
  EXPECT_EQ(PeriodFileName(session), "C:\\A_Run\\PomSoub\\ObdobiOrvo.Txt");
  RunValues plain(*env);
  EXPECT_EQ(PeriodFileName(plain), "C:\\A_Run\\PomSoub\\Obdobi.Txt");
  EXPECT_EQ(plain.period.highestMonth, 12);
  EXPECT_FALSE(plain.period.monthZeroAllowed);
  EXPECT_EQ(session.period.rangeDir, "C:\\A_Run\\Aplikace\\LOrvo\\PomSoub");
}

TEST_F(AppScratch, LoadReadsTheFirstFiveCharacters) {
  Put(kPeriodFile, "16 03 further text\r\nsecond line\r\n");
  LoadPeriod(session);
  EXPECT_EQ(session.CurrentPeriod, "16 03");
  EXPECT_EQ(session.PeriodYear, "16");
  EXPECT_EQ(session.PeriodMonth, "03");
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(AppScratch, MissingPeriodFileIsGeneratedFromToday) {
  fs->MakeDir("C:\\A_Run");
  fs->MakeDir("C:\\A_Run\\PomSoub");
  clock.Set({2017, 11, 5, 8, 0, 0});
  LoadPeriod(session);
  EXPECT_EQ(session.CurrentPeriod, "17 11");
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0],
            Error("Soubor:\r\r\"C:\\A_Run\\PomSoub\\ObdobiOrvo.Txt\"\r\r     - nebyl nalezen !"));
  EXPECT_EQ(ui.messages[1], Info("Vygenerovano obdobi: 17 11\r\rProvedte prednostne opravu !"));
  EXPECT_EQ(Get(kPeriodFile), "17 11\r\n");
}

TEST_F(AppScratch, MalformedStoredPeriodIsReportedAndStillUsed) {
  PutPeriod("1612");
  LoadPeriod(session);
  EXPECT_EQ(session.CurrentPeriod, "1612");
  EXPECT_EQ(session.PeriodYear, "16");
  EXPECT_EQ(ui.Single(), Error("Chybne zadane obdobie: 1612", "Provedte prednostne opravu !"));
}

TEST_F(AppScratch, SaveInsertsTheBlankAndProtectsTheFile) {
  fs->MakeDir("C:\\A_Run");
  fs->MakeDir("C:\\A_Run\\PomSoub");
  session.CurrentPeriod = "1605";
  EXPECT_TRUE(SavePeriod(session));
  EXPECT_EQ(session.CurrentPeriod, "16 05");
  EXPECT_EQ(Get(kPeriodFile), "16 05\r\n");
  ExpectProtected(kPeriodFile);

  // Reading keeps the protection; the next save replaces the protected file.
  LoadPeriod(session);
  ExpectProtected(kPeriodFile);
  session.CurrentPeriod = "16 06";
  EXPECT_TRUE(SavePeriod(session));
  EXPECT_EQ(Get(kPeriodFile), "16 06\r\n");
  ExpectProtected(kPeriodFile);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(AppScratch, MalformedPeriodIsNotSaved) {
  PutPeriod("16 03");
  session.CurrentPeriod = "100 00";
  EXPECT_FALSE(SavePeriod(session));
  EXPECT_EQ(ui.Single(), Error("Chybne zadane obdobie: 100 00", "Zmena nebude provedena !"));
  EXPECT_EQ(Get(kPeriodFile), "16 03\r\n");
}

// The old period stays when the new one cannot be written and the user
// gives up.
TEST_F(AppScratch, UnwritablePeriodFileKeepsTheOldPeriod) {
  session.CurrentPeriod = "16 05";
  ui.answers = {Answer::Yes, Answer::No};
  EXPECT_FALSE(SavePeriod(session));  // C:\A_Run\PomSoub does not exist
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0].kind, MessageKind::YesNo);
  EXPECT_EQ(ui.messages[0].text,
            "Chyba:    3\r\rProgram nemuze zalozit Soubor: \r     "
            "C:\\A_Run\\PomSoub\\ObdobiOrvo.Txt\r\rChceme opakovat pokus o zalozeni Souboru ?");
  EXPECT_EQ(ui.messages[0].caption, "");
}

}  // namespace
}  // namespace orvo::test
