// The menu "Dos" on the demo installation with a year of the DOS version's
// data beside it: the balances converted under the progress window end with
// the summary box, the working period stays, and a second run of the
// postings asks once before replacing the files it made; a picture of the
// summary.
#include <QAction>
#include <QLabel>
#include <QTest>

#include <string>
#include <vector>

#include "core/accounting/legacy_data_generator.h"
#include "core/app/main_menu.h"
#include "core/sys/dosfs.h"
#include "core/sys/text_lines.h"
#include "gui/app/main_window.h"
#include "gui/gui_support.h"
#include "support/host_file.h"
#include "support/scripted_ui.h"

namespace orvo::test {
namespace {

class LegacyWindowFlow : public GuiScratch {
 protected:
  static constexpr const char* kPassword = "Demo2016";

  // The demo (period 16 03 by the test clock) with the legacy year 15 in
  // D:\PrevDos, named in line 4 of UctInic.TXT.
  void InstallWithLegacyData() {
    InstallDemoCompany(kPassword);
    DriveMap drives;
    drives.Map('C', cDir);
    drives.Map('D', dDir);
    DosFs fs(drives);
    ScriptedUi ui;
    Env env{ui, fs, clock};
    const LegacyYear year = GenerateLegacyYear("15", {{"01", "01", "11"}, {"02", "02", "21"}, {"03", "03", "31"}});
    ASSERT_EQ(WriteLegacyYear(env, "D:\\PrevDos", year).size(), 27u);
    const std::string init = "D:\\LOrvo\\PomSoub\\UctInic.TXT";
    std::vector<std::string> lines = SplitLines(ReadHostFile(Host(init)));
    lines.resize(4);
    lines[3] = "D:\\PrevDos";
    Put(init, JoinLines(lines));
  }
};

TEST_F(LegacyWindowFlow, BalancesAndPostingsFromTheDosMenu) {
  InstallWithLegacyData();
  app = MakeApp();
  driver.Login("Admin", kPassword);
  ASSERT_TRUE(app->Start({"D:"}));
  ASSERT_TRUE(WaitFor([&] { return app->mainWindow()->FirstActivationDone() || app->Ended(); }));
  ASSERT_FALSE(app->Ended()) << app->EndReason();
  driver.boxes.clear();

  driver.screenshotNextBox = "legacy_balances_summary";
  app->mainWindow()->ActionOf(MenuAction::DosPrevStavy)->trigger();
  ASSERT_EQ(driver.boxes.size(), 1u) << ::testing::PrintToString(driver.boxes);
  EXPECT_EQ(driver.boxes[0].title, QStringLiteral("Prevod pocatecnich stavu uctu"));
  EXPECT_TRUE(driver.boxes[0].text.startsWith(QStringLiteral("Prevedeno souboru: 12"))) << driver.boxes[0].text.toStdString();
  EXPECT_TRUE(Exists("D:\\LOrvo\\Data\\150001UctS.Cds"));
  EXPECT_TRUE(Exists("D:\\LOrvo\\Data\\151101UctS.Cds"));
  EXPECT_EQ(app->mainWindow()->PeriodLabel()->text(), QStringLiteral("Ucetni obdobi: 16 03"));

  driver.boxes.clear();
  app->mainWindow()->ActionOf(MenuAction::DosPrevObraty)->trigger();
  ASSERT_EQ(driver.boxes.size(), 1u) << ::testing::PrintToString(driver.boxes);
  EXPECT_TRUE(Exists("D:\\LOrvo\\Data\\151201UctO.Cds"));

  // Again: the question names the twelve files; No leaves them.
  driver.boxes.clear();
  driver.Answer(QMessageBox::No);
  app->mainWindow()->ActionOf(MenuAction::DosPrevObraty)->trigger();
  ASSERT_EQ(driver.boxes.size(), 1u) << ::testing::PrintToString(driver.boxes);
  EXPECT_TRUE(driver.boxes[0].text.startsWith(QStringLiteral("Prevod nahradi existujici soubory: 12")))
      << driver.boxes[0].text.toStdString();
  EXPECT_FALSE(Exists("D:\\LOrvo\\Archiv\\150101UctO_001.Cds"));
}

}  // namespace
}  // namespace orvo::test
