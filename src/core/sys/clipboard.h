// The system clipboard as the browser and the report windows use it: one
// text, Windows-1250 bytes with CR LF line ends. The GUI supplies the real
// one; the command-line program and the tests keep the text in memory.
#pragma once

#include <string>
#include <string_view>

namespace orvo {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual void SetText(std::string_view text) = 0;
  virtual std::string Text() const = 0;
};

class MemoryClipboard final : public Clipboard {
 public:
  void SetText(std::string_view text) override { text_ = std::string(text); }
  std::string Text() const override { return text_; }

 private:
  std::string text_;
};

}  // namespace orvo
