#include "core/app/batch_commands.h"

#include <functional>

#include "core/shell/archiving.h"
#include "core/shell/file_names.h"
#include "core/shell/layout.h"
#include "core/shell/login.h"
#include "core/shell/period.h"
#include "core/shell/period_dialog.h"
#include "core/shell/rights_admin.h"
#include "core/shell/access_file.h"
#include "core/shell/init_file.h"
#include "core/sys/copy.h"
#include "core/sys/file_write.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "core/sys/text_lines.h"
#include "core/sys/termination.h"
#include "core/sys/text.h"

namespace orvo {

namespace {

// Role checks of the menu refuse without a word; on the command line a
// refusal needs saying, so it says what the rights check says.
int Refuse(Session& session) {
  ErrorBox(session.env, "Pro tuto oblast nemate opravneni !");
  return kBatchRefused;
}

int Guarded(Session& session, const BatchCredentials& credentials,
            const std::function<int()>& command) {
  try {
    if (!BatchLogIn(session, credentials)) return kBatchRefused;
    return command();
  } catch (const Termination&) {
    return kBatchEnded;
  }
}

int PeriodCommand(Session& session, const std::vector<std::string>& args, std::ostream& out) {
  std::string verb = args.empty() ? "show" : args[0];
  size_t expected = verb == "set" ? 2 : 1;
  if (args.size() > expected || (verb == "set" && args.size() != 2)) return kBatchUsage;
  if (verb == "show") {
    LoadPeriod(session);
    out << session.CurrentPeriod << "\n";
    return kBatchOk;
  }
  if (verb != "set" && verb != "prev" && verb != "next") return kBatchUsage;
  if (!HasRole(session, {"Admin", "Sprav", "AdmDef"})) return Refuse(session);
  PeriodDialogModel dialog(session);
  dialog.Show();
  bool saved;
  if (verb == "set") {
    dialog.SetField(args[1]);
    if (!dialog.LeaveField()) return kBatchFailed;
    saved = dialog.Close();
  } else {
    if (verb == "prev") dialog.Previous();
    else dialog.Next();
    saved = SavePeriod(session);
  }
  if (!saved) return kBatchFailed;
  LoadPeriod(session);
  out << session.CurrentPeriod << "\n";
  return kBatchOk;
}

int UsersCommand(Session& session, const std::vector<std::string>& args, std::ostream& out) {
  if (args.empty()) return kBatchUsage;
  const std::string& verb = args[0];
  bool known = (verb == "list" && args.size() == 1) || (verb == "add" && args.size() == 4) ||
               (verb == "remove" && args.size() == 2) ||
               (verb == "master" && args.size() == 2 && (args[1] == "on" || args[1] == "off"));
  if (!known) return kBatchUsage;
  if (session.UserRole != "Admin") return Refuse(session);
  if (verb == "master") {
    if (SetMasterLogin(session.env, args[1] == "on") != kIoOk) {
      ErrorBox(session.env, "Nepodarilo se zalozit soubor:\r\r     " + MasterLoginFile());
      return kBatchFailed;
    }
    out << "Kor_Kor: " << (MasterLoginEnabled(session.env) ? "povolen" : "zakazan") << "\n";
    return kBatchOk;
  }
  RightsAdminModel admin(session);
  admin.Show();
  std::vector<AccessRecord> records = admin.RecordsToStore();
  if (verb == "list") {
    for (const auto& r : records) out << r.name << "\t" << r.role << "\n";
    return kBatchOk;
  }
  if (verb == "add") {
    int row = static_cast<int>(records.size());
    if (row >= RightsAdminModel::kRows) {
      ErrorBox(session.env, "Tabulka pristupovych prav je plna !", RightsAdminModel::kCaption);
      return kBatchFailed;
    }
    if (AllBlanks(args[1])) return kBatchUsage;
    admin.SetCell(row, 0, args[1]);
    admin.SetCell(row, 1, args[2]);
    admin.SetCell(row, 2, args[3]);
  } else {
    std::string name = Trim(args[1]);
    bool found = false;
    for (int row = static_cast<int>(records.size()) - 1; row >= 0; --row) {
      if (records[row].name == name) {
        admin.RemoveRow(row);
        found = true;
      }
    }
    if (!found) {
      ErrorBox(session.env, "Uzivatel " + name + " nebyl nalezen !", RightsAdminModel::kCaption);
      return kBatchFailed;
    }
  }
  return admin.Close() ? kBatchOk : kBatchFailed;
}

// `users restore`: the previous version of the access file back in its
// place. The current file may be damaged, so the administrator logs in
// against the previous version itself.
int RestoreAccessFile(Session& session, const BatchCredentials& credentials, std::ostream& out) {
  Env& env = session.env;
  const std::string file = AccessFileName();
  const std::string backup = AccessBackupName(file);
  if (!FileExistsOrSay(env, backup)) return kBatchFailed;
  std::string image = ReadAccessFile(env, backup);
  CheckLogin(session, image, Trim(credentials.user), credentials.password);
  if (session.UserRole.empty()) {
    InfoBox(env, "Chybne zadane jmeno nebo heslo !");
    return kBatchRefused;
  }
  if (session.UserRole != "Admin") return Refuse(session);
  if (CopyFile(env, backup, file, false) != 0) return kBatchFailed;
  env.fs.SetAttributes(file, kAttrReadOnly | kAttrHidden);
  out << file << "\n";
  return kBatchOk;
}

}  // namespace

bool BatchLogIn(Session& session, const BatchCredentials& credentials) {
  if (!EvaluateLogin(session, Trim(credentials.user), credentials.password)) return false;
  if (!RoleAdmitted(session.UserRole)) {
    Refuse(session);
    return false;
  }
  return true;
}

int BatchInstall(Session& session, const BatchCredentials& credentials, std::ostream& out,
                 const InstallNames& names) {
  Env& env = session.env;
  BatchCredentials login = credentials;
  if (!FileExistsQuiet(env, AccessFileName())) {
    // The first installation on this computer: its user becomes the
    // administrator, as the demo does; without one the default file stands.
    std::string user = Trim(credentials.user);
    std::vector<AccessRecord> records{{"Admin", std::string(kDefaultAdminPassword), "Admin"}};
    if (!user.empty()) {
      if (ReservedUserName(user) || credentials.password.empty() || !FitsAccessRecord(user) ||
          !FitsAccessRecord(credentials.password)) {
        ErrorBox(env, "Uzivatel " + user +
                          ": prvni spravce potrebuje vlastni jmeno a neprazdne heslo !");
        return kBatchUsage;
      }
      records = {{user, credentials.password, "Admin"}};
    }
    PrepareLocalTree(env);
    MakeDirPath(env, DirectoryOf(AccessFileName()));
    if (WriteAccessFile(env, AccessFileName(), BuildAccessImage(records)) != kIoOk) {
      ErrorBox(env, "Nepodarilo se zalozit soubor:\r\r     " + AccessFileName());
      return kBatchFailed;
    }
    login = {records[0].name, records[0].password};
  }
  return Guarded(session, login, [&] {
    if (session.UserRole != "Admin") return Refuse(session);
    PrepareLocalTree(env);
    CreateApplicationTrees(session);
    out << kLocalRoot << "\n" << AppDir(session) << "\n";
    // Without it the application ends at once; the placeholders say what
    // to put there (menu "Servis", the initialisation file).
    std::string init = InitFileName(session);
    if (!FileExistsQuiet(env, init)) {
      auto orPlaceholder = [](const std::string& name, const char* placeholder) {
        return AllBlanks(name) ? std::string(placeholder) : name;
      };
      std::string text = JoinLines({orPlaceholder(names.plant, "01 Zavod (doplnte nazev)"),
                                    orPlaceholder(names.adminUnit, "01 Sprava (doplnte nazev)"),
                                    orPlaceholder(names.costCentre, "01 Stredisko (doplnte nazev)"),
                                    ""});
      if (!WriteFileOrAsk(env, init, text)) return kBatchFailed;
      out << init << "\n";
    }
    return kBatchOk;
  });
}

int BatchPeriod(Session& session, const BatchCredentials& credentials,
                const std::vector<std::string>& args, std::ostream& out) {
  ConfigureMainPeriodModel(session);
  return Guarded(session, credentials, [&] { return PeriodCommand(session, args, out); });
}

int BatchUsers(Session& session, const BatchCredentials& credentials,
               const std::vector<std::string>& args, std::ostream& out) {
  if (args.size() == 1 && args[0] == "restore") {
    try {
      return RestoreAccessFile(session, credentials, out);
    } catch (const Termination&) {
      return kBatchEnded;
    }
  }
  return Guarded(session, credentials, [&] { return UsersCommand(session, args, out); });
}

int BatchArchive(Session& session, const BatchCredentials& credentials, std::ostream& out) {
  ConfigureMainPeriodModel(session);
  return Guarded(session, credentials, [&] {
    for (const std::string& file : ArchFile(session)) out << file << "\n";
    return kBatchOk;
  });
}

}  // namespace orvo
