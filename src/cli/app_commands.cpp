// The application shell's commands: each logs in through the same access
// file and rights as the main window.
#include <ostream>
#include <sstream>

#include "cli/args.h"
#include "cli/batch.h"
#include "cli/install_sources.h"
#include "core/app/batch_commands.h"
#include "core/app/demo_install.h"
#include "core/app/launchers.h"
#include "core/app/session.h"
#include "core/sys/encoding.h"
#include "core/sys/program.h"
#include "core/sys/termination.h"

namespace orvo::cli {

void WriteText(std::ostream& out, const std::string& cp1250) { out << Cp1250ToUtf8(cp1250); }

namespace {

BatchCredentials Credentials(const BatchContext& ctx) { return {ctx.user, ctx.password}; }

// Resolves the data root as the application does at start; false (after the
// message) when it cannot be found.
bool SetRoot(BatchContext& ctx, Session& session, const std::string& parameter, bool required) {
  if (parameter.empty()) {
    if (!required) return true;
    ctx.err << "orvo-batch: no data root: give --root DATA-ROOT or set ORVO_DATA_ROOT\n";
    return false;
  }
  try {
    std::string root = ResolveDataRoot(ctx.env, parameter);
    if (root.empty()) {
      ctx.err << "orvo-batch: the data root " << Cp1250ToUtf8(parameter) << " was not found\n";
      return false;
    }
    SetDataRoot(session, root);
    return true;
  } catch (const Termination&) {
    return false;
  }
}

// Core commands write Windows-1250; the terminal gets UTF-8.
template <typename Run>
int WithOutput(BatchContext& ctx, Run run) {
  std::ostringstream text;
  int rc = run(text);
  WriteText(ctx.out, text.str());
  if (rc == kBatchUsage) ctx.err << "orvo-batch: wrong arguments (see --help)\n";
  return rc;
}

}  // namespace

int RunInstall(BatchContext& ctx) {
  // The credentials may also follow the data root.
  BatchCredentials credentials = Credentials(ctx);
  Args args(ctx.args, {{"--user", true},
                       {"--password", true},
                       {"--plant-name", true},
                       {"--admin-unit", true},
                       {"--cost-centre", true}});
  if (!args.Ok()) {
    ctx.err << "orvo-batch install: " << Cp1250ToUtf8(args.Error()) << "\n";
    return kBatchUsage;
  }
  if (args.Positional().size() > 1) {
    ctx.err << "orvo-batch install: unexpected argument " << Cp1250ToUtf8(args.Positional()[1]) << "\n";
    return kBatchUsage;
  }
  credentials.user = args.Value("--user", credentials.user);
  credentials.password = args.Value("--password", credentials.password);
  const std::string root = args.Positional().empty() ? std::string() : args.Positional()[0];
  if (root.empty()) {
    ctx.err << "orvo-batch: install needs DATA-ROOT\n";
    return kBatchUsage;
  }
  InstallSources sources;
  if (!LoadInstallSources(&sources, ctx.err)) return kBatchFailed;
  Session& session = ctx.session;
  if (!SetRoot(ctx, session, root, true)) return kBatchFailed;
  int rc = WithOutput(ctx, [&](std::ostream& out) {
    return BatchInstallWithData(
        session, credentials, sources, out,
        {args.Value("--plant-name"), args.Value("--admin-unit"), args.Value("--cost-centre")});
  });
  if (rc != kBatchOk) return rc;
  // The installation's tools in Programy start the programs built beside
  // this one.
  for (const std::string& name : WriteLaunchers(ctx.env, session.ProgramsDir, ProgramDirectory())) {
    WriteText(ctx.out, name + "\n");
  }
  return kBatchOk;
}

int RunPeriod(BatchContext& ctx) {
  Session& session = ctx.session;
  if (!SetRoot(ctx, session, ctx.dataRoot, false)) return kBatchFailed;
  return WithOutput(ctx, [&](std::ostream& out) {
    return BatchPeriod(session, Credentials(ctx), ctx.args, out);
  });
}

int RunUsers(BatchContext& ctx) {
  Session& session = ctx.session;
  if (!SetRoot(ctx, session, ctx.dataRoot, false)) return kBatchFailed;
  return WithOutput(ctx, [&](std::ostream& out) {
    return BatchUsers(session, Credentials(ctx), ctx.args, out);
  });
}

int RunArchive(BatchContext& ctx) {
  Session& session = ctx.session;
  if (!SetRoot(ctx, session, ctx.dataRoot, true)) return kBatchFailed;
  return WithOutput(ctx, [&](std::ostream& out) {
    return BatchArchive(session, Credentials(ctx), out);
  });
}

}  // namespace orvo::cli
