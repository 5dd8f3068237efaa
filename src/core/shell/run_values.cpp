#include "core/shell/run_values.h"

namespace orvo {

void SetDataRoot(RunValues& session, std::string_view dataRoot) {
  session.DataRoot = std::string(dataRoot);
  session.ProgramsDir = session.DataRoot + "\\LOrvo\\Programy";
}

}  // namespace orvo
