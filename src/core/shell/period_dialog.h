// The model of the period dialog TObd (" Zadej obdobi"): one four-digit
// field YYMM, the step buttons "Minule obdobi" and "Budouci obdobi", and
// "Potvrd". The dialog saves the period when it closes.
#pragma once

#include <string>
#include <string_view>

#include "core/shell/run_values.h"

namespace orvo {

class PeriodDialogModel {
 public:
  explicit PeriodDialogModel(RunValues& session) : session_(session) {}

  static constexpr std::string_view kCaption = " Zadej obdobi";

  // Loads the period and puts YYMM into the field (to be shown selected).
  void Show();

  // The blue information line: the last 47 characters of the period file.
  std::string PathLine() const;
  const std::string& Field() const { return field_; }
  void SetField(std::string_view text) { field_ = std::string(text); }

  // Leaving the field checks it: four digits, month at most 20. On a bad
  // entry shows "Chybne zadane obdobie !" / "Obdobie: " + text and returns
  // false; the focus goes back to the field.
  bool LeaveField();
  // Enter in the field: the check, and when it passes the dialog closes
  // (Close has run). True when closed.
  bool EnterInField();
  // "Potvrd": the click takes the focus from the field, which runs the
  // check; the dialog closes only when it passed. True when closed.
  bool Confirm();
  // The step buttons move CurrentPeriod at once and show it in the field;
  // they do not check the field.
  void Previous();
  void Next();
  // The field's text with its blank becomes CurrentPeriod, which is saved.
  // False when saving was refused or failed.
  bool Close();

 private:
  void Step(int delta);

  RunValues& session_;
  std::string field_;
};

}  // namespace orvo
