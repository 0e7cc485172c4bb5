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
#include "temp_folder.h"

namespace {

// Every file of `dir` by name with its content.
std::map<std::string, std::string> FilesIn(const std::string& dir) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(dir))
    files[entry.path().filename().string()] = ReadFile(entry.path());
  return files;
}

// The pages a golden file expects for `case_name`. A line "##### case/file"
// starts a page; the lines after it are the page's lines, each ended by
// CR LF in the real file, which starts with the UTF-8 byte-order mark like
// every page. Other lines that start with "#" are notes.
std::map<std::string, std::string> GoldenPages(const std::string& golden_file,
                                               const std::string& case_name) {
  std::ifstream in(golden_file, std::ios::binary);
  std::map<std::string, std::string> pages;
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

// Short codes keep the golden pages readable.
const char kShortCodes[] =
    "PageTitle=Trip\nPageFileName=p\nUnits=1\nRows=2\nCols=3\n"
    "HeaderCode=<HTML><TITLE>[PAGE TITLE]:[CURRENT PAGE NUMBER]/[MAX PAGE NUMBER]</TITLE>\n"
    "MetaGen=<META gen>\nBodyTag=<BODY>\nPageTitleCode=<H1>[PAGE TITLE][CURRENT PAGE NUMBER]</H1>\n"
    "TableTag=<TABLE>\nCellCode=<TD>[IMAGE FILE NAME] [THUMB PATH][THUMB FILE NAME] [FILE "
    "SIZE]</TD>\n"
    "CodeBeforeMenu=<MENU [CURRENT PAGE NUMBER]>[PREVIOUS LINK]\nCodeAfterMenu=[NEXT LINK]</MENU>\n"
    "MenuCode=<a href=[PAGE FILE NAME]>[PAGE NUMBER]</a>\nPrev=<a href=[PREVIOUS PAGE]>prev</a>\n"
    "Next=<a href=[NEXT PAGE]>next</a>\nNoMenu=<NOMENU>";

AdvancedSettings ShortCodes(const std::string& changes = "", const std::string& in = "") {
  AdvancedSettings s;
  Assign(kAdvancedFields, kShortCodes + ("\n" + changes), &s, in);
  return s;
}

// What a run report tells, in short.
std::string Told(const RunReport& r) {
  return std::string(r.HeaderMissing ? "header " : "") + (r.FooterMissing ? "footer " : "") +
         (r.TemplateMissing ? "template " : "") + r.MissingSnippets;
}

// What WriteAdvancedPages leaves in `dir`: the files, the report in short
// and the warnings.
struct Written {
  std::map<std::string, std::string> pages;
  std::string told;
  PageWarnings warnings;
};

Written Write(const std::string& dir, const std::vector<PictureFile>& pictures,
              const AdvancedSettings& s) {
  RunReport report;
  Written written;
  WriteAdvancedPages(dir, pictures, s, &report, &written.warnings);
  if (std::filesystem::exists(dir)) written.pages = FilesIn(dir);
  written.told = Told(report);
  return written;
}

// The same in a fresh folder.
Written PagesFor(const AdvancedSettings& s, const std::vector<PictureFile>& pictures) {
  TempFolder temp;
  return Write(temp.path(), pictures, s);
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
    const char* golden;  // under tests/data/advanced
    const char* name;    // its sections there
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
       "FromDir=1\nHeaderCode=<HTML><HEAD><TITLE>[PAGE TITLE] [CURRENT PAGE NUMBER]</TITLE>"
       "</hEaD>\nUseJava=1\nJavaCode=<SCRIPT>j</SCRIPT>\nJavaCell=<TD>[IMAGE FILE NAME]|java</TD>\n"
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
      {"template.txt", "missing", First(2), "UseTmpl=1\nTmplAddy={in}/none.tpl", "template "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.golden) + ": " + c.name);
    TempFolder temp;
    std::string in = temp.path() + "/in", out = temp.path() + "/" + c.folder;
    std::filesystem::create_directories(in);
    std::filesystem::create_directories(out);
    for (const auto& [name, text] : in_files) WriteFile(in + "/" + name, text);
    AdvancedSettings s = c.settings == "defaults" ? AdvancedSettings() : ShortCodes(c.settings, in);
    Written written = Write(out, c.pictures, s);
    auto expected = GoldenPages(KESTO_TEST_DATA "/advanced/" + std::string(c.golden), c.name);
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(written.pages, expected);
    EXPECT_EQ(written.told, ReplaceAll(c.told, "{in}", in));
  }
}

// Every tag a palette offers for a piece of code is filled where that code is
// written: index pages with a menu, neighbours and picture pages.
TEST(AdvancedPagesTest, EveryTagThePalettesOfferIsFilled) {
  const struct {
    const char* field;
    std::span<const char* const> tags;
  } offers[] = {{"CellCode", kCellCodeTags},
                {"HeaderCode", kTitleCodeTags},
                {"PageTitleCode", kTitleCodeTags},
                {"CodeBeforeMenu", kMenuFrameTags},
                {"CodeAfterMenu", kMenuFrameTags},
                {"MenuCode", kMenuCellTags},
                {"LinkInact", kMenuCellTags},
                {"Next", kNextLinkTags},
                {"Prev", kPrevLinkTags},
                {"NextThumbCode", kNextThumbCodeTags},
                {"PrevThumbCode", kPrevThumbCodeTags},
                {"TmplAddy", kTemplateTags}};
  TempFolder in;
  std::string lines = "Rows=1\nCols=2\nUseLinkInact=1\nInactAuto=0\nUseTmpl=1";
  for (const auto& offer : offers) {
    std::string code = std::string("<") + offer.field + ">";
    for (const char* tag : offer.tags) code += tag;
    if (offer.field == std::string("TmplAddy")) in.Write("t.tpl", code), code = in.Path("t.tpl");
    lines += std::string("\n") + offer.field + "=" + code;
  }
  AdvancedSettings s;
  Assign(kAdvancedFields, lines, &s);
  std::string pages;
  for (const auto& [name, page] : PagesFor(s, First(4)).pages) pages += page;
  for (const auto& offer : offers) {
    EXPECT_NE(pages.find(std::string("<") + offer.field + ">"), pages.npos) << offer.field;
    for (const char* tag : offer.tags) EXPECT_EQ(pages.find(tag), pages.npos) << offer.field << tag;
  }
}

TEST(AdvancedPagesTest, PageFileNames) {
  // The extension list itself is not typed again: its ends and what is outside it.
  const struct {
    const char *html_ext, *units;
    bool prefix;
    int number;
    const char* name;
  } cases[] = {
      {"0", "2", false, 3, "index03.html"},   {"4", "3", false, 3, "index003.pl"},
      {"7", "4", true, 10, "0010index.c"},    {"8", "1", false, 3, "index3.html"},
      {" 4", "1", false, 3, "index3.html"},   {"", "2.5", false, 3, "index03.html"},
      {"0", "3", false, -5, "index0-5.html"},
  };
  for (const auto& c : cases) {
    AdvancedSettings s;
    s.PageFileName = "index";
    s.HTMLExt = c.html_ext;
    s.Units = c.units;
    s.AsPrefix = c.prefix;
    s.AsSuffix = !c.prefix;
    EXPECT_EQ(MakePageFileName(c.number, s), c.name) << c.html_ext << " " << c.units;
  }
  AdvancedSettings s;
  s.Units = "1e9";  // no file name is longer than 255
  EXPECT_EQ(MakePageFileName(1, s).size(), std::string("page_.html").size() + 255);
}

TEST(AdvancedPagesTest, ImpossibleTitleEndsThePagesWhereItHappens) {
  // A replacement longer than 5 letters: any name over 5 letters fails.
  AdvancedSettings s = ShortCodes(
      "Rows=1\nCols=2\nCellCode=<TD>[IMAGE TITLE]</TD>\nShortFNames=1\nFNameMaxLet=5\n"
      "FNameReplaceStr=......");
  auto pages = PagesFor(s, {{"a.jpg", 0}, {"b.jpg", 0}, {"long.jpg", 0}, {"c.jpg", 0}}).pages;
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_NE(pages["p1.html"].find("<TD>b.jpg</TD>\r\n</TR>\r\n</TABLE>\r\n"), std::string::npos);
  EXPECT_TRUE(pages["p2.html"].ends_with("<TABLE>\r\n<TR>\r\n"));
}

TEST(AdvancedPagesTest, DamagedSettingsStillWriteSafely) {
  const char* no_template = "UseTmpl=1\nTmplAddy=/nonexistent/kesto.tpl\nUseHeader=1";
  const struct {
    const char* settings;
    size_t pages;
    const char* told;
  } cases[] = {
      {"Rows=0\nCols=-3", 3, ""},                // below 1 counts as 1: one picture a page
      {"Rows=1e30\nCols=1e30", 1, ""},           // huge sizes do not overflow
      {"Rows=2\nCols=2\nStartAt=40000", 0, ""},  // beyond 16 bits: no page at all
      {"Rows=1\nCols=1\nStartAt=32767", 1, ""},  // the second page's number is beyond 16 bits
      {no_template, 1, "header template "},
  };
  for (const auto& c : cases) {
    Written written = PagesFor(ShortCodes(c.settings), First(3));
    EXPECT_EQ(written.pages.size(), c.pages) << c.settings;
    EXPECT_EQ(written.told, c.told) << c.settings;
  }
  EXPECT_EQ(PagesFor(ShortCodes("StartAt=2.5"), First(3)).pages.begin()->first, "p2.html");
  // No pictures, no pages; the template is looked for, the header only for a page.
  Written none = PagesFor(ShortCodes(no_template), {{"x_tn.jpg", 0}});
  EXPECT_TRUE(none.pages.empty());
  EXPECT_EQ(none.told, "template ");
  Write("/nonexistent/kesto", First(3), ShortCodes());
  EXPECT_FALSE(std::filesystem::exists("/nonexistent/kesto"));
}

// A picture on a later index page must not replace an earlier index page,
// nor any picture the landing page; links to it lead to the picture itself.
TEST(AdvancedPagesTest, APictureNamedLikeAnIndexPageGetsNoPageOfItsOwn) {
  TempFolder temp;
  temp.Write("t.tpl", "[IMAGE FILE NAME]>[NEXT THUMB]");
  std::filesystem::create_directory(temp.Path("pics"));
  AdvancedSettings s;
  Assign(kAdvancedFields,
         "Rows=1\nCols=2\nUseTmpl=1\nTmplAddy={in}/t.tpl\nNextThumbCode=[NEXT IMAGE FILE NAME]", &s,
         temp.path());
  Written written =
      Write(temp.Path("pics"), {{"a.jpg", 0}, {"INDEX.gif", 0}, {"page_01.jpg", 0}}, s);
  EXPECT_EQ(written.pages.size(), 3u);  // page_01, page_02 and a
  EXPECT_TRUE(
      written.pages["page_01.html"].starts_with(std::string(kUtf8Bom) + "\r\n\r\n\r\n<!----"));
  EXPECT_NE(written.pages["page_01.html"].find("<a href=\"INDEX.gif\">"), std::string::npos);
  EXPECT_EQ(written.pages["a.html"], std::string(kUtf8Bom) + "a.jpg>INDEX.gif\r\n");
  EXPECT_EQ(written.warnings,
            (PageWarnings{temp.Path("pics") + "/INDEX.gif: its picture page INDEX.html would "
                                              "replace the folder's landing page; it is not "
                                              "written",
                          temp.Path("pics") + "/page_01.jpg: its picture page "
                                              "page_01.html would replace an index page; "
                                              "it is not written"}));
}

// A header, footer or template that is not a regular file or is too large
// is left out with a warning; it is not reported as missing.
TEST(AdvancedPagesTest, UserFilesThatCannotBeUsedAreLeftOutAndTold) {
  TempFolder temp;
  std::filesystem::resize_file((temp.Write("huge.txt", ""), temp.Path("huge.txt")), 1ll << 30);
  std::filesystem::create_directory(temp.Path("folder"));
  std::filesystem::create_directory(temp.Path("pics"));
  AdvancedSettings s = ShortCodes(
      "UseHeader=1\nUseFooter=1\nUseTmpl=1\nHeader={in}/huge.txt\nFooter={in}/folder\n"
      "TmplAddy={in}/folder",
      temp.path());
  Written written = Write(temp.Path("pics"), First(1), s);
  EXPECT_EQ(written.told, "");
  ASSERT_EQ(written.warnings.size(), 3u);  // in the words of the user files' test
  EXPECT_TRUE(written.warnings[1].starts_with(temp.Path("huge.txt") + ": is larger"));
  ASSERT_EQ(written.pages.size(), 1u);  // no picture pages without a template
  EXPECT_LT(written.pages["p1.html"].size(), 300u);
}

// Neighbours stay on their index page: b between a and c on one page, c
// first on the second page of two (the first, last and only pictures of a
// page are in the golden pages). The page's own tags, no thumbnail folder.
TEST(PicturePagesTest, NeighboursOwnTagsAndThumbnailsBesideThePictures) {
  AdvancedSettings s;
  s.PrevThumbCode =
      "<[PREVIOUS IMAGE PATH][PREVIOUS IMAGE FILE NAME] [PREVIOUS THUMB PATH][PREVIOUS THUMB "
      "FILE NAME]";
  s.NextThumbCode =
      "[NEXT IMAGE PATH][NEXT IMAGE FILE NAME] [NEXT THUMB PATH][NEXT THUMB FILE NAME]>";
  const std::string tmpl = "[PREV THUMB]|[NEXT THUMB]";
  std::vector<PictureEntry> table =
      BuildPictureTable({{"a.jpg", 0}, {"b.jpg", 0}, {"c.jpg", 0}, {"d.jpg", 0}}, s);
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
}

// Turning the template off clears what an earlier folder reported missing.
TEST(PicturePagesTest, TemplateOffClearsAMissingTemplate) {
  AdvancedSettings s;
  s.TmplAddy = "/nonexistent/t.tpl";
  RunReport report;
  report.TemplateMissing = true;
  PageWarnings warnings;
  EXPECT_FALSE(LoadTemplate(s, &report, &warnings).in_use);
  EXPECT_FALSE(report.TemplateMissing);
}

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

// Closing and reopening the table otherwise is in the golden pages.
TEST(RowSnippetsTest, FilesAreReadOncePerDirectoryAndOnlyChoicesZeroAndOneClose) {
  TempFolder temp;
  temp.Write("s.txt", "first");
  AdvancedSettings s;
  s.SnippletRows = "1";
  s.SnippletFiles = temp.Path("s.txt") + "?0";
  s.TableTag = "<T>";
  s.UseTableClose = "2";
  Snippets snippets(s);
  EXPECT_EQ(snippets.Insert(1, true, true), "first\r\n<T>\r\n");
  temp.Write("s.txt", "second");
  EXPECT_EQ(snippets.Insert(1, false, false), "first\r\n");
  EXPECT_EQ(snippets.Insert(2, true, true), "");
}

AdvancedSettings MenuCodes(const std::string& changes = "") {
  AdvancedSettings s;
  Assign(kAdvancedFields,
         "PageFileName=p\nUnits=1\nCodeBeforeMenu=<M [CURRENT PAGE NUMBER]>[PREVIOUS LINK]\n"
         "CodeAfterMenu=[NEXT LINK]</M [CURRENT PAGE NUMBER]>\n"
         "MenuCode=<TD><a href=[PAGE FILE NAME]>[PAGE NUMBER]</a></TD>\n"
         "LinkInact=<TD>([PAGE NUMBER] [PAGE FILE NAME])</TD>\n"
         "Prev=<a href=[PREVIOUS PAGE]>prev</a>\nNext=<a href=[NEXT PAGE]>next</a>\n"
         "UseLinkInact=0\nInactAuto=0\n" +
             changes,
         &s);
  return s;
}

std::string Menu(const AdvancedSettings& s, int pages, int page) {
  PageText out;
  WritePageMenu(BuildPageMenu(pages, 1, s), page, s, &out);
  return out.text;
}

TEST(PageMenuTest, InactivationTakesOutTheFirstLink) {
  const struct {
    const char *entry, *inactive;
  } cases[] = {
      {"<TD><a href=index2.html>2</a></TD>", "<TD>2</TD>"},
      {"<TD><A HREF=p2.html>2</A></TD>", "<TD>2</TD>"},
      {"<a href=\"p.html\">1</ A ><br>", "1<br>"},
      {"x<a href=p>1< / a >< /a></a >", "x1"},
      // The right part starts at the second character after HREF, so a
      // bare HREF loses the character after its tag's end as well.
      {"<TD><a href>2</a></TD>", "<TD></TD>"},
      {"href=p.html>3</a>", "3"},            // no "<" before: the left part stays
      {"<b><a href=p.html", "<b>p.html"},    // no ">" after: the right part stays
      {"<a hre=x>1</a>", "<a hre=x>1</a>"},  // no link
  };
  for (const auto& c : cases) EXPECT_EQ(InactivateEntry(c.entry), c.inactive) << c.entry;
}

TEST(PageMenuTest, CurrentEntryByInactivationSettings) {
  const struct {
    const char *use_link_inact, *inact_auto, *current;
  } cases[] = {
      {"0", "0", "<TD><a href=p2.html>2</a></TD>"},
      {"1", "0", "<TD>(2 p2.html)</TD>"},
      {"0", "1", "<TD>2</TD>"},
      {"1", "1", "<TD>2</TD>"},  // both on: the normal entry without its link
  };
  for (const auto& c : cases) {
    AdvancedSettings s =
        MenuCodes(std::string("UseLinkInact=") + c.use_link_inact + "\nInactAuto=" + c.inact_auto);
    EXPECT_EQ(Menu(s, 3, 2),
              "<M 2><a href=p1.html>prev</a>\r\n<TD><a href=p1.html>1</a></TD>\r\n" +
                  std::string(c.current) +
                  "\r\n<TD><a href=p3.html>3</a></TD>\r\n<a href=p3.html>next</a></M 2>\r\n")
        << c.use_link_inact << c.inact_auto;
  }
}

TEST(PageMenuTest, BreaksFollowEveryNthEntryButNotTheLast) {
  AdvancedSettings s = MenuCodes(
      "MenuCode=[PAGE NUMBER]\nCodeBeforeMenu=\nCodeAfterMenu=\nBreakMenu=1\nLineBreakCode=<BR>\n"
      "BreakMenuNum=3");
  EXPECT_EQ(Menu(s, 9, 5), "\r\n1\r\n2\r\n3<BR>\r\n4\r\n5\r\n6<BR>\r\n7\r\n8\r\n9\r\n\r\n");
  s.BreakMenuNum = "0";  // below 1: no breaking
  EXPECT_EQ(Menu(s, 3, 1), "\r\n1\r\n2\r\n3\r\n\r\n");
  s.BreakMenuNum = "1";
  s.BreakMenu = "0";
  EXPECT_EQ(Menu(s, 3, 1), "\r\n1\r\n2\r\n3\r\n\r\n");
}

TEST(PageMenuTest, LinksBeyondSixteenBitsEndTheMenu) {
  AdvancedSettings s = MenuCodes();
  PageMenu menu = BuildPageMenu(3, 32766, s);  // the third page would be 32768
  PageText out;
  EXPECT_THROW(WritePageMenu(menu, 1, s, &out), PageError);
  EXPECT_EQ(out.text,
            "<M 1>\r\n"
            "<TD><a href=p32766.html>1</a></TD>\r\n"
            "<TD><a href=p32767.html>2</a></TD>\r\n");
}

}  // namespace
