#include "core/desk/calculator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/desk/expression_window.h"
#include "core/sys/numbers.h"

namespace orvo {
namespace {

struct CalcCase {
  const char* keys;     // typed one by one through Key ('E' = "&CE", 'C' = "C")
  const char* display;  // the result display afterwards, trimmed
  double current;
};

std::string Trimmed(const std::string& s) {
  const size_t a = s.find_first_not_of(' ');
  return a == std::string::npos ? std::string() : s.substr(a);
}

class CalculatorKeys : public ::testing::TestWithParam<CalcCase> {};

TEST_P(CalculatorKeys, Display) {
  const CalcCase& c = GetParam();
  TCalcul calc;
  calc.Reset();
  for (const char* k = c.keys; *k != '\0'; ++k) {
    if (*k == 'E') {
      calc.ClearEntry();
    } else if (*k == 'C') {
      calc.Clear();
    } else if (*k == 'B') {
      calc.Back();
    } else {
      ASSERT_TRUE(calc.Key(*k)) << *k;
    }
  }
  EXPECT_EQ(Trimmed(calc.Display()), c.display) << c.keys;
  EXPECT_DOUBLE_EQ(calc.Current(), c.current) << c.keys;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CalculatorKeys,
    ::testing::Values(
        CalcCase{"7+5=", "12,00000", 12},
        // A division by 0 leaves the current value (0) and shows it: blanks.
        CalcCase{"8/0=", "", 0},
        CalcCase{"2*3+4=", "10,00000", 10},
        // "&CE" clears the entry, the 3 typed is still added.
        CalcCase{"12+3E=", "15,00000", 15},
        CalcCase{"10-4=", "6,00000", 6},
        CalcCase{"1/3=", "0,33333", 1.0 / 3},
        CalcCase{"2.5*2=", "5,00000", 5},
        // A second comma in one number is not taken: 1,25 and not 1,2 then 5.
        CalcCase{"1,2,5", "", 1.25},
        CalcCase{"1,2,5+1=", "2,25000", 2.25},
        // "=" with nothing pending shows the current value.
        CalcCase{"42=", "42,00000", 42},
        CalcCase{"12B", "", 1},
        CalcCase{"9+9C", "", 0},
        // A repeated "=" keeps the value.
        CalcCase{"3*3==", "9,00000", 9}));

TEST(Calculator, EntryHoldsAtMost25Characters) {
  TCalcul calc;
  for (int i = 0; i < 30; ++i) calc.Digit('1');
  EXPECT_EQ(calc.Entry(), std::string(25, '1'));
  calc.Comma();
  EXPECT_EQ(calc.Entry().size(), 25u);
}

TEST(Calculator, OverflowKeepsALastFiniteValue) {
  TCalcul calc;
  for (int i = 0; i < 25; ++i) calc.Digit('9');
  double last = 0;
  for (int round = 0; round < 20; ++round) {
    calc.Press(TCalcul::Op::Mul);
    for (int i = 0; i < 25; ++i) calc.Digit('9');
    calc.Equals();
    EXPECT_TRUE(std::isfinite(calc.Result()));
    last = calc.Result();
  }
  EXPECT_TRUE(std::isfinite(last));
}

TEST(Calculator, UnknownKeysAreNotTaken) {
  TCalcul calc;
  EXPECT_FALSE(calc.Key('x'));
  EXPECT_FALSE(calc.Key(' '));
}

struct DecimalsCase {
  const char* typed;
  int decimals;
  const char* field;
  const char* display;  // 7 + "=" afterwards, trimmed
};

TEST(Calculator, DecimalsFieldIsClamped) {
  const DecimalsCase cases[] = {
      {"2", 2, "      2", "7,00"},
      {"0", 0, "      0", "7"},
      {"", 0, "      0", "7"},
      {"-3", 0, "      0", "7"},
      {"40", 15, "     15", "7,000000000000000"},
      {"abc", 0, "      0", "7"},
  };
  for (const DecimalsCase& c : cases) {
    TCalcul calc;
    calc.LeaveDecimals(c.typed);
    EXPECT_EQ(calc.Decimals(), c.decimals) << c.typed;
    EXPECT_EQ(calc.DecimalsText(), c.field) << c.typed;
    calc.Key('7');
    calc.Key('=');
    EXPECT_EQ(Trimmed(calc.Display()), c.display) << c.typed;
  }
}

TEST(Calculator, ShowingResetsEverything) {
  TCalcul calc;
  for (char k : std::string("5*4=3+")) calc.Key(k);
  calc.Reset();
  EXPECT_EQ(calc.Display(), "");
  EXPECT_EQ(calc.Entry(), "");
  EXPECT_EQ(calc.Current(), 0);
  EXPECT_EQ(calc.Result(), 0);
  EXPECT_EQ(calc.Pending(), TCalcul::Op::None);
}

struct ExprCase {
  const char* expression;
  const char* decimals;
  const char* result;  // trimmed; "-" = unchanged (nothing computed)
};

TEST(ExpressionWindow, Computes) {
  const ExprCase cases[] = {
      {"1+2*3", "5", "7,00000"},
      {"(1+2)*3", "2", "9,00"},
      {"10/4", "0", "3"},
      {"ucet+5", "1", "5,0"},  // names count as 0
      {"1,5*2", "3", "3,000"},
      {"   ", "5", "-"},
      {"", "5", "-"},
      {"2/0", "5", "2,00000"},  // the evaluator divides by 1 instead of 0
      {"1+2", "99", "3,000000000000000"},
  };
  for (const ExprCase& c : cases) {
    TAVyraz window;
    window.LeaveDecimals(c.decimals);
    window.Expression = c.expression;
    window.Compute();
    const std::string want = std::string(c.result) == "-" ? std::string() : c.result;
    EXPECT_EQ(Trimmed(window.Result()), want) << c.expression;
  }
}

TEST(ExpressionWindow, DecimalsFieldShowsZero) {
  TAVyraz window;
  EXPECT_EQ(window.DecimalsText(), "    5");
  window.LeaveDecimals("");
  EXPECT_EQ(window.DecimalsText(), "    0");
  window.LeaveDecimals("12");
  EXPECT_EQ(window.DecimalsText(), "   12");
}

TEST(ExpressionWindow, BlankExpressionKeepsTheLastResult) {
  TAVyraz window;
  window.Expression = "6*7";
  window.Compute();
  window.Expression = " ";
  window.Compute();
  EXPECT_EQ(Trimmed(window.Result()), "42,00000");
}

}  // namespace
}  // namespace orvo
