// The desk's small windows over the core models: the calculator TCalcul,
// the expression window TAVyraz, the calendar TKalendar and the clock
// THodiny. Each is created once and shown non-modally; a window opened from
// a modal window takes that window as its parent so that it can be used.
#pragma once

#include <QWidget>

#include "core/desk/desk.h"

class QLabel;
class QLineEdit;
class QCalendarWidget;
class QTimer;

namespace orvo::gui {

class CalculatorWindow : public QWidget {
  Q_OBJECT
 public:
  CalculatorWindow(TCalcul& model, QWidget* parent = nullptr);
  // Showing resets the calculator.
  void ShowReset();
  void Press(char key);
  QString ResultShown() const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Refresh();

  TCalcul& model_;
  QLabel* entry_;
  QLabel* result_;
  QLineEdit* decimals_;
};

class ExpressionWindow : public QWidget {
  Q_OBJECT
 public:
  ExpressionWindow(TAVyraz& model, QWidget* parent = nullptr);
  void Compute();
  QLineEdit* ExpressionField() const { return expression_; }
  QString ResultShown() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  TAVyraz& model_;
  QLineEdit* expression_;
  QLineEdit* result_;
  QLineEdit* decimals_;
};

class CalendarWindow : public QWidget {
  Q_OBJECT
 public:
  CalendarWindow(TKalendar& model, Clock& clock, QWidget* parent = nullptr);
  void ShowToday();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  TKalendar& model_;
  Clock& clock_;
  QCalendarWidget* calendar_;
};

class ClockWindow : public QWidget {
  Q_OBJECT
 public:
  ClockWindow(THodiny& model, Clock& clock, QWidget* parent = nullptr);
  void Tick();
  QString Shown() const;

 private:
  THodiny& model_;
  Clock& clock_;
  QLabel* label_;
  QTimer* timer_;
};

// Shows a desk window non-modally over `owner` (the active modal window,
// or none): placed, raised and activated.
void ShowDeskWindow(QWidget* window, QWidget* owner, int left, int top);

}  // namespace orvo::gui
