// Who may do what: the login against the access-rights file, the roles the
// main window admits and the rights check of the guarded menu items. Every
// entry point (the windows and orvo-batch) logs in and checks through here.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "core/shell/run_values.h"

namespace orvo {

// The master user logs in without a password and passes every check. Both
// names are reserved: no stored user may carry them.
inline constexpr std::string_view kMasterUser = "Kor_Kor";
inline constexpr std::string_view kMasterUserName = "Pilot_Nad";

// Whether a name is one of the two names of the master login.
bool ReservedUserName(std::string_view name);

// The master login works only while the installation enables it: the file
// C:\A_Run\PristPr\MasterLogin.On, which "orvo-batch users master on" makes
// and "... off" removes. Off by default.
std::string MasterLoginFile();
bool MasterLoginEnabled(Env& env);
// The I/O result of making or removing the file.
int SetMasterLogin(Env& env, bool on);

// "Admin", "Sprav", "Prohl", "AdmCis", "AdmDef", "Obraty", "Stavy".
bool RoleAdmitted(std::string_view role);

// Sets UserName, UserRole and UserRights from the plain image of the access
// file. The name is compared byte for byte (case-sensitive); a record stored
// without a password admits only an empty typed password, with its own role
// (such records come from older files; the administration stores none);
// several records of one name and password add up their roles, the last one
// giving the role. Only the master login sets MasterLogin.
void CheckLogin(RunValues& session, std::string_view plainImage, std::string_view name,
                std::string_view password);

// The login as the dialog closes it: reads the access file, CheckLogin, and
// "Chybne zadane jmeno nebo heslo !" when no role results. True when a role
// resulted. The master user name counts only while the master login is
// enabled; otherwise it is a name like any other (and no record has it).
bool EvaluateLogin(RunValues& session, std::string_view name, std::string_view password);

// True after the master login, for the right "Admin" and for any of the
// named rights; otherwise "Pro tuto oblast nemate opravneni !" and false.
bool HasRight(RunValues& session, std::initializer_list<std::string_view> rights);

// The role guard of the menu: UserRole is one of the roles. No message.
bool HasRole(const RunValues& session, std::initializer_list<std::string_view> roles);

}  // namespace orvo
