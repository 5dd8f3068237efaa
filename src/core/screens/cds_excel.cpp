#include "core/screens/cds_excel.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/office/user_documents.h"
#include "core/sys/encoding.h"
#include "core/sys/files.h"
#include "core/sys/hourglass.h"
#include "core/sys/messages.h"
#include "core/sys/numbers.h"
#include "core/sys/text.h"

namespace orvo {

namespace {

constexpr std::string_view kProgress = "  Probiha vypocet !   ............";
constexpr size_t kMaxExactDigits = 15;

bool IsDigitChar(char c) { return c >= '0' && c <= '9'; }

int DigitOf(char c) { return IsDigitChar(c) ? c - '0' : -1; }

// Decimals of a number column: the check code's digit, else the type's.
int NumberDecimals(const DefWord& w) {
  if (DigitOf(w.SP) >= 0) return DigitOf(w.SP);
  return w.TMS.size() >= 2 && DigitOf(w.TMS[1]) >= 0 ? DigitOf(w.TMS[1]) : 0;
}

std::optional<double> ReadNumber(std::string_view value) {
  std::string s(value);
  if (auto comma = s.find(','); comma != std::string::npos) s[comma] = '.';
  s = RemoveBlanks(s);
  if (s.empty()) return std::nullopt;
  char* end = nullptr;
  const double v = std::strtod(s.c_str(), &end);
  if (end != s.c_str() + s.size() || !std::isfinite(v)) return std::nullopt;
  return v;
}

bool FitsExactly(std::string_view digits) {
  return !digits.empty() && digits.size() <= kMaxExactDigits && IsDigits(digits);
}

class ProgressShown {
 public:
  explicit ProgressShown(Env& env) : env_(env), hourglass_(env) { env_.ui.ShowProgress(kProgress); }
  ~ProgressShown() { env_.ui.HideProgress(); }
  ProgressShown(const ProgressShown&) = delete;
  ProgressShown& operator=(const ProgressShown&) = delete;

 private:
  Env& env_;
  Hourglass hourglass_;
};

bool MatchesDefinition(Env& env, const Dataset& table, const LoadedDef& def,
                       std::string_view tableName, std::string_view defName) {
  auto mismatch = [&](int have, int want, std::string_view text) {
    ErrorBox(env, std::string(tableName) + ":" + IntTextZero(have, 6) + "\r" + std::string(defName) +
                      ":" + IntTextZero(want, 6) + "\r\r" + std::string(text));
    return false;
  };
  if (table.FieldCount() != def.PSl) {
    return mismatch(table.FieldCount(), def.PSl,
                    "Skutecny pocet slov vety se nerovna poctu slov vypocitanemu !");
  }
  if (!def.HasMemo) {
    const int length = table.RecordSize() - 2 * table.FieldCount();
    if (length != def.RecLen) {
      return mismatch(length, def.RecLen, "Skutecna delka vety se nerovna delce vety vypoctene !");
    }
  }
  return true;
}

}  // namespace

std::vector<ExcelColumn> ExcelColumns(const Dataset& table, const LoadedDef& def) {
  std::vector<ExcelColumn> columns;
  for (int f = 0; f < table.FieldCount(); ++f) {
    const FieldDef& field = table.Field(f);
    const DefWord* word = f < static_cast<int>(def.words.size()) ? &def.words[static_cast<size_t>(f)] : nullptr;
    const std::string tms = word != nullptr ? word->TMS : "";
    const char sp = word != nullptr ? word->SP : ' ';
    const int size = field.size > 0 ? field.size : (word != nullptr ? word->TD : 0);
    ExcelColumn c;
    c.name = Trim(field.name);
    c.format.width = std::max<int>(size, static_cast<int>(c.name.size())) + 3;
    c.format.alignRight = !tms.empty() && (tms[0] == 'N' || tms[0] == 'L');
    const bool number = (!tms.empty() && tms[0] == 'N') || DigitOf(sp) >= 0;
    if (tms == "LN" || tms == "PN" || tms == "R2") {
      // The field's size, not the column's width, so that "05" stays "05".
      c.kind = ExcelValueKind::Code;
      c.format.numberFormat = std::string(static_cast<size_t>(std::clamp(size, 1, 15)), '0');
    }
    if (number && word != nullptr) {
      c.kind = ExcelValueKind::Number;
      const int d = NumberDecimals(*word);
      // A format code, not a localised picture: the spreadsheet shows
      // the decimal separator of its own locale.
      c.format.numberFormat = d > 0 ? "0." + std::string(static_cast<size_t>(d), '0') : "0";
    }
    if (c.kind == ExcelValueKind::Text && sp == 'U') c.kind = ExcelValueKind::Quoted;
    columns.push_back(std::move(c));
  }
  return columns;
}

ExcelCell ExcelCellOf(const ExcelColumn& column, std::string_view value) {
  ExcelCell cell;
  if (value.empty()) return cell;
  switch (column.kind) {
    case ExcelValueKind::Number:
      if (auto v = ReadNumber(value)) {
        cell.kind = ExcelCell::Kind::Number;
        cell.number = *v;
        return cell;
      }
      if (AllBlanks(value)) return cell;
      break;
    case ExcelValueKind::Code: {
      const std::string digits = Trim(value);
      if (FitsExactly(digits)) {
        cell.kind = ExcelCell::Kind::Number;
        cell.number = std::strtod(digits.c_str(), nullptr);
        return cell;
      }
      break;
    }
    case ExcelValueKind::Quoted:
      if (!AllBlanks(value)) {
        cell.kind = ExcelCell::Kind::Text;
        cell.text = "\"" + Trim(value) + "\"";
        return cell;
      }
      break;
    case ExcelValueKind::Text: {
      const std::string digits = Trim(value);
      if (FitsExactly(digits) && (digits[0] != '0' || digits.size() == 1)) {
        cell.kind = ExcelCell::Kind::IntegerText;
        cell.number = std::strtod(digits.c_str(), nullptr);
        return cell;
      }
      break;
    }
  }
  // Fields are padded with blanks to their size; a spreadsheet cell ends
  // with its last character.
  cell.text = TrimRight(value);
  if (!cell.text.empty()) cell.kind = ExcelCell::Kind::Text;
  return cell;
}

ExcelOutcome XlsxFromDataset(Env& env, const Dataset& table, const LoadedDef& def,
                             std::string_view tableName, std::string_view defName,
                             const FontChoice& font, const std::string& hostTarget) {
  ExcelOutcome outcome;
  const int count = table.RecordCount();
  if (count >= kExcelMaxRecords) {
    InfoBox(env, kExcelTooManyRows,
            "Pocet radku tabulky " + std::string(tableName) + ":" + IntTextZero(count, 10));
    return outcome;
  }
  if (!MatchesDefinition(env, table, def, tableName, defName)) return outcome;
  const std::vector<ExcelColumn> columns = ExcelColumns(table, def);
  if (columns.size() > static_cast<size_t>(kXlsxMaxColumns)) {
    ErrorBox(env, std::string(tableName) + "\r\rTabulka ma priliz mnoho sloupcu ! Operaci nelze provest.");
    return outcome;
  }
  ProgressShown progress(env);
  std::vector<XlsxColumn> formats;
  for (const ExcelColumn& c : columns) formats.push_back(c.format);
  XlsxWriter writer(hostTarget, font, formats);
  for (size_t c = 0; c < columns.size(); ++c) {
    writer.Text(0, static_cast<int>(c), Cp1250ToUtf8(columns[c].name));
  }
  for (int r = 0; r < count && writer.Ok(); ++r) {
    for (size_t c = 0; c < columns.size(); ++c) {
      const int col = static_cast<int>(c);
      ExcelCell cell = ExcelCellOf(columns[c], table.StringAt(r, col));
      switch (cell.kind) {
        case ExcelCell::Kind::Empty: break;
        case ExcelCell::Kind::Number: writer.Number(r + 2, col, cell.number); break;
        case ExcelCell::Kind::IntegerText: writer.IntegerText(r + 2, col, cell.number); break;
        case ExcelCell::Kind::Text:
          if (cell.text.size() > static_cast<size_t>(kXlsxCellChars)) {
            cell.text.resize(static_cast<size_t>(kXlsxCellChars));
            ++outcome.cutCells;
          }
          writer.Text(r + 2, col, Cp1250ToUtf8(cell.text));
          break;
      }
    }
    if ((r & 0xFFFF) == 0xFFFF) env.ui.ProcessEvents();
  }
  if (!writer.Finish()) {
    ErrorBox(env, "Soubor:\r\r\"" + Utf8ToCp1250(hostTarget) + "\"\r\r     - nelze zapsat !\r\r" +
                      writer.Error());
    return outcome;
  }
  outcome.written = true;
  if (outcome.cutCells > 0) {
    InfoBox(env, "Text nekterych bunek byl delsi nez " + std::to_string(kXlsxCellChars) +
                     " znaku a byl zkracen.\r\rPocet zkracenych bunek: " +
                     std::to_string(outcome.cutCells));
  }
  return outcome;
}

std::optional<std::string> ExDbToXlsF(Env& env, const Dataset& table, const LoadedDef& def,
                                      std::string_view tableName, std::string_view defName,
                                      const FontChoice& font, Office& office) {
  auto host = NewUserDocumentPath("X_" + BaseName(tableName) + ".xlsx");
  if (!host) {
    ErrorBox(env, "Adresar dokumentu uzivatele nelze vytvorit:\r\r" + Utf8ToCp1250(UserDocumentsDir()));
    return std::nullopt;
  }
  if (!XlsxFromDataset(env, table, def, tableName, defName, font, *host).written) return std::nullopt;
  if (office.ShowWorkbook(env, Workbook{*host}) != OfficeResult::Done) {
    InfoBox(env, std::string(kExcelUnavailable) + "\r\r" + std::string(kExcelSavedText) +
                     Utf8ToCp1250(*host));
  }
  return host;
}

}  // namespace orvo
