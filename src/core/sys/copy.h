// Copying files: the raw copy that keeps date and attributes, the copy with
// tests and retry questions, copies of a directory's files, move, replace
// through a temporary copy, and the numbered archive generations.
#pragma once

#include <string>
#include <string_view>

#include "core/sys/env.h"

namespace orvo {

// True when the target holds the whole copy; a copy that could not be made
// whole leaves no target behind.
bool RawCopy(Env& env, std::string_view source, std::string_view target);
// 0 done, -1 source missing, -2 same name, -3 target directory missing,
// -4 failure on the way, -5 the user gave up a retry question. A target
// that exists is replaced only by the complete copy: the copy goes into a
// temporary file beside it first, so any failure leaves the target as it was.
int CopyFile(Env& env, std::string_view source, std::string_view target, bool newDate);
int CopyOneFile(Env& env, std::string_view name, std::string_view sourceDir,
                std::string_view targetDir, bool newDate);
// mode 0 all, 1 missing or older in the target, 2 missing in the target.
void CopyDirFiles(Env& env, std::string_view mask, std::string_view sourceDir,
                  std::string_view targetDir, int mode);
void MoveFileSafe(Env& env, std::string_view source, std::string_view target);
// true when the target now holds the copy. The copy is made beside the
// target and renamed over it, so the target is at every moment the old file
// or the whole copy; a failure leaves it as it was.
bool SafeReplace(Env& env, std::string_view source, std::string_view target, bool messages);

// "160301UctO.Cds", 7 -> "160301UctO_007.Cds".
std::string GenerationName(std::string_view name, int k);
// "160301UctO.Cds" -> "160301UctO*.Cds"; a name without "." gets "*.*".
std::string GenerationMask(std::string_view name);
// Whether `entry` (a bare file name) is one of the numbered generations of
// `name`; other names matching the mask are no generations.
bool IsGenerationOf(std::string_view entry, std::string_view name);
// Copies the file into the archive first and moves the generations only
// when the copy is whole; a failed copy is reported, every generation stays
// and the result is false. An unnumbered copy of the file left in the
// archive is cleared away.
bool ArchiveRotate(Env& env, std::string_view file, std::string_view dir, int n);
bool ArchiveNeededByDate(Env& env, std::string_view file, std::string_view dir);
bool ArchiveNeededByTime(Env& env, std::string_view file, std::string_view dir);

}  // namespace orvo
