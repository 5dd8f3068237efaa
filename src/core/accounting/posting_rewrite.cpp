#include "core/accounting/posting_rewrite.h"

#include <algorithm>
#include <cstring>

#include "core/data/cds_file.h"

namespace orvo {

bool CopyKeptPostings(const Dataset& in, const std::vector<char>& keep, Dataset& out) {
  const size_t count = static_cast<size_t>(in.RecordCount());
  size_t kept = 0;
  for (size_t r = 0; r < count && r < keep.size(); ++r) kept += keep[r] != 0 ? 1 : 0;
  for (const FieldDef& f : in.Fields()) out.AddField(f.name, f.type, f.size, f.required);
  for (const IndexDef& i : in.Indexes()) out.AddIndex(i.name, i.fields, i.primary);
  if (!out.PrepareLoad(kept)) return false;
  const size_t stride = in.RecordStride();
  char* to = out.RecordBuffer();
  const char* from = in.RecordData();
  // Runs of kept records go over in one copy each.
  size_t r = 0;
  while (r < count) {
    if (r >= keep.size() || keep[r] == 0) {
      ++r;
      continue;
    }
    size_t end = r;
    while (end < count && end < keep.size() && keep[end] != 0) ++end;
    std::memcpy(to, from + r * stride, (end - r) * stride);
    to += (end - r) * stride;
    r = end;
  }
  out.Memos() = in.Memos();
  return true;
}

bool ReplacePostingFile(Env& env, std::string_view file, Dataset& in, const std::vector<char>& keep,
                        const std::vector<std::vector<std::string>>& add,
                        const std::function<void(Dataset& out)>& finish) {
  Dataset out(env);
  if (!CopyKeptPostings(in, keep, out)) return false;
  in.Discard();
  for (const std::vector<std::string>& row : add) {
    out.Append();
    const int n = std::min(out.FieldCount(), static_cast<int>(row.size()));
    for (int f = 0; f < n; ++f) {
      if (!row[static_cast<size_t>(f)].empty()) out.SetAsString(f, row[static_cast<size_t>(f)]);
    }
    out.Post();
  }
  if (finish) finish(out);
  return SaveCdsFile(env, file, out);
}

}  // namespace orvo
