#include "core/sys/dates.h"

#include <gtest/gtest.h>

#include "core/sys/termination.h"
#include "support/scratch.h"

namespace orvo::test {
namespace {

const std::string kBadDate = "\r\rChybne uvedene Datum !";

std::string BadSystemDate(const std::string& text) {
  return "Datum:  " + text + "\r\r" + "Operacni system ma nastaven spatny format Datumu !" +
         "\r\r" + "Program bude ukoncen.";
}

// ---- TodayText ----------------------------------------------------------

struct TodayCase {
  const char* name;
  const char* shortDate;
  const char* want;
};

class TodayTextTest : public Scratch, public ::testing::WithParamInterface<TodayCase> {};

TEST_P(TodayTextTest, BringsTheSystemDateToDdMmYyyy) {
  clock.shortDateOverride = GetParam().shortDate;
  EXPECT_EQ(TodayText(*env), GetParam().want);
  EXPECT_TRUE(ui.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Dates, TodayTextTest,
    ::testing::Values(TodayCase{"already_right", "15.03.2016", "15.03.2016"},
                      TodayCase{"one_digit_day_and_month", "5.3.2016", "05.03.2016"},
                      TodayCase{"one_digit_month", "15.3.2016", "15.03.2016"},
                      TodayCase{"weekday_in_front", "Tue 15.03.2016", "15.03.2016"},
                      TodayCase{"weekday_and_one_digit_day", "Tu 5.3.2016", "05.03.2016"},
                      TodayCase{"trailing_text_cut", "15.03.2016 (utery)", "15.03.2016"}),
    [](const auto& info) { return std::string(info.param.name); });

class TodayTextRefusedTest : public Scratch, public ::testing::WithParamInterface<TodayCase> {};

TEST_P(TodayTextRefusedTest, SaysSoAndEndsTheApplication) {
  clock.shortDateOverride = GetParam().shortDate;
  EXPECT_THROW(TodayText(*env), Termination);
  EXPECT_EQ(ui.Single(), Error(BadSystemDate(GetParam().want)));
  EXPECT_EQ(ui.beeps, 3);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, TodayTextRefusedTest,
    ::testing::Values(TodayCase{"iso_form", "2016-03-15", "2016-03-15"},
                      TodayCase{"us_form", "3/15/2016", "3/15/2016"},
                      TodayCase{"two_digit_year", "15.03.16", "15.03.16"},
                      TodayCase{"year_before_1950", "15.03.1949", "15.03.1949"},
                      TodayCase{"day_above_31", "32.03.2016", "32.03.2016"},
                      TodayCase{"month_above_12", "15.13.2016", "15.13.2016"},
                      TodayCase{"letters", "ab.cd.2016", "ab.cd.2016"},
                      TodayCase{"dot_first", ".3.2016", "0.03.2016"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- NowText ------------------------------------------------------------

class NowTextTest : public Scratch {};

TEST_F(NowTextTest, PadsEveryPartWithZeros) {
  clock.Set({2016, 3, 15, 9, 5, 7});
  EXPECT_EQ(NowText(*env), "09:05:07");
  clock.Set({2016, 3, 15, 0, 0, 0});
  EXPECT_EQ(NowText(*env), "00:00:00");
  clock.Set({2016, 3, 15, 23, 59, 10});
  EXPECT_EQ(NowText(*env), "23:59:10");
}

// ---- ParseDate ----------------------------------------------------------

struct ParseCase {
  const char* name;
  const char* text;
  int day, month, year;
};

class ParseDateTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseDateTest, Parses) {
  const auto& c = GetParam();
  ParsedDate d = ParseDate(c.text);
  EXPECT_EQ(d.day, c.day);
  EXPECT_EQ(d.month, c.month);
  EXPECT_EQ(d.year, c.year);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, ParseDateTest,
    ::testing::Values(ParseCase{"empty", "", 0, 0, 3000},
                      ParseCase{"blanks", "   ", 0, 0, 3000},
                      ParseCase{"full", "15.03.2016", 15, 3, 2016},
                      ParseCase{"day_month", "5.3", 5, 3, 3000},
                      ParseCase{"day_only", "5", 5, 0, 3000},
                      ParseCase{"two_digit_year_2000s", "5.3.16", 5, 3, 2016},
                      ParseCase{"year_50_is_2050", "5.3.50", 5, 3, 2050},
                      ParseCase{"year_51_is_1951", "5.3.51", 5, 3, 1951},
                      ParseCase{"commas_and_blanks", " 5 , 3 , 99", 5, 3, 1999},
                      ParseCase{"empty_year", "5.3.", 5, 3, 3000},
                      ParseCase{"empty_day_and_month", "..2016", 0, 0, 2016},
                      ParseCase{"long_day_not_taken", "123.4.2016", 0, 4, 2016},
                      ParseCase{"long_month_not_taken", "1.123.2016", 1, 0, 2016},
                      ParseCase{"year_at_most_four_characters", "5.3.201699", 5, 3, 2016},
                      ParseCase{"three_digit_year_kept", "5.3.150", 5, 3, 150}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- DateValid and DateText ---------------------------------------------

struct ValidCase {
  const char* name;
  int year, month, day;
  bool valid;
  const char* shown;  // DateText in the message when invalid
};

class DateValidTest : public Scratch, public ::testing::WithParamInterface<ValidCase> {};

TEST_P(DateValidTest, ChecksUpperBoundsAndSays) {
  const auto& c = GetParam();
  EXPECT_EQ(DateValid(*env, c.year, c.month, c.day), c.valid);
  if (c.valid) {
    EXPECT_TRUE(ui.messages.empty());
  } else {
    EXPECT_EQ(ui.Single(), Error(c.shown + kBadDate));
    EXPECT_EQ(ui.beeps, 3);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Dates, DateValidTest,
    ::testing::Values(ValidCase{"ordinary", 2016, 3, 15, true, ""},
                      ValidCase{"leap_day", 2016, 2, 29, true, ""},
                      ValidCase{"leap_day_2000", 2000, 2, 29, true, ""},
                      ValidCase{"first_year", 1900, 1, 1, true, ""},
                      ValidCase{"last_day", 2050, 12, 31, true, ""},
                      ValidCase{"day_zero", 2016, 3, 0, true, ""},
                      ValidCase{"month_and_day_zero", 2016, 0, 0, true, ""},
                      ValidCase{"no_leap_day", 2015, 2, 29, false, "29.02.2015"},
                      ValidCase{"no_leap_day_in_1900", 1900, 2, 29, false, "29.02.1900"},
                      ValidCase{"april_31", 2016, 4, 31, false, "31.04.2016"},
                      ValidCase{"month_13", 2016, 13, 1, false, "01.13.2016"},
                      ValidCase{"month_zero_with_day", 2016, 0, 1, false, "01.00.2016"},
                      ValidCase{"year_1899", 1899, 12, 31, false, "31.12.1899"},
                      ValidCase{"year_2051", 2051, 1, 1, false, "01.01.2051"},
                      ValidCase{"unset_year", 3000, 1, 1, false, "01.01.3000"},
                      ValidCase{"negative_day", 2016, 3, -5, false, "-5.03.2016"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DateTextTest, LeadingZeros) {
  EXPECT_EQ(DateText(2016, 3, 5), "05.03.2016");
  EXPECT_EQ(DateText(2016, 12, 31), "31.12.2016");
  EXPECT_EQ(DateText(0, 0, 0), "00.00.0000");
}

// ---- CompleteDate -------------------------------------------------------

struct CompleteCase {
  const char* name;
  const char* text;
  const char* want;
  const char* error;  // message text, or nullptr for none
};

class CompleteDateTest : public Scratch, public ::testing::WithParamInterface<CompleteCase> {};

TEST_P(CompleteDateTest, Completes) {
  const auto& c = GetParam();
  clock.Set({2016, 3, 15, 10, 0, 0});
  EXPECT_EQ(CompleteDate(*env, c.text), c.want);
  if (c.error == nullptr) {
    EXPECT_TRUE(ui.messages.empty());
  } else {
    EXPECT_EQ(ui.Single(), Error(c.error));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Dates, CompleteDateTest,
    ::testing::Values(
        CompleteCase{"empty", "", "          ", nullptr},
        CompleteCase{"blanks", "     ", "          ", nullptr},
        CompleteCase{"day_and_month", "5.3", "05.03.2016", nullptr},
        CompleteCase{"day_only", "5", "05.03.2016", nullptr},
        CompleteCase{"february_31", "31.2.15", "          ", "31.02.2015\r\rChybne uvedene Datum !"},
        CompleteCase{"leap_day", "29.2.16", "29.02.2016", nullptr},
        CompleteCase{"two_digit_year_1900s", "1.1.99", "01.01.1999", nullptr},
        CompleteCase{"zero_day_and_month_are_today", "0.0.2015", "15.03.2015", nullptr},
        CompleteCase{"only_dots", "..", "15.03.2016", nullptr},
        CompleteCase{"year_zero", "1.1.0", "01.01.2000", nullptr},
        CompleteCase{"full_date_kept", "24.12.2010", "24.12.2010", nullptr},
        CompleteCase{"month_13", "1.13", "          ", "01.13.2016\r\rChybne uvedene Datum !"},
        CompleteCase{"three_digit_year", "1.1.150", "          ",
                     "01.01.0150\r\rChybne uvedene Datum !"}),
    [](const auto& info) { return std::string(info.param.name); });

class CompleteDateYearTest : public Scratch {};

TEST_F(CompleteDateYearTest, MissingYearIsTheClocksYear) {
  clock.Set({2020, 7, 1, 0, 0, 0});
  EXPECT_EQ(CompleteDate(*env, "5.3"), "05.03.2020");
  EXPECT_EQ(CompleteDate(*env, "29.2"), "29.02.2020");
}

// ---- CheckDate and CheckStartDate ---------------------------------------

struct CheckCase {
  const char* name;
  const char* text;
  bool want;
  bool says;
};

class CheckDateTest : public Scratch, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(CheckDateTest, Checks) {
  const auto& c = GetParam();
  EXPECT_EQ(CheckDate(*env, c.text), c.want);
  EXPECT_EQ(ui.messages.size(), c.says ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, CheckDateTest,
    ::testing::Values(CheckCase{"valid", "15.03.2016", true, false},
                      CheckCase{"short_form_quietly_false", "15.3.2016", false, false},
                      CheckCase{"wrong_separators_quietly_false", "15-03-2016", false, false},
                      CheckCase{"empty_quietly_false", "", false, false},
                      CheckCase{"too_long_quietly_false", "15.03.20160", false, false},
                      CheckCase{"invalid_day_says", "31.04.2016", false, true},
                      CheckCase{"year_out_of_range_says", "01.01.2060", false, true}),
    [](const auto& info) { return std::string(info.param.name); });

class CheckStartDateTest : public Scratch {};

TEST_F(CheckStartDateTest, TodayPasses) {
  EXPECT_TRUE(CheckStartDate(*env));
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CheckStartDateTest, ImpossibleSystemDateIsReported) {
  clock.shortDateOverride = "31.02.2016";
  EXPECT_FALSE(CheckStartDate(*env));
  EXPECT_EQ(ui.Single(), Error("31.02.2016" + kBadDate));
}

TEST_F(CheckStartDateTest, UnreadableSystemDateEndsTheApplication) {
  clock.shortDateOverride = "2016-02-31";
  EXPECT_THROW(CheckStartDate(*env), Termination);
  EXPECT_EQ(ui.Single(), Error(BadSystemDate("2016-02-31")));
}

}  // namespace
}  // namespace orvo::test
