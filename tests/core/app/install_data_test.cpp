#include "core/app/install_data.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "support/app_fixture.h"
#include "core/shell/access_file.h"
#include "core/app/demo_install.h"
#include "core/shell/init_file.h"
#include "core/shell/layout.h"
#include "core/data/dataset.h"
#include "core/sys/encoding.h"

namespace orvo::test {
namespace {

// The installation data as shipped in the source tree.
InstallSources ShippedSources() {
  namespace fs = std::filesystem;
  InstallSources sources;
  sources.origin = std::string(ORVO_SOURCE_DIR) + "/install";
  for (const auto& entry : fs::recursive_directory_iterator(sources.origin)) {
    if (!entry.is_regular_file()) continue;
    sources.files[fs::relative(entry.path(), sources.origin).generic_string()] =
        ReadHost(entry.path().string());
  }
  return sources;
}

constexpr const char* kAccountsDef =
    "Accounts\n"
    "  6 1. Ucet                             Ucet                          PMC    I01\n"
    " 10 2. Nazev                            Nazev                         PM\n"
    "  1 3. Druh                             D                             PMV\n";

class InstallDataTest : public AppScratch {
 protected:
  std::vector<std::vector<std::string>> Records(const std::string& logical) {
    Dataset ds(*env);
    EXPECT_TRUE(ds.LoadFromFile(logical)) << logical;
    std::vector<std::vector<std::string>> rows;
    for (int r = 0; r < ds.RecordCount(); ++r) {
      std::vector<std::string> row;
      for (int f = 0; f < ds.FieldCount(); ++f) row.push_back(ds.StringAt(r, f));
      rows.push_back(row);
    }
    return rows;
  }
  InstallSources Small(const std::string& list) {
    InstallSources s;
    s.origin = "/src/install";
    s.files["manifest.txt"] =
        "install | defs/U.Def |            | LOrvo\\DefSoub\\U.Def\n"
        "install | cisel/U.txt | defs/U.Def | LOrvo\\Cisel\\{YY}Ucty.Cds\n";
    s.files["defs/U.Def"] = kAccountsDef;
    s.files["cisel/U.txt"] = list;
    return s;
  }
};

TEST_F(InstallDataTest, ShippedChartOfAccountsFollowsTheStandardChart) {
  PutPeriod("16 03");
  PrepareLocalTree(*env);
  std::vector<std::string> created;
  ASSERT_TRUE(InstallData(session, ShippedSources(), InstallScope::Install, &created));
  EXPECT_TRUE(ui.messages.empty()) << ui.messages.front().text;
  EXPECT_NE(std::find(created.begin(), created.end(), "D:\\LOrvo\\Cisel\\16Ucty.Cds"),
            created.end());

  auto rows = Records("D:\\LOrvo\\Cisel\\16Ucty.Cds");
  std::set<char> classes;
  std::set<std::string> synthetic;
  std::string previous;
  bool diacritics = false;
  for (const auto& row : rows) {
    ASSERT_EQ(row.size(), 3u);
    const std::string account = row[0];
    EXPECT_LT(previous, account) << "sorted and unique";
    previous = account;
    classes.insert(account[0]);
    if (account.substr(3) == "   ") {
      synthetic.insert(account.substr(0, 3));
    } else {
      EXPECT_TRUE(synthetic.count(account.substr(0, 3))) << account << " has no synthetic";
    }
    EXPECT_NE(std::string("APNV").find(row[2]), std::string::npos) << account;
    EXPECT_FALSE(row[1].empty()) << account;
    diacritics = diacritics || row[1].find('\xF8') != std::string::npos;  // "r" with caron
  }
  EXPECT_EQ(classes, (std::set<char>{'0', '1', '2', '3', '4', '5', '6', '7'}));
  EXPECT_TRUE(diacritics) << "names are Windows-1250 with diacritics";
  // The accounts the rest of the system and the demo rely on.
  auto has = [&](const char* a) {
    return std::any_of(rows.begin(), rows.end(), [&](const auto& r) { return r[0] == a; });
  };
  for (const char* a : {"211   ", "221   ", "311   ", "311100", "321   ", "343   ", "501   ",
                        "601   ", "701   ", "702   ", "710   ", "012   ", "432   "}) {
    EXPECT_TRUE(has(a)) << a;
  }
  // 011 (formation expenses) is no longer part of the chart; development
  // results are 012.
  EXPECT_FALSE(has("011   "));
  EXPECT_EQ(Get("D:\\LOrvo\\DefSoub\\Ucty.Def").find("\r\n") != std::string::npos, true);
  // The finance sibling's lists belong to the demo only.
  EXPECT_FALSE(Exists("D:\\LPexo"));
}

TEST_F(InstallDataTest, ShippedListsOfTheDemoScopeAllBuild) {
  EXPECT_TRUE(CheckInstallData(*env, ShippedSources(), InstallScope::Demo));
  EXPECT_TRUE(ui.messages.empty()) << ui.messages.front().text;
}

TEST_F(InstallDataTest, ValuesAreNormalisedAndRecordsSortedByKey) {
  PutPeriod("16 03");
  PrepareLocalTree(*env);
  std::vector<std::string> created;
  ASSERT_TRUE(InstallData(session, Small("# note\n\n311100| Odběratelé |a\n311|Pohledávky|A\n"),
                          InstallScope::Install, &created));
  EXPECT_EQ(created, (std::vector<std::string>{"D:\\LOrvo\\DefSoub\\U.Def",
                                               "D:\\LOrvo\\Cisel\\16Ucty.Cds"}));
  auto rows = Records("D:\\LOrvo\\Cisel\\16Ucty.Cds");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], (std::vector<std::string>{"311   ", Utf8ToCp1250("Pohledávky"), "A"}));
  EXPECT_EQ(rows[1], (std::vector<std::string>{"311100", Utf8ToCp1250("Odběratelé"), "A"}));
  EXPECT_FALSE(Exists("C:\\A_Run\\Work\\InstallCis.Def"));
}

TEST_F(InstallDataTest, ExistingFilesAreLeftAsTheyAre) {
  PutPeriod("16 03");
  PrepareLocalTree(*env);
  Put("D:\\LOrvo\\Cisel\\16Ucty.Cds", "edited by the user");
  std::vector<std::string> created;
  ASSERT_TRUE(InstallData(session, Small("311|Pohledávky|A\n"), InstallScope::Install, &created));
  EXPECT_EQ(created, (std::vector<std::string>{"D:\\LOrvo\\DefSoub\\U.Def"}));
  EXPECT_EQ(Get("D:\\LOrvo\\Cisel\\16Ucty.Cds"), "edited by the user");
}

struct FaultCase {
  const char* name;
  const char* list;
  const char* where;
  const char* problem;
};

class InstallFaultTest : public InstallDataTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(InstallFaultTest, FaultySourceIsReportedAndNothingIsWritten) {
  const FaultCase& c = GetParam();
  PutPeriod("16 03");
  PrepareLocalTree(*env);
  std::vector<std::string> created;
  EXPECT_FALSE(InstallData(session, Small(c.list), InstallScope::Install, &created));
  EXPECT_EQ(ui.Single(), Error(std::string(c.where) + ":\r" + c.problem + "\r\r/src/install",
                               "Chyba v instalacnich datech"));
  EXPECT_TRUE(created.empty());
  EXPECT_FALSE(Exists("D:\\LOrvo\\DefSoub\\U.Def"));
  EXPECT_FALSE(Exists("D:\\LOrvo\\Cisel\\16Ucty.Cds"));
}

INSTANTIATE_TEST_SUITE_P(
    Sources, InstallFaultTest,
    ::testing::Values(
        FaultCase{"too_long", "311|Pohledavky z obchodu|A\n", "cisel/U.txt, radek 1",
                  "Udaj 2 je delsi nez 10 znaku"},
        FaultCase{"check_refuses", "311|Pohledavky|A\n31a|Chyba|A\n", "cisel/U.txt, radek 2",
                  "Udaj 1 neprosel kontrolou C"},
        FaultCase{"repeated_key", "311|Pohledavky|A\n321|Zavazky|P\n311|Znovu|A\n",
                  "cisel/U.txt, radek 3", "Klic se opakuje (radek 1)"},
        FaultCase{"too_many_values", "311|Pohledavky|A|navic\n", "cisel/U.txt, radek 1",
                  "Udaju je vice nez slov definice (3)"},
        FaultCase{"outside_1250", "311|\xE6\xBC\xA2|A\n", "cisel/U.txt, radek 1",
                  "Radek obsahuje znak mimo kodovou stranku 1250"},
        FaultCase{"blank_key", "|Bez uctu|A\n", "cisel/U.txt, radek 1", "Chybi klic"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(InstallDataTest, MissingSourceIsNamed) {
  InstallSources s = Small("311|Pohledavky|A\n");
  s.files.erase("defs/U.Def");
  EXPECT_FALSE(CheckInstallData(*env, s, InstallScope::Install));
  EXPECT_EQ(ui.Single(), Error("defs/U.Def:\rSoubor chybi\r\r/src/install",
                               "Chyba v instalacnich datech"));
}

TEST_F(InstallDataTest, WithoutAPeriodTheListsAreForTodaysYear) {
  clock.Set({2017, 5, 4, 10, 0, 0});
  EXPECT_EQ(InstallYear(session), "17");
  EXPECT_TRUE(ui.messages.empty());
  PutPeriod("16 12");
  EXPECT_EQ(InstallYear(session), "16");
}

// --- the demo installation ----------------------------------------------

class DemoTest : public InstallDataTest {
 protected:
  DemoTest() { clock.Set({2016, 3, 15, 9, 30, 0}); }
  int Demo(const BatchCredentials& credentials, int plant = 1) {
    out.str("");
    DemoOptions options;
    options.plant = plant;
    options.newPassword = "tajne123";
    return BatchDemo(session, credentials, ShippedSources(), options, out);
  }
  std::ostringstream out;
};

TEST_F(DemoTest, FreshComputerGetsTheWholeDemo) {
  ASSERT_EQ(Demo({}, 2), kBatchOk) << (ui.messages.empty() ? "" : ui.messages.front().text);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(Get("C:\\A_Run\\PomSoub\\ObdobiOrvo.Txt"), "16 03\r\n");
  EXPECT_TRUE(Exists("D:\\LOrvo\\Cisel\\16Ucty.Cds"));
  EXPECT_TRUE(Exists("D:\\LOrvo\\Cisel\\16Cinn.Cds"));
  EXPECT_TRUE(Exists("D:\\LOrvo\\Cisel\\16Konta.Cds"));
  EXPECT_TRUE(Exists("D:\\LOrvo\\Cisel\\MJCinn.Cds"));
  EXPECT_TRUE(Exists("D:\\LOrvo\\Cisel\\CM.Cds"));
  EXPECT_TRUE(Exists("D:\\LOrvo\\Cisel\\OdDoKonto.Cds"));
  auto customers = Records("D:\\LPexo\\Cisel\\Odber.Cds");
  ASSERT_FALSE(customers.empty());
  EXPECT_EQ(customers[0].size(), 6u);
  EXPECT_FALSE(Records("D:\\LPexo\\Cisel\\Dodav.Cds").empty());

  ReadInitFile(session);
  EXPECT_EQ(session.PlantName, Utf8ToCp1250("02 Závod Třebíč"));
  EXPECT_EQ(session.UnitKey, "020221");
  const std::string text = out.str();
  EXPECT_NE(text.find("Ucetni obdobi: 16 03\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Uzivatel: Admin   Heslo: tajne123\n"), std::string::npos) << text;

  // The access file holds just that user.
  auto records = ParseAccessImage(ReadAccessFile(*env, "C:\\A_Run\\PristPr\\LOrv.H"));
  EXPECT_EQ(records, (std::vector<AccessRecord>{{"Admin", "tajne123", "Admin"}}));
}

TEST_F(DemoTest, AgainItNeedsAnAdministratorAndKeepsEverything) {
  ASSERT_EQ(Demo({}), kBatchOk);
  Put("D:\\LOrvo\\PomSoub\\UctInic.TXT", "99 Vlastni\r\n");
  EXPECT_EQ(Demo({}), kBatchRefused);
  EXPECT_EQ(ui.Single(), Info("Chybne zadane jmeno nebo heslo !"));
  ui.Clear();
  ASSERT_EQ(Demo({"Admin", "tajne123"}), kBatchOk);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(Get("D:\\LOrvo\\PomSoub\\UctInic.TXT"), "99 Vlastni\r\n");
  EXPECT_NE(out.str().find("Uzivatele: beze zmeny"), std::string::npos) << out.str();
  EXPECT_EQ(out.str().find("Heslo"), std::string::npos);
}

TEST_F(DemoTest, PlantOutsideTheListIsAUsageError) {
  EXPECT_EQ(Demo({}, 4), kBatchUsage);
  EXPECT_FALSE(Exists("C:\\A_Run\\PristPr\\LOrv.H"));
}

}  // namespace
}  // namespace orvo::test
