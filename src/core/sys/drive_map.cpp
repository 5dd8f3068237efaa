#include "core/sys/drive_map.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/sys/encoding.h"

namespace orvo {

namespace {

char UpperLetter(char letter) {
  if (letter >= 'a' && letter <= 'z') return static_cast<char>(letter - 'a' + 'A');
  return letter;
}

bool IsLetter(char letter) { return letter >= 'A' && letter <= 'Z'; }

std::string_view TrimSpace(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r')) {
    s.remove_prefix(1);
  }
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) {
    s.remove_suffix(1);
  }
  return s;
}

std::string HomeDir() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && *home != '\0') return home;
  // getpwuid_r rather than getpwuid: no shared static buffer.
  struct passwd pw{};
  struct passwd* result = nullptr;
  std::string buffer(16384, '\0');
  if (getpwuid_r(getuid(), &pw, buffer.data(), buffer.size(), &result) == 0 && result != nullptr &&
      result->pw_dir != nullptr) {
    return result->pw_dir;
  }
  return "/";
}

// Lexically normal, absolute, without a trailing "/" (except the root).
std::string NormalDir(std::string dir) {
  if (dir == "~" || dir.rfind("~/", 0) == 0) dir = HomeDir() + dir.substr(1);
  std::filesystem::path p(dir);
  if (!p.is_absolute()) {
    std::error_code ec;
    p = std::filesystem::absolute(p, ec);
  }
  std::string s = p.lexically_normal().string();
  while (s.size() > 1 && s.back() == '/') s.pop_back();
  return s;
}

std::string EnvOr(const char* name, const std::string& fallback) {
  const char* value = std::getenv(name);
  if (value != nullptr && *value == '/') return value;
  return fallback;
}

}  // namespace

std::optional<DriveMap> DriveMap::Parse(std::string_view mapText, std::string* error) {
  DriveMap map;
  size_t pos = 0;
  while (pos <= mapText.size()) {
    size_t end = mapText.find_first_of(";\n", pos);
    if (end == std::string_view::npos) end = mapText.size();
    std::string_view entry = TrimSpace(mapText.substr(pos, end - pos));
    pos = end + 1;
    if (entry.empty() || entry.front() == '#') continue;

    auto fail = [&](const char* why) -> std::optional<DriveMap> {
      if (error != nullptr) *error = "bad drive map entry \"" + std::string(entry) + "\": " + why;
      return std::nullopt;
    };
    char letter = UpperLetter(entry.front());
    if (!IsLetter(letter)) return fail("expected a drive letter A to Z");
    std::string_view rest = entry.substr(1);
    if (!rest.empty() && rest.front() == ':') rest.remove_prefix(1);
    rest = TrimSpace(rest);
    if (rest.empty() || rest.front() != '=') return fail("expected \"=\" after the letter");
    std::string_view dir = TrimSpace(rest.substr(1));
    if (dir.empty()) return fail("the directory is missing");
    if (dir.front() != '/' && dir.front() != '~') return fail("the directory must be absolute");
    map.Map(letter, std::string(dir));
  }
  return map;
}

DriveMap DriveMap::FromEnvironment(std::string* error) {
  const char* env = std::getenv("ORVO_DRIVES");
  if (env != nullptr && *env != '\0') {
    std::string why;
    if (auto map = Parse(env, &why)) return *map;
    if (error != nullptr) *error = "ORVO_DRIVES: " + why;
  } else {
    std::string home = HomeDir();
    std::string config = EnvOr("XDG_CONFIG_HOME", home + "/.config") + "/orvo/drives";
    std::ifstream in(config, std::ios::binary);
    if (in) {
      std::ostringstream text;
      text << in.rdbuf();
      std::string why;
      if (auto map = Parse(text.str(), &why)) return *map;
      if (error != nullptr) *error = config + ": " + why;
    }
  }
  DriveMap map;
  map.Map('C', EnvOr("XDG_DATA_HOME", HomeDir() + "/.local/share") + "/orvo/C");
  return map;
}

void DriveMap::Map(char letter, std::string hostDir) {
  letter = UpperLetter(letter);
  if (!IsLetter(letter) || hostDir.empty()) return;
  drives_[letter] = NormalDir(std::move(hostDir));
}

void DriveMap::Unmap(char letter) { drives_.erase(UpperLetter(letter)); }

std::optional<std::string> DriveMap::HostDir(char letter) const {
  auto it = drives_.find(UpperLetter(letter));
  if (it == drives_.end()) return std::nullopt;
  return it->second;
}

char DriveMap::MapFreeLetter(const std::string& hostDir) {
  if (hostDir.empty()) return 0;
  std::string dir = NormalDir(hostDir);
  for (const auto& [letter, mapped] : drives_) {
    if (mapped == dir) return letter;
  }
  for (char letter = 'D'; letter <= 'Z'; ++letter) {
    if (drives_.count(letter) == 0) {
      drives_[letter] = dir;
      return letter;
    }
  }
  return 0;
}

std::optional<std::string> DriveMap::LogicalPathOf(const std::string& hostPath) const {
  if (hostPath.empty()) return std::nullopt;
  std::string path = NormalDir(hostPath);
  const std::pair<const char, std::string>* best = nullptr;
  for (const auto& drive : drives_) {
    const std::string& dir = drive.second;
    bool inside = path == dir ||
                  (path.size() > dir.size() && path.compare(0, dir.size(), dir) == 0 &&
                   (dir == "/" || path[dir.size()] == '/'));
    if (inside && (best == nullptr || dir.size() > best->second.size())) best = &drive;
  }
  if (best == nullptr) return std::nullopt;
  std::string rest = path.substr(best->second.size());
  if (!rest.empty() && rest.front() == '/') rest.erase(0, 1);
  for (char& c : rest) {
    if (c == '/') c = '\\';
  }
  return std::string(1, best->first) + ":\\" + Utf8ToCp1250(rest);
}

std::string DriveMap::ToSpec() const {
  std::string mapText;
  for (const auto& [letter, dir] : drives_) {
    if (!mapText.empty()) mapText += ';';
    mapText += letter;
    mapText += '=';
    mapText += dir;
  }
  return mapText;
}

}  // namespace orvo
