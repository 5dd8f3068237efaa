#include "core/app/main_window.h"

#include "core/accounting/legacy_conversion.h"
#include "core/accounting/month_close.h"
#include "core/accounting/tables.h"
#include "core/app/code_list_menu.h"
#include "core/app/transfer_menu.h"
#include "core/shell/archiving.h"
#include "core/shell/file_names.h"
#include "core/shell/init_file.h"
#include "core/shell/layout.h"
#include "core/shell/login.h"
#include "core/shell/period.h"
#include "core/shell/table_viewer.h"
#include "core/sys/copy.h"
#include "core/sys/dates.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "core/sys/program.h"
#include "core/sys/termination.h"
#include "core/sys/text.h"

namespace orvo {

std::unique_ptr<InstanceLock> TakeInstanceLock(Env& env, bool* refused) {
  *refused = false;
  int io = 0;
  auto lock = env.fs.TryLock(kInstanceLockFile, &io);
  if (!lock && io == kIoSharingViolation) {
    *refused = true;
    InfoBox(env, "Program je jiz na tomto pocitaci spusten !", "Jmeno programu:  Orvo.Exe");
  }
  return lock;
}

std::string MainCaption(int dpi) {
  std::string caption = std::string(kProductName) + Blanks(44) + "Verze 1.5    01.03.2016";
  if (dpi >= 96) caption = ShortenBlankRuns(caption, 10);
  return caption;
}

void MainWindowModel::Create(const std::vector<std::string>& args) {
  Env& env = session_.env;
  if (!CheckStartDate(env)) throw Termination("system date");
  if (args.empty()) {
    InfoBox(env, "Nedostatecny pocet parametru", "Orvo");
    throw Termination("no data root given");
  }
  std::string root = ResolveDataRoot(env, args[0]);
  if (root.empty()) {
    // Nothing could be found for the parameter; going on would put the
    // application tree somewhere relative to the current directory.
    ErrorBox(env, "Adresar s daty:\r\r\"" + args[0] +
                      "\"\r\r     - nebyl nalezen !\r\rProgram bude ukoncen.");
    throw Termination("data root not found");
  }
  SetDataRoot(session_, root);
  firstActivation_ = true;
}

void MainWindowModel::Show() {
  Env& env = session_.env;
  PrepareLocalTree(env);
  PrepareDirectories(session_);
  WriteViewerDiskFile(session_);
  handOverWritten_ = true;
  env.fs.ChangeDir(AppDir(session_));
  ReadInitFile(session_);
  ConfigureMainPeriodModel(session_);
  const std::string local = LocalAppDir("PomSoub") + "\\UctObd.Txt";
  if (!FileExistsOrSay(env, local) && FileExistsOrSay(env, PeriodOverviewName(session_))) {
    CopyFile(env, PeriodOverviewName(session_), local, false);
  }
  LoadPeriod(session_);
}

void MainWindowModel::AfterLogin() {
  Env& env = session_.env;
  dosVisible_ = session_.UserRole == "Admin";
  if (!RoleAdmitted(session_.UserRole)) throw Termination("role not admitted");
  firstActivation_ = false;
  ArchiveAtStart(session_);
  env.ui.ProcessEvents();
  if (DiskFreeBytes(env, session_.DataRoot.empty() ? 'C' : session_.DataRoot[0]) <
      kMinimumFreeBytes) {
    ErrorBox(env, "Na disku \"" + UpperCz(session_.DataRoot) +
                      "\" je mene nez 500 MB volneho mista !\r\rProgram bude ukoncen.");
    throw Termination("too little free space");
  }
  InfoBox(env,
          "Prihlasen:     " + session_.UserName + "\r\rStatus:           " + session_.UserRole +
              "\r\rLokalni disk:  C:\rPracovni disk:  " + UpperCz(session_.DataRoot),
          "Aplikace spustena");
  env.fs.ChangeDir(AppDir(session_, "Data"));
}

std::string MainWindowModel::PlantLabel() const { return "Zavod:      " + session_.PlantName; }

std::string MainWindowModel::AdminUnitLabel() const {
  return "Sprava:     " + session_.AdminUnitName;
}

std::string MainWindowModel::CostCentreLabel() const {
  return "Stredisko:  " + session_.CostCentreName;
}

std::string MainWindowModel::PeriodLabel() const {
  return "Ucetni obdobi: " + session_.CurrentPeriod;
}

std::string MainWindowModel::BackgroundPicture() const {
  std::string name = BackgroundPictureName(session_);
  return session_.env.fs.FileExists(name) ? name : std::string();
}

bool MainWindowModel::Allowed(MenuAction action) {
  const MenuEntry* entry = MenuEntryOf(action);
  if (entry == nullptr || entry->guard == MenuGuard::None) return true;
  const auto& n = entry->names;
  if (entry->guard == MenuGuard::Role) {
    for (std::string_view role : n) {
      if (!role.empty() && session_.UserRole == role) return true;
    }
    return false;
  }
  if (n[1].empty()) return HasRight(session_, {n[0]});
  if (n[2].empty()) return HasRight(session_, {n[0], n[1]});
  return HasRight(session_, {n[0], n[1], n[2]});
}

bool MainWindowModel::NeedsWindow(MenuAction action) {
  switch (action) {
    case MenuAction::NObdobi:
    case MenuAction::TabObratyOdDo:
    case MenuAction::ObnovaDat:
    case MenuAction::UzavMes:
    case MenuAction::DataStavy:
    case MenuAction::PrehUctDenik:
    case MenuAction::PrehHlKniha:
    case MenuAction::VyvojStUc:
    case MenuAction::VyvojStCn:
    case MenuAction::SaldoKonto:
    case MenuAction::DataObraty:
    case MenuAction::ProgClose:
    case MenuAction::VykVysl:
    case MenuAction::VykRozv:
    case MenuAction::VykVol:
    case MenuAction::Kalkulace:
    case MenuAction::DataKalk:
    case MenuAction::AutPrev:
      return true;
    default:
      return false;
  }
}

void MainWindowModel::RunProgramOf(std::string_view exe, bool withDataDir, bool wait) {
  RunProgram(session_.env, session_.ProgramsDir + "\\" + std::string(exe),
             withDataDir ? AppDir(session_) : std::string(), wait);
}

void MainWindowModel::Perform(MenuAction action) {
  const std::string defDir = AppDir(session_, "DefSoub");
  switch (action) {
    case MenuAction::TabStavy:
      ShowTable(session_, session_.engine, BooksTable::Stavy);
      break;
    case MenuAction::TabObraty:
      ShowTable(session_, session_.engine, BooksTable::Obraty);
      break;
    case MenuAction::TabStavyObraty:
      ShowTable(session_, session_.engine, BooksTable::StavyObraty);
      break;
    case MenuAction::TabAktStavy:
      ShowTable(session_, session_.engine, BooksTable::AktStavy);
      break;
    case MenuAction::ArchFile:
      ArchFile(session_);
      break;
    case MenuAction::DosPrevCis:
      DosPrevCis(session_, session_.engine, session_.codeList);
      break;
    case MenuAction::DosPrevStavy:
      DosPrevStavy(session_, session_.engine, session_.codeList);
      break;
    case MenuAction::DosPrevObraty:
      DosPrevObraty(session_, session_.engine, session_.codeList);
      break;
    case MenuAction::KumPexo:
    case MenuAction::KumRamu:
    case MenuAction::KumSramu:
    case MenuAction::KumKolo:
    case MenuAction::KumMzd:
    case MenuAction::KumVintZav:
    case MenuAction::KumVintStr: {
      KumItem item = KumItem::Pexo;
      if (KumItemOfAction(action, &item)) Accumulate(session_, session_.engine, item);
      break;
    }
    case MenuAction::RocUzav:
      RocUzav(session_, session_.engine);
      break;
    case MenuAction::AUcty:
      AUcty(session_, session_.codeList);
      break;
    case MenuAction::ACinn:
      ACinn(session_, session_.codeList);
      break;
    case MenuAction::AKonta:
      AKonta(session_, session_.codeList);
      break;
    case MenuAction::AMjCinn:
      AMjCinn(session_, session_.codeList);
      break;
    case MenuAction::ACM:
      ACM(session_, session_.codeList);
      break;
    case MenuAction::AOdDoKonto:
      AOdDoKonto(session_, session_.codeList);
      break;
    case MenuAction::EditAt:
      RunProgramOf("LinePad.Exe", true, false);
      break;
    case MenuAction::EditRt:
      RunProgramOf("FormPad.Exe", true, false);
      break;
    case MenuAction::EditRv:
      RunProgramOf("PagePad.Exe", true, false);
      break;
    case MenuAction::EditIm:
      RunProgramOf("PicEdit.Exe", true, false);
      break;
    case MenuAction::ProhlObr:
      RunProgramOf("ImgView.Exe", false, true);
      break;
    case MenuAction::PrehrMedii:
      RunProgramOf("MediaRun.Exe", false, false);
      break;
    default:
      // The accounting functions, the text editor and
      // the desk utilities join here as they arrive.
      break;
  }
}

bool MainWindowModel::CloseQuery() {
  Env& env = session_.env;
  if (!AskYesNo(env, "Ukoncit program ?", "Orvo")) return false;
  const std::string dirs[] = {std::string(kLocalRoot) + "\\Sestavy", std::string(kWorkDir)};
  for (const std::string& dir : dirs) {
    if (env.fs.ChangeDir(dir) == kIoOk) EraseOlderFiles(env, "*.*");
  }
  for (const std::string& dir : dirs) {
    if (env.fs.ChangeDir(dir) == kIoOk) EraseAllFiles(env, "*.*");
  }
  EraseViewerDiskFile(env);
  handOverWritten_ = false;
  return true;
}

MainWindowModel::~MainWindowModel() {
  if (!handOverWritten_) return;
  try {
    EraseViewerDiskFile(session_.env);
  } catch (...) {
    // Nothing may leave a destructor; the file is only a hint for the viewer.
  }
}

}  // namespace orvo
