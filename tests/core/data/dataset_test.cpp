#include "core/data/dataset.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "support/scratch.h"

namespace orvo::test {
namespace {

class DatasetTest : public Scratch {
 protected:
  // Three text fields; records "1".."n" in the first.
  Dataset Numbers(int n) {
    Dataset ds(*env);
    ds.AddField("Cislo", FieldType::Text, 3);
    ds.AddField("Nazev", FieldType::Text, 5);
    ds.AddField("Castka", FieldType::Text, 10);
    EXPECT_TRUE(ds.CreateDataSet());
    for (int i = 1; i <= n; ++i) {
      ds.Append();
      ds.SetAsString(0, std::to_string(i));
      ds.Post();
    }
    ds.First();
    return ds;
  }
  static std::string Column(Dataset& ds) {
    std::string out;
    for (ds.First(); !ds.Eof(); ds.Next()) out += ds.AsString(0) + ",";
    return out;
  }
};

TEST_F(DatasetTest, WalksForwardToEof) {
  Dataset ds = Numbers(3);
  EXPECT_EQ(ds.RecordCount(), 3);
  EXPECT_EQ(Column(ds), "1,2,3,");
  EXPECT_TRUE(ds.Eof());
  EXPECT_EQ(ds.RecNo(), 3);
}

TEST_F(DatasetTest, EmptyTableIsAtEofAndBof) {
  Dataset ds = Numbers(0);
  EXPECT_TRUE(ds.Eof());
  EXPECT_TRUE(ds.Bof());
  EXPECT_EQ(ds.RecNo(), 0);
  EXPECT_EQ(ds.AsString(1), "");
  EXPECT_EQ(ds.MoveBy(5), 0);
}

TEST_F(DatasetTest, MoveByStopsAtBothEnds) {
  Dataset ds = Numbers(5);
  EXPECT_EQ(ds.MoveBy(3), 3);
  EXPECT_EQ(ds.AsString(0), "4");
  EXPECT_EQ(ds.MoveBy(-2), -2);
  EXPECT_EQ(ds.AsString(0), "2");
  EXPECT_FALSE(ds.Bof());
  EXPECT_EQ(ds.MoveBy(-10), -1);
  EXPECT_TRUE(ds.Bof());
  EXPECT_EQ(ds.MoveBy(10), 4);
  EXPECT_TRUE(ds.Eof());
  EXPECT_EQ(ds.AsString(0), "5");
  ds.Prior();
  EXPECT_FALSE(ds.Eof());
  EXPECT_EQ(ds.AsString(0), "4");
}

TEST_F(DatasetTest, DeleteWhileWalkingVisitsEveryRecordOnce) {
  Dataset ds = Numbers(6);
  ds.First();
  while (!ds.Eof()) {
    if (std::stoi(ds.AsString(0)) % 2 == 0) {
      ds.Delete();
    } else {
      ds.Next();
    }
  }
  EXPECT_EQ(Column(ds), "1,3,5,");
}

TEST_F(DatasetTest, DeletingTheLastRecordSetsEof) {
  Dataset ds = Numbers(2);
  ds.Last();
  ds.Delete();
  EXPECT_TRUE(ds.Eof());
  EXPECT_EQ(ds.AsString(0), "1");
  ds.Delete();
  EXPECT_EQ(ds.RecordCount(), 0);
  EXPECT_TRUE(ds.Eof());
}

TEST_F(DatasetTest, EditPostAndCancel) {
  Dataset ds = Numbers(2);
  ds.Edit();
  ds.SetAsString(1, "abc");
  ds.Cancel();
  EXPECT_EQ(ds.AsString(1), "");
  ds.SetAsString(1, "abc");  // starts an edit of its own
  ds.Next();                 // moving posts it
  ds.First();
  EXPECT_EQ(ds.AsString(1), "abc");
  ds.Append();
  ds.SetAsString(0, "9");
  ds.Cancel();
  EXPECT_EQ(ds.RecordCount(), 2);
}

TEST_F(DatasetTest, TextIsKeptByteExactAndCutToSize) {
  Dataset ds = Numbers(1);
  ds.SetAsString(1, " a b  ");
  ds.Post();
  EXPECT_EQ(ds.AsString(1), " a b ");
  ds.SetAsString(1, std::string("\x01\xFF", 2));
  ds.Post();
  EXPECT_EQ(ds.AsString(1), std::string("\x01\xFF", 2));
}

TEST_F(DatasetTest, FloatAccessOnTextFields) {
  Dataset ds = Numbers(1);
  ds.SetAsString(2, "  1234,50");
  EXPECT_DOUBLE_EQ(ds.AsFloat(2), 1234.5);
  ds.SetAsFloat(2, -2.25);
  EXPECT_EQ(ds.AsString(2), "-2,25");
}

TEST_F(DatasetTest, TypedFields) {
  Dataset ds(*env);
  ds.AddField("F", FieldType::Float, 0);
  ds.AddField("I", FieldType::Integer, 0);
  ds.AddField("S", FieldType::SmallInt, 0);
  ds.AddField("W", FieldType::Word, 0);
  ds.AddField("B", FieldType::Boolean, 0);
  ds.AddField("D", FieldType::Date, 0);
  ASSERT_TRUE(ds.CreateDataSet());
  ds.Append();
  for (int f = 0; f < 6; ++f) EXPECT_TRUE(ds.IsNull(f));
  ds.SetAsFloat(0, 0.1);
  ds.SetAsString(1, "-123456");
  ds.SetAsString(2, "-300");
  ds.SetAsFloat(3, 65535);
  ds.SetAsString(4, "True");
  ds.SetAsString(5, "29.02.2016");
  ds.Post();
  EXPECT_DOUBLE_EQ(ds.AsFloat(0), 0.1);
  EXPECT_EQ(ds.AsString(0), "0,1");
  EXPECT_EQ(ds.AsString(1), "-123456");
  EXPECT_EQ(ds.AsString(2), "-300");
  EXPECT_EQ(ds.AsString(3), "65535");
  EXPECT_EQ(ds.AsString(4), "True");
  EXPECT_EQ(ds.AsString(5), "29.02.2016");
  EXPECT_DOUBLE_EQ(ds.AsFloat(5), 42429);  // days from 30.12.1899
  ds.SetAsString(2, "40000");               // out of range: null
  ds.SetAsString(5, "30.02.2016");
  ds.Post();
  EXPECT_TRUE(ds.IsNull(2));
  EXPECT_TRUE(ds.IsNull(5));
}

TEST_F(DatasetTest, AssignFieldConvertsBetweenTypes) {
  Dataset from(*env);
  from.AddField("T", FieldType::Text, 10);
  from.AddField("F", FieldType::Float, 0);
  ASSERT_TRUE(from.CreateDataSet());
  from.Append();
  from.SetAsString(0, "12,5");
  from.SetAsFloat(1, 3.5);
  from.Post();
  Dataset to(*env);
  to.AddField("F", FieldType::Float, 0);
  to.AddField("T", FieldType::Text, 4);
  ASSERT_TRUE(to.CreateDataSet());
  to.Append();
  to.AssignField(0, from, 0);
  to.AssignField(1, from, 1);
  to.Post();
  EXPECT_DOUBLE_EQ(to.AsFloat(0), 12.5);
  EXPECT_EQ(to.AsString(1), "3,5");
}

TEST_F(DatasetTest, RecordSizeIsFieldSizesPlusTwoEach) {
  Dataset ds = Numbers(0);
  EXPECT_EQ(ds.RecordSize(), 3 + 5 + 10 + 3 * 2);
}

TEST_F(DatasetTest, ReadOnlyTableRefusesEditing) {
  Dataset ds = Numbers(1);
  ds.SetReadOnly(true);
  EXPECT_THROW(ds.Append(), std::logic_error);
  EXPECT_THROW(ds.SetAsString(0, "x"), std::logic_error);
  EXPECT_THROW(ds.Delete(), std::logic_error);
  EXPECT_EQ(ds.AsString(0), "1");
}

TEST_F(DatasetTest, MemoryTableKeepsItsRecordsWhenClosedAndReopened) {
  Dataset ds = Numbers(3);
  ASSERT_TRUE(ds.Close());
  EXPECT_FALSE(ds.Active());
  ASSERT_TRUE(ds.Open());
  EXPECT_EQ(Column(ds), "1,2,3,");
}

TEST_F(DatasetTest, MemoValuesSurviveEditsAndDeletes) {
  Dataset ds(*env);
  ds.AddField("K", FieldType::Text, 2);
  ds.AddField("M", FieldType::Memo, 10);
  ASSERT_TRUE(ds.CreateDataSet());
  for (const char* m : {"prvni", "druha poznamka delsi nez deset", ""}) {
    ds.Append();
    ds.SetAsString(1, m);
    ds.Post();
  }
  ds.First();
  ds.SetAsString(1, "zmeneno");
  ds.Post();
  ds.Next();
  ds.Delete();
  ds.First();
  EXPECT_EQ(ds.AsString(1), "zmeneno");
  ds.Next();
  EXPECT_EQ(ds.AsString(1), "");
  EXPECT_TRUE(ds.IsNull(1));
}

struct BadLayoutCase {
  const char* name;
  std::vector<FieldDef> fields;
};
class BadLayoutTest : public Scratch, public ::testing::WithParamInterface<BadLayoutCase> {};
TEST_P(BadLayoutTest, CannotCreate) {
  Dataset ds(*env);
  for (const FieldDef& f : GetParam().fields) ds.AddField(f.name, f.type, f.size, f.required);
  EXPECT_FALSE(ds.CreateDataSet());
  EXPECT_FALSE(ds.Active());
}
INSTANTIATE_TEST_SUITE_P(
    Dataset, BadLayoutTest,
    ::testing::Values(
        BadLayoutCase{"no_fields", {}},
        BadLayoutCase{"empty_name", {{"", FieldType::Text, 3, false}}},
        BadLayoutCase{"repeated_name_any_case",
                      {{"Ucet", FieldType::Text, 3, false}, {"UCET", FieldType::Text, 3, false}}},
        BadLayoutCase{"negative_size", {{"A", FieldType::Text, -1, false}}},
        BadLayoutCase{"oversized_text", {{"A", FieldType::Text, kMaxTextSize + 1, false}}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvo::test
