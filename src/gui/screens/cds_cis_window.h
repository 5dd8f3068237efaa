// The code-list window TCdsCis over its model: the grid of the list, the
// search box, the navigation and record buttons, "  Editace", "  Setrideni"
// and "  Tisk". Keys in the grid go to the model; in edit mode a cell is
// typed into through the grid's editor and handed to the model when it
// closes. One window serves the whole run; every caller shows it through
// the model (ACis, VCisel), which opens, runs and closes it.
#pragma once

#include <QDialog>
#include <QTableWidget>

#include <functional>
#include <string>

#include "core/screens/cds_cis.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace orvo::gui {

class OrvoApp;
class CdsCisWindow;

// The grid: keys go to the window first; Enter that closes a cell editor
// goes on as Enter of the model.
class CisGrid final : public QTableWidget {
  Q_OBJECT
 public:
  explicit CisGrid(CdsCisWindow& window);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

 private:
  CdsCisWindow& window_;
};

class CdsCisWindow final : public QDialog {
  Q_OBJECT
 public:
  CdsCisWindow(OrvoApp& app, TCdsCis& model);

  TCdsCis& model() { return model_; }
  // Shows a report file the listing wrote (the text report window).
  void SetReportViewer(std::function<void(const std::string&)> viewer) { viewer_ = std::move(viewer); }

  CisGrid* grid() const { return grid_; }
  QLineEdit* searchBox() const { return search_; }
  QPushButton* button(const QString& caption) const;
  QToolButton* navigation(int i) const { return nav_[i]; }  // first, prior, next, last

  // Opens the window on the model's file and runs it modally.
  void Run();
  // A key of the grid; true when it was the model's.
  bool GridKey(QKeyEvent* event);
  // The grid's editor closed; with Enter the model goes on as Enter.
  void EditorClosed(bool byEnter);

  void done(int result) override;

 protected:
  void reject() override;

 private:
  void Act(const std::function<void()>& work);
  void Refresh();
  void ShowReport(const std::string& report);
  void CellEdited(int row, int col);
  void CurrentCellChanged(int row, int col);

  OrvoApp& app_;
  TCdsCis& model_;
  std::function<void(const std::string&)> viewer_;
  QLabel* hint_;
  QLineEdit* search_;
  CisGrid* grid_;
  QToolButton* nav_[4];
  QPushButton* insert_;
  QPushButton* delete_;
  QPushButton* save_;
  QPushButton* edit_;
  QPushButton* sort_;
  QPushButton* print_;
  QPushButton* findKey_;
  QPushButton* findText_;
  bool refreshing_ = false;
  bool closing_ = false;
};

}  // namespace orvo::gui
