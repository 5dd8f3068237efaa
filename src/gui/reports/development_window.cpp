#include "gui/reports/development_window.h"

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

DevelopmentWindow::DevelopmentWindow(OrvoApp& app, DevelopmentKind kind, QWidget* parent)
    : QDialog(parent), app_(app), model_(kind, app.session(), app.session().engine, app.session().scrHandOver) {
  setObjectName(kind == DevelopmentKind::Accounts ? QStringLiteral("TUctVyUc") : QStringLiteral("TUctVyCn"));
  setWindowTitle(FromCp(model_.Caption()));
  setModal(true);
  model_.showBrowser = OverviewBrowserPort(app_, this);
  auto* grid = new QGridLayout(this);
  auto edit = [this](const char* name, int length) {
    auto* e = new QLineEdit(this);
    e->setObjectName(QString::fromLatin1(name));
    e->setMaxLength(length);
    e->setFixedWidth(60);
    return e;
  };
  edit1_ = edit("Edit1", 5);
  edit2_ = edit("Edit2", 5);
  edit3_ = edit("Edit3", 1);
  edit3_->setText(FromCp(model_.Edit3));
  grid->addWidget(new QLabel(QStringLiteral("Pocatecni obdobi:"), this), 0, 0);
  grid->addWidget(edit1_, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("Koncove obdobi:"), this), 1, 0);
  grid->addWidget(edit2_, 1, 1);
  grid->addWidget(new QLabel(FromCp(model_.DigitsLabel()), this), 2, 0);
  grid->addWidget(edit3_, 2, 1);
  auto* box = new QGroupBox(this);
  auto* boxLayout = new QVBoxLayout(box);
  const char* captions[] = {"Podnik", "Zavod", "Sprava", "Stredisko"};
  for (int i = 0; i < 4; ++i) {
    levels_[i] = new QRadioButton(QString::fromLatin1(captions[i]), box);
    levels_[i]->setObjectName(QStringLiteral("RB%1").arg(i + 1));
    boxLayout->addWidget(levels_[i]);
  }
  levels_[0]->setChecked(true);
  grid->addWidget(box, 0, 2, 4, 1);
  cb1_ = new QCheckBox(FromCp(model_.BreakdownLabel()), this);
  cb1_->setObjectName(QStringLiteral("CB1"));
  grid->addWidget(cb1_, 3, 0, 1, 2);
  proceed_ = new QPushButton(QStringLiteral("  Proved"), this);
  show_ = new QPushButton(QStringLiteral("  Zobrazeni/Tisk"), this);
  table_ = new QPushButton(QStringLiteral("  Tabulka"), this);
  end_ = new QPushButton(QStringLiteral("  Konec"), this);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {proceed_, show_, table_, end_}) buttons->addWidget(b);
  grid->addLayout(buttons, 4, 0, 1, 3);

  connect(proceed_, &QPushButton::clicked, this, [this] {
    app_.Guard([&] {
      model_.Edit1 = ToCp(edit1_->text());
      model_.Edit2 = ToCp(edit2_->text());
      model_.Edit3 = ToCp(edit3_->text());
      for (int i = 0; i < 4; ++i) {
        if (levels_[i]->isChecked()) model_.level = static_cast<LedgerLevel>(i);
      }
      model_.CB1 = cb1_->isChecked();
      model_.Proved();
      Enable();
    });
  });
  connect(show_, &QPushButton::clicked, this, [this] { app_.Guard([&] { model_.Zobr(); }); });
  connect(table_, &QPushButton::clicked, this, [this] { app_.Guard([&] { model_.Tab(); }); });
  connect(end_, &QPushButton::clicked, this, &QDialog::accept);
  Enable();
}

void DevelopmentWindow::Enable() {
  show_->setEnabled(model_.Computed());
  table_->setEnabled(model_.Computed());
}

void DevelopmentWindow::Run() {
  model_.FormShow();
  edit1_->setText(FromCp(model_.Edit1));
  edit2_->setText(FromCp(model_.Edit2));
  end_->setFocus();
  app_.ExecModal(*this);
}

}  // namespace orvo::gui
