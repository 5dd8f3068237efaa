// The loaded definition: what a .Def file says about the words (fields) of a
// record - lengths, start positions, names, headings, types, check codes, the
// key and the look-up attributes - and ReadDef, which fills it from a file.
// One LoadedDef is owned by the session and replaced by every read.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/sys/env.h"

namespace orvo {

inline constexpr int kMaxDefWords = 200;
inline constexpr int kMaxDefLines = 200;
inline constexpr int kMaxRecLen = 5000;

struct DefWord {
  int TD = 0;               // length
  int TP = 0;               // 1-based start in the record
  std::string TNS1;         // name column as written (30 characters)
  std::string FieldName;    // dataset field name (see FieldNameOf)
  std::string Heading;      // TNS2 padded or cut to TD + 1, at most 51
  std::string TMS;          // type code, 2 characters
  char SP = ' ';            // check code
  char IP = ' ';            // I/P: 'P', 'N', 'K' (look-up mode) or blank
  int IndUlozP = 0;         // with P/N/K: count of values to copy
  int UlozZ = 0;            // with P/N/K: first value to copy
  int UlozDo = 0;           // with P/N/K: first target word
  int KeyPos = 0;           // position in the key, 0 when no key word
  std::string JmSCis;       // code-list file, blanks removed
  std::string JmPole;       // JmPole/TW, blanks removed
  int LineNo = 0;           // counted line that defined the word
};

struct LoadedDef {
  int PSl = 0;
  int RecLen = 0;
  int HeaderCount = 0;
  int ItemCount = 0;
  bool HasMemo = false;
  // Key words in key order, 1-based word numbers; unused entries 0.
  std::array<int, kMaxDefWords> KeyList{};
  // First 80 characters of each counted line, counted line r at [r - 1].
  std::vector<std::string> DefLines;
  std::vector<DefWord> words;  // word i at [i - 1]

  void Clear();
  // Word i, 1-based (std::out_of_range outside 1 .. PSl).
  const DefWord& Word(int i) const { return words.at(static_cast<size_t>(i - 1)); }
  int KeyCount() const;
};

// Why a definition text cannot be used.
// Every word is a counted line, so the line limit also bounds the words.
enum class DefProblem { None, TooManyLines, NegativeLength };

struct DefParse {
  DefProblem problem = DefProblem::None;
  int line = 0;            // counted line of a NegativeLength
  bool recLenOver = false; // RecLen went above kMaxRecLen
};

// The lines of a text file: ends are CR LF, LF or a lone CR; a last line
// without an ending counts.
std::vector<std::string_view> TextLines(std::string_view text);

// Parses the text of a .Def file into `def` (cleared first; cleared again
// when the text is refused). No messages: ReadDef adds them.
DefParse ParseDef(std::string_view text, LoadedDef& def);

// The dataset field name of a name column: up to 25 characters from two
// places after its first "." (from its second character when it has none),
// trimmed.
std::string FieldNameOf(std::string_view tns1);

// Reads the .Def file `name` into `def`. False when the file is missing
// ("Soubor nebyl nalezen"), cannot be read, or is refused for more than 200
// counted lines (and so words) or a negative length (a message naming the file; the
// definition stays cleared). A record longer than 5000 characters is
// reported and, once the definition is read, ends the application
// (Termination).
bool ReadDef(Env& env, LoadedDef& def, std::string_view name);

}  // namespace orvo
