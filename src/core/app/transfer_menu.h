// The items of "Prevody" > "Kumulace" and the accumulation each stands for.
#pragma once

#include "core/accounting/accumulation.h"
#include "core/app/main_menu.h"

namespace orvo {

// Of an item of "Kumulace"; false for any other action.
bool KumItemOfAction(MenuAction action, KumItem* item);
MenuAction ActionOfKumItem(KumItem item);

}  // namespace orvo
