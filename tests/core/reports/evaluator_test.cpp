#include "core/reports/evaluator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>

namespace orvo {
namespace {

struct EvalCase {
  const char* name;
  std::string expression;
  long double want;
};

long double TestResolver(const std::string& name) {
  static const std::map<std::string, long double> values = {
      {"SU[501]", 120.5L}, {"R[1]", 7}, {"R1[2]", -3}, {"X", 10}, {"Y", 4}, {"\xc8\xcdSLO", 2}};
  auto it = values.find(name);
  return it == values.end() ? 0.0L : it->second;
}

class EvaluateTest : public ::testing::TestWithParam<EvalCase> {};

TEST_P(EvaluateTest, Value) {
  const EvalCase& c = GetParam();
  EXPECT_NEAR(static_cast<double>(Evaluate(c.expression, TestResolver)), static_cast<double>(c.want), 1e-12)
      << c.expression;
}

std::string ManyTerms(int n, const char* op) {
  std::string text = "1";
  for (int i = 1; i < n; ++i) text += std::string(op) + "1";
  return text;
}

std::string DeepNesting(int n) { return std::string(static_cast<size_t>(n), '(') + "2" + std::string(static_cast<size_t>(n), ')'); }

INSTANTIATE_TEST_SUITE_P(
    Rows, EvaluateTest,
    ::testing::Values(
        // The table of the evaluator's behaviour.
        EvalCase{"multiplicative_first", "2+3*4", 14}, EvalCase{"parentheses_first", "(2+3)*4", 20},
        EvalCase{"left_to_right", "10-3-2", 5}, EvalCase{"leading_minus", "-5+2", -3},
        EvalCase{"zero_divisor_is_one", "7/0", 7}, EvalCase{"tiny_divisor_is_one", "7/0,00000000000000000000001", 7},
        EvalCase{"function", "ABS(-4)", 4}, EvalCase{"decimal_comma_in_function", "SGN(0-2,5)", -1},
        EvalCase{"decimal_comma", "1,5*2", 3}, EvalCase{"unclosed_parenthesis", "(1+2", 2},
        EvalCase{"close_without_open", "1+2)", 0}, EvalCase{"empty", "", 0}, EvalCase{"blanks_removed", " 1 + 2 ", 3},
        // A sign after an operator belongs to the right operand.
        EvalCase{"sign_after_times", "2*-3", -6}, EvalCase{"reference_times_minus_one", "R[1]*-1", -7},
        EvalCase{"divided_by_negative", "X/-Y", -2.5L}, EvalCase{"minus_minus", "5--3", 8},
        EvalCase{"plus_sign", "5*+2", 10}, EvalCase{"negative_left_operand", "2+-3*4", -10},
        // Functions.
        EvalCase{"arctan", "ARCTAN(1)*4", 3.1415926535897932385L}, EvalCase{"cos", "COS(0)", 1},
        EvalCase{"exp", "EXP(1)", 2.7182818284590452354L}, EvalCase{"frac", "FRAC(-2,75)", -0.75L},
        EvalCase{"int_truncates", "INT(-2,75)", -2}, EvalCase{"ln", "LN(EXP(2))", 2},
        EvalCase{"sin_pi", "SIN(PI/2)", 1}, EvalCase{"sqrt", "SQRT(16)", 4}, EvalCase{"plus_positive", "PLUS(3)", 1},
        EvalCase{"plus_zero", "PLUS(0)", 0}, EvalCase{"nnul", "NNUL(-1)", 1}, EvalCase{"nul", "NUL(0)", 1},
        EvalCase{"nul_nonzero", "NUL(2)", 0}, EvalCase{"sgn_positive", "SGN(9)", 1}, EvalCase{"lower_case", "abs(-2)+pi-PI", 2},
        EvalCase{"two_functions_in_list_order", "SQRTABS(-16)", 4}, EvalCase{"function_tried_once", "ABSSQRT(16)", 0},
        EvalCase{"nesting", "((2+3)*(4-1))/5", 3}, EvalCase{"deep_nesting", DeepNesting(150), 2},
        // Names through the resolver, upper-cased first.
        EvalCase{"account_sum", "su[501]*2", 241}, EvalCase{"line_reference", "R[1]+R1[2]", 4},
        EvalCase{"czech_name_upper_cased", "\xe8\xedslo*3", 6}, EvalCase{"unknown_name", "NEZNAMY+1", 1},
        EvalCase{"malformed_number", "1.2.3+1", 1}, EvalCase{"number_then_name", "2(3)", 0},
        // More than 99 intermediate results.
        EvalCase{"two_hundred_sums", ManyTerms(200, "+"), 200}, EvalCase{"two_hundred_products", ManyTerms(200, "*") + "*5", 5},
        EvalCase{"two_hundred_parentheses", "(" + ManyTerms(200, ")+(") + ")", 200},
        // Results that are not finite count as 0.
        EvalCase{"ln_of_zero", "LN(0)+1", 1}, EvalCase{"ln_of_negative", "LN(-1)", 0}, EvalCase{"sqrt_of_negative", "SQRT(-4)", 0},
        EvalCase{"exp_overflow", "EXP(1000000)", 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EvaluateTest, WithoutResolverEveryNameIsZero) {
  EXPECT_EQ(Evaluate("SU[501]+2"), 2.0L);
  EXPECT_TRUE(std::isfinite(static_cast<double>(Evaluate("EXP(100000)*EXP(100000)"))));
}

}  // namespace
}  // namespace orvo
