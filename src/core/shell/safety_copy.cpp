#include "core/shell/safety_copy.h"

#include <string>

#include "core/shell/file_names.h"
#include "core/sys/copy.h"
#include "core/sys/files.h"

namespace orvo {

void LocalSafetyCopy(Env& env, std::string_view dataFile) {
  if (!FileExistsQuiet(env, dataFile) || FileSizeOf(env, dataFile) <= 9) return;
  SafeReplace(env, dataFile, LocalAppDir("Archiv") + "\\" + FileNameOf(dataFile), true);
}

}  // namespace orvo
