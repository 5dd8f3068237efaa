// The model of the from-to dialog TObd12 ("  Zadej obdobi od, do:"): two
// four-digit fields YYMM and "  Dalsi". The last range is kept in the range
// file Obdobi12.Txt; the caller reads RangeCancelled, RangeFrom and RangeTo
// after the dialog has closed.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/shell/run_values.h"

namespace orvo {

class RangeDialogModel {
 public:
  explicit RangeDialogModel(RunValues& session) : session_(session) {}

  static constexpr std::string_view kCaption = "  Zadej obdobi od, do:";

  // Hand-over values read by the caller after closing.
  std::string RangeFrom;
  std::string RangeTo;
  bool RangeCancelled = false;

  // The range file: rangeDir + "\Obdobi12.Txt".
  std::string RangeFileName() const;

  // Clears RangeCancelled, reads the range file ("0201" to "2012" without
  // one) and fills the fields; the focus is on the first field.
  void Show();

  const std::string& Field(int index) const { return fields_.at(index); }
  void SetField(int index, std::string_view text) { fields_.at(index) = std::string(text); }
  int Focus() const { return focus_; }

  // Leaving a field checks it: four digits, month below 14. On a bad entry
  // shows "Chybne zadane obdobi !" / "Obdobi: " + text, the focus returns to
  // the field and the result is false.
  bool LeaveField(int index);
  // Enter moves on: from the first field to the second, from the second to
  // "  Dalsi" (focus 2); each move leaves a field and so checks it.
  void Enter();
  // "  Dalsi" closes the dialog.
  void Proceed();
  // Escape anywhere: RangeCancelled, and the dialog closes.
  void Escape();

 private:
  // On every closing, Escape included: the range file gets both fields,
  // RangeFrom and RangeTo their first four characters.
  void Close();

  RunValues& session_;
  std::array<std::string, 2> fields_;
  int focus_ = 0;
};

}  // namespace orvo
