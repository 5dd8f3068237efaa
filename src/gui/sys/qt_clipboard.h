// The system clipboard for the core: Windows-1250 text in, Unicode on the
// desktop's clipboard.
#pragma once

#include "core/sys/clipboard.h"

namespace orvo::gui {

class QtClipboard final : public Clipboard {
 public:
  void SetText(std::string_view text) override;
  std::string Text() const override;
};

}  // namespace orvo::gui
