// The Qt Ui's boxes and small windows, and the windows opened from the
// menu that have no flow of their own elsewhere: restore, rights for a
// non-administrator.
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/app/main_window.h"
#include "core/sys/messages.h"
#include "core/sys/termination.h"
#include "gui/gui_support.h"
#include "gui/app/main_window.h"
#include "gui/sys/qt_ui.h"
#include "gui/shell/restore_window.h"
#include "gui/shell/rights_dialog.h"
#include "gui/sys/small_windows.h"
#include "support/host_file.h"

namespace orvo::test {
namespace {

std::string ReadHost(const std::string& host) { return ReadHostFile(host); }

class QtUiTest : public GuiScratch {
 protected:
  QtUiTest() : fs(DriveMap{}), ui(fs, clock), env{ui, fs, clock} {}
  DosFs fs;
  gui::QtUi ui;
  Env env;
};

struct BoxCase {
  const char* name;
  MessageKind kind;
  QMessageBox::Icon icon;
  QStringList buttons;
};

class Boxes : public QtUiTest, public ::testing::WithParamInterface<BoxCase> {};

TEST_P(Boxes, IconButtonsCaptionAndLineBreaks) {
  const BoxCase& c = GetParam();
  driver.screenshotNextBox = std::string("message_box_") + c.name;
  if (c.kind == MessageKind::Info || c.kind == MessageKind::Error) {
    ui.Message(c.kind, "Prvni\rDruhy\r\rT\xF8\x65ti", "Titulek \xE8\x61s");
  } else {
    EXPECT_EQ(ui.Ask(c.kind, "Prvni\rDruhy\r\rT\xF8\x65ti", "Titulek \xE8\x61s"), Answer::No);
  }
  ASSERT_EQ(driver.boxes.size(), 1u);
  EXPECT_EQ(driver.boxes[0].text, QString::fromUtf8("Prvni\nDruhy\n\nTřeti"));
  EXPECT_EQ(driver.boxes[0].title, QString::fromUtf8("Titulek čas"));
  EXPECT_EQ(driver.boxes[0].icon, c.icon);
  QStringList shown = driver.boxes[0].buttons;
  QStringList wanted = c.buttons;
  shown.sort();
  wanted.sort();
  EXPECT_EQ(shown, wanted);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, Boxes,
    ::testing::Values(
        BoxCase{"Info", MessageKind::Info, QMessageBox::Information, {"OK"}},
        BoxCase{"Error", MessageKind::Error, QMessageBox::Warning, {"OK"}},
        BoxCase{"YesNo", MessageKind::YesNo, QMessageBox::Question, {"Ano", "Ne"}},
        BoxCase{"YesNoCancel", MessageKind::YesNoCancel, QMessageBox::NoIcon,
                {"Ano", "Ne", "Storno"}}),
    [](const auto& info) { return std::string(info.param.name); });

// Qt's own texts (here the file dialog's) come in Czech once the Ui port
// exists, when the Qt installation has its translations.
TEST_F(QtUiTest, QtsOwnTextsAreCzech) {
  const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  if (!QFileInfo::exists(dir + "/qtbase_cs.qm")) GTEST_SKIP() << "no qtbase_cs.qm in " << dir.toStdString();
  EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), QString::fromUtf8("Hledat v:"));
}

TEST_F(QtUiTest, CancelOfTheRetryQuestionEndsTheApplication) {
  driver.Answer(QMessageBox::Cancel);
  EXPECT_THROW(AskYesNoCancel(env, "Soubor nelze otevrit."), Termination);
  ASSERT_EQ(driver.boxes.size(), 1u);
  EXPECT_EQ(driver.boxes[0].title, "Ano=True, Ne=False, Storno=Halt");
}

TEST_F(QtUiTest, ErrorBoxWaitsBetweenItsBeeps) {
  ErrorBox(env, "Chyba");
  EXPECT_EQ(clock.slept, 1000);  // three beeps, 500 ms apart
  EXPECT_EQ(driver.boxes.size(), 1u);
}

TEST_F(QtUiTest, ProgressWindowWithHourglass) {
  ui.ShowProgress("");
  gui::ProgressWindow& p = ui.Progress();
  EXPECT_TRUE(p.isVisible());
  EXPECT_EQ(p.Caption(), "  Probiha vypocet !   ............");
  EXPECT_EQ(p.size(), QSize(153, 34));
  EXPECT_EQ(p.x(), QGuiApplication::primaryScreen()->geometry().left() + 11);
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  ui.HideProgress();
  EXPECT_FALSE(p.isVisible());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(QtUiTest, NoticeIsAsWideAsItsTextAndMore) {
  ui.ShowNotice("Orvo:  Prebiha archivace databasi !");
  gui::NoticeWindow& n = ui.Notice();
  EXPECT_TRUE(n.isVisible());
  EXPECT_EQ(n.Caption(), "  Orvo:  Prebiha archivace databasi !");
  QFont bold = n.font();
  bold.setBold(true);
  EXPECT_EQ(n.width(), QFontMetrics(bold).horizontalAdvance(n.Caption()) + 120);
  ui.HideNotice();
  EXPECT_FALSE(n.isVisible());
}

TEST_F(QtUiTest, InformationWindowSizeFollowsItsLines) {
  ui.ShowInformation("", "Jeden radek", "", 700, false);
  gui::InformationWindow& w = ui.Information();
  EXPECT_EQ(w.windowTitle(), "  Informace:");
  EXPECT_EQ(w.height(), 62);
  EXPECT_EQ(w.width(), QFontMetrics(w.font()).horizontalAdvance("Jeden radek") + 50);
  ui.HideInformation();
  EXPECT_EQ(clock.slept, 700);
  EXPECT_FALSE(w.isVisible());
  ui.ShowInformation("Hotovo", "Kratky", "A tenhle delsi radek", 300, true);
  EXPECT_EQ(w.windowTitle(), "  Hotovo");
  EXPECT_EQ(w.height(), 108);
  EXPECT_EQ(w.width(), QFontMetrics(w.font()).horizontalAdvance("A tenhle delsi radek") + 50);
  EXPECT_FALSE(w.isVisible());  // closed itself after its display time
  EXPECT_EQ(clock.slept, 1000);
}

TEST(NameFilters, DescriptionsGetTheirPatterns) {
  EXPECT_EQ(gui::NameFilters("Archivni soubory (1603UctO_*.Cds)|1603UctO_*.Cds"),
            QStringList{"Archivni soubory (1603UctO_*.Cds)"});
  EXPECT_EQ(gui::NameFilters("Soubory|*.Cds;*.Xml|Vse|*.*"),
            (QStringList{"Soubory (*.Cds *.Xml)", "Vse (*.*)"}));
}

using MenuWindows = GuiScratch;

TEST_F(MenuWindows, RestoreLooksAtTheGenerationAndCopiesItBack) {
  gui::OrvoApp& a = StartLoggedIn();
  // A stand-in viewer that records what it was given.
  const std::string args = root.path() + "/viewer-args";
  Put("D:\\LOrvo\\Programy\\TabView.Exe",
      "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + args + "'\n");
  std::filesystem::permissions(Host("D:\\LOrvo\\Programy\\TabView.Exe"),
                               std::filesystem::perms::owner_all);
  Put("D:\\LOrvo\\Data\\160301UctO.Cds", "current");
  Put("D:\\LOrvo\\Archiv\\160301UctO_003.Cds", "archived");
  driver.boxes.clear();
  const std::string generation = Host("D:\\LOrvo\\Archiv\\160301UctO_003.Cds");
  driver.Step([](QWidget* w) {
    auto* restore = qobject_cast<gui::RestoreWindow*>(w);
    ASSERT_NE(restore, nullptr);
    EXPECT_EQ(restore->windowTitle(), "  Obnova dat po havarii");
    restore->PostingsButton()->click();
    restore->CloseButton()->click();
  });
  driver.Step([generation](QWidget* w) {
    auto* dialog = qobject_cast<QFileDialog*>(w);
    ASSERT_NE(dialog, nullptr) << w->metaObject()->className();
    EXPECT_EQ(dialog->nameFilters(), QStringList{"Archivni soubory (160301UctO_*.Cds)"});
    auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(name, nullptr);
    name->setText(QString::fromStdString(generation));
    QTest::keyClick(name, Qt::Key_Return);
  });
  driver.Answer(QMessageBox::Yes);
  a.mainWindow()->ActionOf(MenuAction::ObnovaDat)->trigger();
  ASSERT_TRUE(driver.StepsDone());
  EXPECT_EQ(ReadHost(args), "D:\\LOrvo\\Archiv\\160301UctO_003.Cds\nD:\\LOrvo\\DefSoub\\UctO.Def\n"
                            "Zobrazeni\n");
  ASSERT_EQ(driver.boxes.size(), 1u) << ::testing::PrintToString(driver.boxes);
  EXPECT_EQ(driver.boxes[0].text, "Chcete soubor D:\\LOrvo\\Data\\160301UctO.Cds obnovit ?");
  EXPECT_EQ(driver.boxes[0].title, "Vstupni soubor:  D:\\LOrvo\\Archiv\\160301UctO_003.Cds");
  EXPECT_EQ(ReadHost(Host("D:\\LOrvo\\Data\\160301UctO.Cds")), "archived");
}

TEST_F(MenuWindows, RightsAdministrationClosesAtOnceForOthers) {
  PutUsers({{"Jana", "j1", "Sprav"}});
  gui::OrvoApp& a = StartLoggedIn("Jana", "j1");
  const std::string before = ReadHost(Host("C:\\A_Run\\PristPr\\LOrv.H"));
  Put("C:\\A_Run\\Uzivatele\\LOrv_Jana.J", "");
  QTest::keyClick(a.mainWindow()->centralWidget(), Qt::Key_A,
                  Qt::ControlModifier | Qt::AltModifier);
  EXPECT_FALSE(a.rightsDialog()->isVisible());
  EXPECT_FALSE(Exists("C:\\A_Run\\Uzivatele\\LOrv_Jana.J"));
  EXPECT_EQ(ReadHost(Host("C:\\A_Run\\PristPr\\LOrv.H")), before);
  EXPECT_FALSE(a.Ended());
}

}  // namespace
}  // namespace orvo::test
