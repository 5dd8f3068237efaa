// The XML reader on any bytes: no crash; a document it accepts must come
// back the same through both XML variants and the binary form.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/data/cds_dump.h"
#include "core/data/cds_file.h"
#include "core/data/cds_xml.h"
#include "fuzz_env.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  orvo::fuzz::FuzzEnv fuzzEnv;
  orvo::fuzz::FuzzEnv* fe = &fuzzEnv;
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  orvo::Dataset ds(fe->env);
  std::string detail;
  if (!orvo::ReadCdsXml(bytes, ds, &detail)) {
    if (ds.Active() || detail.empty()) std::abort();
    return 0;
  }
  const std::string dump = orvo::DumpDataset(ds);
  for (bool utf8 : {false, true}) {
    orvo::Dataset back(fe->env);
    if (!orvo::ReadCdsXml(orvo::EncodeCdsXml(ds, utf8), back, &detail)) std::abort();
    if (orvo::DumpDataset(back) != dump) std::abort();
  }
  orvo::Dataset bin(fe->env);
  if (!orvo::ReadCdsBinary(orvo::EncodeCdsBinary(ds), bin, &detail)) std::abort();
  if (orvo::DumpDataset(bin) != dump) std::abort();
  return 0;
}
