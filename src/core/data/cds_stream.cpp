#include "core/data/cds_stream.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "core/data/cds_file.h"
#include "core/data/little_endian.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"

namespace orvo {

namespace {

// DOS error 8, "not enough memory", as the whole load reports it.
constexpr int kNotEnoughMemory = 8;

bool HasMemoField(const Dataset& ds) {
  for (const FieldDef& f : ds.Fields()) {
    if (f.type == FieldType::Memo) return true;
  }
  return false;
}

}  // namespace

bool CdsRecordStream::Open(std::string_view name) {
  name_ = std::string(name);
  whole_ = false;
  head_ = {};
  sum_ = Checksum64();
  file_ = DosFile();
  if (!FileExistsOrSay(env_, name)) return false;
  int io = 0;
  file_ = env_.fs.Open(name, DosFile::Mode::Read, &io);
  if (!file_.IsOpen()) {
    ErrorBox(env_, UnreadableFileText(name, io != 0 ? io : kIoReadFault));
    return false;
  }
  char magic[sizeof kCdsMagic] = {};
  const bool binary = file_.Read(magic, sizeof magic) == sizeof magic &&
                      HasCdsMagic(std::string_view(magic, sizeof magic));
  if (binary) {
    if (!file_.Seek(0)) {
      ErrorBox(env_, UnreadableFileText(name, kIoReadFault));
      return false;
    }
    DosFileSource source(file_);
    std::string why;
    bool ok = false;
    try {
      ok = ReadCdsHead(source, sum_, block_, &head_, why);
    } catch (const std::bad_alloc&) {
      ErrorBox(env_, UnreadableFileText(name, kNotEnoughMemory));
      return false;
    }
    if (!ok) {
      ErrorBox(env_, source.LastError() != 0 ? UnreadableFileText(name, source.LastError())
                                             : DamagedFileText(name, why));
      return false;
    }
    if (!HasMemoField(block_)) return true;
  }
  // The XML form and memo values need the whole table.
  file_ = DosFile();
  whole_ = true;
  if (!LoadCdsFile(env_, name, block_)) return false;
  head_ = {};
  head_.recordCount = static_cast<uint64_t>(block_.RecordCount());
  return true;
}

bool CdsRecordStream::ForEachBlock(const std::function<void(const Dataset&, uint64_t)>& each) {
  if (whole_) {
    each(block_, 0);
    return true;
  }
  if (!file_.IsOpen()) return false;
  bool ok = false;
  try {
    ok = Stream(each);
  } catch (const std::bad_alloc&) {
    ErrorBox(env_, UnreadableFileText(name_, kNotEnoughMemory));
    ok = false;
  }
  block_.Discard();
  file_ = DosFile();
  return ok;
}

bool CdsRecordStream::Stream(const std::function<void(const Dataset&, uint64_t)>& each) {
  DosFileSource source(file_);
  std::string why;
  auto fail = [&]() {
    ErrorBox(env_, source.LastError() != 0 ? UnreadableFileText(name_, source.LastError())
                                           : DamagedFileText(name_, why));
    return false;
  };
  auto read = [&](void* buffer, size_t size) {
    if (!source.Read(buffer, size)) return false;
    sum_.Update(buffer, size);
    return true;
  };
  const uint64_t total = head_.recordCount;
  const size_t stride = head_.stride;
  const uint64_t per = std::max<uint64_t>(1, blockBytes_ / stride);
  uint64_t loaded = std::min(per, total);
  if (!block_.PrepareLoad(loaded)) {
    why = "Chybny popis poli.";
    return fail();
  }
  if (block_.RecordStride() != stride) {
    why = "Delka vety neodpovida popisu poli.";
    return fail();
  }
  // A bad record stops the blocks, but the rest is still read: a damaged
  // checksum is said first, as the whole load says it.
  uint64_t bad = 0;
  for (uint64_t first = 0; first < total;) {
    const uint64_t n = std::min(per, total - first);
    if (n != loaded) {
      if (!block_.PrepareLoad(n)) {
        why = "Chybny popis poli.";
        return fail();
      }
      loaded = n;
    }
    if (!read(block_.RecordBuffer(), static_cast<size_t>(n) * stride)) {
      why = "Soubor nelze precist.";
      return fail();
    }
    if (bad == 0) {
      if (const uint64_t b = block_.FirstBadRecord(); b != 0) {
        bad = first + b;
      } else {
        each(block_, first);
      }
    }
    first += n;
  }
  // The memo area holds no value this table uses, but must be sound.
  std::string memoArea(static_cast<size_t>(head_.memoBytes), '\0');
  if (!read(memoArea.data(), memoArea.size())) {
    why = "Soubor nelze precist.";
    return fail();
  }
  size_t at = 0;
  for (uint64_t i = 0; i < head_.memoCount; ++i) {
    if (memoArea.size() - at < 4) {
      at = memoArea.size() + 1;
      break;
    }
    const uint32_t len = GetLe<uint32_t>(memoArea.data() + at);
    at += 4;
    if (memoArea.size() - at < len) {
      at = memoArea.size() + 1;
      break;
    }
    at += len;
  }
  if (at != memoArea.size()) {
    why = "Chybna oblast poznamek.";
    return fail();
  }
  char trailer[kCdsTrailerSize];
  if (!source.Read(trailer, sizeof trailer)) {
    why = "Soubor nelze precist.";
    return fail();
  }
  if (std::memcmp(trailer + 8, kCdsEndMagic, sizeof kCdsEndMagic) != 0 || GetLe<uint64_t>(trailer) != sum_.Digest()) {
    why = "Chybna kontrolni suma.";
    return fail();
  }
  if (bad != 0) {
    why = "Chybna veta " + std::to_string(bad) + ".";
    return fail();
  }
  return true;
}

}  // namespace orvo
