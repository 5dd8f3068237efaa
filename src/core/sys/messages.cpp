#include "core/sys/messages.h"

#include <string>

#include "core/sys/numbers.h"
#include "core/sys/termination.h"

namespace orvo {

void InfoBox(Env& env, std::string_view text, std::string_view caption) {
  env.ui.Message(MessageKind::Info, text, caption);
  env.ui.ProcessEvents();
}

void ErrorBox(Env& env, std::string_view text, std::string_view caption) {
  for (int i = 0; i < 3; ++i) {
    if (i > 0) env.clock.Sleep(500);
    env.ui.Beep();
  }
  env.ui.Message(MessageKind::Error, text, caption);
  env.ui.ProcessEvents();
}

bool AskYesNo(Env& env, std::string_view text, std::string_view caption) {
  Answer a = env.ui.Ask(MessageKind::YesNo, text, caption);
  env.ui.ProcessEvents();
  return a == Answer::Yes;
}

bool AskYesNoCancel(Env& env, std::string_view text) {
  Answer a = env.ui.Ask(MessageKind::YesNoCancel, text, "Ano=True, Ne=False, Storno=Halt");
  env.ui.ProcessEvents();
  if (a == Answer::Cancel) throw Termination("cancelled: " + std::string(text));
  return a == Answer::Yes;
}

void FatalCode(Env& env, int code, std::string_view caption) {
  if (code == 0) return;
  // The same box as ErrorBox, but without its beeps.
  env.ui.Message(MessageKind::Error, "Chyba: " + IntText(code, 6) + "   - Program bude ukoncen",
                 caption);
  env.ui.ProcessEvents();
  throw Termination(std::string(caption));
}

}  // namespace orvo
