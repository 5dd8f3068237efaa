#include "gui/reports/calculation_window.h"

#include <QButtonGroup>
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

namespace {

QPushButton* Button(const char* caption, const char* name, QWidget* parent) {
  auto* b = new QPushButton(QString::fromLatin1(caption), parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setAutoDefault(false);
  return b;
}

}  // namespace

CalculationWindow::CalculationWindow(OrvoApp& app, QWidget* parent)
    : QDialog(parent), app_(app), model_(app.session(), app.session().engine, app.session().vystHandOver) {
  setObjectName(QStringLiteral("TUctKalk"));
  setWindowTitle(FromCp(kCalculationCaption));
  setModal(true);
  auto* grid = new QGridLayout(this);

  label1_ = new QLabel(this);
  label1_->setObjectName(QStringLiteral("Label1"));
  grid->addWidget(label1_, 0, 0, 1, 3);
  auto* choose = Button("  Definicni soubor:", "BitBtn2", this);
  edit1_ = new QLineEdit(this);
  edit1_->setObjectName(QStringLiteral("Edit1"));
  edit1_->setMinimumWidth(300);
  grid->addWidget(choose, 1, 0);
  grid->addWidget(edit1_, 1, 1, 1, 2);

  auto* levelBox = new QGroupBox(this);
  levelBox->setObjectName(QStringLiteral("GroupBox1"));
  auto* levelLayout = new QVBoxLayout(levelBox);
  auto* levelGroup = new QButtonGroup(this);
  const char* const levelCaptions[] = {"Podnik", "Zavod", "Sprava", "Stredisko"};
  for (int i = 0; i < 4; ++i) {
    levels_[i] = new QRadioButton(QString::fromLatin1(levelCaptions[i]), levelBox);
    levels_[i]->setObjectName(QStringLiteral("RB%1").arg(i + 1));
    levelGroup->addButton(levels_[i], i);
    levelLayout->addWidget(levels_[i]);
  }
  grid->addWidget(levelBox, 2, 0, 4, 1);

  proceed_ = Button("  Proved", "BitBtn3", this);
  show_ = Button("  Zobrazeni/Tisk", "BitBtn4", this);
  auto* table = Button("  Tabulka", "BitBtn5", this);
  end_ = Button("  Konec", "BitBtn1", this);
  grid->addWidget(proceed_, 2, 2);
  grid->addWidget(show_, 3, 2);
  grid->addWidget(table, 4, 2);
  grid->addWidget(end_, 5, 2);

  connect(choose, &QPushButton::clicked, this, [this] {
    app_.Guard([&] {
      Take();
      model_.DefSoub();
      Fill();
    });
  });
  connect(edit1_, &QLineEdit::editingFinished, this, [this] {
    if (!edit1_->isModified()) return;
    edit1_->setModified(false);
    app_.Guard([&] {
      Take();
      const bool wellNamed = model_.Edit1Exit();
      Fill();
      if (!wellNamed) edit1_->setFocus();
    });
  });
  connect(proceed_, &QPushButton::clicked, this, [this] {
    app_.Guard([&] {
      Take();
      model_.Proved();
      Fill();
    });
  });
  connect(show_, &QPushButton::clicked, this, [this] { app_.Guard([&] { model_.Zobr(); }); });
  connect(table, &QPushButton::clicked, this, [this] { app_.Guard([&] { model_.Tab(); }); });
  connect(end_, &QPushButton::clicked, this, &QDialog::accept);

  model_.showReport = [this](VystHandOver& vyst) { app_.ShowReport(vyst.VystFile); };
}

void CalculationWindow::Take() {
  model_.Edit1 = ToCp(edit1_->text());
  for (int i = 0; i < 4; ++i) {
    if (levels_[i]->isChecked()) model_.level = static_cast<StatementLevel>(i);
  }
}

void CalculationWindow::Fill() {
  edit1_->setText(FromCp(model_.Edit1));
  edit1_->setModified(false);
  label1_->setText(FromCp(model_.Label1));
  levels_[static_cast<int>(model_.level)]->setChecked(true);
}

void CalculationWindow::Run() {
  model_.FormShow();
  Fill();
  end_->setFocus();
  app_.ExecModal(*this);
}

}  // namespace orvo::gui
