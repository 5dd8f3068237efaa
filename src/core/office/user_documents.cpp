#include "core/office/user_documents.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace orvo {

namespace {

std::string Home() {
  const char* home = std::getenv("HOME");
  return home != nullptr && *home != '\0' ? home : "/tmp";
}

// XDG_DOCUMENTS_DIR="$HOME/Dokumenty" from the user's directory settings.
std::optional<std::string> FromUserDirsFile() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  std::string file = (config != nullptr && *config != '\0' ? std::string(config) : Home() + "/.config") +
                     "/user-dirs.dirs";
  std::ifstream in(file);
  std::string line;
  const std::string key = "XDG_DOCUMENTS_DIR=";
  while (std::getline(in, line)) {
    if (line.rfind(key, 0) != 0) continue;
    std::string value = line.substr(key.size());
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
      value = value.substr(1, value.size() - 2);
    }
    if (value.rfind("$HOME", 0) == 0) value = Home() + value.substr(5);
    if (!value.empty() && value.front() == '/') return value;
  }
  return std::nullopt;
}

}  // namespace

std::string UserDocumentsDir() {
  const char* documents = std::getenv("XDG_DOCUMENTS_DIR");
  std::string dir;
  if (documents != nullptr && *documents != '\0') {
    dir = documents;
  } else if (auto fromFile = FromUserDirsFile()) {
    dir = *fromFile;
  } else {
    dir = Home() + "/Documents";
  }
  return dir + "/Orvo";
}

std::optional<std::string> NewUserDocumentPath(std::string_view fileName) {
  const std::filesystem::path dir(UserDocumentsDir());
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (!std::filesystem::is_directory(dir, ec)) return std::nullopt;
  const std::filesystem::path name{std::string(fileName)};
  const std::string stem = name.stem().string();
  const std::string extension = name.extension().string();
  for (int n = 1; n < 10000; ++n) {
    std::filesystem::path candidate =
        dir / (n == 1 ? stem + extension : stem + "_" + std::to_string(n) + extension);
    // Created here, so that two exports never pick the same name.
    int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd >= 0) {
      ::close(fd);
      return candidate.string();
    }
    if (errno != EEXIST) return std::nullopt;
  }
  return std::nullopt;
}

std::optional<std::string> WriteUserDocument(std::string_view fileName, std::string_view bytes) {
  auto path = NewUserDocumentPath(fileName);
  if (!path) return std::nullopt;
  std::ofstream out(*path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) {
    std::error_code ec;
    std::filesystem::remove(*path, ec);
    return std::nullopt;
  }
  return path;
}

}  // namespace orvo
