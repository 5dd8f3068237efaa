// The main window's "Servis" > "Definicni soubory" items: the file each
// shows in the text editor (plain text, modally) and what follows the
// editor's closing.
#pragma once

#include <string>

#include "core/app/main_menu.h"
#include "core/app/session.h"

namespace orvo {

// UctInic.TXT for DefInic, VykZVysl.Def for DefVysl, VykZRozv.Def for
// DefRozv; empty for every other action.
std::string DefinitionFileOf(const Session& session, MenuAction action);
// A definition editor prepared for the action (plain text, its file).
void PrepareDefinitionEditor(const Session& session, MenuAction action, TVEText& editor);
// After the editor closed: the initialisation file is read again when it
// was the one shown.
void AfterDefinitionEditor(Session& session, MenuAction action);

}  // namespace orvo
