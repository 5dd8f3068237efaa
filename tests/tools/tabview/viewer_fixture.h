// A small account table for the table viewer's tests: a definition with a
// text, a numeric and a Czech-text word, and a dataset written from rows.
#pragma once

#include <string>
#include <vector>

#include "core/data/cds_file.h"
#include "core/data/dataset.h"
#include "core/data/def_text.h"
#include "support/scratch.h"

namespace orvo::test {

class ViewerScratch : public Scratch {
 protected:
  static constexpr const char* kData = "D:\\LOrvo\\Data\\Ucty.Cds";
  static constexpr const char* kDef = "D:\\LOrvo\\DefSoub\\Ucty.Def";

  void PutDef() {
    Put(kDef, Lines({WordLine(6, "1. Ucet", "Ucet", "PM"),
                     WordLine(12, "2. Castka", "Castka Kc", "N2"),
                     WordLine(20, "3. Nazev", "N\xE1zev \xFA\xE8tu", "PM")}));
  }

  // Rows of (account, amount, name); the dataset's fields follow the words.
  void PutData(const std::vector<std::vector<std::string>>& rows) {
    Dataset ds(*env);
    ds.AddField("Ucet", FieldType::Text, 6);
    ds.AddField("Castka", FieldType::Text, 12);
    ds.AddField("Nazev", FieldType::Text, 20);
    ASSERT_TRUE(ds.CreateDataSet());
    for (const auto& r : rows) {
      ds.Append();
      for (int f = 0; f < 3; ++f) ds.SetAsString(f, r.at(static_cast<size_t>(f)));
      ds.Post();
    }
    Put(kData, "");
    ASSERT_TRUE(SaveCdsFile(*env, kData, ds));
  }
};

}  // namespace orvo::test
