#include "pages/advanced_pages.h"

#include <gtest/gtest.h>

#include "engine/pages/page_files.h"
#include "pages/index_table.h"
#include "pages/page_names.h"
#include "settings/record_fields.h"
#include "settings/text.h"
#include "temp_folder.h"

namespace {

using page_files::FilesIn;

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

TEST(AdvancedPagesTest, PagesMatchGoldenPages) {
  const struct {
    const char* golden;  // under tests/data/advanced
    const char* name;    // its sections there
    const char* folder;  // name of the picture folder
    std::vector<PictureFile> pictures;
    std::string settings;  // changes to the short codes; "{in}" holds the user's files
    std::vector<std::pair<std::string, std::string>> in_files;
    std::string told;
  } cases[] = {
      {"layout.txt", "ten_on_2x3", "pics", First(10), "", {}, ""},
      {"layout.txt", "six_on_2x3", "pics", First(6), "MenuBottom=False\nMenuBoth=True", {}, ""},
      {"layout.txt",
       "twelve_index",
       "pics",
       First(12),
       "PageFileName=index\nHTMLExt=4\nMenuBottom=False\nMenuTop=True",
       {},
       ""},
      {"head.txt",
       "header_missing",
       "pics",
       First(2),
       "UseHeader=1\nHeader={in}/header.html\nUseFooter=1\nFooter={in}/footer.html",
       {{"footer.html", "<P>footer</P>\r\n</BODY></HTML>"}},
       "header "},
      {"head.txt",
       "header_file",
       "pics",
       First(1),
       "UseHeader=1\nHeader={in}/header.html\nUseFooter=1\nFooter=  ",
       {{"header.html", "<HTML><HEAD>\r\n<TITLE>Mine</TITLE></HEAD><BODY>\r\n"}},
       "footer "},
      {"head.txt",
       "generated",
       "R&D <2024>",
       First(1),
       "FromDir=1\nHeaderCode=<HTML><HEAD><TITLE>[PAGE TITLE] [CURRENT PAGE "
       "NUMBER]</TITLE></hEaD>\n"
       "UseJava=1\nJavaCode=<SCRIPT>j</SCRIPT>\nJavaCell=<TD>[IMAGE FILE NAME]|java</TD>\n"
       "UseStyle=1\nStyleCode=<STYLE>s</STYLE>\nUseMetaKeywords=1\nMetaKeywords=<META kw>\n"
       "UseMetaBots=1\nBots=3\nUseMetaRevisit=1\nMetaRevisit=7\nUseTitle=0\nGenMenu=0",
       {},
       ""},
      {"head.txt", "defaults", "pics", {{"a.jpg", 2048}, {"b.gif", 100}}, "defaults", {}, ""},
      {"snippets.txt",
       "rows",
       "pics",
       First(8),
       "Rows=3\nCols=2\nSnippletRows=1,3,2,5\nSnippletFiles={in}/old.txt?0^^$$^^{in}/one.txt?0"
       "^^$$^^{in}/gone.txt?1^^$$^^{in}/three.txt?2^^$$^^",
       {{"old.txt", "<!--old-->"}, {"one.txt", "<!--one-->"}, {"three.txt", "<!--three-->"}},
       "{in}/gone.txt\r\n"},
      {"snippets.txt",
       "centred",
       "pics",
       First(2),
       "Rows=2\nCols=1\nCenterTable=1\nUseTableClose=1\nTableClose=</TABLE><!--end-->\n"
       "SnippletRows=1,2\nSnippletFiles={in}/one.txt?0^^$$^^{in}/three.txt?1^^$$^^",
       {{"one.txt", "<!--one-->"}, {"three.txt", "<!--three-->"}},
       ""},
      {"template.txt",
       "walk",
       "pics",
       {{"a.jpg", 1024}, {"Tom & \"Jerry\".jpg", 2048}, {"z_tn.jpg", 10}, {"zed.gif", 3072}},
       "Rows=1\nCols=2\nBefore=True\nAfter=False\nSubFolderName=th\nUseGuess=1\nPatternIndex=2\n"
       "CellCode=<TD><a href=\"[IMAGE FILE NAME]\">[IMAGE TITLE]</a> [THUMB PATH][THUMB FILE "
       "NAME]</TD>\nUseTmpl=1\nTmplAddy={in}/pic.tpl\nPrevThumbCode=<a href=\"[PREVIOUS IMAGE "
       "FILE NAME]\"><img src=\"[PREVIOUS IMAGE PATH][PREVIOUS THUMB PATH][PREVIOUS THUMB FILE "
       "NAME]\"></a>\nNextThumbCode=<a href=\"[NEXT IMAGE FILE NAME]\"><img src=\"[NEXT IMAGE "
       "PATH][NEXT THUMB PATH][NEXT THUMB FILE NAME]\"></a>",
       {{"pic.tpl",
         "<P>[IMAGE FILE NAME]|[IMAGE TITLE]|[FILE SIZE]</P>\r\n[PREV THUMB]|[NEXT THUMB]"}},
       ""},
      {"template.txt",
       "missing",
       "pics",
       First(2),
       "UseTmpl=1\nTmplAddy={in}/none.tpl",
       {},
       "template "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.golden) + ": " + c.name);
    TempFolder temp;
    std::string in = temp.path() + "/in", out = temp.path() + "/" + c.folder;
    std::filesystem::create_directories(in);
    std::filesystem::create_directories(out);
    for (const auto& [name, text] : c.in_files) WriteFile(in + "/" + name, text);
    AdvancedSettings s = c.settings == "defaults" ? AdvancedSettings() : ShortCodes(c.settings, in);
    RunReport report;
    PageWarnings warnings;
    WriteAdvancedPages(out, c.pictures, s, &report, &warnings);
    auto expected =
        page_files::GoldenPages(KESTO_TEST_DATA "/advanced/" + std::string(c.golden), c.name);
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(FilesIn(out), expected);
    EXPECT_EQ(Told(report), ReplaceAll(c.told, "{in}", in));
  }
}

TEST(AdvancedPagesTest, PageFileNames) {
  const struct {
    const char* html_ext;
    const char* units;
    bool prefix;
    int number;
    const char* name;
  } cases[] = {
      {"0", "2", false, 3, "index03.html"},   {"1", "2", false, 3, "index03.htm"},
      {"2", "1", false, 3, "index3.shtml"},   {"3", "0", false, 3, "index3.cgi"},
      {"4", "3", false, 3, "index003.pl"},    {"5", "1", false, 12, "index12.asp"},
      {"6", "1", true, 3, "3index.js"},       {"7", "4", true, 10, "0010index.c"},
      {"8", "1", false, 3, "index3.html"},    {"9", "1", false, 3, "index3.html"},
      {" 4", "1", false, 3, "index3.html"},   {"4.0", "1", false, 3, "index3.html"},
      {"", "2.5", false, 3, "index03.html"},  {"0", "3.5", false, 3, "index0003.html"},
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

// The index pages written into a fresh folder for `pictures`; what the
// report tells is added under "report".
std::map<std::string, std::string> PagesFor(const AdvancedSettings& s,
                                            const std::vector<PictureFile>& pictures) {
  TempFolder temp;
  RunReport report;
  PageWarnings warnings;
  WriteAdvancedPages(temp.path(), pictures, s, &report, &warnings);
  auto pages = FilesIn(temp.path());
  if (!Told(report).empty()) pages["report"] = Told(report);
  return pages;
}

TEST(AdvancedPagesTest, ImpossibleTitleEndsThePagesWhereItHappens) {
  // A replacement longer than 5 letters: any name over 5 letters fails.
  AdvancedSettings s = ShortCodes(
      "Rows=1\nCols=2\nCellCode=<TD>[IMAGE TITLE]</TD>\nShortFNames=1\nFNameMaxLet=5\n"
      "FNameReplaceStr=......");
  auto pages = PagesFor(s, {{"a.jpg", 0}, {"b.jpg", 0}, {"long.jpg", 0}, {"c.jpg", 0}});
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_NE(pages["p1.html"].find("<TD>b.jpg</TD>\r\n</TR>\r\n</TABLE>\r\n"), std::string::npos);
  EXPECT_TRUE(pages["p2.html"].ends_with("<TABLE>\r\n<TR>\r\n"));
}

TEST(AdvancedPagesTest, DamagedSettingsStillWriteSafely) {
  const struct {
    const char* settings;
    size_t pages;
  } cases[] = {
      {"Rows=0\nCols=-3", 3},                // below 1 counts as 1: one picture a page
      {"Rows=x\nCols=2", 2},                 // no number reads as 0
      {"Rows=1e30\nCols=1e30", 1},           // huge sizes do not overflow
      {"Rows=2\nCols=2\nStartAt=40000", 0},  // beyond 16 bits: no page at all
      {"Rows=1\nCols=1\nStartAt=32767", 1},  // the second page's number is beyond 16 bits
      {"UseTmpl=1\nTmplAddy=/nonexistent/kesto.tpl\nUseHeader=1", 2},  // "report": template
  };
  for (const auto& c : cases)
    EXPECT_EQ(PagesFor(ShortCodes(c.settings), First(3)).size(), c.pages) << c.settings;
  EXPECT_EQ(PagesFor(ShortCodes("StartAt=2.5"), First(3)).begin()->first, "p2.html");  // to even
  // No pictures, no pages; the template is looked for, the header only for a page.
  EXPECT_EQ(PagesFor(ShortCodes(cases[5].settings), {{"x_tn.jpg", 0}}),
            (std::map<std::string, std::string>{{"report", "template "}}));
  RunReport report;
  PageWarnings warnings;
  WriteAdvancedPages("/nonexistent/kesto", First(3), ShortCodes(), &report, &warnings);
  EXPECT_FALSE(std::filesystem::exists("/nonexistent/kesto"));
}

// The initial cell codes give working links and a safe pop-up for every
// file name, and plain names exactly as before.
TEST(AdvancedPagesTest, InitialCellsLinkEveryFileName) {
  AdvancedSettings s;
  const PictureEntry entry = BuildPictureTable({{"O'Brien #2.jpg", 2048}}, s)[0];
  EXPECT_EQ(CellText(entry, false, "thumbs/", s),
            "<TD align=center><a href=\"O%27Brien %232.jpg\"><img "
            "src=\"thumbs/O%27Brien %232_tn.jpg\"  border=0 alt=\"\"></a><br>O'Brien "
            "#2.jpg<br>2 Kb<br><br></TD>");
  s.UseJava = "1";
  EXPECT_EQ(
      CellText(entry, false, "thumbs/", s),
      "<TD align=center> <a href=\"JavaScript:ShowPic('O%2527Brien %25232.jpg');\"> <img "
      "src=\"thumbs/O%27Brien %232_tn.jpg\"  border=0 alt=\"O&#39;Brien #2.jpg\"></a><br><font "
      "size=1 face=\"Arial\">O'Brien #2.jpg<br>2 Kb</font><br><br></TD>");
  const PictureEntry plain = BuildPictureTable({{"Sunset_Beach 2.jpg", 2048}}, s)[0];
  std::string expected = ReplaceAll(s.JavaCell, "[IMAGE FILE NAME]", "Sunset_Beach 2.html");
  expected = ReplaceAll(expected, "[THUMB FILE NAME]", "Sunset_Beach 2_tn.jpg");
  expected = ReplaceAll(ReplaceAll(expected, "[THUMB PATH]", ""), "[FILE SIZE]", "2");
  EXPECT_EQ(CellText(plain, true, "", s), expected);
}

// A picture on a later index page must not replace an earlier index page.
TEST(AdvancedPagesTest, APictureNamedLikeAnIndexPageGetsNoPageOfItsOwn) {
  TempFolder temp;
  temp.Write("t.tpl", "[IMAGE FILE NAME]");
  std::filesystem::create_directory(temp.Path("pics"));
  AdvancedSettings s;
  Assign(kAdvancedFields, "Rows=1\nCols=2\nUseTmpl=1\nTmplAddy={in}/t.tpl", &s, temp.path());
  RunReport report;
  PageWarnings warnings;
  WriteAdvancedPages(temp.Path("pics"), {{"a.jpg", 0}, {"b.jpg", 0}, {"page_01.jpg", 0}}, s,
                     &report, &warnings);
  auto pages = FilesIn(temp.Path("pics"));
  EXPECT_EQ(pages.size(), 4u);  // page_01, page_02, a and b
  EXPECT_TRUE(pages["page_01.html"].starts_with(std::string(kUtf8Bom) + "\r\n\r\n\r\n<!----"));
  EXPECT_EQ(warnings, PageWarnings{temp.Path("pics") + "/page_01.jpg: its picture page "
                                                       "page_01.html would replace an index page; "
                                                       "it is not written"});
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
  RunReport report;
  PageWarnings warnings;
  WriteAdvancedPages(temp.Path("pics"), First(1), s, &report, &warnings);
  EXPECT_EQ(Told(report), "");
  EXPECT_EQ(warnings,
            (PageWarnings{temp.Path("folder") + ": is not a regular file; left out of the pages",
                          temp.Path("huge.txt") + ": is larger than 16 MB; left out of the pages",
                          temp.Path("folder") + ": is not a regular file; left out of the pages"}));
  auto pages = FilesIn(temp.Path("pics"));
  ASSERT_EQ(pages.size(), 1u);  // no picture pages without a template
  EXPECT_LT(pages["p1.html"].size(), 300u);
}

}  // namespace
