// The initialisation file UctInic.TXT on any bytes. Whatever it holds, the
// unit key has at most six characters, the plant code no path separator,
// and the data files named after the plant stay in LOrvo\Data.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/shell/file_names.h"
#include "core/shell/init_file.h"
#include "core/sys/files.h"
#include "core/sys/termination.h"
#include "shell_files_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static orvo::fuzz::ShellScratch scratch;
  orvo::RunValues& session = scratch.session();
  scratch.Put(orvo::InitFileName(session), std::string(reinterpret_cast<const char*>(data), size));
  try {
    orvo::ReadInitFile(session);
  } catch (const orvo::Termination&) {
    return 0;
  }
  if (session.UnitKey.size() > 6) std::abort();
  if (orvo::PlantCode(session).find_first_of("\\/:") != std::string::npos) std::abort();
  const orvo::RunValues& fixed = session;
  std::string name = orvo::PostingFile(fixed, "16 03");
  if (orvo::DirectoryOf(scratch.fs().FullPath(name)) != "D:\\LOrvo\\Data") std::abort();
  return 0;
}
