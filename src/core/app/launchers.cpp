#include "core/app/launchers.h"

#include <sys/stat.h>

#include "core/sys/files.h"
#include "core/sys/messages.h"

namespace orvo {

namespace {

constexpr LauncherProgram kPrograms[] = {
    {"TabView.Exe", LauncherKind::TableViewer}, {"PrnOut.Exe", LauncherKind::Print},
    {"TxtView.Exe", LauncherKind::Open},        {"LinePad.Exe", LauncherKind::Open},
    {"RtfPad.Exe", LauncherKind::Open},         {"FormPad.Exe", LauncherKind::Open},
    {"PagePad.Exe", LauncherKind::Open},        {"ImgView.Exe", LauncherKind::Open},
    {"PicEdit.Exe", LauncherKind::Open},        {"MediaRun.Exe", LauncherKind::Open},
};

// A host path inside single quotes for sh.
std::string ShellQuoted(std::string_view s) {
  std::string quoted = "'";
  for (char c : s) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

}  // namespace

std::span<const LauncherProgram> InstallationPrograms() { return kPrograms; }

std::string LauncherScript(const LauncherProgram& program, std::string_view toolDir) {
  std::string dir(toolDir);
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  const bool viewer = program.kind == LauncherKind::TableViewer;
  const std::string tool = dir + (viewer ? "/orvo-tabview" : "/orvo-launch");
  std::string script = "#!/bin/sh\n# " + std::string(program.name) +
                       " of the Orvo installation, written by orvo-batch install.\n";
  script += "tool=" + ShellQuoted(tool) + "\n";
  script += "if [ ! -x \"$tool\" ]; then\n";
  script += "  echo \"" + std::string(program.name) +
            ": $tool is missing; run orvo-batch install again.\" >&2\n";
  script += "  exit 127\nfi\n";
  switch (program.kind) {
    case LauncherKind::TableViewer:
      script += "exec \"$tool\" \"$@\"\n";
      break;
    case LauncherKind::Print:
      script += "exec \"$tool\" print " + std::string(program.name) + " \"$@\"\n";
      break;
    case LauncherKind::Open:
      script += "exec \"$tool\" open " + std::string(program.name) + " \"$@\"\n";
      break;
  }
  return script;
}

std::vector<std::string> WriteLaunchers(Env& env, std::string_view programsDir,
                                        std::string_view toolDir) {
  std::vector<std::string> written;
  MakeDirPath(env, programsDir);
  for (const LauncherProgram& program : kPrograms) {
    std::string name = std::string(programsDir) + "\\" + std::string(program.name);
    int io = env.fs.WriteWhole(name, LauncherScript(program, toolDir));
    auto host = env.fs.HostPath(name);
    if (io != kIoOk || !host || ::chmod(host->c_str(), 0755) != 0) {
      ErrorBox(env, "Soubor:\r\r" + name + "\r\rse nepodarilo zapsat !");
      continue;
    }
    written.push_back(name);
  }
  return written;
}

}  // namespace orvo
