// A scratch installation with a session on data root D: and helpers for
// the small files of the application shell.
#pragma once

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "core/shell/period.h"
#include "core/app/session.h"
#include "core/sys/dosfs.h"
#include "support/scratch.h"

namespace orvo::test {

// The bytes of a host file; empty when it is missing.
inline std::string ReadHost(const std::string& host) {
  std::ifstream in(host, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class AppScratch : public Scratch {
 protected:
  AppScratch() {
    SetDataRoot(session, "D:");
    ConfigureMainPeriodModel(session);
  }

  static constexpr const char* kPeriodFile = "C:\\A_Run\\PomSoub\\ObdobiOrvo.Txt";
  static constexpr const char* kInitFile = "D:\\LOrvo\\PomSoub\\UctInic.TXT";

  void PutPeriod(const std::string& period) { Put(kPeriodFile, period + "\r\n"); }
  void PutInit(const std::string& plant = "01 Zavod Jih", const std::string& admin = "02 Sprava",
               const std::string& centre = "03 Stredisko", const std::string& legacy = "") {
    Put(kInitFile, plant + "\r\n" + admin + "\r\n" + centre + "\r\n" + legacy + "\r\n");
  }
  unsigned Attr(const std::string& logical) const { return fs->Attributes(logical).value_or(0); }
  // Whether the scratch file system keeps the hidden attribute at all.
  bool KeepsHidden() {
    Put("C:\\probe", "");
    fs->SetAttributes("C:\\probe", kAttrHidden);
    bool kept = (Attr("C:\\probe") & kAttrHidden) != 0;
    fs->Remove("C:\\probe");
    return kept;
  }
  // Read-only and hidden, as the protected files are kept between writes.
  void ExpectProtected(const std::string& logical) {
    EXPECT_TRUE(Attr(logical) & kAttrReadOnly) << logical;
    if (KeepsHidden()) {
      EXPECT_TRUE(Attr(logical) & kAttrHidden) << logical;
    }
  }

  // A shell script standing in for an installation program: it writes its
  // arguments, one per line, to `argsFile` (a host path). With
  // `releaseFile` it first waits until that file exists (at most about 20 s)
  // and writes "released" or "timeout" as its first line, so a caller that
  // waited for it shows up as "timeout".
  void InstallScript(const std::string& logical, const std::string& argsFile,
                     const std::string& releaseFile = {}) {
    std::string script = "#!/bin/sh\n";
    if (!releaseFile.empty()) {
      script += "state=timeout\ni=0\nwhile [ $i -lt 200 ]; do\n"
                "  if [ -e '" + releaseFile + "' ]; then state=released; break; fi\n"
                "  sleep 0.1; i=$((i+1))\ndone\n"
                "printf '%s\\n' \"$state\" > '" + argsFile + ".tmp'\n";
    } else {
      script += ": > '" + argsFile + ".tmp'\n";
    }
    script += "printf '%s\\n' \"$@\" >> '" + argsFile + ".tmp'\n";
    script += "mv '" + argsFile + ".tmp' '" + argsFile + "'\n";
    Put(logical, script);
    ::chmod(Host(logical).c_str(), 0755);
  }

  std::unique_ptr<Session> ownSession_ = MakeSession(*env);
  Session& session = *ownSession_;
};

}  // namespace orvo::test
