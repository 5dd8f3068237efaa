// A small ledger table for the browser and report tests: C:\Case\Table.Cds
// with its definition C:\Case\Table.Def (Ucet LN 6, Cinnost PM 4, Nazev PM 12
// with check code V, MD and Dal N2 12), print settings of 80 rows, and a
// browser model over it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/data/cds_dump.h"
#include "core/data/cds_proc.h"
#include "core/screens/browser_model.h"
#include "support/scratch.h"

namespace orvo::test {

inline constexpr const char* kTableCds = "C:\\Case\\Table.Cds";
inline constexpr const char* kTableDef = "C:\\Case\\Table.Def";

// One definition line: length, name column, heading, type, check code.
inline std::string DefLine(int td, const std::string& name, const std::string& heading,
                           const std::string& tms, char sp = ' ') {
  std::string line = std::string(td < 10 ? "  " : td < 100 ? " " : "") + std::to_string(td) + " ";
  line += name + std::string(36 - name.size(), ' ');
  line += heading + std::string(30 - heading.size(), ' ');
  return line + tms + sp;
}

inline std::string LedgerDef() {
  return DefLine(6, "1. Ucet", "Ucet", "LN") + "\r\n" + DefLine(4, "2. Cinnost", "Cinn", "PM") +
         "\r\n" + DefLine(12, "3. Nazev", "Nazev", "PM", 'V') + "\r\n" +
         DefLine(12, "4. MD", "Ma dati", "N2") + "\r\n" + DefLine(12, "5. Dal", "Dal", "N2") + "\r\n";
}

inline const char* LedgerRows() {
  return "311000|0001|Odberatele|1000|\n"
         "311000|0002|Odberatele|300|100\n"
         "321000|0001|Dodavatele||400\n"
         "501000|0001|Material|1200|\n";
}

class BrowserFixture : public Scratch {
 protected:
  BrowserFixture() : engine(*env, def) {
    Put("C:\\A_Run\\Work\\.keep", "");
    Put("C:\\A_Run\\Sestavy\\.keep", "");
    Put("C:\\A_Run\\PomSoub\\.keep", "");
    PutPrintSettings(*env, PrintSettings{});
    Put(kTableDef, LedgerDef());
    MakeTable(LedgerRows());
    model = std::make_unique<CdsScrModel>(*env, engine, handOver, settings, clipboard);
    ui.Clear();
  }

  void MakeTable(const std::string& rows, const char* name = kTableCds) {
    std::string error;
    ASSERT_TRUE(DatasetFromText(engine, kTableDef, rows, name, &error)) << error;
  }

  // Sets the hand-over as a caller does and opens the window.
  bool OpenOn(const std::string& file = kTableCds, char editAllowed = 'N') {
    handOver.ScrFile = file;
    handOver.ScrDef = kTableDef;
    handOver.ScrEditAllowed = editAllowed;
    bool open = model->Open();
    ui.Clear();
    return open;
  }

  LoadedDef def;
  TCdsProc engine;
  ScrHandOver handOver;
  PrintSettings settings;
  MemoryClipboard clipboard;
  std::unique_ptr<CdsScrModel> model;
};

}  // namespace orvo::test
