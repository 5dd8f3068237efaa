// Reading and writing the system's small text files (UctInic.TXT, the
// period files, hand-over files): 8-bit lines ended by carriage return and
// line feed.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvo {

// Splits text into lines the way the system's text reading does: a line
// ends at CR LF, at a lone CR or at a lone LF; a last line without an end
// still counts, an empty text has no lines.
std::vector<std::string> SplitLines(std::string_view text);
// Each line followed by CR LF.
std::string JoinLines(const std::vector<std::string>& lines);

// A line that contains a form feed is a page boundary of a text meant for
// printing (the reports, the documents made from them).
inline constexpr char kFormFeed = '\f';
inline bool IsPageBoundary(std::string_view line) { return line.find(kFormFeed) != std::string_view::npos; }

}  // namespace orvo
