// TCdsProc, the dataset engine: creates empty dataset files from
// definitions, opens them for reading or writing, writes a definition for a
// dataset, converts between the binary and the XML form, and carries the
// parameter block through which every operation of the data layer is driven.
// The session owns one engine; it works on the session's loaded definition
// and reports through the session's Env.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/data/dataset.h"
#include "core/data/definition.h"
#include "core/sys/env.h"

namespace orvo {

struct LocateKey {
  std::string text;
  int field = 0;  // 0 or less ends the list
};

// Inputs of the engine's operations; the caller sets every field an
// operation reads immediately before calling it. Values persist between
// calls.
struct CdsParams {
  std::string CdsName;
  std::string DefName;
  std::string DatName;
  std::string XDefName;
  std::string InCds;
  std::string OutCds;
  std::string InDef;
  std::string OutDef;
  int PocSlov = 0;
  std::array<int, 200> SezSlov{};
  int SortBlock = 0;
  int SortMode = 0;
  std::array<LocateKey, 20> LocateKeys{};
};

// The work definition the meta-definition is written to.
inline constexpr std::string_view kCdsProcWorkDef = "C:\\A_Run\\Work\\CdsProcWork.Def";

class TCdsProc {
 public:
  TCdsProc(Env& env, LoadedDef& def);
  TCdsProc(const TCdsProc&) = delete;
  TCdsProc& operator=(const TCdsProc&) = delete;

  CdsParams params;

  Env& Environment() { return env_; }
  LoadedDef& Def() { return def_; }
  // The scratch tables; closed between operations.
  Dataset& Table1() { return table1_; }
  Dataset& Table2() { return table2_; }
  Dataset& Table3() { return table3_; }

  // An empty table with the layout of DefName, open and in memory, with
  // CdsName as its file name: closing it stores it, replacing CdsName whole
  // (Discard drops it and leaves CdsName as it was). Nothing on disk changes
  // before that. An unreadable definition or a dataset that cannot be
  // created is reported and ends the application.
  void MakeTable(Dataset& table);
  // An empty, open, file-less dataset with the layout of DefName.
  void MakeTableVirt(Dataset& table);
  // As MakeTable with numeric words widened to (decimals + 13) characters;
  // the text of the companion definition that describes them goes to
  // `companion`, for the caller to write to XDefName with the table.
  void MakeTableX(Dataset& table, std::string* companion);
  // NewName empty with the fields of the dataset file ModelName (all fields
  // for res 0, text fields only for res 1); nothing when the model has 4
  // bytes or less.
  void MakeTableT(std::string_view modelName, int res, std::string_view newName);
  // Loads DefName and opens CdsName read-only / writable in `table`. A
  // missing file is reported and leaves the table untouched; true when the
  // table is open.
  bool OpenTableR(Dataset& table);
  bool OpenTableW(Dataset& table);
  // Writes DefName describing the dataset CdsName, inferring the types of
  // text fields from their values.
  void CdsDef();
  // ".Cds" -> ".Xml" (xver 1 UTF-8, 2 Windows-1250) or ".Xml" -> ".Cds".
  void CdsXml(std::string_view jmS, int xver);
  // A definition as a dataset of the first psl meta-definition entries, and
  // back.
  void KonvDefCds(std::string_view jmSDef, int psl, std::string_view jmSCds);
  void KonvCdsDef(std::string_view jmSCds, int psl, std::string_view jmSDef);

 private:
  enum class Widen { No, Numeric };
  void ReadDefOrStop(std::string_view defName);
  // Field and index descriptions from the loaded definition; with
  // Widen::Numeric also the companion definition text.
  void BuildFields(Dataset& table, Widen widen, std::string* companion);
  void CreateOrStop(Dataset& table, std::string_view nameInMessage);
  void MakeFromDef(Dataset& table, std::string_view cdsName, std::string_view defName,
                   Widen widen, std::string* companion);
  bool OpenTable(Dataset& table, bool readOnly);

  Env& env_;
  LoadedDef& def_;
  Dataset table1_;
  Dataset table2_;
  Dataset table3_;
};

// The type code CdsDef gives a text field from its values (each padded on
// the right to `size`): DT, LN, N0, N1, N2, N3 or PM.
std::string InferTextType(const Dataset& ds, int field);

}  // namespace orvo
