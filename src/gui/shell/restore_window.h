// The restore window TUctObn over RestoreWindowModel: "  Mesicni obraty",
// "  Pocatecni mesicni stavy", "  Konec" and the help button. Created for
// one use from the menu and released when it closes.
#pragma once

#include <QDialog>

#include "core/shell/restore_window.h"

class QPushButton;
class QToolButton;

namespace orvo::gui {

class OrvoApp;

class RestoreWindow : public QDialog {
  Q_OBJECT
 public:
  RestoreWindow(OrvoApp& app, QWidget* parent);

  void Run();

  QPushButton* PostingsButton() { return postings_; }
  QPushButton* BalancesButton() { return balances_; }
  QPushButton* CloseButton() { return close_; }

 private:
  OrvoApp& app_;
  RestoreWindowModel model_;
  QPushButton* postings_;
  QPushButton* balances_;
  QPushButton* close_;
  QToolButton* help_;
};

}  // namespace orvo::gui
