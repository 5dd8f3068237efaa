// The dataset browser TCdsScr on Qt: the grid over the browser model, the
// button panel with the heading fields, the searches, corrections, the
// clipboard buttons, the report buttons, the check boxes, the counters and
// the navigation buttons, the menu of moves, and the grid's keys. Every
// button and key is a call of the core model; the window only maps and
// paints. Windows of other parts (the text report window, the print
// settings, the framed and graphic reports, the spreadsheet export, the
// desk utilities) are reached through the hooks, which do nothing until
// they are attached.
#pragma once

#include <QDialog>

#include <functional>

#include "core/office/office_port.h"
#include "core/screens/browser_model.h"
#include "core/sys/env.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableView;
class QWidget;

namespace orvo::gui {

class GridTableModel;
class SubtotalDialogWindow;

struct BrowserHooks {
  // Runs a slot's work; a Termination must not cross the event loop.
  std::function<void(const std::function<void()>&)> guard;
  // "  Sestava I": show the text report window on the filled hand-over.
  std::function<void(VystHandOver&)> showTextReport;
  // "  Sestava II" / "  Sestava III": the framed and graphic report windows.
  std::function<void(const ReportLayout&)> showFramedReport;
  std::function<void(const ReportLayout&)> showGraphicReport;
  // The print settings window; the browser shows the rows afterwards.
  std::function<void()> showPrintSettings;
  // "Aritmeticky vyraz", "Kalkulacka", "Hodiny", "Kalendar".
  std::function<void(int)> showDeskUtility;
};

class BrowserWindow : public QDialog {
  Q_OBJECT
 public:
  BrowserWindow(Env& env, CdsScrModel& model, Office& office, BrowserHooks hooks = {},
                QWidget* parent = nullptr);
  ~BrowserWindow() override;

  // Shows the window modally for the hand-over values set by the caller;
  // closes at once when the model cannot open them. The hand-over is reset
  // afterwards.
  int Show();
  // The opening steps without the modal loop (for callers that show the
  // window themselves, and for the tests).
  bool OpenModel();

  QTableView* Grid() { return grid_; }
  GridTableModel* TableModel() { return tableModel_; }
  SubtotalDialogWindow* SubtotalDialog() { return dialog_; }
  CdsScrModel& Model() { return model_; }
  QPushButton* Button(const QString& caption) const;

  // The buttons, callable from tests.
  void SestI();
  void SestII();
  void SestIII();
  void Word();
  void Excel();
  void Param();
  void SearchKey();
  void SearchString();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* BuildPanel();
  void BuildMenu();
  void Run(const std::function<void()>& work);
  // After any operation: the grid's rows, its cursor, the counters and
  // the enabled buttons follow the model.
  void Sync(bool reload = false);
  void SizeColumns();
  void ReadFields();
  void PrintWindow();
  bool GridKey(QKeyEvent* key);
  bool WindowKey(QKeyEvent* key);
  int PageRows() const;

  Env& env_;
  CdsScrModel& model_;
  Office& office_;
  BrowserHooks hooks_;
  GridTableModel* tableModel_;
  SubtotalDialogWindow* dialog_;
  QTableView* grid_;
  QWidget* panel_;
  QLineEdit* heading1_;
  QLineEdit* heading2_;
  QLineEdit* search_;
  QLineEdit* rows_;
  QLabel* colCounter_;
  QLabel* rowCounter_;
  QCheckBox* time_;
  QRadioButton* onlyNonEmpty_;
  QRadioButton* allColumns_;
  QCheckBox* minimalWidth_;
  QPushButton* correct_;
  QPushButton* empty_;
  QPushButton* paste_;
  QPushButton* insert_;
  QPushButton* delete_;
  QPushButton* save_;
  bool syncing_ = false;
  bool closeOnShow_ = false;
};

}  // namespace orvo::gui
