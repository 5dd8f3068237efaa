#include "core/reports/calculation_quantities.h"

#include "core/shell/file_names.h"
#include "core/sys/copy.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"

namespace orvo {

bool DataKalk(RunValues& run, DoklHandOver& handOver, const std::function<void()>& showGrid) {
  Env& env = run.env;
  const std::string activities = AppDir(run, "Cisel") + "\\" + run.PeriodYear + "Cinn.Cds";
  const std::string units = MJCinnFile(run);
  if (!FileExistsOrSay(env, activities) || !FileExistsOrSay(env, units)) return false;
  MakeDirPath(env, LocalAppDir("Cisel"));
  for (const auto& [from, to] : {std::pair{activities, LocalAppDir("Cisel") + "\\Cinn.Cds"},
                                 std::pair{units, LocalAppDir("Cisel") + "\\MJCinn.Cds"}}) {
    if (CopyFile(env, from, to, false) != 0) {
      ErrorBox(env, "Soubor:  " + from + "\r\r" + "nelze zkopirovat do  " + to);
      return false;
    }
  }
  handOver.Reset();
  handOver.DoklFile = KalkMnFile(run);
  handOver.DoklDef = AppDir(run, "DefSoub") + "\\KalkMn.Def";
  handOver.DoklPreset[0] = run.PlantName.substr(0, 2);
  handOver.DoklPreset[1] = run.AdminUnitName.substr(0, 2);
  handOver.DoklPreset[2] = run.CostCentreName.substr(0, 2);
  handOver.DoklHeading1 = "Orvo";
  handOver.DoklHeading2 = std::string(kQuantitiesHeading);
  handOver.DoklToolDir = std::string(kWorkDir);
  handOver.DoklRows = 200;
  handOver.DoklIdCount = 3;
  if (showGrid) showGrid();
  return true;
}

}  // namespace orvo
