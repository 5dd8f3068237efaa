// File and directory services with the system's standard messages: tests,
// sizes and stamps, erasing with attributes, renaming, the create/open retry
// loops and the erasing of files by mask. Paths are logical DOS paths.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/sys/env.h"

namespace orvo {

bool FileExistsQuiet(Env& env, std::string_view name);
bool FileExistsOrSay(Env& env, std::string_view name);
bool DriveUsable(Env& env, char letter);
bool DriveUsableOrSay(Env& env, std::string_view text);
bool DirExistsQuiet(Env& env, std::string_view path);
bool DirExistsOrSay(Env& env, std::string_view path);
// 'A'..'Z' (either case) name a drive; anything else is the current drive.
uint64_t DiskFreeBytes(Env& env, char letter);
uint64_t FileSizeOf(Env& env, std::string_view name);
unsigned FileAttrOf(Env& env, std::string_view name);
uint32_t FileTimeOf(Env& env, std::string_view name);
std::string BaseName(std::string_view path);
void MakeDirPath(Env& env, std::string_view path);
void EnterDirPath(Env& env, std::string_view path);
int EraseFile(Env& env, std::string_view name);
void EraseOrStop(Env& env, std::string_view name);
// 0 done, 1 failed. An existing `to` is renamed over in one step, so a
// move that fails leaves it as it was.
int RenameFile(Env& env, std::string_view from, std::string_view to);
bool TryCreateFile(Env& env, std::string_view name);
bool TryOpenFile(Env& env, std::string_view name);
void EraseOlderFiles(Env& env, std::string_view mask);
void EraseAllFiles(Env& env, std::string_view mask);

// At most `limit` bytes from the start of a file, for the readers of small
// files that use no more: a huge file in their place costs no memory.
// Nothing when it cannot be opened or read. `whole` (when given) tells
// whether the file ended within the limit.
std::optional<std::string> ReadHead(Env& env, std::string_view path, size_t limit,
                                    bool* whole = nullptr);

// Helpers of ours used by the services above and by their callers.
std::string UpperFirst(std::string_view s);       // first byte through UpperCz
std::string DirectoryOf(std::string_view path);   // up to the last "\" (without it)
std::string FileNameOf(std::string_view path);    // after the last "\" or ":"
std::string ExtensionOf(std::string_view path);   // from the last "." of the name on

}  // namespace orvo
