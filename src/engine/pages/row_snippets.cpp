#include "pages/row_snippets.h"

#include <cmath>

#include "settings/text.h"

namespace {

const UserFile& SnippetFile(const std::string& path, RowSnippets* snippets) {
  auto hit = snippets->files.find(path);
  if (hit != snippets->files.end()) return hit->second;
  const UserFile& file = snippets->files.emplace(path, ReadUserFile(path)).first->second;
  if (!file.problem.empty()) snippets->warnings->push_back(file.problem);
  return file;
}

void NoteMissing(const std::string& path, RunReport* report) {
  std::string shown = VisibleControls(path);
  if (report->MissingSnippets.find(shown) == std::string::npos)
    report->MissingSnippets += shown + "\r\n";
}

// "</TABLE>" when UseTableClose is 0, TableClose when it is 1, else nothing.
void CloseBeforeSnippet(const AdvancedSettings& s, PageText* out) {
  if (Val(s.UseTableClose) == 0)
    out->Line("</TABLE>");
  else if (IsOn(s.UseTableClose))
    out->Line(s.TableClose);
}

void WriteSnippet(const std::string& text, bool reopen_table, bool close_table,
                  const AdvancedSettings& s, PageText* out) {
  bool centre = IsOn(s.CenterTable);
  if (close_table) CloseBeforeSnippet(s, out);
  if (centre) out->Line("\r\n<div align=\"center\">\r\n");
  out->Line(text);
  if (centre) out->Line("\r\n</div>\r\n");
  if (reopen_table) out->Line(s.TableTag);
}

}  // namespace

RowSnippets ParseRowSnippets(const AdvancedSettings& s, PageWarnings* warnings) {
  RowSnippets snippets;
  snippets.warnings = warnings;
  if (s.SnippletRows.empty()) return snippets;
  std::map<double, std::string> path_by_number;  // later items replace earlier ones
  for (const std::string& item : ParseString(s.SnippletFiles, "^$")) {
    size_t mark = item.rfind('?');
    if (mark != std::string::npos)
      path_by_number[Val(item.substr(mark + 1)) + 1] = item.substr(0, mark);
  }
  for (const std::string& token : ParseString(s.SnippletRows, ",")) {
    double number = Val(token);
    auto hit = path_by_number.find(number);
    bool row_like = number == std::floor(number) && std::fabs(number) < 1e18;
    if (hit == path_by_number.end() || !row_like) continue;
    snippets.paths_by_row[static_cast<int64_t>(number)].push_back(hit->second);
  }
  return snippets;
}

void InsertRowSnippets(int64_t row, bool reopen_table, bool close_table, const AdvancedSettings& s,
                       RowSnippets* snippets, RunReport* report, PageText* out) {
  auto registered = snippets->paths_by_row.find(row);
  if (registered == snippets->paths_by_row.end()) return;
  for (const std::string& path : registered->second) {
    const UserFile& file = SnippetFile(path, snippets);
    if (!file.found)
      NoteMissing(path, report);
    else if (file.problem.empty())
      WriteSnippet(file.text, reopen_table, close_table, s, out);
  }
}
