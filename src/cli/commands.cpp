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
      {"demo", "demo DATA-ROOT [--plant 1|2|3] [--legacy]",
       "install the demo company with its code lists, period and user Admin", RunDemo},
      {"close", "close month [--to YYMM] | close year",
       "the month-end close into the next (or the given) period; the year adjustment in month 01",
       RunClose},
      {"proc", "proc NAME ARGS... (e.g. proc StNove BAL.Cds POST.Cds OUT.Cds, proc ObOdDo 2601 2603 OUT.Cds)",
       "run one operation of the balances and turnovers on logical paths", RunProc},
      {"table", "table stavy | obraty | range FROM TO | stavy-obraty | aktualni-stavy --out FILE.Cds|FILE.csv",
       "the dataset of a view of the menu Tabulky for the working period (the output path is logical)",
       RunTable},
      {"eval", "eval \"EXPRESSION\"", "the value of an expression as the expression window computes it",
       RunEval},
      {"statement", "statement DEF --level podnik|zavod|sprava|stredisko [--source current | month YYMM | "
                    "turnovers FROM TO] [--out FILE] | statement check DEF",
       "compute a statement (Vykazy) into its report and table, or check its definition", RunStatement},
      {"legacy", "legacy codelists | balances | postings [--yes]",
       "convert the DOS version's code lists, balances or postings (menu Dos, role Admin)", RunLegacy},
      {"calc", "calc DEF --level podnik|zavod|sprava|stredisko [--out FILE]",
       "compute the cost calculation (Kalkulace > Vypocet) into its report and table", RunCalc},
      {"doc", "doc post FILE.csv | list | check | print|voucher YY MM UNIT NUMBER --out FILE.Ses|FILE.pdf | "
              "delete YY MM UNIT NUMBER",
       "the accounting documents of the working period: book a \"|\"-separated file, list, check the "
       "balance, print, delete (right Sprav)",
       RunDoc},
      {"convert", "convert IN OUT --format txt|dos|rtf|html|pdf|doc|xml|xps",
       "convert a text or rich-text file as the text editor's \"Ulozit do jinych formatu\" does",
       RunConvert},
      {"accumulate", "accumulate pexo|ramu|sramu|kolo|mzdy|vint-zavod|vint-stredisko [FILE] [--yes]",
       "accumulate a sibling system's transfer file into the working period's postings (Prevody > Kumulace); "
       "--yes lets hand-entered documents go where the menu asks",
       RunAccumulate},
      {"konta", "konta complete", "fill the empty konto names of the working period's postings", RunKonta},
      {"auto-transfer", "auto-transfer DEF --source current|month YYMM|turnovers [--id ID] [--yes]",
       "post the rules of a transfer definition (Aut*.Def) under one identification (Prevody > "
       "Automaticke prevody); --yes replaces postings under it that a transfer did not write",
       RunAutoTransfer},
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
      {"journal", "journal [--out FILE.Ses|FILE.pdf|FILE.csv|FILE.xlsx]",
       "the accounting journal of the working period (Prehledy > Ucetni denik)", RunJournal},
      {"ledger", "ledger --level podnik|zavod|sprava|stredisko [--activities] [--from-january] [--digits N] "
                 "[--out FILE.Ses|FILE.pdf|FILE.csv|FILE.xlsx]",
       "the general ledger of the working period into HlKniha.Cds (Prehledy > Hlavni kniha)", RunLedger},
      {"development", "development accounts|activities --from YYMM --to YYMM [--level ...] [--activities|--accounts] "
                      "[--digits N] [--out FILE.Ses|FILE.pdf|FILE.csv|FILE.xlsx]",
       "the development of account or activity balances over a range of periods", RunDevelopment},
      {"saldo", "saldo --from YYMM --to YYMM [--konto-ucet] [--by-intdokl] "
                "[--out FILE.Ses|FILE.pdf|FILE.csv|FILE.xlsx]",
       "the saldo-konto of a range of periods (Prehledy > Saldo - Konto)", RunSaldo},
      {"xlsx", "xlsx DATA.Cds DEF.Def OUT.xlsx",
       "write a table into a spreadsheet workbook as the browser's \"  Excel\" does", RunXlsx},
  };
  return commands;
}

}  // namespace orvo::cli
