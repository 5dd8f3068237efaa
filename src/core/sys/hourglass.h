// The hourglass cursor for the length of a scope: shown when made, hidden
// when the scope ends, also when a message ends the application on the way.
#pragma once

#include "core/sys/env.h"

namespace orvo {

class Hourglass {
 public:
  explicit Hourglass(Env& env) : env_(env) { env_.ui.SetHourglass(true); }
  ~Hourglass() { env_.ui.SetHourglass(false); }
  Hourglass(const Hourglass&) = delete;
  Hourglass& operator=(const Hourglass&) = delete;

 private:
  Env& env_;
};

}  // namespace orvo
