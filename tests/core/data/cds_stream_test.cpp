#include "core/data/cds_stream.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/data/cds_file.h"
#include "core/data/cds_xml.h"
#include "core/data/checksum.h"
#include "core/data/little_endian.h"
#include "support/scratch.h"

namespace orvo::test {
namespace {

constexpr const char* kFile = "D:\\Data\\Veta.Cds";

class CdsStreamTest : public Scratch {
 protected:
  CdsStreamTest() { std::filesystem::create_directories(Host("D:\\Data")); }

  // Seven records over the types a summing pass meets: short text, text
  // with a 2-byte length, numbers, a flag, a date, nulls.
  Dataset Sample(bool memo = false) {
    Dataset ds(*env);
    ds.AddField("Ucet", FieldType::Text, 6, true);
    ds.AddField("Text", FieldType::Text, 300);
    ds.AddField("Castka", FieldType::Float, 0);
    ds.AddField("Cislo", FieldType::Integer, 0);
    ds.AddField("Ano", FieldType::Boolean, 0);
    ds.AddField("Datum", FieldType::Date, 0);
    if (memo) ds.AddField("Poznamka", FieldType::Memo, 20);
    EXPECT_TRUE(ds.CreateDataSet());
    for (int r = 0; r < 7; ++r) {
      ds.Append();
      ds.SetAsString(0, std::to_string(311000 + r));
      if (r != 3) ds.SetAsString(1, std::string(static_cast<size_t>(r * 40), static_cast<char>('a' + r)));
      ds.SetAsFloat(2, r * 1.25 - 2);
      if (r % 2 == 0) ds.SetAsString(3, std::to_string(-r * 1000));
      ds.SetAsString(4, r % 3 == 0 ? "True" : "False");
      if (r != 5) ds.SetAsString(5, std::to_string(r + 1) + ".02.2026");
      if (memo && r == 2) ds.SetAsString(6, "poznamka");
      ds.Post();
    }
    return ds;
  }

  static std::vector<std::string> Values(const Dataset& ds, int from, int count) {
    std::vector<std::string> values;
    for (int r = from; r < from + count; ++r) {
      for (int f = 0; f < ds.FieldCount(); ++f) values.push_back(ds.NullAt(r, f) ? "<null>" : ds.StringAt(r, f));
    }
    return values;
  }

  // Streams kFile in blocks of `perBlock` records; the values handed, or
  // nothing when the stream refuses the file.
  std::optional<std::vector<std::string>> Stream(size_t perBlock, size_t stride) {
    CdsRecordStream stream(*env);
    stream.SetBlockBytes(perBlock * stride);
    if (!stream.Open(kFile)) return std::nullopt;
    std::vector<std::string> values;
    uint64_t next = 0;
    const bool ok = stream.ForEachBlock([&](const Dataset& block, uint64_t first) {
      EXPECT_EQ(first, next);
      EXPECT_LE(static_cast<size_t>(block.RecordCount()), perBlock == 0 ? 1 : perBlock);
      next += static_cast<uint64_t>(block.RecordCount());
      for (const std::string& v : Values(block, 0, block.RecordCount())) values.push_back(v);
    });
    if (!ok) return std::nullopt;
    EXPECT_EQ(next, stream.RecordCount());
    return values;
  }

  // The stream and the whole load agree: both refuse with the same message,
  // or both read the same records.
  void ExpectSameAsWholeLoad(size_t perBlock, const std::string& what) {
    Dataset whole(*env);
    ui.Clear();
    const bool loaded = whole.LoadFromFile(kFile);
    const std::vector<RecordedMessage> wholeSaid = ui.messages;
    ui.Clear();
    const size_t stride = loaded ? whole.RecordStride() : 64;
    const auto streamed = Stream(perBlock, stride);
    ASSERT_EQ(streamed.has_value(), loaded) << what;
    EXPECT_EQ(ui.messages, wholeSaid) << what;
    if (loaded) {
      EXPECT_EQ(*streamed, Values(whole, 0, whole.RecordCount())) << what;
    }
  }
};

TEST_F(CdsStreamTest, HandsEveryRecordInOrderWhateverTheBlockSize) {
  Dataset ds = Sample();
  ASSERT_TRUE(ds.SaveToFile(kFile, DataFormat::Binary));
  for (size_t perBlock : {size_t{0}, size_t{1}, size_t{3}, size_t{7}, size_t{100}}) {
    const auto values = Stream(perBlock, ds.RecordStride());
    ASSERT_TRUE(values.has_value()) << perBlock;
    EXPECT_EQ(*values, Values(ds, 0, ds.RecordCount())) << perBlock;
  }
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CdsStreamTest, XmlFormAndMemoTablesAreHandedWhole) {
  for (bool memo : {false, true}) {
    Dataset ds = Sample(memo);
    ASSERT_TRUE(ds.SaveToFile(kFile, memo ? DataFormat::Binary : DataFormat::Xml));
    CdsRecordStream stream(*env);
    stream.SetBlockBytes(1);
    ASSERT_TRUE(stream.Open(kFile));
    EXPECT_EQ(stream.Layout().FieldCount(), ds.FieldCount());
    int blocks = 0;
    EXPECT_TRUE(stream.ForEachBlock([&](const Dataset& block, uint64_t first) {
      ++blocks;
      EXPECT_EQ(first, 0u);
      EXPECT_EQ(Values(block, 0, block.RecordCount()), Values(ds, 0, ds.RecordCount()));
    }));
    EXPECT_EQ(blocks, 1) << memo;
  }
}

TEST_F(CdsStreamTest, EmptyTableHandsNoRecordsAndMissingFileIsSaidAsByTheWholeLoad) {
  Dataset ds(*env);
  ds.AddField("Ucet", FieldType::Text, 6);
  ASSERT_TRUE(ds.CreateDataSet());
  ASSERT_TRUE(ds.SaveToFile(kFile, DataFormat::Binary));
  ExpectSameAsWholeLoad(2, "empty");
  std::filesystem::remove(Host(kFile));
  ExpectSameAsWholeLoad(2, "missing");
  EXPECT_EQ(ui.Single(), Error("Soubor:\r\r\"D:\\Data\\Veta.Cds\"\r\r     - nebyl nalezen !"));
}

// Cuts and flipped bits (every byte of the head, a spread over the records)
// of a sound file are refused with the same message as the whole load
// gives, in blocks of one, three and all records.
TEST_F(CdsStreamTest, DamagedFilesAreRefusedAsTheWholeLoadRefusesThem) {
  Dataset ds = Sample();
  const std::string bytes = EncodeCdsBinary(ds);
  for (size_t n = 0; n < bytes.size(); n += 7) {
    Put(kFile, bytes.substr(0, n));
    ExpectSameAsWholeLoad(n % 2 == 0 ? 1 : 3, "cut at " + std::to_string(n));
  }
  for (size_t at = 0; at < bytes.size(); at += at < 160 ? 1 : 13) {
    std::string bad = bytes;
    bad[at] = static_cast<char>(bad[at] ^ (at % 2 == 0 ? 0x01 : 0x80));
    Put(kFile, bad);
    ExpectSameAsWholeLoad(at % 3 == 0 ? 1 : 100, "flipped at " + std::to_string(at));
  }
}

// A record that breaks its field's rules under a sound checksum: it is named
// by its number in the file, after the blocks before it were handed.
TEST_F(CdsStreamTest, BadRecordUnderASoundChecksumIsNamedByItsNumber) {
  Dataset ds = Sample();
  std::string bytes = EncodeCdsBinary(ds);
  const size_t records = bytes.size() - kCdsTrailerSize - ds.RecordCount() * ds.RecordStride();
  const size_t fifth = records + 4 * ds.RecordStride() + ds.SlotOffset(0);
  bytes[fifth] = 7;  // a length beyond the field's size of 6
  PutLe<uint64_t>(bytes.data() + bytes.size() - kCdsTrailerSize,
                  ChecksumOf(bytes.data(), bytes.size() - kCdsTrailerSize));
  Put(kFile, bytes);
  for (size_t perBlock : {size_t{1}, size_t{3}, size_t{100}}) {
    ExpectSameAsWholeLoad(perBlock, "block of " + std::to_string(perBlock));
    EXPECT_EQ(ui.Single(), Error("Soubor:\r\r\"D:\\Data\\Veta.Cds\"\r\r     - je poskozen nebo neni tabulkou "
                                 "!\r\rChybna veta 5."));
  }
}

}  // namespace
}  // namespace orvo::test
