#include "core/app/code_list_menu.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/app/main_window.h"
#include "support/app_fixture.h"
#include "core/shell/layout.h"
#include "core/data/cds_proc.h"
#include "core/data/definition.h"

namespace orvo::test {
namespace {

class CodeListMenuTest : public AppScratch {
 protected:
  CodeListMenuTest() : cds(*env, def), cis(*env, cds, handOver, Ports()) {
    PrepareLocalTree(*env);
    CreateApplicationTrees(session);
    PutPeriod("16 03");
  }
  CisPorts Ports() {
    CisPorts p;
    p.showWindow = [this] {
      opened.push_back(handOver.CisFileName);
      keys.push_back(handOver.CisKeyCount);
      if (!cis.Open()) return;
      if (whileShown) whileShown();
      cis.Close();
    };
    return p;
  }
  void WriteList(const std::string& name, const std::vector<std::vector<std::string>>& rows) {
    Dataset ds(*env);
    ds.AddField("Ucet", FieldType::Text, 6);
    ds.AddField("Nazev", FieldType::Text, 20);
    ASSERT_TRUE(ds.CreateDataSet());
    for (const auto& r : rows) {
      ds.Append();
      ds.SetAsString(0, r[0]);
      ds.SetAsString(1, r[1]);
      ds.Post();
    }
    ASSERT_TRUE(ds.SaveToFile(name, DataFormat::Binary));
  }

  LoadedDef def;
  TCdsProc cds;
  CisHandOver handOver;
  TCdsCis cis;
  std::vector<std::string> opened;
  std::vector<int> keys;
  std::function<void()> whileShown;
};

TEST_F(CodeListMenuTest, ChartOfAccountsOfANewYearIsCarriedOverEditedAndDistributed) {
  WriteList("D:\\LOrvo\\Cisel\\15Ucty.Cds", {{"321", "Dodavatele"}, {"311", "Odberatele"}});
  fs->MakeDir("D:\\LPexo");
  fs->MakeDir("D:\\LPexo\\Cisel");
  whileShown = [&] {
    cis.EditCis();
    cis.SetSearchText("311");
    cis.VyhledKlic();
    cis.SelectCol(1);
    cis.SetCellText("Odb\xECratel\xE9");  // Windows-1250
  };
  AUcty(session, cis);
  EXPECT_EQ(opened, (std::vector<std::string>{"D:\\LOrvo\\Cisel\\16Ucty.Cds"}));
  EXPECT_EQ(keys, (std::vector<int>{1}));
  Dataset ds(*env);
  ASSERT_TRUE(ds.LoadFromFile("D:\\LOrvo\\Cisel\\16Ucty.Cds"));
  ASSERT_EQ(ds.RecordCount(), 2);
  EXPECT_EQ(ds.StringAt(0, 0), "311   ");
  EXPECT_EQ(ds.StringAt(0, 1), "Odb\xECratel\xE9          ");
  EXPECT_EQ(Get("D:\\LPexo\\Cisel\\16Ucty.Cds"), Get("D:\\LOrvo\\Cisel\\16Ucty.Cds"));
  EXPECT_FALSE(Exists("D:\\LRamu"));
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CodeListMenuTest, FixedListsAreOpenedByName) {
  for (const char* name : {"MJCinn.Cds", "CM.Cds", "OdDoKonto.Cds"}) {
    WriteList(std::string("D:\\LOrvo\\Cisel\\") + name, {{"1", "x"}});
  }
  AMjCinn(session, cis);
  ACM(session, cis);
  AOdDoKonto(session, cis);
  EXPECT_EQ(opened, (std::vector<std::string>{"D:\\LOrvo\\Cisel\\MJCinn.Cds",
                                              "D:\\LOrvo\\Cisel\\CM.Cds",
                                              "D:\\LOrvo\\Cisel\\OdDoKonto.Cds"}));
  EXPECT_EQ(keys, (std::vector<int>{1, 1, 2}));
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CodeListMenuTest, ActivitiesAndKontaUseTheirYearFiles) {
  WriteList("D:\\LOrvo\\Cisel\\16Cinn.Cds", {{"10100", "Tezba"}});
  WriteList("D:\\LOrvo\\Cisel\\16Konta.Cds", {{"800001", "Novak"}});
  ACinn(session, cis);
  AKonta(session, cis);
  EXPECT_EQ(opened, (std::vector<std::string>{"D:\\LOrvo\\Cisel\\16Cinn.Cds",
                                              "D:\\LOrvo\\Cisel\\16Konta.Cds"}));
}

// The menu items are carried out by the main window's model on the
// session's own code-list model; a window only attaches to its port.
TEST_F(CodeListMenuTest, MainWindowModelDispatchesEveryCodeListItem) {
  for (const char* name : {"16Ucty.Cds", "16Cinn.Cds", "16Konta.Cds", "MJCinn.Cds", "CM.Cds",
                           "OdDoKonto.Cds"}) {
    WriteList(std::string("D:\\LOrvo\\Cisel\\") + name, {{"1", "x"}});
  }
  std::vector<std::string> shown;
  CisPorts ports = session.codeList.Ports();
  ports.showWindow = [&] { shown.push_back(session.cisHandOver.CisFileName); };
  session.codeList.SetPorts(ports);
  session.UserRole = "Admin";
  session.UserRights = "|Sprav|";
  MainWindowModel model(session);
  for (MenuAction action : {MenuAction::AUcty, MenuAction::ACinn, MenuAction::AKonta,
                            MenuAction::AMjCinn, MenuAction::ACM, MenuAction::AOdDoKonto}) {
    EXPECT_FALSE(MainWindowModel::NeedsWindow(action));
    ASSERT_TRUE(model.Allowed(action));
    model.Perform(action);
  }
  EXPECT_EQ(shown, (std::vector<std::string>{
                       "D:\\LOrvo\\Cisel\\16Ucty.Cds", "D:\\LOrvo\\Cisel\\16Cinn.Cds",
                       "D:\\LOrvo\\Cisel\\16Konta.Cds", "D:\\LOrvo\\Cisel\\MJCinn.Cds",
                       "D:\\LOrvo\\Cisel\\CM.Cds", "D:\\LOrvo\\Cisel\\OdDoKonto.Cds"}));
  EXPECT_TRUE(opened.empty());
  EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace orvo::test
