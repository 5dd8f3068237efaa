#include "core/office/xlsx_writer.h"

#include <xlsxwriter.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "core/sys/encoding.h"

namespace orvo {

struct XlsxWriter::Book {
  lxw_workbook* workbook = nullptr;
  lxw_worksheet* sheet = nullptr;
  std::vector<lxw_format*> formats;         // one a column
  std::vector<lxw_format*> integerFormats;  // the same with the format "0"
};

namespace {

lxw_format* ColumnFormat(lxw_workbook* workbook, const FontChoice& font, const std::string& fontName,
                         const XlsxColumn& column, const std::string& numberFormat) {
  lxw_format* f = workbook_add_format(workbook);
  format_set_font_name(f, fontName.c_str());
  format_set_font_size(f, font.size > 0 ? font.size : 10);
  const Rgb rgb = RgbOf(font.color);
  format_set_font_color(f, static_cast<lxw_color_t>((rgb.red << 16) | (rgb.green << 8) | rgb.blue));
  if (font.bold) format_set_bold(f);
  if (font.italic) format_set_italic(f);
  if (font.underline) format_set_underline(f, LXW_UNDERLINE_SINGLE);
  if (font.strikeOut) format_set_font_strikeout(f);
  if (!numberFormat.empty()) format_set_num_format(f, numberFormat.c_str());
  format_set_align(f, column.alignRight ? LXW_ALIGN_RIGHT : LXW_ALIGN_LEFT);
  return f;
}

}  // namespace

XlsxWriter::XlsxWriter(std::string target, const FontChoice& font,
                       const std::vector<XlsxColumn>& columns)
    : target_(std::move(target)), book_(std::make_unique<Book>()) {
  if (columns.empty() || columns.size() > static_cast<size_t>(kXlsxMaxColumns)) {
    Fail("a worksheet takes 1 to 16384 columns");
    return;
  }
  const std::filesystem::path path(target_);
  temporary_ = (path.parent_path() / ("." + path.filename().string() + ".part")).string();
  lxw_workbook_options options{};
  options.constant_memory = LXW_TRUE;
  book_->workbook = workbook_new_opt(temporary_.c_str(), &options);
  if (book_->workbook == nullptr) {
    Fail("the workbook cannot be started");
    return;
  }
  book_->sheet = workbook_add_worksheet(book_->workbook, nullptr);
  if (book_->sheet == nullptr) {
    Fail("the worksheet cannot be added");
    return;
  }
  const std::string fontName = Cp1250ToUtf8(font.name);
  for (size_t c = 0; c < columns.size(); ++c) {
    lxw_format* f = ColumnFormat(book_->workbook, font, fontName, columns[c], columns[c].numberFormat);
    book_->formats.push_back(f);
    book_->integerFormats.push_back(ColumnFormat(book_->workbook, font, fontName, columns[c], "0"));
    const auto col = static_cast<lxw_col_t>(c);
    if (worksheet_set_column(book_->sheet, col, col, columns[c].width, f) != LXW_NO_ERROR) {
      Fail("a column cannot be set up");
      return;
    }
  }
}

XlsxWriter::~XlsxWriter() {
  if (book_ && book_->workbook != nullptr) {
    // Closing is the only way to release it; the unfinished file goes.
    workbook_close(book_->workbook);
    book_->workbook = nullptr;
  }
  if (!temporary_.empty()) std::remove(temporary_.c_str());
}

void XlsxWriter::Fail(std::string why) {
  if (error_.empty()) error_ = std::move(why);
}

void XlsxWriter::Text(int row, int col, std::string_view utf8) {
  if (!Ok()) return;
  const std::string value(utf8);
  lxw_error rc = worksheet_write_string(book_->sheet, static_cast<lxw_row_t>(row),
                                        static_cast<lxw_col_t>(col), value.c_str(),
                                        book_->formats.at(static_cast<size_t>(col)));
  if (rc != LXW_NO_ERROR) Fail(std::string("a cell cannot be written: ") + lxw_strerror(rc));
}

void XlsxWriter::Number(int row, int col, double value) {
  if (!Ok()) return;
  lxw_error rc = worksheet_write_number(book_->sheet, static_cast<lxw_row_t>(row),
                                        static_cast<lxw_col_t>(col), value,
                                        book_->formats.at(static_cast<size_t>(col)));
  if (rc != LXW_NO_ERROR) Fail(std::string("a cell cannot be written: ") + lxw_strerror(rc));
}

void XlsxWriter::IntegerText(int row, int col, double value) {
  if (!Ok()) return;
  lxw_error rc = worksheet_write_number(book_->sheet, static_cast<lxw_row_t>(row),
                                        static_cast<lxw_col_t>(col), value,
                                        book_->integerFormats.at(static_cast<size_t>(col)));
  if (rc != LXW_NO_ERROR) Fail(std::string("a cell cannot be written: ") + lxw_strerror(rc));
}

bool XlsxWriter::Finish() {
  if (book_->workbook == nullptr) {
    Fail("the workbook is not open");
    return false;
  }
  lxw_error rc = workbook_close(book_->workbook);
  book_->workbook = nullptr;
  if (!Ok()) return false;
  if (rc != LXW_NO_ERROR) {
    Fail(std::string("the workbook cannot be written: ") + lxw_strerror(rc));
    return false;
  }
  std::error_code ec;
  std::filesystem::rename(temporary_, target_, ec);
  if (ec) {
    Fail("the workbook cannot be renamed into place: " + ec.message());
    return false;
  }
  temporary_.clear();
  return true;
}

}  // namespace orvo
