// The fixed-length (.Dat) reader on any definition and any records: the
// input is a definition text and the file's bytes, split at the first NUL.
// Checks: a file that opens is read as whole records of RecLen bytes with
// no control byte; reading it again in any order (GatherDat, a small
// window) gives the same records; its words lie within the record; the
// sort (SortDat) and the conversion to a dataset (KonvDatCds) keep the
// record count or refuse with a message.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

#include "core/data/cds_proc.h"
#include "core/data/dat_cds.h"
#include "core/data/dat_file.h"
#include "core/data/dat_proc.h"
#include "core/sys/termination.h"
#include "fuzz_env.h"

namespace {

// One scratch directory as drive C for the whole run.
struct DatEnv {
  DatEnv() {
    std::string dir = std::filesystem::temp_directory_path().string() + "/orvo-fuzz-dat-XXXXXX";
    if (::mkdtemp(dir.data()) == nullptr) std::abort();
    fe.fs.Drives().Map('C', dir);
  }
  orvo::fuzz::FuzzEnv fe;
};

constexpr const char* kDef = "C:\\F.Def";
constexpr const char* kDat = "C:\\F.Dat";

void Check(orvo::Env& env, std::string_view defText, std::string_view datBytes) {
  if (env.fs.WriteWhole(kDef, defText) != 0 || env.fs.WriteWhole(kDat, datBytes) != 0) std::abort();
  orvo::LoadedDef def;
  orvo::DatFile f;
  if (!orvo::OpenDat(env, def, f, kDat, kDef)) return;
  std::vector<std::string> records;
  std::string_view rec;
  while (orvo::ReadRecView(f, rec)) {
    if (rec.size() != static_cast<size_t>(f.RecLen)) std::abort();
    for (char c : rec) {
      if (static_cast<unsigned char>(c) < 32) std::abort();
    }
    for (int i = 1; i <= f.PSl; ++i) {
      std::string_view w = orvo::WordView(f, i, rec);
      if (w.size() > static_cast<size_t>(f.TD[static_cast<size_t>(i)])) std::abort();
    }
    records.emplace_back(rec);
  }
  if (f.failed || static_cast<int64_t>(records.size()) != f.RecCount) std::abort();
  std::vector<uint32_t> order;
  for (size_t i = records.size(); i > 0; --i) order.push_back(static_cast<uint32_t>(i - 1));
  if (!orvo::RewindDat(f)) std::abort();
  bool same = orvo::GatherDat(
      f, order,
      [&](size_t j, std::string_view r) { return r == records[order[j]]; },
      static_cast<size_t>(f.RecLen > 0 ? f.RecLen * 3 : 1));
  if (!same) std::abort();
  orvo::CloseDat(f);
  if (f.PSl < 1) return;

  orvo::TDatProc dat(env, def);
  dat.params.DatIn = kDat;
  dat.params.DatInDef = kDef;
  dat.params.DatOut = "C:\\S.Dat";
  dat.params.DatOutDef = "C:\\S.Def";
  dat.params.PocSlov = 1;
  dat.params.SezSlov[0] = f.PSl;
  if (dat.SortDat()) {
    orvo::DatFile sorted;
    if (!orvo::OpenDat(env, def, sorted, "C:\\S.Dat", "C:\\S.Def")) std::abort();
    if (sorted.RecCount != f.RecCount) std::abort();
    orvo::CloseDat(sorted);
  }

  orvo::TCdsProc cds(env, def);
  cds.params.DatName = kDat;
  cds.params.DefName = kDef;
  cds.params.CdsName = "C:\\F.Cds";
  if (orvo::KonvDatCds(cds)) {
    orvo::Dataset ds(env);
    if (!ds.LoadFromFile("C:\\F.Cds")) std::abort();
    if (ds.RecordCount() != f.RecCount) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static DatEnv* de = new DatEnv();
  std::string_view all(reinterpret_cast<const char*>(data), size);
  const size_t nul = all.find('\0');
  if (nul == std::string_view::npos) return 0;
  try {
    Check(de->fe.env, all.substr(0, nul), all.substr(nul + 1));
  } catch (const orvo::Termination&) {
    // A record longer than 5000 characters ends the application, as it should.
  }
  return 0;
}
