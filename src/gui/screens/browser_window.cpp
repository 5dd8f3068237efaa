#include "gui/screens/browser_window.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

#include "gui/screens/grid_table_model.h"
#include "gui/sys/qt_text.h"
#include "gui/screens/subtotal_dialog_window.h"

namespace orvo::gui {

namespace {

QPushButton* MakeButton(QWidget* parent, std::string_view caption, std::string_view hint = {}) {
  auto* b = new QPushButton(FromCp(caption), parent);
  b->setObjectName(FromCp(caption));
  if (!hint.empty()) b->setToolTip(FromCp(hint));
  b->setFocusPolicy(Qt::NoFocus);
  return b;
}

// A small button known by its hint only.
QPushButton* HintButton(QWidget* parent, std::string_view text, std::string_view hint) {
  auto* b = MakeButton(parent, text, hint);
  b->setObjectName(FromCp(hint));
  return b;
}

}  // namespace

BrowserWindow::BrowserWindow(Env& env, CdsScrModel& model, Office& office, BrowserHooks hooks,
                             QWidget* parent)
    : QDialog(parent), env_(env), model_(model), office_(office), hooks_(std::move(hooks)) {
  tableModel_ = new GridTableModel(model_, this);
  // A typed cell runs under the application's guard like every button.
  tableModel_->guard = hooks_.guard;
  dialog_ = new SubtotalDialogWindow(env_, model_.SubtotalDialog(), this);

  grid_ = new QTableView(this);
  grid_->setModel(tableModel_);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setSelectionBehavior(QAbstractItemView::SelectItems);
  grid_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::AnyKeyPressed |
                         QAbstractItemView::EditKeyPressed);
  grid_->setTabKeyNavigation(false);
  // Fixed row heights: the view never measures a million rows.
  grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
  grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  grid_->installEventFilter(this);
  connect(grid_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) {
            if (syncing_ || !current.isValid()) return;
            Run([&] { model_.Select(current.row(), current.column()); });
          });
  connect(tableModel_, &QAbstractItemModel::dataChanged, this, [this] {
    if (!syncing_) Sync();
  });

  panel_ = BuildPanel();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  BuildMenu();
  // The panel is wider than the window's 980 pixels: it scrolls sideways
  // rather than widening the window beyond small displays.
  auto* panelArea = new QScrollArea(this);
  panelArea->setWidget(panel_);
  panelArea->setFrameShape(QFrame::NoFrame);
  panelArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  panelArea->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  panelArea->setFixedHeight(panel_->sizeHint().height() +
                            panelArea->horizontalScrollBar()->sizeHint().height());
  layout->addWidget(panelArea);
  layout->addWidget(grid_, 1);

  // 980 x 580, 40 pixels from the right and bottom screen edges.
  resize(980, 580);
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  move(screen.right() - 40 - 980, screen.bottom() - 40 - 580);
}

BrowserWindow::~BrowserWindow() = default;

QWidget* BrowserWindow::BuildPanel() {
  auto* panel = new QWidget(this);
  auto* grid = new QGridLayout(panel);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setHorizontalSpacing(4);
  grid->setVerticalSpacing(2);

  auto* konec = MakeButton(panel, "  Konec");
  connect(konec, &QPushButton::clicked, this, &BrowserWindow::close);
  auto* findKey = MakeButton(panel, "  Najit klic");
  connect(findKey, &QPushButton::clicked, this, &BrowserWindow::SearchKey);
  auto* findString = MakeButton(panel, "  Najit ret.");
  connect(findString, &QPushButton::clicked, this, &BrowserWindow::SearchString);
  search_ = new QLineEdit(panel);
  search_->setObjectName("search");
  connect(search_, &QLineEdit::returnPressed, this, [this] {
    Run([&] {
      model_.SearchText() = ToCp(search_->text());
      model_.SearchEnter();
    });
  });
  correct_ = MakeButton(panel, "  Oprava");
  correct_->setCheckable(true);
  connect(correct_, &QPushButton::clicked, this, [this] { Run([&] { model_.ToggleCorrections(); }); });
  empty_ = MakeButton(panel, "Vyprazdneni tabulky", "Vyprazdneni tabulky");
  connect(empty_, &QPushButton::clicked, this, [this] {
    Run([&] { model_.EmptyTable(); });
    Sync(true);
  });
  paste_ = HintButton(panel, "<-", "Cteni retezce ze schranky windows a ulozeni do vybrane bunky");
  connect(paste_, &QPushButton::clicked, this, [this] { Run([&] { model_.PasteCell(); }); });
  auto* copy = HintButton(panel, "->", "Ulozeni obsahu vybrane bunky do schranky windows");
  connect(copy, &QPushButton::clicked, this, [this] { Run([&] { model_.CopyCell(); }); });
  auto* clipboard = MakeButton(panel, "  Schranka");
  connect(clipboard, &QPushButton::clicked, this, [this] { Run([&] { model_.CopyWholeTable(); }); });
  auto* printWindow = MakeButton(panel, " Tisk okna");
  connect(printWindow, &QPushButton::clicked, this, &BrowserWindow::PrintWindow);
  auto* settings = HintButton(
      panel, "F", "Vychozi font pro zobrazeni a tisk sestav, pocet radku na jedne strance sestavy");
  connect(settings, &QPushButton::clicked, this, [this] {
    Run([&] {
      if (hooks_.showPrintSettings) hooks_.showPrintSettings();
    });
  });
  rows_ = new QLineEdit(panel);
  rows_->setReadOnly(true);
  rows_->setFixedWidth(40);

  auto* sestI = MakeButton(panel, "  Sestava I");
  connect(sestI, &QPushButton::clicked, this, &BrowserWindow::SestI);
  auto* sestII = MakeButton(panel, "  Sestava II");
  connect(sestII, &QPushButton::clicked, this, &BrowserWindow::SestII);
  auto* sestIII = MakeButton(panel, "  Sestava III");
  connect(sestIII, &QPushButton::clicked, this, &BrowserWindow::SestIII);
  auto* word = MakeButton(panel, "  Word");
  connect(word, &QPushButton::clicked, this, &BrowserWindow::Word);
  auto* excel = MakeButton(panel, "  Excel");
  connect(excel, &QPushButton::clicked, this, &BrowserWindow::Excel);
  auto* param = MakeButton(panel, "  Param", "Doplneni mezisouctu a strankovani");
  connect(param, &QPushButton::clicked, this, &BrowserWindow::Param);

  int utility = 0;
  std::vector<QPushButton*> utilities;
  for (const char* hint : {"Aritmeticky vyraz", "Kalkulacka", "Hodiny", "Kalendar"}) {
    auto* b = HintButton(panel, std::string(hint).substr(0, 1), hint);
    connect(b, &QPushButton::clicked, this, [this, utility] {
      Run([&] {
        if (hooks_.showDeskUtility) hooks_.showDeskUtility(utility);
      });
    });
    utilities.push_back(b);
    ++utility;
  }

  heading1_ = new QLineEdit(panel);
  heading2_ = new QLineEdit(panel);
  time_ = new QCheckBox(FromCp("Cas"), panel);
  onlyNonEmpty_ = new QRadioButton(FromCp("Pouze neprazdne sloupce"), panel);
  allColumns_ = new QRadioButton(FromCp("Vsechny sloupce"), panel);
  auto* columnChoice = new QButtonGroup(panel);
  columnChoice->addButton(onlyNonEmpty_);
  columnChoice->addButton(allColumns_);
  minimalWidth_ = new QCheckBox(FromCp("Minimalni sirka sestavy"), panel);
  connect(minimalWidth_, &QCheckBox::clicked, this, [this](bool on) {
    Run([&] { model_.SetMinimalWidth(on); });
    Sync(true);
    SizeColumns();
  });
  colCounter_ = new QLabel(panel);
  colCounter_->setObjectName("colCounter");
  rowCounter_ = new QLabel(panel);
  rowCounter_->setObjectName("rowCounter");

  auto* first = HintButton(panel, "|<", "Prvni zaznam");
  auto* prior = HintButton(panel, "<", "Predchozi zaznam");
  auto* next = HintButton(panel, ">", "Dalsi zaznam");
  auto* last = HintButton(panel, ">|", "Posledni zaznam");
  insert_ = HintButton(panel, "+", "Vlozit zaznam");
  delete_ = HintButton(panel, "-", "Zrusit zaznam");
  save_ = HintButton(panel, "v", "Ulozit zaznam");
  connect(first, &QPushButton::clicked, this, [this] { Run([&] { model_.First(); }); });
  connect(prior, &QPushButton::clicked, this, [this] { Run([&] { model_.Prior(); }); });
  connect(next, &QPushButton::clicked, this, [this] { Run([&] { model_.Next(); }); });
  connect(last, &QPushButton::clicked, this, [this] { Run([&] { model_.Last(); }); });
  connect(insert_, &QPushButton::clicked, this, [this] {
    Run([&] { model_.Insert(); });
    Sync(true);
  });
  connect(delete_, &QPushButton::clicked, this, [this] {
    Run([&] { model_.DeleteRecord(); });
    Sync(true);
  });
  connect(save_, &QPushButton::clicked, this, [this] { Run([&] { model_.SaveRecord(); }); });

  int col = 0;
  for (QWidget* w : std::initializer_list<QWidget*>{konec, findKey, findString, correct_, empty_,
                                                    paste_, copy, clipboard, printWindow, settings,
                                                    rows_}) {
    grid->addWidget(w, 0, col++);
  }
  for (QPushButton* b : utilities) grid->addWidget(b, 0, col++);
  col = 0;
  for (QWidget* w : std::initializer_list<QWidget*>{sestI, sestII, sestIII, word, excel, param}) {
    grid->addWidget(w, 1, col++);
  }
  grid->addWidget(time_, 1, col++);
  grid->addWidget(onlyNonEmpty_, 1, col, 1, 2);
  col += 2;
  grid->addWidget(allColumns_, 1, col, 1, 2);
  col += 2;
  grid->addWidget(minimalWidth_, 1, col, 1, 3);

  auto* row2 = new QHBoxLayout;
  row2->addWidget(new QLabel(FromCp("Hlavicka I:"), panel));
  row2->addWidget(heading1_, 2);
  row2->addWidget(new QLabel(FromCp("Hlavicka II:"), panel));
  row2->addWidget(heading2_, 2);
  grid->addLayout(row2, 2, 0, 1, 16);

  auto* row3 = new QHBoxLayout;
  row3->addWidget(new QLabel(FromCp("Hledany retezec:"), panel));
  row3->addWidget(search_, 2);
  row3->addSpacing(8);
  row3->addWidget(new QLabel(FromCp("Sloupec:"), panel));
  row3->addWidget(colCounter_);
  row3->addSpacing(8);
  row3->addWidget(new QLabel(FromCp("Radek:"), panel));
  row3->addWidget(rowCounter_);
  row3->addSpacing(8);
  for (QWidget* w : std::initializer_list<QWidget*>{first, prior, next, last, insert_, delete_, save_}) {
    row3->addWidget(w);
  }
  grid->addLayout(row3, 3, 0, 1, 16);
  return panel;
}

void BrowserWindow::BuildMenu() {
  auto* bar = new QMenuBar(this);
  layout()->setMenuBar(bar);
  QMenu* moves = bar->addMenu(FromCp("Pohyb"));
  auto add = [&](const char* text, const QKeySequence& keys, std::function<void()> work) {
    QAction* a = moves->addAction(FromCp(text));
    a->setShortcut(keys);
    a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(a, &QAction::triggered, this, [this, work] { Run(work); });
  };
  add("Ctrl+Home", QKeySequence(), [this] { model_.CtrlHome(); });
  add("Ctrl+End", QKeySequence(), [this] { model_.CtrlEnd(); });
  add("Home", QKeySequence(), [this] { model_.Home(); });
  add("End", QKeySequence(), [this] { model_.End(); });
  add("PgDn", QKeySequence(), [this] { model_.PageDown(PageRows()); });
  add("PgUp", QKeySequence(), [this] { model_.PageUp(PageRows()); });
  add("Row+", QKeySequence(), [this] { model_.Down(); });
  add("Row-", QKeySequence(), [this] { model_.Up(); });
  add("Col+", QKeySequence(), [this] { model_.ColPlus(); });
  add("Col-", QKeySequence(), [this] { model_.ColMinus(); });
}

QPushButton* BrowserWindow::Button(const QString& caption) const {
  return findChild<QPushButton*>(caption);
}

int BrowserWindow::PageRows() const {
  const int row = grid_->verticalHeader()->defaultSectionSize();
  return std::max(1, grid_->viewport()->height() / std::max(1, row) - 1);
}

void BrowserWindow::Run(const std::function<void()>& work) {
  ReadFields();
  if (hooks_.guard) {
    hooks_.guard(work);
  } else {
    work();
  }
  Sync();
}

void BrowserWindow::ReadFields() {
  model_.Heading1Text() = ToCp(heading1_->text());
  model_.Heading2Text() = ToCp(heading2_->text());
  model_.SetWithTime(time_->isChecked());
  model_.SetAllColumns(allColumns_->isChecked());
}

void BrowserWindow::Sync(bool reload) {
  syncing_ = true;
  if (reload || tableModel_->rowCount() != model_.RowCount() ||
      tableModel_->columnCount() != model_.ColumnCount()) {
    tableModel_->Reload();
  } else if (model_.Row() >= 0) {
    tableModel_->RowsChanged(model_.Row(), model_.Row());
  }
  if (model_.Row() >= 0 && model_.ColumnCount() > 0) {
    const QModelIndex at = tableModel_->index(model_.Row(), model_.Col());
    grid_->selectionModel()->setCurrentIndex(at, QItemSelectionModel::ClearAndSelect);
    grid_->scrollTo(at);
  }
  colCounter_->setText(FromCp(model_.ColumnCounterText()));
  rowCounter_->setText(FromCp(model_.RowCounterText()));
  rows_->setText(FromCp(model_.RowsFieldText()));
  correct_->setEnabled(model_.CanToggleCorrections());
  correct_->setChecked(model_.Editable());
  for (QPushButton* b : {empty_, paste_, insert_, delete_, save_}) {
    b->setEnabled(model_.EditButtonsEnabled());
  }
  minimalWidth_->setChecked(model_.MinimalWidth());
  syncing_ = false;
}

void BrowserWindow::SizeColumns() {
  const QFontMetrics header = grid_->horizontalHeader()->fontMetrics();
  // Seven pixels were a character of the system's grid font; ours may be
  // wider, and values must not be cut.
  const int charWidth = std::max(7, grid_->fontMetrics().horizontalAdvance(QLatin1Char('0')) + 1);
  for (int c = 0; c < model_.ColumnCount(); ++c) {
    grid_->setColumnWidth(
        c, model_.ColumnWidthPixels(c, header.horizontalAdvance(FromCp(model_.ColumnTitle(c))) + 10,
                                    charWidth));
  }
}

bool BrowserWindow::OpenModel() {
  bool open = false;
  auto work = [&] { open = model_.Open(); };
  if (hooks_.guard) {
    hooks_.guard(work);
  } else {
    work();
  }
  setWindowTitle(FromCp(model_.Caption()));
  heading1_->setText(FromCp(model_.Heading1Text()));
  heading2_->setText(FromCp(model_.Heading2Text()));
  time_->setChecked(model_.WithTime());
  (model_.AllColumns() ? allColumns_ : onlyNonEmpty_)->setChecked(true);
  Sync(true);
  SizeColumns();
  grid_->setFocus();
  return open;
}

int BrowserWindow::Show() {
  closeOnShow_ = !OpenModel();
  const int result = exec();
  if (model_.IsOpen() || closeOnShow_) model_.Close();
  tableModel_->Reload();
  return result;
}

void BrowserWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // A missing file or definition: the window closes on activation.
  if (closeOnShow_) QTimer::singleShot(0, this, &QDialog::reject);
}

void BrowserWindow::closeEvent(QCloseEvent* event) {
  ReadFields();
  QDialog::closeEvent(event);
}

// --- buttons ---------------------------------------------------------------------

void BrowserWindow::SearchKey() {
  Run([&] {
    model_.SearchText() = ToCp(search_->text());
    model_.SearchKey();
  });
}

void BrowserWindow::SearchString() {
  Run([&] {
    model_.SearchText() = ToCp(search_->text());
    model_.SearchString();
  });
}

void BrowserWindow::SestI() {
  Run([&] {
    VystHandOver vyst;
    if (model_.SestI(vyst) && hooks_.showTextReport) hooks_.showTextReport(vyst);
  });
}

void BrowserWindow::SestII() {
  Run([&] {
    auto layout = model_.SestII();
    if (layout && hooks_.showFramedReport) hooks_.showFramedReport(*layout);
  });
}

void BrowserWindow::SestIII() {
  Run([&] {
    auto layout = model_.SestIII();
    if (layout && hooks_.showGraphicReport) hooks_.showGraphicReport(*layout);
  });
}

void BrowserWindow::Word() {
  Run([&] { model_.Word(office_); });
}

void BrowserWindow::Excel() {
  Run([&] { model_.Excel(office_); });
}

void BrowserWindow::Param() {
  Run([&] {
    model_.Param();
    dialog_->Refresh();
    dialog_->exec();
    model_.ParamDone();
  });
}

void BrowserWindow::PrintWindow() {
  if (!model_.CanPrintWindow()) return;
  panel_->hide();
  QPrinter printer;
  QPrintDialog print(&printer, this);
  if (print.exec() == QDialog::Accepted) {
    QPainter painter(&printer);
    const QRect page = painter.viewport();
    QSize size = this->size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    painter.setViewport(page.x(), page.y(), size.width(), size.height());
    painter.setWindow(rect());
    render(&painter);
  }
  panel_->show();
}

// --- keys ---------------------------------------------------------------------------

bool BrowserWindow::GridKey(QKeyEvent* key) {
  const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
  const int k = key->key();
  std::function<void()> work;
  bool reload = false;
  if (mods == Qt::ControlModifier && k == Qt::Key_C) {
    work = [&] { model_.CopyCell(); };
  } else if (mods == Qt::ControlModifier && k == Qt::Key_V) {
    work = [&] { model_.PasteCell(); };
  } else if (mods == Qt::ControlModifier && k == Qt::Key_S) {
    work = [&] { model_.ToggleCorrections(); };
  } else if (mods == Qt::AltModifier && k == Qt::Key_Delete) {
    work = [&] { model_.ClearFile(); };
    reload = true;
  } else if (mods == Qt::NoModifier && (k == Qt::Key_Delete || k == Qt::Key_Backspace) &&
             model_.Editable()) {
    work = [&] { model_.EditCell(""); };
  } else if (mods == Qt::NoModifier && k == Qt::Key_F9) {
    work = [&] { model_.F9(); };
    reload = true;
  } else if (mods == Qt::NoModifier && (k == Qt::Key_Return || k == Qt::Key_Enter)) {
    work = [&] { model_.Enter(); };
    reload = true;
  } else if (mods == Qt::NoModifier && k == Qt::Key_Tab) {
    work = [&] { model_.Tab(); };
    reload = true;
  } else if (mods == Qt::NoModifier && k == Qt::Key_Up) {
    work = [&] { model_.Up(); };
  } else if (mods == Qt::NoModifier && k == Qt::Key_Down) {
    work = [&] { model_.Down(); };
  } else if (mods == Qt::NoModifier && k == Qt::Key_PageUp) {
    work = [&] { model_.PageUp(PageRows()); };
  } else if (mods == Qt::NoModifier && k == Qt::Key_PageDown) {
    work = [&] { model_.PageDown(PageRows()); };
  } else if (mods == Qt::ControlModifier && k == Qt::Key_Home) {
    work = [&] { model_.CtrlHome(); };
  } else if (mods == Qt::ControlModifier && k == Qt::Key_End) {
    work = [&] { model_.CtrlEnd(); };
  } else {
    return false;
  }
  Run(work);
  if (reload) Sync(true);
  return true;
}

bool BrowserWindow::WindowKey(QKeyEvent* event) {
  const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
  if (event->key() == Qt::Key_F2 && mods == Qt::ControlModifier) {
    Run([&] { model_.SaveCopy(); });
    return true;
  }
  if (event->key() == Qt::Key_F2 && mods == Qt::ShiftModifier) {
    Run([&] { model_.SaveCopyAs(); });
    return true;
  }
  if (event->key() == Qt::Key_U && mods == (Qt::ControlModifier | Qt::AltModifier)) {
    Run([&] { model_.ToggleEditAllowed(); });
    setWindowTitle(FromCp(model_.Caption()));
    Sync(true);
    SizeColumns();
    return true;
  }
  return false;
}

bool BrowserWindow::eventFilter(QObject* watched, QEvent* event) {
  // While a cell is edited the keys go to its editor, not to the grid.
  if (watched == grid_ && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (WindowKey(key) || GridKey(key)) return true;
  }
  return QDialog::eventFilter(watched, event);
}

void BrowserWindow::keyPressEvent(QKeyEvent* event) {
  if (WindowKey(event)) return;
  if (event->key() == Qt::Key_Escape) {
    // Esc closes the window only when the grid does not have the focus.
    if (!grid_->hasFocus()) close();
    return;
  }
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) return;
  QDialog::keyPressEvent(event);
}

}  // namespace orvo::gui
