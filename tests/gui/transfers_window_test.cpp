// The transfers on the demo installation from the main menu: "Kumulace" >
// "Pexo" takes the finance transfer of the month, then the window
// "Automaticke prevody" runs the shipped AutPrev1.Def; pictures of the
// window before and after.
#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "core/app/main_menu.h"
#include "core/data/dataset.h"
#include "core/sys/dosfs.h"
#include "core/sys/text.h"
#include "gui/accounting/auto_transfer_window.h"
#include "gui/app/main_window.h"
#include "gui/gui_support.h"
#include "gui/sys/qt_ui.h"

namespace orvo::test {
namespace {

class TransfersWindowFlow : public GuiScratch {
 protected:
  static constexpr const char* kPassword = "Demo2016";

  // Postings of the working month by the text of word 20.
  int WithText(const std::string& text) {
    DriveMap drives;
    drives.Map('C', cDir);
    drives.Map('D', dDir);
    DosFs fs(drives);
    gui::QtUi ui(fs, clock);
    Env env{ui, fs, clock};
    Dataset ds(env);
    EXPECT_TRUE(ds.LoadFromFile("D:\\LOrvo\\Data\\160301UctO.Cds"));
    int count = 0;
    for (int r = 0; r < ds.RecordCount(); ++r) count += TrimRight(ds.StringAt(r, 19)) == text ? 1 : 0;
    return count;
  }
};

TEST_F(TransfersWindowFlow, PexoThenTheAutomaticTransfersOfTheShippedRules) {
  InstallDemoCompany(kPassword);
  app = MakeApp();
  driver.Login("Admin", kPassword);
  ASSERT_TRUE(app->Start({"D:"}));
  ASSERT_TRUE(WaitFor([&] { return app->mainWindow()->FirstActivationDone() || app->Ended(); }));
  ASSERT_FALSE(app->Ended()) << app->EndReason();
  ASSERT_TRUE(Exists("D:\\LPexo\\Prevody\\1603PexoUctPr.Cds"));
  driver.boxes.clear();

  app->mainWindow()->ActionOf(MenuAction::KumPexo)->trigger();
  EXPECT_TRUE(driver.boxes.empty()) << ::testing::PrintToString(driver.boxes);
  EXPECT_GT(WithText("Bankovni poplatky"), 0);
  EXPECT_EQ(WithText("Automaticke prevody"), 0);

  QString preset;
  int added = -1;
  driver.Step([&](QWidget* w) {
    auto* window = qobject_cast<gui::AutoTransferWindow*>(w);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("  Automaticke prevody"));
    EXPECT_TRUE(window->SourceButton(0)->isChecked());
    preset = window->IdField()->text();
    window->DefinitionField()->setText(QStringLiteral("D:\\LOrvo\\DefSoub\\AutPrev1.Def"));
    Screenshot(window, "auto_transfer");
    window->ProceedButton()->click();
    added = window->model().last.added;
    Screenshot(window, "auto_transfer_done");
    window->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
  });
  app->mainWindow()->ActionOf(MenuAction::AutPrev)->trigger();
  ASSERT_TRUE(WaitFor([&] { return driver.StepsDone(); }));
  EXPECT_TRUE(driver.boxes.empty()) << ::testing::PrintToString(driver.boxes);
  EXPECT_TRUE(preset.endsWith(QStringLiteral("9901"))) << preset.toStdString();
  EXPECT_GT(added, 0);
  EXPECT_EQ(WithText("Automaticke prevody"), added);
}

}  // namespace
}  // namespace orvo::test
