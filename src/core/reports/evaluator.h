// The expression evaluator of the definition files: numbers, PI, the four
// operators, parentheses and thirteen functions over names that a caller's
// resolver values (account sums and line references in the statements, 0
// for every name in the document entry's expression window). It has no
// messages: whatever it cannot read counts as 0.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace orvo {

// The value of a name (upper-cased, blanks removed); 0 for a name the
// resolver does not know.
using EvalResolver = std::function<long double(const std::string& name)>;

// The text as the evaluator reads it: "," becomes ".", blanks go, and the
// text is upper-cased the Czech way.
std::string NormaliseExpression(std::string_view expression);

// The value of `expression`. Parentheses are evaluated innermost first, a
// function name before "(" applies to the value inside; then "*" and "/",
// then "+" and "-", each left to right. A sign that follows an operator
// belongs to its right operand (2*-3 is -6). A divisor below 1e-20 in
// absolute value is replaced by 1; a ")" without a "(" before it makes the
// whole expression 0; a result that is not finite (LN of 0, SQRT of a
// negative value, an overflow) counts as 0. There is no limit on the number
// of intermediate results.
long double Evaluate(std::string_view expression, const EvalResolver& resolver = {});

}  // namespace orvo
