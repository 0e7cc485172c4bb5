#include "pages/advanced_pages.h"

#include <gtest/gtest.h>

#include "engine/pages/page_files.h"
#include "pages/index_table.h"
#include "pages/page_names.h"
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
AdvancedSettings ShortCodes() {
  AdvancedSettings s;
  s.PageTitle = "Trip";
  s.PageFileName = "p";
  s.Units = "1";
  s.Rows = "2";
  s.Cols = "3";
  s.HeaderCode = "<HTML><TITLE>[PAGE TITLE]:[CURRENT PAGE NUMBER]/[MAX PAGE NUMBER]</TITLE>";
  s.MetaGen = "<META gen>";
  s.BodyTag = "<BODY>";
  s.PageTitleCode = "<H1>[PAGE TITLE][CURRENT PAGE NUMBER]</H1>";
  s.TableTag = "<TABLE>";
  s.CellCode = "<TD>[IMAGE FILE NAME] [THUMB PATH][THUMB FILE NAME] [FILE SIZE]</TD>";
  s.CodeBeforeMenu = "<MENU [CURRENT PAGE NUMBER]>[PREVIOUS LINK]";
  s.CodeAfterMenu = "[NEXT LINK]</MENU>";
  s.MenuCode = "<a href=[PAGE FILE NAME]>[PAGE NUMBER]</a>";
  s.Prev = "<a href=[PREVIOUS PAGE]>prev</a>";
  s.Next = "<a href=[NEXT PAGE]>next</a>";
  s.NoMenu = "<NOMENU>";
  return s;
}

struct PageCase {
  const char* golden;  // under tests/data/advanced
  const char* name;    // its sections there
  const char* folder;  // name of the picture folder
  std::vector<PictureFile> pictures;
  void (*setup)(AdvancedSettings* s, const std::string& in);  // `in` holds user files
  RunReport report;  // expected; "{in}" stands for the user files' folder
};

RunReport Clean() { return RunReport(); }
RunReport HeaderGone() {
  RunReport r;
  r.HeaderMissing = true;
  return r;
}
RunReport FooterGone() {
  RunReport r;
  r.FooterMissing = true;
  return r;
}
RunReport TemplateGone() {
  RunReport r;
  r.TemplateMissing = true;
  return r;
}
RunReport SnippetsGone(const std::string& list) {
  RunReport r;
  r.MissingSnippets = list;
  return r;
}

void CheckCase(const PageCase& c) {
  SCOPED_TRACE(std::string(c.golden) + ": " + c.name);
  TempFolder temp;
  std::string in = temp.path() + "/in", out = temp.path() + "/" + c.folder;
  std::filesystem::create_directories(in);
  std::filesystem::create_directories(out);
  AdvancedSettings s = ShortCodes();
  c.setup(&s, in);
  RunReport report;
  PageWarnings warnings;
  WriteAdvancedPages(out, c.pictures, s, &report, &warnings);
  auto expected =
      page_files::GoldenPages(KESTO_TEST_DATA "/advanced/" + std::string(c.golden), c.name);
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(FilesIn(out), expected);
  EXPECT_EQ(report.MissingSnippets, ReplaceAll(c.report.MissingSnippets, "{in}", in));
  EXPECT_EQ(report.HeaderMissing, c.report.HeaderMissing);
  EXPECT_EQ(report.FooterMissing, c.report.FooterMissing);
  EXPECT_EQ(report.TemplateMissing, c.report.TemplateMissing);
}

TEST(AdvancedPagesTest, LayoutMatchesGoldenPages) {
  const PageCase cases[] = {
      {"layout.txt", "ten_on_2x3", "pics", First(10), [](AdvancedSettings*, const std::string&) {},
       Clean()},
      {"layout.txt", "six_on_2x3", "pics", First(6),
       [](AdvancedSettings* s, const std::string&) {
         s->MenuBottom = false;
         s->MenuBoth = true;
       },
       Clean()},
      {"layout.txt", "twelve_index", "pics", First(12),
       [](AdvancedSettings* s, const std::string&) {
         s->PageFileName = "index";
         s->HTMLExt = "4";
         s->MenuBottom = false;
         s->MenuTop = true;
       },
       Clean()},
  };
  for (const PageCase& c : cases) CheckCase(c);
}

TEST(AdvancedPagesTest, HeadsMatchGoldenPages) {
  const PageCase cases[] = {
      {"head.txt", "header_missing", "pics", First(2),
       [](AdvancedSettings* s, const std::string& in) {
         s->UseHeader = "1";
         s->Header = in + "/header.html";
         s->UseFooter = "1";
         s->Footer = in + "/footer.html";
         WriteFile(in + "/footer.html", "<P>footer</P>\r\n</BODY></HTML>");
       },
       HeaderGone()},
      {"head.txt", "header_file", "pics", First(1),
       [](AdvancedSettings* s, const std::string& in) {
         s->UseHeader = "1";
         s->Header = in + "/header.html";
         WriteFile(in + "/header.html", "<HTML><HEAD>\r\n<TITLE>Mine</TITLE></HEAD><BODY>\r\n");
         s->UseFooter = "1";
         s->Footer = "  ";
       },
       FooterGone()},
      {"head.txt", "generated", "R&D <2024>", First(1),
       [](AdvancedSettings* s, const std::string&) {
         s->FromDir = "1";
         s->HeaderCode = "<HTML><HEAD><TITLE>[PAGE TITLE] [CURRENT PAGE NUMBER]</TITLE></hEaD>";
         s->UseJava = "1";
         s->JavaCode = "<SCRIPT>j</SCRIPT>";
         s->JavaCell = "<TD>[IMAGE FILE NAME]|java</TD>";
         s->UseStyle = "1";
         s->StyleCode = "<STYLE>s</STYLE>";
         s->UseMetaKeywords = "1";
         s->MetaKeywords = "<META kw>";
         s->UseMetaBots = "1";
         s->Bots = "3";
         s->UseMetaRevisit = "1";
         s->MetaRevisit = "7";
         s->UseTitle = "0";
         s->GenMenu = "0";
       },
       Clean()},
      {"head.txt",
       "defaults",
       "pics",
       {{"a.jpg", 2048}, {"b.gif", 100}},
       [](AdvancedSettings* s, const std::string&) { *s = AdvancedSettings(); },
       Clean()},
  };
  for (const PageCase& c : cases) CheckCase(c);
}

TEST(AdvancedPagesTest, SnippetsMatchGoldenPages) {
  const PageCase cases[] = {
      {"snippets.txt", "rows", "pics", First(8),
       [](AdvancedSettings* s, const std::string& in) {
         s->Rows = "3";
         s->Cols = "2";
         s->SnippletRows = "1,3,2,5";
         s->SnippletFiles = in + "/old.txt?0^^$$^^" + in + "/one.txt?0^^$$^^" + in +
                            "/gone.txt?1^^$$^^" + in + "/three.txt?2^^$$^^";
         WriteFile(in + "/old.txt", "<!--old-->");
         WriteFile(in + "/one.txt", "<!--one-->");
         WriteFile(in + "/three.txt", "<!--three-->");
       },
       SnippetsGone("{in}/gone.txt\r\n")},
      {"snippets.txt", "centred", "pics", First(2),
       [](AdvancedSettings* s, const std::string& in) {
         s->Rows = "2";
         s->Cols = "1";
         s->CenterTable = "1";
         s->UseTableClose = "1";
         s->TableClose = "</TABLE><!--end-->";
         s->SnippletRows = "1,2";
         s->SnippletFiles = in + "/one.txt?0^^$$^^" + in + "/three.txt?1^^$$^^";
         WriteFile(in + "/one.txt", "<!--one-->");
         WriteFile(in + "/three.txt", "<!--three-->");
       },
       Clean()},
  };
  for (const PageCase& c : cases) CheckCase(c);
}

TEST(AdvancedPagesTest, PicturePagesMatchGoldenPages) {
  const PageCase cases[] = {
      {"template.txt",
       "walk",
       "pics",
       {{"a.jpg", 1024}, {"Tom & \"Jerry\".jpg", 2048}, {"z_tn.jpg", 10}, {"zed.gif", 3072}},
       [](AdvancedSettings* s, const std::string& in) {
         s->Rows = "1";
         s->Cols = "2";
         s->Before = true;
         s->After = false;
         s->SubFolderName = "th";
         s->UseGuess = "1";
         s->PatternIndex = "2";
         s->CellCode =
             "<TD><a href=\"[IMAGE FILE NAME]\">[IMAGE TITLE]</a> [THUMB PATH][THUMB FILE "
             "NAME]</TD>";
         s->UseTmpl = "1";
         s->TmplAddy = in + "/pic.tpl";
         WriteFile(
             in + "/pic.tpl",
             "<P>[IMAGE FILE NAME]|[IMAGE TITLE]|[FILE SIZE]</P>\r\n[PREV THUMB]|[NEXT THUMB]");
         s->PrevThumbCode =
             "<a href=\"[PREVIOUS IMAGE FILE NAME]\"><img src=\"[PREVIOUS IMAGE PATH][PREVIOUS "
             "THUMB PATH][PREVIOUS THUMB FILE NAME]\"></a>";
         s->NextThumbCode =
             "<a href=\"[NEXT IMAGE FILE NAME]\"><img src=\"[NEXT IMAGE PATH][NEXT THUMB "
             "PATH][NEXT THUMB FILE NAME]\"></a>";
       },
       Clean()},
      {"template.txt", "missing", "pics", First(2),
       [](AdvancedSettings* s, const std::string& in) {
         s->UseTmpl = "1";
         s->TmplAddy = in + "/none.tpl";
       },
       TemplateGone()},
  };
  for (const PageCase& c : cases) CheckCase(c);
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

// The index pages written into a fresh folder for `pictures`.
std::map<std::string, std::string> PagesFor(const AdvancedSettings& s,
                                            const std::vector<PictureFile>& pictures,
                                            RunReport* report) {
  TempFolder temp;
  PageWarnings warnings;
  WriteAdvancedPages(temp.path(), pictures, s, report, &warnings);
  return FilesIn(temp.path());
}

TEST(AdvancedPagesTest, ImpossibleTitleEndsThePagesWhereItHappens) {
  AdvancedSettings s = ShortCodes();
  s.Rows = "1";
  s.Cols = "2";
  s.CellCode = "<TD>[IMAGE TITLE]</TD>";
  s.ShortFNames = "1";
  s.FNameMaxLet = "5";
  s.FNameReplaceStr = "......";  // longer than 5: any name over 5 letters fails
  RunReport report;
  auto pages = PagesFor(s, {{"a.jpg", 0}, {"b.jpg", 0}, {"long.jpg", 0}, {"c.jpg", 0}}, &report);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_NE(pages["p1.html"].find("<TD>b.jpg</TD>\r\n</TR>\r\n</TABLE>\r\n"), std::string::npos);
  EXPECT_EQ(pages["p2.html"].substr(pages["p2.html"].size() - 15), "<TABLE>\r\n<TR>\r\n");
}

TEST(AdvancedPagesTest, DamagedSettingsStillWriteSafely) {
  const struct {
    const char* rows;
    const char* cols;
    const char* start_at;
    size_t pages;
  } cases[] = {
      {"0", "-3", "1", 3},       // below 1 counts as 1: one picture a page
      {"x", "2", "1", 2},        // no number reads as 0
      {"1e30", "1e30", "1", 1},  // huge sizes do not overflow
      {"2", "2", "40000", 0},    // beyond 16 bits: no page at all
      {"1", "1", "32767", 1},    // the second page's number is beyond 16 bits
  };
  for (const auto& c : cases) {
    AdvancedSettings s = ShortCodes();
    s.Rows = c.rows;
    s.Cols = c.cols;
    s.StartAt = c.start_at;
    RunReport report;
    auto pages = PagesFor(s, First(3), &report);
    EXPECT_EQ(pages.size(), c.pages) << c.rows << " x " << c.cols << " from " << c.start_at;
  }
  RunReport report;
  AdvancedSettings s = ShortCodes();
  s.StartAt = "2.5";  // rounded half to even
  EXPECT_EQ(PagesFor(s, First(3), &report).begin()->first, "p2.html");
}

TEST(AdvancedPagesTest, NoPicturesNoPagesButTheTemplateIsLookedFor) {
  AdvancedSettings s;
  s.UseTmpl = "1";
  s.TmplAddy = "/nonexistent/kesto.tpl";
  s.UseHeader = "1";  // the header is only looked for when a page is written
  RunReport report;
  EXPECT_TRUE(PagesFor(s, {{"x_tn.jpg", 0}}, &report).empty());
  EXPECT_TRUE(report.TemplateMissing);
  EXPECT_FALSE(report.HeaderMissing);
  PagesFor(s, {}, &report);
}

TEST(AdvancedPagesTest, UnwritableFolderIsPassedOver) {
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
  s.Rows = "1";
  s.Cols = "2";
  s.UseTmpl = "1";
  s.TmplAddy = temp.Path("t.tpl");
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
  AdvancedSettings s = ShortCodes();
  s.UseHeader = s.UseFooter = s.UseTmpl = "1";
  s.Header = temp.Path("huge.txt");
  s.Footer = s.TmplAddy = temp.Path("folder");
  RunReport report;
  PageWarnings warnings;
  WriteAdvancedPages(temp.Path("pics"), First(1), s, &report, &warnings);
  EXPECT_FALSE(report.HeaderMissing || report.FooterMissing || report.TemplateMissing);
  EXPECT_EQ(warnings,
            (PageWarnings{temp.Path("folder") + ": is not a regular file; left out of the pages",
                          temp.Path("huge.txt") + ": is larger than 16 MB; left out of the pages",
                          temp.Path("folder") + ": is not a regular file; left out of the pages"}));
  auto pages = FilesIn(temp.Path("pics"));
  ASSERT_EQ(pages.size(), 1u);  // no picture pages without a template
  EXPECT_LT(pages["p1.html"].size(), 300u);
}

}  // namespace
