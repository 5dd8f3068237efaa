// The listing of a code list ("  Tisk" of the code-list window): every
// record on one line, the fields side by side, in pages that each begin
// with a heading naming the file, the date, the time and the page.
#pragma once

#include <string>
#include <string_view>

#include "core/data/dataset.h"
#include "core/sys/env.h"

namespace orvo {

// The report text (Windows-1250, CR LF) of the open table: fileName goes
// into the title, rowsPerPage (1..150) bounds a page. Memo fields are left
// out. The first page begins with its heading even when the table is empty.
std::string CodeListListing(Env& env, const Dataset& table, std::string_view fileName,
                            int rowsPerPage);

}  // namespace orvo
