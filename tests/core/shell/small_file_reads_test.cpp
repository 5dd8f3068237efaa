// The access, period and initialisation files are small; a huge one (a
// damaged disk, a wrong file put in place) must not be read whole. Each
// reader runs in a child process whose address space leaves no room for
// the whole file.
#include <sys/resource.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "support/app_fixture.h"
#include "core/shell/access_file.h"
#include "core/shell/file_names.h"
#include "core/shell/init_file.h"
#include "core/shell/period.h"
#include "core/sys/termination.h"

#if defined(__SANITIZE_ADDRESS__)
#define ORVO_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ORVO_ASAN 1
#endif
#endif

namespace orvo::test {
namespace {

constexpr uintmax_t kHuge = 300u * 1024 * 1024;
constexpr rlim_t kRoom = 64u * 1024 * 1024;

// The address space this process uses now.
rlim_t AddressSpaceInUse() {
  std::ifstream statm("/proc/self/statm");
  unsigned long pages = 0;
  statm >> pages;
  return static_cast<rlim_t>(pages) * 4096;
}

struct HugeCase {
  const char* name;
  const char* file;
  void (*read)(Session&);
};

// In the child: the address space left for the reader is far below the
// size of the file; exit code 0 when the reader got through.
[[noreturn]] void ReadWithLittleRoom(const HugeCase& c, Session& session) {
  rlimit limit{};
  limit.rlim_cur = AddressSpaceInUse() + kRoom;
  limit.rlim_max = RLIM_INFINITY;
  setrlimit(RLIMIT_AS, &limit);
  try {
    c.read(session);
  } catch (const Termination&) {
    // A damaged file may end the application; that is a clean end.
  }
  std::_Exit(0);
}

class HugeFileTest : public AppScratch, public ::testing::WithParamInterface<HugeCase> {};

TEST_P(HugeFileTest, IsReadOnlyAsFarAsItIsUsed) {
#ifdef ORVO_ASAN
  GTEST_SKIP() << "an address-space limit does not go with the address sanitizer";
#endif
  const HugeCase& c = GetParam();
  PutPeriod("16 03");
  PutInit();
  Put(c.file, "");
  std::filesystem::resize_file(Host(c.file), kHuge);  // sparse: no disk space taken
  EXPECT_EXIT(ReadWithLittleRoom(c, session), ::testing::ExitedWithCode(0), "");
}

INSTANTIATE_TEST_SUITE_P(
    Files, HugeFileTest,
    ::testing::Values(
        HugeCase{"access_file", "C:\\A_Run\\PristPr\\LOrv.H",
                 [](Session& s) { ReadAccessFile(s.env, AccessFileName()); }},
        HugeCase{"period_file", "C:\\A_Run\\PomSoub\\ObdobiOrvo.Txt", [](Session& s) { LoadPeriod(s); }},
        HugeCase{"init_file", "D:\\LOrvo\\PomSoub\\UctInic.TXT", [](Session& s) { ReadInitFile(s); }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvo::test
