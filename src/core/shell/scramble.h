// The byte substitution and 27-column transposition that keep the
// access-rights file from being read as text. It is scrambling, not
// encryption; stored files rely on exactly this format.
#pragma once

#include <string>
#include <string_view>

namespace orvo {

std::string Scramble(std::string_view plain);
std::string Unscramble(std::string_view stored);

}  // namespace orvo
