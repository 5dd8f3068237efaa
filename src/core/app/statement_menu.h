// The menu "Vykazy": the statement definition each item opens the
// statements window with.
#pragma once

#include <string>

#include "core/app/main_menu.h"
#include "core/shell/run_values.h"

namespace orvo {

// "Vysledovka": DataRoot\LOrvo\DefSoub\VykZVysl.Def; "Rozvaha": ...\VykZRozv.Def;
// "Volitelny vykaz" and anything else: none (the user chooses one).
std::string StatementDefinitionOf(const RunValues& run, MenuAction action);

}  // namespace orvo
