#include "gui/screens/cds_cis_window.h"

#include <algorithm>

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/sys/text.h"
#include "gui/app/orvo_app.h"
#include "gui/sys/qt_text.h"

namespace orvo::gui {

CisGrid::CisGrid(CdsCisWindow& window) : QTableWidget(&window), window_(window) {}

void CisGrid::keyPressEvent(QKeyEvent* event) {
  // Keys that the cell editor passes on (Enter among them) are its own;
  // the editor hands its text over when it closes.
  if (state() == EditingState) {
    QTableWidget::keyPressEvent(event);
    return;
  }
  if (window_.GridKey(event)) return;
  QTableWidget::keyPressEvent(event);
}

void CisGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  QTableWidget::closeEditor(editor, hint);
  window_.EditorClosed(hint == QAbstractItemDelegate::SubmitModelCache);
}

CdsCisWindow::CdsCisWindow(OrvoApp& app, TCdsCis& model)
    : QDialog(nullptr), app_(app), model_(model) {
  setObjectName(QStringLiteral("TCdsCis"));
  setModal(true);
  // The model shows the window and the listing's report through these
  // ports; the rows per page stay the session's.
  CisPorts ports = model_.Ports();
  ports.showWindow = [this] { Run(); };
  ports.showReport = [this](const std::string& report) { ShowReport(report); };
  model_.SetPorts(std::move(ports));

  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(4, 4, 4, 4);
  column->setSpacing(3);
  hint_ = new QLabel(FromCp(kCisHint), this);
  hint_->setObjectName(QStringLiteral("Hint"));
  column->addWidget(hint_);

  auto* tools = new QHBoxLayout;
  const Qt::ArrowType arrows[4] = {Qt::UpArrow, Qt::LeftArrow, Qt::RightArrow, Qt::DownArrow};
  const char* navHints[4] = {"Prvni veta", "Predchozi veta", "Dalsi veta", "Posledni veta"};
  for (int i = 0; i < 4; ++i) {
    nav_[i] = new QToolButton(this);
    nav_[i]->setArrowType(arrows[i]);
    nav_[i]->setToolTip(QString::fromLatin1(navHints[i]));
    nav_[i]->setFocusPolicy(Qt::NoFocus);
    tools->addWidget(nav_[i]);
  }
  auto makeButton = [&](const char* caption, const char* tip, const char* name) {
    auto* b = new QPushButton(QString::fromLatin1(caption), this);
    b->setObjectName(QString::fromLatin1(name));
    if (tip != nullptr) b->setToolTip(QString::fromLatin1(tip));
    b->setAutoDefault(false);
    b->setFocusPolicy(Qt::NoFocus);
    tools->addWidget(b);
    return b;
  };
  insert_ = makeButton("+", "Vlozit vetu", "InsertButton");
  delete_ = makeButton("-", "Zrusit vetu", "DeleteButton");
  save_ = makeButton("Ulozit", "Ulozit vetu", "SaveButton");
  edit_ = makeButton("  Editace", nullptr, "EditButton");
  edit_->setCheckable(true);
  sort_ = makeButton("  Setrideni", nullptr, "SortButton");
  print_ = makeButton("  Tisk", nullptr, "PrintButton");
  tools->addStretch();
  column->addLayout(tools);

  auto* searchRow = new QHBoxLayout;
  search_ = new QLineEdit(this);
  search_->setObjectName(QStringLiteral("SearchBox"));
  searchRow->addWidget(search_);
  findKey_ = new QPushButton(QStringLiteral("Vyhledani podle klice"), this);
  findKey_->setObjectName(QStringLiteral("FindKeyButton"));
  findKey_->setAutoDefault(false);
  findText_ = new QPushButton(QStringLiteral("Vyhledani retezce"), this);
  findText_->setObjectName(QStringLiteral("FindTextButton"));
  findText_->setAutoDefault(false);
  searchRow->addWidget(findKey_);
  searchRow->addWidget(findText_);
  column->addLayout(searchRow);

  grid_ = new CisGrid(*this);
  grid_->setObjectName(QStringLiteral("Grid"));
  grid_->verticalHeader()->hide();
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setSelectionBehavior(QAbstractItemView::SelectItems);
  grid_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  grid_->verticalHeader()->setDefaultSectionSize(QFontMetrics(grid_->font()).height() + 6);
  column->addWidget(grid_, 1);

  connect(nav_[0], &QToolButton::clicked, this, [this] { Act([&] { model_.First(); }); });
  connect(nav_[1], &QToolButton::clicked, this, [this] { Act([&] { model_.Prior(); }); });
  connect(nav_[2], &QToolButton::clicked, this, [this] { Act([&] { model_.Next(); }); });
  connect(nav_[3], &QToolButton::clicked, this, [this] { Act([&] { model_.Last(); }); });
  connect(insert_, &QPushButton::clicked, this, [this] { Act([&] { model_.InsertRecord(); }); });
  connect(delete_, &QPushButton::clicked, this, [this] { Act([&] { model_.DeleteRecord(); }); });
  connect(save_, &QPushButton::clicked, this, [this] { Act([&] { model_.SaveRecord(); }); });
  connect(edit_, &QPushButton::clicked, this, [this] { Act([&] { model_.EditCis(); }); });
  connect(sort_, &QPushButton::clicked, this, [this] { Act([&] { model_.SortCis(); }); });
  connect(print_, &QPushButton::clicked, this, [this] { Act([&] { model_.Tisk(); }); });
  connect(findKey_, &QPushButton::clicked, this, [this] { Act([&] { model_.VyhledKlic(); }); });
  connect(findText_, &QPushButton::clicked, this, [this] { Act([&] { model_.VyhledRetezec(); }); });
  connect(search_, &QLineEdit::textEdited, this,
          [this](const QString& text) { model_.SetSearchText(ToCp(text)); });
  connect(search_, &QLineEdit::returnPressed, this, [this] { Act([&] { model_.VyhledKlic(); }); });
  connect(grid_, &QTableWidget::cellChanged, this, [this](int row, int col) { CellEdited(row, col); });
  connect(grid_, &QTableWidget::currentCellChanged, this,
          [this](int row, int col, int, int) { CurrentCellChanged(row, col); });
  connect(grid_, &QTableWidget::cellDoubleClicked, this, [this](int row, int col) {
    bool close = false;
    Act([&] {
      model_.SelectCell(row, col);
      close = model_.DoubleClick();
    });
    if (close) done(QDialog::Accepted);
  });

  setGeometry(kCisLeft, kCisTop, kCisWidth, kCisHeight);
}

QPushButton* CdsCisWindow::button(const QString& caption) const {
  for (QPushButton* b : {insert_, delete_, save_, edit_, sort_, print_, findKey_, findText_}) {
    if (b->text() == caption) return b;
  }
  return nullptr;
}

void CdsCisWindow::Run() {
  if (!model_.Open()) return;
  closing_ = false;
  Refresh();
  grid_->setFocus();
  app_.ExecModal(*this);
}

void CdsCisWindow::Act(const std::function<void()>& work) {
  app_.Guard([&] {
    work();
    if (model_.IsOpen()) Refresh();
  });
}

void CdsCisWindow::Refresh() {
  refreshing_ = true;
  setWindowTitle(FromCp(model_.Caption()));
  const int rows = model_.RowCount();
  const int cols = model_.ColCount();
  grid_->setColumnCount(cols);
  grid_->setRowCount(rows);
  QFontMetrics metrics(grid_->horizontalHeader()->font());
  QFontMetrics cells(grid_->font());
  for (int c = 0; c < cols; ++c) {
    QString title = FromCp(TrimRight(model_.ColumnTitle(c)));
    auto* header = grid_->horizontalHeaderItem(c);
    if (header == nullptr) {
      header = new QTableWidgetItem;
      grid_->setHorizontalHeaderItem(c, header);
    }
    header->setText(title);
    // The widths assume characters 8 pixels wide; a wider font still shows
    // a whole value.
    int size = model_.table().Field(c).size;
    int whole = cells.horizontalAdvance(QString(std::min(size, 60), QLatin1Char('M'))) + 12;
    grid_->setColumnWidth(c, std::max(model_.ColumnWidth(c, metrics.horizontalAdvance(title)), whole));
  }
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < cols; ++c) {
      QString text = FromCp(model_.CellText(r, c));
      QTableWidgetItem* item = grid_->item(r, c);
      if (item == nullptr) {
        grid_->setItem(r, c, new QTableWidgetItem(text));
      } else if (item->text() != text) {
        item->setText(text);
      }
    }
  }
  if (rows > 0) grid_->setCurrentCell(model_.CurrentRow(), model_.CurrentCol());
  const bool editing = model_.EditMode();
  grid_->setEditTriggers(editing ? QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                                       QAbstractItemView::EditKeyPressed
                                 : QAbstractItemView::NoEditTriggers);
  for (QPushButton* b : {insert_, delete_, save_}) b->setEnabled(model_.RecordButtonsEnabled());
  edit_->setEnabled(model_.EditButtonEnabled());
  edit_->setChecked(editing);
  edit_->setStyleSheet(editing ? QStringLiteral("color: red; font-weight: bold;") : QString());
  sort_->setEnabled(model_.SortEnabled());
  QString search = FromCp(model_.SearchText());
  if (search_->text() != search) search_->setText(search);
  refreshing_ = false;
}

bool CdsCisWindow::GridKey(QKeyEvent* event) {
  CisKeyEvent e;
  e.shift = event->modifiers() & Qt::ShiftModifier;
  e.ctrl = event->modifiers() & Qt::ControlModifier;
  e.alt = event->modifiers() & Qt::AltModifier;
  bool ours = true;
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: e.key = CisKey::Enter; break;
    case Qt::Key_F9: e.key = CisKey::F9; break;
    case Qt::Key_Escape: e.key = CisKey::Escape; break;
    case Qt::Key_Delete:
      e.key = CisKey::Delete;
      ours = e.alt;
      break;
    case Qt::Key_C:
      e.key = CisKey::C;
      ours = e.ctrl;
      break;
    case Qt::Key_V:
      e.key = CisKey::V;
      ours = e.ctrl;
      break;
    default:
      if (event->key() >= Qt::Key_0 && event->key() <= Qt::Key_9) {
        e.key = CisKey::Digit;
        e.digit = static_cast<char>('0' + (event->key() - Qt::Key_0));
        // Typed digits search the pick list; in edit mode they are typed
        // into the cell.
        ours = model_.PickMode();
      } else {
        e.key = CisKey::Other;
        ours = false;
      }
      break;
  }
  bool close = false;
  Act([&] { close = model_.Key(e); });
  if (close) {
    done(QDialog::Accepted);
    return true;
  }
  return ours;
}

void CdsCisWindow::EditorClosed(bool byEnter) {
  Act([&] {
    if (!byEnter) return;
    CisKeyEvent e;
    e.key = CisKey::Enter;
    model_.Key(e);
  });
}

void CdsCisWindow::CellEdited(int row, int col) {
  if (refreshing_) return;
  QTableWidgetItem* item = grid_->item(row, col);
  if (item == nullptr) return;
  std::string text = ToCp(item->text());
  app_.Guard([&] {
    model_.SelectCell(row, col);
    model_.SetCellText(text);
  });
}

void CdsCisWindow::CurrentCellChanged(int row, int col) {
  if (refreshing_ || row < 0 || col < 0) return;
  if (row == model_.CurrentRow() && col == model_.CurrentCol()) return;
  Act([&] { model_.SelectCell(row, col); });
}

void CdsCisWindow::ShowReport(const std::string& report) {
  if (viewer_) viewer_(report);
}

void CdsCisWindow::done(int result) {
  if (!closing_) {
    closing_ = true;
    app_.Guard([&] { model_.Close(); });
  }
  QDialog::done(result);
}

void CdsCisWindow::reject() { done(QDialog::Rejected); }

}  // namespace orvo::gui
