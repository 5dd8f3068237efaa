#include "cli/batch.h"

namespace orvo::cli {

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands{
      {"paths", "paths [LOGICAL-PATH ...]",
       "print the drive map and where logical paths resolve", RunPaths},
  };
  return commands;
}

}  // namespace orvo::cli
