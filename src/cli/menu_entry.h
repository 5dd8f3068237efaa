// What the commands that stand for a menu item share: logging in, reading
// the organisation and the period, and passing the guard of the item; and
// where a definition named without a directory lives.
#pragma once

#include <string>

#include "cli/batch.h"
#include "core/app/main_menu.h"

namespace orvo::cli {

// Logs in, reads the organisation and the period, and checks the guard of
// the menu item `action` (as the books' commands do).
int EnterMenu(BatchContext& ctx, MenuAction action);

// A definition named without a directory lives in DataRoot\LOrvo\DefSoub.
std::string DefinitionFile(BatchContext& ctx, const std::string& arg);

// `orvo-batch calc` (cli/calc_command.cpp).
int RunCalc(BatchContext& ctx);

}  // namespace orvo::cli
