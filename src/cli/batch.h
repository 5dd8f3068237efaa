// orvo-batch: the core operations without windows. Every command gets the
// same context: the drive map in use, the console Ui, the clock, and the
// streams for its output.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "core/sys/env.h"

namespace orvo::cli {

struct BatchContext {
  Env& env;
  std::ostream& out;
  std::ostream& err;
  std::vector<std::string> args;  // after the command name
};

struct Command {
  const char* name;
  const char* usage;    // one line, after "orvo-batch "
  const char* summary;  // one line
  int (*run)(BatchContext& ctx);
};

const std::vector<Command>& Commands();

int RunPaths(BatchContext& ctx);
int RunInstall(BatchContext& ctx);
int RunPrintSettings(BatchContext& ctx);
int RunSesToPdf(BatchContext& ctx);

}  // namespace orvo::cli
