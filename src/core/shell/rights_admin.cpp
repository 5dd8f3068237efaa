#include "core/shell/rights_admin.h"

#include "core/shell/file_names.h"
#include "core/shell/login.h"
#include "core/shell/marker_files.h"
#include "core/sys/messages.h"
#include "core/sys/numbers.h"
#include "core/sys/termination.h"
#include "core/sys/text.h"

namespace orvo {

bool RightsAdminModel::Show() {
  Env& env = session_.env;
  EraseUserMarker(env, AccessFileName(), session_.UserName);
  rows_.fill(AccessRecord{});
  if (!MayStayOpen()) return false;
  std::vector<AccessRecord> records = ParseAccessImage(ReadAccessFile(env, AccessFileName()));
  for (size_t i = 0; i < records.size() && i < rows_.size(); ++i) rows_[i] = records[i];
  return true;
}

void RightsAdminModel::SetCell(int row, int column, std::string_view text) {
  AccessRecord& r = rows_.at(row);
  std::string* cells[] = {&r.name, &r.password, &r.role};
  *cells[column] = std::string(text);
}

void RightsAdminModel::InsertRow(int row) {
  if (row < 0 || row >= kRows) return;
  for (int i = kRows - 1; i > row; --i) rows_[i] = rows_[i - 1];
  rows_.at(row) = AccessRecord{};
}

void RightsAdminModel::DeleteRow(int row) {
  if (AskYesNo(session_.env, "Naozaj chceme riadok zrusit ?")) RemoveRow(row);
}

void RightsAdminModel::RemoveRow(int row) {
  if (row < 0 || row >= kRows) return;
  for (int i = row; i < kRows - 1; ++i) rows_[i] = rows_[i + 1];
  rows_[kRows - 1] = AccessRecord{};
}

std::vector<AccessRecord> RightsAdminModel::RecordsToStore() const {
  std::vector<AccessRecord> records;
  for (const AccessRecord& row : rows_) {
    AccessRecord r{Trim(row.name), Trim(row.password), Trim(row.role)};
    if (r.name.empty()) break;
    records.push_back(std::move(r));
  }
  return records;
}

bool RightsAdminModel::Close() {
  Env& env = session_.env;
  if (!MayStayOpen()) return true;
  std::string path = AccessFileName();
  std::vector<AccessRecord> records = RecordsToStore();
  for (size_t i = 0; i < records.size(); ++i) {
    const AccessRecord& r = records[i];
    std::string row = "Radek " + IntTextZero(static_cast<int64_t>(i) + 1, 1);
    std::string fault;
    bool separators = !FitsAccessRecord(r.name) || !FitsAccessRecord(r.password) ||
                      !FitsAccessRecord(r.role);
    if (separators || r.role.find('|') != std::string::npos) {
      fault = row + " obsahuje nepovoleny znak !";
    } else if (ReservedUserName(r.name)) {
      // The master login's names: a stored user must not pass for it.
      fault = row + ": jmeno " + r.name + " je vyhrazeno !";
    } else if (r.password.empty()) {
      // A record without a password would let in anyone who types none.
      fault = row + " nema pristupove heslo !";
    }
    if (!fault.empty()) {
      ErrorBox(env, fault + "\r\rPristupova prava nebyla ulozena.", kCaption);
      return false;
    }
  }
  std::string image = BuildAccessImage(records);
  if (image.size() > kAccessFileMaxSize) {
    ErrorBox(env,
             "Pristupova prava se nevejdou do souboru (nejvyse " +
                 IntTextZero(static_cast<int64_t>(kAccessFileMaxSize), 1) + " bajtu) !\r\r" +
                 "Soubor " + path + " zustava beze zmeny.",
             kCaption);
    return false;
  }
  if (WriteAccessFile(env, path, image) != kIoOk) {
    ErrorBox(env, "Nepodarilo se zalozit soubor:\r\r     " + path);
    throw Termination("cannot write " + path);
  }
  return true;
}

}  // namespace orvo
