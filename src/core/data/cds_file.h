// Loading and saving a Dataset as a file: the one entry over the binary
// codec (cds_binary.h) and the XML codec (cds_xml.h). Loading recognises
// either form by its content; saving writes the chosen form crash-safely
// (a temporary file renamed over the old one). Every failure is reported
// naming the file, with the message texts below.
#pragma once

#include <string>
#include <string_view>

#include "core/data/cds_binary.h"
#include "core/data/dataset.h"
#include "core/sys/env.h"

namespace orvo {

// The bytes of an open file, for the binary codec.
class DosFileSource final : public ByteSource {
 public:
  explicit DosFileSource(DosFile& file) : file_(file), size_(file.Size()) {}
  uint64_t Size() const override { return size_; }
  bool Read(void* buffer, size_t size) override;
  int LastError() const { return file_.LastError(); }

 private:
  DosFile& file_;
  uint64_t size_;
};

// A missing, unreadable or damaged file is reported naming it; false, and
// `ds` is left closed.
bool LoadCdsFile(Env& env, std::string_view name, Dataset& ds);
// Crash-safe in either form; a failure is reported naming the file.
bool SaveCdsFile(Env& env, std::string_view name, Dataset& ds,
                 DataFormat format = DataFormat::Binary);

// The message texts of the file level, shared with the operations.
std::string DamagedFileText(std::string_view name, std::string_view detail);
std::string UnreadableFileText(std::string_view name, int code);
std::string UnwritableFileText(std::string_view name, int code);

}  // namespace orvo
