#include "core/desk/calculator.h"

#include <algorithm>
#include <cmath>

#include "core/sys/numbers.h"
#include "core/sys/text.h"

namespace orvo {

void TCalcul::Reset() {
  entry_.clear();
  current_ = 0;
  result_ = 0;
  pending_ = Op::None;
  display_.clear();
}

void TCalcul::EntryChanged() { current_ = TextToReal(entry_); }

void TCalcul::ShowValue(double value) { display_ = RealTextBlank(25, decimals_, value); }

void TCalcul::Digit(char digit) {
  if (digit < '0' || digit > '9' || entry_.size() >= kEntryLimit) return;
  entry_ += digit;
  EntryChanged();
}

void TCalcul::Comma() {
  if (entry_.find(',') != std::string::npos || entry_.size() >= kEntryLimit) return;
  entry_ += ',';
  EntryChanged();
}

void TCalcul::Back() {
  if (!entry_.empty()) entry_.pop_back();
  EntryChanged();
}

void TCalcul::ClearEntry() { entry_.clear(); }

void TCalcul::Clear() { Reset(); }

void TCalcul::Equals() {
  double value = current_;
  switch (pending_) {
    case Op::None: break;
    case Op::Add: value = result_ + current_; break;
    case Op::Sub: value = result_ - current_; break;
    case Op::Mul: value = result_ * current_; break;
    case Op::Div: value = current_ == 0 ? current_ : result_ / current_; break;
  }
  // A result a double cannot hold is refused like a division by zero.
  if (!std::isfinite(value)) value = current_;
  current_ = value;
  result_ = value;
  ShowValue(value);
  entry_.clear();
  pending_ = Op::None;
}

void TCalcul::Press(Op op) {
  if (pending_ != Op::None) Equals();
  result_ = current_;
  pending_ = op;
  entry_.clear();
  current_ = 0;
}

bool TCalcul::Key(char key) {
  if (key >= '0' && key <= '9') {
    Digit(key);
  } else if (key == ',' || key == '.') {
    Comma();
  } else if (key == '+') {
    Press(Op::Add);
  } else if (key == '-') {
    Press(Op::Sub);
  } else if (key == '*') {
    Press(Op::Mul);
  } else if (key == '/') {
    Press(Op::Div);
  } else if (key == '=' || key == '\r' || key == '\n') {
    Equals();
  } else if (key == 27) {
    Clear();
  } else if (key == 8) {
    Back();
  } else {
    return false;
  }
  return true;
}

void TCalcul::LeaveDecimals(std::string_view typed) {
  decimals_ = static_cast<int>(std::clamp<int64_t>(TextToInt(typed), 0, 15));
}

std::string TCalcul::DecimalsText() const { return IntTextZero(decimals_, 7); }

}  // namespace orvo
