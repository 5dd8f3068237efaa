#include <unistd.h>

#include <ostream>
#include <string>
#include <vector>

#include "cli/batch.h"
#include "core/app/batch_commands.h"
#include "core/app/launchers.h"
#include "core/app/session.h"
#include "core/sys/encoding.h"
#include "core/sys/program.h"
#include "core/sys/termination.h"

namespace orvo::cli {

namespace {

// The directory of this program: orvo-tabview and orvo-launch are built and
// installed beside it.
std::string OwnDirectory() {
  std::vector<char> buffer(4096);
  ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (n <= 0) return ".";
  std::string path(buffer.data(), static_cast<size_t>(n));
  size_t slash = path.rfind('/');
  return slash == std::string::npos || slash == 0 ? std::string("/") : path.substr(0, slash);
}

}  // namespace

int RunInstall(BatchContext& ctx) {
  BatchCredentials credentials;
  std::string root;
  for (size_t i = 0; i < ctx.args.size(); ++i) {
    const std::string& a = ctx.args[i];
    if ((a == "--user" || a == "--password") && i + 1 < ctx.args.size()) {
      (a == "--user" ? credentials.user : credentials.password) = Utf8ToCp1250(ctx.args[++i]);
    } else if (root.empty() && !a.empty() && a[0] != '-') {
      root = Utf8ToCp1250(a);
    } else {
      ctx.err << "orvo-batch install: unexpected argument " << a << "\n";
      return kBatchUsage;
    }
  }
  if (root.empty()) {
    ctx.err << "orvo-batch install: the data root is missing\n";
    return kBatchUsage;
  }
  Session session(ctx.env);
  try {
    SetDataRoot(session, ResolveDataRoot(ctx.env, root));
  } catch (const Termination&) {
    return kBatchEnded;
  }
  int rc = BatchInstall(session, credentials, ctx.out);
  if (rc != kBatchOk) return rc;
  for (const std::string& name : WriteLaunchers(ctx.env, session.ProgramsDir, OwnDirectory())) {
    ctx.out << Cp1250ToUtf8(name) << "\n";
  }
  return kBatchOk;
}

}  // namespace orvo::cli
