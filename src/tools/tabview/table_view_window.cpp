#include "tools/tabview/table_view_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QTableView>
#include <QVBoxLayout>

#include <set>

#include "core/sys/messages.h"
#include "core/sys/termination.h"
#include "gui/sys/qt_text.h"

namespace orvo::gui {

TableViewWindow::TableViewWindow(Env& env, ViewerTable& table) : env_(env), table_(table) {
  setObjectName(QStringLiteral("TabView"));
  const ViewerRequest& request = table.Request();
  QString title = FromCp(request.title);
  if (title.isEmpty()) title = FromCp(request.dataFile);
  setWindowTitle(title);

  auto* central = new QWidget(this);
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(4, 4, 4, 4);
  heading_ = new QLabel(FromCp(request.heading), central);
  heading_->setObjectName(QStringLiteral("Heading"));
  QFont bold = heading_->font();
  bold.setBold(true);
  heading_->setFont(bold);
  heading_->setVisible(!request.heading.empty());
  column->addWidget(heading_);

  model_ = new GridTableModel(table, this);
  model_->guard = [this](const std::function<void()>& work) { Guard(work); };
  model_->sortRows = [this](int col, bool ascending) { table_.Sort(col, ascending); };
  view_ = new QTableView(central);
  view_->setObjectName(QStringLiteral("Table"));
  view_->setModel(model_);
  view_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  view_->setSortingEnabled(true);
  view_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
  view_->horizontalHeader()->setSortIndicatorShown(true);
  view_->verticalHeader()->setDefaultSectionSize(QFontMetrics(view_->font()).height() + 4);
  view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  if (request.viewOnly) view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  const QFontMetrics fm(view_->font());
  for (int c = 0; c < table.ColumnCount(); ++c) {
    int chars = std::max(table.ColumnChars(c), static_cast<int>(table.ColumnTitle(c).size()));
    view_->setColumnWidth(c, fm.horizontalAdvance(QLatin1Char('0')) * std::min(chars, 60) + 16);
  }
  column->addWidget(view_, 1);
  setCentralWidget(central);

  QMenu* file = menuBar()->addMenu(QStringLiteral("Soubor"));
  QAction* csv = file->addAction(QStringLiteral("Ulozit jako CSV..."), this, [this] { Guard([&] { AskSaveCsv(); }); });
  csv->setShortcut(QKeySequence::Save);
  if (!request.viewOnly) {
    file->addAction(QStringLiteral("Ulozit zmeny"), this, [this] { Guard([&] { table_.Save(); }); })
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  }
  file->addSeparator();
  file->addAction(QStringLiteral("Konec"), this, [this] { close(); })
      ->setShortcut(QKeySequence(Qt::Key_Escape));
  QMenu* edit = menuBar()->addMenu(QStringLiteral("Upravy"));
  edit->addAction(QStringLiteral("Kopirovat"), this, [this] { Guard([&] { CopySelection(); }); })
      ->setShortcut(QKeySequence::Copy);
  edit->addAction(QStringLiteral("Hledat..."), this, [this] { Guard([&] { AskFind(); }); })
      ->setShortcut(QKeySequence::Find);
  edit->addAction(QStringLiteral("Hledat dalsi"), this, [this] { Guard([&] { FindNext(); }); })
      ->setShortcut(QKeySequence::FindNext);
  edit->addAction(QStringLiteral("Puvodni poradi"), this, [this] {
    view_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    model_->sort(-1, Qt::AscendingOrder);
  });

  statusBar()->showMessage(QStringLiteral("Radku: %1    %2")
                               .arg(table.RowCount())
                               .arg(request.viewOnly ? QStringLiteral("Zobrazeni")
                                                     : QStringLiteral("Oprava")));
  resize(900, 600);
}

void TableViewWindow::Guard(const std::function<void()>& work) {
  try {
    work();
  } catch (const Termination&) {
    table_.Discard();
    close();
    QCoreApplication::exit(1);
  } catch (const std::exception& e) {
    ErrorBox(env_, std::string("Neocekavana chyba: ") + e.what(), "TabView");
  }
}

void TableViewWindow::AskFind() {
  bool ok = false;
  QString text = QInputDialog::getText(this, QStringLiteral("Hledat"),
                                       QStringLiteral("Hledany text:"), QLineEdit::Normal,
                                       lastFind_, &ok);
  if (ok) FindText(text);
}

void TableViewWindow::FindText(const QString& text) {
  lastFind_ = text;
  FindNext();
}

void TableViewWindow::FindNext() {
  if (lastFind_.isEmpty()) return;
  QModelIndex at = view_->currentIndex();
  auto [row, col] = table_.Find(ToCp(lastFind_), at.isValid() ? at.row() : -1,
                                at.isValid() ? at.column() : -1);
  if (row < 0) {
    statusBar()->showMessage(QStringLiteral("Text nenalezen: ") + lastFind_);
    return;
  }
  QModelIndex found = model_->index(row, col);
  view_->setCurrentIndex(found);
  view_->scrollTo(found);
}

void TableViewWindow::CopySelection() {
  QModelIndexList selected = view_->selectionModel()->selectedIndexes();
  if (selected.isEmpty() && view_->currentIndex().isValid()) selected << view_->currentIndex();
  if (selected.isEmpty()) return;
  std::set<int> rows;
  std::set<int> cols;
  for (const QModelIndex& i : selected) {
    rows.insert(i.row());
    cols.insert(i.column());
  }
  std::string text = table_.CopyText(std::vector<int>(rows.begin(), rows.end()),
                                     std::vector<int>(cols.begin(), cols.end()));
  QApplication::clipboard()->setText(FromCp(text));
}

bool TableViewWindow::SaveCsvAs(const QString& hostPath) {
  auto logical = env_.fs.Drives().LogicalPathOf(hostPath.toStdString());
  if (!logical) {
    std::string dir = hostPath.toStdString();
    dir = dir.substr(0, dir.rfind('/'));
    if (env_.fs.Drives().MapFreeLetter(dir.empty() ? "/" : dir) == '\0') return false;
    logical = env_.fs.Drives().LogicalPathOf(hostPath.toStdString());
  }
  return logical && table_.SaveCsv(*logical);
}

void TableViewWindow::AskSaveCsv() {
  QString host;
  if (auto h = env_.fs.HostPath(table_.Request().dataFile)) host = QString::fromStdString(*h);
  if (host.endsWith(QStringLiteral(".Cds"), Qt::CaseInsensitive)) host.chop(4);
  QString name = QFileDialog::getSaveFileName(this, QStringLiteral("Ulozit jako CSV"),
                                              host + QStringLiteral(".csv"),
                                              QStringLiteral("CSV (*.csv)"), nullptr,
                                              QFileDialog::DontUseNativeDialog);
  if (!name.isEmpty()) SaveCsvAs(name);
}

void TableViewWindow::closeEvent(QCloseEvent* event) {
  bool mayClose = true;
  Guard([&] { mayClose = MayClose(); });
  if (mayClose) {
    event->accept();
  } else {
    event->ignore();
  }
}

bool TableViewWindow::MayClose() {
  if (table_.Modified()) {
    switch (env_.ui.Ask(MessageKind::YesNoCancel, "Ulozit zmeny ?", "TabView")) {
      case Answer::Yes:
        return table_.Save();
      case Answer::No:
        return true;
      case Answer::Cancel:
        return false;
    }
  }
  return true;
}

}  // namespace orvo::gui
