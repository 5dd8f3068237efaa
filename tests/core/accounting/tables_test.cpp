// The views of the menu "Tabulky" and the opening balances editor.
#include <gtest/gtest.h>

#include "books_fixture.h"
#include "core/accounting/tables.h"
#include "core/shell/file_names.h"
#include "core/shell/table_viewer.h"
#include "core/sys/files.h"

namespace orvo::test {
namespace {

class Tables : public BooksScratch {
 protected:
  const std::string bal = Data("260401UctS.Cds");
  const std::string post = Data("260501UctO.Cds");
  TableView View(BooksTable which, std::string_view from = {}, std::string_view to = {}) {
    return ComputeTable(session, session.engine, which, from, to);
  }
};

TEST_F(Tables, RangeOfPeriodsInOrderAndEmptyWhenReversed) {
  for (const char* p : {"2603", "2601", "2602", "2604"}) {
    const std::string key = p;
    Make(PostingFile(session, key), "UctO.Def", {Post("01|02|03", "311", "", key, "1", "", "26|" + key.substr(2))});
  }
  TableView v = View(BooksTable::ObratyOdDo, "2601", "2603");
  ASSERT_TRUE(v.ok);
  EXPECT_EQ(v.heading, "Prehled obratu za obdobi 2601-2603");
  std::vector<std::string> order;
  for (const auto& row : Rows(v.file)) order.push_back(row[11]);
  EXPECT_EQ(order, (std::vector<std::string>{"2601", "2602", "2603"}));
  v = View(BooksTable::ObratyOdDo, "2603", "2601");
  ASSERT_TRUE(v.ok);
  EXPECT_TRUE(Rows(v.file).empty());
  EXPECT_EQ(ui.progress.size(), 2u);
}

TEST_F(Tables, BalancesAndPostingsOfTheMonth) {
  Make(bal, "UctS.Def", {Bal("01|02|03", "311", "", "", "100", "250,5"), Bal("01|02|03", "211", "", "", "5", "")});
  Make(post, "UctO.Def", {});
  TableView v = View(BooksTable::StavyObraty);
  ASSERT_TRUE(v.ok);
  EXPECT_EQ(v.heading, "Prehled stavu a obratu za obdobi 26 05");
  auto r = Rows(v.file);
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(r[0][2] + r[0][3] + r[0][4] + r[0][10], "0000000000000010001Stav");
  EXPECT_EQ(r[1][4], "0002");

  // No postings: the stored balances with their net balance (summed in key
  // order, as an empty posting file is still a posting file).
  v = View(BooksTable::AktStavy);
  ASSERT_TRUE(v.ok);
  EXPECT_EQ(v.heading, "Prehled aktualnich stavu v obdobi 26 05");
  r = Rows(v.file);
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(Trim(r[0][10]), "5,00");
  EXPECT_EQ(Trim(r[1][10]), "-150,50");
  // Without a posting file they stay as stored.
  EraseFile(*env, post);
  r = Rows(View(BooksTable::AktStavy).file);
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(r[0][5], "311");
  EXPECT_EQ(Trim(r[0][10]), "-150,50");
}

TEST_F(Tables, StoredViewsGoToTheViewerAsTheyAre) {
  Make(bal, "UctS.Def", {Bal("01|02|03", "311", "", "", "100", "")});
  ShowTable(session, session.engine, BooksTable::Stavy);
  EXPECT_EQ(Get("C:\\A_Run\\Work\\TabView_Data.Cds"), Get(bal));
  const std::string handOver = Get(std::string(kViewerHandOver));
  EXPECT_NE(handOver.find("UctS.Def\r\nOrvo\r\nPrehled stavu\r\nZobrazeni"), std::string::npos) << handOver;
  // A missing posting file is reported by the copy.
  ui.Clear();
  ShowTable(session, session.engine, BooksTable::Obraty);
  ASSERT_FALSE(ui.messages.empty());
  EXPECT_NE(ui.messages[0].text.find("260501UctO.Cds"), std::string::npos);
}

TEST_F(Tables, OpeningBalancesAreWrittenBackOnlyWhenChanged) {
  // Stored unsorted; closing the browser without a change leaves it.
  Make(bal, "UctS.Def", {Bal("01|02|03", "311", "", "", "100", ""), Bal("01|02|03", "211", "", "", "5", "")});
  const std::string before = Get(bal);
  bool shown = false;
  EXPECT_FALSE(DataStavy(session, session.engine, session.scrHandOver, [&] {
    shown = true;
    EXPECT_EQ(session.scrHandOver.ScrFile, std::string(kTablesWorkFile));
    EXPECT_EQ(session.scrHandOver.ScrEditAllowed, 'A');
  }));
  EXPECT_TRUE(shown);
  EXPECT_EQ(Get(bal), before);

  // One amount edited: the file is rewritten in key order.
  EXPECT_TRUE(DataStavy(session, session.engine, session.scrHandOver, [&] {
    Dataset ds(*env);
    ASSERT_TRUE(ds.LoadFromFile(std::string(kTablesWorkFile)));
    ds.First();
    ds.SetAsString(8, "         777,00");
    ds.Post();
    ASSERT_TRUE(ds.SaveToFile(std::string(kTablesWorkFile), DataFormat::Binary));
    session.scrHandOver.ScrChanged = true;
  }));
  auto r = Rows(bal);
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(r[0][5], "211");
  EXPECT_EQ(Trim(r[0][8]), "777,00");
  EXPECT_EQ(r[1][5], "311");
  EXPECT_EQ(FieldNames(bal).size(), 10u);
}

TEST_F(Tables, OpeningBalancesOfANewInstallationStartEmpty) {
  bool shown = false;
  DataStavy(session, session.engine, session.scrHandOver, [&] { shown = true; });
  EXPECT_TRUE(shown);
  ASSERT_FALSE(ui.messages.empty());
  EXPECT_NE(ui.messages[0].text.find("260401UctS.Cds"), std::string::npos);
  EXPECT_TRUE(Exists(bal));
  EXPECT_TRUE(Rows(bal).empty());
}

}  // namespace
}  // namespace orvo::test
