#include "gui/desk/character_map_window.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/desk/character_map.h"

namespace orvo::gui {

namespace {

constexpr int kColumns = 16;

}  // namespace

CharacterMapWindow::CharacterMapWindow(const QFont& font, QWidget* parent) : QDialog(parent) {
  setObjectName("CharacterMapWindow");
  setWindowTitle("Mapa znaku");
  setModal(false);
  const std::vector<MapCharacter>& map = CharacterMap();
  const int rows = static_cast<int>((map.size() + kColumns - 1) / kColumns);
  grid_ = new QTableWidget(rows, kColumns, this);
  grid_->horizontalHeader()->hide();
  grid_->verticalHeader()->hide();
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  QFont big = font;
  big.setPointSize(14);
  grid_->setFont(big);
  const int cell = QFontMetrics(big).height() + 10;
  grid_->horizontalHeader()->setDefaultSectionSize(cell);
  grid_->verticalHeader()->setDefaultSectionSize(cell);
  for (size_t i = 0; i < map.size(); ++i) {
    auto* item = new QTableWidgetItem(QString::fromUtf8(map[i].utf8.c_str()));
    item->setTextAlignment(Qt::AlignCenter);
    item->setToolTip(QString::fromStdString(CharacterCodeText(map[i].code)));
    grid_->setItem(static_cast<int>(i) / kColumns, static_cast<int>(i) % kColumns, item);
  }
  grid_->setFixedSize(cell * kColumns + 2 * grid_->frameWidth(), cell * rows + 2 * grid_->frameWidth());
  grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(grid_);
  auto* bottom = new QHBoxLayout;
  shown_ = new QLabel(this);
  shown_->setFont(big);
  shown_->setMinimumWidth(cell);
  code_ = new QLabel(this);
  code_->setMinimumWidth(code_->fontMetrics().horizontalAdvance(QString::fromStdString(CharacterCodeText(0xFF))) + 8);
  insertButton_ = new QPushButton("Vlozit", this);
  auto* close = new QPushButton("Zavrit", this);
  bottom->addWidget(shown_);
  bottom->addWidget(code_);
  bottom->addStretch();
  bottom->addWidget(insertButton_);
  bottom->addWidget(close);
  layout->addLayout(bottom);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(grid_, &QTableWidget::itemClicked, this, [this](QTableWidgetItem* item) { Choose(item->text()); });
  connect(grid_, &QTableWidget::itemDoubleClicked, this, [this](QTableWidgetItem* item) {
    Choose(item->text());
    Insert();
  });
  connect(insertButton_, &QPushButton::clicked, this, [this] { Insert(); });
  connect(close, &QPushButton::clicked, this, &QDialog::close);
}

void CharacterMapWindow::Choose(const QString& character) {
  if (character.isEmpty()) return;
  chosen_ = character;
  QApplication::clipboard()->setText(character);
  shown_->setText(character);
  for (const MapCharacter& c : CharacterMap()) {
    if (QString::fromUtf8(c.utf8.c_str()) == character) code_->setText(QString::fromStdString(CharacterCodeText(c.code)));
  }
}

void CharacterMapWindow::SetInsertEnabled(bool enabled) { insertButton_->setEnabled(enabled); }

void CharacterMapWindow::Insert() {
  if (chosen_.isEmpty() || !insert) return;
  if (!insert(chosen_)) QApplication::beep();
}

}  // namespace orvo::gui
