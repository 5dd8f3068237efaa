#include "gui/reports/saldo_window.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/app/orvo_app.h"
#include "gui/reports/overview_browser.h"
#include "gui/sys/qt_text.h"

namespace orvo::gui {

SaldoWindow::SaldoWindow(OrvoApp& app, QWidget* parent)
    : QDialog(parent), app_(app), model_(app.session(), app.session().engine, app.session().scrHandOver) {
  setObjectName(QStringLiteral("TUctSaldo"));
  setWindowTitle(FromCp(kSaldoCaption));
  setModal(true);
  model_.showBrowser = OverviewBrowserPort(app_, this);
  auto* grid = new QGridLayout(this);
  edit1_ = new QLineEdit(FromCp(model_.Edit1), this);
  edit1_->setObjectName(QStringLiteral("Edit1"));
  edit2_ = new QLineEdit(FromCp(model_.Edit2), this);
  edit2_->setObjectName(QStringLiteral("Edit2"));
  for (QLineEdit* e : {edit1_, edit2_}) {
    e->setMaxLength(5);
    e->setFixedWidth(60);
  }
  grid->addWidget(new QLabel(QStringLiteral("  Pocatecni obdobi:"), this), 0, 0);
  grid->addWidget(edit1_, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("  Koncove obdobi"), this), 1, 0);
  grid->addWidget(edit2_, 1, 1);
  auto* box = new QGroupBox(this);
  auto* boxLayout = new QVBoxLayout(box);
  ruk_ = new QRadioButton(QStringLiteral("Ucet - Konto"), box);
  ruk_->setObjectName(QStringLiteral("RUK"));
  rku_ = new QRadioButton(QStringLiteral("Konto - Ucet"), box);
  rku_->setObjectName(QStringLiteral("RKU"));
  ruk_->setChecked(true);
  boxLayout->addWidget(ruk_);
  boxLayout->addWidget(rku_);
  grid->addWidget(box, 0, 2, 2, 1);
  cbDokl_ = new QCheckBox(QStringLiteral("Razeni podle int. dokl."), this);
  cbDokl_->setObjectName(QStringLiteral("CBDokl"));
  grid->addWidget(cbDokl_, 2, 0, 1, 3);
  proceed_ = new QPushButton(QStringLiteral("  Proved"), this);
  show_ = new QPushButton(QStringLiteral("  Zobrazeni/Tisk"), this);
  table_ = new QPushButton(QStringLiteral("  Tabulka"), this);
  end_ = new QPushButton(QStringLiteral("Konec"), this);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {proceed_, show_, table_, end_}) buttons->addWidget(b);
  grid->addLayout(buttons, 3, 0, 1, 3);

  connect(proceed_, &QPushButton::clicked, this, [this] {
    app_.Guard([&] {
      model_.Edit1 = ToCp(edit1_->text());
      model_.Edit2 = ToCp(edit2_->text());
      model_.RUK = ruk_->isChecked();
      model_.CBDokl = cbDokl_->isChecked();
      model_.Proved();
      Enable();
    });
  });
  connect(show_, &QPushButton::clicked, this, [this] { app_.Guard([&] { model_.Zobr(); }); });
  connect(table_, &QPushButton::clicked, this, [this] { app_.Guard([&] { model_.Tab(); }); });
  connect(end_, &QPushButton::clicked, this, &QDialog::accept);
  Enable();
}

void SaldoWindow::Enable() {
  show_->setEnabled(model_.Computed());
  table_->setEnabled(model_.Computed());
}

void SaldoWindow::Run() {
  end_->setFocus();
  app_.ExecModal(*this);
}

}  // namespace orvo::gui
