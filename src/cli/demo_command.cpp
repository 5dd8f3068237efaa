// orvo-batch demo DATA-ROOT [--plant N] [--legacy]: the demo installation.
#include <random>
#include <sstream>
#include <string>

#include "cli/args.h"
#include "cli/batch.h"
#include "cli/install_sources.h"
#include "core/app/demo_install.h"
#include "core/app/legacy_demo.h"
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

// A year of the DOS version's data of the demo's plants in its legacy
// directory (line 4 of UctInic.TXT).
int WriteLegacy(BatchContext& ctx, const InstallSources& sources) {
  std::vector<DemoPlant> plants;
  InstallFault fault;
  auto text = sources.files.find(std::string(kDemoPlants));
  if (text == sources.files.end() || !ParseDemoPlants(text->second, &plants, &fault)) return kBatchFailed;
  std::vector<DemoUnit> units;
  for (const DemoPlant& p : plants) {
    units.push_back({p.plant.substr(0, 2), p.adminUnit.substr(0, 2), p.costCentre.substr(0, 2)});
  }
  try {
    std::string written;
    for (const std::string& file : WriteDemoLegacyData(ctx.session, units)) written += file + "\n";
    WriteText(ctx.out, written + "Data DOS verze: " + ctx.session.LegacyDataDir + "\n");
  } catch (const Termination&) {
    return kBatchEnded;
  }
  return kBatchOk;
}

}  // namespace

int RunDemo(BatchContext& ctx) {
  DemoOptions options;
  Args args(ctx.args, {{"--plant", true}, {"--legacy", false}});
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
  if (rc == kBatchOk && args.Has("--legacy")) rc = WriteLegacy(ctx, sources);
  if (rc == kBatchUsage) ctx.err << "orvo-batch: wrong arguments (see --help)\n";
  return rc;
}

}  // namespace orvo::cli
