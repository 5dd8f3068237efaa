// The grid data entry window TCdsDokl ("Nahravani dat  " + date) over the
// session's model `gridEntry`: the code-list line, the header grid, the
// "Sloupec:" and "Radek:" counters, the buttons and the item grid. The
// caller fills the hand-over values and calls Run.
#pragma once

#include <QDialog>

#include <functional>
#include <vector>

#include "core/screens/cds_dokl.h"
#include "gui/screens/dokl_table_view.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace orvo::gui {

class OrvoApp;
class GridTableModel;

class CdsDoklWindow : public QDialog {
  Q_OBJECT
 public:
  CdsDoklWindow(OrvoApp& app, QWidget* parent);

  // Opens the model on the hand-over values and shows the window modally.
  void Run();

  TCdsDokl& model() { return model_; }
  DoklTableView* HeaderGrid() { return header_; }
  DoklTableView* ItemGrid() { return items_; }
  QLineEdit* CodeLine() { return codeLine_; }
  QPushButton* Button(const char* name);
  void GoToItem(int row, int col);
  void GoToHeader(int col);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  QPushButton* AddButton(const char* name, const char* text, const char* hint, std::function<void()> action);
  bool HeaderKey(QKeyEvent* event);
  bool ItemKey(QKeyEvent* event);
  void EnterInHeader(bool byTab);
  void EnterInItems();
  void MoveNext();
  void Refresh();
  void RefreshAll();
  void Act(const std::function<void()>& work);
  void Finish();

  OrvoApp& app_;
  TCdsDokl& model_;
  QLineEdit* codeLine_;
  DoklTableView* header_;
  DoklTableView* items_;
  GridTableModel* headerModel_;
  GridTableModel* itemModel_;
  QLabel* column_;
  QLabel* row_;
  std::vector<QPushButton*> buttons_;
  bool moving_ = false;
  bool closing_ = false;
};

}  // namespace orvo::gui
