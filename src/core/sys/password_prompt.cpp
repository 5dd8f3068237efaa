#include "core/sys/password_prompt.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace orvo {

namespace {

// The terminal's settings come back however the reading ends.
class EchoOff {
 public:
  explicit EchoOff(int fd) : fd_(fd) {
    if (::tcgetattr(fd_, &saved_) != 0) return;
    termios quiet = saved_;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    quiet.c_lflag |= ICANON;
    active_ = ::tcsetattr(fd_, TCSANOW, &quiet) == 0;
  }
  ~EchoOff() {
    if (active_) ::tcsetattr(fd_, TCSANOW, &saved_);
  }
  EchoOff(const EchoOff&) = delete;
  EchoOff& operator=(const EchoOff&) = delete;

 private:
  int fd_;
  termios saved_{};
  bool active_ = false;
};

void WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    ssize_t n = ::write(fd, text.data(), text.size());
    if (n <= 0) return;
    text.remove_prefix(static_cast<size_t>(n));
  }
}

}  // namespace

std::optional<std::string> PromptPassword(std::string_view prompt) {
  int fd = ::open("/dev/tty", O_RDWR | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return std::nullopt;
  std::optional<std::string> line;
  {
    EchoOff quiet(fd);
    WriteAll(fd, prompt);
    std::string text;
    char c = 0;
    for (;;) {
      ssize_t n = ::read(fd, &c, 1);
      if (n <= 0) break;
      if (c == '\n' || c == '\r') {
        line = text;
        break;
      }
      text += c;
    }
  }
  WriteAll(fd, "\n");
  ::close(fd);
  return line;
}

}  // namespace orvo
