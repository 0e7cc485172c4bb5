// What the Express pages of one directory are made of: an entry per picture
// and the texts derived from the settings, made once per directory and
// shared by the index pages, the page menu and the picture pages.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pages/jpeg_size.h"
#include "pages/page_output.h"
#include "pages/picture_list.h"
#include "settings/records.h"

inline constexpr char kCrLf[] = "\r\n";

// One listed picture as the pages name it: `name`, `page_file` and
// `page_link` are file names, the *_text and *_url forms are written into
// pages (html_text.h).
struct Entry {
  std::string name;
  std::string name_text;
  std::string name_url;
  std::string page_file;
  std::string page_link;  // what links to its picture page lead to (page_url)
  std::string page_url;
  std::string thumb_url;
  std::string double_url;  // the srcset address of its double; "" when there is none
  PixelSize thumb_size{};  // read only for pages that fit any screen
  std::string kilobytes;
  std::string date_text;     // when it was taken, as read; "" when the picture does not say
  std::string caption_text;  // its caption as read, "" when it has none
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
  bool viewer = false;       // thumbnails open the viewer, whose file is in place
};

// The page links of the menu, one line per page, made once per call: every
// index page shows all of them, so a page only splices in its own number.
struct MenuLinks {
  std::string lines;
  std::vector<size_t> starts;  // where each page's line starts, then the end
};

struct ExpressGallery {
  std::string dir;
  std::vector<Entry> entries;
  int pages = 0;
  Look look;
  PageWarnings* warnings;
  MenuLinks menu{};
};

/// Appends the texts and a CR LF: one line written to a page.
template <typename... Texts>
void Write(std::string* out, const Texts&... texts) {
  (out->append(texts), ...);
  out->append(kCrLf);
}

/// True for a flag whose value is 0, as opposed to IsOn() for one that is 1.
bool IsZero(const std::string& flag);

/// The derived texts; rows and columns are kept from 1 to `entry_count`.
Look MakeLook(const ExpressSettings& settings, size_t entry_count);

/// An entry for every listed file but thumbnails lying among the pictures.
/// A picture whose page would be the landing page (IsLandingPage()) gets
/// none: links to its page lead to the picture itself.
std::vector<Entry> MakeEntries(const std::vector<PictureFile>& pictures);

/// Notes in each entry the double of its thumbnail that exists in the
/// thumbnail folder of `dir`: the pages offer only those.
void FindDoubles(const std::string& dir, std::vector<Entry>* entries);

/// Notes in each entry the size of its thumbnail in the thumbnail folder of
/// `dir`, where it can be read.
void FindThumbSizes(const std::string& dir, std::vector<Entry>* entries);

/// Names shown under thumbnails, and titles guessed from them.
bool ShowsName(const Look& look);
bool GuessesName(const Look& look);
std::string GuessedTitle(const Look& look, const std::string& name);

/// What a thumbnail image carries besides src and border: with ExpressHiDpi
/// on, the double for sharp screens (srcset) when there is one, and lazy
/// loading; else nothing.
std::string HiDpiAttributes(const Look& look, const Entry& entry);

/// What a thumbnail image carries for pages that fit any screen: its width
/// and height when known, so the page does not jump while it loads.
std::string SizeAttributes(const Look& look, const Entry& entry);
/// The date and caption of `entry` that the settings show, each after a
/// "<br>"; "" when none is shown or the picture says nothing.
std::string FactLines(const Look& look, const Entry& entry);

/// The rights line, the same on index and picture pages.
void WriteRights(std::string* out, const Look& look);
