#include "gui/shell/rights_dialog.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "gui/app/orvo_app.h"
#include "gui/sys/qt_text.h"

namespace orvo::gui {

RightsDialog::RightsDialog(OrvoApp& app) : QDialog(nullptr), app_(app), model_(app.session()) {
  setObjectName(QStringLiteral("THesloP"));
  setWindowTitle(FromCp(RightsAdminModel::kCaption));
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  grid_ = new QTableWidget(RightsAdminModel::kRows, 3, this);
  grid_->setObjectName(QStringLiteral("RightsGrid"));
  const int widths[3] = {200, 200, 100};
  QStringList titles;
  for (int c = 0; c < 3; ++c) titles << FromCp(RightsAdminModel::kColumnTitles[c]);
  grid_->setHorizontalHeaderLabels(titles);
  for (int c = 0; c < 3; ++c) grid_->setColumnWidth(c, widths[c]);
  // The three columns take 500 of the 540 pixels: no row numbers beside
  // them and thin margins, so that all three are in sight without scrolling.
  grid_->verticalHeader()->hide();
  grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid_->installEventFilter(this);
  connect(grid_, &QTableWidget::cellChanged, this, [this](int row, int column) {
    if (!filling_) TakeCell(row, column);
  });
  layout->addWidget(grid_, 1);
  auto* close = new QPushButton(QStringLiteral("  Konec"), this);
  close->setObjectName(QStringLiteral("CloseButton"));
  close->setAutoDefault(false);
  connect(close, &QPushButton::clicked, this, [this] { accept(); });
  layout->addWidget(close, 0, Qt::AlignRight);
  resize(540, 420);
}

void RightsDialog::Run() {
  mayStay_ = model_.Show();
  Fill();
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
  app_.ExecModal(*this);
}

void RightsDialog::Fill() {
  filling_ = true;
  for (int row = 0; row < RightsAdminModel::kRows; ++row) {
    const AccessRecord& r = model_.Row(row);
    const std::string* cells[] = {&r.name, &r.password, &r.role};
    for (int c = 0; c < 3; ++c) {
      auto* item = grid_->item(row, c);
      if (item == nullptr) {
        item = new QTableWidgetItem;
        grid_->setItem(row, c, item);
      }
      item->setText(FromCp(*cells[c]));
    }
  }
  filling_ = false;
}

void RightsDialog::TakeCell(int row, int column) {
  model_.SetCell(row, column, ToCp(grid_->item(row, column)->text()));
}

void RightsDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Anyone but an "Admin" sees the dialog go as soon as it is painted.
  if (!mayStay_) QTimer::singleShot(0, this, [this] { accept(); });
}

bool RightsDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched != grid_ || event->type() != QEvent::KeyPress) {
    return QDialog::eventFilter(watched, event);
  }
  auto* key = static_cast<QKeyEvent*>(event);
  bool handled = false;
  app_.Guard([&] {
    const int row = grid_->currentRow();
    if (key->key() == Qt::Key_Insert && key->modifiers() == Qt::NoModifier) {
      model_.InsertRow(row);
      Fill();
      handled = true;
    } else if (key->key() == Qt::Key_Delete && (key->modifiers() & Qt::ControlModifier)) {
      if (row >= 0) model_.DeleteRow(row);
      Fill();
      handled = true;
    } else if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      // Enter acts as Tab.
      QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
      QCoreApplication::sendEvent(grid_, &tab);
      handled = true;
    }
  });
  return handled || QDialog::eventFilter(watched, event);
}

void RightsDialog::done(int result) {
  if (app_.Ended()) {
    QDialog::done(result);
    return;
  }
  // The grid is stored on every closing; a refused grid keeps the dialog
  // open for the correction.
  bool stored = false;
  app_.Guard([&] {
    if (QWidget* editor = grid_->focusWidget(); editor != nullptr && editor != grid_) {
      grid_->setFocus();  // commits an open cell editor
    }
    stored = model_.Close();
  });
  if (stored || !mayStay_ || app_.Ended()) QDialog::done(result);
}

}  // namespace orvo::gui
