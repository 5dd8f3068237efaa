// orvo-batch print-settings: shows or changes C:\A_Run\PomSoub\NumRowFont.Dat.
#include <ostream>

#include "cli/args.h"
#include "cli/batch.h"
#include "core/output/num_row_model.h"
#include "core/output/print_settings.h"
#include "core/sys/encoding.h"
#include "core/sys/files.h"
#include "core/sys/text.h"

namespace orvo::cli {

namespace {

std::string StyleWords(const FontChoice& f) {
  std::string s;
  auto add = [&s](bool on, const char* word) {
    if (!on) return;
    if (!s.empty()) s += ' ';
    s += word;
  };
  add(f.bold, "bold");
  add(f.italic, "italic");
  add(f.underline, "underline");
  add(f.strikeOut, "strike-out");
  return s.empty() ? "plain" : s;
}

void Show(std::ostream& out, const PrintSettings& s) {
  out << "Rows per page: " << s.PageRows << "\n"
      << "Orientation: " << NumRowModel::OrientationFieldText(s.PageOrientation) << "\n"
      << "Font: " << Cp1250ToUtf8(s.ReportFont.name) << ", " << s.ReportFont.size << "\n"
      << "Style: " << StyleWords(s.ReportFont) << " (code " << StyleCode(s.ReportFont) << ")\n"
      << "Colour: " << s.ReportFont.color << "\n";
}

bool AllDigits(std::string_view s) { return !s.empty() && IsDigits(s); }

int Usage(BatchContext& ctx, std::string_view why) {
  ctx.err << "orvo-batch print-settings: " << why
          << "\nUsage: orvo-batch print-settings [show | set --rows N --orientation H|V "
             "--font NAME,SIZE]\n";
  return 2;
}

}  // namespace

int RunPrintSettings(BatchContext& ctx) {
  Env& env = ctx.env;
  Args args(ctx.args, {{"--rows", true}, {"--orientation", true}, {"--font", true}});
  if (!args.Ok()) return Usage(ctx, args.Error());
  const auto& words = args.Positional();
  const std::string verb = words.empty() ? "show" : words[0];
  const bool anyOption = args.Has("--rows") || args.Has("--orientation") || args.Has("--font");
  const std::string file(kNumRowFontFile);
  const bool exists = FileExistsQuiet(env, file);
  auto read = exists ? ReadPrintSettingsQuiet(env) : std::nullopt;

  if (verb == "show") {
    if (words.size() > 1 || anyOption) return Usage(ctx, "show takes no arguments");
    ctx.out << "File: " << Cp1250ToUtf8(file);
    if (!exists) ctx.out << "   (missing: the defaults apply)";
    if (exists && !read) ctx.out << "   (damaged: the defaults apply)";
    ctx.out << "\n";
    Show(ctx.out, read.value_or(PrintSettings{}));
    return exists && !read ? 1 : 0;
  }
  if (verb != "set") return Usage(ctx, "unknown action " + verb);

  PrintSettings s = read.value_or(PrintSettings{});
  if (words.size() > 1) return Usage(ctx, "unexpected argument " + words[1]);
  if (!anyOption) return Usage(ctx, "set needs at least one option");
  for (const char* option : {"--rows", "--orientation", "--font"}) {
    if (!args.Has(option)) continue;
    const std::string value = args.Value(option);
    if (option == std::string_view("--rows")) {
      if (!AllDigits(value)) return Usage(ctx, "--rows takes a number");
      s.PageRows = NumRowModel::RowsFromText(value);
    } else if (option == std::string_view("--orientation")) {
      const std::string o = UpperCz(Trim(value));
      if (o != "H" && o != "V") return Usage(ctx, "--orientation takes H or V");
      s.PageOrientation = o == "V" ? kLandscape : kPortrait;
    } else {
      const size_t comma = value.rfind(',');
      if (comma == std::string::npos || comma == 0) return Usage(ctx, "--font takes NAME,SIZE");
      const std::string size = Trim(value.substr(comma + 1));
      if (!AllDigits(size) || size.size() > 3 || std::stoi(size) < 1 || std::stoi(size) > 255) {
        return Usage(ctx, "--font takes a size of 1 to 255 points");
      }
      const std::string name = Trim(value.substr(0, comma));  // arguments arrive in Windows-1250
      if (name.empty() || name.size() > 100) return Usage(ctx, "--font takes a name of 1 to 100 characters");
      s.ReportFont.name = name;
      s.ReportFont.size = std::stoi(size);
    }
  }
  MakeDirPath(env, DirectoryOf(file));
  if (!PutPrintSettings(env, s)) return 1;
  ctx.out << "File: " << Cp1250ToUtf8(file) << "\n";
  Show(ctx.out, s);
  return 0;
}

}  // namespace orvo::cli
