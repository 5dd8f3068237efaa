// The logical DOS file system. The application thinks in Windows paths
// ("C:\A_Run\Work\Orvoork.Cds"); this is the one place where they become host
// paths. Names resolve case-insensitively, a component at a time; a new file
// takes the case it was given. Attributes: read-only is the write permission
// bit, hidden/system/archive live in the extended attribute user.orvo.attrib.
// The current directory is logical and belongs to this object, never to the
// process.
//
// I/O results follow the DOS codes the callers test: 0 success, 2 file not
// found, 3 path not found, 5 access denied, 15 invalid drive, 32 sharing
// violation (locked), 80 file exists, 29/30 write/read fault, 112 disk full.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/sys/drive_map.h"

namespace orvo {

enum : unsigned {
  kAttrReadOnly = 0x01,
  kAttrHidden = 0x02,
  kAttrSystem = 0x04,
  kAttrDirectory = 0x10,
  kAttrArchive = 0x20,
};

enum IoResult : int {
  kIoOk = 0,
  kIoFileNotFound = 2,
  kIoPathNotFound = 3,
  kIoAccessDenied = 5,
  kIoInvalidDrive = 15,
  kIoWriteFault = 29,
  kIoReadFault = 30,
  kIoSharingViolation = 32,
  kIoFileExists = 80,
  kIoDiskFull = 112,
};

int IoResultFromErrno(int err);

// The DOS packed date-time stamp (two-second resolution), as the archive
// comparisons use it: date in the high word, time in the low word.
uint32_t PackDosTime(std::time_t t);
std::time_t UnpackDosTime(uint32_t packed);

struct DirEntry {
  std::string name;     // as stored (host name converted to Windows-1250)
  unsigned attr = 0;    // kAttr* bits
  uint64_t size = 0;
  std::time_t mtime = 0;
  uint32_t packedTime = 0;
};

// DOS wildcard matching of one name: "*" any run, "?" one character, "*.*"
// everything, a mask without "." also matches a name without extension.
// Case-insensitive (Windows-1250 Czech letters included).
bool MatchesDosMask(std::string_view name, std::string_view mask);

class DosFs;

// An open file; closes itself. Reads and writes raw bytes.
class DosFile {
 public:
  enum class Mode { Read, Write /* create or truncate */, ReadWrite /* existing */ };

  DosFile() = default;
  DosFile(DosFile&& other) noexcept;
  DosFile& operator=(DosFile&& other) noexcept;
  DosFile(const DosFile&) = delete;
  DosFile& operator=(const DosFile&) = delete;
  ~DosFile();

  bool IsOpen() const { return fd_ >= 0; }
  // Number of bytes read or written; a short count on an error (LastError()).
  size_t Read(void* buffer, size_t size);
  size_t Write(const void* buffer, size_t size);
  bool Seek(uint64_t offset);
  uint64_t Size() const;
  bool Flush();  // fsync
  int Close();   // I/O result of the close
  int LastError() const { return lastError_; }

 private:
  friend class DosFs;
  explicit DosFile(int fd) : fd_(fd) {}
  int fd_ = -1;
  int lastError_ = 0;
};

// The single-instance lock: an flock on a file, released when this object
// goes or the process ends.
class InstanceLock {
 public:
  explicit InstanceLock(int fd) : fd_(fd) {}
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;
  ~InstanceLock();

 private:
  int fd_;
};

class DosFs {
 public:
  explicit DosFs(DriveMap drives);

  DriveMap& Drives() { return drives_; }
  const DriveMap& Drives() const { return drives_; }

  // Free bytes of a drive; tests inject their own source.
  using FreeSpaceSource = std::function<std::optional<uint64_t>(char letter)>;
  void SetFreeSpaceSource(FreeSpaceSource source) { freeSpace_ = std::move(source); }

  // --- paths --------------------------------------------------------------
  // "C:\A_Run" initially when C: is mapped.
  const std::string& CurrentDir() const { return currentDir_; }
  // Changes the logical current directory; I/O result (3 when missing).
  int ChangeDir(std::string_view path);
  // A full logical path: drive letter upper-cased, "/" taken as "\", relative
  // paths joined to the current directory (or the drive's root for "X:name"),
  // "." and ".." folded, no trailing "\" except on a root ("C:\").
  std::string FullPath(std::string_view path) const;
  // The host path of a logical path, resolved case-insensitively. Components
  // that do not exist keep the given case. Nothing on an unmapped drive.
  std::optional<std::string> HostPath(std::string_view path) const;
  // The drive letter of a path, upper case ('C' for "c:\x"); the current
  // drive for a path without one.
  char DriveOf(std::string_view path) const;

  // --- tests ---------------------------------------------------------------
  bool DriveUsable(char letter) const;  // mapped and its directory exists
  std::optional<uint64_t> FreeBytes(char letter) const;
  bool FileExists(std::string_view path) const;  // a file, not a directory
  bool DirExists(std::string_view path) const;
  std::optional<DirEntry> Stat(std::string_view path) const;

  // --- attributes and time stamps -----------------------------------------
  std::optional<unsigned> Attributes(std::string_view path) const;
  int SetAttributes(std::string_view path, unsigned attr);
  std::optional<std::time_t> ModTime(std::string_view path) const;
  int SetModTime(std::string_view path, std::time_t t);

  // --- directory listing ----------------------------------------------------
  // Entries of a directory matching a DOS mask, sorted by name
  // (case-insensitively). `path` may be "dir\mask"; "." and ".." never appear.
  std::vector<DirEntry> List(std::string_view pathWithMask) const;

  // --- changes ---------------------------------------------------------------
  int MakeDir(std::string_view path);       // one level
  int RemoveDir(std::string_view path);
  int Remove(std::string_view path);        // a file; 2 when missing
  int Rename(std::string_view from, std::string_view to);  // fails when `to` exists
  // Puts `from` in the place of the existing file `to` in one step (a
  // rename over it): `to` is at every moment either the old or the new
  // file. Both must lie in one directory tree of one drive.
  int ReplaceWith(std::string_view from, std::string_view to);

  DosFile Open(std::string_view path, DosFile::Mode mode, int* ioResult) const;

  // Whole-file helpers. WriteWhole is crash-safe: a temporary file in the
  // same directory, flushed, renamed over the old one, whose attributes and
  // permission bits are kept.
  std::optional<std::string> ReadWhole(std::string_view path, int* ioResult) const;
  int WriteWhole(std::string_view path, std::string_view bytes);

  // flock on a lock file; nothing when another process holds it.
  std::unique_ptr<InstanceLock> TryLock(std::string_view lockFile, int* ioResult) const;

 private:
  DriveMap drives_;
  std::string currentDir_;
  FreeSpaceSource freeSpace_;
};

}  // namespace orvo
