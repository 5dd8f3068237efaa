#include "gui/reports/statement_window.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/app/orvo_app.h"
#include "gui/output/num_row_window.h"
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

StatementWindow::StatementWindow(OrvoApp& app, const std::string& defName, QWidget* parent)
    : QDialog(parent),
      app_(app),
      model_(app.session(), app.session().engine, app.session().printSettings, app.session().vystHandOver) {
  model_.DefName = defName;
  setObjectName(QStringLiteral("TUctVykZ"));
  setWindowTitle(FromCp(kStatementCaption));
  setModal(true);
  auto* grid = new QGridLayout(this);

  auto* choose = Button("  Definicni soubor:", "BitBtn2", this);
  edit1_ = new QLineEdit(this);
  edit1_->setObjectName(QStringLiteral("Edit1"));
  edit1_->setMinimumWidth(380);
  label1_ = new QLabel(this);
  label1_->setObjectName(QStringLiteral("Label1"));
  grid->addWidget(choose, 0, 0);
  grid->addWidget(edit1_, 0, 1, 1, 3);
  grid->addWidget(label1_, 1, 0, 1, 4);

  auto* levelBox = new QGroupBox(this);
  auto* levelLayout = new QVBoxLayout(levelBox);
  auto* levelGroup = new QButtonGroup(this);
  const char* const levelCaptions[] = {"Podnik", "Zavod", "Sprava", "Stredisko"};
  for (int i = 0; i < 4; ++i) {
    levels_[i] = new QRadioButton(QString::fromLatin1(levelCaptions[i]), levelBox);
    levels_[i]->setObjectName(QStringLiteral("RB%1").arg(i + 1));
    levelGroup->addButton(levels_[i], i);
    levelLayout->addWidget(levels_[i]);
  }
  auto* sourceBox = new QGroupBox(this);
  auto* sourceLayout = new QVBoxLayout(sourceBox);
  auto* sourceGroup = new QButtonGroup(this);
  const char* const sourceCaptions[] = {"Aktualni stavy", "Stavy k mesici", "Obraty za obdobi"};
  for (int i = 0; i < 3; ++i) {
    sources_[i] = new QRadioButton(QString::fromLatin1(sourceCaptions[i]), sourceBox);
    sources_[i]->setObjectName(QStringLiteral("RB%1").arg(i + 5));
    sourceGroup->addButton(sources_[i], i);
    sourceLayout->addWidget(sources_[i]);
  }
  grid->addWidget(levelBox, 2, 0, 3, 1);
  grid->addWidget(sourceBox, 2, 1, 3, 1);

  edit2_ = new QLineEdit(this);
  edit2_->setObjectName(QStringLiteral("Edit2"));
  edit2_->setMaxLength(4);
  edit3_ = new QLineEdit(this);
  edit3_->setObjectName(QStringLiteral("Edit3"));
  edit3_->setMaxLength(4);
  edit4_ = new QLineEdit(this);
  edit4_->setObjectName(QStringLiteral("Edit4"));
  edit4_->setReadOnly(true);
  grid->addWidget(new QLabel(QStringLiteral("Mesic stavu / Obraty od:"), this), 2, 2);
  grid->addWidget(edit2_, 2, 3);
  grid->addWidget(new QLabel(QStringLiteral("Obraty do:"), this), 3, 2);
  grid->addWidget(edit3_, 3, 3);
  auto* rows = Button("Pocet radku sestavy:", "Button1", this);
  grid->addWidget(rows, 4, 2);
  grid->addWidget(edit4_, 4, 3);

  proceed_ = Button("  Proved", "BitBtn1", this);
  show_ = Button("  Zobrazeni/Tisk", "BitBtn3", this);
  auto* table = Button("  Tabulka", "BitBtn4", this);
  end_ = Button("  Konec", "BitBtn5", this);
  grid->addWidget(proceed_, 5, 0);
  grid->addWidget(show_, 5, 1);
  grid->addWidget(table, 5, 2);
  grid->addWidget(end_, 5, 3);

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
      if (!model_.Edit1Exit()) edit1_->setFocus();
      Fill();
    });
  });
  connect(rows, &QPushButton::clicked, this, [this] {
    app_.Guard([&] {
      model_.PocRad();
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
  connect(show_, &QPushButton::clicked, this, [this] { app_.Guard([&] { model_.Zobr(); }); });
  connect(table, &QPushButton::clicked, this, [this] { app_.Guard([&] { model_.Tab(); }); });
  connect(end_, &QPushButton::clicked, this, &QDialog::accept);

  model_.showReport = [this](VystHandOver& vyst) { app_.ShowReport(vyst.VystFile); };
  model_.showPrintSettings = [this] {
    NumRowWindow settings(app_.session().env, app_.session().printSettings, this);
    app_.ExecModal(settings);
  };
}

void StatementWindow::Take() {
  model_.Edit1 = ToCp(edit1_->text());
  model_.Edit2 = ToCp(edit2_->text());
  model_.Edit3 = ToCp(edit3_->text());
  for (int i = 0; i < 4; ++i) {
    if (levels_[i]->isChecked()) model_.level = static_cast<StatementLevel>(i);
  }
  for (int i = 0; i < 3; ++i) {
    if (sources_[i]->isChecked()) model_.source = static_cast<BalanceSource>(i);
  }
}

void StatementWindow::Fill() {
  edit1_->setText(FromCp(model_.Edit1));
  edit1_->setModified(false);
  label1_->setText(FromCp(model_.Label1));
  edit2_->setText(FromCp(model_.Edit2));
  edit3_->setText(FromCp(model_.Edit3));
  edit4_->setText(FromCp(model_.Edit4));
  levels_[static_cast<int>(model_.level)]->setChecked(true);
  sources_[static_cast<int>(model_.source)]->setChecked(true);
}

void StatementWindow::Run() {
  model_.FormShow();
  Fill();
  end_->setFocus();
  app_.ExecModal(*this);
}

}  // namespace orvo::gui
