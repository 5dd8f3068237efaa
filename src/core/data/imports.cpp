#include "core/data/imports.h"

#include <algorithm>
#include <functional>
#include <optional>

#include "core/data/cds_file.h"
#include "core/data/foreign_records.h"
#include "core/data/output_files.h"
#include "core/sys/messages.h"
#include "core/sys/text.h"

namespace orvo {

namespace {

using RecordsOf = std::function<void(std::string_view file, const std::function<void(std::vector<std::string>)>& add)>;

// Reads DatName whole and makes CdsName of the records `parse` finds in
// it; CdsName is replaced only by the complete new table.
bool Import(TCdsProc& cds, const RecordsOf& parse) {
  Env& env = cds.Environment();
  Dataset& table = cds.Table1();
  std::string companion;
  cds.MakeTableX(table, &companion);
  int io = 0;
  std::optional<std::string> file = env.fs.ReadWhole(cds.params.DatName, &io);
  if (!file) {
    table.Discard();
    ErrorBox(env, UnreadableFileText(cds.params.DatName, io));
    return false;
  }
  parse(*file, [&](std::vector<std::string> values) {
    table.Append();
    const int n = std::min(static_cast<int>(values.size()), table.FieldCount());
    for (int f = 0; f < n; ++f) table.SetAsString(f, values[static_cast<size_t>(f)]);
    table.Post();
  });
  // The companion definition goes with the table: both or neither.
  OutputFiles output(env);
  if (!cds.params.XDefName.empty() && !output.WriteDef(cds.params.XDefName, companion)) {
    table.Discard();
    return false;
  }
  return output.Close(table);
}

// A DOS end of file mark (Ctrl+Z) ends a text file; when text follows it,
// the import stops early, and the user is told where.
void SayEarlyEnd(Env& env, std::string_view name, std::string_view file) {
  const size_t mark = file.find('\x1A');
  if (mark == std::string_view::npos || file.find_first_not_of("\x1A\r\n", mark) == std::string_view::npos) {
    return;
  }
  InfoBox(env, "Soubor:\r\r" + QuotedName(name) + "\r\r     - znak konce souboru (Ctrl+Z) na pozici " +
                   std::to_string(mark + 1) + " ukoncil import, text za nim nebyl nacten !");
}

}  // namespace

bool KonvTxCds(TCdsProc& cds, int konv) {
  return Import(cds, [&](std::string_view file, const auto& add) {
    SayEarlyEnd(cds.Environment(), cds.params.DatName, file);
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
    SayEarlyEnd(cds.Environment(), cds.params.DatName, file);
    for (std::string_view line : ForeignLines(file)) add(CsvRecord(cds.Def(), line, konv, oddel, zn));
  });
}

}  // namespace orvo
