#include "gui/screens/cds_dokl_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/app/session.h"
#include "core/sys/numbers.h"
#include "gui/app/orvo_app.h"
#include "gui/output/num_row_window.h"
#include "gui/screens/browser_window.h"
#include "gui/screens/grid_table_model.h"
#include "gui/sys/qt_text.h"

namespace orvo::gui {

namespace {

void SizeColumns(QTableView* view, Grid& grid) {
  const int charPixels = std::max(7, view->fontMetrics().horizontalAdvance(QLatin1Char('0')));
  for (int c = 0; c < grid.ColumnCount(); ++c) {
    const int chars = std::max(grid.ColumnChars(c), static_cast<int>(grid.ColumnTitle(c).size()));
    view->setColumnWidth(c, charPixels * chars + 10);
  }
}

DoklTableView* GridView(QWidget* parent, const char* name, GridTableModel* model) {
  auto* view = new DoklTableView(parent);
  view->setObjectName(QString::fromLatin1(name));
  view->setModel(model);
  view->verticalHeader()->hide();
  view->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                        QAbstractItemView::EditKeyPressed);
  return view;
}

}  // namespace

CdsDoklWindow::CdsDoklWindow(OrvoApp& app, QWidget* parent)
    : QDialog(parent), app_(app), model_(app.session().gridEntry) {
  setObjectName(QStringLiteral("TCdsDokl"));
  setModal(true);
  Session& session = app_.session();
  model_.ports.showReport = [this](const std::string& file) { app_.ShowReport(file); };
  model_.ports.showBrowser = [this, &session](const std::string& file, const std::string& def) {
    session.scrHandOver.Reset();
    session.scrHandOver.ScrFile = file;
    session.scrHandOver.ScrDef = def;
    session.scrHandOver.ScrHeading1 = session.doklHandOver.DoklHeading1;
    session.scrHandOver.ScrHeading2 = session.doklHandOver.DoklHeading2;
    BrowserHooks hooks;
    hooks.guard = [this](const std::function<void()>& work) { app_.Guard(work); };
    hooks.showTextReport = [this](VystHandOver& vyst) { app_.ShowReport(vyst.VystFile); };
    hooks.showPrintSettings = [this, &session] {
      NumRowWindow settings(session.env, session.printSettings, this);
      app_.ExecModal(settings);
    };
    BrowserWindow browser(session.env, session.browser, session.office, std::move(hooks), this);
    browser.Show();
  };

  auto* layout = new QVBoxLayout(this);
  codeLine_ = new QLineEdit(QStringLiteral("   Udaj z ciselniku"), this);
  codeLine_->setObjectName(QStringLiteral("CodeLine"));
  codeLine_->setReadOnly(true);
  codeLine_->setFocusPolicy(Qt::NoFocus);
  layout->addWidget(codeLine_);

  headerModel_ = new GridTableModel(model_.HeaderView(), this);
  headerModel_->guard = [this](const std::function<void()>& work) { app_.Guard(work); };
  header_ = GridView(this, "HeaderGrid", headerModel_);
  header_->setFixedHeight(2 * header_->verticalHeader()->defaultSectionSize() + 6);
  layout->addWidget(header_);

  auto* info = new QHBoxLayout();
  column_ = new QLabel(this);
  column_->setObjectName(QStringLiteral("ColumnLabel"));
  row_ = new QLabel(this);
  row_->setObjectName(QStringLiteral("RowLabel"));
  info->addWidget(column_);
  info->addWidget(row_);
  info->addStretch();
  layout->addLayout(info);

  auto* bar = new QHBoxLayout();
  bar->addWidget(AddButton("Konec", "  Konec", "Ukonceni a ulozeni dokladu", [this] { Finish(); }));
  bar->addWidget(AddButton("Uloz", "Ulozit", "Ulozenie dokladu", [this] { model_.Save(); }));
  bar->addWidget(AddButton("Zrus", "Zrusit", "Zrusenie dokladu", [this] { model_.Delete(); }));
  bar->addWidget(AddButton("Novy", "Novy", "Otvorit novy doklad", [this] {
    if (model_.NewDocument()) GoToHeader(0);
  }));
  bar->addWidget(AddButton("Seznam", "Seznam", "Vybrat sesit zo seznamu", [this] {
    if (model_.ChooseFromList()) GoToRow(0, 1);
  }));
  bar->addWidget(AddButton("Pred", "<", "Doklad predesly", [this] { model_.Neighbour('-'); }));
  bar->addWidget(AddButton("Dalsi", ">", "Doklad nasledujici", [this] { model_.Neighbour('+'); }));
  bar->addWidget(AddButton("Tisk", "Tisk", "Zobrazenie a tlac dokladov", [this] { model_.Print(); }));
  bar->addWidget(AddButton("Tab", "Tab.", "Zobrazenie a tlac dokladov v rezime tabulky",
                           [this] { model_.ShowDocumentTable(); }));
  bar->addWidget(AddButton("Soubor", "Soubor", "Zobrazeni tisk celeho souboru", [this] { model_.ShowWholeFile(); }));
  layout->addLayout(bar);

  rowsModel_ = new GridTableModel(model_.ItemView(), this);
  rowsModel_->guard = [this](const std::function<void()>& work) { app_.Guard(work); };
  rows_ = GridView(this, "RowsGrid", rowsModel_);
  layout->addWidget(rows_, 1);

  header_->keyHook = [this](QKeyEvent* e) { return HeaderKey(e); };
  rows_->keyHook = [this](QKeyEvent* e) { return RowsKey(e); };
  header_->enterCommitted = [this] { Work([this] { EnterInHeader(); }); };
  rows_->enterCommitted = [this] { Work([this] { EnterInRows(); }); };
  connect(header_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& now, const QModelIndex& before) { HeaderCellChanged(now, before); });
  connect(rows_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& now, const QModelIndex& before) { RowCellChanged(now, before); });
  resize(760, 560);
}

QPushButton* CdsDoklWindow::AddButton(const char* name, const char* text, const char* hint,
                                      std::function<void()> action) {
  auto* button = new QPushButton(QString::fromLatin1(text), this);
  button->setObjectName(QString::fromLatin1(name));
  button->setToolTip(QString::fromLatin1(hint));
  button->setAutoDefault(false);
  button->setFocusPolicy(Qt::NoFocus);
  connect(button, &QPushButton::clicked, this, [this, action = std::move(action)] {
    Work(action);
    RefreshAll();
  });
  buttons_.push_back(button);
  return button;
}

QPushButton* CdsDoklWindow::Button(const char* name) {
  for (QPushButton* b : buttons_) {
    if (b->objectName() == QString::fromLatin1(name)) return b;
  }
  return nullptr;
}

void CdsDoklWindow::Work(const std::function<void()>& work) {
  app_.Guard(work);
  Refresh();
}

void CdsDoklWindow::Run() {
  bool opened = false;
  app_.Guard([&] { opened = model_.Open(); });
  if (opened && !app_.Ended()) {
    setWindowTitle(FromCp(model_.Caption()));
    RefreshAll();
    GoToHeader(std::max(0, model_.IdCount() - 1));
    app_.ExecModal(*this);
  }
  app_.session().doklHandOver.Reset();
}

void CdsDoklWindow::RefreshAll() {
  headerModel_->Reload();
  rowsModel_->Reload();
  SizeColumns(header_, model_.HeaderView());
  SizeColumns(rows_, model_.ItemView());
  Refresh();
}

void CdsDoklWindow::Refresh() {
  headerModel_->Refresh();
  rowsModel_->Refresh();
  if (!model_.CodeLine().empty()) codeLine_->setText(FromCp(model_.CodeLine()));
  codeLine_->setStyleSheet(model_.CodeLineError() ? QStringLiteral("QLineEdit { color: red; font-weight: bold; }")
                                                  : QStringLiteral("QLineEdit { color: green; }"));
  const QModelIndex at = rows_->hasFocus() ? rows_->currentIndex() : header_->currentIndex();
  column_->setText(QStringLiteral("Sloupec: ") + FromCp(IntTextPadded(at.isValid() ? at.column() : 0, 4)));
  row_->setText(QStringLiteral("Radek: ") +
                FromCp(IntTextPadded(rows_->hasFocus() && at.isValid() ? at.row() + 1 : 0, 4)));
}

void CdsDoklWindow::GoToRow(int row, int col) {
  moving_ = true;
  rows_->setFocus();
  rows_->setCurrentIndex(rowsModel_->index(row, col));
  moving_ = false;
  Refresh();
}

void CdsDoklWindow::GoToHeader(int col) {
  moving_ = true;
  header_->setFocus();
  header_->setCurrentIndex(headerModel_->index(0, col));
  moving_ = false;
  Refresh();
}

void CdsDoklWindow::HeaderCellChanged(const QModelIndex& now, const QModelIndex& before) {
  if (moving_ || !before.isValid() || now == before) return;
  bool ok = true;
  app_.Guard([&] { ok = model_.LeaveHeaderCell(before.column(), true); });
  if (!ok) {
    moving_ = true;
    header_->setCurrentIndex(before);
    moving_ = false;
  }
  RefreshAll();
}

void CdsDoklWindow::RowCellChanged(const QModelIndex& now, const QModelIndex& before) {
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

void CdsDoklWindow::MoveNextRowCell() {
  QModelIndex at = rows_->currentIndex();
  int row = at.row(), col = at.column() + 1;
  if (col >= rowsModel_->columnCount()) {
    col = 1;
    row = std::min(row + 1, rowsModel_->rowCount() - 1);
  }
  GoToRow(row, col);
}

void CdsDoklWindow::EnterInRows() {
  const QModelIndex at = rows_->currentIndex();
  if (!at.isValid()) return;
  if (model_.LeaveItemCell(at.row(), at.column())) MoveNextRowCell();
  Refresh();
}

void CdsDoklWindow::EnterInHeader() {
  const QModelIndex at = header_->currentIndex();
  if (!at.isValid()) return;
  bool loaded = false;
  if (!model_.LeaveHeaderCell(at.column(), false, &loaded)) return;
  RefreshAll();
  if (loaded) {
    GoToRow(0, 1);
  } else if (at.column() + 1 < headerModel_->columnCount()) {
    GoToHeader(at.column() + 1);
  } else if (model_.EnterItems()) {
    GoToRow(0, 1);
  }
}

bool CdsDoklWindow::HeaderKey(QKeyEvent* event) {
  const bool ctrl = event->modifiers() & Qt::ControlModifier;
  const int key = event->key();
  const int col = header_->currentIndex().column();
  if ((key == Qt::Key_Tab && ctrl) || key == Qt::Key_Backtab) {
    Work([&] {
      if (model_.LeaveHeaderCell(col, true) && model_.EnterItems()) GoToRow(0, 1);
    });
    return true;
  }
  if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab) {
    Work([this] { EnterInHeader(); });
    return true;
  }
  if (ctrl && key == Qt::Key_F1) {
    Work([&] {
      const bool chosen = col == 0 ? model_.ChooseFromList() : model_.ChooseHeaderCode(col);
      RefreshAll();
      if (chosen && col == 0) GoToRow(0, 1);
    });
    return true;
  }
  if (ctrl && key == Qt::Key_P) {
    Work([&] { model_.LastDocument(); });
    RefreshAll();
    return true;
  }
  if (ctrl && key == Qt::Key_R) {
    Work([&] { model_.TakeItemsOf(); });
    RefreshAll();
    return true;
  }
  return false;
}

bool CdsDoklWindow::RowsKey(QKeyEvent* event) {
  const bool ctrl = event->modifiers() & Qt::ControlModifier;
  const int key = event->key();
  const QModelIndex at = rows_->currentIndex();
  if (!at.isValid()) return false;
  const int row = at.row(), col = at.column();
  if ((key == Qt::Key_Tab && ctrl) || key == Qt::Key_Backtab) {
    Work([&] {
      if (model_.LeaveItemCell(row, col)) GoToHeader(0);
    });
    return true;
  }
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    Work([this] { EnterInRows(); });
    return true;
  }
  if (ctrl && key == Qt::Key_C) {
    model_.Copy(row, col);
    return true;
  }
  if (ctrl && key == Qt::Key_V) {
    Work([&] { model_.Paste(row, col); });
    return true;
  }
  if (key == Qt::Key_F5) {
    Work([&] {
      if (model_.TakeCalculator(row, col)) MoveNextRowCell();
    });
    return true;
  }
  if (key == Qt::Key_F8) {
    Work([&] { model_.CopyRowAbove(row); });
    return true;
  }
  if (key == Qt::Key_F9) {
    Work([&] {
      if (model_.CopyCellAbove(row, col)) MoveNextRowCell();
    });
    return true;
  }
  if (ctrl && key == Qt::Key_F1) {
    Work([&] {
      if (model_.ChooseCode(row, col)) MoveNextRowCell();
    });
    return true;
  }
  if (key == Qt::Key_Insert) {
    Work([&] { model_.InsertRow(row); });
    return true;
  }
  if (ctrl && key == Qt::Key_Delete) {
    Work([&] { model_.DeleteRow(row); });
    return true;
  }
  return false;
}

void CdsDoklWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    reject();
    return;
  }
  QDialog::keyPressEvent(event);
}

void CdsDoklWindow::reject() {
  bool close = false;
  app_.Guard([&] { close = model_.Escape(); });
  if (close) {
    closing_ = true;
    done(QDialog::Rejected);
  }
}

void CdsDoklWindow::Finish() {
  const QModelIndex at = rows_->currentIndex();
  if (rows_->hasFocus() && at.isValid()) model_.LeaveItemCell(at.row(), at.column());
  if (model_.Close()) {
    closing_ = true;
    done(QDialog::Accepted);
  }
}

void CdsDoklWindow::closeEvent(QCloseEvent* event) {
  if (closing_ || app_.Ended()) {
    event->accept();
    return;
  }
  app_.Guard([&] { Finish(); });
  if (closing_) event->accept();
  else event->ignore();
}

}  // namespace orvo::gui
