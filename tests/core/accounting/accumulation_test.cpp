// The accumulations of the siblings' transfer files into the posting file:
// repeatable per source, only the own source (plant, unit) replaced, the
// numbering, the checks of the chosen name and of the records, the question
// before hand-entered documents go, the wage postings and the konto names.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "core/accounting/accumulation.h"
#include "core/accounting/konto_names.h"
#include "documents_fixture.h"

namespace orvo::test {
namespace {

using Rows = std::vector<std::vector<std::string>>;

class Accumulation : public DoklScratch {
 protected:
  Accumulation() {
    InstallDef("MzdUct.Def");
    for (const char* dir : {"D:\\LOrvo\\Prevody", "D:\\LPexo\\Prevody"}) MakeDirPath(*env, dir);
    // One posting of every source, of two plants where the plant counts.
    Make(kPosting, "UctO.Def",
         {P("0102030000", "1"), P("0102030100", "2"), P("0102035100", "3"), P("0102035200", "4"),
          P("0202035300", "5"), P("0302035300", "6"), P("0201037100", "7"), P("0202037100", "8"),
          P("0102036101", "9")});
  }

  // A stored posting: identification and debit.
  static std::string P(const std::string& doklId, const std::string& md, const std::string& konto = "") {
    return "26|05|" + doklId + "|00001|0001|01|02|03|501||X|" + konto + "|" + md + "|0|15.05.2026||||||";
  }
  // A record of the 17-word transfer layout.
  static std::string T(const std::string& doklId, const std::string& md, const std::string& konto = "",
                       const std::string& period = "26|05") {
    return period + "|" + doklId + "|9|9|01|02|03|501||T|" + konto + "|" + md + "|0|20.05.2026|text|note";
  }
  // A line of the fixed-assets CSV (the whole posting layout).
  static std::string R(const std::string& doklId, const std::string& md) {
    return "26|05|" + doklId + "|9|9|01|02|03|501||R||" + md + "|0|20.05.2026|||||ramu|note";
  }
  void Cds(const std::string& name, const std::vector<std::string>& rows) {
    Make("D:\\LOrvo\\Prevody\\" + name, "UctOSub.Def", rows);
  }
  void Csv(const std::string& name, const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& l : lines) text += l + "\r\n";
    Put("D:\\LOrvo\\Prevody\\" + name, text);
  }
  KumOutcome Run(KumItem item, const std::string& name, int* asked = nullptr, bool yes = true) {
    const std::string file =
        name.empty() || name.find('\\') != std::string::npos ? name : "D:\\LOrvo\\Prevody\\" + name;
    return Accumulate(session, session.engine, item, file, [&](int count) {
      if (asked != nullptr) *asked = count;
      return yes;
    });
  }
  // A whole amount as typed: "          50,00" -> "50".
  static std::string Amount(const std::string& stored) {
    std::string t = Trim(stored);
    if (t.size() > 3 && t.compare(t.size() - 3, 3, ",00") == 0) t.resize(t.size() - 3);
    return t;
  }
  // The debits of the posting file, which name the fixture's postings.
  std::multiset<std::string> Debits() {
    std::multiset<std::string> out;
    for (const auto& r : Rows(kPosting)) out.insert(Amount(r[12]));
    return out;
  }
  // The postings by their debit.
  std::map<std::string, std::vector<std::string>> ByDebit() {
    std::map<std::string, std::vector<std::string>> out;
    for (const auto& r : Rows(kPosting)) out[Amount(r[12])] = r;
    return out;
  }
};

TEST_F(Accumulation, EachSourceReplacesOnlyItsOwnPostingsAndRepeatsToTheSameFile) {
  Cds("260502KoloUctPr.Cds", {T("0202035300", "50"), T("0202035300", "51")});
  Cds("260502VintUctPr.Cds", {T("0201037100", "70"), T("0202037100", "71")});
  Cds("2605020103VintUctPr.Cds", {T("0201037100", "72")});
  Csv("260501RamuUctPr.Csv", {R("0102035100", "30")});
  Csv("260501SramuUctPr.Csv", {R("0102035200", "40")});
  Csv("2605abcMzdUctPr.Csv", {"26|05|01|02|03|521|10||90|0"});
  Make("D:\\LPexo\\Prevody\\2605PexoUctPr.Cds", "UctOSub.Def", {T("0102030100", "20"), T("0102034100", "21")});
  struct Case {
    KumItem item;
    std::string file;
    std::set<std::string> gone;  // debits of the fixture's postings that go
    std::multiset<std::string> added;
  };
  const std::vector<Case> cases = {
      {KumItem::Kolo, "260502KoloUctPr.Cds", {"5"}, {"50", "51"}},
      {KumItem::VintZavod, "260502VintUctPr.Cds", {"7", "8"}, {"70", "71"}},
      {KumItem::VintStredisko, "2605020103VintUctPr.Cds", {"7"}, {"72"}},
      {KumItem::Ramu, "260501RamuUctPr.Csv", {"3"}, {"30"}},
      {KumItem::Sramu, "260501SramuUctPr.Csv", {"4"}, {"40"}},
      {KumItem::Mzdy, "2605abcMzdUctPr.Csv", {"9"}, {"90"}},
      {KumItem::Pexo, "D:\\LPexo\\Prevody\\2605PexoUctPr.Cds", {"1", "2"}, {"20", "21"}},
  };
  const std::string original = Get(kPosting);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    Put(kPosting, original);
    ui.Clear();
    const KumOutcome first = Run(c.item, c.file);
    ASSERT_TRUE(first.done) << (ui.messages.empty() ? "" : ui.messages.back().text);
    EXPECT_EQ(first.dropped, static_cast<int>(c.gone.size()));
    EXPECT_EQ(first.added, static_cast<int>(c.added.size()));
    std::multiset<std::string> expected = c.added;
    for (int d = 1; d <= 9; ++d) {
      if (c.gone.count(std::to_string(d)) == 0) expected.insert(std::to_string(d));
    }
    EXPECT_EQ(Debits(), expected);
    const std::string once = Get(kPosting);
    const KumOutcome second = Run(c.item, c.file);
    ASSERT_TRUE(second.done);
    EXPECT_EQ(second.dropped, static_cast<int>(c.added.size()));
    EXPECT_EQ(Get(kPosting), once);
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.front().text;
  }
}

TEST_F(Accumulation, TransferredRecordsAreMappedByLayout) {
  Cds("260502KoloUctPr.Cds", {T("0202035300", "50")});
  Make("D:\\LPexo\\Prevody\\2605PexoUctPr.Cds", "UctOSub.Def", {T("0102030100", "20")});
  Csv("260501RamuUctPr.Csv", {R("0102035100", "30")});
  ASSERT_TRUE(Run(KumItem::Kolo, "260502KoloUctPr.Cds").done);
  ASSERT_TRUE(Run(KumItem::Pexo, "D:\\LPexo\\Prevody\\2605PexoUctPr.Cds").done);
  ASSERT_TRUE(Run(KumItem::Ramu, "260501RamuUctPr.Csv").done);
  auto byDebit = ByDebit();
  // Text and note land at 19 and 20; the finance note is dropped.
  EXPECT_EQ(byDebit["50"][19], "text");
  EXPECT_EQ(byDebit["50"][20], "note");
  EXPECT_EQ(byDebit["20"][19], "text");
  EXPECT_EQ(byDebit["20"][20], "");
  EXPECT_EQ(byDebit["30"][19], "ramu");
  EXPECT_EQ(byDebit["30"][20], "note");
  EXPECT_EQ(byDebit["50"][3], "53001");
  EXPECT_EQ(byDebit["50"][4], "0001");
  EXPECT_EQ(byDebit["20"][3], "01001");
  EXPECT_EQ(byDebit["30"][3], "51001");
  EXPECT_EQ(byDebit["50"][14], "20.05.2026");
}

TEST_F(Accumulation, NumberingSplitsAtFiveHundredLinesAndRestartsPerIdentification) {
  std::vector<std::vector<std::string>> rows;
  auto row = [](const std::string& id, int n) {
    std::vector<std::string> r(kPostingWords);
    r[0] = "26";
    r[1] = "05";
    r[2] = id;
    r[12] = std::to_string(n);
    return r;
  };
  for (int i = 0; i < 1200; ++i) rows.push_back(row("0202035300", i));
  NumberTransfer(rows);
  std::map<std::string, std::pair<std::string, std::string>> span;  // number -> first, last line
  for (const auto& r : rows) {
    auto [it, fresh] = span.try_emplace(r[3], r[4], r[4]);
    if (!fresh) it->second.second = r[4];
  }
  const std::map<std::string, std::pair<std::string, std::string>> expected = {
      {"53001", {"0001", "0500"}}, {"53002", {"0001", "0500"}}, {"53003", {"0001", "0200"}}};
  EXPECT_EQ(span, expected);
  EXPECT_EQ(rows[500][12], "500");  // the file's order within a document stays

  // A, B, A: the two A records make one document, B its own XX001.
  rows = {row("0202035300", 1), row("0202045300", 2), row("0202035300", 3)};
  NumberTransfer(rows);
  std::vector<std::string> got;
  for (const auto& r : rows) got.push_back(r[2] + " " + r[3] + " " + r[4] + " " + r[12]);
  EXPECT_EQ(got, (std::vector<std::string>{"0202035300 53001 0001 1", "0202035300 53001 0002 3",
                                           "0202045300 53001 0001 2"}));
}

TEST_F(Accumulation, WronglyShapedNamesAndForeignRecordsAreRefusedWithTheFileUntouched) {
  Csv("260501SramuUctPr.Csv", {R("0102035200", "40")});
  Cds("260502VintUctPr.Cds", {T("0202037100", "71")});
  Cds("260402KoloUctPr.Cds", {T("0202035300", "50")});
  Cds("260502KoloUctPr.Cds", {T("0202035300", "50"), T("0302035300", "51")});
  Cds("2605020103VintUctPr.Cds", {T("0201037100", "72"), T("0201035300", "73")});
  struct Case {
    KumItem item;
    std::string file;
    std::string says;
  };
  const std::vector<Case> cases = {
      {KumItem::Ramu, "260501SramuUctPr.Csv", "Chybne vybrany soubor !!!"},
      {KumItem::VintStredisko, "260502VintUctPr.Cds", "Chybne vybrany soubor !!!"},
      {KumItem::Kolo, "260402KoloUctPr.Cds", "Chybne vybrany soubor !!!"},
      {KumItem::Kolo, "260502VintUctPr.Cds", "Chybne vybrany soubor !!!"},
      {KumItem::Kolo, "260502KoloUctPr.Cds", "zaznam 2 ma Doklad Id \"0302035300\""},
      {KumItem::VintStredisko, "2605020103VintUctPr.Cds", "zaznam 2 ma Doklad Id \"0201035300\""},
      {KumItem::Kolo, "260503KoloUctPr.Cds", "nebyl nalezen"},
  };
  const std::string original = Get(kPosting);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    ui.Clear();
    EXPECT_FALSE(Run(c.item, c.file).done);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find(c.says), std::string::npos) << ui.messages[0].text;
    EXPECT_EQ(Get(kPosting), original);
  }
}

TEST_F(Accumulation, FinanceAsksBeforeHandEnteredDocumentsGo) {
  Make("D:\\LPexo\\Prevody\\2605PexoUctPr.Cds", "UctOSub.Def", {T("0102030100", "20")});
  const std::string original = Get(kPosting);
  int asked = 0;
  EXPECT_FALSE(Run(KumItem::Pexo, "", &asked, false).done);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(Get(kPosting), original);
  // The menu's question names the count.
  ui.answers.push_back(Answer::No);
  EXPECT_FALSE(Accumulate(session, session.engine, KumItem::Pexo).done);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ui.messages[0].text.find("odstrani i 1 zaznamu rucne poridenych dokladu"), std::string::npos);
  EXPECT_EQ(Get(kPosting), original);

  asked = 0;
  const KumOutcome done = Run(KumItem::Pexo, "", &asked, true);
  EXPECT_TRUE(done.done);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(done.dropped, 2);
  // Without hand-entered documents nothing is asked.
  asked = 0;
  EXPECT_TRUE(Run(KumItem::Pexo, "", &asked, false).done);
  EXPECT_EQ(asked, 0);
}

TEST_F(Accumulation, WagesTakeThePlantAndAdministrationOfTheInitialisationFile) {
  std::vector<std::string> lines;
  for (int i = 0; i < 501; ++i) lines.push_back("26|05|" + std::string(i == 0 ? "" : "04") + "||03|521|10|800001|" + std::to_string(i + 100) + "|0");
  Csv("2605MzdUctPr.Csv", lines);
  ASSERT_TRUE(Run(KumItem::Mzdy, "2605MzdUctPr.Csv").done);
  auto byDebit = ByDebit();
  const auto& first = byDebit["100"];
  EXPECT_EQ(first[2], "0102006101");
  EXPECT_EQ(first[3], "61001");
  EXPECT_EQ(first[4], "0001");
  EXPECT_EQ(first[5], "01");
  EXPECT_EQ(first[6], "02");
  EXPECT_EQ(first[11], "800001");
  EXPECT_EQ(first[16], "Novak Jan - zalohy");
  EXPECT_EQ(first[18], "15.03.2016");
  EXPECT_EQ(first[19], "Prevod z mezd");
  EXPECT_EQ(byDebit["101"][5], "04");
  EXPECT_EQ(byDebit["600"][3], "61002");
  EXPECT_EQ(byDebit["600"][4], "0001");
}

TEST_F(Accumulation, KontoNamesComeFromTheListsAndAMissingListOnlyLeavesThemEmpty) {
  Cds("260502KoloUctPr.Cds", {T("0202035300", "50", "800001"), T("0202035300", "51", "100001"),
                              T("0202035300", "52", "200001"), T("0202035300", "53", "999")});
  ASSERT_TRUE(Run(KumItem::Kolo, "260502KoloUctPr.Cds").done);
  std::map<std::string, std::string> names;
  for (const auto& r : Rows(kPosting)) names[Amount(r[12])] = r[16];
  EXPECT_EQ(names["50"], "Novak Jan - zalohy");
  EXPECT_EQ(names["51"], "Nabytek Polna s.r.o.");
  EXPECT_EQ(names["52"], "Pila Ratibor");
  EXPECT_EQ(names["53"], "");

  fs->Remove("D:\\LOrvo\\Cisel\\26Konta.Cds");
  fs->Remove("D:\\LOrvo\\Cisel\\25Konta.Cds");
  ui.Clear();
  EXPECT_TRUE(Run(KumItem::Kolo, "260502KoloUctPr.Cds").done);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ui.messages[0].text.find("26Konta.Cds"), std::string::npos);
  for (const auto& r : Rows(kPosting)) EXPECT_EQ(r[16], "");
}

TEST_F(Accumulation, DamagedInputsStopBeforeTheFileChanges) {
  Put("D:\\LOrvo\\Prevody\\260502KoloUctPr.Cds", "not a dataset at all");
  Csv("260501RamuUctPr.Csv", {R("0102035100", "30")});
  fs->Remove("D:\\LOrvo\\DefSoub\\UctO.Def");
  const std::string original = Get(kPosting);
  EXPECT_FALSE(Run(KumItem::Kolo, "260502KoloUctPr.Cds").done);
  EXPECT_FALSE(Run(KumItem::Ramu, "260501RamuUctPr.Csv").done);
  EXPECT_EQ(Get(kPosting), original);
  EXPECT_EQ(ui.messages.size(), 2u);
}

TEST_F(Accumulation, TheDialogOffersTheItemsFilesAndCancelDoesNothing) {
  const std::string original = Get(kPosting);
  ui.fileAnswers.push_back(std::nullopt);
  EXPECT_FALSE(Accumulate(session, session.engine, KumItem::Sramu).done);
  ASSERT_EQ(ui.fileRequests.size(), 1u);
  EXPECT_EQ(ui.fileRequests[0].startDir, "D:\\LOrvo\\Prevody");
  EXPECT_EQ(ui.fileRequests[0].filter, "2605*SramuUctPr.Csv|2605*SramuUctPr.Csv");
  EXPECT_EQ(Get(kPosting), original);
  EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace orvo::test
