// The period file on any bytes. Whatever it holds, the period has at most
// five characters and the data files named after it stay in LOrvo\Data.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/shell/file_names.h"
#include "core/shell/period.h"
#include "core/sys/files.h"
#include "core/sys/termination.h"
#include "shell_files_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static orvo::fuzz::ShellScratch scratch;
  orvo::RunValues& session = scratch.session();
  scratch.Put(orvo::PeriodFileName(session), std::string(reinterpret_cast<const char*>(data), size));
  session.PlantName = "01 Zavod";
  try {
    orvo::LoadPeriod(session);
  } catch (const orvo::Termination&) {
    return 0;
  }
  if (session.CurrentPeriod.size() > 5) std::abort();
  const orvo::RunValues& fixed = session;
  for (const std::string& name : {orvo::PostingFile(fixed, session.CurrentPeriod),
                                  orvo::BalanceFile(fixed, session.CurrentPeriod)}) {
    if (orvo::DirectoryOf(scratch.fs().FullPath(name)) != "D:\\LOrvo\\Data") std::abort();
  }
  return 0;
}
