// The month-end close with its proposal, checks and questions, the year
// adjustment of the opening balances and the write-back Oprava.
#include <gtest/gtest.h>

#include "books_fixture.h"
#include "core/accounting/month_close.h"
#include "core/shell/file_names.h"
#include "core/sys/files.h"
#include "core/sys/numbers.h"

namespace orvo::test {
namespace {

class Closes : public BooksScratch {
 protected:
  Closes() { session.UserRole = "Sprav"; }
  std::string Stored() {
    LoadPeriod(session);
    return session.CurrentPeriod;
  }
  TUctMesU window{session, session.engine};
};

TEST_F(Closes, ProposalAndTargetChecks) {
  struct Case {
    const char* from;
    const char* proposal;
  } cases[] = {{"2603", "2604"}, {"2612", "2613"}, {"2614", "2615"}, {"2615", "2701"},
               {"9915", "0001"}, {"2600", "2601"}, {"9912", "9913"}};
  for (const Case& c : cases) EXPECT_EQ(ProposedNextPeriod(c.from), c.proposal) << c.from;
  for (const char* ok : {"2601", "2615", "2101", "9901", "0001"}) EXPECT_TRUE(ClosePeriodValid(ok)) << ok;
  for (const char* bad : {"2616", "2600", "2620", "17A1", "261", "26011", ""}) {
    EXPECT_FALSE(ClosePeriodValid(bad)) << bad;
  }
}

TEST_F(Closes, ClosingAMonthWritesTheNextBalanceFileAndMovesThePeriod) {
  PutPeriod("26 03");
  Make(Data("260201UctS.Cds"), "UctS.Def", {Bal("01|02|03", "311", "", "", "100", "", "26|02")});
  Make(Data("260301UctO.Cds"), "UctO.Def",
       {Post("01|02|03", "311", "", "", "50", "", "26|03"), Post("01|02|03", "211", "", "", "", "50", "26|03")});
  std::string shown;
  window.periodChanged = [&](const std::string& p) { shown = p; };
  window.FormShow();
  EXPECT_EQ(window.Edit1, "2603");
  EXPECT_EQ(window.Edit2, "2604");
  ASSERT_TRUE(window.Proved());
  EXPECT_EQ(Stored(), "26 04");
  EXPECT_EQ(shown, "26 04");
  auto r = Rows(Data("260301UctS.Cds"));
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(r[0][0] + r[0][1] + r[0][5], "2603211");
  EXPECT_EQ(Trim(r[0][9]), "50,00");
  EXPECT_EQ(r[1][5], "311");
  EXPECT_EQ(Trim(r[1][8]), "150,00");
  EXPECT_EQ(ui.progress.size(), 1u);
  // The window shows the next close.
  EXPECT_EQ(window.Edit1, "2604");
  EXPECT_EQ(window.Edit2, "2605");
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Closes, ClosingDecemberIntoJanuaryNamesTheSkippedMonths) {
  PutPeriod("26 12");
  Make(Data("261101UctS.Cds"), "UctS.Def", {Bal("01|02|03", "311", "", "", "10", "", "26|11")});
  Make(Data("261201UctO.Cds"), "UctO.Def", {Post("01|02|03", "311", "", "", "5", "", "26|12")});
  Make(Data("261301UctO.Cds"), "UctO.Def", {Post("01|02|03", "311", "", "", "1", "", "26|13")});
  window.FormShow();
  EXPECT_EQ(window.Edit2, "2613");
  window.Edit2 = "27 01";
  // No: nothing happens.
  EXPECT_FALSE(window.Proved());
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ui.messages[0].text.find("261301UctO.Cds"), std::string::npos);
  EXPECT_FALSE(Exists(Data("270001UctS.Cds")));
  EXPECT_EQ(Stored(), "26 12");
  // Yes: the opening state of 2027 is written and 27 01 is current.
  ui.answers.push_back(Answer::Yes);
  ASSERT_TRUE(window.Proved());
  EXPECT_EQ(Stored(), "27 01");
  auto r = Rows(Data("270001UctS.Cds"));
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(Trim(r[0][8]), "15,00");
}

TEST_F(Closes, RefusedAndBackwardTargetsWriteNothing) {
  PutPeriod("26 05");
  window.FormShow();
  for (const char* bad : {"2616", "2600", "17A1"}) {
    ui.Clear();
    window.Edit2 = bad;
    EXPECT_FALSE(window.Proved()) << bad;
    EXPECT_EQ(ui.Single(), Error("Chybne zadane obdobi !", std::string("Obdobi: ") + bad));
  }
  // Closing into an earlier period asks first; No leaves everything.
  Put(Data("260201UctS.Cds"), "earlier");
  ui.Clear();
  window.Edit2 = "2603";
  EXPECT_FALSE(window.Proved());
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ui.messages[0].text.find("260201UctS.Cds"), std::string::npos);
  EXPECT_EQ(Get(Data("260201UctS.Cds")), "earlier");
  EXPECT_EQ(Stored(), "26 05");
  // From year 99 into year 00 the books go forward: no question, and a
  // posting file passed over is named.
  PutPeriod("99 12");
  Make(Data("991301UctO.Cds"), "UctO.Def", {Post("01|02|03", "311", "", "", "1", "", "99|13")});
  window.FormShow();
  window.Edit2 = "0001";
  ui.Clear();
  ui.answers.push_back(Answer::Yes);
  ASSERT_TRUE(window.Proved());
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ui.messages[0].text.find("991301UctO.Cds"), std::string::npos);
  EXPECT_EQ(Stored(), "00 01");
  EXPECT_TRUE(Exists(Data("000001UctS.Cds")));
  // A year past 20 closes like any other.
  PutPeriod("99 05");
  window.FormShow();
  ui.Clear();
  ASSERT_TRUE(window.Proved());
  EXPECT_EQ(Stored(), "99 06");
  EXPECT_TRUE(Exists(Data("990501UctS.Cds")));
}

TEST_F(Closes, OnlyAdminAndSpravClose) {
  for (const char* role : {"Admin", "Sprav"}) {
    session.UserRole = role;
    EXPECT_TRUE(MayClose(session));
  }
  for (const char* role : {"Ucetni", "AdmDef", ""}) {
    session.UserRole = role;
    EXPECT_FALSE(MayClose(session));
    EXPECT_FALSE(RocUzav(session, session.engine));
  }
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Closes, YearAdjustmentNetsTheOpeningBalances) {
  PutPeriod("26 01");
  const std::string file = Data("260001UctS.Cds");
  Make(file, "UctS.Def",
       {Bal("01|02|03", "211", "", "", "1000", "250", "26|00"), Bal("01|02|03", "321", "", "", "100", "300", "26|00"),
        Bal("01|02|03", "311", "", "", "10,004", "10", "26|00"), Bal("01|02|03", "501", "", "", "80", "", "26|00"),
        Bal("01|02|03", "602", "", "", "", "90", "26|00"), Bal("01|02|03", "710", "", "", "5", "", "26|00"),
        Bal("01|02|03", "999", "", "", "5", "", "26|00")});
  // No: nothing changes.
  EXPECT_FALSE(RocUzav(session, session.engine));
  EXPECT_EQ(Rows(file).size(), 7u);
  ui.answers.push_back(Answer::Yes);
  ASSERT_TRUE(RocUzav(session, session.engine));
  auto r = Rows(file);
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(r[0][5], "211");
  EXPECT_EQ(Trim(r[0][8]), "750,00");
  EXPECT_EQ(Trim(r[0][9]), "");
  EXPECT_EQ(r[1][5], "321");
  EXPECT_EQ(Trim(r[1][8]), "");
  EXPECT_EQ(Trim(r[1][9]), "200,00");
  // The old file was kept as a local safety copy.
  EXPECT_TRUE(Exists("C:\\A_Run\\Aplikace\\LOrvo\\Archiv\\260001UctS.Cds"));
  // A second run changes nothing further.
  const std::string once = Get(file);
  ui.answers.push_back(Answer::Yes);
  ASSERT_TRUE(RocUzav(session, session.engine));
  EXPECT_EQ(Rows(file), r);
  (void)once;
  // In month 02 nothing happens, without a question.
  PutPeriod("26 02");
  ui.Clear();
  EXPECT_FALSE(RocUzav(session, session.engine));
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Closes, OpravaReplacesTheStoredRecordsKeepingItsStructure) {
  const std::string stored = Data("260401UctS.Cds");
  const std::string edited = "C:\\A_Run\\Work\\Orvoork.Cds";
  Make(stored, "UctS.Def", {Bal("01|02|03", "311", "", "", "1", ""), Bal("01|02|03", "211", "", "", "2", "")});
  Make(edited, "UctSS.Def", {"26|05|01|02|03|221|||7||"});
  TUctProc proc(session, session.engine);
  ASSERT_TRUE(proc.Oprava(edited, stored));
  EXPECT_EQ(FieldNames(stored).size(), 10u);
  auto r = Rows(stored);
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0][5], "221");
  EXPECT_EQ(Trim(r[0][8]), "7,00");
  // A missing file is reported and nothing changes.
  const std::string before = Get(stored);
  EXPECT_FALSE(proc.Oprava("C:\\A_Run\\Work\\None.Cds", stored));
  EXPECT_EQ(Get(stored), before);
  EXPECT_NE(ui.messages.back().text.find("None.Cds"), std::string::npos);
}

}  // namespace
}  // namespace orvo::test
