// The catalogue of file names: where each named file of the two trees lives
// and how the accounting data files follow the period and the plant. Paths
// are logical DOS paths.
#pragma once

#include <string>
#include <string_view>

#include "core/shell/run_values.h"

namespace orvo {

inline constexpr std::string_view kLocalRoot = "C:\\A_Run";
inline constexpr std::string_view kLocalAppDir = "C:\\A_Run\\Aplikace\\LOrvo";
inline constexpr std::string_view kWorkDir = "C:\\A_Run\\Work";

// "C:\A_Run\PristPr\LOrv.H", the access-rights file.
std::string AccessFileName();

// DataRoot + "\LOrvo" + (sub empty ? "" : "\" + sub).
std::string AppDir(const RunValues& session, std::string_view sub = {});
// C:\A_Run\Aplikace\LOrvo + (sub empty ? "" : "\" + sub).
std::string LocalAppDir(std::string_view sub = {});

std::string InitFileName(const RunValues& session);          // ...\PomSoub\UctInic.TXT
std::string BackgroundPictureName(const RunValues& session);  // ...\PomSoub\Orvo.Jpg
std::string PeriodOverviewName(const RunValues& session);     // ...\PomSoub\UctObd.Txt

// The plant code "PP": the first two characters of PlantName.
std::string PlantCode(const RunValues& session);

// A text that goes into a file name as one part of it: every character that
// would lead into another directory or drive ("\", "/", ":") or that no
// file name holds (control characters) becomes "_".
std::string NamePart(std::string_view text);

// The balance and posting files of the current period follow what is stored
// on disk: both reload the period and the initialisation file first (the
// period file's malformed period is reported by LoadPeriod).
std::string BalanceFile(RunValues& session);
std::string PostingFile(RunValues& session);
// The same for a given period ("YY MM" or "YYMM") with the loaded plant. A
// malformed period is reported ("Chybne zadane obdobie: ..."). Whatever the
// period and the plant hold, the name lies in DataRoot\LOrvo\Data.
std::string BalanceFile(const RunValues& session, std::string_view period);
std::string PostingFile(const RunValues& session, std::string_view period);

std::string OdDoKontoFile(const RunValues& session);  // Cisel\OdDoKonto.Cds
std::string MJCinnFile(const RunValues& session);     // Cisel\MJCinn.Cds
std::string CMFile(const RunValues& session);         // Cisel\CM.Cds
std::string KalkMnFile(const RunValues& session);     // Data\KalkMn.Cds
// PomSoub\LDokl.Def, PomSoub\LDoklP.Def, PomSoub\LDoklZ.Def by name.
std::string DocumentListDef(const RunValues& session, std::string_view name);
// The finance system's customer and supplier lists and its transfer file of
// a period.
std::string CustomerListFile(const RunValues& session);  // LPexo\Cisel\Odber.Cds
std::string SupplierListFile(const RunValues& session);  // LPexo\Cisel\Dodav.Cds
std::string PexoTransferFile(const RunValues& session, std::string_view period);

}  // namespace orvo
