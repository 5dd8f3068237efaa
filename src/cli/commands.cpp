#include "cli/batch.h"

namespace orvo::cli {

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands{
      {"paths", "paths [LOGICAL-PATH ...]",
       "print the drive map and where logical paths resolve", RunPaths},
      {"install",
       "install DATA-ROOT [--user NAME --password PASSWORD] [--plant-name T] [--admin-unit T] "
       "[--cost-centre T]",
       "create the local and application trees, the code lists, the initialisation file and the "
       "launchers in Programy; on a computer without an access file the user becomes its Admin",
       RunInstall},
      {"period", "period [show | set YYMM | prev | next]",
       "show or change the working period", RunPeriod},
      {"users", "users list | add NAME PASSWORD ROLE | remove NAME | master on|off | restore",
       "administer users and their roles, the support login, the previous access file (Admin)",
       RunUsers},
      {"archive", "archive", "archive the period's balance and posting files (needs --root)",
       RunArchive},
      {"def", "def show DEF", "show a definition file as the loaded definition", RunDef},
      {"cds", "cds dump FILE | from-text DEF TEXT OUT.Cds | to-xml FILE [--utf8] | from-xml FILE | def FILE DEF",
       "dump, create, convert and describe dataset files (paths are logical)", RunCds},
      {"sort", "sort IN.Cds IN.Def OUT.Cds OUT.Def --keys 3,1 [--drop-blank]",
       "sort a dataset by a list of word numbers (SortF)", RunSort},
      {"sum", "sum IN.Cds IN.Def OUT.Cds OUT.Def --keys 3,1 [--xdef X.Def]",
       "sum the numeric words per key (SumF)", RunSum},
      {"reduce", "reduce IN.Cds IN.Def OUT.Cds OUT.Def --keys 3,1",
       "keep the listed words of every record (RedF)", RunReduce},
      {"append", "append A.Cds R.Cds", "append the records of A to R (AppendCds)", RunAppend},
      {"restruct", "restruct OLD.Cds NEW.Def NEW.Cds",
       "move data into the layout of another definition (ReStruktCds)", RunRestruct},
      {"import", "import text|ldb|csv FILE DEF OUT.Cds [--codepage 0|2|3] [--sep C] [--quote C]",
       "import a fixed-column, legacy binary or separated text file", RunImport},
      {"demo", "demo DATA-ROOT [--plant 1|2|3]",
       "install the demo company with its code lists, period and user Admin", RunDemo},
      {"close", "close month [--to YYMM] | close year",
       "the month-end close into the next (or the given) period; the year adjustment in month 01",
       RunClose},
      {"proc", "proc NAME ARGS... (e.g. proc StNove BAL.Cds POST.Cds OUT.Cds, proc ObOdDo 2601 2603 OUT.Cds)",
       "run one operation of the balances and turnovers on logical paths", RunProc},
      {"table", "table stavy | obraty | range FROM TO | stavy-obraty | aktualni-stavy --out FILE.Cds|FILE.csv",
       "the dataset of a view of the menu Tabulky for the working period (the output path is logical)",
       RunTable},
      {"print-settings", "print-settings [show | set --rows N --orientation H|V --font NAME,SIZE]",
       "show or change the print settings (C:\\A_Run\\PomSoub\\NumRowFont.Dat)",
       RunPrintSettings},
#ifdef ORVO_BATCH_WITH_QT
      {"ses-to-pdf", "ses-to-pdf REPORT.Ses OUT.pdf [--from N --to M] [--mask \"x1/y1 ...\"]",
       "render a report as the graphic print does, into a PDF file", RunSesToPdf},
      {"ses-to-jpeg", "ses-to-jpeg REPORT.Ses [--rows N] [--pdf OUT.pdf --from N --to M]",
       "the report's page pictures T_I_<base>_nnnn.Jpg in C:\\A_Run\\Sestavy, optionally joined "
       "into a PDF at one scale", RunSesToJpeg},
#endif
      {"report", "report DATA.Cds DEF.Def OUT.Ses [--heading1 T] [--heading2 T] [--time] "
                 "[--sum-cols 2,3] [--page-cols ..] [--line-cols ..] [--order 3,1,2] "
                 "[--all-columns] [--unpaged] [--rows N] [--framed [--no-frames]]",
       "write the dataset browser's text report of a table (paths are logical); --framed also "
       "its framed pages R_<OUT>_nnnn.Rtf in C:\\A_Run\\Sestavy", RunReport},
      {"xlsx", "xlsx DATA.Cds DEF.Def OUT.xlsx",
       "write a table into a spreadsheet workbook as the browser's \"  Excel\" does", RunXlsx},
  };
  return commands;
}

}  // namespace orvo::cli
