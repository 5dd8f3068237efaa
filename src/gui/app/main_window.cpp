#include "gui/app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QProxyStyle>
#include <QScreen>
#include <QTimer>
#include <QIcon>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/app/code_list_menu.h"
#include "core/sys/termination.h"
#include "gui/screens/cds_cis_window.h"
#include "gui/shell/login_dialog.h"
#include "core/accounting/tables.h"
#include "gui/accounting/auto_transfer_window.h"
#include "gui/accounting/month_close_window.h"
#include "gui/accounting/uct_dokl_window.h"
#include "gui/output/num_row_window.h"
#include "gui/reports/statement_window.h"
#include "gui/reports/calculation_window.h"
#include "gui/screens/cds_dokl_window.h"
#include "core/reports/calculation_quantities.h"
#include "core/app/statement_menu.h"
#include "gui/output/graphic_window.h"
#include "gui/output/ram_window.h"
#include "core/screens/report_hand_over.h"
#include "gui/screens/browser_window.h"
#include "gui/app/orvo_app.h"
#include "gui/shell/period_dialog.h"
#include "gui/sys/qt_text.h"
#include "gui/sys/qt_ui.h"
#include "gui/shell/range_dialog.h"
#include "gui/shell/restore_window.h"
#include "gui/shell/rights_dialog.h"
#include "core/reports/journal.h"
#include "gui/reports/development_window.h"
#include "gui/reports/ledger_window.h"
#include "gui/reports/overview_browser.h"
#include "gui/reports/saldo_window.h"
#include "gui/desk/desk_host.h"
#include "gui/desk/text_editor_window.h"
#include "core/app/desk_menu.h"

namespace orvo::gui {

namespace {

// Hints of the tool bar come after 100 ms and stay 5000 ms.
class HintStyle : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == QStyle::SH_ToolTip_WakeUpDelay) return 100;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

QStyle::StandardPixmap GlyphOf(MenuAction action) {
  switch (action) {
    case MenuAction::DataObraty:
      return QStyle::SP_FileDialogDetailedView;
    case MenuAction::NObdobi:
      return QStyle::SP_BrowserReload;
    case MenuAction::Datum:
      return QStyle::SP_FileDialogInfoView;
    case MenuAction::Cas:
      return QStyle::SP_MediaPlay;
    case MenuAction::Napoveda:
      return QStyle::SP_DialogHelpButton;
    default:
      return QStyle::SP_DialogCloseButton;
  }
}

// The desktop's icon for what the button does, when its theme has one.
const char* ThemeIconOf(MenuAction action) {
  switch (action) {
    case MenuAction::DataObraty: return "accessories-text-editor";
    case MenuAction::NObdobi: return "view-calendar-month";
    case MenuAction::Datum: return "x-office-calendar";
    case MenuAction::Cas: return "preferences-system-time";
    case MenuAction::Napoveda: return "help-contents";
    default: return "application-exit";
  }
}

}  // namespace

QPixmap BuiltInBackground(QSize size) {
  QPixmap pixmap(size.isEmpty() ? QSize(632, 450) : size);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, pixmap.height());
  sky.setColorAt(0.0, QColor(18, 52, 86));
  sky.setColorAt(1.0, QColor(20, 110, 120));
  p.fillRect(pixmap.rect(), sky);
  // A ledger's ruling, faint, and a rising line of balances.
  p.setPen(QPen(QColor(255, 255, 255, 28), 1));
  for (int y = 0; y < pixmap.height(); y += 24) p.drawLine(0, y, pixmap.width(), y);
  for (int x = pixmap.width() / 3; x < pixmap.width(); x += pixmap.width() / 6) {
    p.drawLine(x, 0, x, pixmap.height());
  }
  QPainterPath line;
  const int w = pixmap.width();
  const int h = pixmap.height();
  line.moveTo(0, h * 0.85);
  line.cubicTo(w * 0.3, h * 0.80, w * 0.45, h * 0.55, w * 0.65, h * 0.60);
  line.cubicTo(w * 0.8, h * 0.64, w * 0.9, h * 0.35, w, h * 0.30);
  p.setPen(QPen(QColor(120, 220, 160, 150), 3));
  p.drawPath(line);
  return pixmap;
}

BackgroundPanel::BackgroundPanel(QWidget* parent) : QWidget(parent) {
  QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  fixed.setPixelSize(16);
  fixed.setBold(true);
  const int tops[3] = {110, 140, 170};
  for (int i = 0; i < 3; ++i) {
    labels_[i] = new QLabel(this);
    labels_[i]->setFont(fixed);
    labels_[i]->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    labels_[i]->move(24, tops[i]);
  }
  period_ = new QLabel(this);
  QFont big = font();
  big.setPixelSize(22);
  big.setBold(true);
  period_->setFont(big);
  period_->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
}

void BackgroundPanel::SetPicture(const QPixmap& picture) {
  picture_ = picture;
  update();
}

void BackgroundPanel::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (picture_.isNull()) {
    p.drawPixmap(rect(), BuiltInBackground(size()));
  } else {
    p.drawPixmap(rect(), picture_);
  }
}

void BackgroundPanel::resizeEvent(QResizeEvent*) {
  for (QLabel* label : labels_) label->adjustSize();
  period_->adjustSize();
  period_->move(width() - period_->width() - 16, height() - period_->height() - 12);
}

MainWindow::MainWindow(OrvoApp& app, const std::vector<std::string>& args)
    : app_(app), model_(app.session()) {
  setObjectName(QStringLiteral("TUct"));
  model_.Create(args);
  setWindowTitle(FromCp(MainCaption(app_.ui().ScreenDpi())));
  resize(640, 538);
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect s = screen->availableGeometry();
    move(s.left() + (s.width() - 640) / 2 + 1, s.top() + (s.height() - 538) / 2 + 1);
  }
  BuildMenu();
  BuildToolBar();

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  setCentralWidget(central);
  BuildTitleBar();
  panel_ = new BackgroundPanel(central);
  layout->addWidget(panel_, 1);

  loginAgain_ = new QAction(this);
  loginAgain_->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_H));
  connect(loginAgain_, &QAction::triggered, this, [this] { LoginAgain(); });
  addAction(loginAgain_);
  rights_ = new QAction(this);
  rights_->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_A));
  connect(rights_, &QAction::triggered, this, [this] { AdministerRights(); });
  addAction(rights_);
  qApp->installEventFilter(this);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
  auto* widget = static_cast<QWidget*>(watched);
  if (widget->window() != this || QApplication::activeModalWidget() != nullptr) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  const auto mods = key->modifiers() & (Qt::ControlModifier | Qt::AltModifier |
                                        Qt::ShiftModifier | Qt::MetaModifier);
  if (mods != (Qt::ControlModifier | Qt::AltModifier)) return false;
  if (key->key() == Qt::Key_H) {
    loginAgain_->trigger();
    return true;
  }
  if (key->key() == Qt::Key_A) {
    rights_->trigger();
    return true;
  }
  return false;
}

void MainWindow::BuildMenu() {
  QMenu* stack[4] = {};
  for (const MenuEntry& e : MainMenu()) {
    const QString caption = FromCp(e.caption);
    if (e.action == MenuAction::None) {
      QMenu* menu = e.depth == 0 ? menuBar()->addMenu(caption) : stack[e.depth - 1]->addMenu(caption);
      stack[e.depth] = menu;
      menus_[std::string(e.caption)] = menu;
      if (e.depth == 0 && e.caption == kDosMenu) {
        dosMenu_ = menu->menuAction();
        // Decided at the first activation.
        dosMenu_->setVisible(false);
      }
      continue;
    }
    QAction* action = e.depth == 0 ? menuBar()->addAction(caption)
                                   : stack[e.depth - 1]->addAction(caption);
    action->setObjectName(FromCp(e.handler));
    const MenuAction which = e.action;
    connect(action, &QAction::triggered, this, [this, which] { Act(which); });
    actions_[which] = action;
  }
}

void MainWindow::BuildToolBar() {
  QToolBar* bar = addToolBar(QStringLiteral("Orvo"));
  bar->setObjectName(QStringLiteral("ToolBar"));
  bar->setMovable(false);
  bar->setFixedHeight(30);
  bar->setIconSize(QSize(19, 19));
  auto* hintStyle = new HintStyle;
  hintStyle->setParent(bar);
  for (const ToolButton& b : MainToolBar()) {
    QIcon icon = QIcon::fromTheme(QString::fromLatin1(ThemeIconOf(b.action)),
                                  style()->standardIcon(GlyphOf(b.action)));
    QAction* action = bar->addAction(icon, FromCp(b.hint));
    action->setToolTip(FromCp(b.hint));
    const MenuAction which = b.action;
    connect(action, &QAction::triggered, this, [this, which] { Act(which); });
    if (QWidget* button = bar->widgetForAction(action)) {
      button->setFixedSize(25, 25);
      button->setToolTipDuration(5000);
      button->setStyle(hintStyle);
    }
  }
}

void MainWindow::BuildTitleBar() {
  auto* title = new QWidget(centralWidget());
  title->setObjectName(QStringLiteral("TitleBar"));
  title->setFixedHeight(30);
  auto* row = new QHBoxLayout(title);
  row->setContentsMargins(6, 0, 6, 0);
  auto* win = new QLabel(QStringLiteral("WIN 32"), title);
  win->setObjectName(QStringLiteral("Win32Label"));
  QFont small = win->font();
  small.setPointSize(std::max(6, small.pointSize() - 2));
  small.setBold(true);
  win->setFont(small);
  auto* name = new QLabel(QStringLiteral("Financni ucetnictvi"), title);
  name->setObjectName(QStringLiteral("TitleLabel"));
  QFont big = name->font();
  big.setPointSize(big.pointSize() + 4);
  big.setBold(true);
  name->setFont(big);
  name->setStyleSheet(QStringLiteral("color: #008000;"));
  row->addWidget(win);
  row->addStretch(1);
  row->addWidget(name);
  row->addStretch(1);
  static_cast<QVBoxLayout*>(centralWidget()->layout())->addWidget(title);
}

void MainWindow::Open() {
  model_.Show();
  QPixmap picture;
  if (std::string name = model_.BackgroundPicture(); !name.empty()) {
    if (auto host = app_.fs().HostPath(name)) picture.load(QString::fromStdString(*host));
  }
  panel_->SetPicture(picture);
  RefreshLabels();
  // The period dialogs stand at their places beside the main window.
  app_.periodDialog()->move(x() + 390, y() + 130);
  app_.rangeDialog()->move(x() + 290, y() + 120);
  show();
  setFocus();
}

void MainWindow::RefreshLabels() {
  panel_->OrganisationLabel(0)->setText(FromCp(model_.PlantLabel()));
  panel_->OrganisationLabel(1)->setText(FromCp(model_.AdminUnitLabel()));
  panel_->OrganisationLabel(2)->setText(FromCp(model_.CostCentreLabel()));
  panel_->PeriodLabel()->setText(FromCp(model_.PeriodLabel()));
  QResizeEvent relayout(panel_->size(), panel_->size());
  QApplication::sendEvent(panel_, &relayout);
}

QAction* MainWindow::ActionOf(MenuAction action) const {
  auto it = actions_.find(action);
  return it == actions_.end() ? nullptr : it->second;
}

QMenu* MainWindow::MenuOf(std::string_view caption) const {
  auto it = menus_.find(std::string(caption));
  return it == menus_.end() ? nullptr : it->second;
}

QLabel* MainWindow::PeriodLabel() const { return panel_->PeriodLabel(); }

QLabel* MainWindow::OrganisationLabel(int i) const { return panel_->OrganisationLabel(i); }

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!firstActivationQueued_ && model_.FirstActivationPending()) {
    firstActivationQueued_ = true;
    QTimer::singleShot(0, this, [this] { FirstActivation(); });
  }
}

void MainWindow::FirstActivation() {
  app_.Guard([&] {
    if (!model_.FirstActivationPending()) return;
    app_.ui().ProcessEvents();
    app_.loginDialog()->Run();
    model_.AfterLogin();
    if (dosMenu_ != nullptr) dosMenu_->setVisible(model_.DosMenuVisible());
    firstActivationDone_ = true;
  });
}

void MainWindow::LoginAgain() {
  // The "Dos" menu keeps the visibility decided at the first activation.
  app_.Guard([&] { app_.loginDialog()->Run(); });
}

void MainWindow::AdministerRights() {
  app_.Guard([&] { app_.rightsDialog()->Run(); });
}

void MainWindow::Act(MenuAction action) {
  app_.Guard([&] {
    if (!model_.Allowed(action)) return;
    switch (action) {
      case MenuAction::NObdobi:
        app_.periodDialog()->Run();
        RefreshLabels();
        break;
      case MenuAction::TabObratyOdDo: {
        app_.rangeDialog()->Run();
        const RangeDialogModel& range = app_.rangeDialog()->model();
        if (range.RangeCancelled) break;
        ShowTable(app_.session(), app_.session().engine, BooksTable::ObratyOdDo, range.RangeFrom,
                  range.RangeTo);
        break;
      }
      case MenuAction::DataStavy: {
        Session& session = app_.session();
        DataStavy(session, session.engine, session.scrHandOver, [&] {
          BrowserWindow browser(session.env, session.browser, session.office, app_.BrowserHooksFor(this), this);
          browser.Show();
        });
        break;
      }
      case MenuAction::DataObraty: {
        UctDoklWindow window(app_, this);
        window.Run();
        break;
      }
      case MenuAction::UzavMes: {
        if (!ConfirmMonthClose(app_.session())) break;
        MonthCloseWindow window(app_, this);
        window.Run([this](const std::string&) { RefreshLabels(); });
        RefreshLabels();
        break;
      }
      case MenuAction::VykVysl:
      case MenuAction::VykRozv:
      case MenuAction::VykVol: {
        StatementWindow window(app_, StatementDefinitionOf(app_.session(), action), this);
        window.Run();
        break;
      }
      case MenuAction::PrehUctDenik: {
        Session& session = app_.session();
        PrehUctDenik(session, session.engine, session.scrHandOver, OverviewBrowserPort(app_, this));
        break;
      }
      case MenuAction::PrehHlKniha: {
        LedgerWindow window(app_, this);
        window.Run();
        break;
      }
      case MenuAction::VyvojStUc:
      case MenuAction::VyvojStCn: {
        DevelopmentWindow window(app_, action == MenuAction::VyvojStUc ? DevelopmentKind::Accounts
                                                                      : DevelopmentKind::Activities, this);
        window.Run();
        break;
      }
      case MenuAction::SaldoKonto: {
        SaldoWindow window(app_, this);
        window.Run();
        break;
      }
      case MenuAction::Kalkulace: {
        CalculationWindow window(app_, this);
        window.Run();
        break;
      }
      case MenuAction::DataKalk: {
        Session& session = app_.session();
        DataKalk(session, session.doklHandOver, [&] {
          CdsDoklWindow window(app_, this);
          window.Run();
        });
        break;
      }
      case MenuAction::AutPrev: {
        AutoTransferWindow window(app_, this);
        window.Run();
        break;
      }
      case MenuAction::ObnovaDat: {
        RestoreWindow window(app_, this);
        window.Run();
        break;
      }
      case MenuAction::DefInic:
      case MenuAction::DefVysl:
      case MenuAction::DefRozv:
        EditDefinition(action);
        break;
      case MenuAction::Datum:
        app_.desk().Show(DeskTool::Calendar);
        break;
      case MenuAction::Cas:
        app_.desk().Show(DeskTool::Clock);
        break;
      case MenuAction::ProgClose:
        close();
        break;
      default:
        model_.Perform(action);
        break;
    }
  });
}

void MainWindow::EditDefinition(MenuAction action) {
  // A definition file gets an editor of its own: the help keeps its window.
  Session& session = app_.session();
  TVEText model(session.env, session.office);
  PrepareDefinitionEditor(session, action, model);
  TextEditorWindow window(session.env, model, this);
  window.showCalculator = [this] { app_.desk().Show(DeskTool::Calculator); };
  if (window.Open()) app_.ExecModal(window);
  AfterDefinitionEditor(session, action);
  RefreshLabels();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (app_.Ended()) {
    event->accept();
    return;
  }
  bool mayClose = false;
  app_.Guard([&] { mayClose = model_.CloseQuery(); });
  if (app_.Ended()) {
    event->accept();
    return;
  }
  if (!mayClose) {
    event->ignore();
    return;
  }
  event->accept();
  app_.MainWindowClosed();
}

}  // namespace orvo::gui
