// The text editor window TVEText over its core model: the menus, the
// status line with the caret's line and column, the insert and overwrite
// modes. The definition files open it modally, the help non-modally.
#pragma once

#include <QDialog>

#include <QFont>
#include <QPointer>

#include <functional>
#include <memory>

#include "core/desk/text_editor.h"

class QLabel;
class QMenu;
class QAction;
class QTextEdit;
class QPrinter;
class QToolBar;

namespace orvo::gui {

class CharacterMapWindow;
class EditorFindDialog;

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

  // "Prihrani Rtf-souboru na zvolenou pozici" once the file is chosen: its
  // text inserted at the caret, the caret at the end of the last inserted
  // line, the clipboard holding the inserted text. False when nothing was
  // inserted (read-only text, unreadable file).
  bool InsertRtfFile(const std::string& file);
  // Ctrl+F: the non-modal find dialog at (30, 30).
  void ShowFind();
  // "Mapa znaku": our own character map window, non-modal.
  void ShowCharacterMap();
  QToolBar* ToolBar() const { return toolBar_; }
  EditorFindDialog* FindDialog() const;
  CharacterMapWindow* CharacterMap() const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenus();
  void BuildToolBar(QAction* print, QAction* exit);
  void ChooseRtfFile();
  bool InsertText(const QString& text);
  void DeleteLine(bool fromCaret);
  void CloseTools();
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
  bool linePrefix_ = false;  // Ctrl+Q pressed, waiting for Ctrl+Y
  QToolBar* toolBar_ = nullptr;
  QAction* insertRtf_ = nullptr;
  QPointer<EditorFindDialog> findDialog_;
  QPointer<CharacterMapWindow> characterMap_;
  int blockStart_ = -1;
  int blockEnd_ = -1;
};

}  // namespace orvo::gui
