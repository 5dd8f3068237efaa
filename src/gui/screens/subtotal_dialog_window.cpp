#include "gui/screens/subtotal_dialog_window.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "core/sys/numbers.h"
#include "gui/sys/qt_text.h"

namespace orvo::gui {

SubtotalDialogWindow::SubtotalDialogWindow(Env& env, CdsScrTModel& model, QWidget* parent)
    : QDialog(parent), env_(env), model_(model) {
  setWindowTitle(FromCp(kCdsScrTCaption));
  grid_ = new QTableWidget(this);
  grid_->setColumnCount(CdsScrTModel::kColumnCount);
  grid_->horizontalHeader()->hide();
  grid_->verticalHeader()->hide();
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setColumnWidth(0, 240);
  for (int c = 1; c < CdsScrTModel::kColumnCount; ++c) grid_->setColumnWidth(c, 32);
  grid_->installEventFilter(this);
  connect(grid_, &QTableWidget::cellClicked, this, &SubtotalDialogWindow::CellClicked);

  auto* newSelection = new QPushButton(FromCp("  Novy vyber"), this);
  auto* original = new QPushButton(FromCp("  Puvodni stav"), this);
  auto* finish = new QPushButton(FromCp("  Konec"), this);
  connect(newSelection, &QPushButton::clicked, this, &SubtotalDialogWindow::NewSelection);
  connect(original, &QPushButton::clicked, this, &SubtotalDialogWindow::OriginalState);
  connect(finish, &QPushButton::clicked, this, &SubtotalDialogWindow::Finish);
  touched_ = new QLabel(this);
  highest_ = new QLabel(this);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(newSelection);
  buttons->addWidget(original);
  buttons->addWidget(touched_);
  buttons->addWidget(highest_);
  buttons->addStretch();
  buttons->addWidget(finish);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(grid_);
}

void SubtotalDialogWindow::Refresh() {
  grid_->setRowCount(model_.RowCount());
  for (int r = 0; r < model_.RowCount(); ++r) {
    for (int c = 0; c < CdsScrTModel::kColumnCount; ++c) {
      auto* item = grid_->item(r, c);
      if (item == nullptr) {
        item = new QTableWidgetItem;
        grid_->setItem(r, c, item);
      }
      item->setText(FromCp(model_.Cell(r, c)));
    }
  }
  touched_->setText(QString::number(model_.HighestRowTouched()));
  highest_->setText(QString::number(model_.HighestPosition()));
  SelectModelCell();

  // As high as the rows need, at most the screen less 80 pixels; 30 pixels
  // from the left and 40 above the bottom of the screen.
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  const int rowHeight = grid_->verticalHeader()->defaultSectionSize();
  const int height =
      std::min((rowHeight + 1) * model_.RowCount() + 40 + 37, screen.height() - 80);
  setFixedWidth(418);
  resize(418, height);
  move(screen.left() + 30, screen.bottom() - 40 - height);
}

void SubtotalDialogWindow::SelectModelCell() {
  grid_->setCurrentCell(model_.Row(), model_.Col());
}

void SubtotalDialogWindow::CellClicked(int row, int col) {
  model_.Click(row, col);
  Refresh();
}

void SubtotalDialogWindow::NewSelection() {
  model_.NewSelection();
  Refresh();
}

void SubtotalDialogWindow::OriginalState() {
  model_.OriginalState();
  Refresh();
}

void SubtotalDialogWindow::Finish() {
  if (model_.CanClose(env_)) accept();
}

bool SubtotalDialogWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == grid_ && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    const int row = grid_->currentRow();
    const int col = grid_->currentColumn();
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      model_.Select(row, col);
      model_.Enter();
      Refresh();
      return true;
    }
    if (key->key() == Qt::Key_Delete) {
      model_.Select(row, col);
      model_.Delete();
      Refresh();
      return true;
    }
    if (key->text().size() == 1 && key->text()[0].isDigit() && col == CdsScrTModel::kPor) {
      // A typed position, as the grid cell allows.
      const std::string& old = model_.Cell(row, col);
      std::string text = (old.size() >= 3 ? std::string() : old) + ToCp(key->text());
      model_.SetCell(row, col, text);
      model_.Select(row, col);
      Refresh();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void SubtotalDialogWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  Finish();
}

void SubtotalDialogWindow::keyPressEvent(QKeyEvent* event) {
  // Enter belongs to the grid; Esc closes like "  Konec".
  if (event->key() == Qt::Key_Escape) {
    Finish();
    return;
  }
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) return;
  QDialog::keyPressEvent(event);
}

}  // namespace orvo::gui
