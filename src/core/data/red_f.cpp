// RedF and RedFVirt: the reduction of every record to some of its words.
#include "core/data/cds_file.h"
#include "core/data/consistency_check.h"
#include "core/data/dat_proc.h"
#include "core/data/dataset_ops.h"
#include "core/data/record_copy.h"
#include "core/sys/messages.h"
#include "core/sys/termination.h"

namespace orvo {

namespace {

std::vector<int> ListedFields(const CdsParams& p) {
  std::vector<int> from;
  for (int j = 0; j < p.PocSlov; ++j) from.push_back(p.SezSlov[static_cast<size_t>(j)] - 1);
  return from;
}

std::vector<int> ListedWords(const CdsParams& p) {
  return std::vector<int>(p.SezSlov.begin(), p.SezSlov.begin() + p.PocSlov);
}

// Checks `in`, writes OutDef and fills `out` (closed, its file name set by
// the caller) with the listed fields of every record, leaving it open.
bool Reduce(TCdsProc& cds, Dataset& in, std::string_view inName, Dataset& out) {
  Env& env = cds.Environment();
  CdsParams& p = cds.params;
  if (!ConsistencyCheck(cds, in, inName)) return false;
  if (int io = env.fs.WriteWhole(p.OutDef, DefLinesOf(cds.Def(), ListedWords(p))); io != 0) {
    ErrorBox(env, UnwritableFileText(p.OutDef, io));
    return false;
  }
  const std::vector<int> from = ListedFields(p);
  DescribeLike(in, from, true, out);
  if (!CopyAllRecords(in, from, out)) {
    const std::string name = out.FileName();
    ErrorBox(env, "Nepodarilo se zalozit soubor:\r\r" + name + "\r\rProgram bude ukoncen !");
    throw Termination("dataset cannot be created: " + name);
  }
  return true;
}

}  // namespace

bool RedF(TCdsProc& cds) {
  CdsParams& p = cds.params;
  Dataset& in = cds.Table1();
  Dataset& out = cds.Table2();
  in.Close();
  in.SetFileName(p.InCds);
  in.SetReadOnly(true);
  out.Close();
  out.SetFileName(p.OutCds);
  out.SetReadOnly(false);
  bool ok = in.Open() && Reduce(cds, in, p.InCds, out);
  if (ok) ok = out.Close();
  in.Close();
  in.SetReadOnly(false);
  return ok;
}

bool RedFVirt(TCdsProc& cds, Dataset& in, Dataset& out) {
  out.Close();
  out.SetFileName(std::string());
  out.SetReadOnly(false);
  bool ok = in.Active() && Reduce(cds, in, in.FileName(), out);
  in.Close();
  if (ok) out.First();
  return ok;
}

}  // namespace orvo
