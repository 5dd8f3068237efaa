// ReStruktCds and ReColSizeCds: a dataset moved into another layout.
#include <algorithm>

#include "core/data/dataset_ops.h"
#include "core/data/output_files.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "core/sys/numbers.h"
#include "core/sys/text.h"

namespace orvo {

namespace {

int DecimalsOf(std::string_view tms) {
  return tms.size() > 1 && tms[1] >= '0' && tms[1] <= '9' ? tms[1] - '0' : 0;
}

bool Numeric(std::string_view tms) { return !tms.empty() && tms[0] == 'N'; }

std::string LastChars(std::string_view v, size_t n) {
  return std::string(v.size() > n ? v.substr(v.size() - n) : v);
}

enum class Shaping { Restructure, ColumnSize };

// A value shaped by the type of the word it moves into.
std::string Shape(std::string_view value, std::string_view tms, int td, Shaping how) {
  const size_t width = static_cast<size_t>(std::max(td, 0));
  std::string v;
  if (tms == "PM" || tms == "PN" || tms == "DT") {
    v = PadRight(value.substr(0, std::min(value.size(), width)), td);
  } else if (tms == "LM" || tms == "LN" || tms == "R2") {
    v = PadLeft(LastChars(value, width), td);
  } else if (Numeric(tms)) {
    std::string number = RealTextRounded(20, DecimalsOf(tms), TextToReal(value));
    if (how == Shaping::ColumnSize) number = TrimLeft(number);
    return PadLeft(LastChars(number, width), td);
  } else {
    return std::string(value);
  }
  if (tms == "PN" || tms == "LN") {
    if (how == Shaping::Restructure || !AllBlanks(value)) v = BlanksToZeros(v);
  }
  return v;
}

// Opens a dataset file read-only in `table`; false (reported by the
// dataset) when it cannot be loaded.
bool OpenRead(Dataset& table, std::string_view name) {
  table.Close();
  table.SetFileName(std::string(name));
  table.SetReadOnly(true);
  if (table.Open()) return true;
  table.SetReadOnly(false);
  return false;
}

// Closes `a` and drops `b` without storing it.
void CloseDropping(Dataset& a, Dataset& b) {
  a.Close();
  a.SetReadOnly(false);
  b.Discard();
}

// An empty jmS2 laid out by jmSD2, open in memory; it replaces jmS2 whole
// when it is closed.
bool CreateTarget(TCdsProc& cds, Dataset& table, std::string_view jmS2, std::string_view jmSD2) {
  cds.params.CdsName = std::string(jmS2);
  cds.params.DefName = std::string(jmSD2);
  cds.MakeTable(table);
  table.SetReadOnly(false);
  return table.Open();
}

}  // namespace

void ReStruktCds(TCdsProc& cds, std::string_view jmS1, std::string_view jmSD2, std::string_view jmS2) {
  Dataset& old = cds.Table1();
  Dataset& fresh = cds.Table2();
  if (!OpenRead(old, jmS1)) return;
  if (!CreateTarget(cds, fresh, jmS2, jmSD2)) {
    CloseDropping(old, fresh);
    return;
  }
  const LoadedDef& def = cds.Def();
  const int fields = std::min(fresh.FieldCount(), def.PSl);
  std::vector<int> source(static_cast<size_t>(fields), -1);
  for (int j = 0; j < fields; ++j) {
    const std::string name = Trim(fresh.Field(j).name);
    for (int f = 0; f < old.FieldCount(); ++f) {
      if (Trim(old.Field(f).name) == name) {
        source[static_cast<size_t>(j)] = f;
        break;
      }
    }
  }
  for (int r = 0; r < old.RecordCount(); ++r) {
    fresh.Append();
    for (int j = 0; j < fields; ++j) {
      const int f = source[static_cast<size_t>(j)];
      if (f < 0) {
        fresh.SetAsString(j, "");
        continue;
      }
      const DefWord& w = def.Word(j + 1);
      fresh.SetAsString(j, Shape(old.StringAt(r, f), w.TMS, w.TD, Shaping::Restructure));
    }
    fresh.Post();
  }
  old.Close();
  old.SetReadOnly(false);
  OutputFiles(cds.Environment()).Close(fresh);
}

void ReColSizeCds(TCdsProc& cds, std::string_view jmS1, std::string_view jmSD2, std::string_view jmS2,
                  std::string_view jmSD1) {
  Env& env = cds.Environment();
  if (!FileExistsOrSay(env, jmS1) || !ReadDef(env, cds.Def(), jmSD1)) return;
  const LoadedDef def1 = cds.Def();
  int io = 0;
  std::optional<std::string> defText = env.fs.ReadWhole(jmSD1, &io);
  if (!defText) return;

  Dataset& old = cds.Table1();
  Dataset& fresh = cds.Table2();
  if (!OpenRead(old, jmS1)) return;
  std::vector<int> widths(static_cast<size_t>(old.FieldCount()), 1);
  for (int f = 0; f < old.FieldCount(); ++f) {
    size_t widest = 1;
    long double total = 0;
    const bool numeric = f < def1.PSl && Numeric(def1.Word(f + 1).TMS);
    for (int r = 0; r < old.RecordCount(); ++r) {
      const std::string v = old.StringAt(r, f);
      widest = std::max(widest, Trim(v).size());
      if (numeric) total += TextToReal(v);
    }
    if (numeric) {
      const int d = DecimalsOf(def1.Word(f + 1).TMS);
      widest = std::max(widest, Trim(RealTextBlankExt(20, d, total)).size());
    }
    widths[static_cast<size_t>(f)] = static_cast<int>(std::min<size_t>(widest, 999));
  }

  // The new definition: every line of the old one, numbered as it comes,
  // with its length and heading fitted to the column.
  std::string text;
  size_t i = 0;
  for (std::string_view line : TextLines(*defText)) {
    std::string l(line);
    if (i < widths.size()) {
      const int width = widths[i];
      if (l.size() < 70) l.resize(70, ' ');
      l.replace(0, 3, IntText(width, 3));
      std::string heading = TrimRight(l.substr(40, 30));
      while (static_cast<int>(heading.size()) > width && !heading.empty() && heading.front() == ' ') {
        heading.erase(0, 1);
      }
      heading = PadRight(heading.substr(0, static_cast<size_t>(width)), 30);
      l.replace(40, 30, heading);
    }
    text += l + "\r\n";
    ++i;
  }
  // jmSD2 goes with jmS2: it is put back as it was when the table cannot be
  // stored. The table is made from it, so it is written first.
  OutputFiles output(env);
  if (!output.WriteDef(jmSD2, text)) {
    old.Close();
    old.SetReadOnly(false);
    return;
  }

  if (!CreateTarget(cds, fresh, jmS2, jmSD2)) {
    output.Restore();
    CloseDropping(old, fresh);
    return;
  }
  const LoadedDef& def = cds.Def();
  const int fields = std::min({fresh.FieldCount(), def.PSl, old.FieldCount()});
  for (int r = 0; r < old.RecordCount(); ++r) {
    fresh.Append();
    for (int j = 0; j < fields; ++j) {
      const DefWord& w = def.Word(j + 1);
      fresh.SetAsString(j, Shape(Trim(old.StringAt(r, j)), w.TMS, w.TD, Shaping::ColumnSize));
    }
    fresh.Post();
  }
  old.Close();
  old.SetReadOnly(false);
  output.Close(fresh);
}

}  // namespace orvo
