// TAVyraz, the window that computes an arithmetic expression with the
// statements' evaluator; every name in the expression counts as 0.
#pragma once

#include <string>
#include <string_view>

namespace orvo {

class TAVyraz {
 public:
  std::string Expression;
  // "  Vypocet" or Enter released in the expression field: a blank
  // expression does nothing; otherwise "Vysledek:" shows the value.
  void Compute();
  // The decimals field, taken on leaving: clamped to 0-15, shown
  // right-aligned in 5 characters with a zero as "0".
  void LeaveDecimals(std::string_view typed);
  int Decimals() const { return decimals_; }
  std::string DecimalsText() const;
  const std::string& Result() const { return result_; }

 private:
  int decimals_ = 5;
  std::string result_;
};

}  // namespace orvo
