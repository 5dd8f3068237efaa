#include "core/reports/calculation_window.h"

#include "core/reports/statement_window.h"
#include "core/shell/file_names.h"
#include "core/shell/table_viewer.h"
#include "core/sys/file_write.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "core/sys/text.h"

namespace orvo {

void TUctKalk::FormShow() {
  Edit1 = "  " + DefName;
  definition_.reset();
  Label1 = std::string(kCalculationLabel);
  if (!Trim(DefName).empty()) GetDefSoub();
}

bool TUctKalk::GetDefSoub() {
  definition_ = ReadCalculationDefinition(run_.env, DefName);
  if (!definition_) {
    Label1 = std::string(kCalculationLabel);
    return false;
  }
  Label1 = TrimLeft(definition_->title);
  const std::string templateFile = AppDir(run_, "DefSoub") + "\\Kalkul.Def";
  if (!FileExistsOrSay(run_.env, templateFile)) return true;
  int io = 0;
  std::optional<std::string> templateText = run_.env.fs.ReadWhole(templateFile, &io);
  if (templateText) {
    MakeDirPath(run_.env, DirectoryOf(kCalculationOutputDef));
    WriteFileOrAsk(run_.env, kCalculationOutputDef, CalculationOutputDefinitionText(*templateText, level));
  }
  return true;
}

bool TUctKalk::DefSoub() {
  FileDialogRequest request;
  request.title = "Definicni soubor";
  request.startDir = AppDir(run_, "DefSoub");
  request.filter = "Kalkulace - zdroje (KalkZ*.Def)|KalkZ*.Def";
  std::optional<std::string> chosen = run_.env.ui.OpenFileDialog(request);
  if (!chosen || Trim(*chosen).empty()) return false;
  DefName = *chosen;
  Edit1 = "  " + DefName;
  GetDefSoub();
  return true;
}

bool TUctKalk::Edit1Exit() {
  const std::string name = Trim(Edit1);
  if (name.empty()) return true;
  const std::string upper = UpperCz(name);
  const bool wellNamed = upper.find("\\KALKZ") != std::string::npos && upper.find(".DEF") != std::string::npos;
  if (!wellNamed) InfoBox(run_.env, std::string(kBadDefinitionName), "Soubor:  " + name);
  DefName = name;
  Edit1 = "  " + DefName;
  GetDefSoub();
  return wellNamed;
}

bool TUctKalk::Proved() {
  CalculationRequest request;
  request.defFile = DefName;
  request.level = level;
  last_ = RunCalculation(run_, cds_, request);
  if (!last_.notes.empty()) {
    std::string text;
    for (const std::string& note : last_.notes) text += note + "\r";
    InfoBox(run_.env, text, "Kalkulace:  " + DefName);
  }
  if (last_.ok) GetDefSoub();
  return last_.ok;
}

void TUctKalk::Zobr() {
  vyst_.VystToolDir = AppDir(run_, "Programy");
  vyst_.VystFile = ReportFile();
  if (showReport) showReport(vyst_);
}

void TUctKalk::Tab() {
  const std::string title = definition_ ? definition_->title : std::string();
  ShowInTableViewer(run_, DatasetFile(), kCalculationOutputDef, "Orvo - Kalkulace", title);
}

}  // namespace orvo
