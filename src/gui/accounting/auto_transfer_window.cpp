#include "gui/accounting/auto_transfer_window.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/app/orvo_app.h"
#include "gui/sys/qt_text.h"

namespace orvo::gui {

AutoTransferWindow::AutoTransferWindow(OrvoApp& app, QWidget* parent)
    : QDialog(parent), app_(app), model_(app.session(), app.session().engine) {
  setObjectName(QStringLiteral("TUctAut"));
  setWindowTitle(FromCp(kAutCaption));
  setModal(true);
  auto* grid = new QGridLayout(this);
  auto* choose = new QPushButton(QStringLiteral("  Definicni soubor"), this);
  choose->setObjectName(QStringLiteral("BitBtn4"));
  grid->addWidget(choose, 0, 0, 1, 2);
  edit1_ = new QLineEdit(this);
  edit1_->setObjectName(QStringLiteral("Edit1"));
  grid->addWidget(edit1_, 1, 0, 1, 2);
  auto* group = new QGroupBox(this);
  group->setObjectName(QStringLiteral("GroupBox1"));
  auto* radios = new QVBoxLayout(group);
  const char* captions[] = {"Aktualni stavy", "Stavy za zvoleny mesic", "Stavy z obratu"};
  for (int i = 0; i < 3; ++i) {
    rb_[i] = new QRadioButton(QString::fromLatin1(captions[i]), group);
    rb_[i]->setObjectName(QStringLiteral("RB%1").arg(i + 1));
    radios->addWidget(rb_[i]);
  }
  grid->addWidget(group, 2, 0, 3, 1);
  grid->addWidget(new QLabel(QStringLiteral(" Zdroj:"), this), 2, 1);
  edit2_ = new QLineEdit(this);
  edit2_->setObjectName(QStringLiteral("Edit2"));
  grid->addWidget(edit2_, 3, 1);
  grid->addWidget(new QLabel(QStringLiteral(" Obdobi:"), this), 4, 1);
  edit3_ = new QLineEdit(this);
  edit3_->setObjectName(QStringLiteral("Edit3"));
  grid->addWidget(edit3_, 5, 1);
  proceed_ = new QPushButton(QStringLiteral("  Proved"), this);
  proceed_->setObjectName(QStringLiteral("BitBtn2"));
  auto* show = new QPushButton(QStringLiteral("  Zobraz"), this);
  show->setObjectName(QStringLiteral("BitBtn3"));
  auto* end = new QPushButton(QStringLiteral("  Konec"), this);
  end->setObjectName(QStringLiteral("BitBtn1"));
  grid->addWidget(proceed_, 6, 0);
  grid->addWidget(show, 6, 1);
  grid->addWidget(end, 7, 0, 1, 2);
  connect(choose, &QPushButton::clicked, this, [this] {
    app_.Guard([&] {
      Take();
      model_.DefSoub();
      Fill();
    });
  });
  connect(proceed_, &QPushButton::clicked, this, [this] {
    app_.Guard([&] {
      Take();
      model_.Proved();
      Fill();
    });
  });
  connect(show, &QPushButton::clicked, this, [this] { app_.Guard([&] { model_.Zobr(); }); });
  connect(end, &QPushButton::clicked, this, &QDialog::accept);
}

void AutoTransferWindow::Fill() {
  edit1_->setText(FromCp(model_.Edit1));
  edit2_->setText(FromCp(model_.Edit2));
  edit3_->setText(FromCp(model_.Edit3));
  rb_[static_cast<int>(model_.source)]->setChecked(true);
}

void AutoTransferWindow::Take() {
  model_.Edit1 = ToCp(edit1_->text());
  model_.Edit2 = ToCp(edit2_->text());
  model_.Edit3 = ToCp(edit3_->text());
  model_.source = rb_[1]->isChecked()   ? AutSource::Month
                  : rb_[2]->isChecked() ? AutSource::Turnovers
                                        : AutSource::Current;
}

void AutoTransferWindow::Run() {
  model_.FormCreate();
  Fill();
  app_.ExecModal(*this);
}

}  // namespace orvo::gui
