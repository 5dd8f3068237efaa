// LocateH: the ordered locate in a sorted table.
#include "core/data/dataset_ops.h"
#include "core/sys/text.h"

namespace orvo {

LocateResult LocateH(const TCdsProc& cds, Dataset& table) {
  std::vector<int> fields;
  std::string search;
  for (const LocateKey& k : cds.params.LocateKeys) {
    if (k.field <= 0) break;
    if (k.field > table.FieldCount()) break;
    fields.push_back(k.field - 1);
    search += PadRight(k.text, table.Field(k.field - 1).size);
  }
  LocateResult result;
  if (!table.Active() || table.RecordCount() == 0) return result;

  auto key = [&]() {
    std::string k;
    for (int f : fields) k += PadRight(table.AsString(f), table.Field(f).size);
    if (k.size() > search.size()) k.resize(search.size());
    return k;
  };
  auto less = [&]() { return key() < search; };

  table.First();
  int porVt = 1;
  const int n = table.RecordCount();
  int step = std::max(n / 10, 1);
  // Strides of a tenth of the table, then of a hundredth, and so on; after
  // each, one stride back, so the first match is never stepped over.
  while (step > 1) {
    while (less() && !table.Eof() && porVt + step < n) {
      table.MoveBy(step);
      porVt += step;
    }
    if (!less()) {
      if (porVt <= step) {
        table.First();
        porVt = 1;
      } else {
        table.MoveBy(-step);
        porVt -= step;
      }
    }
    step /= 10;
  }
  while (less() && !table.Eof()) {
    table.Next();
    if (!table.Eof()) ++porVt;
  }
  const std::string k = key();
  if (k == search) {
    result.XLocateOk = 1;
  } else if (!table.Eof() && k > search) {
    result.XLocateOk = 2;
  } else {
    result.XLocateOk = 3;
  }
  result.PorVt = porVt;
  return result;
}

}  // namespace orvo
