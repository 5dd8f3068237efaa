#include "core/app/desk_menu.h"

#include "core/shell/file_names.h"
#include "core/shell/init_file.h"

namespace orvo {

std::string DefinitionFileOf(const Session& session, MenuAction action) {
  switch (action) {
    case MenuAction::DefInic: return InitFileName(session);
    case MenuAction::DefVysl: return AppDir(session, "DefSoub") + "\\VykZVysl.Def";
    case MenuAction::DefRozv: return AppDir(session, "DefSoub") + "\\VykZRozv.Def";
    default: return {};
  }
}

void PrepareDefinitionEditor(const Session& session, MenuAction action, TVEText& editor) {
  editor.VETextFile = DefinitionFileOf(session, action);
  editor.VETextRich = false;
  editor.VETextInitialDir = AppDir(session, action == MenuAction::DefInic ? "PomSoub" : "DefSoub");
}

void AfterDefinitionEditor(Session& session, MenuAction action) {
  if (action == MenuAction::DefInic) ReadInitFile(session);
}

}  // namespace orvo
