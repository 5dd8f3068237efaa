// SumF: the summation of a dataset through the fixed-length summation.
#include "core/data/dat_cds.h"
#include "core/data/dataset_ops.h"

namespace orvo {

bool SumF(TCdsProc& cds, TDatProc& dat) {
  CdsParams& p = cds.params;
  p.CdsName = p.InCds;
  p.DefName = p.InDef;
  p.DatName = std::string(kCdsProcW1Dat);
  // A refused conversion leaves no work file to sum: whatever an earlier
  // summation left there must not become this one's result.
  if (!KonvCdsDat(cds)) return false;

  DatParams& d = dat.params;
  d.DatIn = std::string(kCdsProcW1Dat);
  d.DatInDef = p.InDef;
  d.DatOut = std::string(kCdsProcW2Dat);
  // The summed layout goes to a work definition first; OutDef is written
  // with OutCds at the end, so a summation that fails leaves both as they
  // were (and OutCds may be InCds).
  d.DatOutDef = std::string(kCdsProcW2Def);
  d.SourceName = p.InCds;
  d.PocSlov = p.PocSlov;
  d.SezSlov = p.SezSlov;
  d.SortBlock = p.SortBlock;
  d.SortMode = p.SortMode;
  const bool summed = dat.SumDat();
  d.SourceName.clear();
  if (!summed) return false;

  p.CdsName = p.OutCds;
  p.DefName = std::string(kCdsProcW2Def);
  p.DatName = std::string(kCdsProcW2Dat);
  const bool ok = KonvDatCds(cds, {.outDef = p.OutDef, .source = p.InCds});
  p.DefName = p.OutDef;
  return ok;
}

}  // namespace orvo
