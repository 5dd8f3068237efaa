// A workbook of one worksheet written row by row (libxlsxwriter in its
// constant-memory mode, so a million rows cost no more memory than one):
// one format per column (width, number format, alignment, font), cells
// as text or numbers. The file appears only when it is complete: the
// workbook is written under a temporary name beside the target and renamed
// onto it by Finish.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/office/font_choice.h"

namespace orvo {

// The longest text a worksheet cell holds (characters).
inline constexpr int kXlsxCellChars = 32767;
// Rows and columns of a worksheet.
inline constexpr int kXlsxMaxRows = 1048576;
inline constexpr int kXlsxMaxColumns = 16384;

struct XlsxColumn {
  double width = 10;         // characters
  std::string numberFormat;  // a format code ("0.00", "00000"); empty: General
  bool alignRight = false;
};

class XlsxWriter {
 public:
  // Starts the workbook for the host path `target`; the font (name in
  // Windows-1250) is every column's. Check Ok() before writing.
  XlsxWriter(std::string target, const FontChoice& font, const std::vector<XlsxColumn>& columns);
  ~XlsxWriter();  // an unfinished workbook leaves no file behind
  XlsxWriter(const XlsxWriter&) = delete;
  XlsxWriter& operator=(const XlsxWriter&) = delete;

  bool Ok() const { return error_.empty(); }
  // Why the workbook could not be written (English, for messages).
  const std::string& Error() const { return error_; }

  // Rows are 0-based and written in ascending order. Text is UTF-8 of at
  // most kXlsxCellChars characters. A number takes the column's format; an
  // integer kept in a text column takes the whole-number format "0", so a
  // long code is not shown in exponent form.
  void Text(int row, int col, std::string_view utf8);
  void Number(int row, int col, double value);
  void IntegerText(int row, int col, double value);

  // Closes the workbook and renames it onto the target; false (and Error)
  // when anything failed on the way.
  bool Finish();

 private:
  struct Book;
  void Fail(std::string why);

  std::string target_;
  std::string temporary_;
  std::unique_ptr<Book> book_;
  std::string error_;
};

}  // namespace orvo
