// Faults of the data layer found with crafted and damaged files: in-place
// operations that lost their input, sums cut to the wrong digits, shared
// memo numbers, the memory taken by a hostile XML file, orphan temporary
// files and messages that named work files.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "core/data/cds_file.h"
#include "core/data/cds_xml.h"
#include "core/data/checksum.h"
#include "core/data/dat_cds.h"
#include "core/data/dataset_ops.h"
#include "core/data/imports.h"
#include "core/data/little_endian.h"
#include "core/sys/termination.h"
#include "core/sys/text.h"
#include "ops_fixture.h"

namespace orvo::test::ops {
namespace {

constexpr const char* kIn = "C:\\A_Run\\Work\\In.Cds";
constexpr const char* kInDef = "C:\\A_Run\\Work\\In.Def";
constexpr const char* kOutDef = "C:\\A_Run\\Work\\Out.Def";

class TrustTest : public OpsTest {
 protected:
  // Ucet (LN 3), Text (PM 20), MD (N2 15): `count` records, keys descending.
  void Postings(int count) {
    WriteDef(kInDef, {{3, "Ucet", "LN"}, {20, "Text"}, {15, "MD", "N2"}});
    std::vector<Row> rows;
    for (int i = count; i > 0; --i) rows.push_back({std::to_string(100 + i), "text " + std::to_string(i), "1,00"});
    WriteCds(kIn, {{"Ucet", FieldType::Text, 3}, {"Text", FieldType::Text, 20}, {"MD", FieldType::Text, 15}},
             rows);
  }
  // The engine works in place: InCds is OutCds.
  void InPlace() {
    cds.params.InCds = kIn;
    cds.params.InDef = kInDef;
    cds.params.OutCds = kIn;
    cds.params.OutDef = kOutDef;
  }
  // The temporary file of the next save of `logical` cannot be made: a
  // directory stands where it would go, so the save fails as a full disk
  // would, after the operation has done all its work.
  void BlockSaveOf(const std::string& dir, const std::string& name) {
    std::filesystem::create_directories(Host(dir) + "/~" + name + "." + std::to_string(::getpid()) + ".tmp");
  }
  bool SaidUnwritable(std::string_view name) const {
    for (const RecordedMessage& m : ui.messages) {
      if (m.text.rfind("Soubor:\r\r\"" + std::string(name) + "\"\r\r     - nelze ulozit !", 0) == 0) return true;
    }
    return false;
  }
};

// --- in-place operations keep their input when they fail ------------------------

// Old code: SortF erased OutCds before storing the result (and wrote OutDef
// first), so a failed store left neither file.
TEST_F(TrustTest, SortFInPlaceThatCannotStoreKeepsItsInputAndOutDef) {
  for (int records : {1, 50}) {
    SCOPED_TRACE(records);
    Postings(records);
    InPlace();
    Put(kOutDef, "old definition");
    const std::string before = Get(kIn);
    BlockSaveOf("C:\\A_Run\\Work", "In.Cds");
    SetWords({2});
    EXPECT_FALSE(SortF(cds, false));
    EXPECT_EQ(Get(kIn), before);
    EXPECT_EQ(Get(kOutDef), "old definition");
    EXPECT_TRUE(SaidUnwritable(kIn));
    std::filesystem::remove(Host("C:\\A_Run\\Work") + "/~In.Cds." + std::to_string(::getpid()) + ".tmp");
    ui.Clear();
  }
}

// Old code: SortFND erased OutCds of a table of one record before storing.
TEST_F(TrustTest, SortFNDInPlaceThatCannotStoreKeepsItsInput) {
  for (int records : {1, 50}) {
    SCOPED_TRACE(records);
    Postings(records);
    InPlace();
    const std::string before = Get(kIn);
    BlockSaveOf("C:\\A_Run\\Work", "In.Cds");
    SetWords({2});
    EXPECT_FALSE(SortFND(cds, false));
    EXPECT_EQ(Get(kIn), before);
    std::filesystem::remove(Host("C:\\A_Run\\Work") + "/~In.Cds." + std::to_string(::getpid()) + ".tmp");
  }
}

TEST_F(TrustTest, SortFInPlaceReplacesTheFileWithTheSortedOne) {
  Postings(3);
  InPlace();
  SetWords({1});
  ASSERT_TRUE(SortF(cds, false));
  std::vector<Row> rows = RowsOf(kIn);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0][0], "101");
  EXPECT_EQ(rows[2][0], "103");
}

// Old code: SumF through MakeTableX erased OutCds (= InCds) before it was
// stored, and the store failing ended the application with neither file.
TEST_F(TrustTest, SumFInPlaceThatCannotStoreKeepsItsInputAndOutDef) {
  Postings(20);
  InPlace();
  Put(kOutDef, "old definition");
  const std::string before = Get(kIn);
  BlockSaveOf("C:\\A_Run\\Work", "In.Cds");
  SetWords({1});
  bool ok = true;
  EXPECT_NO_THROW(ok = SumF(cds, dat));
  EXPECT_FALSE(ok);
  EXPECT_EQ(Get(kIn), before);
  EXPECT_EQ(Get(kOutDef), "old definition");
}

// Old code: SumDat wrote OutDef before it summed, so a refused summation
// left a new OutDef beside the old OutCds.
TEST_F(TrustTest, RefusedSumFWritesNoOutputDefinition) {
  WriteDef(kInDef, {{3, "Ucet"}, {5, "MD", "N0"}});
  WriteCds(kIn, {{"Ucet", FieldType::Text, 3}, {"MD", FieldType::Text, 5}}, {{"311", "99999"}, {"311", "1"}});
  cds.params.InCds = kIn;
  cds.params.InDef = kInDef;
  cds.params.OutCds = "C:\\A_Run\\Work\\Out.Cds";
  cds.params.OutDef = kOutDef;
  SetWords({1});
  EXPECT_FALSE(SumF(cds, dat));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ui.messages[0].text.find("se nevejde do delky slova"), std::string::npos);
  EXPECT_FALSE(Exists(kOutDef));
  EXPECT_FALSE(Exists("C:\\A_Run\\Work\\Out.Cds"));
}

// Old code: restruct X.Cds MISSING.Def X.Cds erased X.Cds before it read the
// definition.
TEST_F(TrustTest, RestructureInPlaceWithAMissingDefinitionKeepsTheFile) {
  Postings(5);
  const std::string before = Get(kIn);
  EXPECT_THROW(ReStruktCds(cds, kIn, "C:\\A_Run\\Work\\Chybi.Def", kIn), Termination);
  EXPECT_EQ(Get(kIn), before);
}

TEST_F(TrustTest, RestructureInPlaceReplacesTheFile) {
  Postings(2);
  WriteDef("C:\\A_Run\\Work\\New.Def", {{20, "Text"}, {3, "Ucet", "LN"}});
  ReStruktCds(cds, kIn, "C:\\A_Run\\Work\\New.Def", kIn);
  EXPECT_EQ(RowsOf(kIn), (std::vector<Row>{{PadRight("text 2", 20), "102"}, {PadRight("text 1", 20), "101"}}));
}

// Old code: a .Dat file sorted into itself was erased by CreateDat before
// its records were read the second time.
TEST_F(TrustTest, SortDatInPlaceKeepsTheRecords) {
  const char* datFile = "C:\\A_Run\\Work\\In.Dat";
  WriteDef(kInDef, {{3, "Ucet"}, {2, "Str"}});
  WriteDef(kOutDef, {{2, "Str"}, {3, "Ucet"}});
  Put(datFile, "311S2211S1");
  dat.params.DatIn = datFile;
  dat.params.DatInDef = kInDef;
  dat.params.DatOut = datFile;
  dat.params.DatOutDef = kOutDef;
  dat.params.PocSlov = 1;
  dat.params.SezSlov[0] = 2;
  ASSERT_TRUE(dat.SortDat());
  EXPECT_EQ(Get(datFile), "S1211S2311");
}

// Old code: SortDat wrote DatOutDef first and left it when the sort failed.
TEST_F(TrustTest, SortDatThatCannotStoreLeavesTheOldOutputDefinition) {
  WriteDef(kInDef, {{3, "Ucet"}, {2, "Str"}});
  Put("C:\\A_Run\\Work\\In.Dat", "311S2211S1");
  Put(kOutDef, "old definition");
  BlockSaveOf("C:\\A_Run\\Work", "Out.Dat");
  dat.params.DatIn = "C:\\A_Run\\Work\\In.Dat";
  dat.params.DatInDef = kInDef;
  dat.params.DatOut = "C:\\A_Run\\Work\\Out.Dat";
  dat.params.DatOutDef = kOutDef;
  dat.params.PocSlov = 1;
  dat.params.SezSlov[0] = 2;
  EXPECT_FALSE(dat.SortDat());
  EXPECT_EQ(Get(kOutDef), "old definition");
  EXPECT_FALSE(Exists("C:\\A_Run\\Work\\Out.Dat"));
}

// Old code: a load that failed after the records were read (here: the
// checksum) closed the table through Close, which stores a writable table
// over its file: the damaged file was rewritten as a sound one.
TEST_F(TrustTest, FailedLoadOfAWritableTableLeavesTheFileAsItWas) {
  Postings(3);
  std::string bytes = Get(kIn);
  bytes[bytes.size() - 20] ^= 0x01;  // a record byte: the checksum no longer fits
  Put(kIn, bytes);
  Dataset ds(*env);
  ds.SetFileName(kIn);
  EXPECT_FALSE(ds.Open());
  EXPECT_FALSE(ds.Active());
  EXPECT_EQ(Get(kIn), bytes);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ui.messages[0].text.find("Chybna kontrolni suma."), std::string::npos);
}

// --- sums that do not fit ----------------------------------------------------------

// Old code: the sum was cut to its leading digits (1000000000000) with
// success.
TEST_F(TrustTest, SumWiderThanItsWidenedFieldIsRefusedNamingFileAndWord) {
  WriteDef(kInDef, {{3, "Ucet"}, {15, "MD", "N0"}});
  WriteCds(kIn, {{"Ucet", FieldType::Text, 3}, {"MD", FieldType::Text, 15}},
           {{"311", "  9999999999999"}, {"311", "              1"}});
  cds.params.InCds = kIn;
  cds.params.InDef = kInDef;
  cds.params.OutCds = "C:\\A_Run\\Work\\Out.Cds";
  cds.params.OutDef = kOutDef;
  SetWords({1});
  EXPECT_FALSE(SumF(cds, dat));
  EXPECT_EQ(ui.Single(), Info("Soubor:\r\r\"C:\\A_Run\\Work\\In.Cds\"\r\r     - hodnota 10000000000000 slova MD "
                              "se nevejde do delky slova !"));
  EXPECT_FALSE(Exists("C:\\A_Run\\Work\\Out.Cds"));
  EXPECT_FALSE(Exists(kOutDef));
}

// Old code: words after a gap line were written past RecLen and cut (1,55 +
// 2,25 came out 3,00).
TEST_F(TrustTest, DatOperationsRefuseADefinitionWithGapLines) {
  Put(kInDef, DefLine(1, {3, "Ucet"}) + "\r\n" + DefLine(2, {2, "Mezera", "ZS"}) + "\r\n" +
                  DefLine(3, {15, "MD", "N2"}) + "\r\n");
  WriteCds(kIn, {{"Ucet", FieldType::Text, 3}, {"MD", FieldType::Text, 15}}, {{"311", "1,55"}, {"311", "2,25"}});
  cds.params.InCds = kIn;
  cds.params.InDef = kInDef;
  cds.params.OutCds = "C:\\A_Run\\Work\\Out.Cds";
  cds.params.OutDef = kOutDef;
  SetWords({1});
  EXPECT_FALSE(SumF(cds, dat));
  EXPECT_EQ(ui.Single(), Info("Soubor:\r\r\"C:\\A_Run\\Work\\In.Def\"\r\r     - obsahuje radky mezer (ZS) !",
                              "Soubor nelze pouzit pro dalsi operace"));
  EXPECT_FALSE(Exists("C:\\A_Run\\Work\\Out.Cds"));
}

// Old code: the word-list message named the work file CdsProcW1.Dat.
TEST_F(TrustTest, SumFMessagesNameTheUsersFileNotTheWorkFile) {
  Postings(2);
  cds.params.InCds = kIn;
  cds.params.InDef = kInDef;
  cds.params.OutCds = "C:\\A_Run\\Work\\Out.Cds";
  cds.params.OutDef = kOutDef;
  SetWords({9});
  EXPECT_FALSE(SumF(cds, dat));
  EXPECT_EQ(ui.Single(), Info("Cislo slova 9 v seznamu slov neni mezi 1 a 3 !", "Soubor: C:\\A_Run\\Work\\In.Cds"));
}

// Found by the .Dat fuzz target: a word of length 0 at the end of the
// record gave memcpy a null pointer (undefined behaviour, reported by the
// sanitizer build).
TEST_F(TrustTest, EmptyLastWordOfAFixedLengthRecordConverts) {
  WriteDef(kInDef, {{3, "A"}, {0, "B"}});
  Put("C:\\A_Run\\Work\\In.Dat", "abcdef");
  cds.params.DatName = "C:\\A_Run\\Work\\In.Dat";
  cds.params.DefName = kInDef;
  cds.params.CdsName = kIn;
  ASSERT_TRUE(KonvDatCds(cds));
  EXPECT_EQ(RowsOf(kIn), (std::vector<Row>{{"abc", ""}, {"def", ""}}));
}

// --- the file forms ----------------------------------------------------------------

// Old code: two declarations, which other XML readers reject.
TEST_F(TrustTest, XmlFormHasOneDeclaration) {
  Postings(1);
  Dataset ds(*env);
  ASSERT_TRUE(ds.LoadFromFile(kIn));
  for (bool utf8 : {false, true}) {
    std::string xml = EncodeCdsXml(ds, utf8);
    size_t first = xml.find("<?xml");
    EXPECT_EQ(first, 0u);
    EXPECT_EQ(xml.find("<?xml", first + 1), std::string::npos) << xml.substr(0, 200);
  }
}

// Old code: accepted; the next save kept the memo for the first record only.
TEST_F(TrustTest, TwoRecordsSharingAMemoAreRefusedAsDamaged) {
  Dataset ds(*env);
  ds.AddField("A", FieldType::Text, 2);
  ds.AddField("M", FieldType::Memo, 10);
  ASSERT_TRUE(ds.CreateDataSet());
  for (const char* m : {"first", "second"}) {
    ds.Append();
    ds.SetAsString(0, "x");
    ds.SetAsString(1, m);
    ds.Post();
  }
  std::string bytes = EncodeCdsBinary(ds);
  // Record 2's memo number (after the header, the descriptors and record 1)
  // is made 1, and the checksum made right again.
  const uint64_t descBytes = GetLe<uint64_t>(bytes.data() + 32);
  const size_t memoSlot = kCdsHeaderSize + descBytes + ds.RecordStride() + ds.SlotOffset(1);
  ASSERT_EQ(GetLe<uint32_t>(bytes.data() + memoSlot), 2u);
  PutLe<uint32_t>(bytes.data() + memoSlot, 1);
  const size_t body = bytes.size() - kCdsTrailerSize;
  PutLe<uint64_t>(bytes.data() + body, ChecksumOf(bytes.data(), body));
  Dataset back(*env);
  std::string detail;
  EXPECT_FALSE(ReadCdsBinary(bytes, back, &detail));
  EXPECT_EQ(detail, "Chybna veta 2.");
}

TEST_F(TrustTest, WideTableLoadsAndARepeatedNameIsStillFound) {
  Dataset ds(*env);
  for (int f = 0; f < kMaxFieldCount; ++f) ds.AddField("Pole" + std::to_string(f), FieldType::Text, 1);
  ASSERT_TRUE(ds.CreateDataSet());
  ds.Append();
  ds.SetAsString(kMaxFieldCount - 1, "z");
  ds.Post();
  ASSERT_TRUE(ds.SaveToFile(kIn, DataFormat::Binary));
  Dataset back(*env);
  ASSERT_TRUE(back.LoadFromFile(kIn));
  EXPECT_EQ(back.FieldCount(), kMaxFieldCount);
  EXPECT_EQ(back.StringAt(0, kMaxFieldCount - 1), "z");
  // Names compare case-insensitively, Czech letters included.
  Dataset twice(*env);
  twice.AddField("\xE8\xE1st", FieldType::Text, 1);
  for (int f = 0; f < 1000; ++f) twice.AddField("P" + std::to_string(f), FieldType::Text, 1);
  twice.AddField("\xC8\xC1ST", FieldType::Text, 1);
  EXPECT_FALSE(twice.CreateDataSet());
}

// The XML reader under a memory limit, in a child process: a few KB of
// empty records against a 65,535-wide field. Old code: the records were
// appended until the cap (or the memory) ran out, which ended the program
// with std::bad_alloc and no message.
#if !defined(__SANITIZE_ADDRESS__)
std::string WideXml(int records) {
  std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<orvo-dataset version=\"1\"><fields>"
                    "<field name=\"A\" type=\"text\" size=\"65535\"/></fields><indexes/><records>";
  for (int r = 0; r < records; ++r) xml += "<r/>";
  return xml + "</records></orvo-dataset>\n";
}

// Runs `body` in a child whose address space may grow by 48 MB at most; the
// child's exit code.
template <typename Body>
int UnderMemoryLimit(Body body) {
  pid_t pid = ::fork();
  if (pid == 0) {
    rlimit limit{};
    getrlimit(RLIMIT_AS, &limit);
    long pages = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
      if (std::fscanf(f, "%ld", &pages) != 1) pages = 0;
      std::fclose(f);
    }
    limit.rlim_cur = static_cast<rlim_t>(pages) * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE)) + (rlim_t{48} << 20);
    setrlimit(RLIMIT_AS, &limit);
    int code = 3;
    try {
      code = body();
    } catch (...) {
      code = 4;
    }
    ::_exit(code);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST_F(TrustTest, XmlOfManyEmptyWideRecordsIsRefusedBeforeTheMemoryIsTaken) {
  // 1,100 records of 65,537 bytes: 72 MB, above the cap for 4 KB of XML.
  Put(kIn, WideXml(1100));
  int code = UnderMemoryLimit([&] {
    Dataset ds(*env);
    if (ds.LoadFromFile(kIn)) return 1;
    return ui.messages.size() == 1 &&
                   ui.messages[0].text.find("Prilis mnoho vet pro velikost souboru.") != std::string::npos &&
                   ui.messages[0].text.find("In.Cds") != std::string::npos
               ? 0
               : 2;
  });
  EXPECT_EQ(code, 0);
}

TEST_F(TrustTest, TableLargerThanTheMemoryIsRefusedNamingTheFile) {
  // 900 records: 59 MB, within the cap but beyond the child's memory.
  Put(kIn, WideXml(900));
  int code = UnderMemoryLimit([&] {
    Dataset ds(*env);
    if (ds.LoadFromFile(kIn)) return 1;
    return ui.messages.size() == 1 &&
                   ui.messages[0].text == "Soubor:\r\r\"C:\\A_Run\\Work\\In.Cds\"\r\r     - nelze precist !\r\rChyba:    8"
               ? 0
               : 2;
  });
  EXPECT_EQ(code, 0);
}
#endif

// --- smaller ones --------------------------------------------------------------------

// Old code: the temporary file of a program killed before its commit stayed
// for good.
TEST_F(TrustTest, OrphanTemporaryFilesAreRemovedWhenTheFileIsWrittenAgain) {
  pid_t gone = ::fork();
  if (gone == 0) ::_exit(0);
  ::waitpid(gone, nullptr, 0);
  const std::string dir = Host("C:\\A_Run\\Work");
  const std::string orphan = dir + "/~In.Cds." + std::to_string(gone) + ".tmp";
  const std::string live = dir + "/~In.Cds.1.tmp";  // pid 1 is always running
  const std::string other = dir + "/~Jiny.Cds." + std::to_string(gone) + ".tmp";
  for (const std::string& f : {orphan, live, other}) Put("C:\\A_Run\\Work\\" + f.substr(dir.size() + 1), "half");
  ASSERT_TRUE(std::filesystem::exists(orphan));
  Postings(1);
  EXPECT_FALSE(std::filesystem::exists(orphan));
  EXPECT_TRUE(std::filesystem::exists(live));
  EXPECT_TRUE(std::filesystem::exists(other));
}

// Old code: a length of four digits, which the reader takes as three.
TEST_F(TrustTest, CdsDefRefusesATextFieldWiderThan999) {
  WriteCds(kIn, {{"Kratky", FieldType::Text, 5}, {"Dlouhy", FieldType::Text, 1000}}, {{"a", "b"}});
  cds.params.CdsName = kIn;
  cds.params.DefName = kOutDef;
  cds.CdsDef();
  EXPECT_EQ(ui.Single(), Info("Soubor:\r\r\"C:\\A_Run\\Work\\In.Cds\"\r\r     - slovo Dlouhy je delsi nez 999 znaku !",
                              "Soubor nelze pouzit pro dalsi operace"));
  EXPECT_FALSE(Exists(kOutDef));
}

// Old code: the import ended at the mark without a word.
TEST_F(TrustTest, CtrlZThatEndsAnImportEarlySaysSo) {
  WriteDef(kInDef, {{3, "A"}});
  cds.params.DatName = "C:\\A_Run\\Work\\F.Txt";
  cds.params.DefName = kInDef;
  cds.params.CdsName = kIn;
  cds.params.XDefName = "";
  Put("C:\\A_Run\\Work\\F.Txt", "abc\r\n\x1A" "def\r\n");
  ASSERT_TRUE(KonvTxCds(cds, 0));
  EXPECT_EQ(ui.Single(), Info("Soubor:\r\r\"C:\\A_Run\\Work\\F.Txt\"\r\r     - znak konce souboru (Ctrl+Z) na pozici 6 "
                              "ukoncil import, text za nim nebyl nacten !"));
  EXPECT_EQ(RowsOf(kIn), (std::vector<Row>{{"abc"}}));
  // A mark at the very end is the usual end of a DOS file.
  ui.Clear();
  Put("C:\\A_Run\\Work\\F.Txt", "abc\r\n\x1A");
  ASSERT_TRUE(KonvTxCds(cds, 0));
  EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace orvo::test::ops
