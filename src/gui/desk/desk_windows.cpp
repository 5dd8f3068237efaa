#include "gui/desk/desk_windows.h"

#include <QCalendarWidget>
#include <QCloseEvent>
#include <QEvent>
#include <QFont>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <functional>

#include "gui/sys/qt_text.h"

namespace orvo::gui {

namespace {

QFont Mono() {
  QFont font("Courier New");
  font.setStyleHint(QFont::Monospace);
  return font;
}

QLabel* Display(QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setFont(Mono());
  label->setFrameShape(QFrame::Panel);
  label->setFrameShadow(QFrame::Sunken);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  label->setMinimumWidth(260);
  return label;
}

// The placement 40 pixels from the right and 50 from the bottom edge.
QPoint NearBottomRight(const QWidget* window) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect area = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  const QSize size = window->sizeHint();
  return {area.right() - 40 - size.width(), area.bottom() - 50 - size.height()};
}

}  // namespace

void ShowDeskWindow(QWidget* window, QWidget* owner, int left, int top) {
  if (window->parentWidget() != owner) {
    window->setParent(owner, Qt::Tool);
  }
  window->setWindowFlag(Qt::Tool, true);
  if (left >= 0) window->move(left, top);
  window->show();
  window->raise();
  window->activateWindow();
}

// --- calculator ---------------------------------------------------------------

CalculatorWindow::CalculatorWindow(TCalcul& model, QWidget* parent) : QWidget(parent, Qt::Tool), model_(model) {
  setObjectName("CalculatorWindow");
  setWindowTitle(" Kalkulacka");
  auto* grid = new QGridLayout(this);
  entry_ = Display(this);
  entry_->setObjectName("entry");
  result_ = Display(this);
  result_->setObjectName("result");
  grid->addWidget(entry_, 0, 0, 1, 4);
  grid->addWidget(result_, 1, 0, 1, 4);
  const char* rows[4][4] = {{"7", "8", "9", "/"}, {"4", "5", "6", "*"}, {"1", "2", "3", "-"}, {"0", ",", "=", "+"}};
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) {
      const char key = rows[r][c][0];
      auto* button = new QPushButton(rows[r][c], this);
      button->setObjectName(QString("Button") + rows[r][c]);
      button->setFocusPolicy(Qt::NoFocus);
      connect(button, &QPushButton::clicked, this, [this, key] { Press(key); });
      grid->addWidget(button, 2 + r, c);
    }
  }
  auto addAction = [&](const char* text, int row, int col, const std::function<void()>& act) {
    auto* button = new QPushButton(text, this);
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QPushButton::clicked, this, [this, act] {
      act();
      Refresh();
    });
    grid->addWidget(button, row, col);
  };
  addAction("Zpet", 6, 0, [this] { model_.Back(); });
  addAction("&CE", 6, 1, [this] { model_.ClearEntry(); });
  addAction("C", 6, 2, [this] { model_.Clear(); });
  addAction("  &Konec", 6, 3, [this] { close(); });
  grid->addWidget(new QLabel("Pocet des. mist:", this), 7, 0, 1, 2);
  decimals_ = new QLineEdit(FromCp(model_.DecimalsText()), this);
  decimals_->setObjectName("decimals");
  decimals_->installEventFilter(this);
  grid->addWidget(decimals_, 7, 2, 1, 2);
  setFocusPolicy(Qt::StrongFocus);
  Refresh();
}

void CalculatorWindow::ShowReset() {
  model_.Reset();
  Refresh();
  move(NearBottomRight(this));
}

void CalculatorWindow::Press(char key) {
  model_.Key(key);
  Refresh();
}

QString CalculatorWindow::ResultShown() const { return result_->text(); }

void CalculatorWindow::Refresh() {
  entry_->setText(FromCp(model_.Entry()));
  result_->setText(FromCp(model_.Display()));
}

void CalculatorWindow::keyPressEvent(QKeyEvent* event) {
  const QString text = event->text();
  char key = 0;
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    key = '\r';
  } else if (event->key() == Qt::Key_Escape) {
    key = 27;
  } else if (event->key() == Qt::Key_Backspace) {
    key = 8;
  } else if (text.size() == 1 && text[0].unicode() < 128) {
    key = static_cast<char>(text[0].unicode());
  }
  if (key != 0 && model_.Key(key)) {
    Refresh();
    return;
  }
  QWidget::keyPressEvent(event);
}

bool CalculatorWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == decimals_) {
    if (event->type() == QEvent::FocusIn) {
      decimals_->clear();
    } else if (event->type() == QEvent::FocusOut) {
      model_.LeaveDecimals(ToCp(decimals_->text()));
      decimals_->setText(FromCp(model_.DecimalsText()));
      Refresh();
    } else if (event->type() == QEvent::KeyPress) {
      auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        setFocus();
        return true;
      }
    }
  }
  return QWidget::eventFilter(watched, event);
}

// --- expression window --------------------------------------------------------

ExpressionWindow::ExpressionWindow(TAVyraz& model, QWidget* parent) : QWidget(parent, Qt::Tool), model_(model) {
  setObjectName("ExpressionWindow");
  setWindowTitle(" Vypocet hodnoty aritmetickeho vyrazu");
  auto* grid = new QGridLayout(this);
  expression_ = new QLineEdit(this);
  expression_->setObjectName("expression");
  expression_->setMinimumWidth(360);
  expression_->installEventFilter(this);
  result_ = new QLineEdit(this);
  result_->setObjectName("result");
  result_->setReadOnly(true);
  result_->setFont(Mono());
  decimals_ = new QLineEdit(FromCp(model_.DecimalsText()), this);
  decimals_->setObjectName("decimals");
  decimals_->installEventFilter(this);
  grid->addWidget(new QLabel("Aritmeticky vyraz:", this), 0, 0);
  grid->addWidget(expression_, 0, 1, 1, 2);
  grid->addWidget(new QLabel("Vysledek:", this), 1, 0);
  grid->addWidget(result_, 1, 1, 1, 2);
  grid->addWidget(new QLabel("Pocet desetinnych mist:", this), 2, 0);
  grid->addWidget(decimals_, 2, 1);
  auto* compute = new QPushButton("  Vypocet", this);
  auto* close = new QPushButton("  Konec", this);
  connect(compute, &QPushButton::clicked, this, [this] { Compute(); });
  connect(close, &QPushButton::clicked, this, [this] { this->close(); });
  grid->addWidget(compute, 3, 1);
  grid->addWidget(close, 3, 2);
}

void ExpressionWindow::Compute() {
  model_.Expression = ToCp(expression_->text());
  model_.Compute();
  result_->setText(FromCp(model_.Result()));
}

QString ExpressionWindow::ResultShown() const { return result_->text(); }

bool ExpressionWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == expression_ && event->type() == QEvent::KeyRelease) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) Compute();
  } else if (watched == decimals_) {
    if (event->type() == QEvent::FocusIn) {
      decimals_->clear();
    } else if (event->type() == QEvent::FocusOut) {
      model_.LeaveDecimals(ToCp(decimals_->text()));
      decimals_->setText(FromCp(model_.DecimalsText()));
    }
  }
  return QWidget::eventFilter(watched, event);
}

// --- calendar -------------------------------------------------------------------

CalendarWindow::CalendarWindow(TKalendar& model, Clock& clock, QWidget* parent)
    : QWidget(parent, Qt::Tool), model_(model), clock_(clock) {
  setObjectName("CalendarWindow");
  setWindowTitle(" Kalendar");
  auto* layout = new QVBoxLayout(this);
  calendar_ = new QCalendarWidget(this);
  calendar_->setFirstDayOfWeek(Qt::Monday);
  layout->addWidget(calendar_);
  connect(calendar_, &QCalendarWidget::activated, this, [this] { close(); });
  connect(calendar_, &QCalendarWidget::selectionChanged, this, [this] {
    const QDate d = calendar_->selectedDate();
    model_.Select(d.year(), d.month(), d.day());
  });
}

void CalendarWindow::ShowToday() {
  model_.Show(clock_.Now());
  const QDate today(model_.Year(), model_.Month(), model_.Day());
  calendar_->setSelectedDate(today);
  calendar_->setCurrentPage(today.year(), today.month());
}

void CalendarWindow::closeEvent(QCloseEvent* event) {
  const QDate d = calendar_->selectedDate();
  model_.Select(d.year(), d.month(), d.day());
  QWidget::closeEvent(event);
}

// --- clock ----------------------------------------------------------------------

ClockWindow::ClockWindow(THodiny& model, Clock& clock, QWidget* parent)
    : QWidget(parent, Qt::Tool), model_(model), clock_(clock) {
  setObjectName("ClockWindow");
  setWindowTitle(" Hodiny");
  auto* layout = new QVBoxLayout(this);
  label_ = new QLabel(FromCp(model_.Label()), this);
  label_->setAlignment(Qt::AlignCenter);
  QFont font = label_->font();
  font.setPointSize(font.pointSize() * 2);
  label_->setFont(font);
  label_->setMinimumWidth(160);
  layout->addWidget(label_);
  timer_ = new QTimer(this);
  timer_->setInterval(1000);
  connect(timer_, &QTimer::timeout, this, [this] { Tick(); });
  timer_->start();
}

void ClockWindow::Tick() {
  model_.Tick(clock_.Now());
  label_->setText(FromCp(model_.Label()));
}

QString ClockWindow::Shown() const { return label_->text(); }

}  // namespace orvo::gui
