#include "core/office/libreoffice_backend.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "core/office/document_writers.h"
#include "core/office/host_process.h"
#include "core/office/user_documents.h"
#include "core/sys/files.h"

namespace orvo {

namespace {

const char* ConvertFilter(DocumentFormat format) {
  switch (format) {
    case DocumentFormat::Pdf: return "pdf";
    case DocumentFormat::Odt: return "odt";
    case DocumentFormat::Docx: return "docx";
    case DocumentFormat::Html: return "html";
    default: return nullptr;
  }
}

// A private scratch directory beside the target, removed when done: the
// converted file is renamed onto the target within one file system, and a
// profile of our own keeps a running LibreOffice of the user out of it.
class ScratchDir {
 public:
  explicit ScratchDir(const std::filesystem::path& parent) {
    std::string pattern = (parent / ".orvo-office-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~ScratchDir() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

bool WriteHostFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out.flush());
}

}  // namespace

std::optional<std::string> FindLibreOffice() {
  if (const char* named = std::getenv("ORVO_SOFFICE")) {
    if (*named == '\0') return std::nullopt;
    return FindOnPath(named);
  }
  if (auto p = FindOnPath("soffice")) return p;
  return FindOnPath("libreoffice");
}

OfficeResult LibreOfficeBackend::ShowText(Env&, const TextDocument& document) {
  // Kept in the user's documents and opened as a new document based on it
  // ("-n"), so that saving asks where to keep it.
  auto host = WriteUserDocument(FileNameOf(document.file), RtfDocument(document.text, document.font));
  if (!host) return OfficeResult::Failed;
  return RunHostProgram({soffice_, "--writer", "-n", *host}, false) == 0 ? OfficeResult::Done
                                                                         : OfficeResult::Failed;
}

OfficeResult LibreOfficeBackend::ConvertText(Env& env, const TextDocument& document,
                                             DocumentFormat format, std::string_view target) {
  const char* filter = ConvertFilter(format);
  if (filter == nullptr) return OfficeResult::CannotDo;
  auto host = env.fs.HostPath(target);
  if (!host) return OfficeResult::Failed;
  const std::filesystem::path targetPath(*host);
  ScratchDir scratch(targetPath.parent_path());
  if (scratch.path().empty()) return OfficeResult::Failed;
  const auto input = scratch.path() / "document.rtf";
  if (!WriteHostFile(input, RtfDocument(document.text, document.font))) return OfficeResult::Failed;
  const std::string profile = "-env:UserInstallation=file://" + (scratch.path() / "profile").string();
  int rc = RunHostProgram({soffice_, profile, "--headless", "--norestore", "--convert-to", filter,
                           "--outdir", scratch.path().string(), input.string()},
                          true);
  const auto output = scratch.path() / (std::string("document.") + filter);
  std::error_code ec;
  if (rc != 0 || !std::filesystem::exists(output, ec)) return OfficeResult::Failed;
  std::filesystem::rename(output, targetPath, ec);
  return ec ? OfficeResult::Failed : OfficeResult::Done;
}

OfficeResult LibreOfficeBackend::ShowWorkbook(Env&, const Workbook& workbook) {
  return RunHostProgram({soffice_, "--calc", workbook.hostFile}, false) == 0 ? OfficeResult::Done
                                                                            : OfficeResult::Failed;
}

}  // namespace orvo
