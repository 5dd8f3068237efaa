#include "core/sys/file_write.h"

#include <string>

#include "core/sys/messages.h"
#include "core/sys/numbers.h"

namespace orvo {

bool WriteFileOrAsk(Env& env, std::string_view name, std::string_view bytes) {
  for (;;) {
    int io = env.fs.WriteWhole(name, bytes);
    if (io == kIoOk) return true;
    std::string question = "Chyba:" + IntText(io, 5) + "\r\rProgram nemuze zalozit Soubor: \r     " +
                           std::string(name) + "\r\rChceme opakovat pokus o zalozeni Souboru ?";
    if (!AskYesNo(env, question)) return false;
  }
}

}  // namespace orvo
