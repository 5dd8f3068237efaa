#include "gui/shell/range_dialog.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include "gui/app/orvo_app.h"
#include "gui/sys/qt_text.h"

namespace orvo::gui {

RangeDialog::RangeDialog(OrvoApp& app) : QDialog(nullptr), app_(app), model_(app.session()) {
  setObjectName(QStringLiteral("TObd12"));
  setWindowTitle(FromCp(RangeDialogModel::kCaption));
  setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setModal(true);
  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(QStringLiteral("Pocatecni rok+mesic:"), this), 0, 0);
  grid->addWidget(new QLabel(QStringLiteral("Koncovy rok+mesic:"), this), 1, 0);
  for (int i = 0; i < 2; ++i) {
    fields_[i] = new QLineEdit(this);
    fields_[i]->setObjectName(i == 0 ? QStringLiteral("FromField") : QStringLiteral("ToField"));
    fields_[i]->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral(".{0,4}")), fields_[i]));
    fields_[i]->setFixedWidth(52);
    fields_[i]->installEventFilter(this);
    grid->addWidget(fields_[i], i, 1);
  }
  proceed_ = new QPushButton(QStringLiteral("  Dalsi"), this);
  proceed_->setObjectName(QStringLiteral("ProceedButton"));
  proceed_->setAutoDefault(true);
  grid->addWidget(proceed_, 2, 1);
  connect(proceed_, &QPushButton::clicked, this, [this] {
    app_.Guard([&] {
      Take(0);
      Take(1);
      model_.Proceed();
      accept();
    });
  });
}

void RangeDialog::Run() {
  model_.Show();
  fields_[0]->setText(FromCp(model_.Field(0)));
  fields_[1]->setText(FromCp(model_.Field(1)));
  fields_[0]->selectAll();
  fields_[0]->setFocus();
  app_.ExecModal(*this);
}

void RangeDialog::Take(int i) { model_.SetField(i, ToCp(fields_[i]->text())); }

bool RangeDialog::LeaveField(int i) {
  Take(i);
  if (model_.LeaveField(i)) return true;
  moving_ = true;
  fields_[i]->setFocus(Qt::OtherFocusReason);
  fields_[i]->selectAll();
  moving_ = false;
  return false;
}

bool RangeDialog::eventFilter(QObject* watched, QEvent* event) {
  int i = watched == fields_[0] ? 0 : watched == fields_[1] ? 1 : -1;
  if (i < 0) return QDialog::eventFilter(watched, event);
  bool handled = false;
  app_.Guard([&] {
    if (event->type() == QEvent::KeyPress) {
      auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        handled = true;
        if (!LeaveField(i)) return;
        moving_ = true;
        if (i == 0) {
          fields_[1]->setFocus(Qt::OtherFocusReason);
          fields_[1]->selectAll();
        } else {
          proceed_->setFocus(Qt::OtherFocusReason);
        }
        moving_ = false;
      }
    } else if (event->type() == QEvent::FocusOut) {
      auto reason = static_cast<QFocusEvent*>(event)->reason();
      if (!moving_ && isVisible() && reason != Qt::ActiveWindowFocusReason &&
          reason != Qt::PopupFocusReason) {
        LeaveField(i);
      }
    }
  });
  return handled || QDialog::eventFilter(watched, event);
}

void RangeDialog::reject() {
  // Escape anywhere: cancelled, and the range file still keeps the fields.
  app_.Guard([&] {
    Take(0);
    Take(1);
    model_.Escape();
  });
  QDialog::reject();
}

}  // namespace orvo::gui
