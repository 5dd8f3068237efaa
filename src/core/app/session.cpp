#include "core/app/session.h"

namespace orvo {

namespace {

std::unique_ptr<Office> OfficeOr(std::unique_ptr<Office> given) {
  if (given) return given;
  return std::make_unique<Office>(DefaultOffice());
}

std::unique_ptr<Clipboard> ClipboardOr(std::unique_ptr<Clipboard> given) {
  if (given) return given;
  return std::make_unique<MemoryClipboard>();
}

}  // namespace

Session::Session(Env& e, SessionPorts ports)
    : RunValues(e),
      engine(e, def),
      office_(OfficeOr(std::move(ports.office))),
      clipboard_(ClipboardOr(std::move(ports.clipboard))),
      office(*office_),
      clipboard(*clipboard_),
      codeList(e, engine, cisHandOver),
      browser(e, engine, scrHandOver, printSettings, clipboard),
      report(e, vystHandOver, printSettings),
      gridEntry(e, engine, codeList, doklHandOver),
      desk(e, office) {
  gridEntry.ports.calculatorValue = [this] { return desk.CalculatorValue(); };
  // The code-list listing pages by the print settings' rows; the windows
  // add the showing of the window and of the report.
  CisPorts cisPorts;
  cisPorts.rowsPerPage = [this] {
    GetPrintSettings(env, printSettings);
    return printSettings.PageRows;
  };
  codeList.SetPorts(std::move(cisPorts));
}

std::unique_ptr<Session> MakeSession(Env& env, SessionPorts ports) {
  return std::make_unique<Session>(env, std::move(ports));
}

}  // namespace orvo
