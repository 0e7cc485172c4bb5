#include "engine/express_pages.h"

#include <algorithm>
#include <cstdint>

#include "engine/html_text.h"
#include "engine/page_output.h"
#include "engine/titles.h"
#include "settings/text.h"

namespace {

constexpr char kCrLf[] = "\r\n";
constexpr char kShowPicScript[] =
    "<SCRIPT LANGUAGE =\"JavaScript\">function "
    "ShowPic(picture){Show=window.open(picture,'Show','toolbar=no,location=no,directories=no,"
    "status=yes,menubar=no,scrollbars=yes,resizable=yes,width=600,height=400')}</SCRIPT></HEAD>"
    "\r\n";

// One listed picture as the pages name it: `name` and `page_file` are file
// names, the *_text and *_url forms are written into pages (html_text.h).
struct Entry {
  std::string name;
  std::string name_text;
  std::string name_url;
  std::string page_file;
  std::string page_url;
  std::string thumb_url;
  std::string kilobytes;
};

// The texts derived from the settings once per call.
struct Look {
  const ExpressSettings& s;
  int64_t rows = 1;  // both at least 1
  int64_t cols = 1;
  int pattern = -1;     // naming pattern for titles; -1 when none is chosen
  std::string width{};  // table width, with "%" when in percent
  std::string font_open{};
  std::string font_close{};
  std::string table_pad{};
  std::string cell_colour{};
  std::string body{};        // the BODY tag with the page colours
  std::string title_font{};  // the font tag of page and picture titles
};

// The page links of the menu, one line per page, made once per call: every
// index page shows all of them, so a page only splices in its own number.
struct MenuLinks {
  std::string lines;
  std::vector<size_t> starts;  // where each page's line starts, then the end
};

struct Gallery {
  std::string dir;
  std::vector<Entry> entries;
  int pages = 0;
  Look look;
  PageWarnings* warnings;
  MenuLinks menu{};
};

// Appends the texts and a CR LF: one line written to a page.
template <typename... Texts>
void Write(std::string* out, const Texts&... texts) {
  (out->append(texts), ...);
  out->append(kCrLf);
}

// True for a flag whose value is 0, as opposed to IsOn() for one that is 1.
bool IsZero(const std::string& flag) { return Val(flag) == 0; }

// Rows or columns: the number rounded, kept from 1 to `most`. A value below 1
// (a damaged settings file) counts as 1; more than the entries change nothing.
int64_t TableSize(const std::string& text, size_t most) {
  return std::clamp<int64_t>(RoundHalfEven(Val(text)), 1, std::max<int64_t>(1, most));
}

int PatternIndex(const std::string& text) {
  int64_t index = RoundHalfEven(Val(text) - 1);
  return index >= 0 && index <= 2 ? static_cast<int>(index) : -1;
}

void SetFont(const ExpressSettings& s, Look* look) {
  bool bold = IsOn(s.ExpressFontBold);
  bool italic = IsOn(s.ExpressFontItalic);
  look->font_open = "<FONT face=\"" + s.ExpressFontName + "\" size=" + s.ExpressFontSize + ">";
  if (bold) look->font_open += "<B>";
  if (italic) look->font_open += "<I>";
  if (italic) look->font_close += "</I>";
  if (bold) look->font_close += "</B>";
  look->font_close += "</FONT>";
}

void SetTableOptions(const ExpressSettings& s, Look* look) {
  if (IsZero(s.ExpressEnableTableOpt)) {
    look->table_pad = " cellpadding=0 cellspacing=0";
    return;
  }
  look->table_pad =
      " cellpadding=" + Trim(s.ExpressTablePadding) + " cellspacing=" + Trim(s.ExpressTableSpacing);
  look->cell_colour = " bgcolor=" + HtmlColour(s.ExpressColorTableCell);
}

Look MakeLook(const ExpressSettings& s, size_t entry_count) {
  Look look{s};
  look.rows = TableSize(s.ExpressRows, entry_count);
  look.cols = TableSize(s.ExpressCols, entry_count);
  look.pattern = PatternIndex(s.ExpressNamePattern);
  look.width = s.ExpressTableWidth + (IsZero(s.ExpressPixelPercent) ? "" : "%");
  SetFont(s, &look);
  SetTableOptions(s, &look);
  look.body = "<BODY bgcolor=" + HtmlColour(s.ExpressColorPageBackground) +
              " text=" + HtmlColour(s.ExpressColorPageText) +
              " link=" + HtmlColour(s.ExpressColorPageLink) +
              " vlink=" + HtmlColour(s.ExpressColorPageVlink) +
              " alink=" + HtmlColour(s.ExpressColorPageAlink) + ">";
  look.title_font = "<font face=\"" + s.ExpressFontName +
                    "\" color=" + HtmlColour(s.ExpressColorPageTitle) + " size=5>";
  return look;
}

Entry MakeEntry(const PictureFile& picture) {
  std::string base = BaseName(picture.name);
  Entry entry;
  entry.name = picture.name;
  entry.name_text = HtmlText(picture.name);
  entry.name_url = HtmlUrl(picture.name);
  entry.page_file = base + ".html";
  entry.page_url = HtmlUrl(entry.page_file);
  entry.thumb_url = HtmlUrl(base + "_tn.jpg");
  entry.kilobytes = NumText(static_cast<int64_t>(picture.size / 1024));
  return entry;
}

// Thumbnails lying among the pictures get no entry of their own.
std::vector<Entry> MakeEntries(const std::vector<PictureFile>& pictures) {
  std::vector<Entry> entries;
  entries.reserve(pictures.size());
  for (const PictureFile& picture : pictures)
    if (picture.name.find("_tn") == std::string::npos) entries.push_back(MakeEntry(picture));
  return entries;
}

bool ShowsName(const Look& look) { return IsOn(look.s.ExpressShowName); }

bool GuessesName(const Look& look) { return ShowsName(look) && IsOn(look.s.ExpressGuessName); }

std::string GuessedTitle(const Look& look, const std::string& name) {
  return HtmlText(GuessTitle(name, look.pattern));
}

void WriteRights(std::string* out, const Look& look) {
  Write(out, "<br><br><TABLE width=", look.width,
        " cellpadding=0 cellspacing=0 border=0><TR><TD align=center>");
  Write(out, look.font_open, look.s.ExpressRights, look.font_close);
  Write(out, "</TD></TR></TABLE>");
}

// --- The page menu -------------------------------------------------------

MenuLinks MakeMenuLinks(int pages, const Look& look) {
  MenuLinks menu;
  for (int i = 1; i <= pages; ++i) {
    menu.starts.push_back(menu.lines.size());
    Write(&menu.lines, look.font_open, "<a href=\"", ExpressPageFileName(i), "\">", NumText(i),
          "</a>", look.font_close, "&nbsp;&nbsp;&nbsp;");
  }
  menu.starts.push_back(menu.lines.size());
  return menu;
}

// A link to every page, the current one being its bare number.
void WritePageNumbers(std::string* out, const Gallery& g, int current) {
  const MenuLinks& menu = g.menu;
  out->append(menu.lines, 0, menu.starts[current - 1]);
  Write(out, g.look.font_open, NumText(current), g.look.font_close, "&nbsp;&nbsp;&nbsp;");
  out->append(menu.lines, menu.starts[current]);
}

void WriteExpressMenu(std::string* out, const Gallery& g, int current) {
  const std::string& fo = g.look.font_open;
  const std::string& fc = g.look.font_close;
  Write(out, "<br><br><TABLE width=", g.look.width,
        " cellpadding=0 cellspacing=0 border=0><TR><TD align=center>");
  WritePageNumbers(out, g, current);
  Write(out, "<br><br>");
  if (current > 1)
    Write(out, fo, "&lt;&lt;&nbsp;&nbsp;<a href=\"", ExpressPageFileName(current - 1),
          "\">Previous Page</a>", fc, "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;");
  if (current < g.pages)
    Write(out, fo, "<a href=\"", ExpressPageFileName(current + 1),
          "\">Next Page</a>&nbsp;&nbsp;&gt;&gt;", fc, "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;");
  Write(out, "</TD></TR></TABLE>");
}

// --- Picture pages -------------------------------------------------------

// A thumbnail of a neighbour with its link, as the previous/next row shows it.
std::string NeighbourImage(const Look& look, const Entry& entry) {
  return "<a href=\"" + entry.page_url + "\"><img src=\"thumbs/" + entry.thumb_url +
         "\" border=" + look.s.ExpressTableBorder + "></a><BR>";
}

// The previous and next pictures, never leaving the entries of one index page
// (`first` is the index page's first entry).
void WriteNeighbours(std::string* out, const Gallery& g, size_t first, size_t k) {
  const Look& look = g.look;
  Write(out, "<BR><BR>");
  Write(out,
        "<TABLE width=100% border=0 cellpadding=0 cellspacing=0><TR><TD align=right "
        "valign=bottom width=35%>&nbsp;",
        kCrLf);
  if (k > first) {
    const Entry& prev = g.entries[k - 1];
    Write(out, look.font_open, NeighbourImage(look, prev), "&lt;&lt;&nbsp;&nbsp;<a href=\"",
          prev.page_url, "\">Previous Image</a>", look.font_close);
  }
  Write(out, "</TD><TD width=30%>&nbsp;</TD>", kCrLf, "<TD align=left valign=bottom width=35%>",
        kCrLf);
  bool last_cell = static_cast<int64_t>(k - first) == look.rows * look.cols - 1;
  if (!last_cell && k + 1 < g.entries.size()) {
    const Entry& next = g.entries[k + 1];
    Write(out, look.font_open, NeighbourImage(look, next), "<a href=\"", next.page_url,
          "\">Next Image</a>&nbsp;&nbsp;&gt;&gt;", look.font_close);
  }
  Write(out, "&nbsp;</TD></TR></TABLE><BR><BR><BR>");
  Write(out, kCrLf, "<hr width=100%>", kCrLf);
}

// The way back: "Close Window" for a pop-up, "Home" for a page opened in place.
void WriteWayBack(std::string* out, const Look& look) {
  const std::string& target = look.s.ExpressLinkTarget;
  const char* link = target == "java"   ? "<a href=\"#\" OnClick=\"self.close()\">Close Window</a>"
                     : target == "same" ? "<a href=\"page1.html\">Home</a>"
                                        : nullptr;
  if (link) Write(out, kCrLf, kCrLf, "<hr width=100%><BR>", kCrLf, look.font_open, link, kCrLf);
}

std::string PicturePageText(const Gallery& g, size_t first, size_t k) {
  const Look& look = g.look;
  const Entry& entry = g.entries[k];
  std::string out(kUtf8Bom);
  Write(&out, "<HTML><HEAD><TITLE>", entry.name_text, "</TITLE></HEAD>", look.body, kCrLf,
        "<div align=\"center\">", kCrLf);
  if (IsOn(look.s.ExpressShowNP)) WriteNeighbours(&out, g, first, k);
  Write(&out, "<img src=\"", entry.name_url, "\" border=0>");
  if (GuessesName(look))
    Write(&out, "<BR><BR>", look.title_font, "<b>", GuessedTitle(look, entry.name), "</b></font>");
  WriteWayBack(&out, look);
  if (IsOn(look.s.ExpressUseRights)) WriteRights(&out, look);
  Write(&out, "</div><BR><BR></BODY></HTML>");
  return out;
}

// True when `name` is one of this gallery's index pages, which a picture page
// never replaces.
bool IsIndexPage(const std::string& name, int pages) {
  if (name.size() < 10 || !name.starts_with("page") || !name.ends_with(".html")) return false;
  std::string number = name.substr(4, name.size() - 9);
  if (number[0] == '0' || number.size() > 9) return false;
  if (number.find_first_not_of("0123456789") != std::string::npos) return false;
  return std::stoi(number) <= pages;
}

// A picture page that cannot be written is left out with a warning; one
// named like an index page of the gallery is never written.
void WritePicturePage(const Gallery& g, size_t first, size_t k) {
  const Entry& entry = g.entries[k];
  if (IsIndexPage(entry.page_file, g.pages)) {
    g.warnings->push_back(g.dir + "/" + entry.name + ": its picture page " + entry.page_file +
                          " would replace an index page; it is not written");
    return;
  }
  std::string error;
  if (!WritePage(g.dir + "/" + entry.page_file, PicturePageText(g, first, k), &error))
    g.warnings->push_back(error);
}

// --- Index pages ---------------------------------------------------------

std::string Caption(const Look& look, const Entry& entry) {
  std::string caption;
  if (ShowsName(look) && IsZero(look.s.ExpressGuessName)) caption += "<br>" + entry.name_text;
  if (GuessesName(look)) caption += "<br>" + GuessedTitle(look, Trim(entry.name));
  if (IsOn(look.s.ExpressShowSize)) caption += "<br>" + entry.kilobytes + " Kb";
  return caption;
}

std::string Link(const Look& look, const Entry& entry) {
  bool picture_page = IsOn(look.s.ExpressSepPage);
  const std::string& target = picture_page ? entry.page_url : entry.name_url;
  std::string image =
      "<img src=\"thumbs/" + entry.thumb_url + "\" border=" + look.s.ExpressImageBorder + "></a>";
  if (look.s.ExpressLinkTarget == "new")
    return "<a href=\"" + target + "\" target=\"_blank\">" + image;
  if (look.s.ExpressLinkTarget == "java")
    return "<a href=\"JavaScript:ShowPic('" +
           JavaScriptUrl(picture_page ? entry.page_file : entry.name) + "')\">" + image;
  return "<a href=\"" + target + "\">" + image;
}

void WriteCell(std::string* out, const Look& look, const Entry& entry) {
  bool captions = IsOn(look.s.ExpressShowName) || IsOn(look.s.ExpressShowSize);
  const std::string none;
  Write(out, "<TD align=center", look.cell_colour, ">", captions ? look.font_open : none,
        Link(look, entry), Caption(look, entry), captions ? look.font_close : none,
        "<BR><BR></TD>");
}

// The table rows from entry *k on, with the picture pages of their entries.
// The table closes right after the last entry of the gallery.
void WriteRows(std::string* out, const Gallery& g, size_t* k) {
  const size_t first = *k;
  const bool picture_pages = IsOn(g.look.s.ExpressSepPage);
  for (int64_t row = 0; row < g.look.rows; ++row) {
    Write(out, "<TR>");
    for (int64_t col = 0; col < g.look.cols; ++col) {
      WriteCell(out, g.look, g.entries[*k]);
      if (picture_pages) WritePicturePage(g, first, *k);
      if (++*k == g.entries.size()) {
        Write(out, "</TR></TABLE>");
        return;
      }
    }
    Write(out, "</TR>");
  }
  Write(out, "</TABLE>");
}

std::string TitleText(int page, int pages) {
  if (pages == 1) return "<HTML><HEAD><TITLE> Page 1 </TITLE>";
  return "<HTML><HEAD><TITLE> Page " + SignedNumText(page) + " </TITLE>" + kCrLf;
}

void WriteHead(std::string* out, const Gallery& g, int page) {
  for (int i = 0; i < 3; ++i) Write(out);
  Write(out, "<!---- GENERATED BY 'KESTO' https://kesto.example -------->    ");
  for (int i = 0; i < 3; ++i) Write(out);
  bool java = g.look.s.ExpressLinkTarget == "java";
  Write(out, TitleText(page, g.pages), java ? kShowPicScript : "</HEAD>\r\n", kCrLf, g.look.body,
        kCrLf);
}

void WritePageTitle(std::string* out, const Look& look) {
  std::string title = Trim(look.s.ExpressPageTitle);
  if (title.empty()) return;
  Write(out, kCrLf, "<br>", kCrLf, "<TABLE width=", look.width,
        " cellpadding=0 cellspacing=0 border=0><TR><TD align=center>");
  Write(out, look.title_font, "<B>", title, "</B></font>");
  Write(out, "</TD></TR></TABLE>", kCrLf);
}

bool MenuAt(const Gallery& g, const char* place) {
  const std::string& location = g.look.s.ExpressMenuLocation;
  return g.pages > 1 && (location == place || location == "both");
}

// Writes index page `page`, whose first entry is *k, into *out; writes the
// picture pages of its entries on the way and leaves *k after its last entry.
void WriteIndexPageText(std::string* out, const Gallery& g, int page, size_t* k) {
  const Look& look = g.look;
  WriteHead(out, g, page);
  if (IsOn(look.s.ExpressCenter)) Write(out, "<div align=\"center\">", kCrLf);
  WritePageTitle(out, look);
  if (MenuAt(g, "top")) WriteExpressMenu(out, g, page);
  Write(out, "<br><br><TABLE width=", look.width, " border=", look.s.ExpressTableBorder,
        " bordercolor=", HtmlColour(look.s.ExpressColorTableBorder),
        " bgcolor=", HtmlColour(look.s.ExpressColorTableBackground), look.table_pad, ">");
  WriteRows(out, g, k);
  if (MenuAt(g, "bottom")) WriteExpressMenu(out, g, page);
  if (IsOn(look.s.ExpressUseRights)) WriteRights(out, look);
  if (IsOn(look.s.ExpressCenter)) Write(out, "</div>");
  Write(out, "</BODY></HTML>");
}

// The index page is put in place after the picture pages of its cells.
// `text` is working room kept from page to page.
bool WriteIndexPage(const Gallery& g, int page, size_t* k, std::string* text) {
  text->assign(kUtf8Bom);
  WriteIndexPageText(text, g, page, k);
  std::string error;
  if (WritePage(g.dir + "/" + ExpressPageFileName(page), *text, &error)) return true;
  g.warnings->push_back("the pages stopped early: " + error);
  return false;
}

}  // namespace

std::string ExpressPageFileName(int page) { return "page" + NumText(page) + ".html"; }

bool WriteExpressPages(const std::string& current_dir, const std::vector<PictureFile>& pictures,
                       const ExpressSettings& settings, PageWarnings* warnings) {
  std::vector<Entry> entries = MakeEntries(pictures);
  if (entries.empty()) return true;
  Look look = MakeLook(settings, entries.size());
  Gallery g{current_dir, std::move(entries), 0, std::move(look), warnings};
  int64_t per_page = g.look.rows * g.look.cols;
  g.pages = static_cast<int>((static_cast<int64_t>(g.entries.size()) + per_page - 1) / per_page);
  if (g.pages > 1) g.menu = MakeMenuLinks(g.pages, g.look);
  size_t k = 0;
  std::string text;
  for (int page = 1; page <= g.pages; ++page)
    if (!WriteIndexPage(g, page, &k, &text)) return false;
  return true;
}
