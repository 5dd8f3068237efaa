#include "core/screens/scr_columns.h"

#include <cstddef>

namespace orvo {

ScrColumnFlags NoColumnFlags() {
  ScrColumnFlags flags;
  flags.fill('N');
  return flags;
}

ScrGroupFlags GroupFlagsInFileOrder(const ScrColumnFlags& sum, const ScrColumnFlags& page,
                                    const ScrColumnFlags& line) {
  ScrGroupFlags flags;
  for (std::size_t i = 0; i < flags.size(); ++i) {
    flags[i] = ScrGroupFlag{sum[i] == 'A' ? 'A' : 'N', page[i] == 'A' ? 'A' : 'N',
                            line[i] == 'A' ? 'A' : 'N'};
  }
  return flags;
}

}  // namespace orvo
