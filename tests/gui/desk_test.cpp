// The desk from the windows: each "Definicni soubory" item in its editor
// (read-only until "Povolit", saved), the help of the document window
// beside it with a second help refused, the calculator whose result F5
// copies into an amount, and the expression window, the calendar and the
// clock; a picture of each window.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextEdit>
#include <QPushButton>
#include <QTest>

#include "core/accounting/uct_dokl.h"
#include "core/app/desk_menu.h"
#include "core/app/main_window.h"
#include "core/output/rtf_text.h"
#include "core/sys/text.h"
#include "gui/accounting/uct_dokl_window.h"
#include "gui/app/main_window.h"
#include "gui/desk/desk_host.h"
#include "gui/desk/desk_windows.h"
#include "gui/desk/text_editor_window.h"
#include "gui/gui_support.h"
#include "support/host_file.h"

namespace orvo::test {
namespace {

class DeskWindows : public GuiScratch {};

TEST_F(DeskWindows, DefinitionFilesOpenReadOnlyAndSave) {
  Put("D:\\LOrvo\\DefSoub\\VykZVysl.Def", "Vysledovka\r\nR1 = SU[6]-SU[5]\r\n");
  Put("D:\\LOrvo\\DefSoub\\VykZRozv.Def", "Rozvaha\r\nR1 = SU[0]\r\n");
  gui::OrvoApp& running = StartLoggedIn();
  struct Item {
    MenuAction action;
    const char* file;
    const char* shot;
  };
  const Item items[] = {{MenuAction::DefInic, "UctInic.TXT", "desk_editor_init_file"},
                        {MenuAction::DefVysl, "VykZVysl.Def", "desk_editor_profit_and_loss"},
                        {MenuAction::DefRozv, "VykZRozv.Def", "desk_editor_balance_sheet"}};
  for (const Item& item : items) {
    QString text;
    bool readOnly = false;
    driver.Step([&](QWidget* w) {
      auto* editor = qobject_cast<gui::TextEditorWindow*>(w);
      ASSERT_NE(editor, nullptr) << w->metaObject()->className();
      EXPECT_TRUE(editor->windowTitle().contains(QString::fromLatin1(item.file))) << editor->windowTitle().toStdString();
      readOnly = editor->Editor()->isReadOnly();
      text = editor->Editor()->toPlainText();
      Screenshot(editor, item.shot);
      editor->close();
    });
    running.mainWindow()->ActionOf(item.action)->trigger();
    ASSERT_TRUE(WaitFor([&] { return driver.StepsDone(); }));
    EXPECT_TRUE(readOnly) << item.file;
    EXPECT_FALSE(text.isEmpty()) << item.file;
  }

  // "Povolit", an edit, Ctrl+S: the definition is written with CR LF.
  driver.Step([&](QWidget* w) {
    auto* editor = qobject_cast<gui::TextEditorWindow*>(w);
    ASSERT_NE(editor, nullptr) << w->metaObject()->className();
    QTest::keyClick(editor->Editor(), Qt::Key_E, Qt::ControlModifier);
    EXPECT_FALSE(editor->Editor()->isReadOnly());
    editor->Editor()->moveCursor(QTextCursor::End);
    QTest::keyClicks(editor->Editor(), QStringLiteral("R2 = 1"));
    QTest::keyClick(editor->Editor(), Qt::Key_S, Qt::ControlModifier);
    editor->close();
  });
  running.mainWindow()->ActionOf(MenuAction::DefRozv)->trigger();
  ASSERT_TRUE(WaitFor([&] { return driver.StepsDone(); }));
  EXPECT_EQ(ReadHostFile(Host("D:\\LOrvo\\DefSoub\\VykZRozv.Def")), "Rozvaha\r\nR1 = SU[0]\r\nR2 = 1");
}

TEST_F(DeskWindows, HelpCalculatorAndF5FromTheDocumentWindow) {
  InstallDemoCompany("Demo2016");
  app = MakeApp();
  driver.Login("Admin", "Demo2016");
  ASSERT_TRUE(app->Start({"D:"}));
  ASSERT_TRUE(WaitFor([&] { return app->mainWindow()->FirstActivationDone() || app->Ended(); }));
  ASSERT_FALSE(app->Ended()) << app->EndReason();
  driver.boxes.clear();

  QString helpText, taken;
  bool headingBold = false;
  driver.Step([&](QWidget* w) {
    auto* window = qobject_cast<gui::UctDoklWindow*>(w);
    ASSERT_NE(window, nullptr) << w->metaObject()->className();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));

    // The help beside the document window; a second one is refused.
    QTest::mouseClick(window->Button("Help"), Qt::LeftButton);
    gui::TextEditorWindow* help = app->desk().Help();
    ASSERT_NE(help, nullptr);
    ASSERT_TRUE(WaitFor([&] { return help->isVisible(); }));
    helpText = help->Editor()->toPlainText();
    // The heading of the help document keeps its bold type.
    headingBold = help->Editor()->document()->begin().begin().fragment().charFormat().fontWeight() > QFont::Normal;
    Screenshot(help, "desk_help_documents");
    QTest::mouseClick(window->Button("Help"), Qt::LeftButton);
    help->close();
    EXPECT_FALSE(help->isVisible());

    // 7 + 5 = on the calculator, then F5 in the debit column.
    QTest::mouseClick(window->Button("Kalkulacka"), Qt::LeftButton);
    gui::CalculatorWindow* calc = app->desk().Calculator();
    ASSERT_TRUE(WaitFor([&] { return calc->isVisible(); }));
    for (char key : std::string("7+5=")) calc->Press(key);
    EXPECT_EQ(calc->ResultShown().trimmed(), QStringLiteral("12,00000"));
    Screenshot(calc, "desk_calculator");
    window->activateWindow();
    gui::DoklTableView* grid = window->RowsGrid();
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(0, 8));
    QTest::keyClick(grid, Qt::Key_F5);
    taken = QString::fromStdString(Trim(window->model().Grid().Cell(0, 8)));

    QTest::mouseClick(window->Button("AritVyraz"), Qt::LeftButton);
    gui::ExpressionWindow* expression = app->desk().Expression();
    ASSERT_TRUE(WaitFor([&] { return expression->isVisible(); }));
    expression->ExpressionField()->setText(QStringLiteral("(1+2)*3"));
    expression->Compute();
    EXPECT_EQ(expression->ResultShown().trimmed(), QStringLiteral("9,00000"));
    Screenshot(expression, "desk_expression");
    QTest::mouseClick(window->Button("Datum"), Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return app->desk().Calendar()->isVisible(); }));
    Screenshot(app->desk().Calendar(), "desk_calendar");
    QTest::mouseClick(window->Button("Cas"), Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return app->desk().Clock()->isVisible(); }));
    EXPECT_EQ(app->desk().Clock()->Shown(), QStringLiteral("10:20:30"));
    Screenshot(app->desk().Clock(), "desk_clock");

    driver.Answer(QMessageBox::Yes);
    window->activateWindow();
    QTest::keyClick(window, Qt::Key_Escape);
  });
  app->mainWindow()->ActionOf(MenuAction::DataObraty)->trigger();
  ASSERT_TRUE(WaitFor([&] { return driver.StepsDone(); }));
  EXPECT_TRUE(helpText.contains(QString::fromUtf8("Klávesy v řádcích"))) << helpText.toStdString();
  EXPECT_TRUE(headingBold);
  EXPECT_EQ(taken, QStringLiteral("12,00"));
  ASSERT_GE(driver.boxes.size(), 1u);
  EXPECT_EQ(driver.boxes[0].text, QStringLiteral("Uzavrete predeslou napovedu, a akci opakujte."));
  EXPECT_EQ(driver.boxes[0].title, QStringLiteral("Napovedu nelze otevrit !"));
}

TEST_F(DeskWindows, RichTextKeepsItsFormatsWhenEdited) {
  const std::string file = "D:\\LOrvo\\Dokum\\Zkouska.Rtf";
  Put(file, "{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0\\fswiss Arial;}}\\f0\\fs24\\b Tu\\'e8n\\'e9\\b0  oby\\'e8ejn\\'e9\\par druh\\'fd}");
  StartLoggedIn();
  app->desk().ShowHelp("Zkouska");
  gui::TextEditorWindow* help = app->desk().Help();
  ASSERT_NE(help, nullptr);
  ASSERT_TRUE(WaitFor([&] { return help->isVisible(); }));
  QTextEdit* edit = help->Editor();
  EXPECT_EQ(edit->toPlainText(), QString::fromUtf8("Tučné obyčejné\ndruhý"));

  // "Povolit", then the second word in italics (what the font dialog's
  // choice does to the selection) and Ctrl+S.
  QTest::keyClick(edit, Qt::Key_E, Qt::ControlModifier);
  QTextCursor cursor = edit->textCursor();
  cursor.setPosition(6);
  cursor.setPosition(14, QTextCursor::KeepAnchor);
  edit->setTextCursor(cursor);
  QTextCharFormat italic;
  italic.setFontItalic(true);
  edit->mergeCurrentCharFormat(italic);
  // A rich-text file put in at the end of the first line keeps its bold.
  Put("D:\\Vlozit.Rtf", "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs24  a {\\b tu\\'e8n\\'fd}\\par}");
  cursor.setPosition(14);
  edit->setTextCursor(cursor);
  ASSERT_TRUE(help->InsertRtfFile("D:\\Vlozit.Rtf"));
  QTest::keyClick(edit, Qt::Key_S, Qt::ControlModifier);
  Screenshot(help, "desk_editor_rich");
  help->close();

  const RtfText saved = ReadRtf(ReadHostFile(Host(file)));
  ASSERT_EQ(saved.paragraphs.size(), 2u);
  const std::vector<RtfRun>& runs = saved.paragraphs[0].runs;
  ASSERT_EQ(runs.size(), 5u) << WriteRtf(saved);
  EXPECT_EQ(runs[3].text, " a ");
  EXPECT_EQ(runs[4].text, "tučný");
  EXPECT_TRUE(runs[4].format.bold);
  EXPECT_EQ(runs[0].text, "Tučné");
  EXPECT_TRUE(runs[0].format.bold);
  EXPECT_EQ(runs[0].format.font, "Arial");
  EXPECT_EQ(runs[0].format.halfPoints, 24);
  EXPECT_EQ(runs[1].text, " ");
  EXPECT_EQ(runs[2].text, "obyčejné");
  EXPECT_TRUE(runs[2].format.italic);
  EXPECT_FALSE(runs[2].format.bold);
  EXPECT_EQ(saved.paragraphs[1].Text(), "druhý");
}

}  // namespace
}  // namespace orvo::test
