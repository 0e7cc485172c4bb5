#include "pages/row_snippets.h"

#include <gtest/gtest.h>

#include "engine/pages/page_files.h"
#include "temp_folder.h"

namespace {

struct Snippets {
  explicit Snippets(AdvancedSettings settings)
      : s(std::move(settings)), rows(ParseRowSnippets(s, &warnings)) {}
  // What the snippets of `row` add to a page.
  std::string Insert(int64_t row, bool reopen, bool close) {
    PageText out;
    InsertRowSnippets(row, reopen, close, s, &rows, &report, &out);
    return out.text;
  }
  AdvancedSettings s;
  PageWarnings warnings;
  RowSnippets rows;
  RunReport report;
};

// Settings with one snippet, the file `s.txt` in `temp` holding `text`, after row 1.
AdvancedSettings SnippetAfterRowOne(const TempFolder& temp, const std::string& text) {
  WriteFile(temp.path() + "/s.txt", text);
  AdvancedSettings s;
  s.SnippletRows = "1";
  s.SnippletFiles = temp.path() + "/s.txt?0";
  return s;
}

TEST(RowSnippetsTest, RowsTakeTheLastItemWithTheirIndex) {
  AdvancedSettings s;
  s.SnippletRows = ",2,,1,7,x,2.5,";
  s.SnippletFiles = "/a?1^^$$^^/b?0^^$$^^/c?1^^$$^^nomark^^$$^^/d?6.0^^$$^^/e?1.5";
  RowSnippets rows = ParseRowSnippets(s, nullptr);
  using Paths = std::vector<std::string>;
  EXPECT_EQ(rows.paths_by_row, (std::map<int64_t, Paths>{{1, {"/b"}}, {2, {"/c"}}, {7, {"/d"}}}));
  s.SnippletRows = "";  // no rows: nothing at all
  EXPECT_TRUE(ParseRowSnippets(s, nullptr).paths_by_row.empty());
  s.SnippletRows = "3,3";  // each mention writes the snippet again
  s.SnippletFiles = "/odd?name?2";
  EXPECT_EQ(ParseRowSnippets(s, nullptr).paths_by_row[3], (Paths{"/odd?name", "/odd?name"}));
}

TEST(RowSnippetsTest, ClosingAndReopeningTheTable) {
  TempFolder temp;
  AdvancedSettings s = SnippetAfterRowOne(temp, "<S>");
  s.TableTag = "<T>";
  s.TableClose = "</T>";
  const struct {
    const char* use_table_close;
    const char* centre;
    bool reopen, close;
    const char* text;
  } cases[] = {
      {"0", "0", false, false, "<S>\r\n"},
      {"0", "0", true, true, "</TABLE>\r\n<S>\r\n<T>\r\n"},
      {"1", "0", true, true, "</T>\r\n<S>\r\n<T>\r\n"},
      {"2", "0", true, true, "<S>\r\n<T>\r\n"},  // neither 0 nor 1: no closing code
      {"0", "1", false, false, "\r\n<div align=\"center\">\r\n\r\n<S>\r\n\r\n</div>\r\n\r\n"},
  };
  for (const auto& c : cases) {
    s.UseTableClose = c.use_table_close;
    s.CenterTable = c.centre;
    Snippets snippets(s);
    EXPECT_EQ(snippets.Insert(1, c.reopen, c.close), c.text) << c.use_table_close << c.centre;
    EXPECT_EQ(snippets.Insert(2, c.reopen, c.close), "");
  }
}

TEST(RowSnippetsTest, MissingFilesAreListedOnce) {
  TempFolder temp;
  AdvancedSettings s;
  s.SnippletRows = "1,2,3";
  std::string gone = temp.path() + "/gone.txt";
  s.SnippletFiles = gone + "?0^^$$^^" + gone + "?1^^$$^^" + temp.path() + "/gone?2";
  Snippets snippets(s);
  for (int64_t row : {1, 2, 1, 3}) EXPECT_EQ(snippets.Insert(row, true, true), "");
  // ".../gone" is already contained in ".../gone.txt", so it is not added.
  EXPECT_EQ(snippets.report.MissingSnippets, gone + "\r\n");
}

TEST(RowSnippetsTest, FilesAreReadOncePerDirectory) {
  TempFolder temp;
  Snippets snippets(SnippetAfterRowOne(temp, "first"));
  EXPECT_EQ(snippets.Insert(1, false, false), "first\r\n");
  WriteFile(temp.path() + "/s.txt", "second");
  EXPECT_EQ(snippets.Insert(1, false, false), "first\r\n");
}

}  // namespace
