#include "gui/reports/ledger_window.h"

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

LedgerWindow::LedgerWindow(OrvoApp& app, QWidget* parent)
    : QDialog(parent), app_(app), model_(app.session(), app.session().engine, app.session().scrHandOver) {
  setObjectName(QStringLiteral("TUctHlKn"));
  setWindowTitle(FromCp(kLedgerCaption));
  setModal(true);
  model_.showBrowser = OverviewBrowserPort(app_, this);
  auto* grid = new QGridLayout(this);
  auto* box = new QGroupBox(this);
  auto* boxLayout = new QVBoxLayout(box);
  const char* captions[] = {"Podnik", "Zavod", "Sprava", "Stredisko"};
  for (int i = 0; i < 4; ++i) {
    levels_[i] = new QRadioButton(QString::fromLatin1(captions[i]), box);
    levels_[i]->setObjectName(QStringLiteral("RB%1").arg(i + 1));
    boxLayout->addWidget(levels_[i]);
  }
  levels_[0]->setChecked(true);
  grid->addWidget(box, 0, 0, 4, 1);
  cb1_ = new QCheckBox(QStringLiteral("Cleneni podle cinnosti"), this);
  cb1_->setObjectName(QStringLiteral("CB1"));
  cb2_ = new QCheckBox(QStringLiteral("Pocatecni stavy k 1.1."), this);
  cb2_->setObjectName(QStringLiteral("CB2"));
  grid->addWidget(cb1_, 0, 1, 1, 2);
  grid->addWidget(cb2_, 1, 1, 1, 2);
  grid->addWidget(new QLabel(QStringLiteral("Pocet mist uctu:"), this), 2, 1);
  edit1_ = new QLineEdit(QStringLiteral("6"), this);
  edit1_->setObjectName(QStringLiteral("Edit1"));
  edit1_->setMaxLength(1);
  edit1_->setFixedWidth(40);
  grid->addWidget(edit1_, 2, 2);
  proceed_ = new QPushButton(QStringLiteral("  Proved"), this);
  proceed_->setObjectName(QStringLiteral("BitBtn3"));
  show_ = new QPushButton(QStringLiteral("  Zobrazeni/Tisk"), this);
  show_->setObjectName(QStringLiteral("BitBtn4"));
  table_ = new QPushButton(QStringLiteral("  Tabulka"), this);
  table_->setObjectName(QStringLiteral("BitBtn5"));
  end_ = new QPushButton(QStringLiteral("  Konec"), this);
  end_->setObjectName(QStringLiteral("BitBtn1"));
  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {proceed_, show_, table_, end_}) buttons->addWidget(b);
  grid->addLayout(buttons, 4, 0, 1, 3);

  connect(proceed_, &QPushButton::clicked, this, [this] {
    app_.Guard([&] {
      for (int i = 0; i < 4; ++i) {
        if (levels_[i]->isChecked()) model_.level = static_cast<LedgerLevel>(i);
      }
      model_.CB1 = cb1_->isChecked();
      model_.CB2 = cb2_->isChecked();
      model_.Edit1 = ToCp(edit1_->text());
      model_.Proved();
      Enable();
    });
  });
  connect(show_, &QPushButton::clicked, this, [this] { app_.Guard([&] { model_.Zobr(); }); });
  connect(table_, &QPushButton::clicked, this, [this] { app_.Guard([&] { model_.Tab(); }); });
  connect(end_, &QPushButton::clicked, this, &QDialog::accept);
  Enable();
}

void LedgerWindow::Enable() {
  show_->setEnabled(model_.Computed());
  table_->setEnabled(model_.Computed());
}

void LedgerWindow::Run() {
  model_.FormShow();
  end_->setFocus();
  app_.ExecModal(*this);
}

}  // namespace orvo::gui
