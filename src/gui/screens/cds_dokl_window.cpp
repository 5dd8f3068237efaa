#include "gui/screens/cds_dokl_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "core/app/session.h"
#include "core/sys/numbers.h"
#include "gui/app/orvo_app.h"
#include "gui/output/num_row_window.h"
#include "gui/screens/browser_window.h"
#include "gui/screens/grid_table_model.h"
#include "gui/sys/named_buttons.h"
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
    session.scrHandOver.ScrToolDir = session.doklHandOver.DoklToolDir;
    BrowserWindow browser(session.env, session.browser, session.office, app_.BrowserHooksFor(this), this);
    browser.Show();
  };

  auto* layout = new QVBoxLayout(this);
  codeLine_ = new QLineEdit(this);
  codeLine_->setObjectName(QStringLiteral("CodeLine"));
  codeLine_->setReadOnly(true);
  codeLine_->setFocusPolicy(Qt::NoFocus);
  layout->addWidget(codeLine_);
  header_ = new DoklTableView(this);
  header_->setObjectName(QStringLiteral("HeaderGrid"));
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
  row_ = new QLabel(this);
  info->addWidget(column_);
  info->addWidget(row_);
  info->addStretch();
  layout->addLayout(info);

  auto* bar = new QHBoxLayout();
  bar->addWidget(AddButton("Konec", "  Konec", "Konec", [this] { Finish(); }));
  bar->addWidget(AddButton("Uloz", "Ulozit", "Ulozenie dokladu", [this] { model_.Save(); }));
  bar->addWidget(AddButton("Zrus", "Zrusit", "Zrusenie dokladu", [this] { model_.Delete(); }));
  bar->addWidget(AddButton("Novy", "Novy", "Otvorit novy doklad", [this] {
    if (model_.NewDocument()) GoToHeader(0);
  }));
  bar->addWidget(AddButton("Seznam", "Seznam", "Vybrat sesit zo seznamu", [this] {
    if (model_.ChooseFromList()) GoToItem(0, 1);
  }));
  bar->addWidget(AddButton("Polozka", "Polozka", "Vybrat sesit podle vyhledane polozky", [this] {
    const int row = model_.ChooseByItem();
    if (row >= 0) GoToItem(row, 1);
  }));
  bar->addWidget(AddButton("Predesly", "<", "Doklad predesly", [this] { model_.Neighbour('-'); }));
  bar->addWidget(AddButton("Dalsi", ">", "Doklad nasledujici", [this] { model_.Neighbour('+'); }));
  bar->addWidget(AddButton("Tisk", "Tisk", "Zobrazenie a tlac dokladov", [this] { model_.Print(); }));
  bar->addWidget(AddButton("Tabulka", "Tab.", "Zobrazenie a tlac dokladov v rezime tabulky",
                           [this] { model_.ShowDocumentTable(); }));
  bar->addWidget(AddButton("Soubor", "Soubor", "Zobrazeni tisk celeho souboru", [this] { model_.ShowWholeFile(); }));
  bar->addWidget(AddButton("Nastroj", "Prohl.", "Operace s tabulkou pro cely soubor", [this] { model_.RunTool(); }));
  bar->addWidget(AddButton("AritVyraz", "=", "Vypocet hodnoty aritmetickeho vyrazu",
                           [this] { model_.Desk(DeskTool::Expression); }));
  bar->addWidget(AddButton("Kalkulacka", "Kalk.", "Kalkulacka", [this] { model_.Desk(DeskTool::Calculator); }));
  bar->addWidget(AddButton("Cas", "Hod.", "Hodiny", [this] { model_.Desk(DeskTool::Clock); }));
  bar->addWidget(AddButton("Datum", "Kal.", "Kalendar", [this] { model_.Desk(DeskTool::Calendar); }));
  layout->addLayout(bar);

  items_ = new DoklTableView(this);
  items_->setObjectName(QStringLiteral("ItemGrid"));
  itemModel_ = new GridTableModel(model_.ItemView(), this);
  itemModel_->guard = [this](const std::function<void()>& work) { app_.Guard(work); };
  items_->setModel(itemModel_);
  items_->verticalHeader()->hide();
  items_->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                          QAbstractItemView::EditKeyPressed);
  layout->addWidget(items_, 1);

  header_->keyHook = [this](QKeyEvent* e) { return HeaderKey(e); };
  items_->keyHook = [this](QKeyEvent* e) { return ItemKey(e); };
  header_->enterCommitted = [this] { Act([this] { EnterInHeader(false); }); };
  items_->enterCommitted = [this] { Act([this] { EnterInItems(); }); };
  connect(items_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& now, const QModelIndex& before) {
            if (!moving_ && before.isValid() && now != before) {
              bool ok = true;
              app_.Guard([&] { ok = model_.LeaveItemCell(before.row(), before.column()); });
              if (!ok) {
                moving_ = true;
                items_->setCurrentIndex(before);
                moving_ = false;
              }
            }
            Refresh();
          });
  resize(800, 484);
}

QPushButton* CdsDoklWindow::AddButton(const char* name, const char* text, const char* hint,
                                      std::function<void()> action) {
  QPushButton* button = MakeNamedButton(this, name, text, hint, [this, action = std::move(action)] {
    Act(action);
    RefreshAll();
  });
  buttons_.push_back(button);
  return button;
}

QPushButton* CdsDoklWindow::Button(const char* name) { return FindNamedButton(buttons_, name); }

void CdsDoklWindow::Act(const std::function<void()>& work) {
  app_.Guard(work);
  Refresh();
}

void CdsDoklWindow::Run() {
  bool opened = false;
  app_.Guard([&] { opened = model_.Open(); });
  if (!opened || app_.Ended()) return;
  setWindowTitle(FromCp(model_.Caption()));
  RefreshAll();
  // As wide as the grids, within the screen, 40 pixels from its right edge.
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    int gridWidth = 20;
    for (int c = 0; c < itemModel_->columnCount(); ++c) gridWidth += items_->columnWidth(c);
    int headerWidth = 212;
    for (int c = 0; c < headerModel_->columnCount(); ++c) headerWidth += header_->columnWidth(c);
    resize(std::clamp(std::max(headerWidth, gridWidth), 800, std::max(800, area.width() - 40)), height());
    move(area.right() - 40 - width(), std::max(area.top(), area.bottom() - 40 - height()));
  }
  GoToHeader(0);
  app_.ExecModal(*this);
}

void CdsDoklWindow::RefreshAll() {
  headerModel_->Reload();
  itemModel_->Reload();
  SizeColumns(header_, model_.HeaderView());
  SizeColumns(items_, model_.ItemView());
  Refresh();
}

void CdsDoklWindow::Refresh() {
  headerModel_->Refresh();
  itemModel_->Refresh();
  codeLine_->setText(FromCp(model_.CodeLine()));
  codeLine_->setStyleSheet(model_.CodeLineError() ? QStringLiteral("QLineEdit { color: red; font-weight: bold; }")
                                                  : QStringLiteral("QLineEdit { color: green; }"));
  const QModelIndex at = items_->currentIndex();
  column_->setText(QStringLiteral("Sloupec: ") + FromCp(IntTextPadded(at.isValid() ? at.column() : 0, 4)));
  row_->setText(QStringLiteral("Radek: ") + FromCp(IntTextPadded(at.isValid() ? at.row() + 1 : 0, 4)));
}

void CdsDoklWindow::GoToItem(int row, int col) {
  moving_ = true;
  items_->setFocus();
  items_->setCurrentIndex(itemModel_->index(row, col));
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

void CdsDoklWindow::EnterInHeader(bool byTab) {
  const QModelIndex at = header_->currentIndex();
  if (!at.isValid()) return;
  bool loaded = false;
  if (!model_.LeaveHeaderCell(at.column(), byTab, &loaded)) return;
  if (loaded) {
    RefreshAll();
    GoToItem(0, 1);
  } else if (at.column() + 1 < model_.Grid().HeaderCount()) {
    GoToHeader(at.column() + 1);
  } else if (model_.EnterItems()) {
    GoToItem(0, 1);
  }
}

void CdsDoklWindow::MoveNext() {
  const QModelIndex at = items_->currentIndex();
  int row = at.row(), col = at.column() + 1;
  if (col >= model_.Grid().ItemCount()) {
    col = 1;
    row = std::min(row + 1, model_.Grid().RowCount() - 1);
  }
  GoToItem(row, col);
}

void CdsDoklWindow::EnterInItems() {
  const QModelIndex at = items_->currentIndex();
  if (at.isValid() && model_.LeaveItemCell(at.row(), at.column())) MoveNext();
}

bool CdsDoklWindow::HeaderKey(QKeyEvent* event) {
  const bool ctrl = event->modifiers() & Qt::ControlModifier;
  const int key = event->key();
  const int col = header_->currentIndex().column();
  if (key == Qt::Key_Tab && ctrl) {
    Act([this] {
      if (model_.EnterItems()) GoToItem(0, 1);
    });
    return true;
  }
  if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab) {
    Act([this, key] { EnterInHeader(key == Qt::Key_Tab); });
    return true;
  }
  if (ctrl && key == Qt::Key_F1) {
    Act([this, col] {
      if (col == 0 ? model_.ChooseFromList() : model_.ChooseHeaderCode(col)) RefreshAll();
    });
    return true;
  }
  if (ctrl && key == Qt::Key_P) {
    Act([this] { model_.LastDocument(); });
    return true;
  }
  if (ctrl && key == Qt::Key_R) {
    Act([this] { model_.TakeItemsOf(); });
    return true;
  }
  return false;
}

bool CdsDoklWindow::ItemKey(QKeyEvent* event) {
  const bool ctrl = event->modifiers() & Qt::ControlModifier;
  const bool shift = event->modifiers() & Qt::ShiftModifier;
  const int key = event->key();
  const QModelIndex at = items_->currentIndex();
  if (!at.isValid()) return false;
  const int row = at.row(), col = at.column();
  auto act = [&](const std::function<void()>& work) {
    Act(work);
    return true;
  };
  if (key == Qt::Key_Tab && ctrl) return act([this] { GoToHeader(0); });
  if (key == Qt::Key_Return || key == Qt::Key_Enter) return act([this] { EnterInItems(); });
  if (ctrl && key == Qt::Key_C) return act([&] { model_.Copy(row, col); });
  if (ctrl && key == Qt::Key_V) return act([&] { model_.Paste(row, col); });
  if (key == Qt::Key_F3) {
    return act([&] {
      bool ok = false;
      const QString text = QInputDialog::getText(this, QString(), QStringLiteral("Zadaj hladany udaj"),
                                                 QLineEdit::Normal, QString(), &ok);
      if (!ok) return;
      const int found = model_.Search(row, col, ToCp(text));
      if (found >= 0) GoToItem(found, col);
    });
  }
  if (key == Qt::Key_F5) return act([&] {
      if (model_.TakeCalculator(row, col)) MoveNext();
    });
  if (key == Qt::Key_F8) return act([&] { model_.CopyRowAbove(row); });
  if (key == Qt::Key_F9) return act([&] {
      if (model_.CopyCellAbove(row, col)) MoveNext();
    });
  if (ctrl && key == Qt::Key_PageDown) return act([&] {
      const int empty = model_.FirstEmptyRow();
      if (empty >= 0) GoToItem(empty, 1);
    });
  if (ctrl && key == Qt::Key_F1) return act([&] {
      if (model_.ChooseCode(row, col)) MoveNext();
    });
  if (key == Qt::Key_F2 && (ctrl || shift)) return act([&] { model_.CopyToOwnFile(shift); });
  if (key == Qt::Key_Insert) return act([&] { model_.InsertRow(row); });
  if (ctrl && key == Qt::Key_Delete) return act([&] { model_.DeleteRow(row); });
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
  const QModelIndex at = items_->currentIndex();
  if (items_->hasFocus() && at.isValid() && !model_.LeaveItemCell(at.row(), at.column())) return;
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
