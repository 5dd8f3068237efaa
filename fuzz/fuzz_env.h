// A quiet Env for the fuzz targets: no drives, messages dropped, the real
// clock. The readers under test never touch files.
#pragma once

#include "core/sys/clock.h"
#include "core/sys/dosfs.h"
#include "core/sys/env.h"
#include "core/sys/ui.h"

namespace orvo::fuzz {

class QuietUi final : public Ui {
 public:
  void Message(MessageKind, std::string_view, std::string_view) override {}
  Answer Ask(MessageKind, std::string_view, std::string_view) override { return Answer::No; }
};

struct FuzzEnv {
  QuietUi ui;
  DosFs fs{DriveMap()};
  SystemClock clock;
  Env env{ui, fs, clock};
};

}  // namespace orvo::fuzz
