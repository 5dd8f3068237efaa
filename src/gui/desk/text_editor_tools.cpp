// The text editor window's tools beside its menus: the tool-bar, the find
// dialog, the character map, the insertion of a rich-text file and the
// line deletions of Ctrl+Y and Ctrl+Q Ctrl+Y.
#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QClipboard>
#include <QHideEvent>
#include <QIcon>
#include <QMimeData>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>

#include "core/output/rtf_text.h"
#include "core/sys/dosfs.h"
#include "core/sys/encoding.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "core/sys/numbers.h"
#include "core/sys/ui.h"
#include "gui/desk/character_map_window.h"
#include "gui/desk/rich_document.h"
#include "gui/desk/editor_find_dialog.h"
#include "gui/desk/text_editor_window.h"

namespace orvo::gui {

namespace {

constexpr const char* kInsertRtfCaption = "Prihrani Rtf-souboru na zvolenou pozici";

// The desktop's icon when its theme has one, else a letter on a tile.
QIcon ToolIcon(const char* themeName, const QString& letter) {
  QIcon icon = QIcon::fromTheme(QString::fromLatin1(themeName));
  if (!icon.isNull()) return icon;
  QPixmap pixmap(24, 24);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QColor(40, 70, 110));
  p.setBrush(QColor(225, 235, 248));
  p.drawRoundedRect(QRectF(1.5, 1.5, 21, 21), 4, 4);
  QFont font = p.font();
  font.setBold(true);
  font.setPixelSize(letter.size() > 1 ? 10 : 15);
  p.setFont(font);
  p.drawText(QRect(0, 0, 24, 24), Qt::AlignCenter, letter);
  return QIcon(pixmap);
}

// What "Prihrani Rtf-souboru" inserts: the paragraphs of a rich-text file
// with their formats, or the lines of a plain Windows-1250 file in the
// editor's font; no empty paragraph after the last line (the one a
// closing "\par" leaves).
RtfText InsertableText(const std::string& bytes) {
  RtfText text = LooksLikeRtf(bytes) ? ReadRtf(bytes) : RtfFromPlain(Cp1250ToUtf8(bytes), EditorFont());
  if (text.paragraphs.size() > 1 && text.paragraphs.back().runs.empty()) text.paragraphs.pop_back();
  return text;
}

}  // namespace

void TextEditorWindow::BuildToolBar(QAction* print, QAction* exit) {
  toolBar_ = new QToolBar(this);
  toolBar_->setObjectName("toolBar");
  toolBar_->setIconSize(QSize(24, 24));
  toolBar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
  static_cast<QBoxLayout*>(layout())->insertWidget(0, toolBar_);
  // A button does what its action does and is enabled with it.
  auto button = [this](const char* text, const QIcon& icon, QAction* follows, const std::function<void()>& act) {
    QAction* action = toolBar_->addAction(icon, QString::fromLatin1(text));
    action->setToolTip(QString::fromLatin1(text));
    connect(action, &QAction::triggered, this, act);
    if (follows != nullptr) {
      action->setEnabled(follows->isEnabled());
      connect(follows, &QAction::changed, action, [action, follows] { action->setEnabled(follows->isEnabled()); });
    }
    return action;
  };
  auto trigger = [](QAction* action) {
    return [action] {
      if (action->isEnabled()) action->trigger();
    };
  };
  button("Novy soubor", style()->standardIcon(QStyle::SP_FileIcon), newFile_, trigger(newFile_));
  button("Otevrit soubor ve format Bmp, Jpeg", style()->standardIcon(QStyle::SP_DialogOpenButton), open_,
         trigger(open_));
  button("Ulozit soubor", style()->standardIcon(QStyle::SP_DialogSaveButton), save_, trigger(save_));
  button("Tisk", ToolIcon("document-print", "P"), print, trigger(print));
  // "Font" is the font menu's command, enabled with the menu.
  button("Font", ToolIcon("preferences-desktop-font", "F"), font_->menuAction(), [this] {
    const QList<QAction*> commands = font_->actions();
    if (font_->isEnabled() && !commands.isEmpty() && commands.first()->isEnabled()) commands.first()->trigger();
  });
  insertRtf_ = button(kInsertRtfCaption, ToolIcon("insert-text", "Rtf"), nullptr, [this] { Run([this] { ChooseRtfFile(); }); });
  button("Mapa znaku", ToolIcon("accessories-character-map", QString::fromUtf8("Ω")), nullptr, [this] { ShowCharacterMap(); });
  QAction* end = button("  Konec", style()->standardIcon(QStyle::SP_DialogCloseButton), exit, trigger(exit));
  if (auto* endButton = qobject_cast<QToolButton*>(toolBar_->widgetForAction(end))) {
    endButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  }
}

void TextEditorWindow::ChooseRtfFile() {
  if (model_.ReadOnly()) return;
  const std::optional<std::string> file =
      env_.ui.OpenFileDialog({kInsertRtfCaption, model_.VETextInitialDir, "Soubory Rtf (*.Rtf)|*.Rtf", {}});
  if (!file || file->empty()) return;
  InsertRtfFile(*file);
}

bool TextEditorWindow::InsertRtfFile(const std::string& file) {
  if (model_.ReadOnly()) return false;
  int rc = kIoOk;
  const std::optional<std::string> bytes = env_.fs.ReadWhole(file, &rc);
  if (!bytes) {
    InfoBox(env_, "Soubor nelze precist ! -Chyba:" + IntText(rc, 6), file);
    return false;
  }
  const RtfText text = InsertableText(*bytes);
  QApplication::clipboard()->clear();
  QTextCursor cursor = edit_->textCursor();
  const int from = cursor.position();
  if (model_.VETextRich) {
    InsertRich(cursor, text);
  } else {
    const std::string plain = RtfPlain(text);
    cursor.insertText(QString::fromUtf8(plain.data(), static_cast<qsizetype>(plain.size())));
  }
  edit_->setTextCursor(cursor);
  edit_->ensureCursorVisible();
  // The clipboard holds what was inserted, with its formats.
  QTextCursor inserted(edit_->document());
  inserted.setPosition(from);
  inserted.setPosition(cursor.position(), QTextCursor::KeepAnchor);
  auto* data = new QMimeData;
  const QTextDocumentFragment fragment = inserted.selection();
  data->setText(fragment.toPlainText());
  if (model_.VETextRich) data->setHtml(fragment.toHtml());
  QApplication::clipboard()->setMimeData(data);
  return true;
}

bool TextEditorWindow::InsertText(const QString& text) {
  if (model_.ReadOnly()) return false;
  QTextCursor cursor = edit_->textCursor();
  cursor.insertText(text);
  edit_->setTextCursor(cursor);
  edit_->ensureCursorVisible();
  return true;
}

void TextEditorWindow::ShowFind() {
  if (!findDialog_) {
    findDialog_ = new EditorFindDialog(this);
    findDialog_->findNext = [this](const FindRequest& request) {
      Run([this, &request] {
        if (request.upward) {
          InfoBox(env_, "Funkce neni aktivni !", "Hledani nahoru");
        } else {
          Find(request.text, request.wholeWord, request.matchCase);
        }
      });
    };
  }
  // A selection within one line is the text to look for.
  const QString selected = edit_->textCursor().selectedText();
  if (!selected.isEmpty() && !selected.contains(QChar(0x2029))) findDialog_->SetText(selected);
  findDialog_->move(30, 30);
  findDialog_->show();
  findDialog_->raise();
  findDialog_->activateWindow();
}

void TextEditorWindow::ShowCharacterMap() {
  if (!characterMap_) {
    characterMap_ = new CharacterMapWindow(edit_->font(), this);
    characterMap_->insert = [this](const QString& character) { return InsertText(character); };
  }
  characterMap_->SetInsertEnabled(!model_.ReadOnly());
  characterMap_->show();
  characterMap_->raise();
  characterMap_->activateWindow();
}

void TextEditorWindow::DeleteLine(bool fromCaret) {
  QTextCursor cursor = edit_->textCursor();
  const QTextBlock block = cursor.block();
  const int end = block.position() + block.length() - 1;  // before the line's break
  if (fromCaret) {
    cursor.setPosition(cursor.position());
    cursor.setPosition(end, QTextCursor::KeepAnchor);
  } else if (block.next().isValid()) {
    // The line with its break; the caret goes to the start of the next.
    cursor.setPosition(block.position());
    cursor.setPosition(block.next().position(), QTextCursor::KeepAnchor);
  } else if (block.previous().isValid()) {
    // The last line with the break before it.
    cursor.setPosition(block.position() - 1);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
  } else {
    cursor.setPosition(block.position());
    cursor.setPosition(end, QTextCursor::KeepAnchor);
  }
  cursor.removeSelectedText();
  edit_->setTextCursor(cursor);
}

EditorFindDialog* TextEditorWindow::FindDialog() const { return findDialog_; }

CharacterMapWindow* TextEditorWindow::CharacterMap() const { return characterMap_; }

void TextEditorWindow::CloseTools() {
  if (findDialog_) findDialog_->close();
  if (characterMap_) characterMap_->close();
}

void TextEditorWindow::hideEvent(QHideEvent* event) {
  // The window closed (not minimised) takes its tools along.
  if (!event->spontaneous()) CloseTools();
  QDialog::hideEvent(event);
}

}  // namespace orvo::gui
