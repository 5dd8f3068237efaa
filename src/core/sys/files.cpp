#include "core/sys/files.h"

#include <tuple>

#include "core/sys/messages.h"
#include "core/sys/numbers.h"
#include "core/sys/termination.h"
#include "core/sys/text.h"

namespace orvo {

namespace {

constexpr std::string_view kNotFound = "\r\r     - nebyl nalezen !";

// No file name: empty, or a mask with wildcards.
bool EmptyOrWildcard(std::string_view name) {
  return name.empty() || name.find('*') != std::string_view::npos ||
         name.find('?') != std::string_view::npos;
}

char UpperLetter(char c) { return UpperCz(std::string_view(&c, 1))[0]; }

// A path whose directory part is "X:" means the drive's root here, not the
// drive's current directory: "C:\*.Tmp" must not reach into C:\A_Run.
std::string DirectoryArgument(std::string_view dir) {
  std::string d(dir);
  if (d.empty()) return "\\";
  if (d.size() == 2 && d[1] == ':') d += '\\';
  return d;
}

// Runs the wanted kind of erase over the files of a mask. The mask's
// directory is resolved against the logical current directory, which itself
// stays as it is.
template <typename Wanted>
void EraseMatching(Env& env, std::string_view mask, Wanted wanted) {
  std::string m(mask);
  std::string dir = env.fs.CurrentDir();
  size_t slash = m.find_last_of("\\/");
  if (slash != std::string::npos) {
    dir = env.fs.FullPath(DirectoryArgument(m.substr(0, slash)));
    m = m.substr(slash + 1);
  }
  // When the directory is missing nothing is erased: going on in the current
  // directory would erase the wrong files.
  if (!env.fs.DirExists(dir)) return;
  if (dir.back() != '\\') dir += '\\';
  for (const DirEntry& e : env.fs.List(dir + m)) {
    if (e.attr & (kAttrDirectory | kAttrSystem)) continue;
    if (wanted(e)) EraseFile(env, dir + e.name);
  }
}

}  // namespace

std::string UpperFirst(std::string_view s) {
  std::string out(s);
  if (!out.empty()) out[0] = UpperLetter(out[0]);
  return out;
}

std::string DirectoryOf(std::string_view path) {
  size_t slash = path.find_last_of('\\');
  return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash));
}

std::string FileNameOf(std::string_view path) {
  size_t cut = path.find_last_of("\\:");
  return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

std::string ExtensionOf(std::string_view path) {
  std::string name = FileNameOf(path);
  size_t dot = name.find_last_of('.');
  return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string BaseName(std::string_view path) {
  std::string name = FileNameOf(path);
  size_t dot = name.find('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

bool FileExistsQuiet(Env& env, std::string_view name) {
  return !EmptyOrWildcard(name) && env.fs.FileExists(name);
}

bool FileExistsOrSay(Env& env, std::string_view name) {
  if (FileExistsQuiet(env, name)) return true;
  ErrorBox(env, "Soubor:\r\r\"" + UpperFirst(name) + "\"" + std::string(kNotFound));
  return false;
}

bool DriveUsable(Env& env, char letter) { return env.fs.DriveUsable(letter); }

bool DriveUsableOrSay(Env& env, std::string_view text) {
  char letter = text.empty() ? '\0' : text[0];
  if (letter != '\0' && DriveUsable(env, letter)) return true;
  std::string shown = letter == '\0' ? std::string() : std::string(1, UpperLetter(letter));
  ErrorBox(env, "Disk:  \"" + shown + "\"" + std::string(kNotFound));
  return false;
}

bool DirExistsQuiet(Env& env, std::string_view path) {
  if (path.size() < 2) return false;
  if (path[1] == ':' && !DriveUsable(env, path[0])) return false;
  return env.fs.DirExists(path);
}

bool DirExistsOrSay(Env& env, std::string_view path) {
  if (DirExistsQuiet(env, path)) return true;
  ErrorBox(env, "Adresar:\r\r\"" + UpperFirst(path) + "\"" + std::string(kNotFound));
  return false;
}

uint64_t DiskFreeBytes(Env& env, char letter) {
  char upper = (letter >= 'a' && letter <= 'z') ? static_cast<char>(letter - 'a' + 'A') : letter;
  if (upper < 'A' || upper > 'Z') upper = env.fs.DriveOf("");
  return env.fs.FreeBytes(upper).value_or(0);
}

uint64_t FileSizeOf(Env& env, std::string_view name) {
  auto entries = env.fs.List(name);
  return entries.empty() ? 0 : entries.front().size;
}

unsigned FileAttrOf(Env& env, std::string_view name) {
  auto entries = env.fs.List(name);
  return entries.empty() ? 0 : entries.front().attr;
}

uint32_t FileTimeOf(Env& env, std::string_view name) {
  auto entries = env.fs.List(name);
  return entries.empty() ? 0 : entries.front().packedTime;
}

void MakeDirPath(Env& env, std::string_view path) {
  std::string p(path);
  if (p.empty() || p.back() != '\\') p += '\\';
  for (size_t i = p.find('\\'); i != std::string::npos; i = p.find('\\', i + 1)) {
    env.fs.MakeDir(p.substr(0, i + 1));
  }
}

void EnterDirPath(Env& env, std::string_view path) {
  // Made absolute first: entering each prefix would otherwise move the base
  // of the relative prefixes that follow.
  std::string p = env.fs.FullPath(path);
  if (p.back() != '\\') p += '\\';
  for (size_t i = p.find('\\'); i != std::string::npos; i = p.find('\\', i + 1)) {
    std::string prefix = p.substr(0, i + 1);
    env.fs.MakeDir(prefix);
    env.fs.ChangeDir(prefix);
  }
}

int EraseFile(Env& env, std::string_view name) {
  auto entry = env.fs.Stat(name);
  if (entry && (entry->attr & kAttrDirectory) == 0) env.fs.SetAttributes(name, kAttrArchive);
  return env.fs.Remove(name);
}

void EraseOrStop(Env& env, std::string_view name) {
  if (EraseFile(env, name) == kIoOk || !FileExistsQuiet(env, name)) return;
  ErrorBox(env, "Nepodarilo se zrusit soubor:\r\r" + std::string(name) + "\r\rProgram bude ukoncen !");
  throw Termination("cannot erase " + std::string(name));
}

int RenameFile(Env& env, std::string_view from, std::string_view to) {
  // Renaming a file onto its own name (another case of it) must not erase it.
  auto hostFrom = env.fs.HostPath(from);
  auto hostTo = env.fs.HostPath(to);
  if (!hostFrom || !hostTo) return 1;
  // An existing target is renamed over, never erased first: when the move
  // cannot be made (the source is missing, a directory is in the way) the
  // target stays as it was.
  if (*hostFrom != *hostTo && env.fs.Stat(to)) return env.fs.ReplaceWith(from, to) == kIoOk ? 0 : 1;
  return env.fs.Rename(from, to) == kIoOk ? 0 : 1;
}

namespace {

enum class TryKind { Create, Open };

bool TryFile(Env& env, std::string_view name, TryKind kind) {
  bool create = kind == TryKind::Create;
  if (create) EraseFile(env, name);
  for (int failures = 0;;) {
    int result = kIoOk;
    DosFile file = env.fs.Open(name, create ? DosFile::Mode::Write : DosFile::Mode::Read, &result);
    if (file.IsOpen()) {
      file.Close();
      if (create) EraseFile(env, name);
      return true;
    }
    // A drive that is not there is a path that is not there, as Windows
    // reports it.
    if (result == kIoPathNotFound || result == kIoInvalidDrive) return true;
    if (!create && result == kIoFileNotFound) return true;
    env.clock.Sleep(100);
    if (++failures < 100) continue;
    std::string text = "Chyba:" + IntText(result, 5) + "\r\r" +
                       (create ? "Program nemuze zalozit Soubor: " : "Program nemuze otevrit Soubor: ") +
                       "\r     " + std::string(name) + "\r\r" +
                       (create ? "Chceme opakovat pokus o zalozeni Souboru ?"
                               : "Chceme opakovat pokus o otevreni Souboru ?");
    if (!AskYesNo(env, text)) return false;
  }
}

std::tuple<int, int, int> TodayOf(Env& env) {
  DateTime now = env.clock.Now();
  return {now.year, now.month, now.day};
}

}  // namespace

bool TryCreateFile(Env& env, std::string_view name) { return TryFile(env, name, TryKind::Create); }

bool TryOpenFile(Env& env, std::string_view name) { return TryFile(env, name, TryKind::Open); }

void EraseOlderFiles(Env& env, std::string_view mask) {
  auto today = TodayOf(env);
  EraseMatching(env, mask, [&](const DirEntry& e) {
    DateTime d = LocalDateTime(e.mtime);
    return std::make_tuple(d.year, d.month, d.day) < today;
  });
}

void EraseAllFiles(Env& env, std::string_view mask) {
  EraseMatching(env, mask, [](const DirEntry&) { return true; });
}

std::optional<std::string> ReadHead(Env& env, std::string_view path, size_t limit, bool* whole) {
  DosFile file = env.fs.Open(path, DosFile::Mode::Read, nullptr);
  if (!file.IsOpen()) return std::nullopt;
  // One byte more than the limit tells whether the file goes on.
  std::string bytes(limit + 1, '\0');
  size_t n = file.Read(bytes.data(), bytes.size());
  if (file.LastError() != 0) return std::nullopt;
  if (whole != nullptr) *whole = n <= limit;
  bytes.resize(n <= limit ? n : limit);
  return bytes;
}

}  // namespace orvo
