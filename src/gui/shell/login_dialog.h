// The login dialog THesloG over LoginDialogModel: the name field, the
// password field that shows one "*" per typed character, Escape that ends
// the application, and the administrator's keys Ctrl+Alt+D and Ctrl+Alt+U
// with the marker-file list.
#pragma once

#include <QDialog>
#include <QLineEdit>

#include "core/shell/login_dialog.h"

class QListWidget;

namespace orvo::gui {

class OrvoApp;

class LoginDialog : public QDialog {
  Q_OBJECT
 public:
  explicit LoginDialog(OrvoApp& app);

  // Shows the dialog modally (inside a Guard: the end of the application is
  // thrown on).
  void Run();

  QLineEdit* NameField() { return name_; }
  QLineEdit* PasswordField() { return password_; }
  QListWidget* MarkerList() { return markers_; }
  LoginDialogModel& model() { return model_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void reject() override;

 private:
  void LeaveName();
  bool PasswordKey(QKeyEvent* key);
  void ShowMarkers();

  OrvoApp& app_;
  LoginDialogModel model_;
  QLineEdit* name_;
  QLineEdit* password_;
  QListWidget* markers_;
  bool nameLeft_ = false;
};

}  // namespace orvo::gui
