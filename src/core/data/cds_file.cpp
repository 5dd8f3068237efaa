#include "core/data/cds_file.h"

#include <new>

#include "core/data/cds_xml.h"
#include "core/data/safe_file_writer.h"
#include "core/sys/files.h"
#include "core/sys/messages.h"
#include "core/sys/numbers.h"
#include "core/sys/text.h"

namespace orvo {

namespace {

class WriterSink final : public ByteSink {
 public:
  explicit WriterSink(SafeFileWriter& writer) : writer_(writer) {}
  bool Write(const void* data, size_t size) override { return writer_.Write(data, size); }

 private:
  SafeFileWriter& writer_;
};

// DOS error 8, "not enough memory".
constexpr int kIoNotEnoughMemory = 8;

bool LoadEither(Env& env, std::string_view name, Dataset& ds) {
  if (!FileExistsOrSay(env, name)) return false;
  int io = 0;
  DosFile file = env.fs.Open(name, DosFile::Mode::Read, &io);
  if (!file.IsOpen()) {
    ErrorBox(env, UnreadableFileText(name, io != 0 ? io : kIoReadFault));
    return false;
  }
  char head[sizeof kCdsMagic] = {};
  size_t got = file.Read(head, sizeof head);
  std::string detail;
  bool ok = false;
  if (got == sizeof head && HasCdsMagic(std::string_view(head, sizeof head))) {
    if (!file.Seek(0)) {
      ErrorBox(env, UnreadableFileText(name, kIoReadFault));
      return false;
    }
    DosFileSource source(file);
    ok = ReadCdsBinary(source, ds, &detail);
    if (!ok && source.LastError() != 0) {
      ErrorBox(env, UnreadableFileText(name, source.LastError()));
      return false;
    }
  } else {
    std::optional<std::string> bytes = env.fs.ReadWhole(name, &io);
    if (!bytes) {
      ErrorBox(env, UnreadableFileText(name, io != 0 ? io : kIoReadFault));
      return false;
    }
    ok = LooksLikeXml(*bytes) ? ReadCdsXml(*bytes, ds, &detail)
                              : (detail = "Neznamy format souboru.", false);
  }
  if (!ok) ErrorBox(env, DamagedFileText(name, detail));
  return ok;
}

}  // namespace

bool DosFileSource::Read(void* buffer, size_t size) {
  // Large reads go in pieces so that a short read is retried, not
  // mistaken for the end of the file.
  auto* p = static_cast<char*>(buffer);
  while (size > 0) {
    size_t n = file_.Read(p, size);
    if (n == 0) return false;
    p += n;
    size -= n;
  }
  return true;
}

std::string DamagedFileText(std::string_view name, std::string_view detail) {
  return "Soubor:\r\r" + QuotedName(name) + "\r\r     - je poskozen nebo neni tabulkou !\r\r" +
         std::string(detail);
}

std::string UnreadableFileText(std::string_view name, int code) {
  return "Soubor:\r\r" + QuotedName(name) + "\r\r     - nelze precist !\r\rChyba:" + IntText(code, 5);
}

std::string UnwritableFileText(std::string_view name, int code) {
  return "Soubor:\r\r" + QuotedName(name) + "\r\r     - nelze ulozit !\r\rChyba:" + IntText(code, 5);
}

bool LoadCdsFile(Env& env, std::string_view name, Dataset& ds) {
  // The readers check every count against the file before they allocate;
  // a table that is sound but larger than this computer's memory is still
  // refused naming the file, as DOS names the lack of memory.
  try {
    return LoadEither(env, name, ds);
  } catch (const std::bad_alloc&) {
    ds.Discard();
    ErrorBox(env, UnreadableFileText(name, kIoNotEnoughMemory));
    return false;
  }
}

bool SaveCdsFile(Env& env, std::string_view name, Dataset& ds, DataFormat format) {
  SafeFileWriter writer(env.fs, name);
  int io = writer.Begin();
  if (io == 0) {
    if (format == DataFormat::Binary) {
      WriterSink sink(writer);
      WriteCdsBinary(sink, ds);
    } else {
      std::string bytes = EncodeCdsXml(ds, format == DataFormat::XmlUtf8);
      writer.Write(bytes.data(), bytes.size());
    }
    io = writer.Commit();
  }
  if (io != 0) {
    ErrorBox(env, UnwritableFileText(name, io));
    return false;
  }
  return true;
}

}  // namespace orvo
