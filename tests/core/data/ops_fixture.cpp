#include "ops_fixture.h"

#include <filesystem>

#include "core/sys/numbers.h"
#include "core/sys/text.h"

namespace orvo::test::ops {

std::string DefLine(int number, const Word& w) {
  std::string line = PadLeft(std::to_string(w.td), 3) + " ";
  line += PadRight(IntText(number, 3) + ". " + w.name, 36);
  line += PadRight(w.heading.empty() ? w.name : w.heading, 30);
  line += PadRight(w.tms, 2);
  line += "     ";
  if (w.keyPos > 0) {
    line += "I" + IntTextPadded(w.keyPos, 2);
  } else {
    line += "   ";
  }
  return line;
}

std::string DefText(const std::vector<Word>& words) {
  std::string text;
  for (size_t i = 0; i < words.size(); ++i) text += DefLine(static_cast<int>(i + 1), words[i]) + "\r\n";
  return text;
}

OpsTest::OpsTest() : cds(*env, def), dat(*env, def) {
  std::filesystem::create_directories(cDir + "/A_Run/Work");
  cds.params.SortBlock = 2000;
  cds.params.SortMode = 2;
}

void OpsTest::WriteDef(std::string_view name, const std::vector<Word>& words) { Put(name, DefText(words)); }

void OpsTest::WriteCds(std::string_view name, const std::vector<Column>& columns, const std::vector<Row>& rows) {
  Dataset ds(*env);
  for (const Column& c : columns) ds.AddField(c.name, c.type, c.size);
  ASSERT_TRUE(ds.CreateDataSet());
  for (const Row& row : rows) {
    ds.Append();
    for (size_t f = 0; f < row.size(); ++f) ds.SetAsString(static_cast<int>(f), row[f]);
    ds.Post();
  }
  std::filesystem::create_directories(std::filesystem::path(Host(name)).parent_path());
  ASSERT_TRUE(ds.SaveToFile(name, DataFormat::Binary));
}

std::vector<Column> OpsTest::ColumnsOf(std::string_view name) {
  Dataset ds(*env);
  std::vector<Column> columns;
  if (!ds.LoadFromFile(name)) {
    ADD_FAILURE() << "cannot load " << name;
    return columns;
  }
  for (const FieldDef& f : ds.Fields()) columns.push_back({f.name, f.type, f.size});
  return columns;
}

std::vector<Row> OpsTest::RowsOf(std::string_view name) {
  Dataset ds(*env);
  std::vector<Row> rows;
  if (!ds.LoadFromFile(name)) {
    ADD_FAILURE() << "cannot load " << name;
    return rows;
  }
  for (int r = 0; r < ds.RecordCount(); ++r) {
    Row row;
    for (int f = 0; f < ds.FieldCount(); ++f) row.push_back(ds.StringAt(r, f));
    rows.push_back(row);
  }
  return rows;
}

std::string OpsTest::Lines(std::string_view name) {
  std::string text = Get(name);
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  return out;
}

void OpsTest::SetWords(std::vector<int> words) {
  cds.params.PocSlov = static_cast<int>(words.size());
  cds.params.SezSlov.fill(0);
  for (size_t i = 0; i < words.size() && i < cds.params.SezSlov.size(); ++i) cds.params.SezSlov[i] = words[i];
}

}  // namespace orvo::test::ops
