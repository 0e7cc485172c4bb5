// The page menu of Advanced index pages and where it goes on a page.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "pages/page_output.h"
#include "settings/records.h"

/// The entry lines that every page of a directory shares, made once, so that
/// each page only copies them and redoes its own entry.
struct PageMenu {
  int pages = 0;
  int start_at = 1;            // file number of page position 1
  std::string lines;           // the entry lines of positions 1, 2, ..., each ended by CR LF
  std::vector<size_t> starts;  // where each line starts in `lines`, plus its end
};

/// The menu of `pages` pages (positions 1 to `pages`, files numbered from
/// `start_at`). Stops at a position whose file number leaves 16 bits.
PageMenu BuildPageMenu(int pages, int start_at, const AdvancedSettings& settings);

/// The current page's entry without its link: the tag holding the first
/// HREF and every closing anchor go. `<TD><a href=p2.html>2</a></TD>` gives
/// `<TD>2</TD>`. An entry without HREF is returned unchanged.
std::string InactivateEntry(std::string_view entry);

/// Writes the menu of page position `page`: code before, one line per page,
/// code after. Throws PageError where a linked file number leaves 16 bits.
void WritePageMenu(const PageMenu& menu, int page, const AdvancedSettings& settings, PageText* out);

enum class MenuPlace { kTop, kBottom };

/// At a place chosen by MenuTop/MenuBottom/MenuBoth: the menu when GenMenu is
/// on and there is more than one page, else the NoMenu block. Nothing at a
/// place that is not chosen.
void WriteMenuPlace(MenuPlace place, const PageMenu& menu, int page,
                    const AdvancedSettings& settings, PageText* out);
