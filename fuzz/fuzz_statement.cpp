// A statement definition on any bytes: the reading places every line it
// keeps under a unique number 1 ... 999, the computation over a small
// account table gives finite values, and the output definition it makes is
// a definition whose column names are all different.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>

#include "core/data/definition.h"
#include "core/reports/evaluator.h"
#include "core/reports/statement.h"
#include "core/reports/statement_definition.h"
#include "core/sys/text.h"

namespace {

const char kTemplate[] =
    "Template\r\n"
    "  2 1. Zavod                            Zavod                         PM\r\n"
    "  2 2. Sprava                           Sprava                        PM\r\n"
    "  2 3. Stredisko                        Stredisko                     PM\r\n"
    "  3 4. Radek                            Rad                           LNC\r\n"
    " 60 5. Text                             Text                          PM\r\n"
    " 15 6. Hodnota                                  Hodnota               N2\r\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  orvo::StatementDefinition def = orvo::ParseStatementDefinition(text);
  if (def.columns < 1 || def.columns > orvo::kMaxStatementColumns) std::abort();
  std::set<int> numbers;
  for (const orvo::StatementLine& l : def.lines) {
    if (l.number < 1 || l.number > orvo::kMaxStatementLine || !numbers.insert(l.number).second) std::abort();
  }
  const std::vector<orvo::AccountTotals> accounts = {{"211100", 10, 3}, {"311", 5, 0}, {"501100", 7, 1}, {"601", 0, 9}};
  for (const orvo::LineValues& v : orvo::StatementComputation(def).Compute(accounts)) {
    for (double x : v) {
      if (!std::isfinite(x)) std::abort();
    }
  }
  for (int level = 0; level < 4; ++level) {
    const std::string out = orvo::OutputDefinitionText(kTemplate, static_cast<orvo::StatementLevel>(level), def);
    orvo::LoadedDef layout;
    if (orvo::ParseDef(out, layout).problem != orvo::DefProblem::None) std::abort();
    const int values = orvo::Trim(def.headingLine).empty() ? 1 : def.columns;
    if (layout.PSl != level + 2 + values) std::abort();
    std::set<std::string> names;
    for (const orvo::DefWord& w : layout.words) {
      if (w.FieldName.empty() || !names.insert(orvo::UpperCz(w.FieldName)).second) std::abort();
    }
  }
  return 0;
}
