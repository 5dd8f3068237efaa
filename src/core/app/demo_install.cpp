#include "core/app/demo_install.h"

#include "core/accounting/demo_transfers.h"
#include "core/accounting/demo_year.h"
#include "core/shell/access_file.h"
#include "core/shell/file_names.h"
#include "core/sys/file_write.h"
#include "core/shell/init_file.h"
#include "core/shell/layout.h"
#include "core/shell/period.h"
#include "core/sys/text_lines.h"
#include "core/data/definition.h"
#include "core/output/print_settings.h"
#include "core/sys/dates.h"
#include "core/sys/encoding.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "core/sys/termination.h"
#include "core/sys/text.h"

namespace orvo {

namespace {

int InstallTail(Session& session, const InstallSources& sources, InstallScope scope,
                std::ostream& out) {
  try {
    std::vector<std::string> created;
    bool ok = InstallData(session, sources, scope, &created);
    for (const std::string& file : created) out << file << "\n";
    return ok ? kBatchOk : kBatchFailed;
  } catch (const Termination&) {
    return kBatchEnded;
  }
}

}  // namespace

int BatchInstallWithData(Session& session, const BatchCredentials& credentials,
                         const InstallSources& sources, std::ostream& out,
                         const InstallNames& names) {
  // Checked first, so that faulty data leaves nothing behind.
  if (!CheckInstallData(session.env, sources, InstallScope::Install)) return kBatchFailed;
  int rc = BatchInstall(session, credentials, out, names);
  if (rc != kBatchOk) return rc;
  return InstallTail(session, sources, InstallScope::Install, out);
}

bool ParseDemoPlants(std::string_view utf8, std::vector<DemoPlant>* plants, InstallFault* fault) {
  plants->clear();
  int n = 0;
  for (std::string_view raw : TextLines(utf8)) {
    ++n;
    std::string line(raw);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::string t = Trim(line);
    if (t.empty() || t[0] == '#') continue;
    std::vector<std::string> f;
    size_t start = 0;
    for (size_t bar = line.find('|'); ; bar = line.find('|', start)) {
      f.push_back(Utf8ToCp1250(Trim(line.substr(start, bar == std::string::npos ? bar : bar - start))));
      if (bar == std::string::npos) break;
      start = bar + 1;
    }
    if (f.size() != 4 || !Utf8FitsCp1250(line)) {
      *fault = {std::string(kDemoPlants), n, "Radek nema ctyri udaje oddelene znakem |"};
      return false;
    }
    plants->push_back({f[0], f[1], f[2], f[3]});
  }
  if (plants->empty()) {
    *fault = {std::string(kDemoPlants), 0, "Soubor neobsahuje zadny zavod"};
    return false;
  }
  return true;
}

int BatchDemo(Session& session, const BatchCredentials& credentials, const InstallSources& sources,
              const DemoOptions& options, std::ostream& out) {
  Env& env = session.env;
  if (!CheckInstallData(env, sources, InstallScope::Demo)) return kBatchFailed;
  std::vector<DemoPlant> plants;
  InstallFault fault;
  auto plantsText = sources.files.find(std::string(kDemoPlants));
  if (plantsText == sources.files.end()) {
    fault = {std::string(kDemoPlants), 0, "Soubor chybi"};
  }
  if (plantsText == sources.files.end() || !ParseDemoPlants(plantsText->second, &plants, &fault)) {
    ErrorBox(env,
             Utf8ToCp1250(fault.file) + (fault.line > 0 ? ", radek " + std::to_string(fault.line) : "") +
                 ":\r" + fault.problem + "\r\r" + Utf8ToCp1250(sources.origin),
             "Chyba v instalacnich datech");
    return kBatchFailed;
  }
  if (options.plant < 1 || options.plant > static_cast<int>(plants.size())) return kBatchUsage;
  const DemoPlant& plant = plants[static_cast<size_t>(options.plant - 1)];

  try {
    BatchCredentials login = credentials;
    bool madeUser = false;
    if (!FileExistsQuiet(env, AccessFileName())) {
      if (options.newPassword.empty() || !FitsAccessRecord(options.newPassword)) {
        return kBatchUsage;
      }
      PrepareLocalTree(env);
      std::string image = BuildAccessImage({{"Admin", options.newPassword, "Admin"}});
      if (WriteAccessFile(env, AccessFileName(), image) != kIoOk) return kBatchFailed;
      login = {"Admin", options.newPassword};
      madeUser = true;
    }
    if (!BatchLogIn(session, login)) return kBatchRefused;
    if (session.UserRole != "Admin") {
      ErrorBox(env, "Pro tuto oblast nemate opravneni !");
      return kBatchRefused;
    }

    PrepareLocalTree(env);
    CreateApplicationTrees(session);
    ConfigureMainPeriodModel(session);
    if (!FileExistsQuiet(env, PeriodFileName(session))) {
      std::string today = TodayText(env);
      session.CurrentPeriod = today.substr(8, 2) + " " + today.substr(3, 2);
      if (!SavePeriod(session)) return kBatchFailed;
      out << PeriodFileName(session) << "\n";
    }
    // The print settings in place, so that the first listing does not stop
    // to announce them.
    if (!FileExistsQuiet(env, kNumRowFontFile)) {
      if (!PutPrintSettings(env, PrintSettings{})) return kBatchFailed;
      out << kNumRowFontFile << "\n";
    }
    std::string init = InitFileName(session);
    if (!FileExistsQuiet(env, init)) {
      std::string text = JoinLines({plant.plant, plant.adminUnit, plant.costCentre, plant.legacyDir});
      if (!WriteFileOrAsk(env, init, text)) return kBatchFailed;
      out << init << "\n";
    }
    int rc = InstallTail(session, sources, InstallScope::Demo, out);
    if (rc != kBatchOk) return rc;
    // A year of books of all three plants, closed month by month.
    std::vector<DemoUnit> units;
    for (const DemoPlant& p : plants) {
      units.push_back({p.plant.substr(0, 2), p.adminUnit.substr(0, 2), p.costCentre.substr(0, 2)});
    }
    for (const std::string& file : WriteDemoYear(session, session.engine, units)) out << file << "\n";
    for (const std::string& file : WriteDemoTransfers(session, session.engine, units)) out << file << "\n";
    if (options.writeTools) {
      for (const std::string& file : options.writeTools()) out << file << "\n";
    }

    LoadPeriod(session);
    ReadInitFile(session);
    out << "\n";
    out << "Zavod:      " << session.PlantName << "\n";
    out << "Sprava:     " << session.AdminUnitName << "\n";
    out << "Stredisko:  " << session.CostCentreName << "\n";
    out << "Ucetni obdobi: " << session.CurrentPeriod << "\n";
    if (madeUser) {
      out << "Uzivatel: Admin   Heslo: " << options.newPassword << "\n";
    } else {
      out << "Uzivatele: beze zmeny (" << AccessFileName() << ")\n";
    }
    return kBatchOk;
  } catch (const Termination&) {
    return kBatchEnded;
  }
}

}  // namespace orvo
