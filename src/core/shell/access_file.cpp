#include "core/shell/access_file.h"

#include "core/shell/scramble.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "core/sys/termination.h"

namespace orvo {

namespace {

[[noreturn]] void ReadFailed(Env& env) {
  ErrorBox(env, "Doslo k chybe pri nacitani pristupovych prav !\r\rSpustte program znovu.");
  throw Termination("access file unreadable");
}

[[noreturn]] void Damaged(Env& env, std::string_view accessFile) {
  std::string text = "Soubor pristupovych prav je poskozen:\r\r     " + std::string(accessFile);
  std::string backup = AccessBackupName(accessFile);
  if (FileExistsQuiet(env, backup)) {
    text += "\r\rPredchozi verze je ulozena v souboru:\r\r     " + backup;
  }
  ErrorBox(env, text + "\r\rProgram bude ukoncen.");
  throw Termination("access file damaged");
}

}  // namespace

std::string AccessHead() {
  std::string head;
  for (int i = 1; i <= static_cast<int>(kAccessHeadSize); ++i) head += static_cast<char>(150 + i);
  return head;
}

std::string BuildAccessImage(const std::vector<AccessRecord>& records) {
  std::string image = AccessHead();
  for (const auto& r : records) {
    image += r.name + kFieldEnd + r.password + kFieldEnd + r.role + kFieldEnd + kRecordEnd;
  }
  return image;
}

std::vector<AccessRecord> ParseAccessImage(std::string_view image) {
  std::vector<AccessRecord> records;
  size_t pos = kAccessHeadSize;
  while (pos < image.size()) {
    AccessRecord r;
    std::string* fields[] = {&r.name, &r.password, &r.role};
    for (std::string* field : fields) {
      size_t end = image.find(kFieldEnd, pos);
      if (end == std::string_view::npos) return records;
      *field = std::string(image.substr(pos, end - pos));
      pos = end + 1;
    }
    if (pos < image.size() && image[pos] == kRecordEnd) ++pos;
    records.push_back(std::move(r));
  }
  return records;
}

bool AccessImageIntact(std::string_view image) {
  if (image.size() < kAccessHeadSize || image.size() > kAccessFileMaxSize) return false;
  size_t pos = kAccessHeadSize;
  while (pos < image.size()) {
    for (int field = 0; field < 3; ++field) {
      size_t end = image.find(kFieldEnd, pos);
      if (end == std::string_view::npos) return false;
      std::string_view text = image.substr(pos, end - pos);
      if (text.find(kRecordEnd) != std::string_view::npos) return false;
      pos = end + 1;
    }
    if (pos >= image.size() || image[pos] != kRecordEnd) return false;
    ++pos;
  }
  return true;
}

std::string AccessBackupName(std::string_view accessFile) {
  std::string name(accessFile);
  size_t slash = name.find_last_of("\\:");
  size_t dot = name.find('.', slash == std::string::npos ? 0 : slash + 1);
  if (dot != std::string::npos) name.erase(dot);
  return name + ".Bak";
}

std::string DefaultAccessImage() {
  return BuildAccessImage({{"Admin", std::string(kDefaultAdminPassword), "Admin"}});
}

bool FitsAccessRecord(std::string_view text) {
  return text.find(kFieldEnd) == std::string_view::npos &&
         text.find(kRecordEnd) == std::string_view::npos;
}

int WriteAccessFile(Env& env, std::string_view accessFile, std::string_view plain) {
  bool existed = FileExistsQuiet(env, accessFile);
  if (existed) {
    // One generation back, so that a file spoilt later can be put back. Only
    // a whole file becomes the backup: a damaged one never replaces it.
    bool whole = false;
    auto previous = ReadHead(env, accessFile, kAccessFileMaxSize, &whole);
    if (previous && whole && AccessImageIntact(Unscramble(*previous))) {
      std::string backup = AccessBackupName(accessFile);
      if (FileExistsQuiet(env, backup)) env.fs.SetAttributes(backup, kAttrArchive);
      if (env.fs.WriteWhole(backup, *previous) == kIoOk || FileExistsQuiet(env, backup)) {
        env.fs.SetAttributes(backup, kAttrReadOnly | kAttrHidden);
      }
    }
    env.fs.SetAttributes(accessFile, kAttrArchive);
  }
  int io = env.fs.WriteWhole(accessFile, Scramble(plain));
  if (io == kIoOk || existed) env.fs.SetAttributes(accessFile, kAttrReadOnly | kAttrHidden);
  return io;
}

std::string ReadAccessFile(Env& env, std::string_view accessFile) {
  if (!FileExistsQuiet(env, accessFile)) {
    MakeDirPath(env, DirectoryOf(accessFile));
    if (WriteAccessFile(env, accessFile, DefaultAccessImage()) != kIoOk) ReadFailed(env);
  }
  bool whole = false;
  auto stored = ReadHead(env, accessFile, kAccessFileMaxSize, &whole);
  if (!stored) ReadFailed(env);
  if (!whole || stored->size() < kAccessHeadSize) Damaged(env, accessFile);
  std::string plain = Unscramble(*stored);
  if (!AccessImageIntact(plain)) Damaged(env, accessFile);
  return plain;
}

}  // namespace orvo
