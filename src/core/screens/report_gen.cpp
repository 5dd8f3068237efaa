#include "core/screens/report_gen.h"

#include "core/output/report_file.h"
#include "core/screens/report_stages.h"
#include "core/sys/dates.h"
#include "core/sys/files.h"
#include "core/sys/hourglass.h"

namespace orvo {

std::string ScrReportFile(std::string_view scrFile) {
  return std::string(kReportDir) + "\\S" + BaseName(scrFile) + ".Ses";
}

std::optional<ReportLayout> GenerSes(TCdsProc& cds, Dataset& table, const ReportRequest& request,
                                     ReportPaging XSt, int XNumRow) {
  Env& env = cds.Environment();
  if (!table.Active() || table.RecordCount() == 0) return std::nullopt;
  if (table.Editing()) table.Post();
  Hourglass hourglass(env);

  Dataset reduced(env);
  const Dataset* source = ReportSource(cds, table, request, reduced);
  if (source == nullptr) return std::nullopt;
  const LoadedDef& def = cds.Def();

  const PrintedColumns columns = ChoosePrintedColumns(*source, def, request.allColumns);
  if (!WriteColumnDefinition(env, PrintedDefinitionLines(def, columns.printed))) {
    return std::nullopt;
  }

  std::string title = request.heading1;
  if (request.withTime) title += "    " + TodayText(env) + "  " + NowText(env);
  const std::string body = ReportBody(*source, columns, request, XSt, XNumRow, title);

  const std::string report = ScrReportFile(request.ScrFile);
  if (!WriteReportFiles(env, body, report)) return std::nullopt;

  ReportLayout layout;
  layout.file = report;
  layout.topLines = request.heading2.empty() ? 1 : 2;
  layout.defFile = std::string(kCdsScrWDef);
  LayOutColumns(columns.printed, layout);
  return layout;
}

}  // namespace orvo
