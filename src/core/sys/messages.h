// The message boxes every window uses. Texts and captions are shown exactly
// as given (Windows-1250, "\r" breaks a line).
#pragma once

#include <string_view>

#include "core/sys/env.h"

namespace orvo {

void InfoBox(Env& env, std::string_view text, std::string_view caption = {});
// Three beeps 500 ms apart, then the box.
void ErrorBox(Env& env, std::string_view text, std::string_view caption = {});
bool AskYesNo(Env& env, std::string_view text, std::string_view caption = {});
// Caption "Ano=True, Ne=False, Storno=Halt"; Cancel ends the application
// (throws Termination).
bool AskYesNoCancel(Env& env, std::string_view text);
// Nothing for code 0; otherwise "Chyba: <code>   - Program bude ukoncen" and
// the application ends.
void FatalCode(Env& env, int code, std::string_view caption);

}  // namespace orvo
