#include "cli/batch.h"

namespace orvo::cli {

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands{
      {"paths", "paths [LOGICAL-PATH ...]",
       "print the drive map and where logical paths resolve", RunPaths},
      {"install", "install DATA-ROOT --user NAME --password PASSWORD",
       "create the local and application trees and the launchers in Programy", RunInstall},
  };
  return commands;
}

}  // namespace orvo::cli
