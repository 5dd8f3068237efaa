#include "gui/shell/restore_window.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

#include "gui/app/orvo_app.h"
#include "gui/desk/desk_host.h"
#include "gui/sys/qt_text.h"

namespace orvo::gui {

RestoreWindow::RestoreWindow(OrvoApp& app, QWidget* parent)
    : QDialog(parent), app_(app), model_(app.session()) {
  setObjectName(QStringLiteral("TUctObn"));
  setWindowTitle(FromCp(RestoreWindowModel::kCaption));
  setModal(true);
  auto* column = new QVBoxLayout(this);
  postings_ = new QPushButton(QStringLiteral("  Mesicni obraty"), this);
  postings_->setObjectName(QStringLiteral("PostingsButton"));
  balances_ = new QPushButton(QStringLiteral("  Pocatecni mesicni stavy"), this);
  balances_->setObjectName(QStringLiteral("BalancesButton"));
  close_ = new QPushButton(QStringLiteral("  Konec"), this);
  close_->setObjectName(QStringLiteral("CloseButton"));
  help_ = new QToolButton(this);
  help_->setObjectName(QStringLiteral("HelpButton"));
  help_->setText(QStringLiteral("?"));
  help_->setToolTip(QStringLiteral("Napoveda"));
  for (QPushButton* b : {postings_, balances_, close_}) {
    b->setAutoDefault(false);
    b->setStyleSheet(QStringLiteral("text-align: left; padding: 4px 12px;"));
    column->addWidget(b);
  }
  column->addWidget(help_, 0, Qt::AlignRight);
  connect(postings_, &QPushButton::clicked, this,
          [this] { app_.Guard([&] { model_.RestorePostings(); }); });
  connect(balances_, &QPushButton::clicked, this,
          [this] { app_.Guard([&] { model_.RestoreBalances(); }); });
  connect(close_, &QPushButton::clicked, this, [this] { accept(); });
  connect(help_, &QToolButton::clicked, this,
          [this] { app_.Guard([&] { app_.desk().ShowHelp(kRestoreHelpTopic); }); });
  setFixedWidth(300);
}

void RestoreWindow::Run() {
  model_.Show();
  adjustSize();
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect s = screen->availableGeometry();
    move(s.left() + (s.width() - width()) / 2 + 1, s.top() + (s.height() - height()) / 2 + 1);
  }
  app_.ExecModal(*this);
}

}  // namespace orvo::gui
