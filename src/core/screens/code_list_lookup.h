// The code-list hand-over values and the look-ups the data-entry windows
// make through them without showing the code-list window: the check of a
// typed value against its column's code list (KCisel, TestEx), the column
// look-up table of the loaded definition (GCisel), the list of documents
// (SezDokl) and the neighbour document (DoklPredZa).
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/data/cds_proc.h"
#include "core/data/dataset.h"
#include "core/data/definition.h"
#include "core/sys/env.h"

namespace orvo {

inline constexpr int kCisMaxKeys = 20;
inline constexpr int kCisMaxValues = 200;
inline constexpr int kCisMaxColumnLists = 200;

inline constexpr std::string_view kCisOptional = "CdsCisVolitelny";
inline constexpr std::string_view kCisOptionalMissing = "Nebyl zadan volitelny ciselnik";
inline constexpr std::string_view kCisNotFound = "-Udaj nebyl nalezen !";
inline constexpr std::string_view kCisWorkFile = "C:\\A_Run\\Work\\CdsCisWork.Cds";
inline constexpr std::string_view kSezDoklFile = "C:\\A_Run\\Work\\SezDokl.Cds";

struct CisColumnList {
  int field = 0;     // definition field number; 0 ends the table
  std::string file;  // code-list file, at most 100 characters
};

// The hand-over values: one set for the whole run, filled by a caller
// before an operation and read afterwards. Flags are 'A' (yes) or 'N'.
struct CisHandOver {
  std::string CisFileName;
  char CisEditAllowed = 'N';
  int CisKeyCount = 0;
  std::array<int, kCisMaxKeys> CisKeyFields{};  // 1-based field positions
  // Entry i (1..200) is field i; entry 0 is unused.
  std::array<std::string, kCisMaxValues + 1> CisValues;
  char CisResult = 'N';
  char CisHasList = 'N';
  char CisReportMissing = 'A';
  int CisListFieldCount = 0;
  std::array<int, kCisMaxKeys> CisListFields{};
  std::array<CisColumnList, kCisMaxColumnLists> CisColumnLists;
  std::string CisClipboard;
};

// The definition field of a column of a data-entry window (hp 1 header,
// 2 item: items count after the header fields).
int CisFieldOfColumn(const LoadedDef& def, int hp, int sloup);
// The entry of CisColumnLists for a definition field; null without one.
const CisColumnList* CisColumnListOf(const CisHandOver& handOver, int field);
// A code list the installation need not have (kCisOptional).
bool IsOptionalCodeList(std::string_view file);

class CodeListLookup {
 public:
  CodeListLookup(Env& env, TCdsProc& cds, CisHandOver& handOver);
  CodeListLookup(const CodeListLookup&) = delete;
  CodeListLookup& operator=(const CodeListLookup&) = delete;

  // The check of the value in CisValues against the column's code list.
  void KCisel(int hp, int sloup);
  // Exact look-up of the key in CisValues in CisFileName.
  void TestEx();
  // CisColumnLists from the loaded definition.
  void GCisel();
  // The list of documents SezDokl.Cds from CisFileName.
  void SezDokl();
  // The previous ('-') or next ('+') document of the one in CisValues.
  void DoklPredZa(char xPredZa);

 private:
  bool NajdiVCis(Dataset& table, const std::string& key, const std::string& fullPath);
  void ClearValues(int count);

  Env& env_;
  TCdsProc& cds_;
  CisHandOver& h_;
  Dataset check_;  // the check and the list of documents read it
  Dataset list_;   // the list of documents is built in it
};

}  // namespace orvo
