#include "pages/picture_pages.h"

#include <gtest/gtest.h>

#include "engine/pages/page_files.h"
#include "temp_folder.h"

namespace {

AdvancedSettings NeighbourCodes() {
  AdvancedSettings s;
  s.PrevThumbCode =
      "<[PREVIOUS IMAGE PATH][PREVIOUS IMAGE FILE NAME] "
      "[PREVIOUS THUMB PATH][PREVIOUS THUMB FILE NAME]";
  s.NextThumbCode =
      "[NEXT IMAGE PATH][NEXT IMAGE FILE NAME] [NEXT THUMB PATH][NEXT THUMB FILE NAME]>";
  return s;
}

std::vector<PictureEntry> Table(size_t n, const AdvancedSettings& s) {
  std::vector<PictureFile> files;
  for (size_t i = 0; i < n; ++i) files.push_back({std::string(1, char('a' + i)) + ".jpg", 0});
  return BuildPictureTable(files, s);
}

TEST(PicturePagesTest, NeighboursStayOnTheirIndexPage) {
  AdvancedSettings s = NeighbourCodes();
  const std::string tmpl = "[PREV THUMB]|[NEXT THUMB]";
  const struct {
    size_t n, k, first;
    int64_t per_page;
    const char* text;
  } cases[] = {
      // a, b, c on one page of 2 x 2
      {3, 0, 0, 4, "|b.html thumbs/b_tn.jpg>"},
      {3, 1, 0, 4, "<a.html thumbs/a_tn.jpg|c.html thumbs/c_tn.jpg>"},
      {3, 2, 0, 4, "<b.html thumbs/b_tn.jpg|"},
      // five pictures on 1 x 2 pages: 1-2, 3-4, 5
      {5, 1, 0, 2, "<a.html thumbs/a_tn.jpg|"},
      {5, 2, 2, 2, "|d.html thumbs/d_tn.jpg>"},
      {5, 4, 4, 2, "|"},
      {1, 0, 0, 1, "|"},
  };
  for (const auto& c : cases) {
    std::vector<PictureEntry> table = Table(c.n, s);
    EXPECT_EQ(PicturePageText(tmpl, table, {c.k, c.first, c.per_page}, s), c.text)
        << c.n << " pictures, picture " << c.k;
  }
}

TEST(PicturePagesTest, OwnTagsAndThumbPathWithoutSubfolder) {
  AdvancedSettings s = NeighbourCodes();
  s.StoreInSub = "0";
  s.FNameExtKill = "1";
  std::vector<PictureEntry> table = BuildPictureTable({{"x.jpg", 5000}, {"y<1>.gif", 0}}, s);
  EXPECT_EQ(PicturePageText("[IMAGE FILE NAME]/[IMAGE TITLE]/[FILE SIZE]/[NEXT THUMB]/[PREV THUMB]",
                            table, {0, 0, 10}, s),
            "x.jpg/x/4/y&lt;1&gt;.html y&lt;1&gt;_tn.jpg>/");
  EXPECT_EQ(PicturePageText("[IMAGE TITLE]", table, {1, 0, 10}, s), "y&lt;1&gt;");
}

TEST(PicturePagesTest, TemplateMissingFollowsUseTmpl) {
  TempFolder temp;
  WriteFile(temp.path() + "/t.tpl", std::string(kUtf8Bom) + "T");
  const struct {
    const char* use;
    const char* file;
    bool in_use, missing, warned;
  } cases[] = {{"1", "t.tpl", true, false, false},
               {"1", "none.tpl", false, true, false},
               {"0", "t.tpl", false, false, false},
               {"1", "", false, false, true}};  // a folder is no template, nor missing
  for (const auto& c : cases) {
    AdvancedSettings s;
    s.UseTmpl = c.use;
    s.TmplAddy = *c.file ? temp.path() + "/" + c.file : temp.path();
    RunReport report;
    report.TemplateMissing = std::string(c.use) == "0";  // turning UseTmpl off clears it
    PageWarnings warnings;
    PageTemplate page_template = LoadTemplate(s, &report, &warnings);
    EXPECT_EQ(page_template.in_use, c.in_use) << c.use << c.file;
    EXPECT_EQ(page_template.text, c.in_use ? "T" : "");  // without the file's byte-order mark
    EXPECT_EQ(report.TemplateMissing, c.missing) << c.use << c.file;
    EXPECT_EQ(warnings, c.warned ? PageWarnings{temp.path() +
                                                ": is not a regular file; left out of the pages"}
                                 : PageWarnings{})
        << c.use << c.file;
  }
}

TEST(PicturePagesTest, IndexPagesAreNeverReplaced) {
  TempFolder temp;
  AdvancedSettings s;
  std::vector<PictureEntry> table = BuildPictureTable({{"page_01.jpg", 0}, {"b.jpg", 0}}, s);
  const std::string tpl = "T";
  const std::set<std::string> index_pages = {"page_01.html"};
  PageWarnings warnings;
  for (size_t k : {0, 1})
    WritePicturePage({temp.path(), tpl, table, index_pages, &warnings}, {k, 0, 2}, s);
  EXPECT_EQ(page_files::FilesIn(temp.path()),
            (std::map<std::string, std::string>{{"b.html", std::string(kUtf8Bom) + "T\r\n"}}));
  EXPECT_EQ(warnings, PageWarnings{temp.path() + "/page_01.jpg: its picture page page_01.html "
                                                 "would replace an index page; it is not written"});
  warnings.clear();
  const std::string missing = temp.path() + "/missing";
  WritePicturePage({missing, tpl, table, index_pages, &warnings}, {1, 0, 2}, s);
  EXPECT_EQ(warnings,
            PageWarnings{missing + "/b.html: cannot be written (No such file or directory)"});
}

}  // namespace
