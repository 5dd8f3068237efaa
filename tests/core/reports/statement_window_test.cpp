// The statements window's model: what it shows on opening, the typed and
// chosen definition, and the hand-over to the report window and the viewer.
#include "core/reports/statement_window.h"

#include <gtest/gtest.h>

#include "../accounting/books_fixture.h"
#include "core/app/session.h"
#include "core/shell/file_names.h"
#include "core/sys/files.h"

namespace orvo::test {
namespace {

class StatementWindowModel : public BooksScratch {
 protected:
  StatementWindowModel() {
    for (const char* name : {"Vykaz.Def", "VykUc.Def", "VykZRozv.Def", "VykZVysl.Def"}) InstallDef(name);
    MakeDirPath(*env, "C:\\A_Run\\PomSoub");
    GetPrintSettings(*env, session.printSettings);
    ui.messages.clear();
  }
  TUctVykZ window{session, session.engine, session.printSettings, session.vystHandOver};
};

TEST_F(StatementWindowModel, OpensWithTheOpenersDefinitionAndTheCurrentPeriod) {
  window.DefName = Def("VykZRozv.Def");
  window.FormShow();
  EXPECT_EQ(window.Edit1, "  D:\\LOrvo\\DefSoub\\VykZRozv.Def");
  EXPECT_EQ(window.Label1, "Vykaz II:  Rozvaha");
  EXPECT_EQ(window.Edit2, "2605");
  EXPECT_EQ(window.Edit3, "2605");
  EXPECT_EQ(window.Edit4, std::to_string(session.printSettings.PageRows));
  EXPECT_TRUE(FileExistsQuiet(*env, kStatementOutputDef));
  EXPECT_TRUE(ui.messages.empty());

  window.Edit1 = "  " + Def("VykZVysl.Def");
  EXPECT_TRUE(window.Edit1Exit());
  EXPECT_EQ(window.Label1, "Vykaz I:  Vysledovka - druhove cleneni");

  window.Zobr();  // no report window attached: only the hand-over
  EXPECT_EQ(session.vystHandOver.VystFile, "C:\\A_Run\\Aplikace\\LOrvo\\Sestavy\\VykZVysl.Ses");
  EXPECT_EQ(session.vystHandOver.VystToolDir, "D:\\LOrvo\\Programy");
}

TEST_F(StatementWindowModel, TypedNamesAreCheckedAndAMissingFileLeavesNoDefinition) {
  window.FormShow();
  EXPECT_EQ(window.Edit1, "  ");
  EXPECT_FALSE(window.HasDefinition());
  for (const char* bad : {"D:\\LOrvo\\DefSoub\\Rozvaha.Def", "D:\\LOrvo\\DefSoub\\VykZRozv.Txt"}) {
    ui.messages.clear();
    window.Edit1 = bad;
    EXPECT_FALSE(window.Edit1Exit()) << bad;
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, std::string("Chybne zadany nazev souboru\r\rSoubor:  ") + bad);
  }
  ui.messages.clear();
  window.Edit1 = "d:\\lorvo\\defsoub\\vykzneni.def";
  EXPECT_TRUE(window.Edit1Exit());
  EXPECT_FALSE(window.HasDefinition());
  EXPECT_EQ(ui.messages.size(), 1u);  // the file check's message
  EXPECT_FALSE(window.Proved());
}

TEST_F(StatementWindowModel, ChosenDefinitionComputedAtTheChosenLevel) {
  Make(BalanceFile(session), "UctS.Def", {Bal("01|02|03", "501100", "", "", "100", "0"),
                                          Bal("01|02|03", "211100", "", "", "0", "100")});
  ui.fileAnswers.push_back(Def("VykZVysl.Def"));
  window.FormShow();
  ASSERT_TRUE(window.DefSoub());
  ASSERT_EQ(ui.fileRequests.size(), 1u);
  EXPECT_EQ(ui.fileRequests[0].filter, "Vykazy - zdroje (VykZ*.Def)|VykZ*.Def");
  EXPECT_EQ(ui.fileRequests[0].startDir, "D:\\LOrvo\\DefSoub");
  window.level = StatementLevel::Sprava;
  ASSERT_TRUE(window.Proved());
  EXPECT_EQ(window.LastResult().units, 1);
  auto rows = Rows(window.DatasetFile());
  ASSERT_FALSE(rows.empty());
  EXPECT_EQ(rows[0][0], "01");
  EXPECT_EQ(rows[0][1], "02");
}

}  // namespace
}  // namespace orvo::test
