#include "core/output/framed_report.h"

#include <cmath>

#include "core/data/cds_file.h"
#include "core/office/document_writers.h"
#include "core/output/rtf_page.h"
#include "core/sys/files.h"
#include "core/sys/hourglass.h"
#include "core/sys/messages.h"
#include "core/sys/numbers.h"
#include "core/sys/text.h"
#include "core/sys/text_lines.h"

namespace orvo {

namespace {

constexpr std::string_view kWorkDir = "C:\\A_Run\\Work";
constexpr std::string_view kPagesDir = "C:\\A_Run\\Sestavy";
constexpr std::string_view kParPrefix = "\\par   ";

std::string Repeat(std::string_view piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

// `count` characters from the 1-based position `from`, padded with blanks.
std::string Cell(std::string_view line, int from, int count) {
  if (count <= 0) return {};
  const size_t at = static_cast<size_t>(std::max(from, 1) - 1);
  std::string cell = at < line.size() ? std::string(line.substr(at, static_cast<size_t>(count))) : "";
  cell.resize(static_cast<size_t>(count), ' ');
  return cell;
}

}  // namespace

const std::array<std::string, 40>& BoxChars() {
  static const std::array<std::string, 40> table = [] {
    const int firstEleven[11] = {0x2500, 0x2502, 0x250C, 0x2510, 0x2514, 0x2518,
                                 0x251C, 0x2524, 0x252C, 0x2534, 0x253C};
    std::array<std::string, 40> t;
    for (int i = 0; i < 40; ++i) {
      const int cp = i < 11 ? firstEleven[i] : 0x2550 + (i - 11);
      t[static_cast<size_t>(i)] = "\\u" + std::to_string(cp) + "?";
    }
    return t;
  }();
  return table;
}

int FramedLayout::PageWidth() const {
  int w = 2;
  for (int x : width) w += x + 1;
  return w;
}

namespace {

std::string Entry(bool frames, int i) { return frames ? BoxChars()[static_cast<size_t>(i)] : " "; }

}  // namespace

std::string FramedLayout::BoxedLine(std::string_view line) const {
  const std::string v = Entry(frames, 1);
  if (start.empty()) return v + RtfEscaped(line);
  const int end = start.back() + width.back();
  std::string padded(line);
  if (padded.size() < static_cast<size_t>(end + 1)) padded.resize(static_cast<size_t>(end + 1), ' ');
  std::string out = v;
  for (size_t i = 0; i < start.size(); ++i) out += RtfEscaped(Cell(padded, start[i], width[i])) + v;
  out += RtfEscaped(std::string_view(padded).substr(static_cast<size_t>(end - 1)));
  return out;
}

namespace {

std::string Border(const FramedLayout& l, int left, int between, int right) {
  std::string out = Entry(l.frames, left);
  for (size_t i = 0; i < l.width.size(); ++i) {
    out += Repeat(Entry(l.frames, 0), l.width[i]);
    out += Entry(l.frames, i + 1 == l.width.size() ? right : between);
  }
  return out;
}

// With frames off: a plain rule under the column text, from the first
// cell's first character to the last cell's last.
std::string Rule(const FramedLayout& l) {
  int count = -1;
  for (int w : l.width) count += w + 1;
  return " " + Repeat(BoxChars()[0], std::max(count, 0));
}

}  // namespace

std::string FramedLayout::TopBorder() const { return Border(*this, 2, 8, 3); }

std::string FramedLayout::Separator() const { return frames ? Border(*this, 6, 10, 7) : Rule(*this); }

std::string FramedLayout::BottomBorder() const { return frames ? Border(*this, 4, 9, 5) : Rule(*this); }

std::string AdjustToWidth(std::string line, int width) {
  int d = width - static_cast<int>(line.size());
  while (d < 0) {
    size_t at = std::string::npos;
    for (std::string_view run : {"    ", "   ", "  "}) {
      at = line.find(run);
      if (at != std::string::npos) break;
    }
    if (at == std::string::npos) break;
    line.erase(at, 1);
    ++d;
  }
  if (d > 0) {
    for (std::string_view run : {"     ", "    ", "   "}) {
      const size_t at = line.find(run);
      if (at != std::string::npos) {
        line.insert(at, static_cast<size_t>(d), ' ');
        break;
      }
    }
  }
  return line;
}

std::string FramedLayout::PageFile(const FontChoice& font, const std::vector<std::string>& buffer) const {
  std::string out = RtfPageHeader(font);
  auto par = [&](const std::string& piece) {
    out += kParPrefix;
    out += piece;
    out += "\r\n";
  };
  const size_t t = std::min(buffer.size(), static_cast<size_t>(std::max(topLines, 0)));
  const size_t h = std::min(buffer.size(), t + static_cast<size_t>(std::max(captionLines, 0)));
  const int w = PageWidth();
  for (size_t i = 0; i < t; ++i) par(RtfEscaped(AdjustToWidth(frames ? buffer[i] : " " + buffer[i], w)));
  par(TopBorder());
  for (size_t i = t; i < h; ++i) par(BoxedLine(buffer[i]));
  par(Separator());
  for (size_t i = h; i < buffer.size(); ++i) par(BoxedLine(buffer[i]));
  par(BottomBorder());
  out += "\\par }\r\n";
  return out;
}

RamModel::RamModel(Env& env, RamHandOver& handOver, const FontChoice& reportFont)
    : env_(env), handOver_(handOver), font_(reportFont),
      fields_(env, [this](int page) { return env_.fs.FileExists(PageFile(page)); }) {}

bool RamModel::Open() {
  fields_.Reset();
  frames_ = handOver_.RamFrames;
  return !handOver_.RamFile.empty() && env_.fs.FileExists(handOver_.RamFile);
}

void RamModel::Close() {
  env_.fs.Remove(WorkFile());
  for (int p = 1; env_.fs.FileExists(PageFile(p)); ++p) env_.fs.Remove(PageFile(p));
  handOver_.RamFrames = true;
  frames_ = true;
  fields_.Reset();
}

std::string RamModel::Base() const { return BaseName(handOver_.RamFile); }

std::string RamModel::WorkFile() const { return std::string(kWorkDir) + "\\R_" + Base() + ".Rtf"; }

std::string RamModel::PageFile(int page) const {
  return std::string(kPagesDir) + "\\R_" + Base() + "_" + IntTextPadded(page, 4) + ".Rtf";
}

FramedLayout RamModel::Layout() const {
  FramedLayout l;
  l.topLines = handOver_.RamTopLines;
  l.captionLines = handOver_.RamCaptionLines;
  l.start = handOver_.RamColStart;
  l.width = handOver_.RamColWidth;
  l.width.resize(l.start.size(), 1);
  l.frames = frames_;
  return l;
}

int RamModel::Build(const std::function<void(int)>& progress) {
  Hourglass hourglass(env_);
  int io = kIoOk;
  auto bytes = env_.fs.ReadWhole(handOver_.RamFile, &io);
  if (!bytes) {
    ErrorBox(env_, UnreadableFileText(handOver_.RamFile, io));
    return 0;
  }
  // Pages of an earlier build that this one does not reach must not stay.
  for (int p = 1; env_.fs.FileExists(PageFile(p)); ++p) env_.fs.Remove(PageFile(p));
  fields_.Reset();
  if (int rc = env_.fs.WriteWhole(WorkFile(), RtfPageHeader(font_)); rc != kIoOk) {
    ErrorBox(env_, UnwritableFileText(WorkFile(), rc));
    return 0;
  }
  const std::vector<std::string> lines = SplitLines(*bytes);
  const FramedLayout layout = Layout();
  const size_t heading = static_cast<size_t>(std::max(handOver_.RamTopLines, 0) +
                                             std::max(handOver_.RamCaptionLines, 0));
  std::vector<std::string> buffer;
  int pages = 0;
  auto writePage = [&]() {
    ++pages;
    const int rc = env_.fs.WriteWhole(PageFile(pages), layout.PageFile(font_, buffer));
    if (rc != kIoOk) ErrorBox(env_, UnwritableFileText(PageFile(pages), rc));
    buffer.clear();
    return rc == kIoOk;
  };
  for (size_t n = 0; n < lines.size(); ++n) {
    const std::string& line = lines[n];
    if (IsPageBoundary(line)) {
      if (!writePage()) return 0;
      if (progress) progress(static_cast<int>(std::lround((n + 1) * 100.0 / lines.size())));
      env_.ui.ProcessEvents();
      continue;
    }
    if (line.empty() && buffer.size() <= heading) continue;
    buffer.push_back(line + "  ");
  }
  // A report that ends with a boundary has no further page.
  if ((!buffer.empty() || pages == 0) && !writePage()) return 0;
  if (progress) progress(100);
  fields_.Built(pages);
  return pages;
}

std::optional<std::vector<std::string>> RamModel::LoadPage(int page) {
  fields_.SetPage(page);
  int io = kIoOk;
  auto bytes = env_.fs.ReadWhole(PageFile(page), &io);
  if (!bytes) return std::nullopt;
  return RtfParagraphs(*bytes);
}

bool RamModel::Highlighted(int line) const {
  const int n = line + 1;
  const int t = handOver_.RamTopLines;
  const int c = handOver_.RamCaptionLines;
  return n <= t + 2 || (!frames_ && n >= t + 4 && n <= t + c + 3);
}

bool RamModel::HighlightBold() const { return font_.name != "Lucida Console"; }

bool RamModel::SavePage(int page, const std::vector<std::string>& paragraphs) {
  const int rc = env_.fs.WriteWhole(PageFile(page), RtfPageFromParagraphs(font_, paragraphs));
  if (rc != kIoOk) ErrorBox(env_, UnwritableFileText(PageFile(page), rc));
  return rc == kIoOk;
}

bool RamModel::SaveWork(const std::vector<std::string>& paragraphs) {
  const int rc = env_.fs.WriteWhole(WorkFile(), RtfPageFromParagraphs(font_, paragraphs));
  if (rc != kIoOk) ErrorBox(env_, UnwritableFileText(WorkFile(), rc));
  return rc == kIoOk;
}

}  // namespace orvo
