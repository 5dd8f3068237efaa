// TCalcul, the desk calculator: an entry of at most 25 characters, a result
// and one pending operation. The result display is what F5 in the document
// window and in the grid data entry copies into an amount cell.
#pragma once

#include <string>
#include <string_view>

namespace orvo {

class TCalcul {
 public:
  enum class Op { None, Add, Sub, Mul, Div };
  static constexpr size_t kEntryLimit = 25;

  // Showing the window: everything cleared, the result display empty.
  void Reset();

  void Digit(char digit);  // '0'..'9'
  // A second "," in one number is not taken.
  void Comma();
  void Back();        // "Zpet"
  void ClearEntry();  // "&CE": the current value stays
  void Clear();       // "C" and Escape
  void Press(Op op);  // "+", "-", "*", "/"
  void Equals();      // "=" and Enter
  // A typed key: digits, "," and ".", the four operators, '=' and '\r',
  // Escape (27) and Backspace (8). False when the key is not the
  // calculator's.
  bool Key(char key);

  // The decimals field: its text as typed, then taken on leaving, clamped
  // to 0-15 and shown right-aligned in 7 characters.
  void LeaveDecimals(std::string_view typed);
  int Decimals() const { return decimals_; }
  std::string DecimalsText() const;

  const std::string& Entry() const { return entry_; }
  double Current() const { return current_; }
  double Result() const { return result_; }
  Op Pending() const { return pending_; }
  // The result display (empty until the first result).
  const std::string& Display() const { return display_; }

 private:
  void EntryChanged();
  void ShowValue(double value);

  std::string entry_;
  double current_ = 0;
  double result_ = 0;
  Op pending_ = Op::None;
  int decimals_ = 5;
  std::string display_;
};

}  // namespace orvo
