// A file of documents as the document-entry windows change it: every item
// row is one record that repeats the document's header, so a document is
// all records whose first words (its identification) are equal. Here: the
// identification of a record, and the one-pass rewrite that drops whole
// documents and appends new records. A save or a delete never touches the
// records one by one: the kept records are copied as they lie, and the new
// file replaces the old one only when it is complete.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "core/data/dataset.h"
#include "core/sys/env.h"

namespace orvo {

// One record's values by position.
using DocumentRecord = std::vector<std::string>;

// The identification of record `record`: its first `idWords` values with
// trailing blanks removed, joined by a separator no value holds.
std::string DocumentIdOf(const Dataset& ds, int record, int idWords);
// The same of values given in order.
std::string DocumentIdOfValues(const std::vector<std::string>& values, int idWords);

// Replaces `file` by its records without those whose identification is in
// `drop`, followed by `add` (values by position; missing ones empty). The
// file must exist. False after a message naming the file; the file is then
// as it was.
// When `confirm` is given and a record of the identification `ask` is in
// the file, it is asked before anything is written; a No leaves the file
// untouched and sets `*declined`.
bool RewriteDocuments(Env& env, std::string_view file, int idWords,
                     const std::unordered_set<std::string>& drop, const std::vector<DocumentRecord>& add,
                     const std::string& ask = {}, const std::function<bool()>& confirm = {},
                     bool* declined = nullptr);

}  // namespace orvo
