#include "core/data/output_files.h"

#include "core/data/cds_file.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"

namespace orvo {

void PrepareReplace(Env& env, std::string_view name) {
  auto entry = env.fs.Stat(name);
  if (entry && (entry->attr & kAttrDirectory) == 0) env.fs.SetAttributes(name, kAttrArchive);
}

bool OutputFiles::WriteDef(std::string_view name, std::string_view text, bool report) {
  Written w{std::string(name), std::nullopt};
  if (FileExistsQuiet(env_, name)) {
    int io = 0;
    w.old = env_.fs.ReadWhole(name, &io);
    if (!w.old) {
      if (report) ErrorBox(env_, UnreadableFileText(name, io));
      Restore();
      return false;
    }
  }
  if (int io = env_.fs.WriteWhole(name, text); io != 0) {
    if (report) ErrorBox(env_, UnwritableFileText(name, io));
    Restore();
    return false;
  }
  written_.push_back(std::move(w));
  return true;
}

bool OutputFiles::Store(Dataset& table, std::string_view name) {
  PrepareReplace(env_, name);
  if (table.SaveToFile(name, DataFormat::Binary)) return true;
  Restore();
  return false;
}

bool OutputFiles::Close(Dataset& table) {
  if (!table.FileName().empty() && !table.ReadOnly()) PrepareReplace(env_, table.FileName());
  if (table.Close()) return true;
  Restore();
  return false;
}

void OutputFiles::Restore() {
  for (auto it = written_.rbegin(); it != written_.rend(); ++it) {
    if (it->old) {
      env_.fs.WriteWhole(it->name, *it->old);
    } else {
      EraseFile(env_, it->name);
    }
  }
  written_.clear();
}

}  // namespace orvo
