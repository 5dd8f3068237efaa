// One pass over the records of a .Cds file a block at a time, for the
// operations that only sum or count over a large table: the records go
// through one buffer of a few megabytes instead of the whole table in
// memory. The file is checked exactly as a whole load checks it (header
// against size, descriptions, every record, memo area, checksum) and a
// damaged file is reported with the same message; as the checksum is only
// known at the end, a caller keeps nothing it computed from the blocks
// unless ForEachBlock returns true. A file in the XML form, or one with
// memo fields, is loaded whole and handed as one block.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/data/cds_binary.h"
#include "core/data/dataset.h"
#include "core/sys/env.h"

namespace orvo {

class CdsRecordStream {
 public:
  explicit CdsRecordStream(Env& env) : env_(env), block_(env) {}

  // Opens `name` and reads its descriptions; a missing, unreadable or
  // damaged file is reported naming it, and false.
  bool Open(std::string_view name);
  // The fields of the open table (as in the file).
  const Dataset& Layout() const { return block_; }
  uint64_t RecordCount() const { return head_.recordCount; }

  // Hands every record, in file order, as records 0 .. n-1 of a block;
  // record `first + r` of the file is record r of the block. False, after
  // the report, when the file proves damaged or unreadable on the way.
  bool ForEachBlock(const std::function<void(const Dataset& block, uint64_t first)>& each);

  // The size of a block in bytes (at least one record); tests make it small.
  void SetBlockBytes(size_t bytes) { blockBytes_ = bytes; }

 private:
  bool Stream(const std::function<void(const Dataset&, uint64_t)>& each);

  Env& env_;
  std::string name_;
  Dataset block_;
  DosFile file_;
  CdsHead head_;
  Checksum64 sum_;
  bool whole_ = false;  // loaded whole at Open
  size_t blockBytes_ = size_t{4} << 20;
};

}  // namespace orvo
