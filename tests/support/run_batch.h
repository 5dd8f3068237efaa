// Runs orvo-batch as a process for the command-line tests.
#pragma once

#include <string>
#include <vector>

namespace orvo::test {

struct BatchResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Arguments are passed as they are (no shell); `environment` entries
// ("NAME=value") are added to the child's environment.
BatchResult RunBatch(const std::vector<std::string>& args,
                     const std::vector<std::string>& environment = {});

}  // namespace orvo::test
