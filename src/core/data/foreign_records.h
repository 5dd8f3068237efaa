// How the records of foreign files become the values of dataset records:
// lines of fixed-column text, fixed-length binary records with a small
// header (the older DOS version's files) and separated text. The layout
// comes from a loaded definition whose word positions and lengths address
// the foreign record; text words are converted from the DOS code pages on
// request (konv 0 none, 2 code page 852, 3 Kamenicky), numbers are written
// as the system writes them. Pure functions over bytes, so every reader can
// be tested and fuzzed without files.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/data/definition.h"
#include "core/sys/env.h"

namespace orvo {

// The lines of a foreign text file: ended by CR LF, LF or CR; a DOS end of
// file mark (Ctrl+Z) ends the text.
std::vector<std::string_view> ForeignLines(std::string_view text);

// Fixed-column text: word i is the TD characters of the line from TP (fewer
// or none on a short line), normalised by FormatWord with the word's own
// check code; numbers in (decimals + 13), other words converted.
std::vector<std::string> TxRecord(Env& env, const LoadedDef& def, std::string_view line, int konv);

// Binary records: the record length stored little-endian at offsets 12-13
// (0 for a file of 13 bytes or less).
int LdbRecordLength(std::string_view file);
// A record whose bytes from the 15th on are all zero holds nothing.
bool LdbRecordEmpty(std::string_view rec);
// Word i from TP for TD bytes of the record (control bytes as blanks);
// numbers in 13 characters, or 15 with decimals; other words converted.
std::vector<std::string> LdbRecord(const LoadedDef& def, std::string_view rec, int konv);
// The non-empty complete records of a binary file, the header record
// included when it is not empty.
std::vector<std::string_view> LdbRecords(std::string_view file);

// Separated text: field i of the line is word i. The quote character is
// removed from text words (it protects no separator); right-aligned types
// are blank-filled on the left, numbers written in (decimals + 13), other
// words blank-filled on the right.
std::vector<std::string> CsvRecord(const LoadedDef& def, std::string_view line, int konv, char oddel, char zn);

}  // namespace orvo
