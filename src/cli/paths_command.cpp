#include <ostream>

#include "cli/batch.h"
#include "core/sys/encoding.h"

namespace orvo::cli {

int RunPaths(BatchContext& ctx) {
  DosFs& fs = ctx.env.fs;
  ctx.out << "Drive map:\n";
  for (const auto& [letter, dir] : fs.Drives().Drives()) {
    ctx.out << "  " << letter << ": = " << dir
            << (fs.DriveUsable(letter) ? "" : "   (directory missing)") << "\n";
  }
  ctx.out << "Current directory: " << Cp1250ToUtf8(fs.CurrentDir()) << "\n";
  int rc = 0;
  for (const auto& utf8 : ctx.args) {
    std::string logical = Utf8ToCp1250(utf8);
    std::string full = fs.FullPath(logical);
    auto host = fs.HostPath(full);
    ctx.out << Cp1250ToUtf8(full) << " -> ";
    if (host) {
      ctx.out << *host << (fs.Stat(full) ? "" : "   (does not exist)") << "\n";
    } else {
      ctx.out << "(drive " << fs.DriveOf(full) << ": is not mapped)\n";
      rc = 1;
    }
  }
  return rc;
}

}  // namespace orvo::cli
