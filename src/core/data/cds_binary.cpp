#include "core/data/cds_binary.h"

#include <cstring>
#include <limits>
#include <vector>

#include "core/data/checksum.h"
#include "core/data/little_endian.h"

namespace orvo {

namespace {

constexpr uint8_t kFieldRequired = 0x01;
constexpr uint8_t kIndexPrimary = 0x01;

// A checked cursor over the descriptor bytes.
class Cursor {
 public:
  explicit Cursor(std::string_view bytes) : bytes_(bytes) {}
  bool Take(size_t n, std::string_view* out) {
    if (bytes_.size() - at_ < n) return false;
    *out = bytes_.substr(at_, n);
    at_ += n;
    return true;
  }
  template <typename T>
  bool Get(T* v) {
    std::string_view s;
    if (!Take(sizeof(T), &s)) return false;
    *v = GetLe<T>(s.data());
    return true;
  }
  bool AtEnd() const { return at_ == bytes_.size(); }

 private:
  std::string_view bytes_;
  size_t at_ = 0;
};

template <typename T>
void Append(std::string& out, T v) {
  char b[sizeof(T)];
  PutLe<T>(b, v);
  out.append(b, sizeof b);
}

bool WriteAll(ByteSink& sink, Checksum64& sum, const void* data, size_t size) {
  sum.Update(data, size);
  // Pieces of 64 MiB keep single write calls within what every platform takes.
  const auto* p = static_cast<const char*>(data);
  constexpr size_t kPiece = size_t{64} << 20;
  while (size > 0) {
    size_t n = size < kPiece ? size : kPiece;
    if (!sink.Write(p, n)) return false;
    p += n;
    size -= n;
  }
  return true;
}

bool ReadSummed(ByteSource& source, Checksum64& sum, void* buffer, size_t size) {
  if (!source.Read(buffer, size)) return false;
  sum.Update(buffer, size);
  return true;
}

}  // namespace

bool MemorySource::Read(void* buffer, size_t size) {
  if (bytes_.size() - at_ < size) return false;
  if (size > 0) std::memcpy(buffer, bytes_.data() + at_, size);
  at_ += size;
  return true;
}

bool HasCdsMagic(std::string_view head) {
  return head.size() >= sizeof kCdsMagic && std::memcmp(head.data(), kCdsMagic, sizeof kCdsMagic) == 0;
}

bool ReadCdsHead(ByteSource& source, Checksum64& sum, Dataset& ds, CdsHead* head, std::string& why) {
  const uint64_t fileSize = source.Size();
  if (fileSize < kCdsHeaderSize + kCdsTrailerSize) {
    why = "Soubor je prilis kratky.";
    return false;
  }
  char header[kCdsHeaderSize];
  if (!ReadSummed(source, sum, header, sizeof header)) {
    why = "Soubor nelze precist.";
    return false;
  }
  if (!HasCdsMagic(std::string_view(header, sizeof header))) {
    why = "Neznamy format souboru.";
    return false;
  }
  const uint16_t version = GetLe<uint16_t>(header + 8);
  const uint16_t flags = GetLe<uint16_t>(header + 10);
  const uint32_t fieldCount = GetLe<uint32_t>(header + 12);
  const uint32_t indexCount = GetLe<uint32_t>(header + 16);
  const uint32_t stride = GetLe<uint32_t>(header + 20);
  const uint64_t recordCount = GetLe<uint64_t>(header + 24);
  const uint64_t descBytes = GetLe<uint64_t>(header + 32);
  const uint64_t memoCount = GetLe<uint64_t>(header + 40);
  const uint64_t memoBytes = GetLe<uint64_t>(header + 48);
  if (version != kCdsVersion) {
    why = "Nepodporovana verze formatu " + std::to_string(version) + ".";
    return false;
  }
  // Every count must fit in the file before anything is allocated for it.
  if (flags != 0 || fieldCount == 0 || fieldCount > static_cast<uint32_t>(kMaxFieldCount) ||
      indexCount > static_cast<uint32_t>(kMaxFieldCount) || stride == 0 ||
      memoCount > memoBytes / 4) {
    why = "Chybna hlavicka souboru.";
    return false;
  }
  uint64_t need = 0;
  if (__builtin_mul_overflow(recordCount, uint64_t{stride}, &need) ||
      __builtin_add_overflow(need, descBytes, &need) ||
      __builtin_add_overflow(need, memoBytes, &need) ||
      __builtin_add_overflow(need, uint64_t{kCdsHeaderSize + kCdsTrailerSize}, &need) ||
      need != fileSize) {
    why = "Delka souboru neodpovida hlavicce (soubor je zkracen nebo prodlouzen).";
    return false;
  }

  std::string desc(static_cast<size_t>(descBytes), '\0');
  if (!ReadSummed(source, sum, desc.data(), desc.size())) {
    why = "Soubor nelze precist.";
    return false;
  }
  Cursor c(desc);
  ds.ClearFields();
  ds.ClearIndexes();
  for (uint32_t i = 0; i < fieldCount; ++i) {
    uint8_t type = 0, fflags = 0, nameLen = 0;
    uint32_t size = 0;
    std::string_view name;
    if (!c.Get(&type) || !c.Get(&fflags) || !c.Get(&size) || !c.Get(&nameLen) ||
        !c.Take(nameLen, &name) || type < 1 || type > 8 || (fflags & ~kFieldRequired) != 0 ||
        size > static_cast<uint32_t>(kMaxTextSize)) {
      why = "Chybny popis pole " + std::to_string(i + 1) + ".";
      return false;
    }
    ds.AddField(std::string(name), static_cast<FieldType>(type), static_cast<int>(size),
                (fflags & kFieldRequired) != 0);
  }
  for (uint32_t i = 0; i < indexCount; ++i) {
    uint8_t options = 0, nameLen = 0;
    uint32_t fieldsLen = 0;
    std::string_view name, fields;
    if (!c.Get(&options) || !c.Get(&nameLen) || !c.Take(nameLen, &name) || !c.Get(&fieldsLen) ||
        !c.Take(fieldsLen, &fields) || (options & ~kIndexPrimary) != 0) {
      why = "Chybny popis indexu " + std::to_string(i + 1) + ".";
      return false;
    }
    ds.AddIndex(std::string(name), std::string(fields), (options & kIndexPrimary) != 0);
  }
  if (!c.AtEnd()) {
    why = "Chybny popis poli.";
    return false;
  }
  *head = {recordCount, stride, memoCount, memoBytes};
  return true;
}

bool ReadCdsBinary(ByteSource& source, Dataset& ds, std::string* detail) {
  std::string scratch;
  std::string& why = detail != nullptr ? *detail : scratch;
  Checksum64 sum;
  CdsHead head;
  if (!ReadCdsHead(source, sum, ds, &head, why)) return false;
  const uint64_t recordCount = head.recordCount;
  const uint64_t stride = head.stride;
  const uint64_t memoCount = head.memoCount;
  const uint64_t memoBytes = head.memoBytes;
  if (!ds.PrepareLoad(recordCount)) {
    why = "Chybny popis poli.";
    return false;
  }
  if (ds.RecordStride() != stride) {
    ds.Discard();
    why = "Delka vety neodpovida popisu poli.";
    return false;
  }
  if (!ReadSummed(source, sum, ds.RecordBuffer(), static_cast<size_t>(recordCount * stride))) {
    ds.Discard();
    why = "Soubor nelze precist.";
    return false;
  }
  std::string memoArea(static_cast<size_t>(memoBytes), '\0');
  if (!ReadSummed(source, sum, memoArea.data(), memoArea.size())) {
    ds.Discard();
    why = "Soubor nelze precist.";
    return false;
  }
  Cursor mc(memoArea);
  auto& memos = ds.Memos();
  memos.reserve(static_cast<size_t>(memoCount));
  for (uint64_t i = 0; i < memoCount; ++i) {
    uint32_t len = 0;
    std::string_view text;
    if (!mc.Get(&len) || !mc.Take(len, &text)) {
      ds.Discard();
      why = "Chybna oblast poznamek.";
      return false;
    }
    memos.emplace_back(text);
  }
  if (!mc.AtEnd()) {
    ds.Discard();
    why = "Chybna oblast poznamek.";
    return false;
  }
  char trailer[kCdsTrailerSize];
  if (!source.Read(trailer, sizeof trailer)) {
    ds.Discard();
    why = "Soubor nelze precist.";
    return false;
  }
  if (std::memcmp(trailer + 8, kCdsEndMagic, sizeof kCdsEndMagic) != 0 ||
      GetLe<uint64_t>(trailer) != sum.Digest()) {
    ds.Discard();
    why = "Chybna kontrolni suma.";
    return false;
  }
  if (uint64_t bad = ds.FirstBadRecord(); bad != 0) {
    ds.Discard();
    why = "Chybna veta " + std::to_string(bad) + ".";
    return false;
  }
  return true;
}

bool ReadCdsBinary(std::string_view bytes, Dataset& ds, std::string* detail) {
  MemorySource source(bytes);
  return ReadCdsBinary(source, ds, detail);
}

bool WriteCdsBinary(ByteSink& sink, Dataset& ds) {
  ds.CompactMemos();
  std::string desc;
  for (const FieldDef& f : ds.Fields()) {
    Append<uint8_t>(desc, static_cast<uint8_t>(f.type));
    Append<uint8_t>(desc, f.required ? kFieldRequired : 0);
    Append<uint32_t>(desc, static_cast<uint32_t>(f.size));
    Append<uint8_t>(desc, static_cast<uint8_t>(f.name.size()));
    desc += f.name;
  }
  for (const IndexDef& x : ds.Indexes()) {
    std::string name = x.name.substr(0, 255);
    Append<uint8_t>(desc, x.primary ? kIndexPrimary : 0);
    Append<uint8_t>(desc, static_cast<uint8_t>(name.size()));
    desc += name;
    Append<uint32_t>(desc, static_cast<uint32_t>(x.fields.size()));
    desc += x.fields;
  }
  std::string memoArea;
  for (const std::string& m : ds.Memos()) {
    Append<uint32_t>(memoArea, static_cast<uint32_t>(m.size()));
    memoArea += m;
  }
  std::string header;
  header.append(kCdsMagic, sizeof kCdsMagic);
  Append<uint16_t>(header, kCdsVersion);
  Append<uint16_t>(header, 0);
  Append<uint32_t>(header, static_cast<uint32_t>(ds.FieldCount()));
  Append<uint32_t>(header, static_cast<uint32_t>(ds.Indexes().size()));
  Append<uint32_t>(header, static_cast<uint32_t>(ds.RecordStride()));
  Append<uint64_t>(header, static_cast<uint64_t>(ds.RecordCount()));
  Append<uint64_t>(header, desc.size());
  Append<uint64_t>(header, ds.Memos().size());
  Append<uint64_t>(header, memoArea.size());
  Checksum64 sum;
  if (!WriteAll(sink, sum, header.data(), header.size())) return false;
  if (!WriteAll(sink, sum, desc.data(), desc.size())) return false;
  if (!WriteAll(sink, sum, ds.RecordData(),
                static_cast<size_t>(ds.RecordCount()) * ds.RecordStride())) {
    return false;
  }
  if (!WriteAll(sink, sum, memoArea.data(), memoArea.size())) return false;
  std::string trailer;
  Append<uint64_t>(trailer, sum.Digest());
  trailer.append(kCdsEndMagic, sizeof kCdsEndMagic);
  return sink.Write(trailer.data(), trailer.size());
}

std::string EncodeCdsBinary(Dataset& ds) {
  StringSink sink;
  WriteCdsBinary(sink, ds);
  return std::move(sink.bytes);
}

}  // namespace orvo
