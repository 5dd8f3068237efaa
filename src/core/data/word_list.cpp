#include "core/data/word_list.h"

#include <algorithm>
#include <string>

#include "core/sys/messages.h"
#include "core/sys/numbers.h"

namespace orvo {

bool CheckWordList(Env& env, const int* list, int count, int capacity, int psl,
                   std::string_view fileName) {
  const std::string caption = "Soubor: " + std::string(fileName);
  if (count > capacity) {
    InfoBox(env, "Seznam slov obsahuje " + std::to_string(count) + " slov, nejvice lze " +
                     std::to_string(capacity) + " !", caption);
    return false;
  }
  std::vector<bool> seen(static_cast<size_t>(std::max(psl, 0)) + 1, false);
  for (int j = 0; j < count; ++j) {
    const int w = list[j];
    if (w < 1 || w > psl) {
      InfoBox(env, "Cislo slova " + std::to_string(w) + " v seznamu slov neni mezi 1 a " +
                       std::to_string(psl) + " !", caption);
      return false;
    }
    if (seen[static_cast<size_t>(w)]) {
      InfoBox(env, "Slovo " + std::to_string(w) + " je v seznamu slov dvakrat !", caption);
      return false;
    }
    seen[static_cast<size_t>(w)] = true;
  }
  return true;
}

std::vector<int> KeyWordsFirst(const int* list, int count, int psl) {
  std::vector<int> words(list, list + count);
  std::vector<bool> listed(static_cast<size_t>(std::max(psl, 0)) + 1, false);
  for (int w : words) {
    if (w >= 1 && w <= psl) listed[static_cast<size_t>(w)] = true;
  }
  for (int i = 1; i <= psl; ++i) {
    if (!listed[static_cast<size_t>(i)]) words.push_back(i);
  }
  return words;
}

}  // namespace orvo
