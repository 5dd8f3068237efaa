#include "cli/batch.h"

namespace orvo::cli {

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands{
      {"paths", "paths [LOGICAL-PATH ...]",
       "print the drive map and where logical paths resolve", RunPaths},
      {"install", "install DATA-ROOT --user NAME --password PASSWORD",
       "create the local and application trees and the launchers in Programy", RunInstall},
      {"print-settings", "print-settings [show | set --rows N --orientation H|V --font NAME,SIZE]",
       "show or change the print settings (C:\\A_Run\\PomSoub\\NumRowFont.Dat)",
       RunPrintSettings},
#ifdef ORVO_BATCH_WITH_QT
      {"ses-to-pdf", "ses-to-pdf REPORT.Ses OUT.pdf [--from N --to M] [--mask \"x1/y1 ...\"]",
       "render a report as the graphic print does, into a PDF file", RunSesToPdf},
#endif
  };
  return commands;
}

}  // namespace orvo::cli
