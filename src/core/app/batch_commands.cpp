#include "core/app/batch_commands.h"

#include <functional>

#include "core/shell/archiving.h"
#include "core/shell/file_names.h"
#include "core/shell/layout.h"
#include "core/shell/login.h"
#include "core/shell/period.h"
#include "core/shell/period_dialog.h"
#include "core/shell/rights_admin.h"
#include "core/sys/messages.h"
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
               (verb == "remove" && args.size() == 2);
  if (!known) return kBatchUsage;
  if (session.UserRole != "Admin") return Refuse(session);
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

}  // namespace

bool BatchLogIn(Session& session, const BatchCredentials& credentials) {
  if (!EvaluateLogin(session, Trim(credentials.user), credentials.password)) return false;
  if (!RoleAdmitted(session.UserRole)) {
    Refuse(session);
    return false;
  }
  return true;
}

int BatchInstall(Session& session, const BatchCredentials& credentials, std::ostream& out) {
  return Guarded(session, credentials, [&] {
    PrepareLocalTree(session.env);
    CreateApplicationTrees(session);
    out << kLocalRoot << "\n" << AppDir(session) << "\n";
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
