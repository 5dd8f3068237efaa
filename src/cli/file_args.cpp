#include "cli/file_args.h"

#include "core/app/batch_commands.h"
#include "core/app/session.h"
#include "core/shell/write_guard.h"
#include "core/sys/file_argument.h"

namespace orvo::cli {

std::string InputFile(BatchContext& ctx, const std::string& arg) {
  return LogicalFileArgument(ctx.env.fs, arg).value_or(arg);
}

int OutputFile(BatchContext& ctx, const std::string& arg, std::string* logical) {
  *logical = InputFile(ctx, arg);
  switch (CheckDataWrite(ctx.session, *logical)) {
    case WriteCheck::Allowed: return kBatchOk;
    case WriteCheck::NoRight: return kBatchRefused;
    case WriteCheck::ReadOnly: return kBatchFailed;
  }
  return kBatchFailed;
}

}  // namespace orvo::cli
