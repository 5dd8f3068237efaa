#include "core/data/imports.h"

#include <algorithm>
#include <functional>
#include <optional>

#include "core/data/cds_file.h"
#include "core/data/foreign_records.h"
#include "core/sys/messages.h"

namespace orvo {

namespace {

using RecordsOf = std::function<void(std::string_view file, const std::function<void(std::vector<std::string>)>& add)>;

// Creates CdsName, reads DatName whole and appends the records `parse`
// finds in it.
bool Import(TCdsProc& cds, const RecordsOf& parse) {
  Env& env = cds.Environment();
  Dataset& table = cds.Table1();
  cds.MakeTableX(table);
  table.SetReadOnly(false);
  if (!table.Open()) return false;
  int io = 0;
  std::optional<std::string> file = env.fs.ReadWhole(cds.params.DatName, &io);
  if (!file) {
    table.Close();
    ErrorBox(env, UnreadableFileText(cds.params.DatName, io));
    return false;
  }
  parse(*file, [&](std::vector<std::string> values) {
    table.Append();
    const int n = std::min(static_cast<int>(values.size()), table.FieldCount());
    for (int f = 0; f < n; ++f) table.SetAsString(f, values[static_cast<size_t>(f)]);
    table.Post();
  });
  return table.Close();
}

}  // namespace

bool KonvTxCds(TCdsProc& cds, int konv) {
  return Import(cds, [&](std::string_view file, const auto& add) {
    for (std::string_view line : ForeignLines(file)) add(TxRecord(cds.Environment(), cds.Def(), line, konv));
  });
}

bool KonvLdbCds(TCdsProc& cds, int konv) {
  return Import(cds, [&](std::string_view file, const auto& add) {
    cds.Def().RecLen = LdbRecordLength(file);
    for (std::string_view rec : LdbRecords(file)) add(LdbRecord(cds.Def(), rec, konv));
  });
}

bool KonvCsvCds(TCdsProc& cds, int konv, char oddel, char zn) {
  return Import(cds, [&](std::string_view file, const auto& add) {
    for (std::string_view line : ForeignLines(file)) add(CsvRecord(cds.Def(), line, konv, oddel, zn));
  });
}

}  // namespace orvo
