#include "core/shell/restore_window.h"

#include "core/shell/archiving.h"
#include "core/shell/file_names.h"
#include "core/shell/init_file.h"
#include "core/shell/period.h"
#include "core/shell/period_keys.h"
#include "core/shell/table_viewer.h"
#include "core/sys/copy.h"
#include "core/sys/hourglass.h"
#include "core/sys/messages.h"

namespace orvo {

namespace {

std::string KeyOf(const std::string& period) {
  std::string key = period;
  if (key.size() == 5) key.erase(2, 1);
  return key;
}

}  // namespace

void RestoreWindowModel::Show() {
  LoadPeriod(session_);
  ReadInitFile(session_);
}

bool RestoreWindowModel::RestorePostings() {
  std::string target = PostingFile(session_);
  return Restore(target, AppDir(session_, "DefSoub") + "\\UctO.Def",
                 KeyOf(session_.CurrentPeriod) + PlantCode(session_) + "UctO_*.Cds");
}

bool RestoreWindowModel::RestoreBalances() {
  std::string target = BalanceFile(session_);
  return Restore(target, AppDir(session_, "DefSoub") + "\\UctS.Def",
                 PrevPeriodKey(session_.CurrentPeriod) + PlantCode(session_) + "UctS_*.Cds");
}

bool RestoreWindowModel::Restore(const std::string& target, const std::string& definition,
                                 const std::string& mask) {
  Env& env = session_.env;
  FileDialogRequest request;
  request.startDir = ArchiveDir(session_);
  request.filter = "Archivni soubory (" + mask + ")|" + mask;
  std::optional<std::string> picked = env.ui.OpenFileDialog(request);
  if (!picked || picked->empty()) return false;
  const std::string& generation = *picked;
  RunTableViewer(session_, generation, definition, true);
  if (!AskYesNo(env, "Chcete soubor " + target + " obnovit ?", "Vstupni soubor:  " + generation)) {
    return false;
  }
  Hourglass hourglass(env);
  // CopyFile replaces the target itself; erasing it beforehand would lose
  // the current file when the generation cannot be read.
  return CopyFile(env, generation, target, true) == 0;
}

}  // namespace orvo
