// The binary .Cds reader on any bytes: no crash, no out-of-bounds read; a
// file it accepts must write back and read again to the same table. Each
// input is read twice: as it is, and with its trailer's checksum made
// right, so that the checks behind the checksum get fuzzed too.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/data/cds_dump.h"
#include "core/data/cds_file.h"
#include "core/data/checksum.h"
#include "core/data/little_endian.h"
#include "fuzz_env.h"

namespace {

void ReadOne(orvo::fuzz::FuzzEnv* fe, std::string_view bytes) {
  orvo::Dataset ds(fe->env);
  std::string detail;
  if (!orvo::ReadCdsBinary(bytes, ds, &detail)) {
    if (ds.Active() || detail.empty()) std::abort();
    return;
  }
  (void)orvo::DumpDataset(ds);
  std::string again = orvo::EncodeCdsBinary(ds);
  orvo::Dataset back(fe->env);
  if (!orvo::ReadCdsBinary(again, back, &detail)) std::abort();
  if (orvo::DumpDataset(back) != orvo::DumpDataset(ds)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  orvo::fuzz::FuzzEnv fe;
  std::string bytes(reinterpret_cast<const char*>(data), size);
  ReadOne(&fe, bytes);
  if (bytes.size() >= orvo::kCdsHeaderSize + orvo::kCdsTrailerSize) {
    size_t at = bytes.size() - orvo::kCdsTrailerSize;
    orvo::PutLe<uint64_t>(bytes.data() + at, orvo::ChecksumOf(bytes.data(), at));
    ReadOne(&fe, bytes);
  }
  return 0;
}
