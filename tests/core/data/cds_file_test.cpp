#include "core/data/cds_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>

#include "core/data/cds_xml.h"
#include "core/data/checksum.h"
#include "support/scratch.h"

namespace orvo::test {
namespace {

std::string AllBytes() {
  std::string s;
  for (int b = 1; b <= 255; ++b) s += static_cast<char>(b);
  return s;
}

TEST(ChecksumTest, IsXxh64) {
  EXPECT_EQ(ChecksumOf("", 0), 0xEF46DB3751D8E999ULL);
  EXPECT_EQ(ChecksumOf("a", 1), 0xD24EC4F1A98C6E5BULL);
  EXPECT_EQ(ChecksumOf("abc", 3), 0x44BC2CF5AD770999ULL);
}

TEST(ChecksumTest, PiecesGiveTheSameSumAsTheWhole) {
  std::string data;
  for (int i = 0; i < 1000; ++i) data += static_cast<char>(i * 7 + 3);
  for (size_t piece : {1u, 7u, 31u, 32u, 33u, 100u}) {
    Checksum64 sum;
    for (size_t at = 0; at < data.size(); at += piece) {
      sum.Update(data.data() + at, std::min(piece, data.size() - at));
    }
    EXPECT_EQ(sum.Digest(), ChecksumOf(data.data(), data.size())) << piece;
  }
}

class CdsFileTest : public Scratch {
 protected:
  CdsFileTest() { std::filesystem::create_directories(Host("D:\\Data")); }

  // Every field type, sizes across the 1- and 2-byte length forms, every
  // byte value 1-255, blanks at both ends, nulls.
  Dataset Sample() {
    Dataset ds(*env);
    ds.AddField("Bajty", FieldType::Text, 255, true);
    ds.AddField("Dlouhy text \xE8\xE1st", FieldType::Text, 600);
    ds.AddField("Nula", FieldType::Text, 0);
    ds.AddField("Poznamka", FieldType::Memo, 30);
    ds.AddField("Realne", FieldType::Float, 0);
    ds.AddField("Cele", FieldType::Integer, 0);
    ds.AddField("Male", FieldType::SmallInt, 0);
    ds.AddField("Slovo", FieldType::Word, 0);
    ds.AddField("Ano/Ne", FieldType::Boolean, 0);
    ds.AddField("Datum", FieldType::Date, 0);
    ds.AddIndex("", "Bajty;Cele", true);
    ds.AddIndex("Druhy", "Datum", false);
    EXPECT_TRUE(ds.CreateDataSet());
    ds.Append();
    ds.SetAsString(0, AllBytes());
    ds.SetAsString(1, "  " + AllBytes() + AllBytes() + "  ");
    ds.SetAsString(3, AllBytes() + "\r\n" + AllBytes());
    ds.SetAsFloat(4, 0.1 + 0.2);
    ds.SetAsString(5, "-2147483648");
    ds.SetAsString(6, "-32768");
    ds.SetAsString(7, "65535");
    ds.SetAsString(8, "False");
    ds.SetAsString(9, "31.12.1999");
    ds.Post();
    ds.Append();  // all null
    ds.Post();
    ds.Append();
    ds.SetAsString(0, "   ");
    ds.SetAsString(1, "\xC8\xE1stka \x81\x83\x88\x90\x98 &<>\"'");
    ds.SetAsFloat(4, -1e300);
    ds.SetAsString(8, "True");
    ds.Post();
    return ds;
  }

  static void ExpectSame(Dataset& a, Dataset& b) {
    ASSERT_EQ(a.Fields(), b.Fields());
    ASSERT_EQ(a.Indexes(), b.Indexes());
    ASSERT_EQ(a.RecordCount(), b.RecordCount());
    for (int r = 0; r < a.RecordCount(); ++r) {
      for (int f = 0; f < a.FieldCount(); ++f) {
        EXPECT_EQ(a.NullAt(r, f), b.NullAt(r, f)) << r << "/" << f;
        EXPECT_EQ(a.StringAt(r, f), b.StringAt(r, f)) << r << "/" << f;
        EXPECT_EQ(a.FloatAt(r, f), b.FloatAt(r, f)) << r << "/" << f;
      }
    }
  }

  std::string SampleFile() {
    Dataset ds = Sample();
    return EncodeCdsBinary(ds);
  }
};

TEST_F(CdsFileTest, BinaryRoundTripOfEveryTypeAndByte) {
  Dataset ds = Sample();
  std::string bytes = EncodeCdsBinary(ds);
  Dataset back(*env);
  std::string detail;
  ASSERT_TRUE(ReadCdsBinary(bytes, back, &detail)) << detail;
  ExpectSame(ds, back);
  EXPECT_EQ(EncodeCdsBinary(back), bytes);  // stable bytes
}

class XmlRoundTripTest : public CdsFileTest, public ::testing::WithParamInterface<bool> {};
TEST_P(XmlRoundTripTest, EveryTypeAndByte) {
  Dataset ds = Sample();
  std::string xml = EncodeCdsXml(ds, GetParam());
  Dataset back(*env);
  std::string detail;
  ASSERT_TRUE(ReadCdsXml(xml, back, &detail)) << detail;
  ExpectSame(ds, back);
}
INSTANTIATE_TEST_SUITE_P(Cds, XmlRoundTripTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "utf8" : "windows_1250"; });

TEST_F(CdsFileTest, XmlVariantsDeclareTheirEncoding) {
  Dataset ds = Sample();
  std::string plain = EncodeCdsXml(ds, false);
  std::string utf8 = EncodeCdsXml(ds, true);
  EXPECT_EQ(plain.rfind("<?xml version=\"1.0\" encoding=\"windows-1250\"?>", 0), 0u);
  EXPECT_EQ(utf8.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>", 0), 0u);
  EXPECT_NE(plain.find("\xC8\xE1stka"), std::string::npos);
  EXPECT_NE(utf8.find("\xC4\x8C\xC3\xA1stka"), std::string::npos);  // "Částka" in UTF-8
}

TEST_F(CdsFileTest, XmlOfManyEmptyWideRecordsIsRefusedNotAllocated) {
  std::string xml = "<orvo-dataset version=\"1\"><fields>"
                    "<field name=\"A\" type=\"text\" size=\"65535\"/></fields><records>";
  for (int i = 0; i < 2000; ++i) xml += "<r/>";
  xml += "</records></orvo-dataset>";
  Dataset ds(*env);
  std::string detail;
  EXPECT_FALSE(ReadCdsXml(xml, ds, &detail));
  EXPECT_EQ(detail, "Prilis mnoho vet pro velikost souboru.");
  EXPECT_FALSE(ds.Active());
}

TEST_F(CdsFileTest, EmptyTableIsLargerThanFourBytes) {
  Dataset ds(*env);
  ds.AddField("A", FieldType::Text, 1);
  ASSERT_TRUE(ds.CreateDataSet());
  EXPECT_GT(EncodeCdsBinary(ds).size(), 4u);
}

TEST_F(CdsFileTest, EveryTruncationIsRefused) {
  std::string bytes = SampleFile();
  for (size_t n = 0; n < bytes.size(); ++n) {
    Dataset back(*env);
    std::string detail;
    EXPECT_FALSE(ReadCdsBinary(std::string_view(bytes).substr(0, n), back, &detail)) << n;
    EXPECT_FALSE(back.Active());
    EXPECT_FALSE(detail.empty());
  }
}

TEST_F(CdsFileTest, EveryFlippedBitIsRefused) {
  std::string bytes = SampleFile();
  for (size_t at = 0; at < bytes.size(); ++at) {
    for (int bit : {0, 7}) {
      std::string bad = bytes;
      bad[at] = static_cast<char>(bad[at] ^ (1 << bit));
      Dataset back(*env);
      EXPECT_FALSE(ReadCdsBinary(bad, back, nullptr)) << at << "/" << bit;
    }
  }
}

TEST_F(CdsFileTest, ExtraBytesAreRefused) {
  Dataset back(*env);
  std::string detail;
  EXPECT_FALSE(ReadCdsBinary(SampleFile() + "x", back, &detail));
  EXPECT_EQ(detail, "Delka souboru neodpovida hlavicce (soubor je zkracen nebo prodlouzen).");
}

struct DamagedCase {
  const char* name;
  std::string bytes;
  const char* detail;
};
class DamagedFileTest : public CdsFileTest, public ::testing::WithParamInterface<DamagedCase> {};
TEST_P(DamagedFileTest, ErrorBoxNamesTheFile) {
  Put("D:\\Data\\Vadny.Cds", GetParam().bytes);
  Dataset ds(*env);
  ds.SetFileName("D:\\Data\\Vadny.Cds");
  EXPECT_FALSE(ds.Open());
  EXPECT_FALSE(ds.Active());
  EXPECT_EQ(ui.Single(), Error(std::string("Soubor:\r\r\"D:\\Data\\Vadny.Cds\"\r\r     - je poskozen "
                                           "nebo neni tabulkou !\r\r") +
                               GetParam().detail));
}
INSTANTIATE_TEST_SUITE_P(
    Cds, DamagedFileTest,
    ::testing::Values(
        DamagedCase{"empty", "", "Neznamy format souboru."},
        DamagedCase{"four_bytes", "ORVO", "Neznamy format souboru."},
        DamagedCase{"foreign_zip", std::string("PK\x03\x04\x14\x00\x00\x00", 8) + std::string(200, 'z'),
                    "Neznamy format souboru."},
        DamagedCase{"magic_only", std::string("ORVOCDS\x1A", 8), "Soubor je prilis kratky."},
        DamagedCase{"foreign_xml", "<?xml version=\"1.0\"?><other/>", "Neznamy format souboru."},
        DamagedCase{"broken_xml", "<orvo-dataset version=\"1\"><fields>",
                    "Chybny XML (Start-end tags mismatch, pozice 33)."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CdsFileTest, TruncatedFileOnDiskIsReported) {
  std::string bytes = SampleFile();
  Put("D:\\Data\\Kratky.Cds", bytes.substr(0, bytes.size() - 1));
  Dataset ds(*env);
  EXPECT_FALSE(ds.LoadFromFile("D:\\Data\\Kratky.Cds"));
  EXPECT_EQ(ui.Single(),
            Error("Soubor:\r\r\"D:\\Data\\Kratky.Cds\"\r\r     - je poskozen nebo neni tabulkou "
                  "!\r\rDelka souboru neodpovida hlavicce (soubor je zkracen nebo prodlouzen)."));
}

TEST_F(CdsFileTest, MissingFileIsReported) {
  Dataset ds(*env);
  ds.SetFileName("D:\\Data\\Nic.Cds");
  EXPECT_FALSE(ds.Open());
  EXPECT_EQ(ui.Single(), Error("Soubor:\r\r\"D:\\Data\\Nic.Cds\"\r\r     - nebyl nalezen !"));
}

TEST_F(CdsFileTest, FileNameOpenCloseStoresAndLoads) {
  Dataset ds = Sample();
  ds.SetFileName("D:\\Data\\Vzor.Cds");
  ASSERT_TRUE(ds.Close());
  EXPECT_EQ(ds.RecordCount(), 0);
  ASSERT_TRUE(ds.Open());
  Dataset expected = Sample();
  ExpectSame(expected, ds);
  // Either form is recognised on loading.
  ASSERT_TRUE(ds.SaveToFile("D:\\Data\\Vzor.Xml", DataFormat::XmlUtf8));
  Dataset fromXml(*env);
  ASSERT_TRUE(fromXml.LoadFromFile("D:\\Data\\Vzor.Xml"));
  ExpectSame(expected, fromXml);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CdsFileTest, ReadOnlyTableIsNotStoredOnClose) {
  Dataset ds = Sample();
  ASSERT_TRUE(ds.SaveToFile("D:\\Data\\A.Cds", DataFormat::Binary));
  std::string before = Get("D:\\Data\\A.Cds");
  Dataset ro(*env);
  ro.SetFileName("D:\\Data\\A.Cds");
  ro.SetReadOnly(true);
  ASSERT_TRUE(ro.Open());
  ASSERT_TRUE(ro.Close());
  EXPECT_EQ(Get("D:\\Data\\A.Cds"), before);
}

TEST_F(CdsFileTest, SaveKeepsTheAttributes) {
  Dataset ds = Sample();
  ASSERT_TRUE(ds.SaveToFile("D:\\Data\\A.Cds", DataFormat::Binary));
  ASSERT_EQ(fs->SetAttributes("D:\\Data\\A.Cds", kAttrHidden | kAttrArchive), 0);
  ds.Append();
  ds.Post();
  ASSERT_TRUE(ds.SaveToFile("D:\\Data\\A.Cds", DataFormat::Binary));
  EXPECT_EQ(fs->Attributes("D:\\Data\\A.Cds").value_or(0) & (kAttrHidden | kAttrArchive),
            kAttrHidden | kAttrArchive);
  Dataset back(*env);
  ASSERT_TRUE(back.LoadFromFile("D:\\Data\\A.Cds"));
  EXPECT_EQ(back.RecordCount(), 4);
}

TEST_F(CdsFileTest, ReadOnlyFileIsNotOverwritten) {
  Dataset ds = Sample();
  ASSERT_TRUE(ds.SaveToFile("D:\\Data\\A.Cds", DataFormat::Binary));
  std::string before = Get("D:\\Data\\A.Cds");
  ASSERT_EQ(fs->SetAttributes("D:\\Data\\A.Cds", kAttrReadOnly), 0);
  ds.Append();
  ds.Post();
  EXPECT_FALSE(ds.SaveToFile("D:\\Data\\A.Cds", DataFormat::Binary));
  EXPECT_EQ(ui.Single(), Error("Soubor:\r\r\"D:\\Data\\A.Cds\"\r\r     - nelze ulozit !\r\rChyba:    5"));
  EXPECT_EQ(Get("D:\\Data\\A.Cds"), before);
}

// The file size limit makes the write fail at any chosen byte, as a full
// disk would; the old file must come through whole and no temporary file
// may stay behind.
class InterruptedSaveTest : public CdsFileTest, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &saved_);
  }
  void TearDown() override { setrlimit(RLIMIT_FSIZE, &saved_); }
  rlimit saved_{};
};

TEST_P(InterruptedSaveTest, LeavesTheOldFileIntact) {
  const bool xml = GetParam() < 0;
  const DataFormat format = xml ? DataFormat::Xml : DataFormat::Binary;
  Dataset old(*env);
  old.AddField("A", FieldType::Text, 1);
  ASSERT_TRUE(old.CreateDataSet());
  ASSERT_TRUE(old.SaveToFile("D:\\Data\\A.Cds", format));
  std::string before = Get("D:\\Data\\A.Cds");

  Dataset ds = Sample();
  const size_t full = xml ? EncodeCdsXml(ds, false).size() : EncodeCdsBinary(ds).size();
  const size_t cut = static_cast<size_t>(std::abs(GetParam())) * full / 100;
  rlimit limit = saved_;
  limit.rlim_cur = cut;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
  EXPECT_FALSE(ds.SaveToFile("D:\\Data\\A.Cds", format));
  setrlimit(RLIMIT_FSIZE, &saved_);

  EXPECT_EQ(Get("D:\\Data\\A.Cds"), before);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text.rfind("Soubor:\r\r\"D:\\Data\\A.Cds\"\r\r     - nelze ulozit !", 0), 0u);
  int files = 0;
  for (const auto& e : std::filesystem::directory_iterator(Host("D:\\Data"))) {
    (void)e;
    ++files;
  }
  EXPECT_EQ(files, 1);
}
// Percent of the new file written before the failure; negative: XML form.
INSTANTIATE_TEST_SUITE_P(Cds, InterruptedSaveTest,
                         ::testing::Values(0, 1, 10, 50, 90, 99, -1, -50, -99),
                         [](const auto& info) {
                           int p = info.param;
                           return (p < 0 ? "xml_" : "binary_") + std::to_string(std::abs(p));
                         });

}  // namespace
}  // namespace orvo::test
