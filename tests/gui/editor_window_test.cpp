// The text editor window's tools, offscreen: the tool-bar and the enabled
// state of the commands, the find dialog, the character map, the word
// processor, the insertion of a rich-text file and the line deletions of
// Ctrl+Y and Ctrl+Q Ctrl+Y; pictures of the tool-bar, the find dialog and
// the character map.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolBar>

#include <functional>
#include <memory>

#include "core/desk/text_editor.h"
#include "gui/desk/character_map_window.h"
#include "gui/desk/editor_find_dialog.h"
#include "gui/desk/text_editor_window.h"
#include "gui/gui_support.h"
#include "support/recording_office.h"
#include "support/scratch.h"

namespace orvo::test {
namespace {

constexpr const char* kFile = "D:\\LOrvo\\DefSoub\\VykZVysl.Def";

class EditorWindowTest : public Scratch {
 protected:
  // The editor on `bytes` (plain text), shown and read-only.
  gui::TextEditorWindow& Open(const std::string& bytes) {
    Put(kFile, bytes);
    window.reset();
    model = std::make_unique<TVEText>(*env, office);
    model->VETextFile = kFile;
    model->VETextRich = false;
    window = std::make_unique<gui::TextEditorWindow>(*env, *model);
    EXPECT_TRUE(window->Open());
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    return *window;
  }
  QTextEdit* Edit() const { return window->Editor(); }
  // A command of the menus or the menu bar by its caption.
  QAction* Command(const QString& text) const {
    for (QAction* action : window->findChildren<QAction*>()) {
      if (action->text() == text && action->parent() != window->ToolBar()) return action;
    }
    ADD_FAILURE() << "no command " << text.toStdString();
    return nullptr;
  }
  QAction* Button(const QString& text) const {
    for (QAction* action : window->ToolBar()->actions()) {
      if (action->text() == text) return action;
    }
    ADD_FAILURE() << "no button " << text.toStdString();
    return nullptr;
  }
  void Caret(int line, int column) {
    QTextCursor cursor(Edit()->document()->findBlockByNumber(line));
    cursor.setPosition(cursor.position() + column);
    Edit()->setTextCursor(cursor);
  }
  void Enable() { QTest::keyClick(Edit(), Qt::Key_E, Qt::ControlModifier); }

  Office office;
  std::unique_ptr<TVEText> model;
  std::unique_ptr<gui::TextEditorWindow> window;
};

TEST_F(EditorWindowTest, ToolBarAndTheEnabledStateOfTheCommands) {
  Open("Vysledovka\r\nR1 = SU[6]\r\n");
  QStringList captions;
  for (QAction* action : window->ToolBar()->actions()) captions << action->text();
  EXPECT_EQ(captions, (QStringList{"Novy soubor", "Otevrit soubor ve format Bmp, Jpeg", "Ulozit soubor", "Tisk",
                                    "Font", "Prihrani Rtf-souboru na zvolenou pozici", "Mapa znaku", "  Konec"}));
  Screenshot(window.get(), "editor_toolbar");

  // Each step, then the enabled state of the commands and their buttons.
  struct Step {
    const char* what;
    std::function<void()> act;
    bool open, newFile, save, close, insert;
  };
  const Step steps[] = {
      {"shown: a named file, read-only", [] {}, false, false, false, false, false},
      {"Povolit", [&] { Enable(); }, false, false, false, true, true},
      {"an edit", [&] { Edit()->moveCursor(QTextCursor::End); QTest::keyClicks(Edit(), "x"); }, false, false, true, true, true},
      {"Ulozit", [&] { Button("Ulozit soubor")->trigger(); }, false, false, false, true, true},
      {"Zakazat", [&] { Command("Zakazat")->trigger(); }, false, false, false, false, false},
      {"Povolit", [&] { Enable(); }, false, false, false, true, true},
      {"Zavrit", [&] { Command("Zavrit")->trigger(); }, true, false, false, true, true},
  };
  for (const Step& step : steps) {
    step.act();
    SCOPED_TRACE(step.what);
    EXPECT_EQ(Command("Otevrit")->isEnabled(), step.open);
    EXPECT_EQ(Button("Otevrit soubor ve format Bmp, Jpeg")->isEnabled(), step.open);
    EXPECT_EQ(Command("Novy")->isEnabled(), step.newFile);
    EXPECT_EQ(Button("Novy soubor")->isEnabled(), step.newFile);
    EXPECT_EQ(Command("Ulozit")->isEnabled(), step.save);
    EXPECT_EQ(Button("Ulozit soubor")->isEnabled(), step.save);
    EXPECT_EQ(Command("Zavrit")->isEnabled(), step.close);
    EXPECT_EQ(Button("Prihrani Rtf-souboru na zvolenou pozici")->isEnabled(), step.insert);
    // Plain text: no font commands.
    EXPECT_FALSE(Button("Font")->isEnabled());
    EXPECT_TRUE(Button("Tisk")->isEnabled());
  }
  // "Zavrit" emptied the text without making it a change: the file keeps
  // what was saved and closing asks nothing.
  EXPECT_TRUE(Edit()->toPlainText().isEmpty());
  EXPECT_EQ(Get(kFile), "Vysledovka\r\nR1 = SU[6]\r\nx");
  Button("  Konec")->trigger();
  EXPECT_FALSE(window->isVisible());
  EXPECT_TRUE(ui.messages.empty()) << ui.messages.size();
  EXPECT_EQ(Get(kFile), "Vysledovka\r\nR1 = SU[6]\r\nx");
}

TEST_F(EditorWindowTest, FindGoesOnAfterEachHitAndReports) {
  Open("alfa beta Alfa alfabet\r\nalfa\r\n");
  Caret(0, 2);
  QTest::keyClick(Edit(), Qt::Key_F, Qt::ControlModifier);
  gui::EditorFindDialog* find = window->FindDialog();
  ASSERT_NE(find, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(find));
  EXPECT_EQ(find->pos(), QPoint(30, 30));
  find->TextField()->setText("alfa");
  auto selection = [&] {
    const QTextCursor c = Edit()->textCursor();
    return std::make_pair(c.selectionStart(), c.selectedText());
  };
  // Without a selection from the start (not from the caret), then on
  // after each hit, with the options as set.
  struct Case {
    bool wholeWord, matchCase;
    int start;
    const char* found;
  };
  const Case cases[] = {
      {false, false, 0, "alfa"}, {false, false, 10, "Alfa"}, {false, false, 15, "alfa"},
      {true, true, 23, "alfa"},
  };
  for (const Case& c : cases) {
    find->WholeWord()->setChecked(c.wholeWord);
    find->MatchCase()->setChecked(c.matchCase);
    QTest::mouseClick(find->FindButton(), Qt::LeftButton);
    EXPECT_EQ(selection(), std::make_pair(c.start, QString(c.found))) << c.start;
  }
  EXPECT_TRUE(ui.messages.empty());
  Screenshot(find, "editor_find");
  QTest::mouseClick(find->FindButton(), Qt::LeftButton);
  EXPECT_EQ(ui.Single(), Info("Retezec nebyl nalezen !", "Retezec:  alfa"));
  EXPECT_EQ(selection().first, 23);
  ui.Clear();
  find->Upward()->setChecked(true);
  QTest::mouseClick(find->FindButton(), Qt::LeftButton);
  EXPECT_EQ(ui.Single(), Info("Funkce neni aktivni !", "Hledani nahoru"));
  // "Exit" closes the find dialog with the window.
  QTest::keyClick(Edit(), Qt::Key_X, Qt::AltModifier);
  EXPECT_FALSE(window->isVisible());
  EXPECT_FALSE(find->isVisible());
}

TEST_F(EditorWindowTest, CharacterMapInsertsIntoEditableTextOnly) {
  Open("ab");
  Button("Mapa znaku")->trigger();
  gui::CharacterMapWindow* map = window->CharacterMap();
  ASSERT_NE(map, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(map));
  const QList<QTableWidgetItem*> items = map->Grid()->findItems(QString::fromUtf8("ř"), Qt::MatchExactly);
  ASSERT_EQ(items.size(), 1);
  const QRect cell = map->Grid()->visualItemRect(items[0]);
  QTest::mouseClick(map->Grid()->viewport(), Qt::LeftButton, {}, cell.center());
  EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf8("ř"));
  // Read-only: nothing goes in.
  EXPECT_FALSE(map->InsertButton()->isEnabled());
  QTest::mouseDClick(map->Grid()->viewport(), Qt::LeftButton, {}, cell.center());
  EXPECT_EQ(Edit()->toPlainText(), "ab");

  Enable();
  EXPECT_TRUE(map->InsertButton()->isEnabled());
  Caret(0, 1);
  QTest::mouseClick(map->InsertButton(), Qt::LeftButton);
  EXPECT_EQ(Edit()->toPlainText(), QString::fromUtf8("ařb"));
  Screenshot(map, "editor_character_map");
  QTest::keyClick(Edit(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(Get(kFile), "a\xf8" "b");
}

TEST_F(EditorWindowTest, WordGetsTheWholeTextOrAMessage) {
  for (const bool withBackend : {true, false}) {
    SCOPED_TRACE(withBackend);
    office = Office();
    RecordingOffice* recording = nullptr;
    if (withBackend) {
      auto backend = std::make_unique<RecordingOffice>();
      recording = backend.get();
      office.Add(std::move(backend));
    }
    ui.Clear();
    Open("P\xf8\xedli\x9a\r\nlong\r\n");
    Enable();
    Edit()->moveCursor(QTextCursor::End);
    Edit()->insertPlainText(QString::fromUtf8("žluťoučký"));
    Command("Word")->trigger();
    if (withBackend) {
      ASSERT_EQ(recording->shown.size(), 1u);
      EXPECT_EQ(recording->shown[0].text, "P\xf8\xedli\x9a\r\nlong\r\n\x9elu\x9dou\xe8k\xfd");
      EXPECT_EQ(recording->shown[0].font.name, "Courier New");
      EXPECT_TRUE(ui.messages.empty());
    } else {
      EXPECT_EQ(ui.Single(), Info("Aplikace Microsoft Word neni dostupna !"));
    }
    window.reset();
  }
}

TEST_F(EditorWindowTest, RichTextFileInsertedAtTheCaret) {
  Put("D:\\Vloz.Rtf", "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Prvn\\'ed\\par Druh\\'e1\\par }");
  Put("D:\\Prosty.Rtf", "jen\r\ntext\r\n");
  Open("ab\r\ncd");
  // Read-only: the button is off and nothing is inserted.
  EXPECT_FALSE(window->InsertRtfFile("D:\\Vloz.Rtf"));
  Enable();
  Caret(0, 1);
  ui.fileAnswers.push_back(std::string("D:\\Vloz.Rtf"));
  Button("Prihrani Rtf-souboru na zvolenou pozici")->trigger();
  ASSERT_EQ(ui.fileRequests.size(), 1u);
  EXPECT_EQ(ui.fileRequests[0].filter, "Soubory Rtf (*.Rtf)|*.Rtf");
  const QString inserted = QString::fromUtf8("První\nDruhá");
  EXPECT_EQ(Edit()->toPlainText(), QString::fromUtf8("aPrvní\nDruháb\ncd"));
  EXPECT_EQ(Edit()->textCursor().position(), 1 + inserted.size());
  EXPECT_EQ(QApplication::clipboard()->text(), inserted);
  // A file that is no rich text goes in as its lines; a missing one is named.
  Caret(2, 2);
  EXPECT_TRUE(window->InsertRtfFile("D:\\Prosty.Rtf"));
  EXPECT_EQ(Edit()->toPlainText(), QString::fromUtf8("aPrvní\nDruháb\ncdjen\ntext"));
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_FALSE(window->InsertRtfFile("D:\\Chybi.Rtf"));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].caption, "D:\\Chybi.Rtf");
}

TEST_F(EditorWindowTest, MenuBarMovesTheCaret) {
  std::string text;
  for (int i = 0; i < 200; ++i) text += "line " + std::to_string(i) + "\r\n";
  Open(text + "last");
  const int end = Edit()->document()->characterCount() - 1;
  struct Case {
    const char* command;
    int fromLine, fromColumn;
    std::function<bool(int)> lands;
  };
  const Case cases[] = {
      {"Ctrl+End", 0, 2, [&](int at) { return at == end; }},
      {"Ctrl+Home", 5, 2, [](int at) { return at == 0; }},
      {"End", 1, 2, [](int at) { return at == 13; }},  // "line 0\n" then "line 1"
      {"Home", 1, 4, [](int at) { return at == 7; }},
      {"PgDn", 0, 0, [](int at) { return at > 7; }},
      {"PgUp", 199, 0, [&](int at) { return at < Edit()->document()->findBlockByNumber(199).position(); }},
  };
  for (const Case& c : cases) {
    Caret(c.fromLine, c.fromColumn);
    Command(c.command)->trigger();
    EXPECT_TRUE(c.lands(Edit()->textCursor().position())) << c.command << " " << Edit()->textCursor().position();
  }
}

TEST_F(EditorWindowTest, CtrlYAndCtrlQCtrlYDeleteLines) {
  struct Case {
    int line, column;
    std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> keys;
    const char* after;
  };
  const auto ctrl = Qt::ControlModifier;
  const Case cases[] = {
      {1, 3, {{Qt::Key_Q, ctrl}, {Qt::Key_Y, ctrl}}, "one\ntwo\n\nfour"},
      // Ctrl pressed again between the keys keeps the prefix.
      {1, 3, {{Qt::Key_Q, ctrl}, {Qt::Key_Control, ctrl}, {Qt::Key_Y, ctrl}}, "one\ntwo\n\nfour"},
      // Another key ends the prefix and types; Ctrl+Y alone takes the line.
      {1, 3, {{Qt::Key_Q, ctrl}, {Qt::Key_X, {}}, {Qt::Key_Y, ctrl}}, "one\n\nfour"},
      {0, 1, {{Qt::Key_Y, ctrl}}, "two three\n\nfour"},
      {1, 0, {{Qt::Key_Y, ctrl}}, "one\n\nfour"},
      {2, 0, {{Qt::Key_Y, ctrl}}, "one\ntwo three\nfour"},
      {3, 2, {{Qt::Key_Y, ctrl}}, "one\ntwo three\n"},
  };
  for (const Case& c : cases) {
    Open("one\r\ntwo three\r\n\r\nfour");
    Enable();
    Caret(c.line, c.column);
    for (const auto& [key, modifiers] : c.keys) QTest::keyClick(Edit(), key, modifiers);
    EXPECT_EQ(Edit()->toPlainText(), QString(c.after)) << c.line << ":" << c.column;
    window.reset();
  }
  // Read-only text keeps its lines.
  Open("one\r\ntwo");
  for (Qt::Key key : {Qt::Key_Q, Qt::Key_Y, Qt::Key_Y}) QTest::keyClick(Edit(), key, ctrl);
  EXPECT_EQ(Edit()->toPlainText(), "one\ntwo");

  // Ctrl+K is the calculator in read-only text and begins a block
  // command in editable text, also with the calculator's shortcut.
  int calculators = 0;
  window->showCalculator = [&] { ++calculators; };
  QTest::keyClick(Edit(), Qt::Key_K, ctrl);
  EXPECT_EQ(calculators, 1);
  Enable();
  Caret(0, 0);
  QTest::keyClick(Edit(), Qt::Key_K, ctrl);
  QTest::keyClick(Edit(), Qt::Key_B, ctrl);
  Caret(0, 3);
  QTest::keyClick(Edit(), Qt::Key_K, ctrl);
  QTest::keyClick(Edit(), Qt::Key_K, ctrl);
  EXPECT_EQ(QApplication::clipboard()->text(), "one");
  EXPECT_EQ(calculators, 1);
}

}  // namespace
}  // namespace orvo::test
