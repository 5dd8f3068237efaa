// The check that the sort and the reduction run before they touch a
// dataset: the definition InDef is loaded, the word list must not be empty,
// and the dataset's field count and field sizes must agree with the
// definition. A failed check is reported with an information box.
#pragma once

#include <string_view>

#include "core/data/cds_proc.h"
#include "core/data/dataset.h"

namespace orvo {

// `inName` names the input in the messages. False when the input must not
// be processed; the word list is then also checked against the definition.
bool ConsistencyCheck(TCdsProc& cds, const Dataset& in, std::string_view inName);

}  // namespace orvo
