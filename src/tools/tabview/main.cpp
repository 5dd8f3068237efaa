// orvo-tabview: the table viewer TabView.Exe of the installation.
//   orvo-tabview HAND-OVER.Ldb
//   orvo-tabview DATA.Cds DEFINITION.Def [Zobrazeni]
// Paths are logical DOS paths resolved with the drive map the caller hands
// on (ORVO_DRIVES); relative ones against the directory it was started in.
#include <QApplication>

#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

#include "tools/tabview/viewer_table.h"
#include "core/sys/drive_map.h"
#include "core/sys/dosfs.h"
#include "core/sys/termination.h"
#include "gui/sys/qt_ui.h"
#include "tools/tabview/table_view_window.h"

int main(int argc, char** argv) {
  QApplication qapp(argc, argv);
  QApplication::setApplicationName(QStringLiteral("TabView"));
  std::string mapError;
  orvo::DriveMap drives = orvo::DriveMap::FromEnvironment(&mapError);
  if (!mapError.empty()) {
    std::cerr << "orvo-tabview: " << mapError << "\n";
    return 2;
  }
  orvo::DosFs fs(std::move(drives));
  std::vector<char> cwd(4096);
  if (getcwd(cwd.data(), cwd.size()) != nullptr) {
    if (auto logical = fs.Drives().LogicalPathOf(cwd.data())) fs.ChangeDir(*logical);
  }
  orvo::SystemClock clock;
  orvo::gui::QtUi ui(fs, clock);
  orvo::Env env{ui, fs, clock};
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
  try {
    auto request = orvo::ViewerRequestFromArgs(env, args);
    if (!request) return 1;
    orvo::ViewerTable table(env);
    if (!table.Load(*request)) return 1;
    orvo::gui::TableViewWindow window(env, table);
    window.show();
    return QApplication::exec();
  } catch (const orvo::Termination&) {
    return 1;
  }
}
