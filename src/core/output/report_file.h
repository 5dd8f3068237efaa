// The report file (.Ses): Windows-1250 text in lines ended by CR LF, cut
// into pages by lines that contain a form feed. Readers count one page more
// than there are such lines and treat such a line as the page boundary
// only. Also the pieces every report writer shares: the boundary line, the
// page title line with "STR:", the cleaning of control characters and the
// crash-safe writing of the file.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/sys/env.h"
#include "core/sys/text_lines.h"

namespace orvo {

// The boundary line as this system's writers write it.
inline constexpr std::string_view kPageBreakLine = "\f";
inline constexpr std::string_view kReportDir = "C:\\A_Run\\Sestavy";

// A report's lines are the system's text lines (text_lines.h).
inline std::vector<std::string> SplitReportLines(std::string_view bytes) { return SplitLines(bytes); }
inline std::string JoinReportLines(const std::vector<std::string>& lines) { return JoinLines(lines); }

// One plus the number of boundary lines (a report without any is one page,
// so is an empty report).
int CountPages(const std::vector<std::string>& lines);
// The length of the longest line.
size_t ReportWidth(const std::vector<std::string>& lines);

// Index of the first line after the boundary that opens `page` (1-based):
// 0 for page 1; nothing when the report has fewer pages.
std::optional<size_t> PageStart(const std::vector<std::string>& lines, int page);
// Index of the first line of `page` that contains "STR:", before the next
// boundary; nothing when the page has none.
std::optional<size_t> TitleLineOfPage(const std::vector<std::string>& lines, int page);

// A page title: `title`, blanks, "  STR:" and the page number right-aligned
// in `digits` characters, padded so that the number ends at column `width`
// (the width of the column caption line). A title too long for the width is
// kept whole, never cut.
std::string PageTitleLine(std::string_view title, int page, int digits, size_t width);

// Control characters other than CR, LF and form feed become blanks.
std::string BlankControlChars(std::string_view text);

// Reads a report into lines; after the file check's message, nothing when
// the file is missing or cannot be read.
std::optional<std::vector<std::string>> ReadReport(Env& env, std::string_view path);
// Writes the lines crash-safe; the I/O result.
int WriteReport(Env& env, std::string_view path, const std::vector<std::string>& lines);

}  // namespace orvo
