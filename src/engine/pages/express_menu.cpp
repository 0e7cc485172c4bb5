#include "pages/express_menu.h"

#include "pages/page_names.h"
#include "settings/text.h"

namespace {

// A link to every page, the current one being its bare number.
void WritePageNumbers(std::string* out, const ExpressGallery& g, int current) {
  const MenuLinks& menu = g.menu;
  out->append(menu.lines, 0, menu.starts[current - 1]);
  Write(out, g.look.font_open, NumText(current), g.look.font_close, "&nbsp;&nbsp;&nbsp;");
  out->append(menu.lines, menu.starts[current]);
}

}  // namespace

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

void WriteExpressMenu(std::string* out, const ExpressGallery& g, int current) {
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
