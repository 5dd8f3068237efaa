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

std::string DefaultAccessImage() { return BuildAccessImage({{"Admin", "Qzpfr", "Admin"}}); }

bool FitsAccessRecord(std::string_view text) {
  return text.find(kFieldEnd) == std::string_view::npos &&
         text.find(kRecordEnd) == std::string_view::npos;
}

int WriteAccessFile(Env& env, std::string_view accessFile, std::string_view plain) {
  bool existed = FileExistsQuiet(env, accessFile);
  if (existed) env.fs.SetAttributes(accessFile, kAttrArchive);
  int io = env.fs.WriteWhole(accessFile, Scramble(plain));
  if (io == kIoOk || existed) env.fs.SetAttributes(accessFile, kAttrReadOnly | kAttrHidden);
  return io;
}

std::string ReadAccessFile(Env& env, std::string_view accessFile) {
  if (!FileExistsQuiet(env, accessFile)) {
    MakeDirPath(env, DirectoryOf(accessFile));
    if (WriteAccessFile(env, accessFile, DefaultAccessImage()) != kIoOk) ReadFailed(env);
  }
  int io = 0;
  auto stored = env.fs.ReadWhole(accessFile, &io);
  if (!stored) ReadFailed(env);
  if (stored->size() > kAccessFileMaxSize) stored->resize(kAccessFileMaxSize);
  return Unscramble(*stored);
}

}  // namespace orvo
