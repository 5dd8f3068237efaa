// What the system services need from the outside world: the Ui port, the
// logical file system and the clock. The session owns them and hands this
// bundle to every service by reference; there is no global of any of them.
#pragma once

#include "core/sys/clock.h"
#include "core/sys/dosfs.h"
#include "core/sys/ui.h"

namespace orvo {

struct Env {
  Ui& ui;
  DosFs& fs;
  Clock& clock;
};

}  // namespace orvo
