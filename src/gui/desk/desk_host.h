// The application's side of the desk: its windows, created on first use
// and kept while their owner lives, shown non-modally over the active
// modal window (so that they can be used from it), and the help in its own
// editor window. The document window's and the grid entry's ports lead
// here.
#pragma once

#include <QPointer>
#include <QWidget>

#include <string_view>

#include "core/desk/desk.h"
#include "core/screens/dokl_grid.h"
#include "core/shell/run_values.h"
#include "gui/desk/desk_windows.h"
#include "gui/desk/text_editor_window.h"

namespace orvo::gui {

class DeskHost {
 public:
  DeskHost(Env& env, Desk& desk, const RunValues& run, QWidget* main);
  ~DeskHost();

  void Show(DeskTool tool);
  // XFHelp: the topic's help document, non-modally; refused while the
  // help is open.
  void ShowHelp(std::string_view topic);

  CalculatorWindow* Calculator();
  ExpressionWindow* Expression();
  CalendarWindow* Calendar();
  ClockWindow* Clock();
  TextEditorWindow* Help() const { return help_; }

 private:
  QWidget* Owner() const;

  Env& env_;
  Desk& desk_;
  const RunValues& run_;
  QWidget* main_;
  QPointer<CalculatorWindow> calculator_;
  QPointer<ExpressionWindow> expression_;
  QPointer<CalendarWindow> calendar_;
  QPointer<ClockWindow> clock_;
  QPointer<TextEditorWindow> help_;
};

}  // namespace orvo::gui
