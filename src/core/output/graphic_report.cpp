#include "core/output/graphic_report.h"

#include <algorithm>
#include <cmath>

#include "core/data/cds_file.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "core/sys/numbers.h"
#include "core/sys/text.h"
#include "core/sys/text_lines.h"

namespace orvo {

namespace {

std::string CellOf(std::string_view line, int from, int count) {
  if (count <= 0 || from < 1 || static_cast<size_t>(from - 1) >= line.size()) return {};
  return std::string(line.substr(static_cast<size_t>(from - 1), static_cast<size_t>(count)));
}

bool IsTotal(std::string_view line) { return line.substr(0, 6) == "Celkem"; }

FontChoice SmallFont(int size) {
  FontChoice f;
  f.name = "Small Fonts";
  f.size = size;
  return f;
}

}  // namespace

std::string PictureFile(GraphicKind kind, std::string_view reportFile, int n) {
  return std::string("C:\\A_Run\\Sestavy\\") + (kind == GraphicKind::Ima ? "I_" : "T_I_") +
         BaseName(reportFile) + "_" + IntTextPadded(n, 4) + ".Jpg";
}

std::string WorkPicture(GraphicKind kind, std::string_view reportFile) {
  return std::string("C:\\A_Run\\Work\\") + (kind == GraphicKind::Ima ? "I_" : "T_I_") +
         BaseName(reportFile) + ".Bmp";
}

int PlannedTextHeight(TextMetrics& metrics, const FontChoice& font, int rows) {
  return 31 + std::max(rows, 0) * (metrics.Height(font, "X") + 2) + 62;
}

std::vector<std::vector<std::string>> SplitPages(const std::vector<std::string>& lines) {
  std::vector<std::vector<std::string>> pages(1);
  for (const std::string& line : lines) {
    if (IsPageBoundary(line)) {
      pages.emplace_back();
    } else {
      pages.back().push_back(line);
    }
  }
  if (pages.size() > 1 && pages.back().empty()) pages.pop_back();
  return pages;
}

ImaLayout::ImaLayout(TextMetrics& metrics, const ImaHandOver& handOver, std::vector<char> types)
    : m_(metrics), h_(handOver), types_(std::move(types)), x_(handOver.ImaColStart.size() + 1, 31) {
  types_.resize(h_.ImaColStart.size(), ' ');
}

void ImaLayout::Measure(const std::vector<std::string>& reportLines) {
  const size_t n = h_.ImaColStart.size();
  std::vector<int> widest(n, 0);
  int skip = std::max(h_.ImaTopLines, 0);  // the first line counts as a boundary
  for (const std::string& raw : reportLines) {
    if (IsPageBoundary(raw)) {
      skip = std::max(h_.ImaTopLines, 0);
      continue;
    }
    if (raw.empty()) continue;
    if (skip > 0) {
      --skip;
      continue;
    }
    std::string line = raw;
    if (IsTotal(line)) line.replace(0, 6, "S     ");
    for (size_t i = 0; i < n; ++i) {
      const std::string text = Trim(CellOf(line, h_.ImaColStart[i], h_.ImaColWidth[i]));
      widest[i] = std::max(widest[i], m_.Width(h_.ImaItemFont, text));
    }
  }
  x_.assign(n + 1, 0);
  x_[0] = 33;
  for (size_t i = 1; i <= n; ++i) x_[i] = x_[i - 1] + widest[i - 1] + 4;
  x_[0] = 31;
}

int ImaLayout::PlannedHeight() const {
  const int t = std::max(h_.ImaTopLines, 0);
  const int c = std::max(h_.ImaCaptionLines, 0);
  int y = 31 + t * (m_.Height(h_.ImaHeadFont, "W") + 3) + 7;
  y += c * (m_.Height(h_.ImaItemFont, "W") + 3) + 6;
  y += std::max(h_.ImaPageRows - t - c, 0) * (m_.Height(h_.ImaItemFont, "W") + 4);
  return y + 15;
}

std::string ImaLayout::FitTitle(std::string_view text, FontChoice& font) const {
  const int limit = TitleLimit();
  std::string line = TrimRight(text);
  auto fit = [&] {
    while (m_.Width(font, line) > limit) {
      const size_t at = line.find("   ");
      if (at == std::string::npos) break;
      line.erase(at, 1);
    }
    auto anchor = [&] {
      size_t at = UpperCz(line).find("STR:");
      return at != std::string::npos ? at : line.find("    ");
    };
    for (size_t at = anchor(); at != std::string::npos; at = anchor()) {
      std::string wider = line;
      wider.insert(at, 1, ' ');
      if (m_.Width(font, wider) > limit) break;
      line = std::move(wider);
    }
  };
  fit();
  for (int size : {7, 6, 5}) {
    if (m_.Width(font, line) <= limit) break;
    font = SmallFont(size);
    fit();
  }
  return line;
}

void ImaLayout::DrawColumns(PagePicture& p, std::string_view source, int y, bool total) const {
  const FontChoice& font = h_.ImaItemFont;
  const int k = font.italic ? m_.Width(font, "W") / 3 : 0;
  std::string line(source);
  size_t first = 0;
  if (total) {
    line.replace(0, std::min<size_t>(6, line.size()), "      ");
    // The first column shows the longest run of "S" that fits it.
    const int room = x_[1] - x_[0] - 1;
    const int most = h_.ImaColWidth.empty() ? 0 : h_.ImaColWidth[0];
    std::string run;
    while (static_cast<int>(run.size()) < most && m_.Width(font, run + "S") < room) run += 'S';
    if (!run.empty()) p.texts.push_back({x_[0] - k + 3, y, font, run});
    first = 1;
  }
  for (size_t i = first; i < h_.ImaColStart.size(); ++i) {
    const std::string text = Trim(CellOf(line, h_.ImaColStart[i], h_.ImaColWidth[i]));
    if (text.empty()) continue;
    const bool right = types_[i] == 'N' || types_[i] == 'L';
    const int x = right ? x_[i + 1] - m_.Width(font, text) - k - 1 : x_[i] - k + 3;
    p.texts.push_back({x, y, font, text});
  }
}

PagePicture ImaLayout::Draw(const std::vector<std::string>& titles, const std::vector<std::string>& captions,
                            const std::vector<std::string>& rows, bool frames) const {
  PagePicture p;
  p.width = PictureWidth();
  const int left = x_.front();
  const int right = x_.back();
  auto rule = [&](int y, int width, bool dotted) {
    p.lines.push_back({left, y, right, y, width, dotted, h_.ImaLineColour});
  };
  int y = 31;
  FontChoice head = h_.ImaHeadFont;
  for (const std::string& title : titles) {
    const std::string fitted = FitTitle(title, head);
    p.texts.push_back({31, y, head, fitted});
    y += m_.Height(head, fitted + "W") + 3;
  }
  y += 2;
  if (frames) rule(y, 3, false);
  const int frameTop = y;
  y += 5;
  for (const std::string& caption : captions) {
    DrawColumns(p, caption, y, false);
    y += m_.Height(h_.ImaItemFont, caption + "W") + 3;
  }
  y += 2;
  rule(y, 2, false);
  y += 4;
  for (const std::string& row : rows) {
    DrawColumns(p, row, y, IsTotal(row));
    y += m_.Height(h_.ImaItemFont, row + "W") + 2;
    if (frames) rule(y, 1, true);
    y += 2;
  }
  const int frameBottom = y - 2;
  rule(frameBottom, 3, false);
  if (frames) {
    for (size_t i = 0; i < x_.size(); ++i) {
      const bool outer = i == 0 || i + 1 == x_.size();
      const int x = i + 1 == x_.size() ? x_[i] + 2 : x_[i];
      p.lines.push_back({x, frameTop, x, frameBottom, outer ? 3 : 1, false, h_.ImaLineColour});
    }
  }
  p.height = frameBottom + 2 + 16;
  return p;
}

int ImaLayout::RowsPerPicture(int headingHeight) const {
  const int row = m_.Height(h_.ImaItemFont, "W") + 4;
  return std::max(1, (kMaxPictureHeight - headingHeight - 40) / std::max(row, 1));
}

std::vector<PagePicture> ImaLayout::Page(const std::vector<std::string>& buffer, bool frames,
                                         bool* tooTall) const {
  const size_t t = std::min(buffer.size(), static_cast<size_t>(std::max(h_.ImaTopLines, 0)));
  const size_t h = std::min(buffer.size(), t + static_cast<size_t>(std::max(h_.ImaCaptionLines, 0)));
  const std::vector<std::string> titles(buffer.begin(), buffer.begin() + static_cast<long>(t));
  const std::vector<std::string> captions(buffer.begin() + static_cast<long>(t),
                                          buffer.begin() + static_cast<long>(h));
  const PagePicture heading = Draw(titles, captions, {}, frames);
  const size_t per = static_cast<size_t>(RowsPerPicture(heading.height));
  std::vector<PagePicture> pictures;
  size_t at = h;
  do {
    const size_t end = std::min(buffer.size(), at + per);
    pictures.push_back(Draw(titles, captions,
                            std::vector<std::string>(buffer.begin() + static_cast<long>(at),
                                                     buffer.begin() + static_cast<long>(end)),
                            frames));
    at = end;
  } while (at < buffer.size());
  if (tooTall != nullptr) *tooTall = pictures.size() > 1 || pictures.front().height > PlannedHeight();
  return pictures;
}

PagePicture TextPicture(TextMetrics& metrics, const FontChoice& font, int width,
                        const std::vector<std::string>& lines, size_t from, size_t to) {
  PagePicture p;
  p.width = width;
  int y = 31;
  for (size_t i = from; i < to && i < lines.size(); ++i) {
    if (!lines[i].empty()) p.texts.push_back({31, y, font, lines[i]});
    y += metrics.Height(font, lines[i] + "X") + 2;
  }
  p.height = y + 62;
  return p;
}

namespace {

std::optional<std::vector<std::string>> ReportLines(Env& env, std::string_view file) {
  int io = kIoOk;
  auto bytes = env.fs.ReadWhole(file, &io);
  if (!bytes) {
    ErrorBox(env, UnreadableFileText(file, io));
    return std::nullopt;
  }
  return SplitLines(*bytes);
}

void Report(const ProgressSink& progress, size_t done, size_t count) {
  if (progress) progress(std::min(100, static_cast<int>(std::lround((done * 100.0 + 100) / std::max<size_t>(count, 1)))));
}

}  // namespace

int BuildImaPictures(Env& env, TextMetrics& metrics, const ImaHandOver& handOver,
                     const std::vector<char>& types, bool frames, const PictureSink& sink,
                     const ProgressSink& progress) {
  auto lines = ReportLines(env, handOver.ImaFile);
  if (!lines) return 0;
  ImaLayout layout(metrics, handOver, types);
  layout.Measure(*lines);
  const size_t heading = static_cast<size_t>(std::max(handOver.ImaTopLines, 0) +
                                             std::max(handOver.ImaCaptionLines, 0));
  const auto pages = SplitPages(*lines);
  int pictures = 0;
  for (size_t p = 0; p < pages.size(); ++p) {
    std::vector<std::string> buffer;
    for (const std::string& line : pages[p]) {
      if (line.empty() && buffer.size() <= heading) continue;
      buffer.push_back(line + "    ");
    }
    bool tooTall = false;
    for (const PagePicture& picture : layout.Page(buffer, frames, &tooTall)) {
      if (!sink(picture, ++pictures)) return 0;
    }
    if (tooTall) ErrorBox(env, kPageTooShort, "Strana:" + IntTextZero(static_cast<int64_t>(p + 1), 7));
    Report(progress, p, pages.size());
    env.ui.ProcessEvents();
  }
  return pictures;
}

int BuildTextPictures(Env& env, TextMetrics& metrics, std::string_view reportFile,
                      const FontChoice& font, const PictureSink& sink, const ProgressSink& progress) {
  auto lines = ReportLines(env, reportFile);
  if (!lines) return 0;
  if (lines->empty()) {
    InfoBox(env, kReportEmpty);
    return 0;
  }
  int widest = 0;
  for (const std::string& line : *lines) {
    if (!IsPageBoundary(line)) widest = std::max(widest, metrics.Width(font, line));
  }
  const int lineHeight = metrics.Height(font, "X") + 2;
  const size_t per = static_cast<size_t>(std::max(1, (kMaxPictureHeight - 93) / std::max(lineHeight, 1)));
  const auto pages = SplitPages(*lines);
  int pictures = 0;
  for (size_t p = 0; p < pages.size(); ++p) {
    const auto& page = pages[p];
    size_t at = 0;
    do {
      const size_t end = std::min(page.size(), at + per);
      if (!sink(TextPicture(metrics, font, widest + 60, page, at, end), ++pictures)) return 0;
      at = end;
    } while (at < page.size());
    Report(progress, p, pages.size());
    env.ui.ProcessEvents();
  }
  return pictures;
}

}  // namespace orvo
