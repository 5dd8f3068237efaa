// The access-rights file C:\A_Run\PristPr\LOrv.H: a 30-byte head and the
// records (name, password, role) one after another, stored scrambled. The
// plain image exists only while a login is evaluated or the rights are
// administered.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/sys/env.h"

namespace orvo {

struct AccessRecord {
  std::string name;
  std::string password;
  std::string role;
  bool operator==(const AccessRecord&) const = default;
};

inline constexpr char kFieldEnd = '\xFA';
inline constexpr char kRecordEnd = '\xFB';
inline constexpr size_t kAccessHeadSize = 30;
// The password of the administrator in a new file; to be changed at once.
inline constexpr std::string_view kDefaultAdminPassword = "Qzpfr";
// The readers take at most this many bytes; a longer file would come back
// garbled, so nothing longer may be written.
inline constexpr size_t kAccessFileMaxSize = 9999;

// The head a new file carries: the bytes 151 to 180.
std::string AccessHead();
// Head and records: name FA password FA role FA FB each.
std::string BuildAccessImage(const std::vector<AccessRecord>& records);
// The records after the head, up to the last complete one.
std::vector<AccessRecord> ParseAccessImage(std::string_view image);
// Whether a plain image is whole: the head, then complete records (name,
// password, role, each ended by 0xFA, and 0xFB) up to its last byte, and no
// longer than a file may be. A cut-off or overwritten file fails this.
bool AccessImageIntact(std::string_view image);
// One record: "Admin", password Qzpfr, role "Admin".
std::string DefaultAccessImage();
// A text may go into a record when it holds neither separator byte.
bool FitsAccessRecord(std::string_view text);

// Creates the file with the default content when it is missing, then reads
// it (at most 9999 bytes) and returns the plain image. A failure shows
// "Doslo k chybe pri nacitani pristupovych prav !" and ends the application;
// a damaged file (not AccessImageIntact, or longer than 9999 bytes) is
// reported as damaged, naming it and its previous version, and ends the
// application too.
std::string ReadAccessFile(Env& env, std::string_view accessFile);

// The previous version of the access file, kept beside it: LOrv.H ->
// LOrv.Bak.
std::string AccessBackupName(std::string_view accessFile);

// Stores a plain image scrambled, crash-safe, read-only and hidden
// afterwards; the version it replaces becomes the backup (AccessBackupName)
// when that version is whole.
// The I/O result; on a failure the old file is untouched.
int WriteAccessFile(Env& env, std::string_view accessFile, std::string_view plain);

}  // namespace orvo
