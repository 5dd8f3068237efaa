// The text editor window TVEText over its core model: the menus, the
// status line with the caret's line and column, the insert and overwrite
// modes. The definition files open it modally, the help non-modally.
#pragma once

#include <QDialog>

#include <QFont>

#include <functional>
#include <memory>

#include "core/desk/text_editor.h"

class QLabel;
class QMenu;
class QAction;
class QTextEdit;
class QPrinter;

namespace orvo::gui {

class TextEditorWindow : public QDialog {
  Q_OBJECT
 public:
  TextEditorWindow(Env& env, TVEText& model, QWidget* parent = nullptr);
  // Shows the model's file: false when it cannot be shown. Modal or not.
  bool Open();
  // Presents a model that was shown already (the help).
  void Present();
  ~TextEditorWindow() override;
  void reject() override;
  // "Kalkulacka" (Ctrl+K while the text is read-only).
  std::function<void()> showCalculator;

  QTextEdit* Editor() const { return edit_; }
  QString StatusLine() const;
  void Find(const QString& text, bool wholeWord, bool matchCase);

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenus();
  void Load();
  void Refresh();
  void Run(const std::function<void()>& work);
  bool PrinterReady();
  void LinePrint();

  Env& env_;
  TVEText& model_;
  QTextEdit* edit_;
  QLabel* position_;
  QLabel* mode_;
  QAction* open_ = nullptr;
  QAction* newFile_ = nullptr;
  QAction* save_ = nullptr;
  QAction* closeFile_ = nullptr;
  QMenu* font_ = nullptr;
  std::unique_ptr<QPrinter> printer_;
  QFont printFont_;
  bool loading_ = false;
  bool blockPrefix_ = false;
  int blockStart_ = -1;
  int blockEnd_ = -1;
};

}  // namespace orvo::gui
