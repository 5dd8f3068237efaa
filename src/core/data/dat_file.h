// Fixed-length record files (.Dat): records of exactly RecLen bytes laid out
// by a definition, with no header and no separators. DatFile is the open
// file with the layout copied from its definition; a file is opened either
// for reading or for writing, never both. Reading turns every control byte
// into a blank. Written files appear under their name only when CloseDat
// commits them (temporary file, flush, rename).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/data/definition.h"
#include "core/data/safe_file_writer.h"
#include "core/sys/env.h"

namespace orvo {

struct DatFile {
  std::string Name;     // .Dat file name
  std::string DefName;  // definition file name
  int RecLen = 0;
  int64_t RecCount = 0;
  int PSl = 0;
  // Per word, index 1 .. PSl (index 0 unused).
  std::vector<std::string> TNS1;  // 25 characters after the name column's ". "
  std::vector<std::string> TNS2;  // headings
  std::vector<int> TP;
  std::vector<int> TD;
  std::vector<std::string> TMs;

  // The open file and its buffering.
  DosFile in;
  std::unique_ptr<SafeFileWriter> out;
  std::vector<char> io;  // read-ahead or pending output
  size_t ioAt = 0;       // reading: next byte of `io`; writing: bytes pending
  size_t ioEnd = 0;      // reading: bytes held in `io`
  int64_t nextRec = 0;   // reading: number of the next record
  bool failed = false;   // an input/output failure happened
  int ioResult = 0;      // the first failure's code
  bool defRefused = false;  // the definition was refused, with a message

  bool IsOpen() const { return in.IsOpen() || out != nullptr; }
};

// Opens `dat` for reading with definition `def` (loaded into `def`). False
// when the definition is missing or has gap lines (ZS, which a fixed-length
// record cannot hold; a message naming it), the size is not a whole number
// of records ("Delka vety souboru se nerovna vypoctene delce") or the file
// cannot be opened (a missing file: false without a message).
bool OpenDat(Env& env, LoadedDef& loaded, DatFile& f, std::string_view dat, std::string_view def);
// Starts `dat` anew, empty, for writing; the old file stays as it is until
// CloseDat commits the new one over it.
bool CreateDat(Env& env, LoadedDef& loaded, DatFile& f, std::string_view dat, std::string_view def);
// Closes; a written file is committed. False when an input/output failure
// happened while the file was open (a written file is then not committed).
bool CloseDat(DatFile& f);
// Closes without committing a written file.
void AbandonDat(DatFile& f);
// Reading starts again at the first record.
bool RewindDat(DatFile& f);

// The next record into `buf` (RecLen bytes, control bytes as blanks).
bool ReadRec(DatFile& f, std::string& buf);
// The same without a copy: `rec` stays valid until the next read.
bool ReadRecView(DatFile& f, std::string_view& rec);
// Record `r` (0-based) into `buf`, read directly.
bool ReadRecAt(DatFile& f, int64_t r, std::string& buf);
// Appends `buf` (RecLen bytes) as a record.
bool WriteRec(DatFile& f, std::string_view buf);

// Calls emit(j, record) for j = 0, 1, ... with record order[j] (0-based)
// of the file, read as ReadRec reads it; no record may be named twice. The file is read from its start in
// as many passes as a memory window of `windowBytes` needs, so the memory
// stays bounded however large the file is. False on an input/output failure
// or when emit returns false.
bool GatherDat(DatFile& f, const std::vector<uint32_t>& order,
               const std::function<bool(size_t, std::string_view)>& emit,
               size_t windowBytes = size_t{64} << 20);

// Word i (1-based) of a record; bytes beyond the record read as nothing.
std::string GetWord(const DatFile& f, int i, std::string_view buf);
std::string_view WordView(const DatFile& f, int i, std::string_view buf);
// Stores `value`, filled with blanks and cut to TD, as word i of `buf`.
void PutWord(const DatFile& f, std::string_view value, int i, std::string& buf);

// Turns every byte below 32 into a blank.
void BlankControlBytes(char* data, size_t size);

}  // namespace orvo
