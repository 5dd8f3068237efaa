// The installation layout: the local tree C:\A_Run with its local
// application tree, and the application tree DataRoot\LOrvo. Both are made
// at every start; a directory that cannot be made is skipped silently,
// because the file operations that need it report their own errors.
#pragma once

#include "core/shell/run_values.h"
#include "core/sys/env.h"

namespace orvo {

// C:\A_Run and its subdirectories.
void PrepareLocalTree(Env& env);
// C:\A_Run\Aplikace\LOrvo and DataRoot\LOrvo with their subdirectories, in
// the installation's order.
void CreateApplicationTrees(RunValues& session);
// CreateApplicationTrees, then the defaults: the files of
// DataRoot\LOrvo\PomSoub and \Dokum missing locally, and the document-list
// definitions missing in DataRoot\LOrvo\PomSoub taken from DefSoub.
void PrepareDirectories(RunValues& session);

}  // namespace orvo
