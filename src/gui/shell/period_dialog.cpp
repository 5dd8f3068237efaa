#include "gui/shell/period_dialog.h"

#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/shell/period.h"
#include "gui/app/orvo_app.h"
#include "gui/sys/qt_text.h"

namespace orvo::gui {

PeriodDialog::PeriodDialog(OrvoApp& app) : QDialog(nullptr), app_(app), model_(app.session()) {
  setObjectName(QStringLiteral("TObd"));
  setWindowTitle(FromCp(PeriodDialogModel::kCaption));
  setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setModal(true);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(6, 3, 6, 3);
  column->setSpacing(2);
  path_ = new QLabel(this);
  path_->setObjectName(QStringLiteral("PathLine"));
  path_->setStyleSheet(QStringLiteral("color: blue;"));
  column->addWidget(path_);
  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel(QStringLiteral("Rok+Mes:  "), this));
  field_ = new QLineEdit(this);
  field_->setObjectName(QStringLiteral("PeriodField"));
  // Four characters may be typed; a year the step buttons have grown to
  // three digits must still show whole, so that the check refuses it.
  field_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral(".{0,4}")), field_));
  field_->setFixedWidth(52);
  QFont bold = field_->font();
  bold.setBold(true);
  field_->setFont(bold);
  field_->setStyleSheet(QStringLiteral("color: red;"));
  field_->installEventFilter(this);
  row->addWidget(field_);
  previous_ = new QToolButton(this);
  previous_->setObjectName(QStringLiteral("PreviousButton"));
  previous_->setArrowType(Qt::LeftArrow);
  previous_->setToolTip(QStringLiteral("Minule obdobi"));
  previous_->setFocusPolicy(Qt::NoFocus);
  next_ = new QToolButton(this);
  next_->setObjectName(QStringLiteral("NextButton"));
  next_->setArrowType(Qt::RightArrow);
  next_->setToolTip(QStringLiteral("Budouci obdobi"));
  next_->setFocusPolicy(Qt::NoFocus);
  row->addWidget(previous_);
  row->addWidget(next_);
  confirm_ = new QPushButton(QStringLiteral("Potvrd"), this);
  confirm_->setObjectName(QStringLiteral("ConfirmButton"));
  confirm_->setAutoDefault(false);
  row->addWidget(confirm_);
  column->addLayout(row);
  connect(previous_, &QToolButton::clicked, this, [this] { Step(false); });
  connect(next_, &QToolButton::clicked, this, [this] { Step(true); });
  connect(confirm_, &QPushButton::clicked, this, [this] { Confirm(); });
  setFixedSize(297, 66);
}

void PeriodDialog::Run() {
  model_.Show();
  path_->setText(FromCp(model_.PathLine()));
  field_->setText(FromCp(model_.Field()));
  checked_.clear();
  field_->selectAll();
  field_->setFocus();
  app_.ExecModal(*this);
}

void PeriodDialog::CheckField() {
  model_.SetField(ToCp(field_->text()));
  checked_ = field_->text();
  checkedOk_ = model_.LeaveField();
  if (!checkedOk_) {
    refocusing_ = true;
    field_->setFocus(Qt::OtherFocusReason);
    field_->selectAll();
    refocusing_ = false;
  }
}

void PeriodDialog::CloseAndSave() {
  model_.SetField(ToCp(field_->text()));
  model_.Close();
  // A refused period must not stay on the main window's label.
  if (!PeriodValid(app_.session().CurrentPeriod)) LoadPeriod(app_.session());
  accept();
}

void PeriodDialog::Confirm() {
  app_.Guard([&] {
    // The click took the focus from the field, which ran the check; when it
    // did not (the focus was elsewhere), the check runs now.
    if (checked_ != field_->text()) CheckField();
    if (checkedOk_) CloseAndSave();
  });
}

void PeriodDialog::Step(bool forward) {
  app_.Guard([&] {
    if (forward) {
      model_.Next();
    } else {
      model_.Previous();
    }
    field_->setText(FromCp(model_.Field()));
    checked_.clear();
  });
}

bool PeriodDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched != field_) return QDialog::eventFilter(watched, event);
  bool handled = false;
  app_.Guard([&] {
    if (event->type() == QEvent::KeyPress) {
      auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        CheckField();
        if (checkedOk_) CloseAndSave();
        handled = true;
      }
    } else if (event->type() == QEvent::FocusOut) {
      auto reason = static_cast<QFocusEvent*>(event)->reason();
      if (!refocusing_ && isVisible() && reason != Qt::ActiveWindowFocusReason &&
          reason != Qt::PopupFocusReason) {
        CheckField();
      }
    }
  });
  return handled || QDialog::eventFilter(watched, event);
}

void PeriodDialog::reject() {
  // The dialog has no way out but "Potvrd" and Enter.
}

}  // namespace orvo::gui
