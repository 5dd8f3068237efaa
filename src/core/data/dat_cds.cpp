#include "core/data/dat_cds.h"

#include <algorithm>

#include "core/data/cds_file.h"
#include "core/data/dat_file.h"
#include "core/data/output_files.h"
#include "core/data/text_slot.h"
#include "core/sys/messages.h"
#include "core/sys/numbers.h"
#include "core/sys/text.h"

namespace orvo {

namespace {

// A numeric word wider than its widened field keeps its digits: the blanks
// in front of them go first, where cutting would drop the digits.
std::string_view FitNumber(std::string_view value, size_t size) {
  while (value.size() > size && !value.empty() && value.front() == ' ') value.remove_prefix(1);
  return value;
}

}  // namespace

bool KonvDatCds(TCdsProc& cds, const DatCdsOutput& output) {
  Env& env = cds.Environment();
  Dataset& table = cds.Table1();
  std::string companion;
  cds.MakeTableX(table, &companion);
  DatFile dat;
  if (!OpenDat(env, cds.Def(), dat, cds.params.DatName, cds.params.DefName)) {
    table.Discard();
    return false;
  }
  const std::string shown = output.source.empty() ? cds.params.DatName : std::string(output.source);
  const int fields = std::min(dat.PSl, table.FieldCount());
  std::vector<bool> numeric(static_cast<size_t>(fields), false);
  for (int i = 0; i < fields; ++i) {
    const std::string& tms = dat.TMs[static_cast<size_t>(i + 1)];
    numeric[static_cast<size_t>(i)] = !tms.empty() && tms[0] == 'N';
  }
  // A value longer than its field would be cut to its leading characters,
  // which for a number are the wrong digits: the first one is kept here and
  // the conversion refused.
  std::string tooLong;
  auto value = [&](std::string_view rec, int i) {
    std::string_view v = WordView(dat, i + 1, rec);
    const size_t size = static_cast<size_t>(table.Field(i).size);
    if (numeric[static_cast<size_t>(i)]) v = FitNumber(v, size);
    if (v.size() > size && tooLong.empty()) {
      tooLong = "Soubor:\r\r" + QuotedName(shown) + "\r\r     - hodnota " + Trim(v) + " slova " +
                Trim(table.Field(i).name) + " se nevejde do delky slova !";
    }
    return v;
  };
  std::string rec;
  bool ok = true;
  if (AllTextFields(table)) {
    // Filled in place: a year of postings is too many records to append
    // one by one.
    if (!table.PrepareLoad(static_cast<uint64_t>(dat.RecCount))) {
      CloseDat(dat);
      table.Discard();
      return false;
    }
    int64_t r = 0;
    char* base = table.RecordBuffer();
    std::string_view view;
    while (r < dat.RecCount && tooLong.empty() && ReadRecView(dat, view)) {
      rec.assign(view);
      char* out = base + static_cast<size_t>(r) * table.RecordStride();
      for (int i = 0; i < fields; ++i) PutTextSlot(table, out, i, value(rec, i));
      ++r;
    }
    ok = r == dat.RecCount;
  } else {
    while (tooLong.empty() && ReadRec(dat, rec)) {
      table.Append();
      for (int i = 0; i < fields; ++i) table.SetAsString(i, value(rec, i));
      table.Post();
    }
  }
  ok = CloseDat(dat) && ok;
  if (!tooLong.empty()) {
    table.Discard();
    InfoBox(env, tooLong);
    return false;
  }
  if (!ok) {
    table.Discard();
    return false;
  }
  // The definitions go with the table: all of them are written, or none.
  OutputFiles files(env);
  if (!output.outDef.empty()) {
    int io = 0;
    std::optional<std::string> text = env.fs.ReadWhole(cds.params.DefName, &io);
    if (!text) {
      table.Discard();
      ErrorBox(env, UnreadableFileText(cds.params.DefName, io));
      return false;
    }
    if (!files.WriteDef(output.outDef, *text)) {
      table.Discard();
      return false;
    }
  }
  if (!cds.params.XDefName.empty() && !files.WriteDef(cds.params.XDefName, companion)) {
    table.Discard();
    return false;
  }
  return files.Close(table);
}

bool KonvCdsDat(TCdsProc& cds) {
  Env& env = cds.Environment();
  CdsParams& p = cds.params;
  Dataset& table = cds.Table1();
  table.Close();
  table.SetFileName(p.CdsName);
  table.SetReadOnly(true);
  auto release = [&] {
    table.Close();
    table.SetReadOnly(false);
  };
  if (!table.Open()) {
    release();
    return false;
  }
  if (!AllTextFields(table)) {
    InfoBox(env, "Konverzi nelze provest !", "Soubor:  " + p.CdsName);
    release();
    return false;
  }
  DatFile dat;
  if (!CreateDat(env, cds.Def(), dat, p.DatName, p.DefName)) {
    if (!dat.defRefused) InfoBox(env, "Nelze zalozit novy soubor !", "Soubor:  " + p.DatName);
    release();
    return false;
  }
  const LoadedDef& def = cds.Def();
  if (table.FieldCount() != def.PSl) {
    InfoBox(env, p.CdsName + ":" + IntTextZero(table.FieldCount(), 6) + "\r" + p.DefName + ":" +
                     IntTextZero(def.PSl, 6) + "\r\rPocet slov vety souboru se nerovna poctu slov vypoctenych");
    AbandonDat(dat);
    release();
    return false;
  }
  if (table.RecordSize() - 2 * table.FieldCount() != def.RecLen) {
    InfoBox(env, p.CdsName + "\r\r" + p.DefName + "\r\rDelka vety souboru se nerovna delce vypoctene");
    AbandonDat(dat);
    release();
    return false;
  }
  std::string rec(static_cast<size_t>(dat.RecLen), ' ');
  bool ok = true;
  for (int r = 0; ok && r < table.RecordCount(); ++r) {
    rec.assign(static_cast<size_t>(dat.RecLen), ' ');
    for (int i = 0; i < table.FieldCount(); ++i) PutWord(dat, TextSlot(table, r, i), i + 1, rec);
    ok = WriteRec(dat, rec);
  }
  release();
  if (!ok) {
    ErrorBox(env, UnwritableFileText(p.DatName, dat.ioResult));
    AbandonDat(dat);
    return false;
  }
  if (!CloseDat(dat)) {
    ErrorBox(env, UnwritableFileText(p.DatName, dat.ioResult));
    return false;
  }
  return true;
}

}  // namespace orvo
