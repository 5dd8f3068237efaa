// orvo-batch: the core operations without windows. Every command gets the
// same context: the drive map in use, the console Ui, the clock, the run's
// session, and the streams for its output. Commands read their arguments
// through Args (cli/args.h).
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "core/sys/env.h"

namespace orvo {
class Session;
class Dataset;
enum class MenuAction;
}

namespace orvo::cli {

struct BatchContext {
  Env& env;
  // The run's session (MakeSession): its engine, loaded definition and
  // run-time values serve every command.
  Session& session;
  std::ostream& out;
  std::ostream& err;
  std::vector<std::string> args;  // after the command name, Windows-1250
  std::string user;               // --user or ORVO_USER, Windows-1250
  std::string password;           // --password or ORVO_PASSWORD
  std::string dataRoot;           // --root or ORVO_DATA_ROOT, as given
};

// Writes Windows-1250 text to a terminal stream as UTF-8.
void WriteText(std::ostream& out, const std::string& cp1250);

struct Command {
  const char* name;
  const char* usage;    // one line, after "orvo-batch "
  const char* summary;  // one line
  int (*run)(BatchContext& ctx);
};

const std::vector<Command>& Commands();

int RunPaths(BatchContext& ctx);
int RunInstall(BatchContext& ctx);
int RunPeriod(BatchContext& ctx);
int RunUsers(BatchContext& ctx);
int RunArchive(BatchContext& ctx);
int RunDef(BatchContext& ctx);
int RunCds(BatchContext& ctx);
int RunSort(BatchContext& ctx);
int RunSum(BatchContext& ctx);
int RunReduce(BatchContext& ctx);
int RunAppend(BatchContext& ctx);
int RunRestruct(BatchContext& ctx);
int RunImport(BatchContext& ctx);
int RunDemo(BatchContext& ctx);
int RunPrintSettings(BatchContext& ctx);
int RunSesToPdf(BatchContext& ctx);
int RunReport(BatchContext& ctx);
int RunClose(BatchContext& ctx);
int RunProc(BatchContext& ctx);
int RunTable(BatchContext& ctx);
int RunEval(BatchContext& ctx);
int RunStatement(BatchContext& ctx);
int RunCalc(BatchContext& ctx);
int RunJournal(BatchContext& ctx);
int RunLedger(BatchContext& ctx);
int RunDevelopment(BatchContext& ctx);
int RunSaldo(BatchContext& ctx);

// Logs in, reads the organisation and the period and checks the guard of
// the menu item `action`, as the books' commands do (kBatchOk when allowed).
int EnterBooks(BatchContext& ctx, MenuAction action);
// A dataset as ";"-separated Windows-1250 text with CR LF, names first.
std::string DatasetCsv(const Dataset& ds);
// A definition named without a directory lives in DataRoot\LOrvo\DefSoub.
std::string DefinitionFile(BatchContext& ctx, const std::string& arg);
int RunLegacy(BatchContext& ctx);
int RunDoc(BatchContext& ctx);
int RunConvert(BatchContext& ctx);
int RunAccumulate(BatchContext& ctx);
int RunKonta(BatchContext& ctx);
int RunAutoTransfer(BatchContext& ctx);
int RunXlsx(BatchContext& ctx);
int RunSesToJpeg(BatchContext& ctx);

}  // namespace orvo::cli
