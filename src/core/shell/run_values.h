// The run-time values of the main window that every window and operation
// reads: where the data lives, the working period, the organisation and who
// is logged in. They are part of the one Session of a run (core/app) and
// reach the floors below it by reference, together with the Env through
// which every service reaches the outside.
#pragma once

#include <string>
#include <string_view>

#include "core/sys/env.h"

namespace orvo {

// How the period model behaves; the defaults hold until the main window
// configures it (ConfigureMainPeriodModel).
struct PeriodSettings {
  std::string fileSuffix;         // PeriodFile = C:\A_Run\PomSoub\Obdobi + suffix + .Txt
  bool monthZeroAllowed = false;  // lowest month of the step buttons 00 instead of 01
  int highestMonth = 12;          // highest month of the step buttons
  std::string rangeDir = "C:\\A_Run\\PomSoub";  // directory of Obdobi12.Txt
};

struct RunValues {
  explicit RunValues(Env& e) : env(e) {}

  Env& env;

  std::string DataRoot;     // "D:" or "D:\path"
  std::string ProgramsDir;  // DataRoot + "\LOrvo\Programy"

  std::string CurrentPeriod;  // "YY MM"
  std::string PeriodYear;
  std::string PeriodMonth;

  std::string PlantName;
  std::string AdminUnitName;
  std::string CostCentreName;
  std::string LegacyDataDir;
  std::string UnitKey;

  std::string UserName;
  std::string UserRole;
  std::string UserRights;  // "|Sprav|Obraty|"
  // Set only by the master login; it, not the name, passes every rights
  // check, so a stored user cannot borrow the power by taking the name.
  bool MasterLogin = false;

  PeriodSettings period;
};

// Sets DataRoot and the ProgramsDir that follows from it.
void SetDataRoot(RunValues& session, std::string_view dataRoot);

}  // namespace orvo
