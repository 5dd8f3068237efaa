#include "gui/shell/login_dialog.h"

#include <QFocusEvent>
#include <QFormLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QScreen>

#include "core/sys/encoding.h"
#include "gui/app/orvo_app.h"
#include "gui/shell/rights_dialog.h"
#include "gui/sys/qt_text.h"

namespace orvo::gui {

namespace {

bool IsEnter(const QKeyEvent* key) {
  return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

bool CtrlAlt(const QKeyEvent* key) {
  const auto mods = key->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
  return mods == (Qt::ControlModifier | Qt::AltModifier);
}

// Focus that comes and goes with the window (a message box on top) is not
// the user moving between the fields.
bool UserMove(const QFocusEvent* focus) {
  return focus->reason() != Qt::ActiveWindowFocusReason && focus->reason() != Qt::PopupFocusReason;
}

}  // namespace

LoginDialog::LoginDialog(OrvoApp& app) : QDialog(nullptr), app_(app), model_(app.session()) {
  setObjectName(QStringLiteral("THesloG"));
  setWindowTitle(FromCp(LoginDialogModel::kCaption));
  setModal(true);
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  auto* form = new QFormLayout(this);
  name_ = new QLineEdit(this);
  name_->setObjectName(QStringLiteral("NameField"));
  password_ = new QLineEdit(this);
  password_->setObjectName(QStringLiteral("PasswordField"));
  // The field only shows the stars of the model; nothing may be typed,
  // pasted or dropped into it past the model.
  password_->setContextMenuPolicy(Qt::NoContextMenu);
  password_->setAcceptDrops(false);
  form->addRow(QStringLiteral("Jmeno uzivatele"), name_);
  form->addRow(QStringLiteral("Heslo"), password_);
  name_->installEventFilter(this);
  password_->installEventFilter(this);
  markers_ = new QListWidget(this);
  markers_->setObjectName(QStringLiteral("MarkerList"));
  markers_->hide();
  markers_->installEventFilter(this);
  setFixedSize(320, 110);
}

void LoginDialog::Run() {
  model_.Show();
  markers_->hide();
  name_->setText(FromCp(model_.NameField()));
  password_->setText(FromCp(model_.PasswordField()));
  nameLeft_ = false;
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
  name_->selectAll();
  name_->setFocus();
  app_.ExecModal(*this);
  // The administrator still on the password every installation starts
  // with has been told so; the administration opens for the change.
  if (model_.DefaultPasswordInUse()) app_.rightsDialog()->Run();
}

void LoginDialog::LeaveName() {
  if (nameLeft_) return;
  nameLeft_ = true;
  model_.SetNameField(ToCp(name_->text()));
  bool closed = model_.NameLeave();
  name_->setText(FromCp(model_.NameField()));
  password_->setText(FromCp(model_.PasswordField()));
  if (closed) {
    accept();
    return;
  }
  password_->setFocus(Qt::OtherFocusReason);
}

bool LoginDialog::PasswordKey(QKeyEvent* key) {
  if (CtrlAlt(key) && key->key() == Qt::Key_D) {
    model_.DropAccessFile();
  }
  if (CtrlAlt(key) && key->key() == Qt::Key_U) {
    ShowMarkers();
    return true;
  }
  if (IsEnter(key)) {
    model_.PasswordEnter();
    password_->setText(FromCp(model_.PasswordField()));
    accept();
    return true;
  }
  if (key->key() == Qt::Key_Escape) model_.Escape();
  if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) return false;
  if (key->key() == Qt::Key_Backspace) {
    model_.Backspace();
  } else if (!(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) &&
             !key->text().isEmpty()) {
    for (char c : ToCp(key->text())) model_.TypeChar(c);
  } else {
    return false;
  }
  password_->setText(FromCp(model_.PasswordField()));
  return true;
}

void LoginDialog::ShowMarkers() {
  std::vector<std::string> names = model_.ListMarkers();
  markers_->clear();
  for (const std::string& n : names) markers_->addItem(FromCp(n));
  markers_->setGeometry(0, 0, 100, std::max(20, height() - 45));
  markers_->show();
  markers_->raise();
  markers_->setCurrentRow(0);
  markers_->setFocus();
}

bool LoginDialog::eventFilter(QObject* watched, QEvent* event) {
  bool handled = false;
  app_.Guard([&] {
    if (watched == name_) {
      if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (IsEnter(key)) {
          LeaveName();
          handled = true;
        } else if (key->key() == Qt::Key_Escape) {
          model_.Escape();
        }
      } else if (event->type() == QEvent::FocusIn) {
        if (UserMove(static_cast<QFocusEvent*>(event))) nameLeft_ = false;
      } else if (event->type() == QEvent::FocusOut) {
        if (UserMove(static_cast<QFocusEvent*>(event)) && isVisible()) LeaveName();
      }
    } else if (watched == password_) {
      if (event->type() == QEvent::KeyPress) {
        handled = PasswordKey(static_cast<QKeyEvent*>(event));
      } else if (event->type() == QEvent::FocusIn &&
                 UserMove(static_cast<QFocusEvent*>(event)) && !nameLeft_) {
        model_.PasswordFocus();
        password_->setText(FromCp(model_.PasswordField()));
      }
    } else if (watched == markers_ && event->type() == QEvent::KeyPress) {
      auto* key = static_cast<QKeyEvent*>(event);
      if (IsEnter(key) && markers_->currentItem() != nullptr) {
        model_.EraseMarker(ToCp(markers_->currentItem()->text()));
      }
    }
  });
  return handled || app_.Ended() || QDialog::eventFilter(watched, event);
}

void LoginDialog::reject() {
  // Escape, and closing the dialog any other way, ends the application.
  app_.Guard([&] { model_.Escape(); });
}

}  // namespace orvo::gui
