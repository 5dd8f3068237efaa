// The small files of the application shell read from disk on any bytes: a
// scratch directory mapped as C: and D:, a session on D:, the input written
// where the reader looks. The readers end the application (Termination) on
// what they refuse; that is a clean end.
#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "core/shell/period.h"
#include "core/shell/run_values.h"
#include "core/sys/clock.h"
#include "core/sys/dosfs.h"
#include "core/sys/env.h"
#include "fuzz_env.h"

namespace orvo::fuzz {

class ShellScratch {
 public:
  ShellScratch() {
    char pattern[] = "/tmp/orvo-fuzz-XXXXXX";
    root_ = ::mkdtemp(pattern);
    std::filesystem::create_directories(root_ + "/C/A_Run/PristPr");
    std::filesystem::create_directories(root_ + "/C/A_Run/PomSoub");
    std::filesystem::create_directories(root_ + "/D/LOrvo/PomSoub");
    std::filesystem::create_directories(root_ + "/D/LOrvo/Data");
    fs_.Drives().Map('C', root_ + "/C");
    fs_.Drives().Map('D', root_ + "/D");
    SetDataRoot(session_, "D:");
    ConfigureMainPeriodModel(session_);
  }
  ~ShellScratch() {
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }

  // Writes the bytes as the logical file (read-only and hidden attributes
  // cleared first, so that the next input can take its place).
  void Put(std::string_view logical, std::string_view bytes) {
    fs_.SetAttributes(logical, kAttrArchive);
    std::ofstream(*fs_.HostPath(logical), std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }

  Env& env() { return env_; }
  DosFs& fs() { return fs_; }
  RunValues& session() { return session_; }

 private:
  std::string root_;
  QuietUi ui_;
  DosFs fs_{DriveMap()};
  SystemClock clock_;
  Env env_{ui_, fs_, clock_};
  RunValues session_{env_};
};

}  // namespace orvo::fuzz
