// The in-memory table behind every .Cds file: field and index descriptions,
// records, a cursor, editing, access by position, and loading and storing
// through a file name. Records live in one arena per table; each field owns a
// fixed slot at a fixed offset inside a record, so a record is read or
// written without any per-value allocation. Memo values live beside the
// arena. Files are loaded and saved through cds_file.h.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/sys/env.h"

namespace orvo {

enum class FieldType : uint8_t {
  Text = 1,
  Memo = 2,
  Float = 3,
  Integer = 4,
  SmallInt = 5,
  Word = 6,
  Boolean = 7,
  Date = 8,
};

// Largest text field; larger sizes make creation fail.
inline constexpr int kMaxTextSize = 65535;
inline constexpr int kMaxFieldCount = 65535;

struct FieldDef {
  std::string name;
  FieldType type = FieldType::Text;
  int size = 0;
  bool required = false;
  bool operator==(const FieldDef&) const = default;
};

struct IndexDef {
  std::string name;
  std::string fields;  // field names joined by ";"
  bool primary = false;
  bool operator==(const IndexDef&) const = default;
};

enum class DataFormat { Binary, Xml, XmlUtf8 };

// Canonical spelling of a field type in the XML form and in dumps.
std::string_view FieldTypeName(FieldType type);
bool FieldTypeFromName(std::string_view name, FieldType* type);

class Dataset {
 public:
  explicit Dataset(Env& env) : env_(&env) {}
  Dataset(const Dataset&) = delete;
  Dataset& operator=(const Dataset&) = delete;
  Dataset(Dataset&&) = default;
  Dataset& operator=(Dataset&&) = default;

  // --- field and index descriptions -------------------------------------
  // Descriptions may be changed only while the table is closed.
  void ClearFields();
  void AddField(std::string name, FieldType type, int size, bool required = false);
  int FieldCount() const { return static_cast<int>(fields_.size()); }
  const FieldDef& Field(int i) const { return fields_.at(static_cast<size_t>(i)); }
  const std::vector<FieldDef>& Fields() const { return fields_; }
  // Position of a field by name, compared case-insensitively; -1 when none.
  int FieldIndex(std::string_view name) const;
  void ClearIndexes() { indexes_.clear(); }
  void AddIndex(std::string name, std::string fields, bool primary);
  const std::vector<IndexDef>& Indexes() const { return indexes_; }

  // --- file name, read-only switch, state --------------------------------
  void SetFileName(std::string name) { fileName_ = std::move(name); }
  const std::string& FileName() const { return fileName_; }
  void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
  bool ReadOnly() const { return readOnly_; }
  bool Active() const { return active_; }

  // An empty table from the descriptions, left open. False (nothing shown)
  // when the descriptions cannot make a table: no fields, an empty or
  // repeated name, a size out of range.
  bool CreateDataSet();
  // With a file name: loads it (a missing, unreadable or damaged file is
  // reported naming the file; false, the table stays closed). Without one:
  // reopens the records kept in memory.
  bool Open();
  // Posts a pending record. A writable table with a file name is stored to
  // it (a failure is reported; false) and its records are released; a table
  // without a file name keeps them for the next Open.
  bool Close();
  // Closes without storing anything and releases the records, whatever the
  // file name and the read-only switch say: a load that failed half-way
  // must not write what it read over the file it came from.
  void Discard();

  // --- navigation --------------------------------------------------------
  void First();
  void Last();
  void Next();
  void Prior();
  // Moves by n records (negative: back); returns how far it moved.
  int MoveBy(int n);
  bool Eof() const { return eof_; }
  bool Bof() const { return bof_; }
  int RecordCount() const { return static_cast<int>(count_); }
  // 1-based number of the current record; 0 when there is none.
  int RecNo() const { return current_ < 0 ? 0 : static_cast<int>(current_) + 1; }

  // --- editing -----------------------------------------------------------
  // Editing a read-only or closed table is a programming error
  // (std::logic_error). Setting a field in browse mode starts an edit of the
  // current record (an append when there is none); moving posts it.
  void Append();
  // As Append, but Post puts the new record before the current one (at the
  // end when there is none) and makes it current.
  void Insert();
  void Edit();
  void Post();
  void Cancel();
  void Delete();
  bool Editing() const { return state_ != State::Browse; }

  // --- field access by position ------------------------------------------
  // Text values are the stored bytes; longer values are cut to the field's
  // size. Without a current record a field reads empty.
  std::string AsString(int field) const;
  void SetAsString(int field, std::string_view value);
  double AsFloat(int field) const;
  void SetAsFloat(int field, double value);
  void AssignField(int field, const Dataset& from, int fromField);
  bool IsNull(int field) const;
  void SetNull(int field);
  // The same by record number (0-based), without moving the cursor; posted
  // records only.
  std::string StringAt(int record, int field) const;
  double FloatAt(int record, int field) const;
  bool NullAt(int record, int field) const;
  // The record size as the consistency checks count it: every field's size
  // plus 2 (text and memo by their size, the other types by their width).
  int RecordSize() const;

  // --- load and store ----------------------------------------------------
  // Loads a file in either form (recognised by its content): descriptions
  // and records are replaced and the table is left open. Failures are
  // reported naming the file; false, the table is left closed and empty.
  bool LoadFromFile(std::string_view name);
  // Stores the open table crash-safely; a failure is reported; false.
  bool SaveToFile(std::string_view name, DataFormat format);

  // --- storage, for the file forms -----------------------------------------
  // A record is `RecordStride()` bytes; field f occupies `SlotSize(f)` bytes
  // at `SlotOffset(f)`. Text: a little-endian length of 1 byte (size up to
  // 255) or 2 bytes, then `size` bytes, unused bytes 0. Memo: a 4-byte
  // little-endian memo number, 0 for empty. Other types: one byte 0 (null)
  // or 1, then the value little-endian: Float 8 (IEEE double), Integer 4,
  // SmallInt 2, Word 2, Boolean 1 (0 or 1), Date 4 (yyyymmdd).
  size_t RecordStride() const { return stride_; }
  size_t SlotOffset(int f) const { return slots_[static_cast<size_t>(f)].offset; }
  size_t SlotSize(int f) const { return slots_[static_cast<size_t>(f)].size; }
  const char* RecordData() const { return data_.data(); }
  // Replaces the records by `count` zeroed ones and opens the table; the
  // caller fills RecordBuffer() and the memo list. False when the
  // descriptions cannot make a table.
  bool PrepareLoad(uint64_t count);
  char* RecordBuffer() { return data_.data(); }
  // Memo number k (1-based) of the memo list; writers renumber densely.
  std::vector<std::string>& Memos() { return memos_; }
  const std::vector<std::string>& Memos() const { return memos_; }
  // Renumbers memos in record order and drops unused ones.
  void CompactMemos();
  // Checks every slot of every record (lengths within size, flags 0 or 1,
  // memo numbers within the list, no memo number in two places); the first
  // bad record's number or 0.
  uint64_t FirstBadRecord() const;
  Env& Environment() const { return *env_; }

 private:
  enum class State { Browse, Insert, Edit };
  struct Slot {
    size_t offset = 0;
    size_t size = 0;
  };

  bool BuildLayout();
  void ResetCursor();
  void RequireWritable() const;
  void RequireActive() const;
  void BeginEditIfBrowsing();
  // The bytes of the record a field access works on: the pending buffer
  // while editing, else the current record; nullptr when none.
  const char* CurrentRecord() const;
  char* WritableRecord();
  std::string SlotText(const char* rec, int f) const;
  double SlotFloat(const char* rec, int f) const;
  bool SlotNull(const char* rec, int f) const;
  const char* PostedRecord(int record, int field) const;
  void PutText(char* rec, int f, std::string_view value);
  void PutMemo(char* rec, int f, std::string_view value);
  std::string MemoOf(const char* rec, int f) const;

  Env* env_;
  std::vector<FieldDef> fields_;
  std::vector<IndexDef> indexes_;
  std::vector<Slot> slots_;
  size_t stride_ = 0;
  std::string fileName_;
  bool readOnly_ = false;
  bool active_ = false;
  bool hasMemo_ = false;

  std::vector<char> data_;
  size_t count_ = 0;
  std::vector<std::string> memos_;

  State state_ = State::Browse;
  long long insertAt_ = -1;  // record an Insert goes before; -1 appends
  std::vector<char> pending_;
  // Memo values set while editing, by field; applied on Post.
  std::vector<std::string> pendingMemo_;
  std::vector<bool> pendingMemoSet_;

  long long current_ = -1;
  bool eof_ = true;
  bool bof_ = true;
};

}  // namespace orvo
