#include "cli/install_sources.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <system_error>
#include <vector>

namespace orvo::cli {

namespace fs = std::filesystem;

namespace {

fs::path OwnDirectory() {
  std::vector<char> buffer(4096);
  ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (n <= 0) return fs::current_path();
  return fs::path(std::string(buffer.data(), static_cast<size_t>(n))).parent_path();
}

bool HasManifest(const fs::path& dir) {
  std::error_code ec;
  return fs::is_regular_file(dir / std::string(kInstallManifest), ec);
}

}  // namespace

std::string ProgramDirectory() { return OwnDirectory().string(); }

std::string InstallDataDir() {
  if (const char* env = std::getenv("ORVO_INSTALL_DATA"); env != nullptr && *env != '\0') {
    return HasManifest(env) ? std::string(env) : std::string();
  }
  // The build tree lies inside the source tree (build/, build/release/),
  // an installed program beside share/orvo.
  fs::path dir = OwnDirectory();
  for (int up = 0; up < 5 && !dir.empty(); ++up) {
    for (const fs::path& candidate : {dir / "install", dir / "share" / "orvo" / "install"}) {
      if (HasManifest(candidate)) return candidate.string();
    }
    if (dir == dir.parent_path()) break;
    dir = dir.parent_path();
  }
#ifdef ORVO_SOURCE_INSTALL_DATA
  if (HasManifest(ORVO_SOURCE_INSTALL_DATA)) return ORVO_SOURCE_INSTALL_DATA;
#endif
  return {};
}

bool LoadInstallSources(InstallSources* sources, std::ostream& err) {
  std::string dir = InstallDataDir();
  if (dir.empty()) {
    err << "orvo-batch: the installation data were not found; set ORVO_INSTALL_DATA to the\n"
           "install directory of the Orvo sources (the one holding manifest.txt)\n";
    return false;
  }
  sources->origin = dir;
  sources->files.clear();
  std::error_code ec;
  for (fs::recursive_directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    if (!it->is_regular_file(ec)) continue;
    std::ifstream in(it->path(), std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) {
      err << "orvo-batch: cannot read " << it->path().string() << "\n";
      return false;
    }
    sources->files[fs::relative(it->path(), dir).generic_string()] = std::move(text);
  }
  if (ec) {
    err << "orvo-batch: cannot read " << dir << ": " << ec.message() << "\n";
    return false;
  }
  return true;
}

}  // namespace orvo::cli
