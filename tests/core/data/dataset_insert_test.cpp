#include <gtest/gtest.h>

#include "core/data/dataset.h"
#include "support/scratch.h"

namespace orvo::test {
namespace {

class DatasetInsertTest : public Scratch {
 protected:
  DatasetInsertTest() : ds(*env) {
    ds.AddField("Kod", FieldType::Text, 3);
    EXPECT_TRUE(ds.CreateDataSet());
    for (const char* v : {"a", "b", "c"}) {
      ds.Append();
      ds.SetAsString(0, v);
      ds.Post();
    }
  }
  std::string Values() {
    std::string s;
    for (int r = 0; r < ds.RecordCount(); ++r) s += ds.StringAt(r, 0);
    return s;
  }
  Dataset ds;
};

TEST_F(DatasetInsertTest, PostPutsTheNewRecordBeforeTheCurrentOne) {
  ds.First();
  ds.Next();
  ds.Insert();
  EXPECT_EQ(ds.AsString(0), "");
  ds.SetAsString(0, "x");
  ds.Post();
  EXPECT_EQ(Values(), "axbc");
  EXPECT_EQ(ds.RecNo(), 2);
  EXPECT_EQ(ds.AsString(0), "x");
}

TEST_F(DatasetInsertTest, CancelledInsertLeavesTheTableAsItWas) {
  ds.First();
  ds.Insert();
  ds.SetAsString(0, "x");
  ds.Cancel();
  EXPECT_EQ(Values(), "abc");
  EXPECT_EQ(ds.RecNo(), 1);
}

TEST_F(DatasetInsertTest, InsertIntoAnEmptyTableAppends) {
  ds.First();
  while (ds.RecordCount() > 0) ds.Delete();
  ds.Insert();
  ds.SetAsString(0, "x");
  ds.Next();  // moving posts
  EXPECT_EQ(Values(), "x");
  // An Append after an Insert goes to the end again.
  ds.First();
  ds.Insert();
  ds.Append();  // posts the empty inserted record first
  ds.SetAsString(0, "z");
  ds.Post();
  EXPECT_EQ(ds.RecordCount(), 3);
  EXPECT_EQ(ds.StringAt(0, 0), "");
  EXPECT_EQ(Values(), "xz");
}

}  // namespace
}  // namespace orvo::test
