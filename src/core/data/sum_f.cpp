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
  d.DatOutDef = p.OutDef;
  d.PocSlov = p.PocSlov;
  d.SezSlov = p.SezSlov;
  d.SortBlock = p.SortBlock;
  d.SortMode = p.SortMode;
  if (!dat.SumDat()) return false;

  p.CdsName = p.OutCds;
  p.DefName = p.OutDef;
  p.DatName = std::string(kCdsProcW2Dat);
  return KonvDatCds(cds);
}

}  // namespace orvo
