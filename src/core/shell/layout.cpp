#include "core/shell/layout.h"

#include <initializer_list>
#include <string>

#include "core/shell/file_names.h"
#include "core/sys/copy.h"
#include "core/sys/files.h"

namespace orvo {

namespace {

void MakeDirs(Env& env, const std::string& root, std::initializer_list<const char*> subs) {
  env.fs.MakeDir(root);
  for (const char* sub : subs) env.fs.MakeDir(root + "\\" + sub);
}

}  // namespace

void PrepareLocalTree(Env& env) {
  MakeDirs(env, std::string(kLocalRoot),
           {"Aplikace", "Archiv", "DefSoub", "ExecR", "Dokum", "Uzivatele", "OtevSoub", "PristPr",
            "PomSoub", "Sestavy", "Work"});
}

void CreateApplicationTrees(RunValues& session) {
  Env& env = session.env;
  MakeDirs(env, LocalAppDir(), {"Data", "Cisel", "PomSoub", "Sestavy", "Archiv", "Dokum", "RegPokl"});
  MakeDirs(env, AppDir(session),
           {"Programy", "DefSoub", "PomSoub", "LdbSoub", "RidSoub", "Cisel", "Dokum", "Xml", "Dbf",
            "Csv", "Prevody", "PrevDos", "Archiv", "Data"});
}

void PrepareDirectories(RunValues& session) {
  Env& env = session.env;
  CreateApplicationTrees(session);
  CopyDirFiles(env, "*.*", AppDir(session, "PomSoub"), LocalAppDir("PomSoub"), 2);
  CopyDirFiles(env, "*.*", AppDir(session, "Dokum"), LocalAppDir("Dokum"), 2);
  for (const char* name : {"LDokl.Def", "LDoklP.Def", "LDoklZ.Def"}) {
    std::string target = DocumentListDef(session, name);
    if (!FileExistsQuiet(env, target)) {
      CopyFile(env, AppDir(session, "DefSoub") + "\\" + name, target, false);
    }
  }
}

}  // namespace orvo
