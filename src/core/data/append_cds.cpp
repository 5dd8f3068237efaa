// AppendCds: the records of one dataset file added to another.
#include <algorithm>

#include "core/data/dataset_ops.h"
#include "core/data/record_copy.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "core/sys/termination.h"

namespace orvo {

void AppendCds(TCdsProc& cds, std::string_view jmSA, std::string_view jmSR) {
  Env& env = cds.Environment();
  if (FileSizeOf(env, jmSA) <= 4) return;
  Dataset& from = cds.Table1();
  Dataset& to = cds.Table2();
  auto stop = [&] {
    from.Close();
    from.SetReadOnly(false);
    to.Close();
    ErrorBox(env, "Prihravany soubor:  " + std::string(jmSA) + "\r\rRozsirovany soubor: " + std::string(jmSR) +
                      "\r\r     Operace se nepodarila, program bude ukoncen !");
    throw Termination("append failed: " + std::string(jmSR));
  };
  from.Close();
  from.SetFileName(std::string(jmSA));
  from.SetReadOnly(true);
  if (!from.Open()) stop();
  to.Close();
  to.SetReadOnly(false);
  if (!FileExistsQuiet(env, jmSR)) {
    std::vector<int> all(static_cast<size_t>(from.FieldCount()));
    for (size_t f = 0; f < all.size(); ++f) all[f] = static_cast<int>(f);
    DescribeLike(from, all, false, to);
    to.SetFileName(std::string());
    if (!to.CreateDataSet()) stop();
    const bool saved = to.SaveToFile(jmSR, DataFormat::Binary);
    to.Close();
    if (!saved) stop();
  }
  to.SetFileName(std::string(jmSR));
  if (!to.Open()) stop();
  // Fields go by position, as many as both files have: a shorter target
  // takes what fits instead of ending the copy part-way.
  const int fields = std::min(from.FieldCount(), to.FieldCount());
  for (from.First(); !from.Eof(); from.Next()) {
    to.Append();
    for (int f = 0; f < fields; ++f) to.AssignField(f, from, f);
    to.Post();
  }
  from.Close();
  from.SetReadOnly(false);
  to.Close();
  env.ui.ProcessEvents();
}

}  // namespace orvo
