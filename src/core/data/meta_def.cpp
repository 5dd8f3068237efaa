#include "core/data/meta_def.h"

#include <string>

#include "core/sys/numbers.h"
#include "core/sys/text.h"

namespace orvo {

int WriteMetaDef(Env& env, std::string_view name, int n) {
  n = n < 1 ? 1 : (n > 13 ? 13 : n);
  std::string text;
  for (int j = 0; j < n; ++j) {
    const MetaEntry& e = kMetaDef[static_cast<size_t>(j)];
    text += IntText(e.length, 3) + " ";
    text += PadRight(e.name, 36);
    text += PadRight(e.name.substr(3), 30);
    text += j == 1 ? "N0" : "PM";
    // The row number is the key of the dataset.
    if (j == 0) text += "     I01";
    text += "\r\n";
  }
  return env.fs.WriteWhole(name, text);
}

}  // namespace orvo
