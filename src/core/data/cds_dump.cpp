#include "core/data/cds_dump.h"

#include <cstdio>

#include "core/data/format_word.h"
#include "core/data/output_files.h"

namespace orvo {

namespace {

void AppendEscaped(std::string& out, std::string_view value) {
  for (unsigned char c : value) {
    if (c == '\\' || c == '|') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02x", c);
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
  }
}

std::vector<std::string> SplitBars(std::string_view line) {
  std::vector<std::string> values(1);
  for (char c : line) {
    if (c == '|') {
      values.emplace_back();
    } else {
      values.back() += c;
    }
  }
  return values;
}

}  // namespace

std::string DumpDataset(const Dataset& ds) {
  std::string out;
  for (int f = 0; f < ds.FieldCount(); ++f) {
    const FieldDef& fd = ds.Field(f);
    if (f > 0) out += '|';
    AppendEscaped(out, fd.name);
    out += ':';
    out += FieldTypeName(fd.type);
    out += '(' + std::to_string(fd.size) + ')';
  }
  out += '\n';
  for (int r = 0; r < ds.RecordCount(); ++r) {
    for (int f = 0; f < ds.FieldCount(); ++f) {
      if (f > 0) out += '|';
      AppendEscaped(out, ds.StringAt(r, f));
    }
    out += '\n';
  }
  return out;
}

bool DatasetFromText(TCdsProc& engine, std::string_view defName, std::string_view text,
                     std::string_view cdsName, std::string* error) {
  engine.params.CdsName = std::string(cdsName);
  engine.params.DefName = std::string(defName);
  Dataset& table = engine.Table1();
  engine.MakeTable(table);
  table.SetReadOnly(false);
  if (!table.Open()) {
    if (error) *error = "cannot open " + std::string(cdsName);
    return false;
  }
  const LoadedDef& def = engine.Def();
  int lineNo = 0;
  bool ok = true;
  for (std::string_view line : TextLines(text)) {
    ++lineNo;
    if (line.empty()) continue;
    std::vector<std::string> values = SplitBars(line);
    if (static_cast<int>(values.size()) != def.PSl) {
      if (error) {
        *error = "line " + std::to_string(lineNo) + ": " + std::to_string(values.size()) +
                 " values, the definition has " + std::to_string(def.PSl) + " words";
      }
      ok = false;
      break;
    }
    for (int i = 1; i <= def.PSl && ok; ++i) {
      if (!FormatWord(engine.Environment(), def, values[static_cast<size_t>(i - 1)], i, 'X')) {
        if (error) {
          *error = "line " + std::to_string(lineNo) + ": word " + std::to_string(i) + " (" +
                   def.Word(i).FieldName + ") fails its check";
        }
        ok = false;
      }
    }
    if (!ok) break;
    table.Append();
    for (int i = 1; i <= def.PSl; ++i) table.SetAsString(i - 1, values[static_cast<size_t>(i - 1)]);
    table.Post();
  }
  // A refused text leaves the old file as it was.
  if (!ok) {
    table.Discard();
    return false;
  }
  if (!OutputFiles(engine.Environment()).Close(table)) {
    if (error) *error = "cannot save " + std::string(cdsName);
    return false;
  }
  return true;
}

}  // namespace orvo
