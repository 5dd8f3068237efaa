#include "core/output/report_file.h"

#include <algorithm>

#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "core/sys/numbers.h"

namespace orvo {

int CountPages(const std::vector<std::string>& lines) {
  return 1 + static_cast<int>(std::count_if(lines.begin(), lines.end(),
                                            [](const std::string& l) { return IsPageBoundary(l); }));
}

size_t ReportWidth(const std::vector<std::string>& lines) {
  size_t width = 0;
  for (const auto& l : lines) width = std::max(width, l.size());
  return width;
}

std::optional<size_t> PageStart(const std::vector<std::string>& lines, int page) {
  if (page < 1) return std::nullopt;
  int passed = 0;
  size_t i = 0;
  while (passed < page - 1) {
    if (i >= lines.size()) return std::nullopt;
    if (IsPageBoundary(lines[i])) ++passed;
    ++i;
  }
  return i;
}

std::optional<size_t> TitleLineOfPage(const std::vector<std::string>& lines, int page) {
  auto start = PageStart(lines, page);
  if (!start) return std::nullopt;
  for (size_t i = *start; i < lines.size() && !IsPageBoundary(lines[i]); ++i) {
    if (lines[i].find("STR:") != std::string::npos) return i;
  }
  return std::nullopt;
}

std::string PageTitleLine(std::string_view title, int page, int digits, size_t width) {
  std::string tail = "  STR:" + IntTextZero(page, digits);
  std::string line(title);
  if (line.size() + tail.size() < width) line.append(width - line.size() - tail.size(), ' ');
  return line + tail;
}

std::string BlankControlChars(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    auto u = static_cast<unsigned char>(c);
    if (u < 32 && c != '\r' && c != '\n' && c != kFormFeed) c = ' ';
  }
  return out;
}

std::optional<std::vector<std::string>> ReadReport(Env& env, std::string_view path) {
  if (!FileExistsOrSay(env, path)) return std::nullopt;
  int result = kIoOk;
  auto bytes = env.fs.ReadWhole(path, &result);
  if (!bytes) {
    ErrorBox(env, "Chyba" + IntText(result, 5) + " -Soubor nelze cist !", "Soubor:  " + std::string(path));
    return std::nullopt;
  }
  return SplitReportLines(*bytes);
}

int WriteReport(Env& env, std::string_view path, const std::vector<std::string>& lines) {
  return env.fs.WriteWhole(path, JoinReportLines(lines));
}

}  // namespace orvo
