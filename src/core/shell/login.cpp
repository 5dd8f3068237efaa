#include "core/shell/login.h"

#include <vector>

#include "core/shell/access_file.h"
#include "core/shell/file_names.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"

namespace orvo {

bool RoleAdmitted(std::string_view role) {
  for (std::string_view r : {"Admin", "Sprav", "Prohl", "AdmCis", "AdmDef", "Obraty", "Stavy"}) {
    if (role == r) return true;
  }
  return false;
}

bool ReservedUserName(std::string_view name) {
  return name == kMasterUser || name == kMasterUserName;
}

void CheckLogin(RunValues& session, std::string_view plainImage, std::string_view name,
                std::string_view password) {
  if (name == kMasterUser) {
    session.UserName = std::string(kMasterUserName);
    session.UserRole = "Admin";
    session.MasterLogin = true;
    return;
  }
  session.MasterLogin = false;
  session.UserName = std::string(name);
  session.UserRole.clear();
  session.UserRights = "|";
  for (const AccessRecord& r : ParseAccessImage(plainImage)) {
    if (r.name != name) continue;
    if (r.password == password) {
      session.UserRole = r.role;
      session.UserRights += r.role + "|";
    }
  }
}

std::string MasterLoginFile() { return "C:\\A_Run\\PristPr\\MasterLogin.On"; }

bool MasterLoginEnabled(Env& env) { return FileExistsQuiet(env, MasterLoginFile()); }

int SetMasterLogin(Env& env, bool on) {
  if (!on) return MasterLoginEnabled(env) ? EraseFile(env, MasterLoginFile()) : kIoOk;
  MakeDirPath(env, DirectoryOf(MasterLoginFile()));
  return env.fs.WriteWhole(MasterLoginFile(), "Kor_Kor\r\n");
}

bool EvaluateLogin(RunValues& session, std::string_view name, std::string_view password) {
  std::string image = ReadAccessFile(session.env, AccessFileName());
  if (name == kMasterUser && !MasterLoginEnabled(session.env)) {
    // Not enabled: the name is looked up like any other, and no stored
    // record may carry it.
    CheckLogin(session, AccessHead(), "", "");
    session.UserName = std::string(name);
  } else {
    CheckLogin(session, image, name, password);
  }
  if (session.UserRole.empty()) {
    InfoBox(session.env, "Chybne zadane jmeno nebo heslo !");
    return false;
  }
  return true;
}

bool HasRight(RunValues& session, std::initializer_list<std::string_view> rights) {
  if (session.MasterLogin) return true;
  if (session.UserRights.find("|Admin|") != std::string::npos) return true;
  for (std::string_view r : rights) {
    if (session.UserRights.find("|" + std::string(r) + "|") != std::string::npos) return true;
  }
  ErrorBox(session.env, "Pro tuto oblast nemate opravneni !");
  return false;
}

bool HasRole(const RunValues& session, std::initializer_list<std::string_view> roles) {
  for (std::string_view r : roles) {
    if (session.UserRole == r) return true;
  }
  return false;
}

}  // namespace orvo
