// The graphic reports without painting: a paged report laid out as page
// pictures - positions of texts and frame lines in pixels - over a
// measuring port that gives text widths and heights. TIma lays out the
// dataset browser's report by its columns (measured column edges, a
// heading font for the titles fitted to the width, an item font for the
// captions and rows, numeric columns aligned right, frame lines); TTxIma
// lays out any report line by line in one font. A picture is never taller
// than a JPEG can be: a taller page is split into several pictures.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/office/font_choice.h"
#include "core/sys/env.h"

namespace orvo {

inline constexpr std::string_view kImaCaption = "  Vytvoreni sestavy v grafickem rezimu ";
inline constexpr std::string_view kTxImaCaption = " Prevedeni textove sestavy do grafickeho rezimu ";
inline constexpr std::string_view kPageTooShort = "Vyska strany je mensi nez vyska vlozeneho textu !";
inline constexpr std::string_view kReportEmpty = "Sestava je prazdna !";
inline constexpr std::string_view kNoGraphicFormat = "Sestavu nelze prevest do grafickeho formatu !";
// Pictures stay below the 65,500 pixels a JPEG can hold.
inline constexpr int kMaxPictureHeight = 65000;

// Text sizes in pixels on the picture.
class TextMetrics {
 public:
  virtual ~TextMetrics() = default;
  virtual int Width(const FontChoice& font, std::string_view cp1250) = 0;
  virtual int Height(const FontChoice& font, std::string_view cp1250) = 0;
};

struct PictureText {
  int x = 0;
  int y = 0;  // top of the text
  FontChoice font;
  std::string text;  // Windows-1250
  bool operator==(const PictureText&) const = default;
};

struct PictureLine {
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  int width = 1;
  bool dotted = false;
  int32_t color = 0;  // 0x00BBGGRR
  bool operator==(const PictureLine&) const = default;
};

// One picture on white.
struct PagePicture {
  int width = 0;
  int height = 0;
  std::vector<PictureText> texts;
  std::vector<PictureLine> lines;
};

// The hand-over of TIma.
struct ImaHandOver {
  std::string ImaFile;
  std::string ImaDef;
  int ImaTopLines = 1;
  int ImaCaptionLines = 1;
  std::vector<int> ImaColStart;
  std::vector<int> ImaColWidth;
  FontChoice ImaHeadFont;
  FontChoice ImaItemFont;
  int32_t ImaLineColour = 0xFF0000;  // blue
  int ImaPageRows = 80;
  bool ImaFrames = true;
};

// TIma's layout of the report's pages.
class ImaLayout {
 public:
  // `types`: the first letter of each column's type ("N" and "L" align right).
  ImaLayout(TextMetrics& metrics, const ImaHandOver& handOver, std::vector<char> types);

  // The column edges from the widest text of each column in the report.
  void Measure(const std::vector<std::string>& reportLines);
  const std::vector<int>& Edges() const { return x_; }
  int PictureWidth() const { return x_.back() + 32; }
  int TitleLimit() const { return x_.back() - 26; }
  int PlannedHeight() const;
  // A title line fitted to the limit; `font` may become "Small Fonts" 7, 6
  // or 5 and stays so for the page's further titles.
  std::string FitTitle(std::string_view line, FontChoice& font) const;
  // The pictures of one page's buffered lines (more than one only when the
  // page is taller than a picture can be). `tooTall`: taller than planned.
  std::vector<PagePicture> Page(const std::vector<std::string>& buffer, bool frames, bool* tooTall) const;

 private:
  int RowsPerPicture(int headingHeight) const;
  PagePicture Draw(const std::vector<std::string>& titles, const std::vector<std::string>& captions,
                   const std::vector<std::string>& rows, bool frames) const;
  void DrawColumns(PagePicture& p, std::string_view line, int y, bool total) const;

  TextMetrics& m_;
  const ImaHandOver& h_;
  std::vector<char> types_;
  std::vector<int> x_;
};

// TTxIma's picture of lines [from, to) of a report in one font.
PagePicture TextPicture(TextMetrics& metrics, const FontChoice& font, int width,
                        const std::vector<std::string>& lines, size_t from, size_t to);

// Receives each picture and its number (1, 2, ...); false stops the build.
using PictureSink = std::function<bool(const PagePicture&, int)>;
// Receives the progress 0..100.
using ProgressSink = std::function<void(int)>;

// Builds TIma's pictures of the report: pages as the framed report cuts
// them (four blanks appended to each kept line), a message for each page
// taller than planned. The number of pictures; 0 after a message when the
// report cannot be read or a picture was refused.
int BuildImaPictures(Env& env, TextMetrics& metrics, const ImaHandOver& handOver,
                     const std::vector<char>& types, bool frames, const PictureSink& sink,
                     const ProgressSink& progress = {});
// Builds TTxIma's pictures: every line kept unchanged, the width from the
// widest line. "Sestava je prazdna !" for an empty report (0).
int BuildTextPictures(Env& env, TextMetrics& metrics, std::string_view reportFile,
                      const FontChoice& font, const PictureSink& sink, const ProgressSink& progress = {});

enum class GraphicKind { Ima, TxIma };
// C:\A_Run\Sestavy\I_<base>_nnnn.Jpg (TIma) or ...\T_I_<base>_nnnn.Jpg
// (TTxIma); base is the report's name up to its first ".".
std::string PictureFile(GraphicKind kind, std::string_view reportFile, int n);
// The work picture of the page shown or edited: C:\A_Run\Work\I_<base>.Bmp
// or ...\T_I_<base>.Bmp.
std::string WorkPicture(GraphicKind kind, std::string_view reportFile);
// TTxIma's planned page: 31 + rows lines + 62 pixels.
int PlannedTextHeight(TextMetrics& metrics, const FontChoice& font, int rows);

// The pages of a report's lines: a line holding a form feed ends a page
// and is dropped; a report ending with one has no further (empty) page.
std::vector<std::vector<std::string>> SplitPages(const std::vector<std::string>& lines);

}  // namespace orvo
