// The accounting document window's model: opening, numbering, the cell
// checks and the conversion, saving, loading, renumbering, overwriting and
// deleting documents in the posting file, the row keys, the prints.
#include <gtest/gtest.h>

#include <cmath>

#include "core/output/report_file.h"
#include "core/sys/files.h"
#include "core/sys/numbers.h"
#include "documents_fixture.h"

namespace orvo::test {
namespace {

class Documents : public DoklScratch {
 protected:
  void OpenWindow() {
    ASSERT_TRUE(dokl.Open());
    ui.Clear();
  }
  bool Warned(const std::string& text) {
    for (const RecordedMessage& m : ui.messages) {
      if (m.text == text) return true;
    }
    return false;
  }
};

TEST_F(Documents, NextNumberCountsThePlantsOwnDocumentsOnly) {
  ASSERT_TRUE(dokl.Open());
  EXPECT_EQ(TrimRight(dokl.Grid().Header(3)), "00001");  // no posting file yet
  EXPECT_EQ(dokl.Grid().Header(0) + dokl.Grid().Header(1) + dokl.Grid().Header(2), "26050102030000");
  std::vector<std::string> rows;
  for (int n = 1; n <= 7; ++n) rows.push_back(Posted(IntTextPadded(n, 5), "0001", "211", "1", ""));
  rows.push_back(Posted("00012", "0001", "211", "1", "", "0202030000"));  // plant 02
  rows.push_back(Posted("53001", "0001", "211", "1", "", "0102035300"));  // a transfer
  Make(kPosting, "UctO.Def", rows);
  EXPECT_EQ(dokl.NextNumber(), "00008");

  Make(kPosting, "UctO.Def", {Posted("99999", "0001", "211", "1", "")});
  ui.Clear();
  EXPECT_EQ(dokl.NextNumber(), "");
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ui.messages[0].text.find("neni volne cislo dokladu"), std::string::npos);
}

TEST_F(Documents, SavedRowsLandInThePostingFileAndTheSidesAreCompared) {
  struct Case {
    const char* name;
    const char* credit;
    bool warned;
  } cases[] = {{"equal", "100", false}, {"unbalanced", "99,99", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EraseFile(*env, kPosting);
    OpenWindow();
    Row(0, "211", "100", "");
    Row(1, "311", "", c.credit);
    ASSERT_TRUE(dokl.SaveAndWarn());
    EXPECT_EQ(Warned("Soucty stran uctu se nerovnaji !"), c.warned);
    auto rows = Rows(kPosting);
    ASSERT_EQ(rows.size(), 2u);
    double debit = 0, credit = 0;
    for (const auto& r : rows) {
      EXPECT_EQ(r[0] + r[1] + r[2] + r[3], "26050102030000" + std::string("00001"));
      EXPECT_EQ(r[10], "00001");  // the reference defaults to the number
      debit += TextToReal(r[12]);
      credit += TextToReal(r[13]);
    }
    EXPECT_EQ(rows[0][4], "0001");
    EXPECT_EQ(rows[1][4], "0002");
    EXPECT_DOUBLE_EQ(debit, 100);
    EXPECT_DOUBLE_EQ(credit, TextToReal(c.credit));
    EXPECT_EQ(dokl.TotalsLine(), RealTextRounded(15, 2, debit) + RealTextRounded(15, 2, credit) +
                                     RealTextRounded(15, 2, debit - credit));
  }
}

TEST_F(Documents, LoadRenumberAndDelete) {
  Make(kPosting, "UctO.Def",
       {Posted("00001", "0001", "211", "100", ""), Posted("00001", "0002", "311", "", "100"),
        Posted("00002", "0001", "211", "5", "")});
  OpenWindow();
  SetNumber("1");  // loads the document
  EXPECT_TRUE(dokl.Present());
  EXPECT_EQ(Trim(dokl.Grid().Cell(1, 4)), "311");
  EXPECT_DOUBLE_EQ(dokl.Debit(), 100);

  SetNumber("7");
  ASSERT_TRUE(dokl.Save());
  auto rows = Rows(kPosting);
  ASSERT_EQ(rows.size(), 3u);
  int renumbered = 0;
  for (const auto& r : rows) {
    EXPECT_NE(r[3], "00001");
    renumbered += r[3] == "00007";
  }
  EXPECT_EQ(renumbered, 2);

  ui.answers.push_back(Answer::Yes);
  ASSERT_TRUE(dokl.Delete());
  rows = Rows(kPosting);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0][3], "00002");
  EXPECT_FALSE(dokl.Present());
  EXPECT_EQ(TrimRight(dokl.Grid().Header(3)), "00003");
}

TEST_F(Documents, OverwritingAnotherDocumentAsksAndNoKeepsTheFile) {
  Make(kPosting, "UctO.Def", {Posted("00001", "0001", "211", "100", "")});
  const std::string before = Get(kPosting);
  OpenWindow();
  dokl.Grid().Header(3) = "00001";  // typed over the proposal, not loaded
  Row(0, "311", "", "50");
  ui.answers.push_back(Answer::No);
  EXPECT_FALSE(dokl.Save());
  EXPECT_EQ(ui.messages.back().text, "Doklad s touto identifikaci jiz existuje ! Ma byt prepsan ?");
  EXPECT_EQ(ui.messages.back().caption, "Doklad:  26 05 0102030000 00001 ");
  EXPECT_EQ(Get(kPosting), before);

  ui.answers.push_back(Answer::Yes);
  ASSERT_TRUE(dokl.Save());
  auto rows = Rows(kPosting);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(Trim(rows[0][13]), "50,00");
}

TEST_F(Documents, AnEmptyGridUnderAnotherDocumentsNumberSavesNothing) {
  Make(kPosting, "UctO.Def", {Posted("00001", "0001", "211", "100", "")});
  const std::string before = Get(kPosting);
  OpenWindow();
  dokl.Type(-1, 3, "00001");  // typed, but the document is not loaded
  ASSERT_TRUE(dokl.Save());
  EXPECT_EQ(Get(kPosting), before);
}

TEST_F(Documents, EscapeWithYesLeavesTheFileAsItWas) {
  Make(kPosting, "UctO.Def", {Posted("00001", "0001", "211", "100", "")});
  const std::string before = Get(kPosting);
  OpenWindow();
  Row(0, "211", "10", "");
  ui.answers.push_back(Answer::Yes);
  EXPECT_TRUE(dokl.Escape());
  EXPECT_EQ(Get(kPosting), before);
}

TEST_F(Documents, RowInsertionAndDeletion) {
  OpenWindow();
  Row(0, "211", "1", "");
  Row(1, "311", "2", "");
  ASSERT_TRUE(dokl.InsertRow(1));
  EXPECT_EQ(Trim(dokl.Grid().Cell(2, 4)), "311");
  EXPECT_FALSE(dokl.Grid().RowHasData(1));
  EXPECT_EQ(dokl.Grid().Cell(2, 0), "0003");
  ui.answers.push_back(Answer::Yes);
  ASSERT_TRUE(dokl.DeleteRow(1));
  EXPECT_EQ(Trim(dokl.Grid().Cell(1, 4)), "311");

  // A full grid: the last row would drop off, so the insertion is refused.
  Row(kDoklRows - 1, "211", "3", "");
  ui.Clear();
  EXPECT_FALSE(dokl.InsertRow(4));
  EXPECT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(Trim(dokl.Grid().Cell(kDoklRows - 1, 4)), "211");
  EXPECT_EQ(Trim(dokl.Grid().Cell(1, 4)), "311");
}

TEST_F(Documents, TypedAmountsInAForeignCurrencyAreConverted) {
  OpenWindow();
  TypeRow(0, {{4, "211"}, {11, "eur"}, {13, "25,5"}});
  EXPECT_EQ(Trim(dokl.Grid().Cell(0, 11)), "EUR");
  EXPECT_EQ(Trim(dokl.Grid().Cell(0, 13)), "25,50000");
  TypeRow(0, {{8, "10"}});
  EXPECT_EQ(Trim(dokl.Grid().Cell(0, 8)), "255,00");
  EXPECT_EQ(dokl.CodeLine(), "10 x 25,50000 EUR");
  // Date and konto name are never touched by the conversion.
  EXPECT_EQ(Trim(dokl.Grid().Cell(0, 10)), "");
  EXPECT_EQ(Trim(dokl.Grid().Cell(0, 12)), "");

  // Leaving the cell again, pasting or taking the row above converts nothing.
  EXPECT_TRUE(dokl.LeaveItemCell(0, 8));
  EXPECT_EQ(Trim(dokl.Grid().Cell(0, 8)), "255,00");
  dokl.Copy(0, 8);
  TypeRow(1, {{4, "311"}, {11, "EUR"}, {13, "25,5"}});
  dokl.Paste(1, 9);
  EXPECT_TRUE(dokl.LeaveItemCell(1, 9));
  EXPECT_EQ(Trim(dokl.Grid().Cell(1, 9)), "255,00");

  // The factor keeps five decimals, rounded half up.
  TypeRow(2, {{13, "25,437"}});
  EXPECT_EQ(Trim(dokl.Grid().Cell(2, 13)), "25,43700");
  TypeRow(2, {{13, "1,234565"}});
  EXPECT_EQ(Trim(dokl.Grid().Cell(2, 13)), "1,23457");

  // A currency without a factor is said on the code-list line.
  TypeRow(3, {{11, "USD"}});
  TypeRow(3, {{9, "7"}});
  EXPECT_EQ(Trim(dokl.Grid().Cell(3, 9)), "7,00");
  EXPECT_TRUE(dokl.CodeLineError());
  EXPECT_NE(dokl.CodeLine().find("USD"), std::string::npos);
}

TEST_F(Documents, CellChecksAgainstTheCodeLists) {
  OpenWindow();
  dokl.Type(0, 4, "999");
  EXPECT_FALSE(dokl.LeaveItemCell(0, 4));
  EXPECT_FALSE(dokl.CellValid());
  EXPECT_TRUE(dokl.CodeLineError());
  EXPECT_EQ(dokl.CodeLine(), "999 - Udaj nebyl v ciselniku nalezen nebo chybna syntaxe    !");
  EXPECT_FALSE(dokl.Close());  // closing is refused

  dokl.Type(0, 4, "501");
  EXPECT_TRUE(dokl.LeaveItemCell(0, 4));
  EXPECT_FALSE(dokl.CodeLineError());
  EXPECT_EQ(dokl.CodeLine(), "501 - Spotreba materialu N");

  // The konta look-up holds the customers and suppliers of the finance system.
  dokl.Type(0, 7, "100001");
  EXPECT_TRUE(dokl.LeaveItemCell(0, 7));
  EXPECT_EQ(dokl.CodeLine(), "100001 - Nabytek Polna s.r.o.");
  dokl.Type(0, 7, "200001");
  EXPECT_TRUE(dokl.LeaveItemCell(0, 7));
  EXPECT_EQ(dokl.CodeLine(), "200001 - Pila Ratibor");

  // Header cells: a failure names the column.
  dokl.Type(-1, 1, "x1");
  EXPECT_FALSE(dokl.LeaveHeaderCell(1));
  EXPECT_EQ(ui.messages.back().text, "Chybne zadany udaj");
  dokl.Type(-1, 1, "05");
  EXPECT_TRUE(dokl.LeaveHeaderCell(1));
  dokl.Type(-1, 3, "0");
  EXPECT_TRUE(dokl.LeaveHeaderCell(3));
  EXPECT_FALSE(dokl.EnterRows());
  EXPECT_EQ(ui.messages.back().text, "Nebylo zadane cislo dokladu !");

  // Result accounts need an activity.
  dokl.Type(-1, 3, "00001");
  Row(0, "211", "5", "");
  Row(1, "501", "", "5");
  EXPECT_EQ(dokl.ClassCheck(), 1);
  EXPECT_EQ(ui.messages.back().text, "Nebyla zadana cinnost !");
  EXPECT_EQ(ui.messages.back().caption, "Radek:    2");
  TypeRow(1, {{5, "10"}});
  EXPECT_EQ(dokl.ClassCheck(), -1);
}

TEST_F(Documents, MisplacedLinesOpenTheDocumentReadOnly) {
  Make(kPosting, "UctO.Def",
       {Posted("00001", "0000", "211", "1", ""), Posted("00001", "0002", "211", "2", ""),
        Posted("00001", "0002", "311", "", "3"), Posted("00001", "1001", "311", "", "4")});
  const std::string before = Get(kPosting);
  OpenWindow();
  SetNumber("1");
  EXPECT_TRUE(dokl.ReadOnly());
  ASSERT_FALSE(ui.messages.empty());
  const std::string said = ui.messages.front().text;
  for (const char* line : {"0000", "0002", "1001"}) EXPECT_NE(said.find(line), std::string::npos) << line;
  // Every record is shown, and nothing is written back.
  EXPECT_DOUBLE_EQ(dokl.Debit(), 3);
  EXPECT_DOUBLE_EQ(dokl.Credit(), 7);
  dokl.Type(1, 4, "311");
  EXPECT_EQ(Trim(dokl.Grid().Cell(1, 4)), "211");
  EXPECT_TRUE(dokl.Save());
  EXPECT_EQ(Get(kPosting), before);
}

TEST_F(Documents, MissingFinanceListsAreSaidOnce) {
  EraseFile(*env, "D:\\LPexo\\Cisel\\Odber.Cds");
  ASSERT_TRUE(dokl.Open());
  EXPECT_EQ(ui.messages.size(), 1u);
  ASSERT_TRUE(dokl.NewDocument());
  EXPECT_EQ(ui.messages.size(), 1u);
  dokl.Type(0, 7, "800001");
  EXPECT_TRUE(dokl.LeaveItemCell(0, 7));
  dokl.Type(0, 7, "200001");
  EXPECT_TRUE(dokl.LeaveItemCell(0, 7));
}

TEST_F(Documents, PrintAndVoucher) {
  OpenWindow();
  TypeRow(0, {{4, "211"}, {8, "1234,5"}, {15, "Prijem hotovosti z prodeje"}});
  Row(1, "311", "", "1234,5");
  ASSERT_TRUE(dokl.WritePrint());
  auto print = ReadReport(*env, kDoklPrintFile);
  ASSERT_TRUE(print);
  ASSERT_EQ(print->size(), 12u);
  EXPECT_EQ((*print)[3], "26  05  0102030000  00001  ");
  EXPECT_EQ((*print)[11], "Celkem" + std::string(56, ' ') + RealTextRounded(15, 2, 1234.5) +
                              RealTextRounded(17, 2, 1234.5));

  ASSERT_TRUE(dokl.WriteVoucher());
  auto voucher = ReadReport(*env, kDoklVoucherFile);
  ASSERT_TRUE(voucher);
  const auto& v = *voucher;
  size_t head = 0;
  while (head < v.size() && v[head].find("Rok Mes") == std::string::npos) ++head;
  ASSERT_LT(head + 1, v.size());
  EXPECT_EQ(v[head + 1].substr(84), "26  05  0102030000 00001");
  size_t first = 0;
  while (first < v.size() && v[first].rfind(" 001", 0) != 0) ++first;
  ASSERT_LT(first + 2, v.size());
  EXPECT_NE(v[first].find("211"), std::string::npos);
  EXPECT_NE(v[first].find("Prijem hotovosti z p"), std::string::npos);
  EXPECT_EQ(v[first].find("Prijem hotovosti z pr"), std::string::npos);
  EXPECT_EQ(v[first + 1].substr(0, 4), " 002");
  EXPECT_EQ(v[first + 2].substr(0, 6), "Celkem");
  EXPECT_NE(v[first + 2].find(RealTextRounded(15, 2, 1234.5)), std::string::npos) << v[first + 2];
  EXPECT_EQ(v[first + 3], " " + std::string(76, '-'));
}

}  // namespace
}  // namespace orvo::test
