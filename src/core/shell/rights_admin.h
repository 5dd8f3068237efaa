// The model of the rights administration THesloP ("  Zadani pristupovych
// prav"): a grid of 200 rows (name, password, role) over the access-rights
// file, stored when the dialog closes.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/shell/access_file.h"
#include "core/shell/run_values.h"

namespace orvo {

class RightsAdminModel {
 public:
  explicit RightsAdminModel(RunValues& session) : session_(session) {}

  static constexpr std::string_view kCaption = "  Zadani pristupovych prav";
  static constexpr int kRows = 200;
  static constexpr std::array<std::string_view, 3> kColumnTitles = {
      "Jmeno uzivatele", "Pristupove heslo", "Status pristupu"};

  // Erases the current user's marker file and, for an "Admin", fills the
  // grid from the access file. Anyone else gets an empty grid and the
  // dialog closes as soon as it is painted (false): the passwords are never
  // put on the screen for them and the file is left alone.
  bool Show();
  // Whether the painted dialog may stay open.
  bool MayStayOpen() const { return session_.UserRole == "Admin"; }

  const AccessRecord& Row(int row) const { return rows_.at(row); }
  void SetCell(int row, int column, std::string_view text);

  // Insert: an empty row at the cursor; the last row falls off.
  void InsertRow(int row);
  // Ctrl+Delete: after "Naozaj chceme riadok zrusit ?" the row goes, the
  // rows below move up and the last row is empty.
  void DeleteRow(int row);
  // The same without the question, for callers that asked already.
  void RemoveRow(int row);

  // The records that would be stored: rows from the first up to the first
  // row whose name is blank, every cell trimmed.
  std::vector<AccessRecord> RecordsToStore() const;

  // Stores the grid. A cell holding a separator byte, a role holding "|" or
  // records longer than the file can hold are refused with a message naming
  // the cause; the old file stays and the result is false, so the dialog
  // stays open for a correction. A file that cannot be written ends the
  // application after its message. Without "Admin" nothing is stored.
  bool Close();

 private:
  RunValues& session_;
  std::array<AccessRecord, kRows> rows_{};
};

}  // namespace orvo
