// The initialisation file UctInic.TXT: the organisation identification of
// the installation (plant, administration, cost centre) and the directory
// of the legacy installation.
#pragma once

#include <string>
#include <string_view>

#include "core/shell/run_values.h"

namespace orvo {

// Reads PlantName, AdminUnitName, CostCentreName and LegacyDataDir (every
// blank removed) and builds UnitKey. A missing or unreadable file is
// reported and ends the application: nothing can be named without it.
void ReadInitFile(RunValues& session);

// Two characters of each name.
std::string UnitKey(std::string_view plant, std::string_view adminUnit,
                    std::string_view costCentre);

}  // namespace orvo
