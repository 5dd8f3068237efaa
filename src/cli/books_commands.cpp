// The books' commands: the closes of the menu "Uzaverka" and one operation
// of the processing object at a time. Each logs in as the main window does
// and passes the guard of the menu item it stands for.
#include <ostream>
#include <sstream>

#include "cli/args.h"
#include "cli/batch.h"
#include "core/accounting/month_close.h"
#include "core/accounting/tables.h"
#include "core/accounting/uct_proc.h"
#include "core/app/batch_commands.h"
#include "core/app/main_window.h"
#include "core/app/session.h"
#include "core/shell/init_file.h"
#include "core/shell/period.h"
#include "core/shell/run_values.h"
#include "core/data/dataset.h"
#include "core/sys/copy.h"
#include "core/sys/encoding.h"
#include "core/sys/file_write.h"
#include "core/sys/files.h"
#include "core/sys/text.h"
#include "core/sys/messages.h"
#include "core/sys/numbers.h"
#include "core/sys/program.h"
#include "core/sys/termination.h"

namespace orvo::cli {

namespace {

// Logs in, reads the organisation and the period, and checks the guard of
// the menu item `action`; a refusal is said, as the rights check says it.
int Enter(BatchContext& ctx, MenuAction action) {
  Session& session = ctx.session;
  if (ctx.dataRoot.empty()) {
    ctx.err << "orvo-batch: no data root: give --root DATA-ROOT or set ORVO_DATA_ROOT\n";
    return kBatchUsage;
  }
  std::string root = ResolveDataRoot(ctx.env, ctx.dataRoot);
  if (root.empty()) {
    ctx.err << "orvo-batch: the data root " << Cp1250ToUtf8(ctx.dataRoot) << " was not found\n";
    return kBatchFailed;
  }
  SetDataRoot(session, root);
  if (!BatchLogIn(session, {ctx.user, ctx.password})) return kBatchRefused;
  ReadInitFile(session);
  ConfigureMainPeriodModel(session);
  LoadPeriod(session);
  MainWindowModel menu(session);
  if (!menu.Allowed(action)) {
    if (!MenuEntryOf(action) || MenuEntryOf(action)->guard == MenuGuard::Role) {
      ErrorBox(ctx.env, "Pro tuto oblast nemate opravneni !");
    }
    return kBatchRefused;
  }
  return kBatchOk;
}

template <typename Run>
int Guard(Run run) {
  try {
    return run();
  } catch (const Termination&) {
    return kBatchEnded;
  }
}

int CloseMonth(BatchContext& ctx, const Args& args) {
  int rc = Enter(ctx, MenuAction::UzavMes);
  if (rc != kBatchOk) return rc;
  Session& session = ctx.session;
  if (!ConfirmMonthClose(session)) return kBatchFailed;
  TUctMesU window(session, session.engine);
  window.FormShow();
  if (args.Has("--to")) window.Edit2 = args.Value("--to");
  const std::string from = window.Edit1;
  if (!window.Proved()) return kBatchFailed;
  WriteText(ctx.out, "Uzavreno " + from + ", ucetni obdobi: " + session.CurrentPeriod + "\n");
  return kBatchOk;
}

int CloseYear(BatchContext& ctx) {
  int rc = Enter(ctx, MenuAction::RocUzav);
  if (rc != kBatchOk) return rc;
  Session& session = ctx.session;
  if (session.PeriodMonth != "01") {
    ctx.err << "orvo-batch close year: only in month 01 (the period is "
            << Cp1250ToUtf8(session.CurrentPeriod) << ")\n";
    return kBatchFailed;
  }
  if (!RocUzav(session, session.engine)) return kBatchFailed;
  WriteText(ctx.out, "Upraven stav " + session.PeriodYear + "00\n");
  return kBatchOk;
}

// A table as separated text: the field names, then one line per record,
// values trimmed, ";" between them, quoted where they hold ";" or a quote;
// Windows-1250 with CR LF like the system's other text files.
std::string TableCsv(const Dataset& ds) {
  auto field = [](std::string value) {
    if (value.find_first_of(";\"\r\n") == std::string::npos) return value;
    std::string quoted = "\"";
    for (char c : value) {
      if (c == '"') quoted += '"';
      quoted += c;
    }
    return quoted + "\"";
  };
  std::string text;
  for (int f = 0; f < ds.FieldCount(); ++f) text += (f ? ";" : "") + field(ds.Field(f).name);
  text += "\r\n";
  for (int r = 0; r < ds.RecordCount(); ++r) {
    for (int f = 0; f < ds.FieldCount(); ++f) text += (f ? ";" : "") + field(Trim(ds.StringAt(r, f)));
    text += "\r\n";
  }
  return text;
}

int Table(BatchContext& ctx, const std::vector<std::string>& w, const std::string& out) {
  struct View {
    const char* word;
    BooksTable table;
    MenuAction action;
  };
  static const View views[] = {{"stavy", BooksTable::Stavy, MenuAction::TabStavy},
                               {"obraty", BooksTable::Obraty, MenuAction::TabObraty},
                               {"range", BooksTable::ObratyOdDo, MenuAction::TabObratyOdDo},
                               {"stavy-obraty", BooksTable::StavyObraty, MenuAction::TabStavyObraty},
                               {"aktualni-stavy", BooksTable::AktStavy, MenuAction::TabAktStavy}};
  const View* view = nullptr;
  for (const View& v : views) {
    if (w[0] == v.word) view = &v;
  }
  const bool range = view != nullptr && view->table == BooksTable::ObratyOdDo;
  if (view == nullptr || w.size() != (range ? 3u : 1u) || out.empty()) {
    ctx.err << "orvo-batch table: stavy | obraty | range FROM TO | stavy-obraty | aktualni-stavy "
               "--out FILE.Cds|FILE.csv\n";
    return kBatchUsage;
  }
  int rc = Enter(ctx, view->action);
  if (rc != kBatchOk) return rc;
  Session& session = ctx.session;
  TableView shown = ComputeTable(session, session.engine, view->table, range ? w[1] : std::string(),
                                 range ? w[2] : std::string());
  if (!shown.ok) {
    if (!FileExistsQuiet(ctx.env, shown.file)) FileExistsOrSay(ctx.env, shown.file);
    return kBatchFailed;
  }
  if (UpperCz(ExtensionOf(out)) == ".CSV") {
    Dataset ds(ctx.env);
    if (!ds.LoadFromFile(shown.file)) return kBatchFailed;
    if (!WriteFileOrAsk(ctx.env, out, TableCsv(ds))) return kBatchFailed;
  } else if (!SafeReplace(ctx.env, shown.file, out, true)) {
    return kBatchFailed;
  }
  WriteText(ctx.out, shown.heading + ": " + std::to_string(FileSizeOf(ctx.env, out)) + " B " + out + "\n");
  return kBatchOk;
}

}  // namespace

int RunTable(BatchContext& ctx) {
  Args args(ctx.args, {{"--out", true}});
  if (!args.Ok() || args.Positional().empty()) {
    ctx.err << "orvo-batch table: stavy | obraty | range FROM TO | stavy-obraty | aktualni-stavy "
               "--out FILE.Cds|FILE.csv\n";
    return kBatchUsage;
  }
  return Guard([&] { return Table(ctx, args.Positional(), args.Value("--out")); });
}

int RunClose(BatchContext& ctx) {
  Args args(ctx.args, {{"--to", true}});
  if (!args.Ok()) {
    ctx.err << "orvo-batch close: " << Cp1250ToUtf8(args.Error()) << "\n";
    return kBatchUsage;
  }
  const auto& words = args.Positional();
  if (words.size() == 1 && words[0] == "month") return Guard([&] { return CloseMonth(ctx, args); });
  if (words.size() == 1 && words[0] == "year" && !args.Has("--to")) {
    return Guard([&] { return CloseYear(ctx); });
  }
  ctx.err << "orvo-batch close: month [--to YYMM] | year\n";
  return kBatchUsage;
}

int RunProc(BatchContext& ctx) {
  Args args(ctx.args, {});
  const auto& w = args.Positional();
  if (!args.Ok() || w.empty()) {
    ctx.err << "orvo-batch proc: NAME ARGS...\n";
    return kBatchUsage;
  }
  struct Op {
    const char* name;
    size_t count;
  };
  static const Op ops[] = {{"MakeCdsFile", 2}, {"SortCds1", 3}, {"SortCds2", 4}, {"StOb", 2},    {"ObSt", 2},
                           {"StObSpoj", 3},    {"StNove", 3},   {"StSNove", 3}, {"ObOdDo", 3},
                           {"RocniUzav", 0},   {"Oprava", 2}};
  const Op* op = nullptr;
  for (const Op& o : ops) {
    if (w[0] == o.name) op = &o;
  }
  if (op == nullptr || w.size() != op->count + 1) {
    ctx.err << "orvo-batch proc: one of MakeCdsFile JmS JmSD | SortCds1 JmS1 JmS2 NumKey | SortCds2 JmS1 JmSD JmS2 NumKey | "
               "StOb JmSSt JmSOb | ObSt JmSOb JmSSt | StObSpoj JmSSt JmSOb JmSSpoj | "
               "StNove JmSSt JmSOb JmSStN | StSNove JmSSt JmSOb JmSStN | ObOdDo Obd1 Obd2 JmSObN | "
               "RocniUzav | Oprava JmsN JmSO\n";
    return kBatchUsage;
  }
  return Guard([&] {
    // The operations write balance files: the roles that close may run them.
    int rc = Enter(ctx, MenuAction::UzavMes);
    if (rc != kBatchOk) return rc;
    TUctProc proc(ctx.session, ctx.session.engine);
    const std::string name = w[0];
    bool ok = true;
    if (name == "MakeCdsFile") {
      proc.MakeCdsFile(w[1], w[2]);
    } else if (name == "SortCds1") {
      const int keys = NumberOf(w[3]);
      if (keys < 1 || keys > kCisMaxKeys) {
        ctx.err << "orvo-batch proc SortCds1: NumKey must be 1 to 20\n";
        return kBatchUsage;
      }
      ok = proc.SortCds1(ctx.session.codeList, w[1], w[2], keys);
    } else if (name == "SortCds2") {
      const int keys = NumberOf(w[4]);
      if (keys < 1 || keys > 200) {
        ctx.err << "orvo-batch proc SortCds2: NumKey must be 1 to 200\n";
        return kBatchUsage;
      }
      ok = proc.SortCds2(w[1], w[2], w[3], keys);
    } else if (name == "StOb") {
      ok = proc.StOb(w[1], w[2]);
    } else if (name == "ObSt") {
      ok = proc.ObSt(w[1], w[2]);
    } else if (name == "StObSpoj") {
      ok = proc.StObSpoj(w[1], w[2], w[3]);
    } else if (name == "StNove") {
      ok = proc.StNove(w[1], w[2], w[3]);
    } else if (name == "StSNove") {
      ok = proc.StSNove(w[1], w[2], w[3]);
    } else if (name == "ObOdDo") {
      ok = proc.ObOdDo(w[1], w[2], w[3]);
    } else if (name == "RocniUzav") {
      ok = proc.RocniUzav();
    } else if (name == "Oprava") {
      ok = proc.Oprava(w[1], w[2]);
    }
    return ok ? kBatchOk : kBatchFailed;
  });
}

}  // namespace orvo::cli

namespace orvo::cli {

int EnterBooks(BatchContext& ctx, MenuAction action) { return Enter(ctx, action); }

std::string DatasetCsv(const Dataset& ds) { return TableCsv(ds); }

}  // namespace orvo::cli
