// Documents booked from a text file, one posting a line, values separated
// by "|" in the order of the posting layout (trailing values may be left
// out). Lines with the same identification form one document; an empty
// document number takes the next free number of the plant. Every value goes
// through the document window's checks, and the file is refused as a whole
// when any line fails: the message names the line. The documents are then
// written into the posting file in one rewrite.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/accounting/uct_dokl.h"

namespace orvo {

struct DoklBatchResult {
  int documents = 0;
  int postings = 0;
  std::vector<std::string> numbers;  // the document numbers in order
};

// `dokl` must be open; `source` names the file in the messages. An existing
// document of the same identification is overwritten only when the
// question is answered Yes.
bool PostDocuments(TUctDokl& dokl, std::string_view text, std::string_view source, DoklBatchResult* result);

}  // namespace orvo
