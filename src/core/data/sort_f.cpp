// SortF and SortFND.
#include <cstring>
#include <memory>

#include "core/data/cds_file.h"
#include "core/data/consistency_check.h"
#include "core/data/dat_file.h"
#include "core/data/dataset_ops.h"
#include "core/data/key_sort.h"
#include "core/data/little_endian.h"
#include "core/data/output_files.h"
#include "core/data/record_copy.h"
#include "core/data/safe_file_writer.h"
#include "core/data/text_slot.h"
#include "core/data/word_list.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "core/sys/numbers.h"
#include "core/sys/termination.h"
#include "core/sys/text.h"

namespace orvo {

namespace {

constexpr int kFloatWidth = 30;
constexpr size_t kDateKeyWidth = 10;

// A record as one line of its fields, each filled with blanks to its width:
// text by its size, floating point as RealTextBlank(30, 13) in 30. The line
// itself is never built; each field's piece of it is.
bool InSentence(FieldType type) { return type == FieldType::Text || type == FieldType::Float; }

int SentenceWidth(const FieldDef& f) { return f.type == FieldType::Float ? kFloatWidth : f.size; }

// Field f of record r as its piece of the sentence line, into `to` (width
// bytes, already blank).
void SentencePiece(const Dataset& ds, int r, int f, char* to) {
  const FieldDef& fd = ds.Field(f);
  if (fd.type == FieldType::Text) {
    std::string_view v = TextSlot(ds, r, f);
    std::memcpy(to, v.data(), v.size());
    return;
  }
  std::string v = RealTextBlank(kFloatWidth, 13, ds.FloatAt(r, f));
  std::memcpy(to, v.data(), std::min<size_t>(v.size(), kFloatWidth));
}

// A date key sorts by year, month and day: "dd.mm.yyyy" becomes "yyyymmdd"
// and two blanks; anything that is not a date of that shape "00000000".
void DateKey(std::string_view v, char* to) {
  bool date = v.size() == 10;
  for (char c : v) {
    if (!((c >= '0' && c <= '9') || c == '.' || c == ',' || c == '-' || c == ' ')) date = false;
  }
  if (date) {
    std::memcpy(to, v.data() + 6, 4);
    std::memcpy(to + 4, v.data() + 3, 2);
    std::memcpy(to + 6, v.data(), 2);
  } else {
    std::memcpy(to, "00000000", 8);
  }
  to[8] = to[9] = ' ';
}

// Key words must have a place in the sentence line.
bool CheckKeyTypes(Env& env, const Dataset& in, const int* list, int count, std::string_view inName) {
  for (int j = 0; j < count; ++j) {
    if (!InSentence(in.Field(list[j] - 1).type)) {
      InfoBox(env, "Slovo " + std::to_string(list[j]) + " nelze pouzit pro trideni !",
              "Soubor: " + std::string(inName));
      return false;
    }
  }
  return true;
}

// Output field j, from input field `from`, of an output record `to` made
// from the sentence line of input record r: text filled with blanks to its
// size, floating point read back from its 30 characters; fields outside the
// line carried as they are.
void PutFromSentence(const Dataset& in, int r, int from, Dataset& out, char* to, int j) {
  const FieldDef& fd = in.Field(from);
  char* slot = to + out.SlotOffset(j);
  switch (fd.type) {
    case FieldType::Text: {
      // The value filled with blanks to the field's size.
      std::string_view v = TextSlot(in, r, from);
      const size_t size = static_cast<size_t>(fd.size);
      const size_t lb = size <= 255 ? 1 : 2;
      slot[0] = static_cast<char>(size & 0xFF);
      if (lb == 2) slot[1] = static_cast<char>((size >> 8) & 0xFF);
      std::memcpy(slot + lb, v.data(), v.size());
      std::memset(slot + lb + v.size(), ' ', size - v.size());
      return;
    }
    case FieldType::Float: {
      double x = TextToReal(RealTextBlank(kFloatWidth, 13, in.FloatAt(r, from)));
      slot[0] = 1;
      PutLe<double>(slot + 1, x);
      return;
    }
    case FieldType::Memo: {
      std::string memo = in.StringAt(r, from);
      uint32_t number = 0;
      if (!memo.empty()) {
        out.Memos().push_back(std::move(memo));
        number = static_cast<uint32_t>(out.Memos().size());
      }
      PutLe<uint32_t>(slot, number);
      return;
    }
    default:
      std::memcpy(slot, in.RecordData() + static_cast<size_t>(r) * in.RecordStride() + in.SlotOffset(from),
                  in.SlotSize(from));
      return;
  }
}

std::vector<int> ZeroBased(const std::vector<int>& words) {
  std::vector<int> fields;
  fields.reserve(words.size());
  for (int w : words) fields.push_back(w - 1);
  return fields;
}


}  // namespace

bool SortF(TCdsProc& cds, bool vylucMez) {
  Env& env = cds.Environment();
  CdsParams& p = cds.params;
  LoadedDef& def = cds.Def();
  if (!TryOpenFile(env, p.InCds)) return false;
  auto in = std::make_unique<Dataset>(env);
  if (!in->LoadFromFile(p.InCds)) return false;
  if (!ConsistencyCheck(cds, *in, p.InCds)) return false;
  const int* list = p.SezSlov.data();
  const int count = p.PocSlov;
  if (!CheckKeyTypes(env, *in, list, count, p.InCds)) return false;
  const std::vector<int> layout = KeyWordsFirst(list, count, def.PSl);
  const std::vector<int> from = ZeroBased(layout);
  std::vector<bool> dateKey(static_cast<size_t>(count));
  for (int j = 0; j < count; ++j) dateKey[static_cast<size_t>(j)] = def.Word(list[j]).TMS == "DT";
  // OutDef and OutCds are written at the end, together: a sort that fails
  // leaves both as they were, and OutCds may be InCds.
  const std::string outDefText = DefLinesOf(def, layout);
  OutputFiles output(env);

  if (in->RecordCount() <= 1) {
    // The table is made from OutDef, which is therefore written first.
    if (!output.WriteDef(p.OutDef, outDefText)) return false;
    p.DefName = p.OutDef;
    Dataset result(env);
    cds.MakeTableVirt(result);
    if (in->RecordCount() == 1) {
      in->First();
      result.Append();
      for (int j = 0; j < result.FieldCount() && j < static_cast<int>(from.size()); ++j) {
        result.AssignField(j, *in, from[static_cast<size_t>(j)]);
      }
      result.Post();
    }
    return output.Store(result, p.OutCds);
  }

  size_t keyLen = 0;
  for (int j = 0; j < count; ++j) {
    keyLen += dateKey[static_cast<size_t>(j)] ? kDateKeyWidth
                                              : static_cast<size_t>(SentenceWidth(in->Field(list[j] - 1)));
  }
  KeyTable keys(keyLen);
  keys.Reserve(static_cast<size_t>(in->RecordCount()));
  std::vector<char> piece;
  for (int r = 0; r < in->RecordCount(); ++r) {
    char* key = keys.AddBlank();
    for (int j = 0; j < count; ++j) {
      const int f = list[j] - 1;
      const size_t width = static_cast<size_t>(SentenceWidth(in->Field(f)));
      if (dateKey[static_cast<size_t>(j)]) {
        piece.assign(width, ' ');
        SentencePiece(*in, r, f, piece.data());
        DateKey(std::string_view(piece.data(), width), key);
        key += kDateKeyWidth;
      } else {
        SentencePiece(*in, r, f, key);
        key += width;
      }
    }
  }
  const std::vector<uint32_t> order = KeySortOrder(keys, p.SortBlock, p.SortMode);
  std::vector<int> kept;
  kept.reserve(order.size());
  for (uint32_t i : order) {
    if (!vylucMez || !keys.Blank(i)) kept.push_back(static_cast<int>(i));
  }
  keys = KeyTable(0);

  Dataset result(env);
  DescribeLike(*in, from, false, result);
  if (!result.PrepareLoad(kept.size())) {
    ErrorBox(env, "Nepodarilo se zalozit soubor:\r\r" + p.OutCds + "\r\rProgram bude ukoncen !");
    throw Termination("dataset cannot be created: " + p.OutCds);
  }
  char* base = result.RecordBuffer();
  const char* records = in->RecordData();
  const size_t stride = in->RecordStride();
  for (size_t k = 0; k < kept.size(); ++k) {
    // The records are read in key order, all over the arena: ask for the
    // next ones early.
    if (k + 8 < kept.size()) {
      const char* ahead = records + static_cast<size_t>(kept[k + 8]) * stride;
      for (size_t at = 0; at < stride; at += 64) __builtin_prefetch(ahead + at);
    }
    char* to = base + k * result.RecordStride();
    for (size_t j = 0; j < from.size(); ++j) {
      PutFromSentence(*in, kept[k], from[j], result, to, static_cast<int>(j));
    }
  }
  in.reset();
  if (!output.WriteDef(p.OutDef, outDefText)) return false;
  return output.Store(result, p.OutCds);
}

bool SortFND(TCdsProc& cds, bool vylucMez) {
  Env& env = cds.Environment();
  CdsParams& p = cds.params;
  if (p.PocSlov < 1) {
    InfoBox(env, kNoWordListText);
    p.PocSlov = 0;
    return false;
  }
  Dataset& in = cds.Table1();
  in.Close();
  in.SetFileName(p.InCds);
  in.SetReadOnly(true);
  auto release = [&] {
    in.Close();
    in.SetReadOnly(false);
  };
  if (!in.Open()) {
    release();
    return false;
  }
  const int* list = p.SezSlov.data();
  const int count = p.PocSlov;
  if (!CheckWordList(env, list, count, static_cast<int>(p.SezSlov.size()), in.FieldCount(), p.InCds) ||
      !CheckKeyTypes(env, in, list, count, p.InCds)) {
    release();
    return false;
  }
  const std::vector<int> from = ZeroBased(KeyWordsFirst(list, count, in.FieldCount()));
  Dataset& out = cds.Table2();
  out.Close();
  DescribeLike(in, from, false, out);
  out.SetFileName(p.OutCds);
  out.SetReadOnly(false);

  if (in.RecordCount() < 2) {
    std::vector<int> records;
    if (in.RecordCount() == 1) records.push_back(0);
    bool ok = CopyRecords(in, records, from, out);
    // A table not made whole must never be stored by a later Close.
    if (ok) {
      ok = OutputFiles(env).Close(out);
    } else {
      out.Discard();
    }
    release();
    return ok;
  }

  // The sentence lines go to the work file; only the keys stay in memory.
  std::vector<size_t> at(static_cast<size_t>(in.FieldCount()), 0);
  size_t width = 0;
  for (int f = 0; f < in.FieldCount(); ++f) {
    at[static_cast<size_t>(f)] = width;
    if (InSentence(in.Field(f).type)) width += static_cast<size_t>(SentenceWidth(in.Field(f)));
  }
  auto failed = [&](int io) {
    ErrorBox(env, UnwritableFileText(kCdsProcW1Dat, io));
    release();
    return false;
  };
  {
    SafeFileWriter writer(env.fs, kCdsProcW1Dat);
    if (int io = writer.Begin(); io != 0) return failed(io);
    std::vector<char> line;
    for (int r = 0; r < in.RecordCount(); ++r) {
      line.assign(width, ' ');
      for (int f = 0; f < in.FieldCount(); ++f) {
        if (InSentence(in.Field(f).type)) SentencePiece(in, r, f, line.data() + at[static_cast<size_t>(f)]);
      }
      if (!writer.Write(line.data(), line.size())) return failed(writer.LastError());
    }
    if (int io = writer.Commit(); io != 0) return failed(io);
  }

  DatFile work;
  work.Name = std::string(kCdsProcW1Dat);
  work.RecLen = static_cast<int>(width);
  work.RecCount = in.RecordCount();
  int io = 0;
  work.in = env.fs.Open(kCdsProcW1Dat, DosFile::Mode::Read, &io);
  if (!work.in.IsOpen()) return failed(io);
  work.io.resize(std::max<size_t>((size_t{1} << 20) / std::max<size_t>(width, 1), 1) * std::max<size_t>(width, 1));

  size_t keyLen = 0;
  for (int j = 0; j < count; ++j) keyLen += static_cast<size_t>(SentenceWidth(in.Field(list[j] - 1)));
  KeyTable keys(keyLen);
  keys.Reserve(static_cast<size_t>(in.RecordCount()));
  std::string rec;
  while (ReadRec(work, rec)) {
    char* key = keys.AddBlank();
    for (int j = 0; j < count; ++j) {
      const int f = list[j] - 1;
      const size_t w = static_cast<size_t>(SentenceWidth(in.Field(f)));
      std::memcpy(key, rec.data() + at[static_cast<size_t>(f)], w);
      key += w;
    }
  }
  if (work.failed || keys.Size() != static_cast<size_t>(in.RecordCount())) {
    CloseDat(work);
    EraseFile(env, kCdsProcW1Dat);
    ErrorBox(env, UnreadableFileText(kCdsProcW1Dat, work.ioResult));
    release();
    return false;
  }
  const std::vector<uint32_t> order = KeySortOrder(keys, p.SortBlock, p.SortMode);
  std::vector<uint32_t> kept;
  for (uint32_t i : order) {
    if (!vylucMez || !keys.Blank(i)) kept.push_back(i);
  }
  keys = KeyTable(0);

  bool ok = out.PrepareLoad(kept.size());
  if (ok) {
    ok = GatherDat(work, kept, [&](size_t k, std::string_view line) {
      const int r = static_cast<int>(kept[k]);
      char* to = out.RecordBuffer() + k * out.RecordStride();
      for (size_t j = 0; j < from.size(); ++j) {
        const int f = from[j];
        const FieldDef& fd = in.Field(f);
        std::string_view piece = InSentence(fd.type)
                                     ? line.substr(at[static_cast<size_t>(f)], static_cast<size_t>(SentenceWidth(fd)))
                                     : std::string_view();
        char* slot = to + out.SlotOffset(static_cast<int>(j));
        if (fd.type == FieldType::Text) {
          PutTextSlot(out, to, static_cast<int>(j), piece);
        } else if (fd.type == FieldType::Float) {
          slot[0] = 1;
          PutLe<double>(slot + 1, TextToReal(piece));
        } else {
          PutFromSentence(in, r, f, out, to, static_cast<int>(j));
        }
      }
      return true;
    });
  }
  CloseDat(work);
  EraseFile(env, kCdsProcW1Dat);
  if (ok) {
    ok = OutputFiles(env).Close(out);
  } else {
    out.Discard();
  }
  release();
  return ok;
}

}  // namespace orvo
