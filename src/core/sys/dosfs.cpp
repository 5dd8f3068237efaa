#include "core/sys/dosfs.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "core/sys/encoding.h"
#include "core/sys/temporary_files.h"
#include "core/sys/text.h"

namespace orvo {

namespace {

constexpr const char* kAttrXattr = "user.orvo.attrib";

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsDriveLetter(char c) {
  c = UpperAscii(c);
  return c >= 'A' && c <= 'Z';
}

bool HasDrive(std::string_view path) {
  return path.size() >= 2 && path[1] == ':' && IsDriveLetter(path[0]);
}

std::string ParentOf(const std::string& host) {
  size_t slash = host.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return host.substr(0, slash);
}

std::string LastOf(const std::string& host) {
  size_t slash = host.find_last_of('/');
  return slash == std::string::npos ? host : host.substr(slash + 1);
}

bool HostIsDir(const std::string& host) {
  struct stat st{};
  return ::stat(host.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// A missing file and a missing directory on the way are different DOS results.
int MissingResult(const std::string& host) {
  return HostIsDir(ParentOf(host)) ? kIoFileNotFound : kIoPathNotFound;
}

bool XattrsUnsupported(int err) { return err == ENOTSUP || err == EOPNOTSUPP; }

unsigned ParseAttrXattr(std::string_view value) {
  unsigned attr = 0;
  for (char c : value) {
    if (c == 'H') attr |= kAttrHidden;
    if (c == 'S') attr |= kAttrSystem;
    if (c == 'A') attr |= kAttrArchive;
  }
  return attr;
}

std::string FormatAttrXattr(unsigned attr) {
  std::string value;
  if (attr & kAttrHidden) value += 'H';
  if (attr & kAttrSystem) value += 'S';
  if (attr & kAttrArchive) value += 'A';
  return value;
}

unsigned HostAttributes(const std::string& host, const struct stat& st) {
  bool dir = S_ISDIR(st.st_mode);
  unsigned attr = dir ? unsigned{kAttrDirectory} : 0u;
  if (!dir && (st.st_mode & S_IWUSR) == 0) attr |= kAttrReadOnly;
  char buffer[16];
  ssize_t n = ::getxattr(host.c_str(), kAttrXattr, buffer, sizeof buffer);
  if (n >= 0) {
    attr |= ParseAttrXattr(std::string_view(buffer, static_cast<size_t>(n)));
  } else if (!dir) {
    // Never marked by us (or no extended attributes here): a file as Windows
    // creates it, waiting to be archived.
    attr |= kAttrArchive;
  }
  return attr;
}

DirEntry MakeEntry(std::string name, const std::string& host, const struct stat& st) {
  DirEntry e;
  e.name = std::move(name);
  e.attr = HostAttributes(host, st);
  e.size = S_ISDIR(st.st_mode) ? 0 : static_cast<uint64_t>(st.st_size);
  e.mtime = st.st_mtime;
  e.packedTime = PackDosTime(st.st_mtime);
  return e;
}

bool WriteAll(int fd, const char* data, size_t size, int* err) {
  while (size > 0) {
    ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      *err = errno;
      return false;
    }
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

void SyncDir(const std::string& dir) {
  int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}

}  // namespace

int IoResultFromErrno(int err) {
  switch (err) {
    case 0:
      return kIoOk;
    case ENOENT:
      return kIoFileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
      return kIoPathNotFound;
    case EEXIST:
      return kIoFileExists;
    case ENOSPC:
    case EDQUOT:
      return kIoDiskFull;
    case EWOULDBLOCK:
    case EBUSY:
    case ETXTBSY:
      return kIoSharingViolation;
    case EIO:
      return kIoWriteFault;
    case EMFILE:
    case ENFILE:
      return 4;  // too many open files
    default:
      return kIoAccessDenied;
  }
}

uint32_t PackDosTime(std::time_t t) {
  std::tm tm{};
  localtime_r(&t, &tm);
  int year = tm.tm_year + 1900;
  if (year < 1980) return (0u << 25) | (1u << 21) | (1u << 16);  // 1.1.1980 00:00:00
  if (year > 2107) return (127u << 25) | (12u << 21) | (31u << 16) | (23u << 11) | (59u << 5) | 29u;
  uint32_t date = (static_cast<uint32_t>(year - 1980) << 9) |
                  (static_cast<uint32_t>(tm.tm_mon + 1) << 5) | static_cast<uint32_t>(tm.tm_mday);
  uint32_t time = (static_cast<uint32_t>(tm.tm_hour) << 11) |
                  (static_cast<uint32_t>(tm.tm_min) << 5) | static_cast<uint32_t>(tm.tm_sec / 2);
  return (date << 16) | time;
}

std::time_t UnpackDosTime(uint32_t packed) {
  if (packed == 0) return 0;
  uint32_t date = packed >> 16;
  uint32_t time = packed & 0xFFFFu;
  std::tm tm{};
  tm.tm_year = static_cast<int>(date >> 9) + 80;
  tm.tm_mon = static_cast<int>((date >> 5) & 0x0F) - 1;
  tm.tm_mday = static_cast<int>(date & 0x1F);
  tm.tm_hour = static_cast<int>(time >> 11);
  tm.tm_min = static_cast<int>((time >> 5) & 0x3F);
  tm.tm_sec = static_cast<int>(time & 0x1F) * 2;
  tm.tm_isdst = -1;
  return std::mktime(&tm);
}

namespace {

// Plain wildcard matching on upper-cased names: "*" any run, "?" one byte.
bool Glob(std::string_view name, std::string_view mask) {
  size_t n = 0, m = 0, starMask = std::string_view::npos, starName = 0;
  while (n < name.size()) {
    if (m < mask.size() && (mask[m] == '?' || mask[m] == name[n])) {
      ++n;
      ++m;
    } else if (m < mask.size() && mask[m] == '*') {
      starMask = m++;
      starName = n;
    } else if (starMask != std::string_view::npos) {
      m = starMask + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == '*') ++m;
  return m == mask.size();
}

}  // namespace

bool MatchesDosMask(std::string_view name, std::string_view mask) {
  if (mask.empty()) return false;
  std::string n = UpperCz(name);
  std::string k = UpperCz(mask);
  bool nameHasDot = n.find('.') != std::string::npos;
  // "X*.*" also takes names without an extension, as DOS does.
  if (k.size() >= 2 && k.compare(k.size() - 2, 2, ".*") == 0) {
    if (Glob(n, k)) return true;
    return !nameHasDot && Glob(n, std::string_view(k).substr(0, k.size() - 2));
  }
  // "X." asks for names without an extension.
  if (k.back() == '.') {
    return !nameHasDot && Glob(n, std::string_view(k).substr(0, k.size() - 1));
  }
  return Glob(n, k);
}

// --- DosFile -------------------------------------------------------------------

DosFile::DosFile(DosFile&& other) noexcept : fd_(other.fd_), lastError_(other.lastError_) {
  other.fd_ = -1;
}

DosFile& DosFile::operator=(DosFile&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = other.fd_;
    lastError_ = other.lastError_;
    other.fd_ = -1;
  }
  return *this;
}

DosFile::~DosFile() { Close(); }

size_t DosFile::Read(void* buffer, size_t size) {
  if (fd_ < 0) {
    lastError_ = kIoReadFault;
    return 0;
  }
  char* out = static_cast<char*>(buffer);
  size_t done = 0;
  while (done < size) {
    ssize_t n = ::read(fd_, out + done, size - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      lastError_ = kIoReadFault;
      break;
    }
    if (n == 0) break;
    done += static_cast<size_t>(n);
  }
  return done;
}

size_t DosFile::Write(const void* buffer, size_t size) {
  if (fd_ < 0) {
    lastError_ = kIoWriteFault;
    return 0;
  }
  const char* in = static_cast<const char*>(buffer);
  size_t done = 0;
  while (done < size) {
    ssize_t n = ::write(fd_, in + done, size - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      lastError_ = (errno == ENOSPC || errno == EDQUOT) ? kIoDiskFull : kIoWriteFault;
      break;
    }
    done += static_cast<size_t>(n);
  }
  return done;
}

bool DosFile::Seek(uint64_t offset) {
  if (fd_ < 0) return false;
  if (::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) < 0) {
    lastError_ = IoResultFromErrno(errno);
    return false;
  }
  return true;
}

uint64_t DosFile::Size() const {
  struct stat st{};
  if (fd_ < 0 || ::fstat(fd_, &st) != 0) return 0;
  return static_cast<uint64_t>(st.st_size);
}

bool DosFile::Flush() {
  if (fd_ < 0) return false;
  if (::fsync(fd_) != 0) {
    lastError_ = kIoWriteFault;
    return false;
  }
  return true;
}

int DosFile::Close() {
  if (fd_ < 0) return kIoOk;
  int rc = ::close(fd_);
  fd_ = -1;
  return rc == 0 ? kIoOk : kIoWriteFault;
}

InstanceLock::~InstanceLock() {
  if (fd_ >= 0) ::close(fd_);
}

// --- DosFs ---------------------------------------------------------------------

DosFs::DosFs(DriveMap drives) : drives_(std::move(drives)) {
  if (drives_.IsMapped('C')) {
    currentDir_ = "C:\\A_Run";
  } else if (!drives_.Drives().empty()) {
    currentDir_ = std::string(1, drives_.Drives().begin()->first) + ":\\";
  } else {
    currentDir_ = "C:\\";
  }
}

char DosFs::DriveOf(std::string_view path) const {
  if (HasDrive(path)) return UpperAscii(path[0]);
  return currentDir_.empty() ? 'C' : currentDir_[0];
}

std::string DosFs::FullPath(std::string_view path) const {
  std::string p(path);
  std::replace(p.begin(), p.end(), '/', '\\');
  char drive = DriveOf(p);
  std::string rest = HasDrive(p) ? p.substr(2) : p;
  std::string joined;
  if (!rest.empty() && rest.front() == '\\') {
    joined = rest;
  } else {
    // Relative: to the current directory when it is on this drive, else to
    // the drive's root.
    if (!currentDir_.empty() && currentDir_[0] == drive) joined = currentDir_.substr(2);
    joined += '\\';
    joined += rest;
  }

  std::vector<std::string> parts;
  size_t pos = 0;
  while (pos <= joined.size()) {
    size_t end = joined.find('\\', pos);
    if (end == std::string::npos) end = joined.size();
    std::string part = joined.substr(pos, end - pos);
    pos = end + 1;
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      // Never above the drive's root: the host directory behind it is the
      // boundary of what the drive may reach.
      if (!parts.empty()) parts.pop_back();
      continue;
    }
    parts.push_back(std::move(part));
  }
  std::string full(1, drive);
  full += ":\\";
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) full += '\\';
    full += parts[i];
  }
  return full;
}

std::optional<std::string> DosFs::HostPath(std::string_view path) const {
  if (path.find('\0') != std::string_view::npos) return std::nullopt;
  std::string full = FullPath(path);
  auto root = drives_.HostDir(full[0]);
  if (!root) return std::nullopt;
  std::string host = *root;
  size_t pos = 3;  // after "X:\"
  while (pos < full.size()) {
    size_t end = full.find('\\', pos);
    if (end == std::string::npos) end = full.size();
    std::string part = full.substr(pos, end - pos);
    pos = end + 1;

    std::string given = Cp1250ToUtf8(part);
    std::string base = host == "/" ? std::string() : host;
    struct stat st{};
    std::string chosen = given;
    if (::lstat((base + "/" + given).c_str(), &st) != 0) {
      if (DIR* dir = ::opendir(host.c_str())) {
        std::string want = UpperCz(part);
        std::string best;
        while (const dirent* e = ::readdir(dir)) {
          std::string name = e->d_name;
          if (name == "." || name == "..") continue;
          if (UpperCz(Utf8ToCp1250(name)) == want && (best.empty() || name < best)) best = name;
        }
        ::closedir(dir);
        if (!best.empty()) chosen = best;
      }
    }
    host = base + "/" + chosen;
  }
  return host;
}

int DosFs::ChangeDir(std::string_view path) {
  std::string full = FullPath(path);
  if (!drives_.IsMapped(full[0])) return kIoInvalidDrive;
  if (!DirExists(full)) return kIoPathNotFound;
  currentDir_ = full;
  return kIoOk;
}

bool DosFs::DriveUsable(char letter) const {
  auto dir = drives_.HostDir(letter);
  return dir && HostIsDir(*dir);
}

std::optional<uint64_t> DosFs::FreeBytes(char letter) const {
  if (freeSpace_) return freeSpace_(UpperAscii(letter));
  auto dir = drives_.HostDir(letter);
  if (!dir) return std::nullopt;
  struct statvfs vfs{};
  if (::statvfs(dir->c_str(), &vfs) != 0) return std::nullopt;
  return static_cast<uint64_t>(vfs.f_bavail) * static_cast<uint64_t>(vfs.f_frsize);
}

bool DosFs::FileExists(std::string_view path) const {
  auto host = HostPath(path);
  struct stat st{};
  return host && ::stat(host->c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DosFs::DirExists(std::string_view path) const {
  auto host = HostPath(path);
  return host && HostIsDir(*host);
}

std::optional<DirEntry> DosFs::Stat(std::string_view path) const {
  auto host = HostPath(path);
  struct stat st{};
  if (!host || ::stat(host->c_str(), &st) != 0) return std::nullopt;
  std::string full = FullPath(path);
  std::string name = full.size() > 3 ? Utf8ToCp1250(LastOf(*host)) : std::string();
  return MakeEntry(std::move(name), *host, st);
}

std::optional<unsigned> DosFs::Attributes(std::string_view path) const {
  auto host = HostPath(path);
  struct stat st{};
  if (!host || ::stat(host->c_str(), &st) != 0) return std::nullopt;
  return HostAttributes(*host, st);
}

int DosFs::SetAttributes(std::string_view path, unsigned attr) {
  auto host = HostPath(path);
  if (!host) return kIoInvalidDrive;
  struct stat st{};
  if (::stat(host->c_str(), &st) != 0) return errno == ENOENT ? MissingResult(*host) : IoResultFromErrno(errno);
  mode_t mode = st.st_mode & 07777;
  bool dir = S_ISDIR(st.st_mode);
  int result = kIoOk;
  // The kernel wants write permission for user.* attributes, so they are
  // written while the file is writable and the read-only bit comes last.
  if ((mode & S_IWUSR) == 0 && ::chmod(host->c_str(), mode | S_IWUSR) != 0) {
    return IoResultFromErrno(errno);
  }
  std::string value = FormatAttrXattr(attr);
  if (::setxattr(host->c_str(), kAttrXattr, value.data(), value.size(), 0) != 0 &&
      !XattrsUnsupported(errno)) {
    result = IoResultFromErrno(errno);
  }
  mode_t wanted = mode | S_IWUSR;
  if (!dir && (attr & kAttrReadOnly)) wanted = mode & ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH);
  if (dir) wanted = mode;
  if (::chmod(host->c_str(), wanted) != 0 && result == kIoOk) result = IoResultFromErrno(errno);
  return result;
}

std::optional<std::time_t> DosFs::ModTime(std::string_view path) const {
  auto host = HostPath(path);
  struct stat st{};
  if (!host || ::stat(host->c_str(), &st) != 0) return std::nullopt;
  return st.st_mtime;
}

int DosFs::SetModTime(std::string_view path, std::time_t t) {
  auto host = HostPath(path);
  if (!host) return kIoInvalidDrive;
  struct timespec times[2];
  times[0].tv_sec = 0;
  times[0].tv_nsec = UTIME_OMIT;
  times[1].tv_sec = t;
  times[1].tv_nsec = 0;
  if (::utimensat(AT_FDCWD, host->c_str(), times, 0) != 0) {
    return errno == ENOENT ? MissingResult(*host) : IoResultFromErrno(errno);
  }
  return kIoOk;
}

std::vector<DirEntry> DosFs::List(std::string_view pathWithMask) const {
  std::string p(pathWithMask);
  std::replace(p.begin(), p.end(), '/', '\\');
  std::string dirPart;
  std::string mask;
  size_t slash = p.find_last_of('\\');
  if (slash != std::string::npos) {
    dirPart = p.substr(0, slash + 1);
    mask = p.substr(slash + 1);
  } else if (HasDrive(p)) {
    dirPart = p.substr(0, 2);
    mask = p.substr(2);
  } else {
    dirPart = ".";
    mask = p;
  }
  if (mask.empty()) mask = "*.*";

  std::vector<DirEntry> entries;
  auto host = HostPath(dirPart);
  if (!host) return entries;
  DIR* dir = ::opendir(host->c_str());
  if (dir == nullptr) return entries;
  std::string base = *host == "/" ? std::string() : *host;
  while (const dirent* e = ::readdir(dir)) {
    std::string hostName = e->d_name;
    if (hostName == "." || hostName == "..") continue;
    std::string name = Utf8ToCp1250(hostName);
    if (!MatchesDosMask(name, mask)) continue;
    std::string entryHost = base + "/" + hostName;
    struct stat st{};
    if (::stat(entryHost.c_str(), &st) != 0) continue;  // a dangling link
    entries.push_back(MakeEntry(std::move(name), entryHost, st));
  }
  ::closedir(dir);
  std::sort(entries.begin(), entries.end(), [](const DirEntry& a, const DirEntry& b) {
    std::string ua = UpperCz(a.name);
    std::string ub = UpperCz(b.name);
    return ua != ub ? ua < ub : a.name < b.name;
  });
  return entries;
}

int DosFs::MakeDir(std::string_view path) {
  auto host = HostPath(path);
  if (!host) return kIoInvalidDrive;
  if (::mkdir(host->c_str(), 0777) != 0) {
    return errno == ENOENT ? kIoPathNotFound : IoResultFromErrno(errno);
  }
  return kIoOk;
}

int DosFs::RemoveDir(std::string_view path) {
  auto host = HostPath(path);
  if (!host) return kIoInvalidDrive;
  if (FullPath(path).size() <= 3) return kIoAccessDenied;  // never a drive's root
  if (::rmdir(host->c_str()) != 0) {
    return errno == ENOENT ? kIoPathNotFound : IoResultFromErrno(errno);
  }
  return kIoOk;
}

int DosFs::Remove(std::string_view path) {
  auto host = HostPath(path);
  if (!host) return kIoInvalidDrive;
  struct stat st{};
  if (::lstat(host->c_str(), &st) != 0) {
    return errno == ENOENT ? MissingResult(*host) : IoResultFromErrno(errno);
  }
  if (S_ISDIR(st.st_mode)) return kIoAccessDenied;
  // A read-only file refuses to go, as on Windows, whoever we run as.
  if (S_ISREG(st.st_mode) && (st.st_mode & S_IWUSR) == 0) return kIoAccessDenied;
  if (::unlink(host->c_str()) != 0) return IoResultFromErrno(errno);
  return kIoOk;
}

int DosFs::Rename(std::string_view from, std::string_view to) {
  auto hostFrom = HostPath(from);
  auto hostTo = HostPath(to);
  if (!hostFrom || !hostTo) return kIoInvalidDrive;
  struct stat st{};
  if (::lstat(hostFrom->c_str(), &st) != 0) {
    return errno == ENOENT ? MissingResult(*hostFrom) : IoResultFromErrno(errno);
  }
  if (!HostIsDir(ParentOf(*hostTo))) return kIoPathNotFound;
  if (*hostTo == *hostFrom) {
    // Only the case of the name changes: the new name takes the given case.
    std::string full = FullPath(to);
    *hostTo = ParentOf(*hostTo) + "/" + Cp1250ToUtf8(full.substr(full.find_last_of('\\') + 1));
    if (*hostTo == *hostFrom) return kIoOk;
  } else {
    struct stat existing{};
    if (::lstat(hostTo->c_str(), &existing) == 0) return kIoFileExists;
  }
  if (::rename(hostFrom->c_str(), hostTo->c_str()) != 0) return IoResultFromErrno(errno);
  return kIoOk;
}

int DosFs::ReplaceWith(std::string_view from, std::string_view to) {
  auto hostFrom = HostPath(from);
  auto hostTo = HostPath(to);
  if (!hostFrom || !hostTo) return kIoInvalidDrive;
  struct stat st{};
  if (::lstat(hostFrom->c_str(), &st) != 0) {
    return errno == ENOENT ? MissingResult(*hostFrom) : IoResultFromErrno(errno);
  }
  struct stat existing{};
  if (::stat(hostTo->c_str(), &existing) == 0 && S_ISDIR(existing.st_mode)) return kIoAccessDenied;
  if (::rename(hostFrom->c_str(), hostTo->c_str()) != 0) return IoResultFromErrno(errno);
  SyncDir(ParentOf(*hostTo));
  return kIoOk;
}

DosFile DosFs::Open(std::string_view path, DosFile::Mode mode, int* ioResult) const {
  int dummy = 0;
  int& result = ioResult != nullptr ? *ioResult : dummy;
  auto host = HostPath(path);
  if (!host) {
    result = kIoInvalidDrive;
    return DosFile();
  }
  struct stat st{};
  bool exists = ::stat(host->c_str(), &st) == 0;
  if (exists && S_ISDIR(st.st_mode)) {
    result = kIoAccessDenied;
    return DosFile();
  }
  int flags = O_CLOEXEC;
  switch (mode) {
    case DosFile::Mode::Read:
      flags |= O_RDONLY;
      break;
    case DosFile::Mode::Write:
      flags |= O_WRONLY | O_CREAT | O_TRUNC;
      break;
    case DosFile::Mode::ReadWrite:
      flags |= O_RDWR;
      break;
  }
  // The read-only attribute holds even for a process that may ignore
  // permission bits.
  if (mode != DosFile::Mode::Read && exists && (st.st_mode & S_IWUSR) == 0) {
    result = kIoAccessDenied;
    return DosFile();
  }
  int fd = ::open(host->c_str(), flags, 0666);
  if (fd < 0) {
    result = errno == ENOENT ? MissingResult(*host) : IoResultFromErrno(errno);
    return DosFile();
  }
  result = kIoOk;
  return DosFile(fd);
}

std::optional<std::string> DosFs::ReadWhole(std::string_view path, int* ioResult) const {
  int dummy = 0;
  int& result = ioResult != nullptr ? *ioResult : dummy;
  DosFile file = Open(path, DosFile::Mode::Read, &result);
  if (!file.IsOpen()) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  for (;;) {
    size_t n = file.Read(buffer, sizeof buffer);
    bytes.append(buffer, n);
    if (file.LastError() != 0) {
      result = file.LastError();
      return std::nullopt;
    }
    if (n < sizeof buffer) break;
  }
  result = kIoOk;
  return bytes;
}

int DosFs::WriteWhole(std::string_view path, std::string_view bytes) {
  auto host = HostPath(path);
  if (!host) return kIoInvalidDrive;
  std::string dir = ParentOf(*host);
  if (!HostIsDir(dir)) return kIoPathNotFound;
  struct stat old{};
  bool exists = ::stat(host->c_str(), &old) == 0;
  if (exists && !S_ISREG(old.st_mode)) return kIoAccessDenied;

  // The temporary name ("~NAME.PID.tmp", temporary_files.h) says whose it
  // is, so that one a crash leaves behind is recognised and removed when the
  // file is next replaced. A file of that name can only be one this process
  // left after a failure.
  auto hostTemp = HostPath(TemporaryBeside(*this, path));
  if (!hostTemp) return kIoInvalidDrive;
  const std::string temp = *hostTemp;
  ::unlink(temp.c_str());
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return IoResultFromErrno(errno);

  int err = 0;
  bool ok = WriteAll(fd, bytes.data(), bytes.size(), &err);
  if (ok && ::fsync(fd) != 0) {
    err = errno;
    ok = false;
  }
  if (ok && exists) {
    char value[16];
    ssize_t n = ::getxattr(host->c_str(), kAttrXattr, value, sizeof value);
    if (n >= 0) ::fsetxattr(fd, kAttrXattr, value, static_cast<size_t>(n), 0);
    ::fchmod(fd, old.st_mode & 07777);
  }
  if (::close(fd) != 0 && ok) {
    err = errno;
    ok = false;
  }
  if (ok && ::rename(temp.c_str(), host->c_str()) != 0) {
    err = errno;
    ok = false;
  }
  if (!ok) {
    ::unlink(temp.c_str());
    return err == ENOSPC || err == EDQUOT ? kIoDiskFull : IoResultFromErrno(err);
  }
  SyncDir(dir);
  return kIoOk;
}

std::unique_ptr<InstanceLock> DosFs::TryLock(std::string_view lockFile, int* ioResult) const {
  int dummy = 0;
  int& result = ioResult != nullptr ? *ioResult : dummy;
  auto host = HostPath(lockFile);
  if (!host) {
    result = kIoInvalidDrive;
    return nullptr;
  }
  int fd = ::open(host->c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) {
    result = errno == ENOENT ? kIoPathNotFound : IoResultFromErrno(errno);
    return nullptr;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    result = kIoSharingViolation;
    return nullptr;
  }
  result = kIoOk;
  return std::make_unique<InstanceLock>(fd);
}

}  // namespace orvo
