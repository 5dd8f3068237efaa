// orvo DATA-ROOT: the application.
#include <QApplication>

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "core/sys/drive_map.h"
#include "gui/app/orvo_app.h"

int main(int argc, char** argv) {
  QApplication qapp(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Orvo"));
  QApplication::setQuitOnLastWindowClosed(false);

  std::string mapError;
  orvo::DriveMap drives = orvo::DriveMap::FromEnvironment(&mapError);
  if (!mapError.empty()) {
    std::cerr << "orvo: " << mapError << "\n";
    return 2;
  }
  // The local drive's own directory belongs to the drive map, not to the
  // application: it is there before anything of Orvo is.
  if (auto c = drives.HostDir('C')) {
    std::error_code ignored;
    std::filesystem::create_directories(*c, ignored);
  }

  orvo::gui::AppSetup setup;
  setup.drives = std::move(drives);
  orvo::gui::OrvoApp app(std::move(setup));
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
  return app.Run(args);
}
