// ParseDef on any bytes: the loaded definition must stay within its limits
// and every word's numbers must agree with each other.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/data/def_view.h"
#include "core/data/definition.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  orvo::LoadedDef def;
  orvo::DefParse parsed = orvo::ParseDef(text, def);
  if (parsed.problem != orvo::DefProblem::None) {
    if (def.PSl != 0 || !def.words.empty()) std::abort();
    return 0;
  }
  if (def.PSl > orvo::kMaxDefWords || static_cast<int>(def.words.size()) != def.PSl ||
      def.DefLines.size() > static_cast<size_t>(orvo::kMaxDefLines) ||
      def.ItemCount != def.PSl - def.HeaderCount || def.KeyCount() > def.PSl) {
    std::abort();
  }
  int recLen = 0;
  for (int i = 1; i <= def.PSl; ++i) {
    const orvo::DefWord& w = def.Word(i);
    if (w.TD < 0 || w.Heading.size() != static_cast<size_t>(w.TD < 50 ? w.TD + 1 : 51)) std::abort();
    recLen += w.TD;
  }
  if (recLen != def.RecLen) std::abort();
  for (int k = 0; k < def.KeyCount(); ++k) {
    int word = def.KeyList[static_cast<size_t>(k)];
    if (word < 1 || word > def.PSl || def.Word(word).KeyPos != k + 1) std::abort();
  }
  (void)orvo::RenderDef(def);
  return 0;
}
