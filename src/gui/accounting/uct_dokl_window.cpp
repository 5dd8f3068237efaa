#include "gui/accounting/uct_dokl_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "core/app/session.h"
#include "core/sys/numbers.h"
#include "core/sys/text.h"
#include "gui/app/orvo_app.h"
#include "gui/desk/desk_host.h"
#include "gui/output/num_row_window.h"
#include "gui/screens/browser_window.h"
#include "gui/screens/grid_table_model.h"
#include "gui/sys/named_buttons.h"
#include "gui/sys/qt_text.h"

namespace orvo::gui {

namespace {

// As wide as the larger of 7 x title length + 10 and 7 x field width + 10
// pixels, or more where the font's characters are wider than 7 pixels.
int CellPixels(int chars, int titleChars, int charPixels) {
  return std::max(7, charPixels) * std::max(chars, titleChars) + 10;
}

void SizeColumns(QTableView* view, Grid& grid) {
  const int charPixels = view->fontMetrics().horizontalAdvance(QLatin1Char('0'));
  for (int c = 0; c < grid.ColumnCount(); ++c) {
    view->setColumnWidth(c, CellPixels(grid.ColumnChars(c), static_cast<int>(grid.ColumnTitle(c).size()), charPixels));
  }
}

}  // namespace

UctDoklWindow::UctDoklWindow(OrvoApp& app, QWidget* parent)
    : QDialog(parent), app_(app), model_(app.session(), app.session().engine) {
  setObjectName(QStringLiteral("TUctDokl"));
  setModal(true);
  Session& session = app_.session();
  ChooseThroughCodeList(model_.ports, session.codeList);
  model_.ports.showReport = [this](const std::string& file, int) { app_.ShowReport(file); };
  model_.ports.help = [this](std::string_view topic) { app_.desk().ShowHelp(topic); };
  model_.ports.deskTool = [this](DeskTool tool) { app_.desk().Show(tool); };
  model_.ports.calculatorValue = [&session] { return session.desk.CalculatorValue(); };
  model_.ports.showBrowser = [this, &session](const std::string& file, const std::string& def,
                                              const std::string& title, const std::string& heading,
                                              const std::string& mode) {
    session.scrHandOver.Reset();
    session.scrHandOver.ScrFile = file;
    session.scrHandOver.ScrDef = def;
    session.scrHandOver.ScrHeading1 = title;
    session.scrHandOver.ScrHeading2 = heading;
    session.scrHandOver.ScrEditAllowed = mode == "A" ? 'A' : 'N';
    BrowserWindow browser(session.env, session.browser, session.office, app_.BrowserHooksFor(this), this);
    browser.Show();
  };

  auto* layout = new QVBoxLayout(this);
  codeLine_ = new QLineEdit(QStringLiteral("   Udaj z ciselniku"), this);
  codeLine_->setObjectName(QStringLiteral("CodeLine"));
  codeLine_->setReadOnly(true);
  codeLine_->setFocusPolicy(Qt::NoFocus);
  layout->addWidget(codeLine_);

  header_ = new DoklTableView(this);
  header_->setObjectName(QStringLiteral("HeaderGrid"));
  header_->setToolTip(QStringLiteral("Hlavicka dokladu"));
  headerModel_ = new GridTableModel(model_.HeaderView(), this);
  headerModel_->guard = [this](const std::function<void()>& work) { app_.Guard(work); };
  header_->setModel(headerModel_);
  header_->verticalHeader()->hide();
  header_->setFixedHeight(2 * header_->verticalHeader()->defaultSectionSize() + 6);
  header_->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                           QAbstractItemView::EditKeyPressed);
  layout->addWidget(header_);

  auto* info = new QHBoxLayout();
  column_ = new QLabel(this);
  column_->setObjectName(QStringLiteral("ColumnLabel"));
  row_ = new QLabel(this);
  row_->setObjectName(QStringLiteral("RowLabel"));
  info->addWidget(column_);
  info->addWidget(row_);
  auto* totalsBox = new QVBoxLayout();
  auto* totalsTitle = new QLabel(FromCp(kDoklTotalsTitle), this);
  totals_ = new QLabel(this);
  totals_->setObjectName(QStringLiteral("Totals"));
  QFont fixed(QStringLiteral("Monospace"));
  fixed.setStyleHint(QFont::TypeWriter);
  totalsTitle->setFont(fixed);
  totals_->setFont(fixed);
  totalsBox->addWidget(totalsTitle);
  totalsBox->addWidget(totals_);
  info->addLayout(totalsBox);
  info->addWidget(new QLabel(QStringLiteral(" F9-prenos udaje "), this));
  info->addStretch();
  layout->addLayout(info);

  auto* bar = new QHBoxLayout();
  bar->addWidget(AddButton("Help", "?", "Napoveda", [this] { model_.Help(); }));
  bar->addWidget(AddButton("CloseData", "  Konec", "Ukonceni zpracovani dokladu a jeho ulozeni do souboru ",
                           [this] { Finish(true); }));
  bar->addWidget(AddButton("UlozX", "Ulozit", "Ulozeni sesitu", [this] { model_.SaveAndWarn(); }));
  bar->addWidget(AddButton("DelDokl", "Zrusit", "Zruseni sesitu", [this] { model_.Delete(); }));
  bar->addWidget(AddButton("NovyDokl", "Novy", "Otevrit novy sesit", [this] {
    if (model_.NewDocument()) GoToHeader(0);
  }));
  bar->addWidget(AddButton("OpenDokl", "Seznam", "Vybrat sesit zo seznamu", [this] {
    if (model_.ChooseFromList()) GoToRow(0, 1);
  }));
  bar->addWidget(AddButton("Tisk", "Tisk", "Zobrazeni a tisk sesitu", [this] { model_.Print(); }));
  bar->addWidget(AddButton("LikvDokl", "Likv.", "Likvidacni doklad", [this] { model_.Voucher(); }));
  bar->addWidget(AddButton("Zobraz", "Tab.", "Zobrazeni a tisk sesitu v rezime tabulky",
                           [this] { model_.ShowDocumentTable(); }));
  bar->addWidget(AddButton("TabDokl", "Prohl.", "Sesit v rezimu tabulky", [this] { model_.ShowDocumentInViewer(); }));
  bar->addWidget(AddButton("ZobrazCelSoub", "Soubor", "Zobrazeni/Tisk celeho souboru",
                           [this] { model_.ShowWholeFile(); }));
  bar->addWidget(AddButton("TabCelSoub", "Prohl. s.", "Cely soubor v rezimu tabulky",
                           [this] { model_.ShowWholeFileInViewer(); }));
  bar->addWidget(AddButton("AritVyraz", "=", "Vypocet hodnoty aritmetickeho vyrazu",
                           [this] { model_.Desk(DeskTool::Expression); }));
  bar->addWidget(AddButton("Kalkulacka", "Kalk.", "Kalkulacka", [this] { model_.Desk(DeskTool::Calculator); }));
  bar->addWidget(AddButton("Cas", "Hod.", "Hodiny", [this] { model_.Desk(DeskTool::Clock); }));
  bar->addWidget(AddButton("Datum", "Kal.", "Kalendar", [this] { model_.Desk(DeskTool::Calendar); }));
  layout->addLayout(bar);

  rows_ = new DoklTableView(this);
  rows_->setObjectName(QStringLiteral("RowsGrid"));
  rows_->setToolTip(QStringLiteral("Polozky dokladu"));
  rowsModel_ = new GridTableModel(model_.ItemView(), this);
  rowsModel_->guard = [this](const std::function<void()>& work) { app_.Guard(work); };
  rows_->setModel(rowsModel_);
  rows_->verticalHeader()->hide();
  rows_->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                         QAbstractItemView::EditKeyPressed);
  layout->addWidget(rows_, 1);

  header_->keyHook = [this](QKeyEvent* e) { return HeaderKey(e); };
  rows_->keyHook = [this](QKeyEvent* e) { return RowsKey(e); };
  header_->enterCommitted = [this] { Run([this] { EnterInHeader(); }); };
  rows_->enterCommitted = [this] { Run([this] { EnterInRows(); }); };
  connect(header_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& now, const QModelIndex& before) { HeaderCellChanged(now, before); });
  connect(rows_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& now, const QModelIndex& before) { RowCellChanged(now, before); });

  resize(808, 600);
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.right() - 30 - width(), std::max(area.top(), area.bottom() - 30 - height()));
  }
}

UctDoklWindow::~UctDoklWindow() = default;

QPushButton* UctDoklWindow::AddButton(const char* name, const char* text, const char* hint,
                                      std::function<void()> action) {
  QPushButton* button = MakeNamedButton(this, name, text, hint, [this, action = std::move(action)] {
    Run(action);
    RefreshAll();
  });
  buttons_.push_back(button);
  return button;
}

QPushButton* UctDoklWindow::Button(const char* name) { return FindNamedButton(buttons_, name); }

void UctDoklWindow::Run(const std::function<void()>& work) {
  app_.Guard(work);
  Refresh();
}

void UctDoklWindow::Run() {
  bool opened = false;
  app_.Guard([&] { opened = model_.Open(); });
  if (!opened || app_.Ended()) return;
  setWindowTitle(FromCp(model_.Caption()));
  RefreshAll();
  GoToHeader(static_cast<int>(model_.Grid().HeaderCount()) - 1);
  app_.ExecModal(*this);
}

void UctDoklWindow::RefreshAll() {
  headerModel_->Reload();
  rowsModel_->Reload();
  SizeColumns(header_, model_.HeaderView());
  SizeColumns(rows_, model_.ItemView());
  Refresh();
}

void UctDoklWindow::Refresh() {
  headerModel_->Refresh();
  rowsModel_->Refresh();
  if (!model_.CodeLine().empty()) codeLine_->setText(FromCp(model_.CodeLine()));
  codeLine_->setStyleSheet(model_.CodeLineError() ? QStringLiteral("QLineEdit { color: red; font-weight: bold; }")
                                                  : QStringLiteral("QLineEdit { color: green; }"));
  totals_->setText(FromCp(model_.TotalsLine()));
  const QModelIndex at = rows_->hasFocus() ? rows_->currentIndex() : header_->currentIndex();
  column_->setText(QStringLiteral("Sloupec: ") + FromCp(IntTextPadded(at.isValid() ? at.column() : 0, 4)));
  row_->setText(QStringLiteral("Radek: ") +
                FromCp(IntTextPadded(rows_->hasFocus() && at.isValid() ? at.row() + 1 : 0, 4)));
}

void UctDoklWindow::GoToRow(int row, int col) {
  moving_ = true;
  rows_->setFocus();
  rows_->setCurrentIndex(rowsModel_->index(row, col));
  moving_ = false;
  Refresh();
}

void UctDoklWindow::GoToHeader(int col) {
  moving_ = true;
  header_->setFocus();
  header_->setCurrentIndex(headerModel_->index(0, col));
  moving_ = false;
  Refresh();
}

void UctDoklWindow::HeaderCellChanged(const QModelIndex& now, const QModelIndex& before) {
  if (moving_ || !before.isValid() || now == before) return;
  bool ok = true;
  app_.Guard([&] { ok = model_.LeaveHeaderCell(before.column()); });
  if (!ok) {
    moving_ = true;
    header_->setCurrentIndex(before);
    moving_ = false;
  }
  Refresh();
}

void UctDoklWindow::RowCellChanged(const QModelIndex& now, const QModelIndex& before) {
  if (moving_ || !before.isValid() || now == before) {
    Refresh();
    return;
  }
  bool ok = true;
  app_.Guard([&] { ok = model_.LeaveItemCell(before.row(), before.column()); });
  if (!ok) {
    moving_ = true;
    rows_->setCurrentIndex(before);
    moving_ = false;
  }
  Refresh();
}

void UctDoklWindow::MoveNextRowCell() {
  QModelIndex at = rows_->currentIndex();
  int row = at.row(), col = at.column() + 1;
  if (col >= model_.Grid().ItemCount()) {
    col = 1;
    row = std::min(row + 1, model_.Grid().RowCount() - 1);
  }
  GoToRow(row, col);
}

void UctDoklWindow::EnterInRows() {
  const QModelIndex at = rows_->currentIndex();
  if (!at.isValid()) return;
  if (model_.LeaveItemCell(at.row(), at.column())) MoveNextRowCell();
  Refresh();
}

void UctDoklWindow::EnterInHeader() {
  const QModelIndex at = header_->currentIndex();
  if (!at.isValid()) return;
  bool loaded = false;
  if (!model_.LeaveHeaderCell(at.column(), &loaded)) return;
  if (loaded) {
    RefreshAll();
    GoToRow(0, 1);
    return;
  }
  if (at.column() + 1 < model_.Grid().HeaderCount()) {
    GoToHeader(at.column() + 1);
  } else if (model_.EnterRows()) {
    GoToRow(0, 1);
  }
}

bool UctDoklWindow::HeaderKey(QKeyEvent* event) {
  const bool ctrl = event->modifiers() & Qt::ControlModifier;
  const int key = event->key();
  const int col = header_->currentIndex().column();
  if ((key == Qt::Key_Tab && ctrl) || key == Qt::Key_Backtab) {
    Run([&] {
      if (model_.LeaveHeaderCell(col) && model_.EnterRows()) GoToRow(0, 1);
    });
    return true;
  }
  if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab) {
    Run([this] { EnterInHeader(); });
    return true;
  }
  if ((key == Qt::Key_F1 && ctrl) || (key == Qt::Key_R && ctrl)) {
    Run([&] {
      if (model_.ChooseFromList()) {
        RefreshAll();
        GoToRow(0, 1);
      }
    });
    return true;
  }
  return false;
}

bool UctDoklWindow::RowsKey(QKeyEvent* event) {
  const bool ctrl = event->modifiers() & Qt::ControlModifier;
  const int key = event->key();
  const QModelIndex at = rows_->currentIndex();
  if (!at.isValid()) return false;
  const int row = at.row(), col = at.column();
  if ((key == Qt::Key_Tab && ctrl) || key == Qt::Key_Backtab) {
    Run([&] {
      if (!model_.LeaveItemCell(row, col)) return;
      const int bad = model_.ClassCheck();
      if (bad >= 0) {
        GoToRow(bad, model_.ColCinnost());
        column_->setText(QStringLiteral("Sloupec: 0004"));
      } else {
        GoToHeader(0);
      }
    });
    return true;
  }
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    Run([this] { EnterInRows(); });
    return true;
  }
  if (ctrl && key == Qt::Key_C) {
    model_.Copy(row, col);
    return true;
  }
  if (ctrl && key == Qt::Key_V) {
    Run([&] { model_.Paste(row, col); });
    return true;
  }
  if (key == Qt::Key_F3) {
    Run([&] { model_.RecomputeTotals(); });
    return true;
  }
  if (key == Qt::Key_F5) {
    Run([&] {
      if (model_.TakeCalculator(row, col)) MoveNextRowCell();
    });
    return true;
  }
  if (key == Qt::Key_F9) {
    Run([&] {
      if (model_.CopyFromAbove(row, col)) MoveNextRowCell();
    });
    return true;
  }
  if (ctrl && key == Qt::Key_F1) {
    Run([&] {
      if (model_.ChooseCode(row, col)) MoveNextRowCell();
    });
    return true;
  }
  if (key == Qt::Key_Insert) {
    Run([&] { model_.InsertRow(row); });
    return true;
  }
  if (ctrl && key == Qt::Key_Delete) {
    Run([&] { model_.DeleteRow(row); });
    return true;
  }
  return false;
}

void UctDoklWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    reject();
    return;
  }
  QDialog::keyPressEvent(event);
}

void UctDoklWindow::reject() {
  bool close = false;
  app_.Guard([&] { close = model_.Escape(); });
  if (close) {
    closing_ = true;
    done(QDialog::Rejected);
  }
}

void UctDoklWindow::Finish(bool save) {
  bool close = !save;
  if (save) {
    // The cell the cursor stands on counts as left.
    const QModelIndex at = rows_->currentIndex();
    if (rows_->hasFocus() && at.isValid()) model_.LeaveItemCell(at.row(), at.column());
    close = model_.Close();
  }
  if (close) {
    closing_ = true;
    done(QDialog::Accepted);
  }
}

void UctDoklWindow::closeEvent(QCloseEvent* event) {
  if (closing_ || app_.Ended()) {
    event->accept();
    return;
  }
  app_.Guard([&] { Finish(true); });
  if (closing_) event->accept();
  else event->ignore();
}

}  // namespace orvo::gui
