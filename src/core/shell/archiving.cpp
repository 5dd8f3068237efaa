#include "core/shell/archiving.h"

#include <string_view>

#include "core/shell/file_names.h"
#include "core/sys/copy.h"

namespace orvo {

namespace {

using NeedTest = bool (*)(Env&, std::string_view, std::string_view);

// The notice goes away also when the archiving ends the application.
class Notice {
 public:
  Notice(Env& env, std::string_view text) : env_(env) { env_.ui.ShowNotice(text); }
  ~Notice() { env_.ui.HideNotice(); }
  Notice(const Notice&) = delete;
  Notice& operator=(const Notice&) = delete;

 private:
  Env& env_;
};

std::vector<std::string> Archive(RunValues& session, NeedTest needed) {
  Env& env = session.env;
  std::vector<std::string> archived;
  Notice notice(env, "Orvo:  Prebiha archivace databasi !");
  CopyDirFiles(env, "*.*", AppDir(session, "PomSoub"), LocalAppDir("PomSoub"), 2);
  std::string dir = ArchiveDir(session);
  std::string balance = BalanceFile(session);
  std::string postings = PostingFile(session);
  for (const std::string& file : {balance, postings}) {
    if (needed(env, file, dir) && ArchiveRotate(env, file, dir, kArchiveGenerations)) {
      archived.push_back(file);
    }
  }
  env.clock.Sleep(1000);
  return archived;
}

}  // namespace

std::string ArchiveDir(const RunValues& session) { return AppDir(session, "Archiv"); }

std::vector<std::string> ArchiveAtStart(RunValues& session) {
  return Archive(session, &ArchiveNeededByDate);
}

std::vector<std::string> ArchFile(RunValues& session) {
  return Archive(session, &ArchiveNeededByTime);
}

}  // namespace orvo
