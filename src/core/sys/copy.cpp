#include "core/sys/copy.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "core/sys/temporary_files.h"
#include "core/sys/termination.h"
#include "core/sys/text.h"

namespace orvo {

namespace {

// Whether two logical names denote one file (another case, a relative form).
bool SameFile(Env& env, std::string_view a, std::string_view b) {
  if (a == b) return true;
  auto hostA = env.fs.HostPath(a);
  auto hostB = env.fs.HostPath(b);
  return hostA && hostB && *hostA == *hostB;
}

// The directory a file goes into; "X:" alone is the drive's root.
std::string TargetDirOf(Env& env, std::string_view target) {
  std::string dir = DirectoryOf(target);
  if (dir.empty()) dir = DirectoryOf(env.fs.FullPath(target));
  if (dir.size() == 2 && dir[1] == ':') dir += '\\';
  return dir;
}

std::string WithoutTrailingBackslash(std::string_view dir) {
  std::string d(dir);
  if (!d.empty() && d.back() == '\\') d.pop_back();
  return d;
}

// Copies the bytes of an open file into another in blocks; false when a
// block could not be read or written whole.
bool CopyBytes(DosFile& in, DosFile& out, size_t blockSize) {
  std::vector<char> buffer(blockSize);
  for (;;) {
    size_t n = in.Read(buffer.data(), blockSize);
    if (in.LastError() != 0) return false;
    if (out.Write(buffer.data(), n) != n) return false;
    if (n < blockSize) return out.Flush();
  }
}

// Files of an archive directory that count as generations of `file`: its
// numbered names only, no directories, nothing hidden or system.
std::vector<DirEntry> GenerationFiles(Env& env, std::string_view file, std::string_view dir) {
  MakeDirPath(env, dir);
  std::vector<DirEntry> found;
  std::string name = FileNameOf(file);
  std::string pattern = WithoutTrailingBackslash(dir) + "\\" + GenerationMask(name);
  for (DirEntry& e : env.fs.List(pattern)) {
    if ((e.attr & (kAttrDirectory | kAttrHidden | kAttrSystem)) != 0) continue;
    if (IsGenerationOf(e.name, name)) found.push_back(std::move(e));
  }
  return found;
}

}  // namespace

bool RawCopy(Env& env, std::string_view source, std::string_view target) {
  // Another spelling of the same file counts as the same: opening the target
  // would cut the source to nothing.
  if (SameFile(env, source, target)) {
    FatalCode(env, 3, "LRCopy: " + std::string(source) + "=" + std::string(target));
    return false;
  }
  unsigned attr = env.fs.Attributes(source).value_or(kAttrArchive);
  auto mtime = env.fs.ModTime(source);
  DosFile in = env.fs.Open(source, DosFile::Mode::Read, nullptr);
  if (!in.IsOpen()) return false;
  if (env.fs.Attributes(target).value_or(0) & kAttrReadOnly) env.fs.SetAttributes(target, kAttrArchive);
  DosFile out = env.fs.Open(target, DosFile::Mode::Write, nullptr);
  if (!out.IsOpen()) return false;
  bool complete = CopyBytes(in, out, 300000);
  in.Close();
  bool closed = out.Close() == kIoOk;
  if (!complete || !closed) {
    // A cut-off copy must not pass for an archive generation.
    env.fs.Remove(target);
    return false;
  }
  if (mtime) env.fs.SetModTime(target, *mtime);
  env.fs.SetAttributes(target, attr);
  return true;
}

int CopyFile(Env& env, std::string_view source, std::string_view target, bool newDate) {
  std::string s(source);
  std::string t(target);
  try {
    if (!FileExistsOrSay(env, s)) return -1;
    // Also another spelling of the same file: erasing the target would erase
    // the source.
    if (SameFile(env, s, t)) {
      ErrorBox(env, "Vstupni soubor:   " + s + "\rVystupni soubor:  " + t + "\r\rSoubory se rovnaji !");
      return -2;
    }
    if (!DirExistsOrSay(env, TargetDirOf(env, t))) return -3;

    unsigned attr = env.fs.Attributes(s).value_or(kAttrArchive);
    auto mtime = env.fs.ModTime(s);

    DosFile in;
    for (;;) {
      in = env.fs.Open(s, DosFile::Mode::Read, nullptr);
      if (in.IsOpen()) break;
      if (!AskYesNoCancel(env, s + "\r\rSoubor nelze otevrit. Opakovat akci ? ")) return -5;
    }
    // An existing target is never opened for writing: the copy goes into a
    // fresh file beside it, which takes its place only once it is whole.
    bool replacing = FileExistsQuiet(env, t);
    std::string written = t;
    if (replacing) {
      RemoveStaleTemporaries(env.fs, t);
      written = TemporaryBeside(env.fs, t);
    }
    DosFile out;
    for (;;) {
      out = env.fs.Open(written, DosFile::Mode::Write, nullptr);
      if (out.IsOpen()) break;
      if (!AskYesNoCancel(env, t + "\r\rSoubor nelze zalozit. Opakovat akci ? ")) return -5;
    }
    bool complete = CopyBytes(in, out, 32000);
    in.Close();
    bool closed = out.Close() == kIoOk;
    if (!complete || !closed) {
      // A short copy (a full disk, a read error) is a failure, not a copy.
      env.fs.Remove(written);
      return -4;
    }
    if (!newDate && mtime) env.fs.SetModTime(written, *mtime);
    env.fs.SetAttributes(written, attr);
    if (replacing && env.fs.ReplaceWith(written, t) != kIoOk) {
      env.fs.SetAttributes(written, kAttrArchive);
      env.fs.Remove(written);
      return -4;
    }
    return 0;
  } catch (const Termination&) {
    throw;
  } catch (...) {
    return -4;
  }
}

int CopyOneFile(Env& env, std::string_view name, std::string_view sourceDir,
                std::string_view targetDir, bool newDate) {
  std::string n(name);
  return CopyFile(env, WithoutTrailingBackslash(sourceDir) + "\\" + n,
                  WithoutTrailingBackslash(targetDir) + "\\" + n, newDate);
}

void CopyDirFiles(Env& env, std::string_view mask, std::string_view sourceDir,
                  std::string_view targetDir, int mode) {
  std::string source = WithoutTrailingBackslash(sourceDir);
  std::string target = WithoutTrailingBackslash(targetDir);
  std::vector<DirEntry> files;
  for (DirEntry& e : env.fs.List(source + "\\" + std::string(mask))) {
    if ((e.attr & ~static_cast<unsigned>(kAttrArchive)) != 0) continue;
    files.push_back(std::move(e));
    if (files.size() == 1000) break;
  }
  for (const DirEntry& e : files) {
    std::string targetFile = target + "\\" + e.name;
    bool copy = true;
    if (mode == 1) {
      copy = !FileExistsQuiet(env, targetFile) || FileTimeOf(env, targetFile) < e.packedTime;
    } else if (mode == 2) {
      copy = !FileExistsQuiet(env, targetFile);
    }
    if (!copy) continue;
    if (CopyOneFile(env, e.name, source, target, false) == 0) {
      env.fs.SetAttributes(targetFile, kAttrArchive);
    }
  }
}

void MoveFileSafe(Env& env, std::string_view source, std::string_view target) {
  if (env.fs.DriveOf(source) != env.fs.DriveOf(target)) {
    // CopyFile replaces an existing target only with the whole copy, so it
    // is not erased first; the source goes only once the target holds it.
    if (CopyFile(env, source, target, false) == 0) EraseFile(env, source);
  } else {
    RenameFile(env, source, target);
  }
}

bool SafeReplace(Env& env, std::string_view source, std::string_view target, bool messages) {
  std::string caption = std::string(source) + " ==> " + std::string(target);
  auto giveUp = [&](std::string_view text) {
    if (messages) InfoBox(env, text, caption);
    return false;
  };

  // The copy goes into a temporary file beside the target and is renamed
  // over it: the target is at every moment the old file or the whole new one.
  RemoveStaleTemporaries(env.fs, target);
  const std::string temp = TemporaryBeside(env.fs, target);
  for (int attempt = 1;; ++attempt) {
    EraseFile(env, temp);
    int result = CopyFile(env, source, temp, false);
    if (result == 0) break;
    // Only a failure on the way is worth another try; the rest has been said.
    if (result != -4 || attempt > 100) {
      EraseFile(env, temp);
      return giveUp("Nepodarilo se zkopirovat soubor !-Copy");
    }
    env.clock.Sleep(100);
  }
  for (int attempt = 1;; ++attempt) {
    const bool present = env.fs.Stat(target).has_value();
    int result = present ? env.fs.ReplaceWith(temp, target) : env.fs.Rename(temp, target);
    if (result == kIoOk) break;
    env.clock.Sleep(100);
    if (attempt > 100) {
      EraseFile(env, temp);
      // An old target that could not be replaced is still there, whole.
      if (present) return giveUp("Nepodarilo se zkopirovat soubor !-Erase");
      return giveUp(
          "Nepodarilo se zkopirovat soubor !-Rename  Ukoncete program a zavolejte odbornika.");
    }
  }
  return true;
}

namespace {

// The position of the first "." of the file name part, or npos.
size_t FirstDotOfName(std::string_view path) {
  size_t nameStart = path.find_last_of("\\:");
  nameStart = nameStart == std::string_view::npos ? 0 : nameStart + 1;
  return path.find('.', nameStart);
}

}  // namespace

std::string GenerationName(std::string_view name, int k) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "_%03d", k);
  size_t dot = FirstDotOfName(name);
  // A name without an extension takes the number at its end, so that its
  // generation mask (name + "*.*") finds the generations again.
  if (dot == std::string_view::npos) return std::string(name) + digits;
  return std::string(name.substr(0, dot)) + digits + std::string(name.substr(dot));
}

std::string GenerationMask(std::string_view name) {
  size_t dot = FirstDotOfName(name);
  if (dot == std::string_view::npos) return std::string(name) + "*.*";
  return std::string(name.substr(0, dot)) + "*" + std::string(name.substr(dot));
}

bool IsGenerationOf(std::string_view entry, std::string_view name) {
  std::string generation = GenerationName(name, 1);
  if (entry.size() != generation.size()) return false;
  size_t dot = FirstDotOfName(name);
  size_t at = dot == std::string_view::npos ? name.size() : dot;  // where "_NNN" goes
  for (size_t i = 0; i < entry.size(); ++i) {
    if (i > at && i <= at + 3) {
      if (entry[i] < '0' || entry[i] > '9') return false;
    } else if (UpperCz(std::string(1, entry[i])) != UpperCz(std::string(1, generation[i]))) {
      return false;
    }
  }
  return true;
}

bool ArchiveRotate(Env& env, std::string_view file, std::string_view dir, int n) {
  if (!FileExistsQuiet(env, file)) return false;
  n = std::clamp(n, 1, 999);
  std::string d = WithoutTrailingBackslash(dir);
  MakeDirPath(env, d);
  // Every name below is a full path, so the current directory need not move;
  // a directory that cannot be entered is still the end.
  int result = env.fs.DirExists(d.size() == 2 && d[1] == ':' ? d + "\\" : d) ? kIoOk
                                                                              : kIoPathNotFound;
  if (result != kIoOk) FatalCode(env, result, d + "-CHDIR");

  std::string name = FileNameOf(file);
  auto inDir = [&](const std::string& entry) { return d + "\\" + entry; };
  // An unnumbered copy is what an archiving cut short left behind.
  if (FileExistsQuiet(env, inDir(name))) {
    env.fs.SetAttributes(inDir(name), kAttrArchive);
    EraseFile(env, inDir(name));
  }
  // The copy comes first, under a name outside the generation mask; the
  // generations move only once it is whole.
  RemoveStaleTemporaries(env.fs, inDir(name));
  std::string fresh = TemporaryBeside(env.fs, inDir(name));
  if (!RawCopy(env, file, fresh)) {
    ErrorBox(env, "Soubor " + std::string(file) + " se nepodarilo archivovat !\r\rArchiv " + d +
                      " zustava beze zmeny.");
    return false;
  }

  int k = 0;
  for (int i = 1; i <= n; ++i) {
    if (!FileExistsQuiet(env, inDir(GenerationName(name, i)))) {
      k = i;
      break;
    }
  }
  if (k == 0) {
    std::string oldest = GenerationName(name, 1);
    result = EraseFile(env, inDir(oldest));
    if (result != kIoOk) FatalCode(env, result, oldest + "-ERASE");
    for (int i = 2; i <= n; ++i) {
      std::string from = GenerationName(name, i);
      result = RenameFile(env, inDir(from), inDir(GenerationName(name, i - 1)));
      if (result != 0) FatalCode(env, result, from + "-RENAME");
    }
    k = n;
  }
  result = RenameFile(env, fresh, inDir(GenerationName(name, k)));
  if (result != 0) FatalCode(env, result, name + "-RENAME");
  return true;
}

bool ArchiveNeededByDate(Env& env, std::string_view file, std::string_view dir) {
  auto mtime = env.fs.ModTime(file);
  if (!FileExistsQuiet(env, file) || !mtime) return false;
  uint32_t day = PackDosTime(*mtime) >> 16;
  for (const DirEntry& e : GenerationFiles(env, file, dir)) {
    if ((e.packedTime >> 16) >= day) return false;
  }
  return true;
}

bool ArchiveNeededByTime(Env& env, std::string_view file, std::string_view dir) {
  auto mtime = env.fs.ModTime(file);
  if (!FileExistsQuiet(env, file) || !mtime) return false;
  uint32_t stamp = PackDosTime(*mtime);
  for (const DirEntry& e : GenerationFiles(env, file, dir)) {
    if (e.packedTime >= stamp) return false;
  }
  return true;
}

}  // namespace orvo
