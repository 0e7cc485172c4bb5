#include "pages/advanced_pages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <span>

#include "pages/page_menu.h"
#include "pages/page_names.h"
#include "pages/picture_pages.h"
#include "pages/row_snippets.h"
#include "pages/tags.h"
#include "settings/record_fields.h"
#include "settings/text.h"
#include "table_rows.h"
#include "temp_folder.h"

namespace fs = std::filesystem;

namespace {

using Pages = std::map<std::string, std::string>;

// The pages a golden file expects for `case_name`: "##### case/file" starts a
// page, then its lines (CR LF ended, after the byte-order mark); "#..." are notes.
Pages GoldenPages(const std::string& golden_file, const std::string& case_name) {
  std::ifstream in(golden_file, std::ios::binary);
  Pages pages;
  std::string line, *page = nullptr;
  const std::string heading = "##### " + case_name + "/";
  while (std::getline(in, line)) {
    if (line.starts_with("##### "))
      page = line.starts_with(heading) ? &(pages[line.substr(heading.size())] = kUtf8Bom) : nullptr;
    else if (page && !line.starts_with('#'))
      *page += line + "\r\n";
  }
  return pages;
}

const std::vector<PictureFile> kPictures = {{"a.jpg", 100},     {"b.jpg", 1024},   {"c.jpg", 2047},
                                            {"d.gif", 5000},    {"e.jpeg", 10240}, {"f.bmp", 0},
                                            {"g.jpg", 3000},    {"h.jpg", 4096},   {"i.jpg", 1},
                                            {"j.jpg", 1048576}, {"k.jpg", 2048},   {"l.jpg", 2048}};

std::vector<PictureFile> First(size_t n) { return {kPictures.begin(), kPictures.begin() + n}; }

const char kShortCodes[] =
    "PageTitle=Trip\nPageFileName=p\nUnits=1\nRows=2\nCols=3\nMetaGen=<META gen>\nBodyTag=<BODY>\n"
    "HeaderCode=<HTML><TITLE>[PAGE TITLE]:[CURRENT PAGE NUMBER]/[MAX PAGE NUMBER]</TITLE>\n"
    "PageTitleCode=<H1>[PAGE TITLE][CURRENT PAGE NUMBER]</H1>\nTableTag=<TABLE>\nNoMenu=<NOMENU>\n"
    "CellCode=<TD>[IMAGE FILE NAME] [THUMB PATH][THUMB FILE NAME] [FILE SIZE]</TD>\n"
    "CodeBeforeMenu=<MENU [CURRENT PAGE NUMBER]>[PREVIOUS LINK]\nCodeAfterMenu=[NEXT LINK]</MENU>\n"
    "MenuCode=<a href=[PAGE FILE NAME]>[PAGE NUMBER]</a>\nPrev=<a href=[PREVIOUS PAGE]>prev</a>\n"
    "Next=<a href=[NEXT PAGE]>next</a>";

AdvancedSettings ShortCodes(const std::string& changes = "", const std::string& in = "") {
  AdvancedSettings s;
  Assign(kAdvancedFields, kShortCodes + ("\n" + changes), &s, in);
  return s;
}

// What WriteAdvancedPages leaves in `dir` (else a folder of its own).
struct Written {
  Pages pages;
  std::string told;
  PageWarnings warnings;
};

Written Write(const std::vector<PictureFile>& pictures, const AdvancedSettings& s,
              std::string dir = "") {
  TempFolder temp;
  RunReport r;
  Written w;
  WriteAdvancedPages(dir.empty() ? (dir = temp.path()) : dir, pictures, s, &r, &w.warnings);
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(dir, ec))
    w.pages[entry.path().filename().string()] = ReadFile(entry.path());
  w.told = std::string(r.HeaderMissing ? "header " : "") + (r.FooterMissing ? "footer " : "") +
           (r.TemplateMissing ? "template " : "") + r.MissingSnippets;
  return w;
}

TEST(AdvancedPagesTest, PagesMatchGoldenPages) {
  // The user's files, as "{in}/name" in the settings.
  const std::pair<const char*, const char*> in_files[] = {
      {"footer.html", "<P>footer</P>\r\n</BODY></HTML>"},
      {"header.html", "<HTML><HEAD>\r\n<TITLE>Mine</TITLE></HEAD><BODY>\r\n"},
      {"old.txt", "<!--old-->"},
      {"one.txt", "<!--one-->"},
      {"three.txt", "<!--three-->"},
      {"pic.tpl",
       "<P>[IMAGE FILE NAME]|[IMAGE TITLE]|[FILE SIZE]</P>\r\n[PREV THUMB]|[NEXT THUMB]"}};
  const struct {
    const char *golden, *name;  // under tests/data/advanced, its sections there
    std::vector<PictureFile> pictures;
    std::string settings;  // changes to the short codes
    std::string told = "";
    const char* folder = "pics";  // name of the picture folder
  } cases[] = {
      {"layout.txt", "ten_on_2x3", First(10), ""},
      {"layout.txt", "six_on_2x3", First(6), "MenuBottom=False\nMenuBoth=True"},
      {"layout.txt", "twelve_index", First(12),
       "PageFileName=index\nHTMLExt=4\nMenuBottom=False\nMenuTop=True"},
      {"head.txt", "header_missing", First(2),
       "UseHeader=1\nHeader={in}/none.html\nUseFooter=1\nFooter={in}/footer.html", "header "},
      {"head.txt", "header_file", First(1),
       "UseHeader=1\nHeader={in}/header.html\nUseFooter=1\nFooter=  ", "footer "},
      {"head.txt", "generated", First(1),
       "FromDir=1\nHeaderCode=<HTML><HEAD><TITLE>[PAGE TITLE] [CURRENT PAGE NUMBER]</TITLE></hEaD>"
       "\nUseJava=1\nJavaCode=<SCRIPT>j</SCRIPT>\nJavaCell=<TD>[IMAGE FILE NAME]|java</TD>\n"
       "UseStyle=1\nStyleCode=<STYLE>s</STYLE>\nUseMetaKeywords=1\nMetaKeywords=<META kw>\n"
       "UseMetaBots=1\nBots=3\nUseMetaRevisit=1\nMetaRevisit=7\nUseTitle=0\nGenMenu=0",
       "", "R&D <2024>"},
      {"head.txt", "defaults", {{"a.jpg", 2048}, {"b.gif", 100}}, "defaults"},
      {"snippets.txt", "rows", First(8),
       "Rows=3\nCols=2\nSnippletRows=1,3,2,5\nSnippletFiles={in}/old.txt?0^^$$^^{in}/one.txt?0"
       "^^$$^^{in}/gone.txt?1^^$$^^{in}/three.txt?2^^$$^^",
       "{in}/gone.txt\r\n"},
      {"snippets.txt", "centred", First(2),
       "Rows=2\nCols=1\nCenterTable=1\nUseTableClose=1\nTableClose=</TABLE><!--end-->\n"
       "SnippletRows=1,2\nSnippletFiles={in}/one.txt?0^^$$^^{in}/three.txt?1^^$$^^"},
      {"template.txt",
       "walk",
       {{"a.jpg", 1024}, {"Tom & \"Jerry\".jpg", 2048}, {"z_tn.jpg", 10}, {"zed.gif", 3072}},
       "Rows=1\nCols=2\nBefore=True\nAfter=False\nSubFolderName=th\nUseGuess=1\nPatternIndex=2\n"
       "CellCode=<TD><a href=\"[IMAGE FILE NAME]\">[IMAGE TITLE]</a> [THUMB PATH][THUMB FILE "
       "NAME]</TD>\nUseTmpl=1\nTmplAddy={in}/pic.tpl\nPrevThumbCode=<a href=\"[PREVIOUS IMAGE "
       "FILE NAME]\"><img src=\"[PREVIOUS IMAGE PATH][PREVIOUS THUMB PATH][PREVIOUS THUMB FILE "
       "NAME]\"></a>\nNextThumbCode=<a href=\"[NEXT IMAGE FILE NAME]\"><img src=\"[NEXT IMAGE "
       "PATH][NEXT THUMB PATH][NEXT THUMB FILE NAME]\"></a>"},
      {"template.txt", "missing", First(2), "UseTmpl=1\nTmplAddy={in}/none.tpl", "template "}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.golden) + ": " + c.name);
    TempFolder temp;
    std::string in = temp.path() + "/in", out = temp.path() + "/" + c.folder;
    for (const std::string& folder : {in, out}) fs::create_directories(folder);
    for (const auto& [name, text] : in_files) WriteFile(in + "/" + name, text);
    Written written =
        Write(c.pictures,
              c.settings == "defaults" ? AdvancedSettings() : ShortCodes(c.settings, in), out);
    auto expected = GoldenPages(KESTO_TEST_DATA "/advanced/" + std::string(c.golden), c.name);
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(written.pages, expected);
    EXPECT_EQ(written.told, ReplaceAll(c.told, "{in}", in));
  }
}

// Every tag a palette offers for a piece of code is filled where it is written.
TEST(AdvancedPagesTest, EveryTagThePalettesOfferIsFilled) {
  const char* fields[] = {"CellCode",      "HeaderCode",    "PageTitleCode", "CodeBeforeMenu",
                          "CodeAfterMenu", "MenuCode",      "LinkInact",     "Next",
                          "Prev",          "NextThumbCode", "PrevThumbCode", "TmplAddy"};
  const std::span<const char* const> offered[] = {
      kCellCodeTags,  kTitleCodeTags,     kTitleCodeTags,     kMenuFrameTags,
      kMenuFrameTags, kMenuCellTags,      kMenuCellTags,      kNextLinkTags,
      kPrevLinkTags,  kNextThumbCodeTags, kPrevThumbCodeTags, kTemplateTags};
  std::vector<std::pair<std::string, std::span<const char* const>>> offers;
  for (size_t i = 0; i < std::size(fields); ++i) offers.emplace_back(fields[i], offered[i]);
  TempFolder in;
  std::string lines = "Rows=1\nCols=2\nUseLinkInact=1\nInactAuto=0\nUseTmpl=1";
  for (const auto& [field, tags] : offers) {
    std::string code = "<" + field + ">";
    for (const char* tag : tags) code += tag;
    if (field == "TmplAddy") in.Write("t.tpl", code), code = in.Path("t.tpl");
    lines += "\n" + field + "=" + code;
  }
  AdvancedSettings s;
  Assign(kAdvancedFields, lines, &s);
  std::string pages;
  for (const auto& [name, page] : Write(First(4), s).pages) pages += page;
  for (const auto& [field, tags] : offers) {
    EXPECT_NE(pages.find("<" + field + ">"), pages.npos) << field;
    for (const char* tag : tags) EXPECT_EQ(pages.find(tag), pages.npos) << field << tag;
  }
}

TEST(AdvancedPagesTest, PageFileNames) {
  // Each row: HTMLExt (the list's ends and outside it), Units, as prefix, the
  // number, its page's name.
  for (const auto& row : Rows(R"(4|3|0|3|index003.pl
7|4|1|10|0010index.c
 4|1|0|3|index3.html
|2.5|0|3|index03.html
0|3|0|-5|index0-5.html
0|1e9|0|1|index)" + std::string(254, '0') +
                              "1.html")) {
    AdvancedSettings s;
    s.PageFileName = "index";
    s.HTMLExt = row[0];
    s.Units = row[1];  // no file name is longer than 255
    s.AsPrefix = row[2] == "1";
    s.AsSuffix = !s.AsPrefix;
    EXPECT_EQ(MakePageFileName(std::stoi(row[3]), s), row[4]) << row[0] << " " << row[1];
  }
}

TEST(AdvancedPagesTest, DamagedSettingsStillWriteSafely) {
  // Beyond 16 bits and at a title too long (e.jpeg) the pages end; the template is looked for
  // without pictures, the header only for a page; a header, footer or template that is no regular
  // file is left out, not reported missing. Each row: the settings (";" between lines), the
  // pictures, the pages (without .html), the report, the warnings.
  for (const auto& row : Rows(R"(Rows=0;Cols=-3|3|p1 p2 p3||0
Rows=1e30;Cols=1e30|3|p1||0
Rows=2;Cols=2;StartAt=40000|3|||1
Rows=1;Cols=1;StartAt=32767|3|p32767||1
StartAt=2.5|3|p2||0
UseTmpl=1;TmplAddy=/nonexistent/kesto.tpl;UseHeader=1|3|p1|header template |0
UseTmpl=1;TmplAddy=/nonexistent/kesto.tpl;UseHeader=1|0||template |0
UseHeader=1;Header=/;UseFooter=1;Footer=/;UseTmpl=1;TmplAddy=/|3|p1||3
Cols=1;CellCode=[IMAGE TITLE];ShortFNames=1;FNameMaxLet=5;FNameReplaceStr=......|7|p1 p2 p3||1)")) {
    Written w =
        Write(row[1] == "0" ? std::vector<PictureFile>{{"x_tn.jpg", 0}} : First(std::stoi(row[1])),
              ShortCodes(ReplaceAll(row[0], ";", "\n")));
    std::string names;
    for (const auto& [name, page] : w.pages)
      names += (names.empty() ? "" : " ") + name.substr(0, name.find('.'));
    EXPECT_EQ(names + "|" + w.told + "|" + std::to_string(w.warnings.size()),
              row[2] + "|" + row[3] + "|" + row[4])
        << row[0];
  }
  Write(First(3), ShortCodes(), "/nonexistent/kesto");
  EXPECT_FALSE(fs::exists("/nonexistent/kesto"));
}

// No picture page replaces an index page; links to its picture lead to the picture.
TEST(AdvancedPagesTest, APictureNamedLikeAnIndexPageGetsNoPageOfItsOwn) {
  TempFolder temp;
  temp.Write("t.tpl", "[IMAGE FILE NAME]>[NEXT THUMB]");
  fs::create_directory(temp.Path("pics"));
  AdvancedSettings s;
  Assign(kAdvancedFields,
         "Rows=1\nCols=2\nUseTmpl=1\nTmplAddy={in}/t.tpl\nNextThumbCode=[NEXT IMAGE FILE NAME]", &s,
         temp.path());
  Written w = Write({{"a.jpg", 0}, {"INDEX.gif", 0}, {"page_01.jpg", 0}}, s, temp.Path("pics"));
  EXPECT_EQ(w.pages.size(), 3u);  // page_01, page_02 and a
  EXPECT_TRUE(w.pages["page_01.html"].starts_with(std::string(kUtf8Bom) + "\r\n\r\n\r\n<!----"));
  EXPECT_NE(w.pages["page_01.html"].find("<a href=\"INDEX.gif\">"), std::string::npos);
  EXPECT_EQ(w.pages["a.html"], std::string(kUtf8Bom) + "a.jpg>INDEX.gif\r\n");
  const std::string pics = temp.Path("pics");
  EXPECT_EQ(w.warnings, (PageWarnings{pics + "/INDEX.gif: its picture page INDEX.html would "
                                             "replace the folder's landing page; it is not written",
                                      pics + "/page_01.jpg: its picture page page_01.html would "
                                             "replace an index page; it is not written"}));
}

// Neighbours stay on their index page; the page's own tags, no thumbnail folder.
TEST(PicturePagesTest, NeighboursOwnTagsThumbnailsBesideThePicturesAndTemplateOff) {
  AdvancedSettings s;
  s.PrevThumbCode =
      "<[PREVIOUS IMAGE PATH][PREVIOUS IMAGE FILE NAME] [PREVIOUS THUMB PATH]"
      "[PREVIOUS THUMB FILE NAME]";
  s.NextThumbCode =
      "[NEXT IMAGE PATH][NEXT IMAGE FILE NAME] [NEXT THUMB PATH][NEXT THUMB FILE NAME]>";
  const std::string tmpl = "[PREV THUMB]|[NEXT THUMB]";
  auto table = BuildPictureTable({{"a.jpg", 0}, {"b.jpg", 0}, {"c.jpg", 0}, {"d.jpg", 0}}, s);
  EXPECT_EQ(PicturePageText(tmpl, table, {1, 0, 4}, s),
            "<a.html thumbs/a_tn.jpg|c.html thumbs/c_tn.jpg>");
  EXPECT_EQ(PicturePageText(tmpl, table, {2, 2, 2}, s), "|d.html thumbs/d_tn.jpg>");
  s.StoreInSub = "0";
  s.FNameExtKill = "1";
  table = BuildPictureTable({{"x.jpg", 5000}, {"y<1>.gif", 0}}, s);
  EXPECT_EQ(PicturePageText("[IMAGE FILE NAME]/[IMAGE TITLE]/[FILE SIZE]/[NEXT THUMB]/[PREV THUMB]",
                            table, {0, 0, 10}, s),
            "x.jpg/x/4/y&lt;1&gt;.html y&lt;1&gt;_tn.jpg>/");
  EXPECT_EQ(PicturePageText("[IMAGE TITLE]", table, {1, 0, 10}, s), "y&lt;1&gt;");
  // Turning the template off clears what an earlier folder reported missing.
  s.TmplAddy = "/nonexistent/t.tpl";
  RunReport report;
  report.TemplateMissing = true;
  PageWarnings warnings;
  EXPECT_FALSE(LoadTemplate(s, &report, &warnings).in_use);
  EXPECT_FALSE(report.TemplateMissing);
}

TEST(RowSnippetsTest, FilesAreReadOncePerDirectoryAndOnlyChoicesZeroAndOneClose) {
  TempFolder temp;
  temp.Write("s.txt", "first");
  AdvancedSettings s;
  Assign(kAdvancedFields,
         "SnippletRows=1\nSnippletFiles={in}/s.txt?0\nTableTag=<T>\nUseTableClose=2", &s,
         temp.path());
  PageWarnings warnings;
  RunReport report;
  RowSnippets rows = ParseRowSnippets(s, &warnings);
  PageText out;
  InsertRowSnippets(1, true, true, s, &rows, &report, &out);
  temp.Write("s.txt", "second");
  InsertRowSnippets(1, false, false, s, &rows, &report, &out);
  InsertRowSnippets(2, true, true, s, &rows, &report, &out);
  EXPECT_EQ(out.text, "first\r\n<T>\r\nfirst\r\n");
}

TEST(PageMenuTest, LinksBeyondSixteenBitsEndTheMenu) {
  AdvancedSettings s = ShortCodes();
  PageText out;  // the third page would be 32768
  EXPECT_THROW(WritePageMenu(BuildPageMenu(3, 32766, s), 1, s, &out), PageError);
  EXPECT_EQ(out.text, "<MENU 1>\r\n1\r\n<a href=p32767.html>2</a>\r\n");
}

}  // namespace
