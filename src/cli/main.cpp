// orvo-batch [--drive L=/host/dir ...] [--yes] COMMAND [ARGS ...]
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>

#include "cli/batch.h"
#include "core/app/batch_commands.h"
#include "core/app/session.h"
#include "core/sys/console_ui.h"
#include "core/sys/encoding.h"
#include "core/sys/password_prompt.h"
#include "core/sys/termination.h"

namespace {

void PrintHelp(std::ostream& out) {
  out << "orvo-batch: Orvo's operations from the command line.\n\n"
         "Usage: orvo-batch [OPTIONS] COMMAND [ARGS ...]\n\n"
         "Options:\n"
         "  --drive L=/host/dir   map drive L: to a host directory (repeatable; on top of\n"
         "                        ORVO_DRIVES, ~/.config/orvo/drives or the default C:)\n"
         "  --user NAME           log in as NAME (else ORVO_USER)\n"
         "  --password TEXT       the password (else ORVO_PASSWORD; without either, it is\n"
         "                        asked on the terminal without echo - an option on the\n"
         "                        command line can be seen by other processes)\n"
         "  --root DATA-ROOT      the data root: a drive (D:), a logical path (D:\\Firma)\n"
         "                        or a host directory (else ORVO_DATA_ROOT)\n"
         "  --yes                 answer Yes to questions (default: No)\n"
         "  --help                this text\n\n"
         "Every command but paths (and install or demo on a computer without an access\n"
         "file) logs in as the application does. A file is named by a logical path\n"
         "(D:\\Firma\\x.Cds) or a path of this machine (/srv/orvo/x.Cds), alike for every\n"
         "command. Writing a file in the installation's trees needs the right the menu\n"
         "needs for it (Sprav for data, Admin for the access file); read-only files are\n"
         "never written.\n\n"
         "Exit codes: 0 done (warnings go to the error stream), 1 refused or failed,\n"
         "2 wrong arguments, 3 login or rights refused.\n\n"
         "Commands:\n";
  for (const auto& c : orvo::cli::Commands()) {
    out << "  " << c.usage << "\n      " << c.summary << "\n";
  }
}

// The commands that log in by themselves (the shell's commands, which also
// create the first access file) or that need no login at all.
bool LogsInItself(const std::string& command) {
  for (const char* name :
       {"paths", "install", "demo", "period", "users", "archive", "close", "proc", "table", "doc", "journal",
        "ledger", "development", "saldo", "statement", "eval", "legacy", "calc", "convert", "accumulate", "konta",
        "auto-transfer"}) {
    if (command == name) return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  std::string mapError;
  orvo::DriveMap drives = orvo::DriveMap::FromEnvironment(&mapError);
  if (!mapError.empty()) {
    std::cerr << "orvo-batch: " << mapError << "\n";
    return 2;
  }
  bool yes = false;
  auto fromEnv = [](const char* name) {
    const char* v = std::getenv(name);
    return std::string(v != nullptr ? v : "");
  };
  std::string user = fromEnv("ORVO_USER");
  std::string password = fromEnv("ORVO_PASSWORD");
  bool passwordGiven = std::getenv("ORVO_PASSWORD") != nullptr;
  std::string root = fromEnv("ORVO_DATA_ROOT");
  int i = 1;
  for (; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--help" || a == "-h") {
      PrintHelp(std::cout);
      return 0;
    }
    if (a == "--yes") {
      yes = true;
    } else if ((a == "--user" || a == "--password" || a == "--root") && i + 1 < argc) {
      std::string& target = a == "--user" ? user : a == "--password" ? password : root;
      target = argv[++i];
      if (a == "--password") passwordGiven = true;
    } else if (a == "--drive" || a.rfind("--drive=", 0) == 0) {
      std::string mapText;
      if (a == "--drive") {
        if (i + 1 >= argc) {
          std::cerr << "orvo-batch: --drive needs L=/host/dir\n";
          return 2;
        }
        mapText = argv[++i];
      } else {
        mapText = a.substr(8);
      }
      std::string error;
      auto parsed = orvo::DriveMap::Parse(mapText, &error);
      if (!parsed) {
        std::cerr << "orvo-batch: --drive " << mapText << ": " << error << "\n";
        return 2;
      }
      for (const auto& [letter, dir] : parsed->Drives()) drives.Map(letter, dir);
    } else if (!a.empty() && a[0] == '-') {
      std::cerr << "orvo-batch: unknown option " << a << " (see --help)\n";
      return 2;
    } else {
      break;
    }
  }
  if (i >= argc) {
    PrintHelp(std::cerr);
    return 2;
  }
  const std::string name = argv[i++];
  const orvo::cli::Command* command = nullptr;
  for (const auto& c : orvo::cli::Commands()) {
    if (name == c.name) command = &c;
  }
  if (command == nullptr) {
    std::cerr << "orvo-batch: unknown command " << name << " (see --help)\n";
    return 2;
  }

  // No password on the command line or in the environment: asked on the
  // terminal, without echo, when there is one.
  if (!passwordGiven && !user.empty() && name != "paths") {
    if (auto typed = orvo::PromptPassword("Heslo (" + user + "): ")) password = *typed;
  }

  orvo::ConsoleUi ui(std::cerr, yes);
  orvo::DosFs fs(drives);
  orvo::SystemClock clock;
  orvo::Env env{ui, fs, clock};
  std::unique_ptr<orvo::Session> session = orvo::MakeSession(env);
  orvo::cli::BatchContext ctx{env,
                              *session,
                              std::cout,
                              std::cerr,
                              {},
                              orvo::Utf8ToCp1250(user),
                              orvo::Utf8ToCp1250(password),
                              orvo::Utf8ToCp1250(root)};
  for (; i < argc; ++i) ctx.args.push_back(orvo::Utf8ToCp1250(argv[i]));
  try {
    // The same login as the windows, before anything is read or written.
    if (!LogsInItself(name) &&
        !orvo::BatchLogIn(*session, {ctx.user, ctx.password})) {
      return orvo::kBatchRefused;
    }
    int rc = command->run(ctx);
    // A message that ended the application is a failure like any other.
    if (rc == orvo::kBatchEnded) rc = orvo::kBatchFailed;
    if (rc == 0 && ui.ErrorCount() > 0) rc = 1;
    return rc;
  } catch (const orvo::Termination& t) {
    std::cerr << "orvo-batch: ended: " << t.what() << "\n";
    return orvo::kBatchFailed;
  } catch (const std::exception& e) {
    std::cerr << "orvo-batch: internal error: " << e.what() << "\n";
    return 4;
  }
}
