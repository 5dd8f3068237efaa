// The fixed-column text reader on any bytes: the first byte chooses the code
// page; every line must give one value per word, whatever its length, with
// FormatWord applied to each. A bad date is reported with beeps half a
// second apart; the clock here does not wait, and its day is fixed.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/data/foreign_records.h"
#include "foreign_fuzz.h"
#include "fuzz_env.h"

namespace {

class FixedClock final : public orvo::Clock {
 public:
  orvo::DateTime Now() const override { return {2016, 2, 29, 12, 0, 0}; }
  std::string ShortDateText() const override { return "29.02.2016"; }
  void Sleep(int) override {}
};

struct Quiet {
  orvo::fuzz::QuietUi ui;
  orvo::DosFs fs{orvo::DriveMap()};
  FixedClock clock;
  orvo::Env env{ui, fs, clock};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Quiet fe;
  std::string_view input(reinterpret_cast<const char*>(data), size);
  if (input.empty()) return 0;
  const int konv = static_cast<unsigned char>(input[0]) % 4;
  input.remove_prefix(1);
  orvo::LoadedDef def;
  if (!orvo::fuzz::TakeDefinition(input, def)) return 0;
  for (std::string_view line : orvo::ForeignLines(input)) {
    orvo::fuzz::CheckValues(def, orvo::TxRecord(fe.env, def, line, konv), true);
  }
  return 0;
}
