// Copying files: the raw copy that keeps date and attributes, the copy with
// tests and retry questions, copies of a directory's files, move, replace
// through a temporary copy, and the numbered archive generations.
#pragma once

#include <string>
#include <string_view>

#include "core/sys/env.h"

namespace orvo {

void RawCopy(Env& env, std::string_view source, std::string_view target);
// 0 done, -1 source missing, -2 same name, -3 target directory missing,
// -4 failure on the way, -5 the user gave up a retry question.
int CopyFile(Env& env, std::string_view source, std::string_view target, bool newDate);
int CopyOneFile(Env& env, std::string_view name, std::string_view sourceDir,
                std::string_view targetDir, bool newDate);
// mode 0 all, 1 missing or older in the target, 2 missing in the target.
void CopyDirFiles(Env& env, std::string_view mask, std::string_view sourceDir,
                  std::string_view targetDir, int mode);
void MoveFileSafe(Env& env, std::string_view source, std::string_view target);
// true when the target now holds the copy.
bool SafeReplace(Env& env, std::string_view source, std::string_view target, bool messages);

// "160301UctO.Cds", 7 -> "160301UctO_007.Cds".
std::string GenerationName(std::string_view name, int k);
// "160301UctO.Cds" -> "160301UctO*.Cds"; a name without "." gets "*.*".
std::string GenerationMask(std::string_view name);
void ArchiveRotate(Env& env, std::string_view file, std::string_view dir, int n);
bool ArchiveNeededByDate(Env& env, std::string_view file, std::string_view dir);
bool ArchiveNeededByTime(Env& env, std::string_view file, std::string_view dir);

}  // namespace orvo
