#include "core/data/cds_proc.h"

#include <algorithm>

#include "core/data/cds_file.h"
#include "core/data/meta_def.h"
#include "core/data/output_files.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "core/sys/numbers.h"
#include "core/sys/termination.h"
#include "core/sys/text.h"

namespace orvo {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A number as the system writes it: the last character a digit and, after
// leading blanks, signs and separators, only digits, "." and ",".
bool IsNumberText(std::string_view v) {
  if (v.empty() || !IsDigit(v.back())) return false;
  size_t i = 0;
  while (i < v.size() && (v[i] == ' ' || v[i] == '+' || v[i] == '-' || v[i] == '.' || v[i] == ',')) {
    ++i;
  }
  for (; i < v.size(); ++i) {
    if (!IsDigit(v[i]) && v[i] != '.' && v[i] != ',') return false;
  }
  return true;
}

bool DecimalsAtMost(std::string_view v, size_t k) {
  size_t dot = v.find('.');
  size_t comma = v.find(',');
  if (dot == std::string_view::npos && comma == std::string_view::npos) return true;
  if (dot != std::string_view::npos && v.size() - dot - 1 <= k) return true;
  return comma != std::string_view::npos && v.size() - comma - 1 <= k;
}

std::string CdsDefType(const Dataset& ds, int f) {
  switch (ds.Field(f).type) {
    case FieldType::Date: return "DT";
    case FieldType::Memo: return "ME";
    case FieldType::Float: return "FL";
    case FieldType::Integer: return "IN";
    case FieldType::SmallInt: return "SI";
    case FieldType::Word: return "WO";
    case FieldType::Boolean: return "BO";
    case FieldType::Text: return InferTextType(ds, f);
  }
  return "ZS";
}

// Length column and heading width of a CdsDef line by field type.
void CdsDefWidths(const FieldDef& f, int* length, int* headingWidth) {
  switch (f.type) {
    case FieldType::Boolean: *length = 1; *headingWidth = 2; break;
    case FieldType::SmallInt:
    case FieldType::Word: *length = 2; *headingWidth = 3; break;
    case FieldType::Integer:
    case FieldType::Date: *length = 4; *headingWidth = 5; break;
    case FieldType::Float: *length = 8; *headingWidth = 9; break;
    default: *length = f.size; *headingWidth = f.size + 1; break;
  }
  *headingWidth = std::min(*headingWidth, 30);
}

void Place(std::string& line, int column, std::string_view text) {
  size_t at = static_cast<size_t>(column - 1);
  if (line.size() < at + text.size()) line.resize(at + text.size(), ' ');
  line.replace(at, text.size(), text);
}

}  // namespace

TCdsProc::TCdsProc(Env& env, LoadedDef& def)
    : env_(env), def_(def), table1_(env), table2_(env), table3_(env) {}

std::string InferTextType(const Dataset& ds, int field) {
  const int size = ds.Field(field).size;
  bool dt = true, ln = true, n0 = true, n1 = true, n2 = true, n3 = true;
  bool any = false;
  for (int r = 0; r < ds.RecordCount(); ++r) {
    std::string v = PadRight(ds.StringAt(r, field), size);
    if (AllBlanks(v)) continue;
    any = true;
    dt = dt && size == 10 && v[2] == '.' && v[5] == '.';
    ln = ln && IsDigit(v.front()) && IsDigit(v.back()) && IsDigits(v, ' ');
    bool number = IsNumberText(v);
    n0 = n0 && number && v.find_first_of(".,") == std::string::npos;
    n1 = n1 && number && DecimalsAtMost(v, 1);
    n2 = n2 && number && DecimalsAtMost(v, 2);
    n3 = n3 && number && DecimalsAtMost(v, 3);
    if (!(dt || ln || n0 || n1 || n2 || n3)) break;
  }
  if (!any) return "PM";
  if (dt) return "DT";
  if (ln) return "LN";
  if (n0) return "N0";
  if (n1) return "N1";
  if (n2) return "N2";
  if (n3) return "N3";
  return "PM";
}

void TCdsProc::ReadDefOrStop(std::string_view defName) {
  if (ReadDef(env_, def_, defName)) return;
  ErrorBox(env_, "Nepodarilo se precist soubor:\r\r" + std::string(defName) +
                     "\r\rProgram bude ukoncen !");
  throw Termination("definition cannot be read: " + std::string(defName));
}

void TCdsProc::BuildFields(Dataset& table, Widen widen, std::string* companion) {
  table.ClearFields();
  for (int i = 1; i <= def_.PSl; ++i) {
    const DefWord& w = def_.Word(i);
    int size = w.TD;
    if (widen == Widen::Numeric && !w.TMS.empty() && w.TMS[0] == 'N') {
      char d = w.TMS.size() > 1 ? w.TMS[1] : '0';
      size = (IsDigit(d) ? d - '0' : 0) + 13;
    }
    table.AddField(w.FieldName, w.TMS == "ME" ? FieldType::Memo : FieldType::Text, size, false);
    if (companion != nullptr) {
      // The heading column holds 30 characters; a longer heading would push
      // the type out of its columns.
      std::string line = IntTextZero(size, 3) + " " + Trim(w.TNS1);
      line = PadRight(line, 40) + Trim(w.Heading).substr(0, 30);
      line = PadRight(line, 70) + w.TMS + "\r\n";
      *companion += line;
    }
  }
  table.ClearIndexes();
  std::string keyFields;
  for (int k = 0; k < def_.KeyCount(); ++k) {
    if (k > 0) keyFields += ";";
    keyFields += def_.Word(def_.KeyList[static_cast<size_t>(k)]).FieldName;
  }
  table.AddIndex("", keyFields, !keyFields.empty());
}

void TCdsProc::CreateOrStop(Dataset& table, std::string_view nameInMessage) {
  if (table.CreateDataSet()) return;
  ErrorBox(env_, "Nepodarilo se zalozit soubor:\r\r" + std::string(nameInMessage) +
                     "\r\rProgram bude ukoncen !");
  throw Termination("dataset cannot be created: " + std::string(nameInMessage));
}

void TCdsProc::MakeFromDef(Dataset& table, std::string_view cdsName, std::string_view defName,
                           Widen widen, std::string* companion) {
  // Nothing on disk changes here: the table is stored over cdsName, whole,
  // when it is closed, so a definition that cannot be read or an operation
  // that fails half-way leaves the old file as it was.
  ReadDefOrStop(defName);
  table.Close();
  table.SetFileName(std::string(cdsName));
  table.SetReadOnly(false);
  BuildFields(table, widen, companion);
  CreateOrStop(table, cdsName);
}

void TCdsProc::MakeTable(Dataset& table) {
  MakeFromDef(table, params.CdsName, params.DefName, Widen::No, nullptr);
}

void TCdsProc::MakeTableX(Dataset& table, std::string* companion) {
  MakeFromDef(table, params.CdsName, params.DefName, Widen::Numeric, companion);
}

void TCdsProc::MakeTableVirt(Dataset& table) {
  ReadDefOrStop(params.DefName);
  table.Close();
  table.SetFileName(std::string());
  table.SetReadOnly(false);
  BuildFields(table, Widen::No, nullptr);
  CreateOrStop(table, params.CdsName);
}

void TCdsProc::MakeTableT(std::string_view modelName, int res, std::string_view newName) {
  if (FileSizeOf(env_, modelName) <= 4) return;
  auto stop = [&] {
    ErrorBox(env_, "Nepodarilo se zalozit soubor:\r\r" + std::string(newName) +
                       "\r\rProgram bude ukoncen !");
    throw Termination("dataset cannot be created: " + std::string(newName));
  };
  table1_.Close();
  table1_.SetFileName(std::string(modelName));
  table1_.SetReadOnly(true);
  if (!table1_.Open()) stop();
  table2_.Close();
  table2_.ClearFields();
  table2_.ClearIndexes();
  table2_.SetFileName(std::string(newName));
  table2_.SetReadOnly(false);
  for (const FieldDef& f : table1_.Fields()) {
    if (res == 1 && f.type != FieldType::Text) continue;
    table2_.AddField(f.name, f.type, f.size, f.required);
  }
  // Stored whole over newName, which may be the model itself.
  bool ok = table2_.CreateDataSet() && OutputFiles(env_).Close(table2_);
  table1_.Close();
  table1_.SetReadOnly(false);
  if (!ok) stop();
}

bool TCdsProc::OpenTable(Dataset& table, bool readOnly) {
  if (!FileExistsOrSay(env_, params.CdsName)) return false;
  ReadDef(env_, def_, params.DefName);
  table.Close();
  table.SetFileName(params.CdsName);
  table.SetReadOnly(readOnly);
  return table.Open();
}

bool TCdsProc::OpenTableR(Dataset& table) { return OpenTable(table, true); }
bool TCdsProc::OpenTableW(Dataset& table) { return OpenTable(table, false); }

void TCdsProc::CdsDef() {
  if (!FileExistsOrSay(env_, params.CdsName)) return;
  table1_.Close();
  table1_.SetFileName(params.CdsName);
  table1_.SetReadOnly(true);
  if (!table1_.Open()) {
    table1_.SetReadOnly(false);
    return;
  }
  std::string text;
  for (int f = 0; f < table1_.FieldCount(); ++f) {
    const FieldDef& fd = table1_.Field(f);
    int length = 0, headingWidth = 0;
    CdsDefWidths(fd, &length, &headingWidth);
    if (length > 999) {
      // The length column holds three digits; a fourth would shift every
      // column after it and be read back as another length.
      table1_.Close();
      table1_.SetReadOnly(false);
      InfoBox(env_, "Soubor:\r\r" + QuotedName(params.CdsName) + "\r\r     - slovo " + Trim(fd.name) +
                        " je delsi nez 999 znaku !",
              "Soubor nelze pouzit pro dalsi operace");
      return;
    }
    // The name may fill columns 9 to 40; one character more would shift the
    // heading and the type out of their columns.
    std::string line = IntTextZero(length, 3) + IntText(f + 1, 3) + ". " + fd.name.substr(0, 32);
    line = PadRight(line, 40) + fd.name.substr(0, static_cast<size_t>(headingWidth));
    line = PadRight(line, 70) + CdsDefType(table1_, f) + "\r\n";
    text += line;
  }
  table1_.Close();
  table1_.SetReadOnly(false);
  int io = env_.fs.WriteWhole(params.DefName, text);
  if (io != 0) ErrorBox(env_, UnwritableFileText(params.DefName, io));
}

void TCdsProc::CdsXml(std::string_view jmS, int xver) {
  std::string upper = UpperCz(jmS);
  size_t cds = upper.find(".CDS");
  size_t xml = upper.find(".XML");
  std::string target;
  DataFormat format;
  if (cds != std::string::npos) {
    if (xver != 1 && xver != 2) return;
    target = std::string(jmS.substr(0, cds + 1)) + "Xml";
    format = xver == 1 ? DataFormat::XmlUtf8 : DataFormat::Xml;
  } else if (xml != std::string::npos) {
    target = std::string(jmS.substr(0, xml + 1)) + "Cds";
    format = DataFormat::Binary;
  } else {
    return;
  }
  Dataset temp(env_);
  if (!temp.LoadFromFile(jmS)) return;
  // The old target is replaced only by the complete new file.
  PrepareReplace(env_, target);
  temp.SaveToFile(target, format);
}

void TCdsProc::KonvDefCds(std::string_view jmSDef, int psl, std::string_view jmSCds) {
  psl = std::clamp(psl, 1, 13);
  WriteMetaDef(env_, kCdsProcWorkDef, psl);
  MakeFromDef(table1_, jmSCds, kCdsProcWorkDef, Widen::No, nullptr);
  // Without a readable definition the dataset stays empty, as it is made.
  std::optional<std::string> text;
  if (FileExistsQuiet(env_, jmSDef)) {
    int io = 0;
    text = env_.fs.ReadWhole(jmSDef, &io);
  }
  if (!text) {
    OutputFiles(env_).Close(table1_);
    return;
  }
  int rad = 0;
  for (std::string_view line : TextLines(*text)) {
    if (line.size() < 72) continue;
    ++rad;
    table1_.Append();
    table1_.SetAsString(0, IntTextPadded(rad, 3));
    for (int j = 2; j <= psl; ++j) {
      const MetaEntry& e = kMetaDef[static_cast<size_t>(j - 1)];
      size_t from = static_cast<size_t>(e.startColumn - 1);
      std::string value = from < line.size() ? Trim(line.substr(from, static_cast<size_t>(e.length))) : "";
      if (j == 3) {
        size_t dot = value.find('.');
        if (dot != std::string::npos) value = Trim(value.substr(dot + 1));
      }
      table1_.SetAsString(j - 1, value);
    }
    table1_.Post();
  }
  while (rad < 200) {
    ++rad;
    table1_.Append();
    table1_.SetAsString(0, IntTextPadded(rad, 3));
    table1_.Post();
  }
  OutputFiles(env_).Close(table1_);
}

void TCdsProc::KonvCdsDef(std::string_view jmSCds, int psl, std::string_view jmSDef) {
  if (!FileExistsQuiet(env_, jmSCds)) return;
  psl = std::clamp(psl, 1, 13);
  table1_.Close();
  table1_.SetFileName(std::string(jmSCds));
  table1_.SetReadOnly(true);
  if (!table1_.Open()) {
    table1_.SetReadOnly(false);
    return;
  }
  const int fields = std::min(psl, table1_.FieldCount());
  std::string text;
  int k = 0;
  for (int r = 0; r < table1_.RecordCount(); ++r) {
    if (fields < 2 || TextToInt(table1_.StringAt(r, 1)) <= 0) continue;
    ++k;
    std::string line(150, ' ');
    const bool numeric = fields >= 5 && !table1_.StringAt(r, 4).empty() &&
                         table1_.StringAt(r, 4)[0] == 'N';
    const int td = static_cast<int>(TextToInt(table1_.StringAt(r, 1)));
    for (int j = 2; j <= fields; ++j) {
      const MetaEntry& e = kMetaDef[static_cast<size_t>(j - 1)];
      std::string value = table1_.StringAt(r, j - 1);
      if (j == 2) {
        value = PadLeft(RemoveBlanks(value), 3);
      } else if (j == 3) {
        value = IntText(k, 3) + ". " + value;
      } else if (j == 4 && numeric) {
        // Right-aligned to the word's width, but never past the heading's
        // 30 columns, so the type stays where readers look for it.
        value = PadLeft(Trim(value), std::min(td, 30));
      }
      Place(line, e.startColumn, value);
    }
    text += TrimRight(line) + "\r\n";
  }
  table1_.Close();
  table1_.SetReadOnly(false);
  int io = env_.fs.WriteWhole(jmSDef, text);
  if (io != 0) ErrorBox(env_, UnwritableFileText(jmSDef, io));
}

}  // namespace orvo
