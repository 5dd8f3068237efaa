// orvo-batch demo DATA-ROOT [--plant N]: the demo installation.
#include <random>
#include <sstream>
#include <string>

#include "cli/batch.h"
#include "cli/install_sources.h"
#include "core/app/demo_install.h"
#include "core/app/launchers.h"
#include "core/shell/session.h"
#include "core/sys/encoding.h"
#include "core/sys/program.h"
#include "core/sys/termination.h"

namespace orvo::cli {

namespace {

// Letters and digits that cannot be mistaken for one another.
std::string NewPassword() {
  static constexpr std::string_view kChars = "abcdefghijkmnpqrstuvwxyzACDEFGHJKLMNPQRTUVWXY34679";
  std::random_device device;
  std::uniform_int_distribution<size_t> pick(0, kChars.size() - 1);
  std::string password;
  for (int i = 0; i < 10; ++i) password += kChars[pick(device)];
  return password;
}

}  // namespace

int RunDemo(BatchContext& ctx) {
  std::string root;
  DemoOptions options;
  for (size_t i = 0; i < ctx.args.size(); ++i) {
    const std::string& a = ctx.args[i];
    if (a == "--plant" && i + 1 < ctx.args.size()) {
      const std::string& n = ctx.args[++i];
      options.plant = n.size() <= 2 && !n.empty() && n.find_first_not_of("0123456789") == std::string::npos
                          ? std::stoi(n)
                          : 0;
    } else if (root.empty() && !a.empty() && a[0] != '-') {
      root = a;
    } else {
      ctx.err << "orvo-batch demo: unexpected argument " << Cp1250ToUtf8(a) << "\n";
      return kBatchUsage;
    }
  }
  if (root.empty()) {
    ctx.err << "orvo-batch: demo needs DATA-ROOT\n";
    return kBatchUsage;
  }
  InstallSources sources;
  if (!LoadInstallSources(&sources, ctx.err)) return kBatchFailed;
  Session session(ctx.env);
  try {
    std::string resolved = ResolveDataRoot(ctx.env, root);
    if (resolved.empty()) {
      ctx.err << "orvo-batch: the data root " << Cp1250ToUtf8(root) << " was not found\n";
      return kBatchFailed;
    }
    SetDataRoot(session, resolved);
  } catch (const Termination&) {
    return kBatchEnded;
  }
  options.newPassword = NewPassword();
  options.writeTools = [&] { return WriteLaunchers(ctx.env, session.ProgramsDir, ProgramDirectory()); };
  std::ostringstream text;
  int rc = BatchDemo(session, {ctx.user, ctx.password}, sources, options, text);
  WriteText(ctx.out, text.str());
  if (rc == kBatchUsage) ctx.err << "orvo-batch: wrong arguments (see --help)\n";
  return rc;
}

}  // namespace orvo::cli
