#include "gui/desk/desk_host.h"

#include <QApplication>

#include <initializer_list>

#include "gui/desk/desk_windows.h"
#include "gui/desk/text_editor_window.h"

namespace orvo::gui {

DeskHost::DeskHost(Env& env, Desk& desk, const RunValues& run, QWidget* main)
    : env_(env), desk_(desk), run_(run), main_(main) {}

DeskHost::~DeskHost() {
  for (QWidget* w : std::initializer_list<QWidget*>{calculator_, expression_, calendar_, clock_, help_}) {
    if (w != nullptr && w->parentWidget() == nullptr) delete w;
  }
}

QWidget* DeskHost::Owner() const {
  QWidget* modal = QApplication::activeModalWidget();
  return modal != nullptr ? modal : main_;
}

CalculatorWindow* DeskHost::Calculator() {
  if (calculator_ == nullptr) calculator_ = new CalculatorWindow(desk_.calculator, Owner());
  return calculator_;
}

ExpressionWindow* DeskHost::Expression() {
  if (expression_ == nullptr) expression_ = new ExpressionWindow(desk_.expression, Owner());
  return expression_;
}

CalendarWindow* DeskHost::Calendar() {
  if (calendar_ == nullptr) calendar_ = new CalendarWindow(desk_.calendar, env_.clock, Owner());
  return calendar_;
}

ClockWindow* DeskHost::Clock() {
  if (clock_ == nullptr) clock_ = new ClockWindow(desk_.clock, env_.clock, Owner());
  return clock_;
}

void DeskHost::Show(DeskTool tool) {
  QWidget* owner = Owner();
  switch (tool) {
    case DeskTool::Calculator: {
      CalculatorWindow* w = Calculator();
      w->ShowReset();
      ShowDeskWindow(w, owner, -1, -1);
      break;
    }
    case DeskTool::Expression: {
      ExpressionWindow* w = Expression();
      ShowDeskWindow(w, owner, -1, -1);
      break;
    }
    case DeskTool::Calendar: {
      CalendarWindow* w = Calendar();
      w->ShowToday();
      ShowDeskWindow(w, owner, 20, 120);
      break;
    }
    case DeskTool::Clock: {
      ClockWindow* w = Clock();
      w->Tick();
      ShowDeskWindow(w, owner, 20, 40);
      break;
    }
  }
}

void DeskHost::ShowHelp(std::string_view topic) {
  if (!desk_.Help(run_, topic)) return;
  if (help_ == nullptr) {
    help_ = new TextEditorWindow(env_, desk_.help, Owner());
    help_->showCalculator = [this] { Show(DeskTool::Calculator); };
  } else if (help_->parentWidget() != Owner()) {
    help_->setParent(Owner(), help_->windowFlags());
  }
  help_->setModal(false);
  help_->Present();
  help_->show();
  help_->raise();
  help_->activateWindow();
}

}  // namespace orvo::gui
