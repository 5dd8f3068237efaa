#include "core/app/statement_menu.h"

#include "core/shell/file_names.h"

namespace orvo {

std::string StatementDefinitionOf(const RunValues& run, MenuAction action) {
  switch (action) {
    case MenuAction::VykVysl:
      return AppDir(run, "DefSoub") + "\\VykZVysl.Def";
    case MenuAction::VykRozv:
      return AppDir(run, "DefSoub") + "\\VykZRozv.Def";
    default:
      return std::string();
  }
}

}  // namespace orvo
