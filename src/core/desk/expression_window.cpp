#include "core/desk/expression_window.h"

#include <algorithm>

#include "core/reports/evaluator.h"
#include "core/sys/numbers.h"
#include "core/sys/text.h"

namespace orvo {

void TAVyraz::Compute() {
  if (Trim(Expression).empty()) return;
  result_ = RealTextBlankExt(25, decimals_, Evaluate(Expression));
}

void TAVyraz::LeaveDecimals(std::string_view typed) {
  decimals_ = static_cast<int>(std::clamp<int64_t>(TextToInt(typed), 0, 15));
}

std::string TAVyraz::DecimalsText() const { return IntTextZero(decimals_, 5); }

}  // namespace orvo
