// Writes a file in pieces without ever leaving a half-written one: the bytes
// go to a temporary file in the same directory, which is flushed to disk and
// then renamed over the old file, whose attributes and permission bits it
// takes over. Until Commit succeeds the old file is untouched; a writer that
// is dropped or fails removes its temporary file, and the temporary files of
// the same target that a program which has ended left behind (a crash, a
// kill) are removed when the target is next written.
#pragma once

#include <string>
#include <string_view>

#include "core/sys/dosfs.h"

namespace orvo {

class SafeFileWriter {
 public:
  SafeFileWriter(DosFs& fs, std::string_view target);
  SafeFileWriter(const SafeFileWriter&) = delete;
  SafeFileWriter& operator=(const SafeFileWriter&) = delete;
  ~SafeFileWriter();

  // I/O result; 5 (access denied) when the old file is read-only, as
  // writing over a read-only file is refused.
  int Begin();
  bool Write(const void* data, size_t size);
  // Flush, rename and attributes; I/O result. After a failed Write, Commit
  // returns that failure and leaves the old file as it was.
  int Commit();
  int LastError() const { return error_; }

 private:
  void Discard();

  DosFs& fs_;
  std::string target_;
  std::string temp_;
  DosFile file_;
  int error_ = 0;
  bool begun_ = false;
  bool committed_ = false;
};

}  // namespace orvo
