// What a gallery run collects for its closing report.
#pragma once

#include <string>

/// Problems met during one run; list entries each end with CR LF.
struct RunReport {
  std::string InvalidPaths;     // directories that do not exist
  std::string CorruptedFiles;   // pictures whose thumbnail could not be written
  std::string MissingSnippets;  // snippet files not found, each once
  bool HeaderMissing = false;
  bool FooterMissing = false;
  bool TemplateMissing = false;
};
