// The model of the restore window TUctObn ("  Obnova dat po havarii"): pick
// an archived generation of the posting or the balance file, look at it in
// the table viewer, and copy it back over the current file when the user
// says so. The replaced content is not archived first.
#pragma once

#include <string>
#include <string_view>

#include "core/shell/run_values.h"

namespace orvo {

class RestoreWindowModel {
 public:
  explicit RestoreWindowModel(RunValues& session) : session_(session) {}

  static constexpr std::string_view kCaption = "  Obnova dat po havarii";
  static constexpr std::string_view kHelpTopic = "OrvoObn";

  // Reloads the period and the initialisation file.
  void Show();

  // "  Mesicni obraty": generations of the posting file (mask YYMM + plant
  // + "UctO_*.Cds"), viewed with UctO.Def.
  bool RestorePostings();
  // "  Pocatecni mesicni stavy": generations of the balance file (mask
  // PrevPeriodKey + plant + "UctS_*.Cds"), viewed with UctS.Def.
  bool RestoreBalances();

 private:
  // The file dialog in the archive directory, the viewer (waited for), the
  // question and the copy. True when the file was restored.
  bool Restore(const std::string& target, const std::string& definition, const std::string& mask);

  RunValues& session_;
};

}  // namespace orvo
