#include "support/scratch.h"
#include "support/host_file.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace orvo::test {

namespace stdfs = std::filesystem;

TempDir::TempDir() {
  std::string base = stdfs::temp_directory_path().string() + "/orvo-test-XXXXXX";
  if (mkdtemp(base.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = base;
}

TempDir::~TempDir() {
  std::error_code ec;
  // Read-only directories would stop the removal.
  for (auto it = stdfs::recursive_directory_iterator(path_, ec); !ec && it != stdfs::end(it);
       it.increment(ec)) {
    stdfs::permissions(it->path(), stdfs::perms::owner_all, stdfs::perm_options::add, ec);
  }
  stdfs::remove_all(path_, ec);
}

Scratch::Scratch() {
  cDir = root.path() + "/C";
  dDir = root.path() + "/D";
  stdfs::create_directories(cDir);
  stdfs::create_directories(dDir);
  DriveMap map;
  map.Map('C', cDir);
  map.Map('D', dDir);
  fs = std::make_unique<DosFs>(map);
  env = std::make_unique<Env>(Env{ui, *fs, clock});
}

std::string Scratch::Host(std::string_view logical) const {
  auto host = fs->HostPath(logical);
  EXPECT_TRUE(host.has_value()) << logical;
  return host.value_or(std::string());
}

void Scratch::Put(std::string_view logical, std::string_view bytes) {
  std::string host = Host(logical);
  stdfs::create_directories(stdfs::path(host).parent_path());
  std::ofstream out(host, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string Scratch::Get(std::string_view logical) const { return ReadHostFile(Host(logical)); }

bool Scratch::Exists(std::string_view logical) const {
  auto host = fs->HostPath(logical);
  return host && stdfs::exists(*host);
}

}  // namespace orvo::test
