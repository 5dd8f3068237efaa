#include "core/data/dat_file.h"

#include <algorithm>
#include <cstring>

#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "core/sys/text.h"

namespace orvo {

namespace {

constexpr size_t kIoBuffer = size_t{1} << 20;

// The name column's text from two places after its first "." (from its
// second character without one), 25 characters, as it stands.
std::string DatWordName(std::string_view tns1) {
  size_t dot = tns1.find('.');
  size_t from = dot == std::string_view::npos ? 1 : dot + 2;
  if (from >= tns1.size()) return std::string();
  return std::string(tns1.substr(from, 25));
}

enum class Use { Read, Write };

bool CheckAgainstDef(Env& env, LoadedDef& loaded, DatFile& f, std::string_view dat,
                     std::string_view def, Use use) {
  if (!FileExistsOrSay(env, def)) return false;
  if (!ReadDef(env, loaded, def)) return false;
  // A gap line (ZS) moves the words after it beyond RecLen, which counts
  // the words only: a fixed-length record cannot hold them, and using the
  // definition would cut their values.
  for (int i = 1; i <= loaded.PSl; ++i) {
    const DefWord& w = loaded.Word(i);
    if (w.TP + w.TD - 1 > loaded.RecLen) {
      InfoBox(env, "Soubor:\r\r" + QuotedName(def) + "\r\r     - obsahuje radky mezer (ZS) !",
              "Soubor nelze pouzit pro dalsi operace");
      f.defRefused = true;
      return false;
    }
  }
  f.Name = std::string(dat);
  f.DefName = std::string(def);
  f.RecLen = loaded.RecLen;
  // A file being written starts empty, whatever the old one holds.
  const uint64_t size = use == Use::Read ? FileSizeOf(env, dat) : 0;
  f.RecCount = f.RecLen > 0 ? static_cast<int64_t>(size / static_cast<uint64_t>(f.RecLen)) : 0;
  if (static_cast<uint64_t>(f.RecCount) * static_cast<uint64_t>(f.RecLen) != size) {
    ErrorBox(env, "Datovy soubor:  " + std::string(dat) + "\rDefinicni soubor:  " + std::string(def) +
                      "\r\rDelka vety souboru se nerovna vypoctene delce");
    return false;
  }
  f.PSl = loaded.PSl;
  const size_t slots = static_cast<size_t>(f.PSl) + 1;
  f.TNS1.assign(slots, std::string());
  f.TNS2.assign(slots, std::string());
  f.TP.assign(slots, 0);
  f.TD.assign(slots, 0);
  f.TMs.assign(slots, std::string());
  for (int i = 1; i <= f.PSl; ++i) {
    const DefWord& w = loaded.Word(i);
    const size_t k = static_cast<size_t>(i);
    f.TNS1[k] = DatWordName(w.TNS1);
    f.TNS2[k] = w.Heading;
    f.TP[k] = w.TP;
    f.TD[k] = w.TD;
    f.TMs[k] = w.TMS;
  }
  return true;
}

void Fail(DatFile& f, int io) {
  if (!f.failed) f.ioResult = io != 0 ? io : kIoReadFault;
  f.failed = true;
}

bool FlushOut(DatFile& f) {
  if (f.ioAt == 0) return !f.failed;
  bool ok = f.out->Write(f.io.data(), f.ioAt);
  f.ioAt = 0;
  if (!ok) Fail(f, f.out->LastError() != 0 ? f.out->LastError() : kIoWriteFault);
  return ok;
}

}  // namespace

void BlankControlBytes(char* data, size_t size) {
  // Written without a branch, so the compiler can do many bytes at a time.
  for (size_t i = 0; i < size; ++i) {
    const unsigned char c = static_cast<unsigned char>(data[i]);
    data[i] = static_cast<char>(c < 32 ? ' ' : c);
  }
}

bool OpenDat(Env& env, LoadedDef& loaded, DatFile& f, std::string_view dat, std::string_view def) {
  CloseDat(f);
  f = DatFile();
  if (!CheckAgainstDef(env, loaded, f, dat, def, Use::Read)) return false;
  if (!TryOpenFile(env, dat)) return false;
  int io = 0;
  f.in = env.fs.Open(dat, DosFile::Mode::Read, &io);
  if (!f.in.IsOpen()) return false;
  f.io.resize(std::max<size_t>(kIoBuffer / std::max(f.RecLen, 1), 1) * static_cast<size_t>(std::max(f.RecLen, 1)));
  return true;
}

bool CreateDat(Env& env, LoadedDef& loaded, DatFile& f, std::string_view dat, std::string_view def) {
  CloseDat(f);
  f = DatFile();
  if (!CheckAgainstDef(env, loaded, f, dat, def, Use::Write)) return false;
  // The old file stays until the new one is committed over it: it may be
  // the input of the same operation.
  if (FileExistsQuiet(env, dat)) {
    env.fs.SetAttributes(dat, 0);
  } else if (!TryCreateFile(env, dat)) {
    return false;
  }
  f.out = std::make_unique<SafeFileWriter>(env.fs, dat);
  if (f.out->Begin() != 0) {
    f.out.reset();
    return false;
  }
  f.io.resize(kIoBuffer);
  return true;
}

bool CloseDat(DatFile& f) {
  bool ok = !f.failed;
  if (f.in.IsOpen()) f.in.Close();
  if (f.out != nullptr) {
    if (FlushOut(f) && ok) {
      int io = f.out->Commit();
      if (io != 0) {
        Fail(f, io);
        ok = false;
      }
    } else {
      ok = false;
    }
    f.out.reset();
  }
  f.io.clear();
  f.io.shrink_to_fit();
  f.ioAt = f.ioEnd = 0;
  return ok;
}

void AbandonDat(DatFile& f) {
  if (f.in.IsOpen()) f.in.Close();
  f.out.reset();
  f.io.clear();
  f.io.shrink_to_fit();
  f.ioAt = f.ioEnd = 0;
}

bool RewindDat(DatFile& f) {
  if (!f.in.IsOpen()) return false;
  f.ioAt = f.ioEnd = 0;
  f.nextRec = 0;
  if (!f.in.Seek(0)) {
    Fail(f, f.in.LastError());
    return false;
  }
  return true;
}

bool ReadRecView(DatFile& f, std::string_view& rec) {
  const size_t len = static_cast<size_t>(f.RecLen);
  if (!f.in.IsOpen() || len == 0 || f.nextRec >= f.RecCount) return false;
  if (f.ioEnd - f.ioAt < len) {
    // The buffer holds whole records, so nothing is left over here.
    size_t got = f.in.Read(f.io.data(), f.io.size());
    f.ioAt = 0;
    f.ioEnd = got;
    if (got < len) {
      Fail(f, f.in.LastError());
      return false;
    }
    BlankControlBytes(f.io.data(), got);
  }
  rec = std::string_view(f.io.data() + f.ioAt, len);
  f.ioAt += len;
  ++f.nextRec;
  return true;
}

bool ReadRec(DatFile& f, std::string& buf) {
  std::string_view rec;
  if (!ReadRecView(f, rec)) return false;
  buf.assign(rec);
  return true;
}

bool ReadRecAt(DatFile& f, int64_t r, std::string& buf) {
  const size_t len = static_cast<size_t>(f.RecLen);
  if (!f.in.IsOpen() || len == 0 || r < 0 || r >= f.RecCount) return false;
  f.ioAt = f.ioEnd = 0;
  if (!f.in.Seek(static_cast<uint64_t>(r) * len)) {
    Fail(f, f.in.LastError());
    return false;
  }
  buf.resize(len);
  if (f.in.Read(buf.data(), len) != len) {
    Fail(f, f.in.LastError());
    return false;
  }
  f.nextRec = r + 1;
  BlankControlBytes(buf.data(), len);
  return true;
}

bool WriteRec(DatFile& f, std::string_view buf) {
  if (f.out == nullptr || f.failed) return false;
  const size_t len = static_cast<size_t>(f.RecLen);
  if (f.io.size() - f.ioAt < len && !FlushOut(f)) return false;
  if (len > f.io.size()) {
    std::string rec = std::string(buf.substr(0, len));
    rec.resize(len, ' ');
    if (!f.out->Write(rec.data(), len)) {
      Fail(f, f.out->LastError());
      return false;
    }
    return true;
  }
  char* at = f.io.data() + f.ioAt;
  size_t take = std::min(buf.size(), len);
  std::memcpy(at, buf.data(), take);
  std::memset(at + take, ' ', len - take);
  f.ioAt += len;
  return true;
}

bool GatherDat(DatFile& f, const std::vector<uint32_t>& order,
               const std::function<bool(size_t, std::string_view)>& emit, size_t windowBytes) {
  const size_t len = static_cast<size_t>(f.RecLen);
  if (!f.in.IsOpen() || len == 0) return order.empty();
  const size_t records = static_cast<size_t>(f.RecCount);
  constexpr uint32_t kNone = UINT32_MAX;
  std::vector<uint32_t> pos(records, kNone);
  for (size_t j = 0; j < order.size(); ++j) {
    if (order[j] >= records || pos[order[j]] != kNone) return false;
    pos[order[j]] = static_cast<uint32_t>(j);
  }
  const size_t window = std::clamp<size_t>(windowBytes / len, 1, std::max<size_t>(order.size(), 1));
  std::vector<char> held(window * len);
  std::vector<char> chunk(std::max<size_t>(kIoBuffer / len, 1) * len);
  for (size_t first = 0; first < order.size(); first += window) {
    const size_t last = std::min(first + window, order.size());
    if (!f.in.Seek(0)) {
      Fail(f, f.in.LastError());
      return false;
    }
    for (size_t r = 0; r < records;) {
      const size_t want = std::min(chunk.size() / len, records - r);
      if (f.in.Read(chunk.data(), want * len) != want * len) {
        Fail(f, f.in.LastError());
        return false;
      }
      for (size_t k = 0; k < want; ++k, ++r) {
        const uint32_t j = pos[r];
        if (j == kNone || j < first || j >= last) continue;
        std::memcpy(held.data() + (j - first) * len, chunk.data() + k * len, len);
      }
    }
    BlankControlBytes(held.data(), (last - first) * len);
    for (size_t j = first; j < last; ++j) {
      if (!emit(j, std::string_view(held.data() + (j - first) * len, len))) return false;
    }
  }
  f.ioAt = f.ioEnd = 0;
  f.nextRec = f.RecCount;
  return true;
}

std::string_view WordView(const DatFile& f, int i, std::string_view buf) {
  if (i < 1 || i > f.PSl) return {};
  const size_t from = static_cast<size_t>(f.TP[static_cast<size_t>(i)] - 1);
  if (from >= buf.size()) return {};
  return buf.substr(from, static_cast<size_t>(f.TD[static_cast<size_t>(i)]));
}

std::string GetWord(const DatFile& f, int i, std::string_view buf) {
  return std::string(WordView(f, i, buf));
}

void PutWord(const DatFile& f, std::string_view value, int i, std::string& buf) {
  if (i < 1 || i > f.PSl) return;
  const size_t from = static_cast<size_t>(f.TP[static_cast<size_t>(i)] - 1);
  const size_t td = static_cast<size_t>(f.TD[static_cast<size_t>(i)]);
  if (buf.size() < from + td) buf.resize(from + td, ' ');
  const size_t take = std::min(value.size(), td);
  buf.replace(from, take, value.substr(0, take));
  std::fill(buf.begin() + static_cast<std::ptrdiff_t>(from + take),
            buf.begin() + static_cast<std::ptrdiff_t>(from + td), ' ');
}

}  // namespace orvo
