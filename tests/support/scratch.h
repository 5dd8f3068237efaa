// A scratch installation per test: fresh temporary directories mapped as C:
// and D:, a scripted Ui and a test clock, bundled into an Env. Everything is
// removed when the fixture ends.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/sys/env.h"
#include "support/scripted_ui.h"
#include "support/test_clock.h"

namespace orvo::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

class Scratch : public ::testing::Test {
 protected:
  Scratch();

  // Host path of a logical path (asserts it resolves).
  std::string Host(std::string_view logical) const;
  // Writes / reads a whole file by logical path (directories created).
  void Put(std::string_view logical, std::string_view bytes);
  std::string Get(std::string_view logical) const;
  bool Exists(std::string_view logical) const;

  TempDir root;      // holds C/ and D/
  std::string cDir;  // host directory of C:
  std::string dDir;  // host directory of D:
  ScriptedUi ui;
  TestClock clock;
  std::unique_ptr<DosFs> fs;
  std::unique_ptr<Env> env;
};

}  // namespace orvo::test
