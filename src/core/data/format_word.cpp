#include "core/data/format_word.h"

#include "core/sys/dates.h"
#include "core/sys/numbers.h"
#include "core/sys/text.h"

namespace orvo {

namespace {

bool OnlyChars(const std::string& value, std::string_view allowed) {
  for (char c : value) {
    if ((c < '0' || c > '9') && allowed.find(c) == std::string_view::npos) return false;
  }
  return true;
}

}  // namespace

bool FormatWord(Env& env, const LoadedDef& def, std::string& value, int i, char check) {
  const DefWord& w = def.Word(i);
  std::string type = w.TMS;
  if (type == "R2" || type == "O4") type = "LN";
  const char first = type.size() > 0 ? type[0] : ' ';
  const char second = type.size() > 1 ? type[1] : ' ';
  const int decimals = (second >= '0' && second <= '9') ? second - '0' : 0;
  const int width = w.TD;
  const size_t uwidth = static_cast<size_t>(width < 0 ? 0 : width);

  char letter = check;
  if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
  if (letter == 'X') letter = w.SP;

  if (letter == 'V') value = UpperCz(value);

  switch (first) {
    case 'D':
      if (second == 'T') {
        value = CompleteDate(env, value);
        letter = 'N';
      }
      break;
    case 'L': {
      if (value.size() > uwidth) value = value.substr(value.size() - uwidth);
      value = TrimRight(value);
      value = second == 'N' ? PadLeftWith('0', value, width) : PadLeft(value, width);
      break;
    }
    case 'N':
      value = RealTextRounded(width, decimals, TextToReal(value));
      break;
    case 'P':
      if (value.size() > uwidth) value.resize(uwidth);
      value = second == 'N' ? PadRightWith('0', value, width) : PadRight(value, width);
      break;
    default: break;
  }

  if (letter == 'Z') {
    value = RealTextPlain(width, decimals, TextToReal(value));
    letter = decimals > 0 ? 'N' : 'C';
  }

  if (value.empty()) return true;
  switch (letter) {
    case '-': return OnlyChars(value, "-");
    case 'C': return OnlyChars(value, " ");
    case 'N': return OnlyChars(value, ".,- ");
    default: return true;
  }
}

}  // namespace orvo
