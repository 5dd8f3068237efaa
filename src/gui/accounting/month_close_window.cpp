#include "gui/accounting/month_close_window.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "gui/app/orvo_app.h"
#include "gui/sys/qt_text.h"

namespace orvo::gui {

MonthCloseWindow::MonthCloseWindow(OrvoApp& app, QWidget* parent)
    : QDialog(parent), app_(app), model_(app.session(), app.session().engine) {
  setObjectName(QStringLiteral("TUctMesU"));
  setWindowTitle(FromCp(kMonthCloseCaption));
  setModal(true);
  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(QStringLiteral("Soucasne obdobi:"), this), 0, 0);
  grid->addWidget(new QLabel(QStringLiteral("Budouci obdobi:"), this), 1, 0);
  edit1_ = new QLineEdit(this);
  edit1_->setObjectName(QStringLiteral("Edit1"));
  edit1_->setReadOnly(true);
  edit1_->setFixedWidth(60);
  edit2_ = new QLineEdit(this);
  edit2_->setObjectName(QStringLiteral("Edit2"));
  edit2_->setMaxLength(8);
  edit2_->setFixedWidth(60);
  grid->addWidget(edit1_, 0, 1);
  grid->addWidget(edit2_, 1, 1);
  proceed_ = new QPushButton(QStringLiteral("  Proved"), this);
  proceed_->setObjectName(QStringLiteral("BitBtn2"));
  auto* end = new QPushButton(QStringLiteral("  Konec"), this);
  end->setObjectName(QStringLiteral("BitBtn1"));
  grid->addWidget(proceed_, 2, 0);
  grid->addWidget(end, 2, 1);
  connect(proceed_, &QPushButton::clicked, this, [this] {
    app_.Guard([&] {
      model_.Edit2 = ToCp(edit2_->text());
      const bool moved = model_.Proved();
      Fill();
      if (!moved) {
        edit2_->setFocus();
        edit2_->selectAll();
      }
    });
  });
  connect(end, &QPushButton::clicked, this, &QDialog::accept);
}

void MonthCloseWindow::Fill() {
  edit1_->setText(FromCp(model_.Edit1));
  edit2_->setText(FromCp(model_.Edit2));
}

void MonthCloseWindow::Run(std::function<void(const std::string&)> periodChanged) {
  model_.periodChanged = std::move(periodChanged);
  model_.FormShow();
  Fill();
  edit2_->setFocus();
  edit2_->selectAll();
  app_.ExecModal(*this);
}

}  // namespace orvo::gui
