#include "core/desk/desk.h"

#include "core/shell/file_names.h"
#include "core/sys/messages.h"

namespace orvo {

std::string HelpFileOf(const RunValues& run, std::string_view topic) {
  return AppDir(run, "Dokum") + "\\" + std::string(topic) + ".Rtf";
}

Desk::Desk(Env& env, Office& office) : help(env, office), env_(env) {}

bool Desk::Help(const RunValues& run, std::string_view topic) {
  if (help.IsOpen()) {
    InfoBox(env_, kHelpOpenText, kHelpOpenCaption);
    return false;
  }
  help.VETextFile = HelpFileOf(run, topic);
  help.VETextRich = true;
  return help.Show();
}

}  // namespace orvo
