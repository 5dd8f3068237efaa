// orvo-batch `install` with the installation data, and `demo`: a complete
// installation for the demo company (three plants, the current year's code
// lists, the finance sibling's lists, a period and a user "Admin"), from
// which the application can be started at once.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "core/app/batch_commands.h"
#include "core/app/install_data.h"
#include "core/app/session.h"

namespace orvo {

// `install`: the trees as BatchInstall makes them, then the definitions and
// code lists of the installation data that are missing. Prints the trees
// and every file made.
int BatchInstallWithData(Session& session, const BatchCredentials& credentials,
                         const InstallSources& sources, std::ostream& out,
                         const InstallNames& names = {});

struct DemoPlant {
  std::string plant;       // line 1 of UctInic.TXT
  std::string adminUnit;   // line 2
  std::string costCentre;  // line 3
  std::string legacyDir;   // line 4
};

inline constexpr std::string_view kDemoPlants = "demo/plants.txt";

// The plants of demo/plants.txt (Windows-1250); false with the fault.
bool ParseDemoPlants(std::string_view utf8, std::vector<DemoPlant>* plants, InstallFault* fault);

struct DemoOptions {
  int plant = 1;             // 1-based, which plant's UctInic.TXT is written
  std::string newPassword;   // for "Admin" when the access file is made
  // Writes the installation's tools once the installation is made; the
  // files it names are printed with the others.
  std::function<std::vector<std::string>()> writeTools;
};

// `demo`: on a computer without an access file, one is made with the single
// user "Admin" (role Admin) and the new password, and the run logs in as
// that user; otherwise the caller's credentials must log in with the role
// "Admin". Then the trees, the period file (today's month), the print
// settings and UctInic.TXT of the chosen plant when they are missing, and the installation data of
// the demo scope. Existing files are never replaced. Prints what was made,
// the organisation, the period and the user with the password when one was
// made.
int BatchDemo(Session& session, const BatchCredentials& credentials, const InstallSources& sources,
              const DemoOptions& options, std::ostream& out);

}  // namespace orvo
