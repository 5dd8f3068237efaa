// The main window TUct: menu and tool bar from the menu table, the title
// bar, the organisation and period labels over the background picture, the
// keys Ctrl+Alt+A and Ctrl+Alt+H. It maps all of that onto MainWindowModel
// and opens the dialogs the items ask for.
#pragma once

#include <QMainWindow>
#include <QPixmap>

#include <map>
#include <string>
#include <vector>

#include "core/app/main_menu.h"
#include "core/app/main_window.h"

class QAction;
class QLabel;
class QMenu;

namespace orvo::gui {

class OrvoApp;

// The client area: the background picture stretched over it, the three
// organisation labels and the period label anchored bottom right.
class BackgroundPanel : public QWidget {
  Q_OBJECT
 public:
  explicit BackgroundPanel(QWidget* parent = nullptr);
  void SetPicture(const QPixmap& picture);
  QLabel* OrganisationLabel(int i) { return labels_[i]; }
  QLabel* PeriodLabel() { return period_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QPixmap picture_;
  QLabel* labels_[3];
  QLabel* period_;
};

// The built-in background picture.
QPixmap BuiltInBackground(QSize size);

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  // Runs the creation steps (ends the application by Termination).
  MainWindow(OrvoApp& app, const std::vector<std::string>& args);

  MainWindowModel& model() { return model_; }
  // The showing steps, then the window appears; the first activation
  // follows from the event loop.
  void Open();

  // The item of an action (menu or tool bar), for the tests and the key
  // bindings.
  QAction* ActionOf(MenuAction action) const;
  QMenu* MenuOf(std::string_view caption) const;
  QAction* LoginAgainAction() const { return loginAgain_; }
  QAction* RightsAction() const { return rights_; }
  QLabel* PeriodLabel() const;
  QLabel* OrganisationLabel(int i) const;
  bool FirstActivationDone() const { return firstActivationDone_; }

  // Carries out a menu or tool-bar item: its guard, then its action.
  void Act(MenuAction action);
  void EditDefinition(MenuAction action);

 protected:
  // Key preview: the main window sees the keys of its children first.
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenu();
  void BuildToolBar();
  void BuildTitleBar();
  void FirstActivation();
  void RefreshLabels();
  void LoginAgain();
  void AdministerRights();

  OrvoApp& app_;
  MainWindowModel model_;
  BackgroundPanel* panel_ = nullptr;
  std::map<MenuAction, QAction*> actions_;
  std::map<std::string, QMenu*> menus_;
  QAction* dosMenu_ = nullptr;
  QAction* loginAgain_ = nullptr;
  QAction* rights_ = nullptr;
  bool firstActivationQueued_ = false;
  bool firstActivationDone_ = false;
};

}  // namespace orvo::gui
