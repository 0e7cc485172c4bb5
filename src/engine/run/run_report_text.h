// The closing report of a run.
#pragma once

#include <string>

#include "pages/run_report.h"

/// The paths named by the "No ... was found at" lines: the settings' values.
struct ReportPaths {
  std::string header;
  std::string footer;
  std::string tmpl;
};

/// The report text, sections in their fixed order; "" when nothing was collected.
std::string RunReportText(const RunReport& report, const ReportPaths& paths);
