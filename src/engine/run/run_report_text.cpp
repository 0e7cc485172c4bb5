#include "run/run_report_text.h"

#include "settings/utf8.h"

namespace {

constexpr char kSep[] = "---------------------";

std::string Section(const char* heading, const std::string& entries) {
  if (entries.empty()) return "";
  return std::string(heading) + "\r\n" + kSep + "\r\n" + entries + kSep + "\r\n\r\n";
}

std::string MissingLine(bool missing, const char* what, const std::string& path) {
  if (!missing) return "";
  return std::string("No ") + what + " was found at " + VisibleControls(path) + "\r\n\r\n";
}

}  // namespace

std::string RunReportText(const RunReport& report, const ReportPaths& paths) {
  return Section("Invalid paths:", report.InvalidPaths) +
         Section("Thumbs could not be written. Corrupted source files:", report.CorruptedFiles) +
         Section("Snipplets could not be found:", report.MissingSnippets) +
         MissingLine(report.HeaderMissing, "header file", paths.header) +
         MissingLine(report.FooterMissing, "footer file", paths.footer) +
         MissingLine(report.TemplateMissing, "template", paths.tmpl);
}
