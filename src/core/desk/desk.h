// The desk: the calculator, the expression window, the calendar and the
// clock, created once and shown non-modally, and the help, which shows a
// rich-text help document in an editor of its own (the definition files
// opened from the menu use another editor, so the two never meet in one
// window). The calculator's result display is the one value F5 in the entry
// windows takes.
#pragma once

#include <string>
#include <string_view>

#include "core/desk/calculator.h"
#include "core/desk/clock_calendar.h"
#include "core/desk/expression_window.h"
#include "core/desk/text_editor.h"
#include "core/shell/run_values.h"

namespace orvo {

inline constexpr std::string_view kHelpOpenText = "Uzavrete predeslou napovedu, a akci opakujte.";
inline constexpr std::string_view kHelpOpenCaption = "Napovedu nelze otevrit !";
inline constexpr std::string_view kRestoreHelpTopic = "OrvoObn";

// The help document of a topic: DataRoot\LOrvo\Dokum\<topic>.Rtf.
std::string HelpFileOf(const RunValues& run, std::string_view topic);

class Desk {
 public:
  Desk(Env& env, Office& office);

  TCalcul calculator;
  TAVyraz expression;
  TKalendar calendar;
  THodiny clock;
  TVEText help;

  // The calculator's result display as F5 reads it: empty while the
  // calculator shows no result.
  std::string CalculatorValue() const { return calculator.Display(); }

  // XFHelp: the help editor prepared on the topic's document (rich mode)
  // and shown; refused with a message while the help is open. False when
  // nothing is shown.
  bool Help(const RunValues& run, std::string_view topic);

 private:
  Env& env_;
};

}  // namespace orvo
