// "The application ends": thrown by the services that end the program after a
// message. Only the outermost layer (main, or a GUI slot boundary) catches it.
#pragma once

#include <stdexcept>
#include <string>

namespace orvo {

class Termination : public std::runtime_error {
 public:
  explicit Termination(const std::string& reason) : std::runtime_error(reason) {}
  const std::string& Reason() const { return reason_; }

 private:
  std::string reason_ = what();
};

}  // namespace orvo
