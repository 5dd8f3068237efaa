#include "core/data/consistency_check.h"

#include <string>

#include "core/data/word_list.h"
#include "core/sys/messages.h"
#include "core/sys/numbers.h"

namespace orvo {

bool ConsistencyCheck(TCdsProc& cds, const Dataset& in, std::string_view inName) {
  Env& env = cds.Environment();
  CdsParams& p = cds.params;
  LoadedDef& def = cds.Def();
  ReadDef(env, def, p.InDef);
  if (p.PocSlov <= 0) {
    InfoBox(env, kNoWordListText);
    p.PocSlov = 0;
    return false;
  }
  auto mismatch = [&](int have, int want, std::string_view text) {
    InfoBox(env, std::string(inName) + ":" + IntTextZero(have, 6) + "\r" + p.InDef + ":" +
                     IntTextZero(want, 6) + "\r\r" + std::string(text));
    return false;
  };
  if (in.FieldCount() != def.PSl) {
    return mismatch(in.FieldCount(), def.PSl, "Skutecny pocet slov vety se nerovna poctu slov vypocitanemu !");
  }
  if (in.RecordSize() - 2 * in.FieldCount() != def.RecLen) {
    return mismatch(in.RecordSize(), def.RecLen, "Skutecna delka vety se nerovna delce vety vypoctene !");
  }
  return CheckWordList(env, p.SezSlov.data(), p.PocSlov, static_cast<int>(p.SezSlov.size()), def.PSl,
                       inName);
}

}  // namespace orvo
