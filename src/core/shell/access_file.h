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
// The readers take at most this many bytes; a longer file would come back
// garbled, so nothing longer may be written.
inline constexpr size_t kAccessFileMaxSize = 9999;

// The head a new file carries: the bytes 151 to 180.
std::string AccessHead();
// Head and records: name FA password FA role FA FB each.
std::string BuildAccessImage(const std::vector<AccessRecord>& records);
// The records after the head, up to the last complete one.
std::vector<AccessRecord> ParseAccessImage(std::string_view image);
// One record: "Admin", password Qzpfr, role "Admin".
std::string DefaultAccessImage();
// A text may go into a record when it holds neither separator byte.
bool FitsAccessRecord(std::string_view text);

// Creates the file with the default content when it is missing, then reads
// it (at most 9999 bytes) and returns the plain image. A failure shows
// "Doslo k chybe pri nacitani pristupovych prav !" and ends the application.
std::string ReadAccessFile(Env& env, std::string_view accessFile);

// Stores a plain image scrambled, crash-safe, read-only and hidden
// afterwards. The I/O result; on a failure the old file is untouched.
int WriteAccessFile(Env& env, std::string_view accessFile, std::string_view plain);

}  // namespace orvo
