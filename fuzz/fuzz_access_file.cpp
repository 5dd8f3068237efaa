// The access-rights file on any bytes. What the reader accepts is whole:
// its records build back to the same image, the image scrambles back to the
// stored bytes, every record's login grants its role, and no stored record
// gives the master login's power.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/shell/access_file.h"
#include "core/shell/file_names.h"
#include "core/shell/login.h"
#include "core/shell/scramble.h"
#include "core/sys/termination.h"
#include "shell_files_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static orvo::fuzz::ShellScratch scratch;
  std::string stored(reinterpret_cast<const char*>(data), size);
  scratch.Put(orvo::AccessFileName(), stored);
  std::string image;
  try {
    image = orvo::ReadAccessFile(scratch.env(), orvo::AccessFileName());
  } catch (const orvo::Termination&) {
    return 0;
  }
  if (!orvo::AccessImageIntact(image)) std::abort();
  if (orvo::Scramble(image) != stored) std::abort();
  auto records = orvo::ParseAccessImage(image);
  if (orvo::BuildAccessImage(records).substr(orvo::kAccessHeadSize) !=
      image.substr(orvo::kAccessHeadSize)) {
    std::abort();
  }
  orvo::RunValues& session = scratch.session();
  for (const auto& r : records) {
    orvo::CheckLogin(session, image, r.name, r.password);
    if (r.name == orvo::kMasterUser) continue;
    if (session.MasterLogin) std::abort();
    if (session.UserRights.find("|" + r.role + "|") == std::string::npos) std::abort();
  }
  orvo::CheckLogin(session, image, "\x01no such user", "");
  if (!session.UserRole.empty()) std::abort();
  return 0;
}
