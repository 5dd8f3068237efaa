// The table view of the document-entry windows' grids: it tells its window
// about a key before acting on it (the window may take it) and about an
// editor closed by Enter.
#pragma once

#include <QTableView>

#include <functional>

namespace orvo::gui {

class DoklTableView : public QTableView {
  Q_OBJECT
 public:
  using QTableView::QTableView;
  std::function<bool(QKeyEvent*)> keyHook;
  std::function<void()> enterCommitted;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
};

}  // namespace orvo::gui
