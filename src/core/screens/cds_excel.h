// TCdsExcel: a table into a spreadsheet workbook ("  Excel" of the dataset
// browser, `orvo-batch xlsx`, and any caller that has a dataset and its
// definition). One worksheet column per field, as wide as the field (or
// its name) plus 3, in the report font, with a number format and an
// alignment from the definition's type and check code; the field names in
// row 1, the records from row 3. Values are typed so that nothing is lost:
// numbers of number fields become numbers, codes keep their leading zeros,
// and a text field made of digits becomes a number only when it has no
// leading zero and at most 15 digits.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/data/dataset.h"
#include "core/data/definition.h"
#include "core/office/font_choice.h"
#include "core/office/office_port.h"
#include "core/office/xlsx_writer.h"
#include "core/sys/env.h"

namespace orvo {

inline constexpr int kExcelMaxRecords = 1048570;
inline constexpr std::string_view kExcelTooManyRows =
    "Tabulka ma priliz mnoho radku ! Operaci nelze provest.";
inline constexpr std::string_view kExcelUnavailable = "Aplikace Microsoft Excel neni dostupna !";
inline constexpr std::string_view kExcelSavedText = "Tabulka byla ulozena do souboru:\r\r";

// How one column is written: its worksheet format and the kind of its values.
enum class ExcelValueKind {
  Text,    // as it is; digits without a leading zero (at most 15) as a whole number
  Number,  // the first "," becomes ".", blanks go; a number when it reads as one
  Code,    // digits (at most 15) as a number shown with the field's leading zeros
  Quoted,  // check code "U": a non-blank value trimmed in double quotes
};

struct ExcelColumn {
  std::string name;  // the trimmed field name (Windows-1250)
  XlsxColumn format;
  ExcelValueKind kind = ExcelValueKind::Text;
};

// The columns of a table with its definition (the table's field i is the
// definition's word i + 1).
std::vector<ExcelColumn> ExcelColumns(const Dataset& table, const LoadedDef& def);

// A worksheet cell as it is written: a number (with the whole-number
// format when `integerText`), a text, or nothing for an empty value.
struct ExcelCell {
  enum class Kind { Empty, Number, IntegerText, Text } kind = Kind::Empty;
  double number = 0;
  std::string text;  // Windows-1250
};
ExcelCell ExcelCellOf(const ExcelColumn& column, std::string_view value);

struct ExcelOutcome {
  bool written = false;
  int cutCells = 0;  // texts longer than a cell holds, cut to kXlsxCellChars
};

// Writes the open `table` with its definition into the workbook `hostTarget`
// (complete or not at all). `tableName` and `defName` name them in the
// messages: the record limit, a table that does not match its definition
// (the report generator's checks and texts), a workbook that cannot be
// written (naming the file).
ExcelOutcome XlsxFromDataset(Env& env, const Dataset& table, const LoadedDef& def,
                             std::string_view tableName, std::string_view defName,
                             const FontChoice& font, const std::string& hostTarget);

// ExDbToXlsF for the browser: the workbook is kept in the user's documents
// as X_<table>.xlsx and opened with the spreadsheet application; without
// one, the file stays and its path is shown. The host path of the
// workbook, or nothing when none was written.
std::optional<std::string> ExDbToXlsF(Env& env, const Dataset& table, const LoadedDef& def,
                                      std::string_view tableName, std::string_view defName,
                                      const FontChoice& font, Office& office);

}  // namespace orvo
