#include "core/reports/statement_window.h"

#include "core/shell/file_names.h"
#include "core/shell/table_viewer.h"
#include "core/sys/file_write.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "core/sys/text.h"

namespace orvo {

void TUctVykZ::FormShow() {
  Edit1 = "  " + DefName;
  Edit2 = run_.PeriodYear + run_.PeriodMonth;
  Edit3 = Edit2;
  GetPrintSettings(run_.env, print_);
  Edit4 = std::to_string(print_.PageRows);
  definition_.reset();
  Label1.clear();
  if (!Trim(DefName).empty()) GetDefSoub();
}

bool TUctVykZ::GetDefSoub() {
  definition_ = ReadStatementDefinition(run_.env, DefName);
  if (!definition_) {
    Label1.clear();
    return false;
  }
  Label1 = (definition_->columns > 1 ? "Vykaz II:  " : "Vykaz I:  ") + definition_->title;
  int io = 0;
  const std::string templateFile = AppDir(run_, "DefSoub") + "\\Vykaz.Def";
  if (!FileExistsOrSay(run_.env, templateFile)) return true;
  std::optional<std::string> templateText = run_.env.fs.ReadWhole(templateFile, &io);
  if (templateText) {
    MakeDirPath(run_.env, DirectoryOf(kStatementOutputDef));
    WriteFileOrAsk(run_.env, kStatementOutputDef, OutputDefinitionText(*templateText, level, *definition_));
  }
  return true;
}

bool TUctVykZ::DefSoub() {
  FileDialogRequest request;
  request.title = "Definicni soubor";
  request.startDir = AppDir(run_, "DefSoub");
  request.filter = "Vykazy - zdroje (VykZ*.Def)|VykZ*.Def";
  std::optional<std::string> chosen = run_.env.ui.OpenFileDialog(request);
  if (!chosen || Trim(*chosen).empty()) return false;
  DefName = *chosen;
  Edit1 = "  " + DefName;
  GetDefSoub();
  return true;
}

bool TUctVykZ::Edit1Exit() {
  const std::string name = Trim(Edit1);
  if (name.empty()) return true;
  const std::string upper = UpperCz(name);
  if (upper.find("\\VYKZ") == std::string::npos || upper.find(".DEF") == std::string::npos) {
    ErrorBox(run_.env, std::string(kBadDefinitionName) + "\r\r" + "Soubor:  " + name);
    return false;
  }
  DefName = name;
  Edit1 = "  " + DefName;
  GetDefSoub();
  return true;
}

void TUctVykZ::PocRad() {
  if (showPrintSettings) showPrintSettings();
  Edit4 = std::to_string(print_.PageRows);
}

bool TUctVykZ::Proved() {
  StatementRequest request;
  request.defFile = DefName;
  request.level = level;
  request.source = source;
  request.from = Trim(Edit2);
  request.to = Trim(Edit3);
  request.pageRows = print_.PageRows;
  last_ = RunStatement(run_, cds_, request);
  if (last_.ok) GetDefSoub();
  return last_.ok;
}

void TUctVykZ::Zobr() {
  vyst_.VystToolDir = AppDir(run_, "Programy");
  vyst_.VystFile = ReportFile();
  if (showReport) showReport(vyst_);
}

void TUctVykZ::Tab() {
  const std::string title = definition_ ? definition_->title : std::string();
  ShowInTableViewer(run_, DatasetFile(), kStatementOutputDef, "Orvo - Vykazy", title);
}

}  // namespace orvo
