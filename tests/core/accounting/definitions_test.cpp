// The shipped definitions of the accounting: every one reads, the posting and
// balance layouts have their words where the processing looks for them, and
// the words the overviews cut keys by have one width everywhere.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "core/data/definition.h"
#include "support/app_fixture.h"

namespace orvo::test {
namespace {

class ShippedDefinitions : public AppScratch {
 protected:
  // Reads install/defs/NAME as the installation writes it (CR LF).
  LoadedDef Read(const std::string& name) {
    std::string text = ReadHost(std::string(ORVO_SOURCE_DIR) + "/install/defs/" + name);
    std::string crlf;
    for (char c : text) {
      if (c == '\n') crlf += '\r';
      crlf += c;
    }
    const std::string logical = "D:\\LOrvo\\DefSoub\\" + name;
    Put(logical, crlf);
    LoadedDef def;
    EXPECT_TRUE(ReadDef(*env, def, logical)) << name;
    return def;
  }
  static std::vector<std::string> Names(const LoadedDef& def) {
    std::vector<std::string> names;
    for (const DefWord& w : def.words) names.push_back(w.FieldName);
    return names;
  }
};

TEST_F(ShippedDefinitions, EveryDefinitionReadsWithoutAMessage) {
  for (const auto& entry :
       std::filesystem::directory_iterator(std::string(ORVO_SOURCE_DIR) + "/install/defs")) {
    if (entry.path().extension() != ".Def") continue;
    const std::string name = entry.path().filename().string();
    // The voucher's head, table and foot are plain text lines.
    if (name.rfind("LDokl", 0) == 0) continue;
    LoadedDef def = Read(name);
    EXPECT_GT(def.PSl, 0) << name;
    int sum = 0;
    for (const DefWord& w : def.words) sum += w.TD;
    EXPECT_EQ(def.RecLen, sum) << name;
  }
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ShippedDefinitions, PostingAndBalanceLayoutsHaveTheirPositions) {
  using V = std::vector<std::string>;
  const V posting{"Rok",     "Mesic", "DoklId",  "CisDokl",    "Radek", "Zavod",     "Sprava",
                  "Stredisko", "Ucet", "Cinnost", "IntDokl",   "Konto", "MD",        "Dal",
                  "Datum",   "Mena",  "NazevKonta", "Kurz",    "DatZapisu", "Text", "Poznamka"};
  LoadedDef o = Read("UctO.Def");
  EXPECT_EQ(Names(o), posting);
  EXPECT_EQ(o.HeaderCount, 4);
  EXPECT_EQ(o.Word(13).TMS, "N2");
  EXPECT_EQ(o.Word(14).TMS, "N2");
  EXPECT_EQ(o.Word(15).TMS, "DT");
  EXPECT_EQ(o.Word(19).TMS, "DT");
  EXPECT_EQ(o.Word(18).TMS, "N5");
  EXPECT_EQ(o.Word(9).JmSCis, "C:\\A_Run\\Aplikace\\LOrvo\\Cisel\\Ucty.Cds");
  EXPECT_EQ(o.Word(12).JmSCis, "C:\\A_Run\\Aplikace\\LOrvo\\Cisel\\Konta.Cds");

  V sub = posting;
  sub.erase(sub.begin() + 15, sub.begin() + 19);
  EXPECT_EQ(Names(Read("UctOSub.Def")), sub);

  const V balance{"Rok", "Mesic", "Zavod", "Sprava", "Stredisko", "Ucet", "Cinnost", "Konto", "MD", "Dal"};
  EXPECT_EQ(Names(Read("UctS.Def")), balance);
  EXPECT_EQ(Names(Read("MzdUct.Def")), balance);
  V net = balance;
  net.push_back("Zustatek");
  EXPECT_EQ(Names(Read("UctSS.Def")), net);
  V swapped = balance;
  std::swap(swapped[5], swapped[6]);
  EXPECT_EQ(Names(Read("UctSC.Def")), swapped);

  // Only the amounts are numeric in a balance record: the summation keeps
  // exactly these.
  LoadedDef s = Read("UctSS.Def");
  for (const DefWord& w : s.words) {
    bool amount = w.FieldName == "MD" || w.FieldName == "Dal" || w.FieldName == "Zustatek";
    EXPECT_EQ(w.TMS[0] == 'N', amount) << w.FieldName;
  }

  // The ledger templates: three units, code, name, code, name, four amounts.
  for (const char* name : {"HlKniha.Def", "UctCinn.Def", "CinnUct.Def"}) {
    LoadedDef t = Read(name);
    ASSERT_EQ(t.PSl, 11) << name;
    for (int i = 8; i <= 11; ++i) EXPECT_EQ(t.Word(i).TMS, "N2") << name << " word " << i;
  }
  EXPECT_EQ(Read("HlKniha.Def").Word(5).TD, 50);
  EXPECT_EQ(Read("HlKniha.Def").Word(7).TD, 50);
}

TEST_F(ShippedDefinitions, SharedWordsHaveOneWidthInEveryLayout) {
  std::map<std::string, int> width;
  LoadedDef o = Read("UctO.Def");
  for (const DefWord& w : o.words) width[w.FieldName] = w.TD;
  for (const char* name : {"UctOSub.Def", "UctS.Def", "UctSS.Def", "UctSC.Def", "MzdUct.Def",
                           "HlKniha.Def", "UctCinn.Def", "CinnUct.Def", "Vykaz.Def", "VykUc.Def"}) {
    LoadedDef def = Read(name);
    for (const DefWord& w : def.words) {
      for (const char* shared : {"Rok", "Mesic", "Zavod", "Sprava", "Stredisko", "Ucet", "Cinnost",
                                 "Konto", "MD", "Dal"}) {
        if (w.FieldName == shared) {
          EXPECT_EQ(w.TD, width[shared]) << name << " " << shared;
        }
      }
    }
  }
  // The organisational key of the statements holds the three unit codes.
  EXPECT_EQ(Read("VykUc.Def").Word(1).TD, width["Zavod"] + width["Sprava"] + width["Stredisko"]);
}

}  // namespace
}  // namespace orvo::test
