#include "core/screens/document_store.h"

#include <cstring>

#include "core/data/cds_file.h"
#include "core/sys/text.h"

namespace orvo {

std::string DocumentIdOf(const Dataset& ds, int record, int idWords) {
  std::string id;
  for (int f = 0; f < idWords && f < ds.FieldCount(); ++f) {
    id += TrimRight(ds.StringAt(record, f));
    id += '\x1f';
  }
  return id;
}

std::string DocumentIdOfValues(const std::vector<std::string>& values, int idWords) {
  std::string id;
  for (int f = 0; f < idWords && f < static_cast<int>(values.size()); ++f) {
    id += TrimRight(values[static_cast<size_t>(f)]);
    id += '\x1f';
  }
  return id;
}

bool RewriteDocuments(Env& env, std::string_view file, int idWords,
                     const std::unordered_set<std::string>& drop, const std::vector<DocumentRecord>& add,
                     const std::string& ask, const std::function<bool()>& confirm, bool* declined) {
  if (declined != nullptr) *declined = false;
  Dataset in(env);
  in.SetReadOnly(true);
  if (!LoadCdsFile(env, file, in)) return false;
  std::vector<char> keep(static_cast<size_t>(in.RecordCount()), 1);
  uint64_t kept = keep.size();
  bool asked = false;
  for (int r = 0; r < in.RecordCount(); ++r) {
    if (drop.empty() && (ask.empty() || asked)) break;
    const std::string id = DocumentIdOf(in, r, idWords);
    if (confirm && !asked && id == ask) {
      asked = true;
      if (!confirm()) {
        if (declined != nullptr) *declined = true;
        return false;
      }
    }
    if (drop.count(id) != 0) {
      keep[static_cast<size_t>(r)] = 0;
      --kept;
    }
  }
  Dataset out(env);
  for (const FieldDef& f : in.Fields()) out.AddField(f.name, f.type, f.size, f.required);
  for (const IndexDef& i : in.Indexes()) out.AddIndex(i.name, i.fields, i.primary);
  if (!out.PrepareLoad(kept)) return false;
  const size_t stride = in.RecordStride();
  char* to = out.RecordBuffer();
  const char* from = in.RecordData();
  // Runs of kept records go over in one copy each.
  size_t r = 0;
  while (r < keep.size()) {
    if (keep[r] == 0) {
      ++r;
      continue;
    }
    size_t end = r;
    while (end < keep.size() && keep[end] != 0) ++end;
    std::memcpy(to, from + r * stride, (end - r) * stride);
    to += (end - r) * stride;
    r = end;
  }
  out.Memos() = in.Memos();
  in.Discard();
  for (const DocumentRecord& row : add) {
    out.Append();
    for (int f = 0; f < out.FieldCount() && f < static_cast<int>(row.size()); ++f) {
      out.SetAsString(f, row[static_cast<size_t>(f)]);
    }
    out.Post();
  }
  return SaveCdsFile(env, file, out);
}

}  // namespace orvo
