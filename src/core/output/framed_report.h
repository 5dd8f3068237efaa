// TRam without its widgets: a paged report whose column layout is known,
// turned into rich-text pages R_<base>_nnnn.Rtf where the captions and
// rows stand in a box of line-drawing characters with a line between the
// columns (or, with frames off, in their columns with a rule under the
// captions and under the rows). The model builds the pages, pages
// through them with the "Str1:" and "Str2:" fields, loads a page as
// paragraphs for the editor, saves corrections back into it, tells which
// lines are shown highlighted, and removes the files when closed.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/office/font_choice.h"
#include "core/output/page_fields.h"
#include "core/sys/env.h"

namespace orvo {

inline constexpr std::string_view kRamCaption = "  Vytvoreni sestavy ohranicene ramecky";
inline constexpr std::string_view kRamNotFixedPitch = "Pouzit lze pouze font se stejnou sirkou vsech znaku !";

// The hand-over values of the window.
struct RamHandOver {
  std::string RamFile;
  int RamTopLines = 1;      // T: lines above the box
  int RamCaptionLines = 1;  // C: caption lines, the first rows of the box
  std::vector<int> RamColStart;  // 1-based character position of each column
  std::vector<int> RamColWidth;  // characters of each column's cell
  bool RamFrames = true;
};

// The rich-text escapes of the box-drawing characters: 0 horizontal, 1
// vertical, 2-5 corners (top-left, top-right, bottom-left, bottom-right),
// 6-7 T-pieces opening right and left, 8-9 T-pieces down and up, 10 the
// cross, 11-39 the double-line set.
const std::array<std::string, 40>& BoxChars();

// The page's lines (Windows-1250, without their "\par" prefix) as pieces
// of rich text: T top lines, top border, C boxed captions, separator,
// boxed rows, bottom border.
struct FramedLayout {
  int topLines = 1;
  int captionLines = 1;
  std::vector<int> start;
  std::vector<int> width;
  bool frames = true;

  int PageWidth() const;  // W = 2 + the sum of (width + 1)
  std::string BoxedLine(std::string_view line) const;
  std::string TopBorder() const;
  std::string Separator() const;
  std::string BottomBorder() const;
  // The whole page file for the buffered lines (two blanks appended to
  // each already).
  std::string PageFile(const FontChoice& font, const std::vector<std::string>& buffer) const;
};

// A top line brought to the width: blanks taken from the first run of
// four (else three, else two) blanks, or added at the first run of five
// (else four, else three); never cut.
std::string AdjustToWidth(std::string line, int width);

class RamModel {
 public:
  RamModel(Env& env, RamHandOver& handOver, const FontChoice& reportFont);
  RamModel(const RamModel&) = delete;
  RamModel& operator=(const RamModel&) = delete;

  // False (the window stays empty) when the report file does not exist.
  bool Open();
  // Deletes the work file and the page files; "Ramecky" is on again.
  void Close();

  // The base name, work file and page file names.
  std::string Base() const;
  std::string WorkFile() const;          // C:\A_Run\Work\R_<base>.Rtf
  std::string PageFile(int page) const;  // C:\A_Run\Sestavy\R_<base>_0001.Rtf

  bool Frames() const { return frames_; }
  void SetFrames(bool on) { frames_ = on; }
  FontChoice& Font() { return font_; }
  const FontChoice& Font() const { return font_; }

  // "Vytvoreni sestavy": the page files from the report; `progress` gets
  // 0..100. The number of pages; 0 after a message when the report cannot
  // be read or a page cannot be written.
  int Build(const std::function<void(int)>& progress = {});
  int PageCount() const { return fields_.Count(); }
  int Page() const { return fields_.Page(); }

  // "Str1:", "Str2:" and the page moves over the page files.
  PageFields& Fields() { return fields_; }
  std::string& Str1() { return fields_.Str1(); }
  std::string& Str2() { return fields_.Str2(); }
  std::optional<int> First() { return fields_.First(); }
  std::optional<int> Prior() { return fields_.Prior(); }
  std::optional<int> Next() { return fields_.Next(); }
  std::optional<int> Last() { return fields_.Last(); }
  std::optional<int> ShowStr1() { return fields_.ShowStr1(); }
  bool LeaveStr1() { return fields_.LeaveStr1(); }
  bool LeaveStr2() { return fields_.LeaveStr2(); }
  // The pages "Tisk stranek Str1 az Str2" prints.
  std::vector<int> PrintRange() const { return fields_.PrintRange(); }

  // The page as the editor shows it (UTF-8 paragraphs); nothing when its
  // file is missing or unreadable. The page becomes the current one.
  std::optional<std::vector<std::string>> LoadPage(int page);
  // Shown in colour 128 and, unless the font is "Lucida Console", bold:
  // the two empty lines and the top lines, and with frames off the
  // caption lines. `line` is the 0-based paragraph.
  bool Highlighted(int line) const;
  bool HighlightBold() const;
  // Corrections of the page saved into its file; the current page into the
  // work file for printing. False after a message naming the file.
  bool SavePage(int page, const std::vector<std::string>& paragraphs);
  bool SaveWork(const std::vector<std::string>& paragraphs);

 private:
  FramedLayout Layout() const;

  Env& env_;
  RamHandOver& handOver_;
  FontChoice font_;
  bool frames_ = true;
  PageFields fields_;
};

}  // namespace orvo
