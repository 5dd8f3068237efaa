#include "gui/desk/text_editor_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QTextEdit>
#include <QToolBar>
#include <QScreen>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QFontDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

#include "core/desk/document_conversion.h"
#include "gui/desk/character_map_window.h"
#include "gui/desk/editor_find_dialog.h"
#include "gui/output/font_convert.h"
#include "core/sys/dosfs.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "core/sys/numbers.h"
#include "core/sys/termination.h"
#include "core/sys/ui.h"
#include "gui/desk/rich_document.h"
#include "gui/sys/qt_text.h"

namespace orvo::gui {

namespace {

QString Utf8(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

}  // namespace

TextEditorWindow::TextEditorWindow(Env& env, TVEText& model, QWidget* parent)
    : QDialog(parent), env_(env), model_(model) {
  setObjectName("TextEditorWindow");
  setWindowTitle(FromCp(kEditorCaption));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* bar = new QMenuBar(this);
  layout->setMenuBar(bar);
  edit_ = new QTextEdit(this);
  QFont font("Courier New");
  font.setStyleHint(QFont::Monospace);
  edit_->setFont(font);
  printFont_ = font;
  printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  edit_->setAcceptRichText(false);
  edit_->setLineWrapMode(QTextEdit::NoWrap);
  edit_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  edit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  edit_->installEventFilter(this);
  layout->addWidget(edit_);
  auto* status = new QHBoxLayout;
  status->addWidget(new QLabel("Insert - Vkladat/Prepisovat", this));
  position_ = new QLabel(this);
  position_->setObjectName("position");
  mode_ = new QLabel("     Vkladani", this);
  mode_->setObjectName("mode");
  status->addWidget(position_);
  status->addWidget(mode_);
  status->addStretch();
  layout->addLayout(status);
  BuildMenus();
  connect(edit_, &QTextEdit::textChanged, this, [this] {
    if (loading_) return;
    if (model_.VETextRich) {
      model_.EditRich(RichFromDocument(edit_->document()));
    } else {
      model_.Edit(edit_->toPlainText().toStdString());
    }
    Refresh();
  });
  connect(edit_, &QTextEdit::cursorPositionChanged, this, [this] { Refresh(); });
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect area = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1200, 900);
  setGeometry(area.width() / 3, 40, area.width() * 2 / 3 - 40, area.height() * 2 / 3);
}

void TextEditorWindow::Run(const std::function<void()>& work) {
  try {
    work();
  } catch (const Termination&) {
    QDialog::reject();
    throw;
  }
  Refresh();
}

void TextEditorWindow::BuildMenus() {
  QMenuBar* bar = static_cast<QMenuBar*>(layout()->menuBar());
  auto add = [this](QMenu* menu, const char* text, const QKeySequence& keys, const std::function<void()>& act) {
    QAction* action = menu->addAction(text);
    if (!keys.isEmpty()) action->setShortcut(keys);
    connect(action, &QAction::triggered, this, [this, act] { Run(act); });
    return action;
  };
  QMenu* file = bar->addMenu("Soubor");
  newFile_ = add(file, "Novy", {}, [this] {
    if (model_.New()) Load();
  });
  open_ = add(file, "Otevrit", QKeySequence("Ctrl+O"), [this] {
    if (model_.OpenFile()) Load();
  });
  save_ = add(file, "Ulozit", QKeySequence("Ctrl+S"), [this] { model_.Save(); });
  add(file, "Ulozit jako", {}, [this] { model_.SaveAs(); });
  QMenu* formats = file->addMenu("Ulozit do jinych formatu");
  for (const EditorFormatInfo& info : EditorFormats()) {
    const EditorFormat format = info.format;
    add(formats, std::string(info.menuText).c_str(), {}, [this, format] { model_.Convert(format); });
  }
  closeFile_ = add(file, "Zavrit", {}, [this] {
    if (!model_.CloseText()) return;
    Load();
    open_->setEnabled(true);
  });
  QMenu* edit = bar->addMenu("Editace");
  add(edit, "Povolit", QKeySequence("Ctrl+E"), [this] {
    model_.Enable();
    closeFile_->setEnabled(true);
  });
  add(edit, "Zakazat", {}, [this] {
    if (!model_.Disable()) return;
    open_->setEnabled(false);
    closeFile_->setEnabled(false);
  });
  add(edit, "Navrat k predeslemu stavu", QKeySequence("Ctrl+U"), [this] { edit_->undo(); });
  add(edit, "Presun do schranky", QKeySequence("Ctrl+X"), [this] { edit_->cut(); });
  add(edit, "Kopirovani do schranky", QKeySequence("Ctrl+C"), [this] { edit_->copy(); });
  add(edit, "Vlozeni ze schranky", QKeySequence("Ctrl+V"), [this] { edit_->paste(); });
  add(edit, "Vymazani", QKeySequence("Ctrl+D"), [this] { edit_->textCursor().removeSelectedText(); });
  add(edit, "Vybrat vse", QKeySequence("Ctrl+A"), [this] { edit_->selectAll(); });
  QAction* wrap = add(edit, "Zalomeny text", {}, [this] {
    const bool on = edit_->lineWrapMode() == QTextEdit::NoWrap;
    edit_->setLineWrapMode(on ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
    edit_->setHorizontalScrollBarPolicy(on ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAlwaysOn);
  });
  wrap->setCheckable(true);
  QAction* tabs = add(edit, "Zakazany tabelator", {}, [this] { edit_->setTabChangesFocus(!edit_->tabChangesFocus()); });
  tabs->setCheckable(true);
  font_ = bar->addMenu("Font");
  add(font_, "Font", {}, [this] {
    // The dialog shows the selection's font; the chosen one applies to the
    // selection (or to what is typed next at the caret).
    if (!model_.VETextRich || model_.ReadOnly()) return;
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, edit_->currentCharFormat().font(), this);
    if (!ok) return;
    QTextCharFormat format;
    format.setFont(chosen);
    edit_->mergeCurrentCharFormat(format);
  });
  QMenu* print = bar->addMenu("Tisk");
  add(print, "Nastaveni", {}, [this] {
    QPrintDialog dialog(printer_.get(), this);
    dialog.exec();
  });
  add(print, "Font pro radkovy tisk", {}, [this] {
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, printFont_, this);
    if (ok) printFont_ = chosen;
  });
  add(print, "Radkovy tisk", {}, [this] { LinePrint(); });
  add(print, "Graficky tisk", {}, [this] {
    if (PrinterReady()) edit_->print(printer_.get());
  });
  QAction* printChosen = add(print, "Graficky tisk s volbou tiskarny", QKeySequence("Ctrl+P"), [this] {
    QPrintDialog dialog(printer_.get(), this);
    if (dialog.exec() == QDialog::Accepted) edit_->print(printer_.get());
  });
  // Entries of the menu bar itself that act at once.
  auto direct = [this, bar](const char* text, const QKeySequence& keys, const std::function<void()>& act) {
    QAction* action = bar->addAction(text);
    if (!keys.isEmpty()) action->setShortcut(keys);
    connect(action, &QAction::triggered, this, [this, act] { Run(act); });
    return action;
  };
  direct("Hledat", QKeySequence("Ctrl+F"), [this] { ShowFind(); });
  direct("Kalkulacka", QKeySequence("Ctrl+K"), [this] {
    if (showCalculator) showCalculator();
  });
  direct("Word", {}, [this] { model_.ShowInWord(ToFontChoice(edit_->font(), FontChoice{})); });
  // The caret moves as those keys move it in editable text (read-only text
  // would only scroll).
  struct Move {
    const char* text;
    QTextCursor::MoveOperation operation;
    int pages;
  };
  for (const Move& move : {Move{"Ctrl+Home", QTextCursor::Start, 0}, Move{"Ctrl+End", QTextCursor::End, 0},
                           Move{"Home", QTextCursor::StartOfLine, 0}, Move{"End", QTextCursor::EndOfLine, 0},
                           Move{"PgUp", QTextCursor::Up, 1}, Move{"PgDn", QTextCursor::Down, 1}}) {
    direct(move.text, {}, [this, move] {
      QTextCursor cursor = edit_->textCursor();
      const int lines = move.pages == 0 ? 1
                                        : std::max(1, edit_->viewport()->height() /
                                                          std::max(1, edit_->fontMetrics().lineSpacing()));
      cursor.movePosition(move.operation, QTextCursor::MoveAnchor, lines);
      edit_->setTextCursor(cursor);
      edit_->ensureCursorVisible();
      edit_->setFocus();
    });
  }
  QAction* exit = direct("Exit", QKeySequence("Alt+X"), [this] {
    CloseTools();
    close();
  });
  BuildToolBar(printChosen, exit);
}

bool TextEditorWindow::Open() {
  bool shown = false;
  Run([&] { shown = model_.Show(); });
  if (!shown) return false;
  Present();
  return true;
}

void TextEditorWindow::Present() {
  Load();
  setWindowTitle(FromCp(model_.Caption()));
  const bool named = model_.CanOpen();
  open_->setEnabled(named);
  newFile_->setEnabled(named);
  closeFile_->setEnabled(false);
  font_->setEnabled(model_.VETextRich);
  mode_->setText("     Vkladani");
  edit_->setOverwriteMode(false);
  edit_->setFocus();
}

bool TextEditorWindow::PrinterReady() {
  if (printer_->outputFormat() == QPrinter::PdfFormat && !printer_->outputFileName().isEmpty()) return true;
  if (!QPrinterInfo::availablePrinters().isEmpty() || !printer_->printerName().isEmpty()) return true;
  // Without a printer the print goes into a PDF file.
  FileDialogRequest request;
  request.title = "Tisk do souboru PDF";
  request.startDir = DirectoryOf(model_.VETextFile);
  request.filter = "PDF|*.pdf";
  request.fileName = ChangeExtension(FileNameOf(model_.VETextFile), ".pdf");
  const std::optional<std::string> chosen = env_.ui.SaveFileDialog(request);
  if (!chosen) return false;
  const std::optional<std::string> host = env_.fs.HostPath(env_.fs.FullPath(*chosen));
  if (!host) return false;
  printer_->setOutputFormat(QPrinter::PdfFormat);
  printer_->setOutputFileName(QString::fromStdString(*host));
  return true;
}

void TextEditorWindow::LinePrint() {
  if (!PrinterReady()) return;
  // Every line after two blanks in the print font, a new sheet when full.
  QPainter painter;
  if (!painter.begin(printer_.get())) return;
  painter.setFont(QFont(printFont_, printer_.get()));
  const QFontMetrics metrics = painter.fontMetrics();
  const int bottom = printer_->pageLayout().paintRectPixels(printer_->resolution()).height();
  int y = 0;
  const QStringList lines = edit_->toPlainText().split('\n');
  for (const QString& line : lines) {
    if (y + metrics.height() > bottom) {
      printer_->newPage();
      y = 0;
    }
    painter.drawText(0, y + metrics.ascent(), QStringLiteral("  ") + line);
    y += metrics.height();
  }
  painter.end();
}

TextEditorWindow::~TextEditorWindow() {
  // A window that goes with its owner leaves the model closed.
  if (model_.IsOpen()) model_.Close(false);
}

void TextEditorWindow::reject() {
  bool closed = true;
  Run([&] { closed = model_.Close(); });
  if (closed) QDialog::reject();
}

void TextEditorWindow::Load() {
  loading_ = true;
  edit_->setAcceptRichText(model_.VETextRich);
  if (model_.VETextRich) {
    SetRichDocument(edit_->document(), model_.Rich());
  } else {
    edit_->setPlainText(Utf8(model_.Text()));
  }
  loading_ = false;
  setWindowTitle(FromCp(model_.Caption()));
  Refresh();
}

void TextEditorWindow::Refresh() {
  edit_->setReadOnly(model_.ReadOnly());
  if (insertRtf_ != nullptr) insertRtf_->setEnabled(!model_.ReadOnly());
  if (characterMap_) characterMap_->SetInsertEnabled(!model_.ReadOnly());
  save_->setEnabled(model_.CanSave());
  const QTextCursor cursor = edit_->textCursor();
  position_->setText(FromCp("  Rad:" + IntText(cursor.blockNumber() + 1, 9) + "  Sloup:" +
                            IntTextZero(cursor.positionInBlock() + 1, 5)));
}

QString TextEditorWindow::StatusLine() const { return position_->text() + mode_->text(); }

void TextEditorWindow::Find(const QString& text, bool wholeWord, bool matchCase) {
  if (text.isEmpty()) return;
  QTextDocument::FindFlags flags;
  if (wholeWord) flags |= QTextDocument::FindWholeWords;
  if (matchCase) flags |= QTextDocument::FindCaseSensitively;
  QTextCursor from = edit_->textCursor();
  if (!from.hasSelection()) from.movePosition(QTextCursor::Start);
  const QTextCursor hit = edit_->document()->find(text, from, flags);
  if (hit.isNull()) {
    InfoBox(env_, "Retezec nebyl nalezen !", "Retezec:  " + ToCp(text));
    return;
  }
  edit_->setTextCursor(hit);
  edit_->ensureCursorVisible();
}

bool TextEditorWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edit_ && event->type() == QEvent::ShortcutOverride) {
    // Ctrl+K (the calculator or a block command) and the key after a
    // prefix come here as key presses, not as the menu's shortcuts.
    auto* key = static_cast<QKeyEvent*>(event);
    if (blockPrefix_ || linePrefix_ || ((key->modifiers() & Qt::ControlModifier) && key->key() == Qt::Key_K)) {
      event->accept();
      return true;
    }
  }
  if (watched != edit_ || event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  const bool ctrl = key->modifiers() & Qt::ControlModifier;
  if (key->key() == Qt::Key_Insert && key->modifiers() == Qt::NoModifier) {
    edit_->setOverwriteMode(!edit_->overwriteMode());
    mode_->setText(edit_->overwriteMode() ? "   Prepisovani" : "     Vkladani");
    return true;
  }
  // Ctrl pressed again between the two keys of a command neither begins
  // nor ends it.
  switch (key->key()) {
    case Qt::Key_Control: case Qt::Key_Shift: case Qt::Key_Alt: case Qt::Key_Meta: case Qt::Key_AltGr:
      return QDialog::eventFilter(watched, event);
    default:
      break;
  }
  if (linePrefix_) {
    // Ctrl+Q Ctrl+Y; any other key ends the prefix and does its own work.
    linePrefix_ = false;
    if (ctrl && key->key() == Qt::Key_Y && !model_.ReadOnly()) {
      DeleteLine(true);
      return true;
    }
  } else if (ctrl && key->key() == Qt::Key_Q && !model_.ReadOnly() && !blockPrefix_) {
    linePrefix_ = true;
    return true;
  }
  if (ctrl && key->key() == Qt::Key_K && !blockPrefix_) {
    // Read-only, Ctrl+K is the calculator; editable, it begins a block
    // command.
    if (model_.ReadOnly()) {
      if (showCalculator) showCalculator();
    } else {
      blockPrefix_ = true;
    }
    return true;
  }
  if (blockPrefix_) {
    blockPrefix_ = false;
    QTextCursor cursor = edit_->textCursor();
    const int caret = cursor.position();
    if (ctrl && key->key() == Qt::Key_B) {
      blockStart_ = caret;
    } else if (ctrl && key->key() == Qt::Key_K) {
      // The block from its start to the caret goes to the clipboard.
      blockEnd_ = caret;
      if (blockStart_ >= 0 && blockStart_ < blockEnd_) {
        cursor.setPosition(blockStart_);
        cursor.setPosition(blockEnd_, QTextCursor::KeepAnchor);
        QApplication::clipboard()->setText(cursor.selectedText().replace(QChar(0x2029), '\n'));
      }
    } else if (ctrl && key->key() == Qt::Key_N) {
      edit_->insertPlainText(QApplication::clipboard()->text());
    } else if (ctrl && key->key() == Qt::Key_M && blockStart_ >= 0 && blockStart_ < blockEnd_ &&
               (caret <= blockStart_ || caret >= blockEnd_)) {
      // The block is cut and put at the caret; a caret after the block
      // first moves back by the block's length.
      cursor.setPosition(blockStart_);
      cursor.setPosition(blockEnd_, QTextCursor::KeepAnchor);
      const QString block = cursor.selectedText().replace(QChar(0x2029), '\n');
      cursor.removeSelectedText();
      const int length = blockEnd_ - blockStart_;
      cursor.setPosition(caret >= blockEnd_ ? caret - length : caret);
      cursor.insertText(block);
      blockStart_ = blockEnd_ = -1;
      edit_->setTextCursor(cursor);
    } else {
      return QDialog::eventFilter(watched, event);
    }
    return true;
  }
  if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
    // The menu's keys before the edit control's own bindings (Ctrl+E, Ctrl+D
    // and others move or delete in it).
    const QKeySequence pressed(key->keyCombination());
    for (QAction* action : findChildren<QAction*>()) {
      if (!action->shortcut().isEmpty() && action->shortcut() == pressed) {
        if (action->isEnabled()) action->trigger();
        return true;
      }
    }
  }
  if (!model_.ReadOnly() && ctrl && key->key() == Qt::Key_Y) {
    DeleteLine(false);
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void TextEditorWindow::closeEvent(QCloseEvent* event) {
  bool closed = true;
  Run([&] { closed = model_.Close(); });
  if (!closed) {
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
  QDialog::reject();
}

}  // namespace orvo::gui
