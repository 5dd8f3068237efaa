#include "core/sys/file_argument.h"

#include <filesystem>

#include "core/sys/encoding.h"

namespace orvo {

bool IsLogicalPath(std::string_view arg) {
  if (arg.size() < 2 || arg[1] != ':') return false;
  char c = arg[0];
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

std::optional<std::string> LogicalFileArgument(DosFs& fs, std::string_view arg) {
  if (IsLogicalPath(arg)) return std::string(arg);
  std::error_code ec;
  std::filesystem::path host = std::filesystem::absolute(Cp1250ToUtf8(arg), ec);
  if (ec) return std::nullopt;
  host = host.lexically_normal();
  if (auto logical = fs.Drives().LogicalPathOf(host.string())) return logical;
  std::filesystem::path dir = host.parent_path();
  char letter = fs.Drives().MapFreeLetter(dir.string());
  if (letter == 0) return std::nullopt;
  return fs.Drives().LogicalPathOf(host.string());
}

}  // namespace orvo
