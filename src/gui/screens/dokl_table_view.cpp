#include "gui/screens/dokl_table_view.h"

#include <QKeyEvent>

namespace orvo::gui {

void DoklTableView::keyPressEvent(QKeyEvent* event) {
  if (state() != QAbstractItemView::EditingState && keyHook && keyHook(event)) return;
  QTableView::keyPressEvent(event);
}

void DoklTableView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  QTableView::closeEditor(editor, hint == QAbstractItemDelegate::SubmitModelCache
                                      ? QAbstractItemDelegate::NoHint
                                      : hint);
  if (hint == QAbstractItemDelegate::SubmitModelCache && enterCommitted) enterCommitted();
}

}  // namespace orvo::gui
