// Reading a host file whole in the tests (scratch files, golden files,
// files a child process wrote).
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace orvo::test {

// The bytes of a host file; empty when it is missing.
inline std::string ReadHostFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace orvo::test
