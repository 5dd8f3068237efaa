// The installation data: the definitions and code lists an installation
// starts with, kept as reviewable UTF-8 text (install/ in the source tree)
// and turned into Windows-1250 definition files and .Cds code lists. A
// manifest says which source becomes which file; docs/installation-data.md
// describes every field.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/session.h"

namespace orvo {

// The sources as read from the installation-data directory: paths relative
// to it with "/" ("cisel/Ucty.txt") and their UTF-8 text.
struct InstallSources {
  std::string origin;  // where they were read, for messages
  std::map<std::string, std::string> files;
};

inline constexpr std::string_view kInstallManifest = "manifest.txt";

// `install` makes the installation's own files; `demo` also the demo-only
// ones (the finance sibling's lists).
enum class InstallScope { Install, Demo };

struct InstallItem {
  std::string scope;   // "install" or "demo"
  std::string source;  // relative path of the source
  std::string def;     // relative path of the definition of a code list, or empty
  std::string target;  // under the data root, "{YY}" for the period's year
  int line = 0;        // in the manifest
};

// One code list built from its source: the definition's words, the records
// as normalised field values, sorted by the key.
struct BuiltCodeList {
  std::string defText;  // Windows-1250, CR LF
  std::vector<std::vector<std::string>> records;
};

// A source whose data cannot be used: which file, which line, what is
// wrong (a text of the system's kind, without diacritics).
struct InstallFault {
  std::string file;
  int line = 0;
  std::string problem;
};

// The manifest's lines; false with the fault for a malformed line.
bool ParseInstallManifest(std::string_view text, std::vector<InstallItem>* items, InstallFault* fault);

// A UTF-8 definition source as the definition file: Windows-1250, CR LF.
std::string DefinitionBytes(std::string_view utf8);

// Builds a code list from a UTF-8 source ("|" between fields; blank lines
// and lines beginning with "#" are notes) and its definition: each value is
// trimmed, converted, and normalised and checked as the definition's word
// prescribes; records are sorted by the key words; a repeated key, a value
// longer than its word, a value the check refuses, a character without a
// Windows-1250 form or more values than words is a fault.
bool BuildCodeList(Env& env, std::string_view defSourceName, std::string_view defUtf8,
                   std::string_view listSourceName, std::string_view listUtf8, BuiltCodeList* out,
                   InstallFault* fault);

// The year the per-year lists are made for: that of the stored period, or
// today's when no period is stored yet.
std::string InstallYear(Session& session);

// Converts every source of the scope in memory; the first faulty one is
// reported ("Chyba v instalacnich datech"). True when all can be used.
bool CheckInstallData(Env& env, const InstallSources& sources, InstallScope scope);

// Checks every source of the scope first; a faulty one is reported
// ("Chyba v instalacnich datech") and nothing is written. Then makes each
// missing target, leaving existing ones as they are. The made files'
// logical paths go to `created`. False after a reported fault or a file
// that could not be written.
bool InstallData(Session& session, const InstallSources& sources, InstallScope scope,
                 std::vector<std::string>* created);

}  // namespace orvo
