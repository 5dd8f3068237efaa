// The progress window "  Probiha vypocet !   ............" and the hourglass
// for the length of a scope, hidden again also when a message ends the
// application on the way.
#pragma once

#include <string_view>

#include "core/sys/env.h"
#include "core/sys/hourglass.h"

namespace orvo {

inline constexpr std::string_view kComputingCaption = "  Probiha vypocet !   ............";

class ComputingProgress {
 public:
  explicit ComputingProgress(Env& env) : env_(env), hourglass_(env) { env_.ui.ShowProgress(kComputingCaption); }
  ~ComputingProgress() { env_.ui.HideProgress(); }
  ComputingProgress(const ComputingProgress&) = delete;
  ComputingProgress& operator=(const ComputingProgress&) = delete;

 private:
  Env& env_;
  Hourglass hourglass_;
};

}  // namespace orvo
