#include "core/data/cds_xml.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <pugixml.hpp>

#include "core/sys/encoding.h"
#include "core/sys/text.h"

namespace orvo {

namespace {

constexpr const char* kRoot = "orvo-dataset";
constexpr const char* kHex = "0123456789abcdef";

class StringWriter final : public pugi::xml_writer {
 public:
  void write(const void* data, size_t size) override {
    out.append(static_cast<const char*>(data), size);
  }
  std::string out;
};

bool HasControlBytes(std::string_view s) {
  for (unsigned char c : s) {
    if (c < 0x20) return true;
  }
  return false;
}

std::string Hex(std::string_view s) {
  std::string out;
  out.reserve(s.size() * 2);
  for (unsigned char c : s) {
    out += kHex[c >> 4];
    out += kHex[c & 15];
  }
  return out;
}

bool Unhex(std::string_view s, std::string* out) {
  if (s.size() % 2 != 0) return false;
  out->clear();
  auto nibble = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  for (size_t i = 0; i < s.size(); i += 2) {
    int hi = nibble(s[i]), lo = nibble(s[i + 1]);
    if (hi < 0 || lo < 0) return false;
    *out += static_cast<char>(hi * 16 + lo);
  }
  return true;
}

std::string FloatMachineText(double v) {
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}

// "dd.mm.yyyy" <-> "yyyy-mm-dd".
std::string IsoDate(std::string_view ddmmyyyy) {
  if (ddmmyyyy.size() != 10) return std::string();
  return std::string(ddmmyyyy.substr(6, 4)) + "-" + std::string(ddmmyyyy.substr(3, 2)) + "-" +
         std::string(ddmmyyyy.substr(0, 2));
}

bool DottedDate(std::string_view iso, std::string* out) {
  if (iso.size() != 10 || iso[4] != '-' || iso[7] != '-') return false;
  for (size_t i : {0, 1, 2, 3, 5, 6, 8, 9}) {
    if (iso[i] < '0' || iso[i] > '9') return false;
  }
  *out = std::string(iso.substr(8, 2)) + "." + std::string(iso.substr(5, 2)) + "." +
         std::string(iso.substr(0, 4));
  return true;
}

void PutValue(pugi::xml_node v, std::string_view value, bool utf8) {
  if (value.empty()) return;
  if (HasControlBytes(value)) {
    v.append_attribute("x").set_value(Hex(value).c_str());
    return;
  }
  if (!utf8) {
    v.text().set(std::string(value).c_str());
    return;
  }
  std::string u = Cp1250ToUtf8(value);
  if (Utf8ToCp1250(u) != value) {
    v.append_attribute("x").set_value(Hex(value).c_str());
    return;
  }
  v.text().set(u.c_str());
}

bool ParseUnsigned(const char* s, long long max, long long* out) {
  std::string_view t(s);
  long long v = 0;
  auto r = std::from_chars(t.data(), t.data() + t.size(), v);
  if (r.ec != std::errc() || r.ptr != t.data() + t.size() || v < 0 || v > max) return false;
  *out = v;
  return true;
}

bool IsOneOf(const char* s, const char* a, const char* b) {
  return std::strcmp(s, a) == 0 || std::strcmp(s, b) == 0;
}

}  // namespace

bool LooksLikeXml(std::string_view bytes) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  size_t i = 0;
  while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' ||
                              bytes[i] == '\n')) {
    ++i;
  }
  return i < bytes.size() && bytes[i] == '<';
}

std::string EncodeCdsXml(Dataset& ds, bool utf8) {
  pugi::xml_document doc;
  pugi::xml_node root = doc.append_child(kRoot);
  root.append_attribute("version").set_value("1");
  pugi::xml_node fields = root.append_child("fields");
  for (const FieldDef& f : ds.Fields()) {
    pugi::xml_node n = fields.append_child("field");
    // Names go through the same escaping as values.
    if (HasControlBytes(f.name) || (utf8 && Utf8ToCp1250(Cp1250ToUtf8(f.name)) != f.name)) {
      n.append_attribute("xname").set_value(Hex(f.name).c_str());
    } else {
      n.append_attribute("name").set_value((utf8 ? Cp1250ToUtf8(f.name) : f.name).c_str());
    }
    n.append_attribute("type").set_value(std::string(FieldTypeName(f.type)).c_str());
    n.append_attribute("size").set_value(f.size);
    n.append_attribute("required").set_value(f.required ? "1" : "0");
  }
  pugi::xml_node indexes = root.append_child("indexes");
  for (const IndexDef& x : ds.Indexes()) {
    pugi::xml_node n = indexes.append_child("index");
    auto text = [&](const std::string& s) { return utf8 ? Cp1250ToUtf8(s) : s; };
    bool plain = !HasControlBytes(x.name) && !HasControlBytes(x.fields) &&
                 (!utf8 || (Utf8ToCp1250(text(x.name)) == x.name &&
                            Utf8ToCp1250(text(x.fields)) == x.fields));
    if (plain) {
      n.append_attribute("name").set_value(text(x.name).c_str());
      n.append_attribute("fields").set_value(text(x.fields).c_str());
    } else {
      n.append_attribute("xname").set_value(Hex(x.name).c_str());
      n.append_attribute("xfields").set_value(Hex(x.fields).c_str());
    }
    n.append_attribute("primary").set_value(x.primary ? "1" : "0");
  }
  pugi::xml_node records = root.append_child("records");
  const int fieldCount = ds.FieldCount();
  for (int r = 0; r < ds.RecordCount(); ++r) {
    pugi::xml_node rec = records.append_child("r");
    for (int f = 0; f < fieldCount; ++f) {
      pugi::xml_node v = rec.append_child("v");
      const FieldDef& fd = ds.Field(f);
      if (ds.NullAt(r, f)) continue;
      switch (fd.type) {
        case FieldType::Text:
        case FieldType::Memo: PutValue(v, ds.StringAt(r, f), utf8); break;
        case FieldType::Float: v.text().set(FloatMachineText(ds.FloatAt(r, f)).c_str()); break;
        case FieldType::Boolean: v.text().set(ds.FloatAt(r, f) != 0 ? "true" : "false"); break;
        case FieldType::Date: v.text().set(IsoDate(ds.StringAt(r, f)).c_str()); break;
        default: v.text().set(ds.StringAt(r, f).c_str()); break;
      }
    }
  }
  // The document has no declaration node: the one declaration is put in
  // front of it here.
  StringWriter w;
  doc.save(w, "  ", pugi::format_indent | pugi::format_no_declaration, pugi::encoding_utf8);
  std::string decl_text = std::string("<?xml version=\"1.0\" encoding=\"") +
                          (utf8 ? "UTF-8" : "windows-1250") + "\"?>\n";
  return decl_text + w.out;
}

bool ReadCdsXml(std::string_view bytes, Dataset& ds, std::string* detail) {
  std::string scratch;
  std::string& why = detail != nullptr ? *detail : scratch;
  if (ds.Active()) ds.Discard();
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  pugi::xml_document doc;
  pugi::xml_parse_result parsed =
      doc.load_buffer(bytes.data(), bytes.size(),
                      pugi::parse_default | pugi::parse_declaration | pugi::parse_ws_pcdata_single,
                      pugi::encoding_utf8);
  if (!parsed) {
    why = std::string("Chybny XML (") + parsed.description() + ", pozice " +
          std::to_string(parsed.offset) + ").";
    return false;
  }
  bool utf8 = true;
  for (pugi::xml_node n = doc.first_child(); n; n = n.next_sibling()) {
    if (n.type() != pugi::node_declaration) continue;
    std::string enc = UpperCz(n.attribute("encoding").value());
    if (enc == "WINDOWS-1250" || enc == "CP1250") {
      utf8 = false;
    } else if (!enc.empty() && enc != "UTF-8") {
      why = "Nepodporovane kodovani " + std::string(n.attribute("encoding").value()) + ".";
      return false;
    }
  }
  auto local = [&](const char* s) { return utf8 ? Utf8ToCp1250(s) : std::string(s); };
  auto named = [&](pugi::xml_node n, const char* plain, const char* hex, std::string* out) {
    if (pugi::xml_attribute x = n.attribute(hex)) return Unhex(x.value(), out);
    *out = local(n.attribute(plain).value());
    return true;
  };

  pugi::xml_node root = doc.child(kRoot);
  if (!root || std::strcmp(root.attribute("version").value(), "1") != 0) {
    why = "Neznamy format souboru.";
    return false;
  }
  ds.ClearFields();
  ds.ClearIndexes();
  int fieldNo = 0;
  for (pugi::xml_node f : root.child("fields").children("field")) {
    ++fieldNo;
    std::string name;
    FieldType type;
    long long size = 0;
    const char* req = f.attribute("required").value();
    if (!named(f, "name", "xname", &name) || !FieldTypeFromName(f.attribute("type").value(), &type) ||
        !ParseUnsigned(f.attribute("size").value(), kMaxTextSize, &size) ||
        !(IsOneOf(req, "0", "1") || *req == '\0')) {
      why = "Chybny popis pole " + std::to_string(fieldNo) + ".";
      return false;
    }
    ds.AddField(std::move(name), type, static_cast<int>(size), *req == '1');
  }
  for (pugi::xml_node x : root.child("indexes").children("index")) {
    std::string name, fields;
    if (!named(x, "name", "xname", &name) || !named(x, "fields", "xfields", &fields)) {
      why = "Chybny popis indexu.";
      return false;
    }
    ds.AddIndex(std::move(name), std::move(fields), *x.attribute("primary").value() == '1');
  }
  bool readOnly = ds.ReadOnly();
  ds.SetReadOnly(false);
  auto fail = [&](const std::string& text) {
    ds.Discard();
    ds.SetReadOnly(readOnly);
    why = text;
    return false;
  };
  if (!ds.CreateDataSet()) return fail("Chybny popis poli.");
  const int fieldCount = ds.FieldCount();
  // An empty <r/> costs four bytes of XML but a whole record of memory; the
  // cap keeps a small hostile document from claiming gigabytes, far above
  // anything a real table written by us needs. The records are counted and
  // checked against it before any memory is taken for them.
  const uint64_t arenaCap = (uint64_t{64} << 20) + uint64_t{256} * bytes.size();
  uint64_t recordCount = 0;
  for (pugi::xml_node r = root.child("records").child("r"); r; r = r.next_sibling("r")) ++recordCount;
  uint64_t arena = 0;
  if (__builtin_mul_overflow(recordCount, uint64_t{ds.RecordStride()}, &arena) || arena > arenaCap) {
    return fail("Prilis mnoho vet pro velikost souboru.");
  }
  if (!ds.PrepareLoad(recordCount)) return fail("Chybny popis poli.");
  ds.First();
  long long recNo = 0;
  for (pugi::xml_node r : root.child("records").children("r")) {
    ++recNo;
    // The records were made empty by PrepareLoad; each is filled in place.
    ds.Edit();
    int f = 0;
    for (pugi::xml_node v : r.children("v")) {
      if (f >= fieldCount) return fail("Chybna veta " + std::to_string(recNo) + ".");
      const FieldDef& fd = ds.Field(f);
      std::string value;
      if (pugi::xml_attribute x = v.attribute("x")) {
        if (!Unhex(x.value(), &value)) return fail("Chybna veta " + std::to_string(recNo) + ".");
      } else {
        value = v.text().get();
        if (fd.type == FieldType::Text || fd.type == FieldType::Memo) value = local(value.c_str());
      }
      bool ok = true;
      if (value.empty()) {
        ds.SetNull(f);
      } else {
        switch (fd.type) {
          case FieldType::Text:
          case FieldType::Memo: ds.SetAsString(f, value); break;
          case FieldType::Float: {
            double d = 0;
            auto res = std::from_chars(value.data(), value.data() + value.size(), d);
            ok = res.ec == std::errc() && res.ptr == value.data() + value.size();
            if (ok) ds.SetAsFloat(f, d);
            break;
          }
          case FieldType::Boolean:
            ok = value == "true" || value == "false";
            if (ok) ds.SetAsString(f, value == "true" ? "True" : "False");
            break;
          case FieldType::Date: {
            std::string dotted;
            ok = DottedDate(value, &dotted);
            if (ok) {
              ds.SetAsString(f, dotted);
              ok = !ds.IsNull(f);
            }
            break;
          }
          default:
            ds.SetAsString(f, value);
            ok = !ds.IsNull(f);
            break;
        }
      }
      if (!ok) return fail("Chybna hodnota ve vete " + std::to_string(recNo) + ".");
      ++f;
    }
    ds.Post();
    ds.Next();
  }
  ds.SetReadOnly(readOnly);
  ds.First();
  return true;
}

}  // namespace orvo
