// The output of a dataset operation, replaced as one: the new definitions
// are written (each crash-safe) just before the dataset is stored, and when
// storing it fails they are put back as they were, so a failed operation
// leaves its old output and its old definitions. The dataset itself is
// always stored whole over the old file (temporary file + rename).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/data/dataset.h"
#include "core/sys/env.h"

namespace orvo {

// Before a file is replaced: its attributes are cleared to the archive bit,
// as erasing it would have done, so that a read-only old output is replaced
// as before. Its bytes are not touched.
void PrepareReplace(Env& env, std::string_view name);

class OutputFiles {
 public:
  explicit OutputFiles(Env& env) : env_(env) {}

  // Writes a definition, keeping its old bytes for Restore. False after a
  // message naming the file, or silently when `report` is false (the ones
  // written before are put back).
  bool WriteDef(std::string_view name, std::string_view text, bool report = true);
  // Stores the open `table` over `name` in the binary form (see
  // PrepareReplace); on failure
  // (reported naming the file) the definitions written are put back.
  bool Store(Dataset& table, std::string_view name);
  // Closes the open `table`, which stores it over its file name; on
  // failure the definitions written are put back.
  bool Close(Dataset& table);
  // Every definition written goes back to its old bytes, or away when it
  // was new.
  void Restore();

 private:
  struct Written {
    std::string name;
    std::optional<std::string> old;
  };
  Env& env_;
  std::vector<Written> written_;
};

}  // namespace orvo
