// Wide tables from a small seed: the input is a recipe, not a file. Its
// first two bytes give the field count (up to 65,535, the most a table may
// have, when the first byte's top bit is set); the bytes after them, taken in turn and again from the start, give
// each field's type, size and name (now and then a name of an earlier field
// in another case, which the table must refuse), a few records' values and
// a count of empty records for the XML reader. Checks: a table is refused
// exactly when two names are equal case-insensitively; an accepted one
// comes back the same through the binary form and (when not too wide for
// the fuzzer's pace) the XML form; the XML reader refuses a document of
// many empty wide records before it takes the memory, or reads them all.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unordered_set>

#include "core/data/cds_dump.h"
#include "core/data/cds_file.h"
#include "core/data/cds_xml.h"
#include "core/sys/text.h"
#include "fuzz_env.h"

namespace {

class Recipe {
 public:
  Recipe(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  uint8_t Byte() {
    if (size_ == 0) return 0;
    uint8_t b = data_[at_ % size_];
    ++at_;
    return b;
  }
  int Word() { return Byte() | (Byte() << 8); }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

int SizeFor(orvo::FieldType type, Recipe& r) {
  if (type != orvo::FieldType::Text && type != orvo::FieldType::Memo) return 0;
  switch (r.Byte() % 4) {
    case 0: return r.Byte() % 8;
    case 1: return 250 + r.Byte() % 10;  // both sides of the 1-byte length
    case 2: return r.Word() % (orvo::kMaxTextSize + 1);
    default: return 1;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  orvo::fuzz::FuzzEnv fe;
  Recipe r(data, size);
  // A first byte with its top bit set asks for up to 65,535 fields; the
  // others stay below 512, which keeps the fuzzer's pace for the rest.
  const bool widest = (data[0] & 0x80) != 0;
  const int fields = 1 + r.Word() % (widest ? orvo::kMaxFieldCount : 512);
  orvo::Dataset ds(fe.env);
  std::unordered_set<std::string> seen;
  bool repeated = false;
  int64_t stride = 0;
  for (int f = 0; f < fields; ++f) {
    const auto type = static_cast<orvo::FieldType>(1 + r.Byte() % 8);
    std::string name = "Pole" + std::to_string(f);
    if (f > 0 && r.Byte() == 0xFF) {
      // An earlier name, upper-cased: the same name to the table.
      name = orvo::UpperCz("Pole" + std::to_string(r.Word() % f));
    }
    if (!seen.insert(orvo::UpperCz(name)).second) repeated = true;
    const int fieldSize = SizeFor(type, r);
    stride += type == orvo::FieldType::Text ? fieldSize + (fieldSize <= 255 ? 1 : 2) : 9;
    ds.AddField(std::move(name), type, fieldSize);
  }
  // Stays within the fuzzer's memory: a table of a few records only.
  const int records = stride > (int64_t{16} << 20) ? 0 : r.Byte() % 3;
  const bool created = ds.CreateDataSet();
  if (created == repeated) std::abort();
  if (!created) return 0;
  for (int k = 0; k < records; ++k) {
    ds.Append();
    for (int f = 0; f < fields; f += 1 + r.Byte() % 97) {
      std::string value(static_cast<size_t>(r.Byte() % 12), '\0');
      for (char& c : value) c = static_cast<char>('0' + r.Byte() % 10);
      ds.SetAsString(f, value);
    }
    ds.Post();
  }
  const std::string dump = orvo::DumpDataset(ds);

  std::string detail;
  orvo::Dataset back(fe.env);
  if (!orvo::ReadCdsBinary(orvo::EncodeCdsBinary(ds), back, &detail)) std::abort();
  if (orvo::DumpDataset(back) != dump) std::abort();

  if (fields <= 2048) {
    for (bool utf8 : {false, true}) {
      orvo::Dataset x(fe.env);
      if (!orvo::ReadCdsXml(orvo::EncodeCdsXml(ds, utf8), x, &detail)) std::abort();
      if (orvo::DumpDataset(x) != dump) std::abort();
    }
  }

  // Empty records against the first fields of the layout, which may be
  // 65,535 bytes wide each: refused before the memory is taken (the
  // fuzzer's memory limit catches a reader that takes it), or read whole.
  orvo::Dataset empty(fe.env);
  for (int f = 0; f < fields && f < 16; ++f) {
    const orvo::FieldDef& fd = ds.Field(f);
    empty.AddField(fd.name, fd.type, fd.size);
  }
  if (!empty.CreateDataSet()) std::abort();
  std::string xml = orvo::EncodeCdsXml(empty, false);
  const size_t open = xml.find("<records");
  const size_t close = open == std::string::npos ? open : xml.find('>', open);
  if (close == std::string::npos) std::abort();
  const int emptyRecords = r.Word() % 8192;
  std::string many = "<records>";
  for (int k = 0; k < emptyRecords; ++k) many += "<r/>";
  many += "</records>";
  xml.replace(open, close + 1 - open, many);
  orvo::Dataset wide(fe.env);
  if (orvo::ReadCdsXml(xml, wide, &detail)) {
    if (wide.RecordCount() != emptyRecords) std::abort();
  } else if (detail != "Prilis mnoho vet pro velikost souboru.") {
    std::abort();
  }
  return 0;
}
