#include "core/data/record_copy.h"

#include <cstring>
#include <numeric>

#include "core/data/little_endian.h"
#include "core/sys/text.h"

namespace orvo {

bool CopyRecords(const Dataset& in, const std::vector<int>& records, const std::vector<int>& from,
                 Dataset& out) {
  if (!out.PrepareLoad(records.size())) return false;
  const size_t inStride = in.RecordStride();
  const size_t outStride = out.RecordStride();
  const char* src = in.RecordData();
  char* dst = out.RecordBuffer();
  for (size_t k = 0; k < records.size(); ++k) {
    const char* rec = src + static_cast<size_t>(records[k]) * inStride;
    char* to = dst + k * outStride;
    for (size_t j = 0; j < from.size(); ++j) {
      const int f = from[j];
      const int t = static_cast<int>(j);
      if (in.Field(f).type == FieldType::Memo) {
        const std::string memo = in.StringAt(records[k], f);
        uint32_t number = 0;
        if (!memo.empty()) {
          out.Memos().push_back(memo);
          number = static_cast<uint32_t>(out.Memos().size());
        }
        PutLe<uint32_t>(to + out.SlotOffset(t), number);
        continue;
      }
      std::memcpy(to + out.SlotOffset(t), rec + in.SlotOffset(f), in.SlotSize(f));
    }
  }
  return true;
}

bool CopyAllRecords(const Dataset& in, const std::vector<int>& from, Dataset& out) {
  std::vector<int> records(static_cast<size_t>(in.RecordCount()));
  std::iota(records.begin(), records.end(), 0);
  return CopyRecords(in, records, from, out);
}

void DescribeLike(const Dataset& in, const std::vector<int>& from, bool trimNames, Dataset& out) {
  out.ClearFields();
  out.ClearIndexes();
  for (int f : from) {
    const FieldDef& fd = in.Field(f);
    out.AddField(trimNames ? Trim(fd.name) : fd.name, fd.type, fd.size, fd.required);
  }
}

}  // namespace orvo
