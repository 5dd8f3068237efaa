#include "core/data/safe_file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "core/sys/files.h"
#include "core/sys/temporary_files.h"

namespace orvo {

namespace {

// Makes the rename itself durable.
void SyncDirectory(const std::string& hostFile) {
  std::string dir = hostFile;
  size_t slash = dir.rfind('/');
  dir = slash == std::string::npos ? std::string(".") : dir.substr(0, slash == 0 ? 1 : slash);
  int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

SafeFileWriter::SafeFileWriter(DosFs& fs, std::string_view target)
    : fs_(fs), target_(fs.FullPath(target)) {}

SafeFileWriter::~SafeFileWriter() {
  if (!committed_) Discard();
}

void SafeFileWriter::Discard() {
  if (file_.IsOpen()) file_.Close();
  if (!temp_.empty()) fs_.Remove(temp_);
  temp_.clear();
}

int SafeFileWriter::Begin() {
  if (begun_) return error_;
  begun_ = true;
  if (auto attr = fs_.Attributes(target_)) {
    if (*attr & kAttrDirectory) return error_ = kIoAccessDenied;
    if (*attr & kAttrReadOnly) return error_ = kIoAccessDenied;
  }
  // The process id keeps two programs that share a data directory apart.
  temp_ = TemporaryBeside(fs_, target_);
  RemoveStaleTemporaries(fs_, target_);
  fs_.Remove(temp_);
  int io = 0;
  file_ = fs_.Open(temp_, DosFile::Mode::Write, &io);
  if (!file_.IsOpen()) {
    temp_.clear();
    return error_ = (io != 0 ? io : kIoWriteFault);
  }
  return error_ = 0;
}

bool SafeFileWriter::Write(const void* data, size_t size) {
  if (error_ != 0 || !file_.IsOpen()) {
    if (error_ == 0) error_ = kIoWriteFault;
    return false;
  }
  size_t done = file_.Write(data, size);
  if (done != size) {
    error_ = file_.LastError() != 0 ? file_.LastError() : kIoWriteFault;
    return false;
  }
  return true;
}

int SafeFileWriter::Commit() {
  if (!begun_ || !file_.IsOpen()) {
    if (error_ == 0) error_ = kIoWriteFault;
  }
  if (error_ != 0) {
    Discard();
    return error_;
  }
  if (!file_.Flush()) {
    error_ = file_.LastError() != 0 ? file_.LastError() : kIoWriteFault;
    Discard();
    return error_;
  }
  int closeResult = file_.Close();
  if (closeResult != 0) {
    error_ = closeResult;
    Discard();
    return error_;
  }
  auto hostTemp = fs_.HostPath(temp_);
  auto hostTarget = fs_.HostPath(target_);
  if (!hostTemp || !hostTarget) {
    error_ = kIoPathNotFound;
    Discard();
    return error_;
  }
  std::optional<unsigned> oldAttr = fs_.Attributes(target_);
  struct stat st {};
  if (oldAttr && ::stat(hostTarget->c_str(), &st) == 0) {
    ::chmod(hostTemp->c_str(), st.st_mode & 07777);
  }
  if (::rename(hostTemp->c_str(), hostTarget->c_str()) != 0) {
    error_ = IoResultFromErrno(errno);
    Discard();
    return error_;
  }
  temp_.clear();
  committed_ = true;
  if (oldAttr) fs_.SetAttributes(target_, *oldAttr);
  SyncDirectory(*hostTarget);
  return 0;
}

}  // namespace orvo
