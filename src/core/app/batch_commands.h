// The orvo-batch commands of the application shell: install, period, users
// and archive. Each logs in first through the same access file, CheckLogin,
// roles and rights as the windows, and is refused with the same messages;
// messages go through the Ui port, plain results to `out`. The caller sets
// the session's DataRoot (SetDataRoot) before.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "core/app/session.h"

namespace orvo {

struct BatchCredentials {
  std::string user;      // --user
  std::string password;  // --password
};

inline constexpr int kBatchOk = 0;
inline constexpr int kBatchFailed = 1;   // the operation reported a failure
inline constexpr int kBatchUsage = 2;    // unknown or missing arguments
inline constexpr int kBatchRefused = 3;  // login or rights refused
inline constexpr int kBatchEnded = 4;    // a message ended the application

// The login of the main window: the name is trimmed, a wrong name or
// password shows "Chybne zadane jmeno nebo heslo !", and only the seven
// roles of the main window are admitted.
bool BatchLogIn(Session& session, const BatchCredentials& credentials);

// The organisation written into a new installation's initialisation file;
// a blank name gets a placeholder that says to fill it in.
struct InstallNames {
  std::string plant;       // --plant-name
  std::string adminUnit;   // --admin-unit
  std::string costCentre;  // --cost-centre
};

// `install`: the local tree and the application tree of DataRoot, and the
// initialisation file when it is missing. On a computer without an access
// file the given user (else the default "Admin") becomes its administrator
// and no login is asked; otherwise the user logs in as in the windows.
int BatchInstall(Session& session, const BatchCredentials& credentials, std::ostream& out,
                 const InstallNames& names = {});
// `period [show | set YYMM | prev | next]`: show prints CurrentPeriod;
// the changes need the role "Admin", "Sprav" or "AdmDef", check the entry as
// the period dialog does and print the saved period.
int BatchPeriod(Session& session, const BatchCredentials& credentials,
                const std::vector<std::string>& args, std::ostream& out);
// `users list | add NAME PASSWORD ROLE | remove NAME | master on|off |
// restore`, role "Admin" only: list prints name and role per line
// (passwords stay in the file); add appends a record; remove drops every
// record of the name; master enables or disables the master login (support);
// restore puts the previous version of the access file back (the login is
// checked against that version, as the current one may be damaged).
int BatchUsers(Session& session, const BatchCredentials& credentials,
               const std::vector<std::string>& args, std::ostream& out);
// `archive`: the menu's "Ulozeni dat"; prints each file that got a new
// generation.
int BatchArchive(Session& session, const BatchCredentials& credentials, std::ostream& out);

}  // namespace orvo
