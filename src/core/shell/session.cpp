#include "core/shell/session.h"

namespace orvo {

void SetDataRoot(Session& session, std::string_view dataRoot) {
  session.DataRoot = std::string(dataRoot);
  session.ProgramsDir = session.DataRoot + "\\LOrvo\\Programy";
}

}  // namespace orvo
