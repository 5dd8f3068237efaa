#include "core/screens/report_batch.h"

#include <algorithm>

#include "core/shell/file_names.h"
#include "core/data/cds_file.h"
#include "core/output/print_settings.h"
#include "core/output/report_file.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "core/sys/numbers.h"
#include "core/sys/text.h"

namespace orvo {

namespace {

// "2,3,7": column numbers 1..200.
bool ParseColumns(std::string_view text, std::vector<int>* columns) {
  columns->clear();
  size_t at = 0;
  while (at <= text.size()) {
    size_t comma = text.find(',', at);
    std::string_view part = text.substr(at, comma == std::string_view::npos ? std::string_view::npos : comma - at);
    if (part.empty() || !IsDigits(part) || part.size() > 3) return false;
    int n = static_cast<int>(TextToInt(part));
    if (n < 1 || n > kScrMaxColumns) return false;
    columns->push_back(n);
    if (comma == std::string_view::npos) break;
    at = comma + 1;
  }
  return !columns->empty();
}

}  // namespace

bool ParseReportArgs(const std::vector<std::string>& args, ReportJob* job, std::string* error) {
  *job = ReportJob{};
  ScrColumnFlags sum = NoColumnFlags();
  ScrColumnFlags page = NoColumnFlags();
  ScrColumnFlags line = NoColumnFlags();
  std::vector<std::string> files;
  std::vector<int> order;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    auto flags = [&](ScrColumnFlags& target) {
      std::vector<int> columns;
      if (!hasValue || !ParseColumns(args[++i], &columns)) {
        *error = a + " needs column numbers 1 to 200 separated by commas";
        return false;
      }
      for (int c : columns) target[static_cast<size_t>(c - 1)] = 'A';
      return true;
    };
    if (a == "--heading1" || a == "--heading2") {
      if (!hasValue) {
        *error = a + " needs a text";
        return false;
      }
      (a == "--heading1" ? job->request.heading1 : job->request.heading2) = args[++i];
    } else if (a == "--sum-cols") {
      if (!flags(sum)) return false;
    } else if (a == "--page-cols") {
      if (!flags(page)) return false;
    } else if (a == "--line-cols") {
      if (!flags(line)) return false;
    } else if (a == "--order") {
      if (!hasValue || !ParseColumns(args[++i], &order)) {
        *error = "--order needs column numbers 1 to 200 separated by commas";
        return false;
      }
      std::vector<int> sorted = order;
      std::sort(sorted.begin(), sorted.end());
      if (std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end()) {
        *error = "--order names a column twice";
        return false;
      }
    } else if (a == "--rows") {
      if (!hasValue || !IsDigits(args[i + 1]) || args[i + 1].empty() || args[i + 1].size() > 3) {
        *error = "--rows needs a number of rows";
        return false;
      }
      job->rows = StoredPageRows(static_cast<int>(TextToInt(args[++i])));
    } else if (a == "--all-columns") {
      job->request.allColumns = true;
    } else if (a == "--time") {
      job->request.withTime = true;
    } else if (a == "--unpaged") {
      job->paging = ReportPaging::Unpaged;
    } else if (a == "--framed") {
      job->framed = true;
    } else if (a == "--no-frames") {
      job->frames = false;
    } else if (!a.empty() && a[0] == '-') {
      *error = "unknown option " + a;
      return false;
    } else {
      files.push_back(a);
    }
  }
  if (files.size() != 3) {
    *error = "DATA.Cds, DEF.Def and OUT.Ses are needed";
    return false;
  }
  if (!job->frames && !job->framed) {
    *error = "--no-frames goes with --framed";
    return false;
  }
  job->request.ScrFile = files[0];
  job->request.ScrDef = files[1];
  job->out = files[2];
  if (order.empty()) {
    job->request.groupFlags = GroupFlagsInFileOrder(sum, page, line);
  } else {
    // The flags follow their columns to the positions the order gives them.
    job->request.order.count = static_cast<int>(order.size());
    for (size_t p = 0; p < order.size(); ++p) {
      const size_t c = static_cast<size_t>(order[p] - 1);
      job->request.order.rows[p] = order[p];
      job->request.groupFlags[p] = ScrGroupFlag{sum[c], page[c], line[c]};
    }
  }
  return true;
}

ReportJobResult RunReportJob(TCdsProc& cds, const ReportJob& job, ReportLayout* layoutOut) {
  constexpr ReportJobResult kFailed = ReportJobResult::Failed;
  Env& env = cds.Environment();
  const ReportRequest& request = job.request;
  if (!FileExistsOrSay(env, request.ScrFile) || !FileExistsOrSay(env, request.ScrDef)) return kFailed;
  Dataset table(env);
  table.SetReadOnly(true);
  if (!table.LoadFromFile(request.ScrFile)) return kFailed;
  if (table.RecordCount() == 0) return ReportJobResult::EmptyTable;
  int rows = job.rows.value_or(0);
  if (!job.rows) {
    auto settings = ReadPrintSettingsQuiet(env);
    rows = settings ? settings->PageRows : PrintSettings{}.PageRows;
  }
  MakeDirPath(env, kWorkDir);
  MakeDirPath(env, kReportDir);
  const bool paged = job.paging == ReportPaging::Paged;
  auto layout = GenerSes(cds, table, request, job.paging, paged ? rows - 4 : rows);
  if (!layout) return kFailed;
  if (layoutOut != nullptr) *layoutOut = *layout;
  int io = kIoOk;
  auto bytes = env.fs.ReadWhole(layout->file, &io);
  if (!bytes) {
    ErrorBox(env, UnreadableFileText(layout->file, io));
    return kFailed;
  }
  if (env.fs.FullPath(job.out) == env.fs.FullPath(layout->file)) return ReportJobResult::Written;
  if (io = env.fs.WriteWhole(job.out, *bytes); io != kIoOk) {
    ErrorBox(env, UnwritableFileText(job.out, io));
    return kFailed;
  }
  return ReportJobResult::Written;
}

}  // namespace orvo
