// The one object that owns a run of the application or of orvo-batch: the
// run-time values, the loaded definition and the dataset engine TCdsProc,
// the hand-over blocks of the generic windows, the print settings, the
// office and clipboard ports, and the models of the generic windows (the
// code-list editor, the dataset browser, the text report window, the grid
// data entry). It is
// built once, by MakeSession, and handed down by reference; the floors
// below see only the part they need (RunValues, the engine, a hand-over
// block, a model). Windows attach to the models through the models' ports.
#pragma once

#include <memory>

#include "core/data/cds_proc.h"
#include "core/data/definition.h"
#include "core/desk/desk.h"
#include "core/office/office_port.h"
#include "core/output/print_settings.h"
#include "core/output/vyst_model.h"
#include "core/screens/browser_model.h"
#include "core/screens/cds_cis.h"
#include "core/screens/cds_dokl.h"
#include "core/shell/run_values.h"
#include "core/sys/clipboard.h"
#include "core/sys/env.h"

namespace orvo {

// What the program running the session plugs in: the windows bring the
// office with PDF through Qt and the desktop's clipboard; orvo-batch and the
// tests take the defaults.
struct SessionPorts {
  // The built-in backends and LibreOffice where installed, when not given.
  std::unique_ptr<Office> office;
  // Kept in memory when not given.
  std::unique_ptr<Clipboard> clipboard;
};

class Session final : public RunValues {
 public:
  Session(Env& env, SessionPorts ports);
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // The data layer: one loaded definition and one engine for the run.
  LoadedDef def;
  TCdsProc engine;

  // The hand-over values of the generic windows and the print settings
  // every report writer reads.
  CisHandOver cisHandOver;
  ScrHandOver scrHandOver;
  VystHandOver vystHandOver;
  DoklHandOver doklHandOver;
  PrintSettings printSettings;

 private:
  std::unique_ptr<Office> office_;
  std::unique_ptr<Clipboard> clipboard_;

 public:
  Office& office;
  Clipboard& clipboard;

  // The generic windows' models, one each for the run.
  TCdsCis codeList;
  CdsScrModel browser;
  VystModel report;
  // The grid data entry over doklHandOver; the calculation fills the
  // hand-over values and shows its window.
  TCdsDokl gridEntry;
  // The calculator, the expression window, the calendar, the clock and the
  // help; F5 of the grid data entry reads the calculator's display.
  Desk desk;
};

// Builds the session of a run; every program and test makes its session
// here.
std::unique_ptr<Session> MakeSession(Env& env, SessionPorts ports = {});

}  // namespace orvo
