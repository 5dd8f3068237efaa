#include "core/shell/init_file.h"

#include <vector>

#include "core/shell/file_names.h"
#include "core/sys/text_lines.h"
#include "core/sys/files.h"
#include "core/sys/termination.h"
#include "core/sys/text.h"

namespace orvo {

namespace {

constexpr size_t kInitFileHead = 64 * 1024;

}  // namespace

std::string UnitKey(std::string_view plant, std::string_view adminUnit,
                    std::string_view costCentre) {
  return std::string(plant.substr(0, 2)) + std::string(adminUnit.substr(0, 2)) +
         std::string(costCentre.substr(0, 2));
}

void ReadInitFile(RunValues& session) {
  Env& env = session.env;
  std::string name = InitFileName(session);
  if (!FileExistsOrSay(env, name)) throw Termination("missing " + name);
  if (!TryOpenFile(env, name)) throw Termination("cannot open " + name);
  // Four lines of names and a directory: a file far longer is not read on.
  auto text = ReadHead(env, name, kInitFileHead);
  if (!text) {
    FileExistsOrSay(env, name);
    throw Termination("cannot read " + name);
  }
  std::vector<std::string> lines = SplitLines(*text);
  lines.resize(4);
  session.PlantName = lines[0];
  session.AdminUnitName = lines[1];
  session.CostCentreName = lines[2];
  session.LegacyDataDir = RemoveBlanks(lines[3]);
  session.UnitKey = UnitKey(session.PlantName, session.AdminUnitName, session.CostCentreName);
}

}  // namespace orvo
