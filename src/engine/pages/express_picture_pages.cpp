#include "pages/express_picture_pages.h"

#include "pages/express_viewer.h"
#include "pages/page_names.h"
#include "settings/text.h"

namespace {

// A thumbnail of a neighbour with its link, as the previous/next row shows it.
std::string NeighbourImage(const Look& look, const Entry& entry) {
  return "<a href=\"" + entry.page_url + "\"><img src=\"thumbs/" + entry.thumb_url + "\"" +
         HiDpiAttributes(look, entry) + " border=" + look.s.ExpressTableBorder + "></a><BR>";
}

// The previous and next pictures, never leaving the entries of one index page
// (`first` is the index page's first entry).
void WriteNeighbours(std::string* out, const ExpressGallery& g, size_t first, size_t k) {
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

// The way back: "Close Window" for a pop-up, "Home" for a page opened in place
// (the viewer opens picture pages in place when the script does not run).
void WriteWayBack(std::string* out, const Look& look) {
  const std::string& target = look.s.ExpressLinkTarget;
  bool in_place = target == "same" || UsesViewer(look.s);
  const char* link = target == "java" ? "<a href=\"#\" OnClick=\"self.close()\">Close Window</a>"
                     : in_place       ? "<a href=\"page1.html\">Home</a>"
                                      : nullptr;
  if (link) Write(out, kCrLf, kCrLf, "<hr width=100%><BR>", kCrLf, look.font_open, link, kCrLf);
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

}  // namespace

std::string PicturePageText(const ExpressGallery& g, size_t first, size_t k) {
  const Look& look = g.look;
  const Entry& entry = g.entries[k];
  std::string out(kUtf8Bom);
  Write(&out, "<HTML><HEAD><TITLE>", entry.name_text, "</TITLE></HEAD>", look.body, kCrLf,
        "<div align=\"center\">", kCrLf);
  if (IsOn(look.s.ExpressShowNP)) WriteNeighbours(&out, g, first, k);
  Write(&out, "<img src=\"", entry.name_url, "\" border=0>");
  if (GuessesName(look))
    Write(&out, "<BR><BR>", look.title_font, "<b>", GuessedTitle(look, entry.name), "</b></font>");
  if (std::string facts = FactLines(look, entry); !facts.empty())
    Write(&out, "<BR>", look.font_open, facts, look.font_close);
  WriteWayBack(&out, look);
  if (IsOn(look.s.ExpressUseRights)) WriteRights(&out, look);
  Write(&out, "</div><BR><BR></BODY></HTML>");
  return out;
}

void WritePicturePage(const ExpressGallery& g, size_t first, size_t k) {
  const Entry& entry = g.entries[k];
  std::string clash =
      PicturePageClash(g.dir, entry.name, entry.page_file, IsIndexPage(entry.page_file, g.pages));
  if (!clash.empty()) {
    g.warnings->push_back(clash);
    return;
  }
  std::string error;
  if (!WritePage(g.dir + "/" + entry.page_file, PicturePageText(g, first, k), &error))
    g.warnings->push_back(error);
}
