#include "forms/snipplet_rows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

namespace {

Control Filled(const char* rows, const char* files, const char* selected) {
  Control list;
  list.kind = ControlKind::kRowList;
  FillSnippletList(rows, files, selected, &list);
  return list;
}

// The entries that name a file, as "row:path".
std::vector<std::string> Files(const Control& list) {
  std::vector<std::string> files;
  for (size_t i = 0; i < list.entries.size(); ++i)
    if (!EntryPath(list.entries[i]).empty())
      files.push_back(std::to_string(i + 1) + ":" + EntryPath(list.entries[i]));
  return files;
}

using Texts = std::vector<std::string>;

}  // namespace

TEST(SnippletRowsTest, OddFieldsAttachNothingWrong) {
  // Rows, files, selected; the files attached, entries, rows selected.
  const std::tuple<const char*, const char*, const char*, Texts, size_t, long> cases[] = {
      {"3", "/x?9^^$$^^/y?2^^$$^^", "", {"3:/y"}, 3, 0},    // beyond the list: dropped
      {"3", "/a?0^^$$^^/b?0^^$$^^", "", {"1:/b"}, 3, 0},    // the last item wins
      {"3", "/a?x^^$$^^?1^^$$^^/c?2", "", {"3:/c"}, 3, 0},  // no whole index, no path
      {"3", "/a^^$$^^b?1^^$$^^/c?2", "", {"3:/c"}, 3, 0},   // "b" is a cut path's tail
      {"3", "", "0,2.5,7,abc,-1", {}, 3, 1},                // only row 2 (2.5 rounds to even)
      {"-3", "/a?0", "1", {}, 0, 0},
      {"1e9", "", "", {}, 9999, 0},
  };
  for (const auto& [rows, files, selected, files_seen, entries, selected_rows] : cases) {
    Control list = Filled(rows, files, selected);
    EXPECT_EQ(Files(list), files_seen) << rows << " " << files;
    EXPECT_EQ(list.entries.size(), entries) << rows;
    EXPECT_EQ(std::count(list.selected.begin(), list.selected.end(), true), selected_rows)
        << selected;
  }
}

// A loaded path comes back on its row from the record, whatever characters
// it holds, and the selection is written in list order; a path that would
// cut the record is refused.
TEST(SnippletRowsTest, PathsWithTheSeparatorCharactersStayOnTheirRow) {
  for (const char* path : {"/a^b/x.html", "$HOME/x.html", "/x/a?12.html", "/a^", "/é$"}) {
    Control list = Filled("3", "", "3,1");
    list.index = 1;
    ASSERT_TRUE(LoadSnipplet(path, &list)) << path;
    AdvancedSettings settings;
    CaptureSnippletList(list, &settings);
    EXPECT_EQ(settings.SnippletRows, "1,3");
    EXPECT_EQ(Files(Filled("3", settings.SnippletFiles.c_str(), "")),
              Texts{"2:" + std::string(path)})
        << settings.SnippletFiles;
  }
  Control list = Filled("3", "", "");
  list.index = 0;
  EXPECT_FALSE(LoadSnipplet("/a^^$$^^b", &list));
  EXPECT_FALSE(LoadSnipplet("/a\nb", &list));
  list.index = 7;
  EXPECT_FALSE(LoadSnipplet("/d", &list));
  EXPECT_EQ(list.entries[0], " 1   ");
}
