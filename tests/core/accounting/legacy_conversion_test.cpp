// The conversion of the DOS version's data over generated legacy files: the
// shipped legacy layouts against their targets, the code lists, the balance
// and posting files of every year, the damaged files refused whole, the
// question and the archive before a target is replaced, and a converted
// year whose ledger equals the generator's own totals.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>

#include "books_fixture.h"
#include "core/accounting/legacy_balance_reader.h"
#include "core/accounting/legacy_conversion.h"
#include "core/accounting/legacy_data_generator.h"
#include "core/data/dataset_ops.h"
#include "core/shell/file_names.h"
#include "core/shell/period.h"
#include "core/shell/period_keys.h"
#include "core/sys/numbers.h"

namespace orvo::test {
namespace {

constexpr const char* kLegacy = "D:\\PrevDos";

class LegacyScratch : public BooksScratch {
 protected:
  LegacyScratch() {
    for (const char* name : {"DosUcet.Def", "DosCinn.Def", "DosKonto.Def", "DosUceS.Def", "DosUceO.Def",
                             "Konta.Def", "Ucty.Def", "Cinn.Def"}) {
      InstallDef(name);
    }
    MakeDirPath(*env, "D:\\LOrvo\\Cisel");
    MakeDirPath(*env, std::string(kLegacy) + "\\PomSoub");
    PutInit("01 Zavod Jih", "02 Sprava", "03 Stredisko", std::string(kLegacy) + "\\");
    ReadInitFile(session);
    session.UserRole = "Admin";
  }
  LegacyConversion Conversion() {
    LegacyConversion c(session, session.engine, session.codeList);
    return c;
  }
  static std::string Legacy(const std::string& name) { return std::string(kLegacy) + "\\" + name; }
  static std::string Cisel(const std::string& name) { return "D:\\LOrvo\\Cisel\\" + name; }
  // Hellers of an amount text ("1 234,5" never occurs: amounts carry no
  // thousands separator).
  static int64_t Hellers(const std::string& text) {
    const double x = TextToReal(text);
    return std::llround(x * 100.0);
  }
  bool Skipped(const ConversionSummary& s, const std::string& file, const std::string& reasonPart) {
    for (const auto& [f, why] : s.skipped) {
      if (f == file && why.find(reasonPart) != std::string::npos) return true;
    }
    return false;
  }
  // Every record as its values without the blanks around them.
  std::vector<std::vector<std::string>> Trimmed(const std::string& file) {
    auto rows = Rows(file);
    for (auto& r : rows) {
      for (auto& v : r) v = Trim(v);
    }
    return rows;
  }
  // Bytes of the balance record `b` in a file of record length 64.
  static std::string BalanceFileOf(const std::vector<LegacyBalance>& b) { return LegacyBalanceFile(b, 64); }
};

TEST_F(LegacyScratch, ShippedLegacyLayoutsMatchTheirTargets) {
  auto read = [&](const char* name) {
    LoadedDef def;
    EXPECT_TRUE(ReadDef(*env, def, Def(name))) << name;
    return def;
  };
  auto words = [](const LoadedDef& def) {
    std::vector<std::pair<std::string, int>> w;
    for (const DefWord& d : def.words) w.emplace_back(d.FieldName, d.TD);
    return w;
  };
  // The code lists take the legacy layout as it is: the same words as the
  // lists the application edits.
  EXPECT_EQ(words(read("DosUcet.Def")), words(read("Ucty.Def")));
  EXPECT_EQ(words(read("DosCinn.Def")), words(read("Cinn.Def")));
  // The konto list carries more; every word of Konta.Def is among its words
  // with the same width, and the restructure keeps each of them.
  const auto konta = words(read("Konta.Def"));
  const auto dosKonto = words(read("DosKonto.Def"));
  for (const auto& w : konta) EXPECT_NE(std::find(dosKonto.begin(), dosKonto.end(), w), dosKonto.end()) << w.first;
  Make(Data("DosKonta.Cds"), "DosKonto.Def", {"100001|Cerny a syn|25234567|Trebic"});
  ReStruktCds(session.engine, Data("DosKonta.Cds"), Def("Konta.Def"), Data("Konta.Cds"));
  EXPECT_EQ(Rows(Data("Konta.Cds")), (std::vector<std::vector<std::string>>{{"100001", "Cerny a syn"}}));

  // The balance text: key words of the balance layout's widths, the two
  // amounts the conversion takes at words 6 and 7.
  LoadedDef s = read("DosUceS.Def"), uctS = read("UctS.Def");
  EXPECT_EQ(s.RecLen, kLegacyBalanceTextLength);
  for (int i = 1; i <= 7; ++i) {
    const DefWord& target = uctS.Word(i < 6 ? i + 2 : i + 3);
    EXPECT_EQ(s.Word(i).FieldName, target.FieldName);
    EXPECT_EQ(s.Word(i).TD, target.TD) << target.FieldName;
  }
  // The posting record: 154 bytes; every word the conversion copies has the
  // name of its target and is not wider than it.
  LoadedDef o = read("DosUceO.Def"), uctO = read("UctO.Def");
  ASSERT_EQ(o.PSl, 21);
  EXPECT_EQ(o.Word(21).TP + o.Word(21).TD - 1, kLegacyPostingRecord);
  const int from[20] = {1, 2, 3, 4, 5, 0, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 20};
  for (int f = 0; f < 20; ++f) {
    const DefWord& legacy = o.Word(from[f] + 1);
    const DefWord& target = uctO.Word(f + 1);
    EXPECT_EQ(legacy.FieldName, target.FieldName) << f;
    EXPECT_LE(legacy.TD, target.TD) << target.FieldName;
    EXPECT_EQ(legacy.TMS[0] == 'N', target.TMS[0] == 'N') << target.FieldName;
  }
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(LegacyScratch, CodeListsPreferTheYearsFileAndConvertTheKamenickyPage) {
  PutPeriod("15 03");
  const std::vector<int> ucet{6, -2, 50, -1, 1};
  // 0x80 is "C" with caron in the Kamenicky page; it is written here as the
  // raw byte, not through the generator's own conversion.
  Put(Legacy("PomSoub\\Ucet.Cis"), LegacyFixedLine({"461100", "", "P"}, ucet).replace(8, 1, "\x80") +
                                       LegacyFixedLine({"311100", "Odberatele", "A"}, ucet));
  Put(Legacy("PomSoub\\Cinn.Cis"), LegacyFixedLine({"20100", "Doprava", "km"}, {5, -2, 50, -1, 5}));
  Put(Legacy("PomSoub\\Konto.Cis"),
      LegacyFixedLine({"200002", "Pila \xD8\xEDha", "26234567", "Humpolec 44"}, {15, -1, 50, -1, 8, -1, 30}));
  ConversionSummary first = Conversion().CodeLists();
  EXPECT_EQ(first.converted.size(), 3u);
  EXPECT_EQ(Rows(Cisel("15Ucty.Cds")),
            (std::vector<std::vector<std::string>>{{"311100", "Odberatele", "A"}, {"461100", "\xC8", "P"}}));
  EXPECT_EQ(FieldNames(Cisel("15Ucty.Cds")), (std::vector<std::string>{"Ucet", "Nazev uctu", "Druh uctu"}));
  EXPECT_EQ(Rows(Cisel("15Cinn.Cds")), (std::vector<std::vector<std::string>>{{"20100", "Doprava", "km"}}));
  EXPECT_EQ(Rows(Cisel("15Konta.Cds")), (std::vector<std::vector<std::string>>{{"200002", "Pila \xD8\xEDha"}}));
  EXPECT_EQ(FieldNames(Cisel("15Konta.Cds")), (std::vector<std::string>{"Konto", "Nazev konta"}));
  EXPECT_EQ(ui.messages.size(), 1u);  // the summary

  // The year's own file is preferred; the existing lists are replaced after
  // one question and kept in the archive.
  Put(Legacy("PomSoub\\15Ucet.Cis"), LegacyFixedLine({"221100", "Banka", "A"}, ucet));
  const std::string before = Get(Cisel("15Ucty.Cds"));
  ui.Clear();
  ui.answers.push_back(Answer::Yes);
  ConversionSummary second = Conversion().CodeLists();
  EXPECT_EQ(second.converted.front().first, Legacy("PomSoub\\15Ucet.Cis"));
  EXPECT_EQ(Rows(Cisel("15Ucty.Cds")), (std::vector<std::vector<std::string>>{{"221100", "Banka", "A"}}));
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_NE(ui.messages[0].text.find("existujici soubory: 3"), std::string::npos) << ui.messages[0].text;
  EXPECT_EQ(Get("D:\\LOrvo\\Archiv\\15Ucty_001.Cds"), before);
  EXPECT_EQ(session.CurrentPeriod, "15 03");
}

TEST_F(LegacyScratch, DeclinedQuestionLeavesEveryTarget) {
  Put(Legacy("PomSoub\\Ucet.Cis"), LegacyFixedLine({"221100", "Banka", "A"}, {6, -2, 50, -1, 1}));
  Make(Cisel("26Ucty.Cds"), "Ucty.Def", {"311100|Odberatele|A"});
  const std::string before = Get(Cisel("26Ucty.Cds"));
  ConversionSummary s = Conversion().CodeLists();  // the question answered No
  EXPECT_TRUE(s.declined);
  EXPECT_TRUE(s.converted.empty());
  EXPECT_EQ(Get(Cisel("26Ucty.Cds")), before);
  EXPECT_FALSE(Exists("D:\\LOrvo\\Archiv\\26Ucty_001.Cds"));
}

TEST_F(LegacyScratch, KontoLayoutWithOtherNamesIsRefusedNamingTheWords) {
  Put(Def("DosKonto.Def"), "Konta\r\n"
                           " 15 1. Konto                            Konto                         PM\r\n"
                           " 50 2. Nazev                            Nazev                         PM\r\n");
  Put(Legacy("PomSoub\\Konto.Cis"), LegacyFixedLine({"100001", "Drevo"}, {15, 50}));
  Put(Legacy("PomSoub\\Cinn.Cis"), LegacyFixedLine({"20100", "Doprava", "km"}, {5, -2, 50, -1, 5}));
  Make(Cisel("26Konta.Cds"), "Konta.Def", {"100009|Stary"});
  const std::string before = Get(Cisel("26Konta.Cds"));
  ConversionSummary s = Conversion().CodeLists();
  EXPECT_EQ(Get(Cisel("26Konta.Cds")), before);
  EXPECT_TRUE(Skipped(s, Legacy("PomSoub\\Konto.Cis"), "Nazev konta"));
  // The chart is missing (said) and the activities still arrive.
  EXPECT_TRUE(Skipped(s, Legacy("PomSoub\\Ucet.Cis"), "nebyl nalezen"));
  EXPECT_EQ(Rows(Cisel("26Cinn.Cds")), (std::vector<std::vector<std::string>>{{"20100", "Doprava", "km"}}));
  bool named = false;
  for (const auto& m : ui.messages) named |= m.text.find("nema slova definice Konta.Def:\r\rNazev konta") != std::string::npos;
  EXPECT_TRUE(named);
}

TEST_F(LegacyScratch, BalanceFilesOfEveryYearLandInThePeriodBefore) {
  PutPeriod("26 05");
  LegacyBalance a{"01", "02", "03", "221100", "", 1234.5, 0, 7, 8};
  LegacyBalance b{"01", "02", "03", "211100", "10100", 0, 99.99};
  // An incomplete last record is dropped.
  Put(Legacy("UceS1501.Dat"), BalanceFileOf({a, b}) + std::string(20, 'x'));
  Put(Legacy("uces1500.dat"), BalanceFileOf({b}));
  Put(Legacy("UceS2503.Dat"), BalanceFileOf({a}));
  Put(Legacy("UceS9912.Dat"), BalanceFileOf({b}));
  ConversionSummary s = Conversion().Balances();
  EXPECT_EQ(s.converted.size(), 4u);
  EXPECT_TRUE(s.skipped.empty());
  using Rows_ = std::vector<std::vector<std::string>>;
  EXPECT_EQ(Trimmed(BalanceFile(session, "1501")),
            (Rows_{{"15", "00", "01", "02", "03", "211100", "10100", "", "", "99,99"},
                   {"15", "00", "01", "02", "03", "221100", "", "", "1234,50", ""}}));
  EXPECT_EQ(BalanceFile(session, "1501"), Data("150001UctS.Cds"));
  EXPECT_EQ(Rows(BalanceFile(session, "1500")).at(0).at(1), "12");
  EXPECT_EQ(BalanceFile(session, "1500"), Data("141201UctS.Cds"));
  EXPECT_EQ(Rows(Data("250201UctS.Cds")).size(), 1u);
  EXPECT_EQ(Rows(Data("991101UctS.Cds")).size(), 1u);
  // The session's period never moved.
  EXPECT_EQ(session.CurrentPeriod, "26 05");
  EXPECT_EQ(Get(kPeriodFile), "26 05\r\n");
}

TEST_F(LegacyScratch, DamagedBalanceFilesAreRefusedWholeAndNamed) {
  LegacyBalance good{"01", "02", "03", "221100", "", 10, 0};
  LegacyBalance nan = good;
  nan.dal = std::numeric_limits<double>::quiet_NaN();
  LegacyBalance huge = good;
  huge.md = 1e20;
  LegacyBalance wideFourth = good;
  wideFourth.dalMin = -99999999999.0;  // 15 characters in a column of 14
  struct Case {
    const char* period;
    std::string bytes;
    const char* reason;
  };
  const Case cases[] = {
      {"1501", LegacyHeader(0) + std::string(100, 'a'), "delka vety 0"},
      {"1502", LegacyHeader(40) + std::string(80, 'a'), "delka vety 40"},
      {"1503", BalanceFileOf({good, nan}), "zaznam 2: castka 2 neni cislo"},
      {"1504", BalanceFileOf({huge}), "zaznam 1: castka 1 se nevejde"},
      {"1505", BalanceFileOf({good, good, wideFourth}), "zaznam 3: castka 4 se nevejde"},
      {"1506", std::string("short"), "delka vety 0"},
  };
  for (const Case& c : cases) {
    Put(Legacy(std::string("UceS") + c.period + ".Dat"), c.bytes);
    Make(BalanceFile(session, c.period), "UctS.Def", {Bal("01|02|03", "221100", "", "", "5", "", "15|00")});
  }
  std::map<std::string, std::string> before;
  for (const Case& c : cases) before[c.period] = Get(BalanceFile(session, c.period));
  ui.answers.push_back(Answer::Yes);
  ConversionSummary s = Conversion().Balances();
  EXPECT_TRUE(s.converted.empty());
  for (const Case& c : cases) {
    const std::string file = Legacy(std::string("UceS") + c.period + ".Dat");
    EXPECT_TRUE(Skipped(s, file, c.reason)) << c.period;
    EXPECT_EQ(Get(BalanceFile(session, c.period)), before[c.period]) << c.period;
    bool said = false;
    for (const auto& m : ui.messages) said |= m.kind == MessageKind::Error && m.text.find(c.reason) != std::string::npos;
    EXPECT_TRUE(said) << c.period;
  }
}

TEST_F(LegacyScratch, PostingsArriveWidenedAndOtherRecordLengthsAreSkipped) {
  PutPeriod("15 03");
  LegacyPosting p;
  p.zavod = "01";
  p.rok = "15";
  p.mesic = "03";
  p.doklId = "010203";
  p.cisDokl = "00012";
  p.radek = 7;
  p.sprava = "02";
  p.stredisko = "03";
  p.ucet = "311100";
  p.cinnost = "10100";
  p.intDokl = "FV12";
  p.konto = "100001";
  p.md = 1210.5;
  p.datum = "14.03.2015";
  p.mena = "EUR";
  p.nazevKonta = "\xC8" "ern\xFD a syn";
  p.kurz = 27.125;
  p.datZapisu = "15.03.2015";
  p.zapsal = "ADM";
  p.text = "Faktura";
  LegacyPosting q = p;
  q.radek = 12;
  q.ucet = "602100";
  q.md = 0;
  q.dal = 1210.5;
  Put(Legacy("Uce1503.Dat"), LegacyPostingFile({q, p}));
  std::string other = LegacyPostingFile({p});
  other[12] = 100;  // a record length of 100
  Put(Legacy("Uce1504.Dat"), other);
  // The working period's own posting file is a target like any other.
  Make(PostingFile(session, "1503"), "UctO.Def", {Post("01|02|03", "211100", "", "", "1", "", "15|03")});
  const std::string before = Get(PostingFile(session, "1503"));
  ui.answers.push_back(Answer::Yes);
  ConversionSummary s = Conversion().Postings();
  ASSERT_EQ(s.converted.size(), 1u);
  EXPECT_TRUE(Skipped(s, Legacy("Uce1504.Dat"), "delka vety 100 misto 154"));
  EXPECT_NE(ui.messages.at(0).text.find("existujici soubory: 1"), std::string::npos);
  EXPECT_EQ(Get("D:\\LOrvo\\Archiv\\150301UctO_001.Cds"), before);
  using Rows_ = std::vector<std::vector<std::string>>;
  EXPECT_EQ(Trimmed(PostingFile(session, "1503")),
            (Rows_{{"15", "03", "0102030000", "00012", "0007", "01", "02", "03", "311100", "10100", "FV12",
                    "100001", "1210,50", "", "14.03.2015", "EUR", "\xC8" "ern\xFD a syn", "27,12500", "15.03.2015",
                    "Faktura", "Prevod z Dosu"},
                   {"15", "03", "0102030000", "00012", "0012", "01", "02", "03", "602100", "10100", "FV12",
                    "100001", "", "1210,50", "14.03.2015", "EUR", "\xC8" "ern\xFD a syn", "27,12500", "15.03.2015",
                    "Faktura", "Prevod z Dosu"}}));
  EXPECT_EQ(session.CurrentPeriod, "15 03");
}

TEST_F(LegacyScratch, MenuHandlersNeedTheAdminAndTheLegacyDirectory) {
  session.UserRole = "Sprav";
  DosPrevStavy(session, session.engine, session.codeList);
  EXPECT_EQ(ui.Single().text, "Pro tuto oblast nemate opravneni !");
  ui.Clear();
  session.UserRole = "Admin";
  DosPrevStavy(session, session.engine, session.codeList);  // an empty legacy directory
  EXPECT_EQ(ui.Single().text, "V adresari D:\\PrevDos nebyl nalezen zadny soubor k prevodu !");
  ui.Clear();
  PutInit("01 Zavod Jih", "02 Sprava", "03 Stredisko", "");
  DosPrevObraty(session, session.engine, session.codeList);
  EXPECT_NE(ui.Single().text.find("neni zadan"), std::string::npos);
}

TEST(LegacySummary, NamesBareFilesAndCutsLongLists) {
  ConversionSummary s;
  for (int i = 0; i < 30; ++i) s.converted.emplace_back("D:\\PrevDos\\UceS15" + std::to_string(10 + i) + ".Dat", "D:\\LOrvo\\Data\\x.Cds");
  s.skipped.emplace_back("D:\\PrevDos\\Uce1501.Dat", "delka vety 100 misto 154");
  const std::string text = s.Text();
  EXPECT_EQ(text.rfind("Prevedeno souboru: 30\rPreskoceno souboru: 1\r\rPrevedeno: UceS1510.Dat -> x.Cds\r", 0), 0u) << text;
  EXPECT_NE(text.find("Prevedeno: UceS1533.Dat -> x.Cds\r... a dalsich 6\r\rPreskoceno: Uce1501.Dat (delka vety 100 misto 154)"),
            std::string::npos)
      << text;
  EXPECT_EQ(text.find("UceS1534"), std::string::npos);
}

// A year of legacy books, converted, gives per account the ledger the
// generator computed from its own amounts: the opening balance from the
// converted balance file and the turnovers from the converted posting file,
// both summed here plainly.
TEST_F(LegacyScratch, ConvertedYearHasTheGeneratorsLedger) {
  const LegacyYear year = GenerateLegacyYear("25", {{"01", "02", "03"}, {"02", "02", "21"}, {"03", "03", "31"}}, 12);
  EXPECT_EQ(WriteLegacyYear(*env, kLegacy, year).size(), 3u + 24u);
  ui.answers = {Answer::Yes, Answer::Yes, Answer::Yes};
  EXPECT_EQ(Conversion().CodeLists().converted.size(), 3u);
  EXPECT_EQ(Conversion().Balances().converted.size(), 12u);
  EXPECT_EQ(Conversion().Postings().converted.size(), 12u);
  for (int month = 1; month <= 12; ++month) {
    const std::string key = "25" + TwoDigits(month);
    std::map<std::string, LegacyLedgerLine> ledger;
    for (const auto& r : Rows(BalanceFile(session, key))) {
      ledger[r[5]].openMd += Hellers(r[8]);
      ledger[r[5]].openDal += Hellers(r[9]);
    }
    for (const auto& r : Rows(PostingFile(session, key))) {
      ledger[r[8]].turnMd += Hellers(r[12]);
      ledger[r[8]].turnDal += Hellers(r[13]);
    }
    EXPECT_EQ(ledger, year.Ledger(month)) << key;
  }
  // The chart converted with its Czech names.
  bool found = false;
  for (const auto& r : Rows(Cisel("26Ucty.Cds"))) found |= r[0] == "461100" && r[1] == "\xC8" "erp\xE1n\xED \xFAv\xECru";
  EXPECT_TRUE(found);
}

}  // namespace
}  // namespace orvo::test
