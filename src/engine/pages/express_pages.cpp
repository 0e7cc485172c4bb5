#include "pages/express_pages.h"

#include <algorithm>

#include "pages/express_gallery.h"
#include "pages/express_menu.h"
#include "pages/express_picture_pages.h"
#include "pages/express_viewer.h"
#include "pages/html_text.h"
#include "pages/page_names.h"
#include "pages/web_assets.h"
#include "settings/text.h"

namespace {

constexpr char kShowPicScript[] =
    "<SCRIPT LANGUAGE =\"JavaScript\">function "
    "ShowPic(picture){Show=window.open(picture,'Show','toolbar=no,location=no,directories=no,"
    "status=yes,menubar=no,scrollbars=yes,resizable=yes,width=600,height=400')}</SCRIPT></HEAD>"
    "\r\n";

std::string Caption(const Look& look, const Entry& entry) {
  std::string caption;
  if (ShowsName(look) && IsZero(look.s.ExpressGuessName)) caption += "<br>" + entry.name_text;
  if (GuessesName(look)) caption += "<br>" + GuessedTitle(look, Trim(entry.name));
  if (IsOn(look.s.ExpressShowSize)) caption += "<br>" + entry.kilobytes + " Kb";
  return caption + FactLines(look, entry);
}

std::string Link(const Look& look, const Entry& entry) {
  bool picture_page = IsOn(look.s.ExpressSepPage);
  const std::string& target = picture_page ? entry.page_url : entry.name_url;
  std::string image = "<img src=\"thumbs/" + entry.thumb_url + "\"" + SizeAttributes(look, entry) +
                      HiDpiAttributes(look, entry) + " border=" + look.s.ExpressImageBorder +
                      "></a>";
  if (look.s.ExpressLinkTarget == "new")
    return "<a href=\"" + target + "\" target=\"_blank\">" + image;
  if (look.s.ExpressLinkTarget == "java")
    return "<a href=\"JavaScript:ShowPic('" +
           JavaScriptUrl(picture_page ? entry.page_link : entry.name) + "')\">" + image;
  if (look.viewer)
    return "<a href=\"" + target + "\" data-kv=\"" + ViewerKey(entry.name) + "\">" + image;
  return "<a href=\"" + target + "\">" + image;
}

// A cell of the table, or of the grid of a page that fits any screen.
void WriteCell(std::string* out, const Look& look, const Entry& entry) {
  bool captions = IsOn(look.s.ExpressShowName) || IsOn(look.s.ExpressShowSize) ||
                  IsOn(look.s.ExpressShowDate) || IsOn(look.s.ExpressShowCaption);
  bool grid = IsOn(look.s.ExpressResponsive);
  const std::string none;
  std::string cell_style =
      look.cell_colour.empty()
          ? ""
          : " style=\"background:" + HtmlColour(look.s.ExpressColorTableCell) + "\"";
  Write(out, grid ? "<div" + cell_style + ">" : "<TD align=center" + look.cell_colour + ">",
        captions ? look.font_open : none, Link(look, entry), Caption(look, entry),
        captions ? look.font_close : none, grid ? "</div>" : "<BR><BR></TD>");
}

// The table rows from entry *k on, with the picture pages of their entries.
// The table closes right after the last entry of the gallery.
void WriteRows(std::string* out, const ExpressGallery& g, size_t* k) {
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

std::string HeadEnd(const Look& look) {
  const ExpressSettings& s = look.s;
  std::string head;
  if (IsOn(s.ExpressResponsive))
    head = "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\"><style>" +
           std::string(FitStyle()) + "</style>";
  if (look.viewer) head += ViewerStyleElement();
  return head + (s.ExpressLinkTarget == "java" ? kShowPicScript : "</HEAD>\r\n");
}

// The grid that takes the table's place on a page that fits any screen: as
// many columns as the table has where there is room, fewer where there is not.
void WriteGrid(std::string* out, const ExpressGallery& g, size_t* k) {
  const Look& look = g.look;
  const size_t first = *k;
  const size_t end = std::min(g.entries.size(), first + static_cast<size_t>(look.rows * look.cols));
  int widest = 0;
  for (size_t i = first; i < end; ++i) widest = std::max(widest, g.entries[i].thumb_size.width);
  // Room for the widest thumbnail with its border (any text of the settings
  // file, kept to what a screen can show) and the cell's padding.
  auto border = static_cast<int>(std::clamp(Val(look.s.ExpressImageBorder), 0.0, 1000.0));
  int cell = (widest > 0 ? widest : 100) + 2 * border + 8;
  Write(out, "<br><br><div class=\"kg\" style=\"--cell:", std::to_string(cell),
        "px;--cols:", std::to_string(look.cols), ";width:", look.width,
        IsZero(look.s.ExpressPixelPercent) ? "px" : "",
        ";background:", HtmlColour(look.s.ExpressColorTableBackground), "\">");
  for (; *k < end; ++*k) {
    WriteCell(out, look, g.entries[*k]);
    if (IsOn(look.s.ExpressSepPage)) WritePicturePage(g, first, *k);
  }
  Write(out, "</div>");
}

std::string TitleText(int page, int pages) {
  if (pages == 1) return "<HTML><HEAD><TITLE> Page 1 </TITLE>";
  return "<HTML><HEAD><TITLE> Page " + SignedNumText(page) + " </TITLE>" + kCrLf;
}

void WriteHead(std::string* out, const ExpressGallery& g, int page) {
  for (int i = 0; i < 3; ++i) Write(out);
  Write(out, "<!---- GENERATED BY 'KESTO' https://kesto.example -------->    ");
  for (int i = 0; i < 3; ++i) Write(out);
  Write(out, TitleText(page, g.pages), HeadEnd(g.look), kCrLf, g.look.body, kCrLf);
}

void WritePageTitle(std::string* out, const Look& look) {
  std::string title = Trim(look.s.ExpressPageTitle);
  if (title.empty()) return;
  Write(out, kCrLf, "<br>", kCrLf, "<TABLE width=", look.width,
        " cellpadding=0 cellspacing=0 border=0><TR><TD align=center>");
  Write(out, look.title_font, "<B>", title, "</B></font>");
  Write(out, "</TD></TR></TABLE>", kCrLf);
}

bool MenuAt(const ExpressGallery& g, const char* place) {
  const std::string& location = g.look.s.ExpressMenuLocation;
  return g.pages > 1 && (location == place || location == "both");
}

// Writes index page `page`, whose first entry is *k, into *out; writes the
// picture pages of its entries on the way and leaves *k after its last entry.
void WriteIndexPageText(std::string* out, const ExpressGallery& g, int page, size_t* k) {
  const Look& look = g.look;
  WriteHead(out, g, page);
  if (IsOn(look.s.ExpressCenter)) Write(out, "<div align=\"center\">", kCrLf);
  WritePageTitle(out, look);
  if (MenuAt(g, "top")) WriteExpressMenu(out, g, page);
  if (IsOn(look.s.ExpressResponsive)) {
    WriteGrid(out, g, k);
  } else {
    Write(out, "<br><br><TABLE width=", look.width, " border=", look.s.ExpressTableBorder,
          " bordercolor=", HtmlColour(look.s.ExpressColorTableBorder),
          " bgcolor=", HtmlColour(look.s.ExpressColorTableBackground), look.table_pad, ">");
    WriteRows(out, g, k);
  }
  if (MenuAt(g, "bottom")) WriteExpressMenu(out, g, page);
  if (IsOn(look.s.ExpressUseRights)) WriteRights(out, look);
  if (IsOn(look.s.ExpressCenter)) Write(out, "</div>");
  if (look.viewer) WriteViewer(out, page);
  Write(out, "</BODY></HTML>");
}

// The index page is put in place after the picture pages of its cells.
// `text` is working room kept from page to page.
void WriteIndexPage(const ExpressGallery& g, int page, size_t* k, std::string* text) {
  text->assign(kUtf8Bom);
  WriteIndexPageText(text, g, page, k);
  std::string error;
  if (!WritePage(g.dir + "/" + ExpressPageFileName(page), *text, &error)) throw PageError(error);
}

}  // namespace

bool WriteExpressPages(const std::string& current_dir, const std::vector<PictureFile>& pictures,
                       const ExpressSettings& settings, PageWarnings* warnings) {
  std::vector<Entry> entries = MakeEntries(pictures);
  if (entries.empty()) return true;
  if (IsOn(settings.ExpressHiDpi)) FindDoubles(current_dir, &entries);
  if (IsOn(settings.ExpressResponsive)) FindThumbSizes(current_dir, &entries);
  Look look = MakeLook(settings, entries.size());
  ExpressGallery g{current_dir, std::move(entries), 0, std::move(look), warnings};
  int64_t per_page = g.look.rows * g.look.cols;
  g.pages = static_cast<int>((static_cast<int64_t>(g.entries.size()) + per_page - 1) / per_page);
  if (g.pages > 1) g.menu = MakeMenuLinks(g.pages, g.look);
  if (UsesViewer(settings))
    g.look.viewer =
        WriteViewerFile(current_dir, ViewerPictures(g.entries, g.look, per_page), warnings);
  return WritePagesOrWarn(
      [&g] {
        size_t k = 0;
        std::string text;
        for (int page = 1; page <= g.pages; ++page) WriteIndexPage(g, page, &k, &text);
      },
      warnings);
}
