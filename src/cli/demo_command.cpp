// orvo-batch demo DATA-ROOT [--plant N]: the demo installation.
#include <random>
#include <sstream>
#include <string>

#include "cli/args.h"
#include "cli/batch.h"
#include "cli/install_sources.h"
#include "core/app/demo_install.h"
#include "core/app/launchers.h"
#include "core/app/session.h"
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
  DemoOptions options;
  Args args(ctx.args, {{"--plant", true}});
  if (!args.Ok()) {
    ctx.err << "orvo-batch demo: " << Cp1250ToUtf8(args.Error()) << "\n";
    return kBatchUsage;
  }
  if (args.Positional().size() > 1) {
    ctx.err << "orvo-batch demo: unexpected argument " << Cp1250ToUtf8(args.Positional()[1]) << "\n";
    return kBatchUsage;
  }
  if (args.Has("--plant")) {
    // A plant the demo does not have is refused by the demo itself.
    const std::string n = args.Value("--plant");
    auto plant = NumberList(n, 99, 1);
    options.plant = plant && n.size() <= 2 ? plant->front() : 0;
  }
  const std::string root = args.Positional().empty() ? std::string() : args.Positional()[0];
  if (root.empty()) {
    ctx.err << "orvo-batch: demo needs DATA-ROOT\n";
    return kBatchUsage;
  }
  InstallSources sources;
  if (!LoadInstallSources(&sources, ctx.err)) return kBatchFailed;
  Session& session = ctx.session;
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
